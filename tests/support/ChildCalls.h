// Small pieces that the helpers which start child processes share.
#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

// The strings as an argv/envp array: pointers into them, then a null.
std::vector<char*> CStrings(std::vector<std::string>& strings);

// False when `until` passes before `fd` becomes readable.
bool WaitReadable(int fd, std::chrono::steady_clock::time_point until);

// The text without the line ends at its end.
std::string Trimmed(std::string text);

// A pidfd for the child (readable once it ends); -1 with errno set.
int OpenPidFd(pid_t pid);

// Sends `signo` (none when 0), waits up to `bound` for the child to end
// (at once to SIGKILL without a pidfd), then kills it and reaps it. Its
// wait status.
int StopAndReap(pid_t pid, int pidFd, int signo, std::chrono::milliseconds bound);
