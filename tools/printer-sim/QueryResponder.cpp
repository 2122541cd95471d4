#include "QueryResponder.h"

#include "PjlResponder.h"
#include "PostScriptResponder.h"

namespace {

constexpr std::string_view kPostScriptStart = "%!\n";
constexpr char kEndOfTransmission = '\x04';

} // namespace

std::string AnswerRequest(std::string_view request, const PrinterDescription& printer) {
    const auto start = request.find(kPostScriptStart);
    std::string reply = AnswerPjlQueries(request.substr(0, start), printer);
    if (start == std::string_view::npos)
        return reply;
    auto program = request.substr(start + kPostScriptStart.size());
    program = program.substr(0, program.find(kEndOfTransmission));
    return reply + AnswerPostScript(program, printer);
}
