#include "SimulatedPrinter.h"

#include "ChildCalls.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kReadyBound{5};
constexpr std::chrono::seconds kStopBound{2};
constexpr const char* kDescriptionFile = "printer.desc";
constexpr const char* kLogFile = "requests.log";
constexpr const char* kStderrFile = "stderr.txt";

// Runs in the forked child: only async-signal-safe calls until exec.
[[noreturn]] void ExecSimulator(int lifeline, int out, int err, std::vector<char*>& argv) {
    dup2(lifeline, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    execv(argv[0], argv.data());
    static constexpr char kFailed[] = "cannot run printer-sim\n";
    [[maybe_unused]] const auto ignored = write(STDERR_FILENO, kFailed, sizeof kFailed - 1);
    _exit(127);
}

} // namespace

std::unique_ptr<SimulatedPrinter> SimulatedPrinter::Start(const std::string& description,
                                                          std::string* whyNot,
                                                          const std::string& range) {
    std::string why;
    try {
        std::unique_ptr<SimulatedPrinter> printer(new SimulatedPrinter());
        printer->m_Folder.Write(kDescriptionFile, description);
        if (printer->Launch(range, &why) && printer->AwaitReady(&why))
            return printer;
    } catch (const std::exception& failure) { // the temporary folder could not be made
        why = failure.what();
    }
    if (whyNot)
        *whyNot = why;
    return nullptr;
}

SimulatedPrinter::~SimulatedPrinter() {
    // A simulator that did not end cleanly (a sanitizer report, say) is worth a word.
    const bool running = m_Pid > 0;
    if (running && Stop() != 0)
        std::fprintf(stderr, "printer-sim at %s did not exit cleanly%s\n", m_Address.c_str(),
                     Diagnostics().c_str());
}

std::string SimulatedPrinter::Log() const {
    return ReadFile(m_Folder.Path() / kLogFile);
}

std::optional<int> SimulatedPrinter::Stop() {
    return Reap(SIGTERM);
}

bool SimulatedPrinter::Launch(const std::string& range, std::string* whyNot) {
    std::vector<std::string> args{QC_PRINTER_SIM,
                                  "--description",
                                  (m_Folder.Path() / kDescriptionFile).string(),
                                  "--address-range",
                                  range,
                                  "--log",
                                  (m_Folder.Path() / kLogFile).string(),
                                  "--lifeline",
                                  "0"};
    std::vector<char*> argv = CStrings(args);
    const auto errPath = (m_Folder.Path() / kStderrFile).string();
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    int out[2];
    // The simulator's stdin: when this process ends, however it ends, the
    // write end closes and the simulator follows.
    int lifeline[2];
    if (err < 0 || pipe2(out, O_CLOEXEC) != 0) {
        *whyNot = std::string("cannot set up printer-sim's output: ") + std::strerror(errno);
        if (err >= 0)
            close(err);
        return false;
    }
    if (pipe2(lifeline, O_CLOEXEC) != 0) {
        *whyNot = std::string("cannot set up printer-sim's lifeline: ") + std::strerror(errno);
        for (int fd : {err, out[0], out[1]})
            close(fd);
        return false;
    }
    m_Pid = fork();
    if (m_Pid == 0)
        ExecSimulator(lifeline[0], out[1], err, argv);
    const int forkError = errno;
    close(lifeline[0]);
    close(out[1]);
    close(err);
    m_Stdout = out[0];
    m_Lifeline = lifeline[1];
    if (m_Pid < 0) {
        *whyNot = std::string("fork failed: ") + std::strerror(forkError);
        return false;
    }
    m_PidFd = OpenPidFd(m_Pid);
    if (m_PidFd < 0) {
        *whyNot = std::string("pidfd_open failed: ") + std::strerror(errno);
        Reap(SIGKILL);
        return false;
    }
    return true;
}

bool SimulatedPrinter::AwaitReady(std::string* whyNot) {
    const auto until = Clock::now() + kReadyBound;
    std::string out;
    while (out.find('\n') == std::string::npos) {
        if (!WaitReadable(m_Stdout, until)) {
            Reap(SIGKILL);
            *whyNot = "printer-sim was not ready within 5 s" + Diagnostics();
            return false;
        }
        char buffer[256];
        const ssize_t got = read(m_Stdout, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            const auto status = Reap(0);
            *whyNot = "printer-sim ended before it was ready (exit status " +
                      (status ? std::to_string(*status) : std::string("none")) + ")" +
                      Diagnostics();
            return false;
        }
        out.append(buffer, static_cast<std::size_t>(got));
    }
    if (!out.starts_with("ready ") || out.find('\n') + 1 != out.size()) {
        Reap(SIGKILL);
        *whyNot = "printer-sim wrote '" + Trimmed(out) + "' instead of its ready line";
        return false;
    }
    m_Address = Trimmed(out.substr(6));
    return true;
}

std::optional<int> SimulatedPrinter::Reap(int signo) {
    if (m_Pid <= 0)
        return m_ExitStatus;
    const int status = StopAndReap(m_Pid, m_PidFd, signo, kStopBound);
    m_Pid = -1;
    for (int* fd : {&m_PidFd, &m_Stdout, &m_Lifeline})
        if (*fd >= 0)
            close(std::exchange(*fd, -1));
    if (WIFEXITED(status))
        m_ExitStatus = WEXITSTATUS(status);
    return m_ExitStatus;
}

std::string SimulatedPrinter::Diagnostics() const {
    const auto err = Trimmed(ReadFile(m_Folder.Path() / kStderrFile));
    return err.empty() ? std::string() : "; its stderr: " + err;
}
