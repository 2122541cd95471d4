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
    // Reads the child's output until `text` appears on standard output or
    // standard error (true), the child ends or `bound` passes (false). What was
    // read stays part of the result of Wait().
    bool AwaitOutput(const std::string& text, std::chrono::milliseconds bound);
    // True once the child has ended (it is reaped by Wait()).
    bool HasEnded() const;
    // Waits for the child; kills it with SIGKILL when `bound` passes first.
    ProcessResult Wait(std::chrono::milliseconds bound);
    // Sends `signo`, then waits as Wait() does, for at most `grace` from now.
    ProcessResult Stop(int signo, std::chrono::milliseconds grace);

private:
    ProcessResult waitUntil(std::chrono::steady_clock::time_point deadline);

    pid_t m_Pid = -1;
    int m_OutFd = -1;
    int m_ErrFd = -1;
    std::chrono::steady_clock::time_point m_Start;
    std::string m_Out;
    std::string m_Err;
};

// A D-Bus address where no bus ever listens.
inline constexpr const char* kNoSystemBus = "unix:path=/nonexistent/queueconfig-tests/bus";

// The environment of a clean run: PATH and LANG=C, the system bus pointed at
// kNoSystemBus, and nothing of the tool's own.
std::vector<std::string> CleanEnvironment(std::vector<std::string> extra = {});
