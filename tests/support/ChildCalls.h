// Small pieces that the helpers which start child processes share.
#pragma once

#include <chrono>
#include <string>
#include <vector>

// The strings as an argv/envp array: pointers into them, then a null.
std::vector<char*> CStrings(std::vector<std::string>& strings);

// False when `until` passes before `fd` becomes readable.
bool WaitReadable(int fd, std::chrono::steady_clock::time_point until);

// The text without the line ends at its end.
std::string Trimmed(std::string text);
