// When the bytes received on a print connection make a whole request.
#pragma once

#include <chrono>
#include <string_view>

inline constexpr std::string_view kUniversalExit = "\x1b%-12345X";
// A request that never closes with the universal exit ends once the client has
// been quiet this long.
inline constexpr std::chrono::milliseconds kQuietEndsRequest{300};

// Ends with the universal exit and holds at least two of them: one opens the
// job, the last closes it.
bool IsCompleteRequest(std::string_view received);
