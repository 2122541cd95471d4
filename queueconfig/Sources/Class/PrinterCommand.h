// A reply codec: turns the raw reply text of a printer into the one value the
// caller asked for. Codecs hold no state and do no input or output.
//
// A reply is read as the text up to its first NUL, the way the printer's bytes
// land in a reply buffer. None means there is no value; where a failure has a
// cause, the process-wide error type says which.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class PrinterCommand {
public:
    virtual ~PrinterCommand() = default;

    // The printer's current setting, out of the reply to a default-option query.
    // The PostScript codec cuts the reply at its last LF in place.
    virtual std::optional<std::string> CreateDefaultOptionDataCopy(std::string& reply) = 0;

    // The value behind the echoed query line `header` in the reply.
    virtual std::optional<std::string>
    CreateValueCopyWithReplyHeader(const std::string& reply, const std::string& header) = 0;

protected:
    // The reply as the printer's text: everything before its first NUL.
    static std::string_view ReplyText(const std::string& reply);
    // A new value; out of memory sets error type 3 and gives none.
    static std::optional<std::string> CopyValue(std::string_view value);
};
