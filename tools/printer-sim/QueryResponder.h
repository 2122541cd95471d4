// The reply a printer gives to one whole request on its print port: PJL queries
// before any PostScript program, then the program's answer.
#pragma once

#include "PrinterDescription.h"

#include <string>
#include <string_view>

// Empty when nothing in the request asks for an answer.
std::string AnswerRequest(std::string_view request, const PrinterDescription& printer);
