#include "Class/PSCommand.h"

#include "Class/Error.h"

std::optional<std::string> PSCommand::CreateDefaultOptionDataCopy(std::string& reply) {
    const std::string_view text = ReplyText(reply);
    if (text.empty()) {
        SetLastErrorType(kErrorEmptyReply);
        return std::nullopt;
    }
    const std::size_t lf = text.rfind('\n');
    if (lf == std::string_view::npos) {
        SetLastErrorType(kErrorUnterminatedReply);
        return std::nullopt;
    }
    // The caller's reply ends at its last line end from now on.
    reply.resize(lf);
    const std::string_view line = ReplyText(reply);
    const std::size_t ff = line.rfind('\f');
    const std::string_view value = ff == std::string_view::npos ? line : line.substr(ff + 1);
    if (value.empty())
        return std::nullopt;
    return CopyValue(value);
}

std::optional<std::string> PSCommand::CreateValueCopyWithReplyHeader(const std::string&,
                                                                     const std::string&) {
    return std::nullopt;
}
