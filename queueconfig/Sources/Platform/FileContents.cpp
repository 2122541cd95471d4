#include "FileContents.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0)
            close(fd);
    }
};

} // namespace

std::optional<std::string> ReadFileContents(const std::filesystem::path& path, std::size_t limit) {
    FileDescriptor file{open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        return std::nullopt;
    struct stat info {};
    if (fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t n = read(file.fd, buffer, sizeof buffer);
        if (n == 0)
            return bytes;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (bytes.size() + static_cast<std::size_t>(n) > limit)
            return std::nullopt;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}
