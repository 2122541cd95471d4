#include "PostScriptResponder.h"

std::string AnswerPostScript(std::string_view program, const PrinterDescription& printer) {
    if (printer.tcpBehaviour == TcpBehaviour::Oversized)
        return std::string(printer.oversizeBytes, 'A') + "\n";
    for (const auto& answer : printer.ps)
        if (program.find(answer.text) != std::string_view::npos)
            return answer.value + "\n";
    return printer.psDefault + "\n";
}
