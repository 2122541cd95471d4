// The PostScript codec: a query answers with one line; the value is that
// line's text behind the last form feed.
#pragma once

#include "Class/PrinterCommand.h"

class PSCommand : public PrinterCommand {
public:
    std::optional<std::string> CreateDefaultOptionDataCopy(std::string& reply) override;
    // PostScript queries carry no echo, so there is never such a value.
    std::optional<std::string> CreateValueCopyWithReplyHeader(const std::string& reply,
                                                              const std::string& header) override;
};
