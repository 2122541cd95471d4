#include "ChildCalls.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

std::vector<char*> CStrings(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (auto& s : strings)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

bool WaitReadable(int fd, std::chrono::steady_clock::time_point until) {
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        pollfd watch{fd, POLLIN, 0};
        const int ready = poll(&watch, 1, static_cast<int>(std::max<long>(left.count(), 0)));
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0;
    }
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

int OpenPidFd(pid_t pid) {
    // glibc 2.36's <sys/pidfd.h> lacks C linkage for C++, so ask the kernel directly.
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
}

int StopAndReap(pid_t pid, int pidFd, int signo, std::chrono::milliseconds bound) {
    if (signo != 0)
        kill(pid, signo);
    if (pidFd < 0 || !WaitReadable(pidFd, std::chrono::steady_clock::now() + bound))
        kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}
