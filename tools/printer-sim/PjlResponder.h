// Answers the PJL status queries of a request: DINQUIRE, INQUIRE and INFO.
#pragma once

#include "PrinterDescription.h"

#include <string>
#include <string_view>

// For every query line: the line as received (without its line end), "\r\n",
// the value and "\r\n", then a form feed. Unknown names get "?" in quotes.
std::string AnswerPjlQueries(std::string_view requestText, const PrinterDescription& printer);
