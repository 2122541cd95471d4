#include "Class/PrinterCommand.h"

#include "Class/Error.h"

#include <new>

std::string_view PrinterCommand::ReplyText(const std::string& reply) {
    return std::string_view(reply.c_str());
}

std::optional<std::string> PrinterCommand::CopyValue(std::string_view value) {
    try {
        return std::string(value);
    } catch (const std::bad_alloc&) {
        SetLastErrorType(kErrorOutOfMemory);
        return std::nullopt;
    }
}
