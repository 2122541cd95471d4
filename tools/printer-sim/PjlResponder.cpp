#include "PjlResponder.h"

#include "RequestFraming.h"

#include <optional>

namespace {

constexpr std::string_view kQueries[] = {"@PJL DINQUIRE ", "@PJL INQUIRE ", "@PJL INFO "};

// The name a query line asks for; none for any other line.
std::optional<std::string_view> QueriedName(std::string_view line) {
    for (const auto prefix : kQueries)
        if (line.starts_with(prefix))
            return line.substr(prefix.size());
    return std::nullopt;
}

std::string OversizedBody(const PrinterDescription& printer) {
    const std::string line = std::string(printer.oversizeLineBytes, 'A') + "\r\n";
    std::string body;
    while (body.size() < printer.oversizeBytes)
        body += line;
    return body;
}

std::string Body(std::string_view name, const PrinterDescription& printer) {
    if (printer.tcpBehaviour == TcpBehaviour::Oversized)
        return OversizedBody(printer);
    const auto known = printer.pjl.find(name);
    return (known == printer.pjl.end() ? std::string("\"?\"") : known->second) + "\r\n";
}

std::string_view WithoutUniversalExits(std::string_view line) {
    while (line.starts_with(kUniversalExit))
        line.remove_prefix(kUniversalExit.size());
    return line;
}

} // namespace

std::string AnswerPjlQueries(std::string_view requestText, const PrinterDescription& printer) {
    std::string reply;
    while (!requestText.empty()) {
        const auto end = std::min(requestText.find('\n'), requestText.size());
        auto line = requestText.substr(0, end);
        requestText.remove_prefix(std::min(end + 1, requestText.size()));
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        line = WithoutUniversalExits(line);
        if (const auto name = QueriedName(line))
            reply += std::string(line) + "\r\n" + Body(*name, printer) + "\f";
    }
    return reply;
}
