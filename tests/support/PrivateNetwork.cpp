#include "PrivateNetwork.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

bool failed(const std::string& what, std::string* whyNot) {
    *whyNot = what + ": " + std::strerror(errno);
    return false;
}

bool writeFile(const char* path, const std::string& text) {
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool whole = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return whole;
}

bool bringLoopbackUp(std::string* whyNot) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return failed("socket", whyNot);
    ifreq request{};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    bool up = ioctl(fd, SIOCGIFFLAGS, &request) == 0;
    if (up) {
        request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
        up = ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    }
    if (!up)
        failed("bringing lo up", whyNot);
    close(fd);
    return up;
}

} // namespace

bool EnterPrivateNetwork(const std::filesystem::path& runFolder, std::string* whyNot) {
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    const bool asUser = geteuid() != 0;
    if (unshare(CLONE_NEWNET | CLONE_NEWNS | (asUser ? CLONE_NEWUSER : 0)) != 0)
        return failed("unshare", whyNot);
    if (asUser && !(writeFile("/proc/self/setgroups", "deny") &&
                    writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
                    writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")))
        return failed("mapping the user to root", whyNot);
    // Mounts made from here on stay in this namespace.
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return failed("making mounts private", whyNot);
    if (mount(runFolder.c_str(), "/run", nullptr, MS_BIND, nullptr) != 0)
        return failed("mounting " + runFolder.string() + " on /run", whyNot);
    return bringLoopbackUp(whyNot);
}
