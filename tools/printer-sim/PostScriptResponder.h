// Answers a PostScript query program with the description's first matching text.
#pragma once

#include "PrinterDescription.h"

#include <string>
#include <string_view>

// The value of the first "ps" entry whose text occurs in `program` (else the
// default), followed by a line feed.
std::string AnswerPostScript(std::string_view program, const PrinterDescription& printer);
