// A printer-sim process for one test: started from a description text on the
// first free loopback address of a range, stopped when the object goes.
#pragma once

#include "TestSupport.h"

#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>

class SimulatedPrinter {
public:
    // Writes the description to a temporary folder, starts printer-sim on the
    // first free address of `range`, and waits (at most 5 s) for its ready line.
    // On failure: none, with the reason in *whyNot (the simulator's stderr included).
    static std::unique_ptr<SimulatedPrinter>
    Start(const std::string& description, std::string* whyNot = nullptr,
          const std::string& range = "127.0.100.1-127.0.100.254");
    // Stop(), unless that happened already; a bad exit is reported on stderr.
    ~SimulatedPrinter();
    SimulatedPrinter(const SimulatedPrinter&) = delete;
    SimulatedPrinter& operator=(const SimulatedPrinter&) = delete;

    const std::string& Address() const { return m_Address; }
    // The request log so far: one line per request the simulator received.
    std::string Log() const;
    // SIGTERM, at most 2 s to end, then SIGKILL; reaps the process. Its exit
    // status, none when it ended by a signal.
    std::optional<int> Stop();

private:
    SimulatedPrinter() = default;
    bool Launch(const std::string& range, std::string* whyNot);
    bool AwaitReady(std::string* whyNot);
    // Sends `signo` (none when 0), waits up to 2 s, then kills and reaps.
    std::optional<int> Reap(int signo);
    std::string Diagnostics() const;

    TempDir m_Folder;
    pid_t m_Pid = -1;
    int m_PidFd = -1;
    int m_Stdout = -1;
    int m_Lifeline = -1;
    std::optional<int> m_ExitStatus;
    std::string m_Address;
};
