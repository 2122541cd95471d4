#include "Process.h"

#include "ChildCalls.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void drain(int fd, std::string& into) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0)
            into.append(buffer, static_cast<std::size_t>(n));
        else if (n < 0 && errno == EINTR)
            continue;
        else
            return;
    }
}

} // namespace

Process::Process(std::vector<std::string> argv, std::vector<std::string> env) {
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    auto args = CStrings(argv);
    auto envp = CStrings(env);
    m_Start = std::chrono::steady_clock::now();
    m_Pid = fork();
    if (m_Pid < 0)
        throw std::runtime_error("fork failed");
    if (m_Pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    m_OutFd = out[0];
    m_ErrFd = err[0];
    fcntl(m_OutFd, F_SETFL, O_NONBLOCK);
    fcntl(m_ErrFd, F_SETFL, O_NONBLOCK);
}

Process::~Process() {
    if (m_Pid > 0) {
        kill(m_Pid, SIGKILL);
        waitpid(m_Pid, nullptr, 0);
    }
    if (m_OutFd >= 0)
        close(m_OutFd);
    if (m_ErrFd >= 0)
        close(m_ErrFd);
}

// Without reaping it, so that Wait() still gets its status.
bool Process::HasEnded() const {
    if (m_Pid <= 0)
        return true;
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(m_Pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
           info.si_pid != 0;
}

void Process::Signal(int signo) const {
    if (m_Pid > 0)
        kill(m_Pid, signo);
}

bool Process::AwaitOutput(const std::string& text, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        drain(m_OutFd, m_Out);
        drain(m_ErrFd, m_Err);
        if (m_Out.find(text) != std::string::npos || m_Err.find(text) != std::string::npos)
            return true;
        if (HasEnded() || std::chrono::steady_clock::now() >= deadline)
            return false;
        pollfd fds[2] = {{m_OutFd, POLLIN, 0}, {m_ErrFd, POLLIN, 0}};
        poll(fds, 2, 20);
    }
}

ProcessResult Process::Wait(std::chrono::milliseconds bound) {
    return waitUntil(m_Start + bound);
}

ProcessResult Process::Stop(int signo, std::chrono::milliseconds grace) {
    Signal(signo);
    return waitUntil(std::chrono::steady_clock::now() + grace);
}

ProcessResult Process::waitUntil(std::chrono::steady_clock::time_point deadline) {
    using namespace std::chrono;
    ProcessResult result;
    result.out = std::move(m_Out);
    result.err = std::move(m_Err);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(m_Pid, &status, WNOHANG);
        if (done == m_Pid)
            break;
        const auto now = steady_clock::now();
        if (now >= deadline) {
            kill(m_Pid, SIGKILL);
            waitpid(m_Pid, &status, 0);
            result.killedAtBound = true;
            break;
        }
        pollfd fds[2] = {{m_OutFd, POLLIN, 0}, {m_ErrFd, POLLIN, 0}};
        poll(fds, 2, 20);
        drain(m_OutFd, result.out);
        drain(m_ErrFd, result.err);
    }
    result.elapsed = duration_cast<milliseconds>(steady_clock::now() - m_Start);
    m_Pid = -1;
    drain(m_OutFd, result.out);
    drain(m_ErrFd, result.err);
    if (!result.killedAtBound) {
        if (WIFEXITED(status))
            result.exitStatus = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            result.signal = WTERMSIG(status);
    }
    return result;
}

std::vector<std::string> CleanEnvironment(std::vector<std::string> extra) {
    // No run reaches the machine's own DNS-SD daemon, which would browse the
    // real network: the system bus is one that does not exist.
    std::vector<std::string> env{"PATH=/usr/bin:/bin", "LANG=C",
                                 "DBUS_SYSTEM_BUS_ADDRESS=" + std::string(kNoSystemBus)};
    // The sanitizers of a sanitized build read their options from here.
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
        if (const char* value = std::getenv(name))
            env.push_back(std::string(name) + "=" + value);
    for (auto& e : extra) {
        const auto name = e.substr(0, e.find('=') + 1);
        std::erase_if(env, [&name](const std::string& old) { return old.starts_with(name); });
        env.push_back(std::move(e));
    }
    return env;
}
