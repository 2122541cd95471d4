// The SNMP codec. The SNMP channel already hands back the bare value, so
// neither operation has anything to cut.
#pragma once

#include "Class/PrinterCommand.h"

class MIBCommand : public PrinterCommand {
public:
    std::optional<std::string> CreateDefaultOptionDataCopy(std::string& reply) override;
    std::optional<std::string> CreateValueCopyWithReplyHeader(const std::string& reply,
                                                              const std::string& header) override;
};
