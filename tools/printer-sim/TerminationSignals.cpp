#include "TerminationSignals.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/signalfd.h>

Outcome<UniqueFd> WatchTerminationSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    if (sigprocmask(SIG_BLOCK, &signals, nullptr) != 0)
        return Outcome<UniqueFd>::Fail(std::string("sigprocmask: ") + std::strerror(errno));
    UniqueFd watch(signalfd(-1, &signals, SFD_NONBLOCK | SFD_CLOEXEC));
    if (!watch.Valid())
        return Outcome<UniqueFd>::Fail(std::string("signalfd: ") + std::strerror(errno));
    return Outcome<UniqueFd>::Ok(std::move(watch));
}
