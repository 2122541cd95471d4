// The request log: one line per request, appended and written through at once,
// so a test reading the file sees every request answered so far.
#pragma once

#include "UniqueFd.h"

#include <string>
#include <string_view>

class RequestLog {
public:
    RequestLog() = default; // logs nothing
    // Opens `path` for appending; false with the reason in *why.
    bool Open(const std::string& path, std::string* why);
    void Write(std::string_view line) const;

private:
    UniqueFd m_File;
    std::string m_Path;
};
