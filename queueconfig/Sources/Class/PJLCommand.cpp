#include "Class/PJLCommand.h"

#include "Class/Error.h"

namespace {

// What a printer sends in place of a value it does not have.
constexpr std::string_view kUnknownValue = "\"?\"";

} // namespace

std::optional<std::string> PJLCommand::CreateDefaultOptionDataCopy(std::string& reply) {
    const std::string_view text = ReplyText(reply);
    if (text.empty()) {
        SetLastErrorType(kErrorEmptyReply);
        return std::nullopt;
    }
    if (text.find(kUnknownValue) != std::string_view::npos)
        return std::nullopt;
    return CopyValue(text);
}

std::optional<std::string> PJLCommand::CreateValueCopyWithReplyHeader(const std::string& reply,
                                                                      const std::string& header) {
    const std::string_view text = ReplyText(reply);
    const std::string_view echo = ReplyText(header);
    if (text.empty() || echo.empty()) {
        SetLastErrorType(kErrorEmptyReply);
        return std::nullopt;
    }
    const std::size_t found = text.find(echo);
    if (found == std::string_view::npos) {
        SetLastErrorType(kErrorNoEcho);
        return std::nullopt;
    }
    const std::size_t start = found + echo.size();
    const std::size_t cr = text.find('\r', start);
    if (cr == std::string_view::npos || cr + 1 >= text.size() || text[cr + 1] != '\n') {
        SetLastErrorType(kErrorUnterminatedReply);
        return std::nullopt;
    }
    if (cr == start)
        return std::nullopt;
    // The marker counts anywhere behind the header, not only on the value's line.
    if (text.find(kUnknownValue, start) != std::string_view::npos)
        return std::nullopt;
    return CopyValue(text.substr(start, cr - start));
}
