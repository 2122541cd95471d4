// The PJL codec: values follow the echoed query line and end at CR LF; the
// printer answers "?" (quoted) for a value it does not have.
#pragma once

#include "Class/PrinterCommand.h"

class PJLCommand : public PrinterCommand {
public:
    // A copy of the whole reply, unless it holds the unknown-value marker.
    std::optional<std::string> CreateDefaultOptionDataCopy(std::string& reply) override;
    std::optional<std::string> CreateValueCopyWithReplyHeader(const std::string& reply,
                                                              const std::string& header) override;
};
