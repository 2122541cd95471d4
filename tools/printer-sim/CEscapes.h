// C-style escapes: expanded in description values, written into the request log
// so that control bytes of a request stay visible on one line.
#pragma once

#include "Outcome.h"

#include <string>
#include <string_view>

// Expands \r \n \f \t \\ \" and \xHH; any other backslash sequence is an error.
Outcome<std::string> ExpandEscapes(std::string_view text);

// Writes \r \n \f \t \\ \e for those bytes and \xHH for every other byte outside
// printable ASCII.
std::string EscapeForLog(std::string_view bytes);
