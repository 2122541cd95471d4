#include "RequestLog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

bool RequestLog::Open(const std::string& path, std::string* why) {
    m_File = UniqueFd(open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (!m_File.Valid()) {
        *why = "cannot open log " + path + ": " + std::strerror(errno);
        return false;
    }
    m_Path = path;
    return true;
}

void RequestLog::Write(std::string_view line) const {
    if (!m_File.Valid())
        return;
    // One write for the whole line, so a reader never sees half of one.
    const std::string text = std::string(line) + "\n";
    const ssize_t written = write(m_File.Get(), text.data(), text.size());
    if (written != static_cast<ssize_t>(text.size()))
        std::fprintf(stderr, "printer-sim: cannot write log %s: %s\n", m_Path.c_str(),
                     written < 0 ? std::strerror(errno) : "short write");
}
