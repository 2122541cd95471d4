// queueconfig DEVICE-URI PPD-PATH
//
// Asks the printer behind DEVICE-URI for its settings and writes the queue's
// PPD, rewritten, to standard output. Exits 0, or 1 when anything failed.

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "Class/Argument.h"
#include "Class/AutoConfigUtility.h"
#include "Class/Error.h"
#include "Platform/EventLoop.h"

namespace {

// exit() is not safe inside a signal handler; what was written stays written.
void sigcatch(int) {
    _exit(1);
}

} // namespace

int main(int argc, char** argv) {
    Argument arguments(argc, argv);
    EventLoop eventLoop;
    AutoConfigUtility utility(eventLoop);

    if (std::signal(SIGTERM, sigcatch) == SIG_ERR) {
        std::fputs("failed to set signalhandler\n", stderr);
        return 1;
    }

    utility.DoInit(&arguments);

    if (eventLoop.Run() != 0) {
        std::fprintf(stderr, "event loop failed: %s\n", std::strerror(errno));
        SetLastErrorType(kErrorOutOfMemory);
    }
    utility.SaveAutoConfigwithJobID();

    int result = 0;
    if (GetLastErrorType() != kErrorNone) {
        utility.showAlert(kErrorDeviceOption);
        result = 1;
    }
    return result;
}
