// Runs a program as a child process with a given environment, capturing its
// standard output and standard error, and never waiting past a bound.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

struct ProcessResult {
    std::optional<int> exitStatus; // none when it ended by a signal or was killed at the bound
    std::optional<int> signal;
    bool killedAtBound = false;
    std::string out;
    std::string err;
    std::chrono::milliseconds elapsed{0};
};

class Process {
public:
    // `env` entries are "NAME=value"; the child gets exactly these.
    Process(std::vector<std::string> argv, std::vector<std::string> env);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t Pid() const { return m_Pid; }
    void Signal(int signo) const;
    // Waits for the child; kills it with SIGKILL when `bound` passes first.
    ProcessResult Wait(std::chrono::milliseconds bound);

private:
    pid_t m_Pid = -1;
    int m_OutFd = -1;
    int m_ErrFd = -1;
    std::chrono::steady_clock::time_point m_Start;
};

// The environment of a clean run: PATH and LANG=C and nothing of the tool's own.
std::vector<std::string> CleanEnvironment(std::vector<std::string> extra = {});
