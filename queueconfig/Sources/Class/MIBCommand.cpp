#include "Class/MIBCommand.h"

std::optional<std::string> MIBCommand::CreateDefaultOptionDataCopy(std::string&) {
    return std::nullopt;
}

std::optional<std::string> MIBCommand::CreateValueCopyWithReplyHeader(const std::string&,
                                                                      const std::string&) {
    return std::nullopt;
}
