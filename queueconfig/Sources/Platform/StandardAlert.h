// The end-of-run alert. The tool never waits for a person, so an alert is the
// message as one line on a stream (standard error in the tool).
#pragma once

#include <cstdio>
#include <string_view>

// Writes `message` with its line breaks turned into blanks, then one LF.
// Returns 0, or -1 when the stream could not take the line.
int RunStandardAlert(std::string_view message, std::FILE* stream = stderr);
