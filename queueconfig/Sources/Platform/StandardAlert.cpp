#include "StandardAlert.h"

#include <string>

int RunStandardAlert(std::string_view message, std::FILE* stream) {
    std::string line(message);
    for (char& c : line)
        if (c == '\n' || c == '\r')
            c = ' ';
    line += '\n';
    if (std::fwrite(line.data(), 1, line.size(), stream) != line.size())
        return -1;
    return std::fflush(stream) == 0 ? 0 : -1;
}
