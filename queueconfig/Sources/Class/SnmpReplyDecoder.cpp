#include "Class/SnmpReplyDecoder.h"

#include <algorithm>

std::string DecodeSnmpValue(const unsigned char* datagram, std::size_t received,
                            std::size_t requestLength, int* lastIndex) {
    const std::size_t valueStart = requestLength;
    *lastIndex = static_cast<int>(valueStart) - 1;
    if (valueStart == 0 || valueStart - 1 >= received)
        return {};
    const int length = static_cast<signed char>(datagram[valueStart - 1]);
    if (length <= 0)
        return {};
    const std::size_t available = received > valueStart ? received - valueStart : 0;
    const std::size_t taken = std::min(static_cast<std::size_t>(length), available);
    *lastIndex = static_cast<int>(valueStart + taken) - 1;
    return std::string(reinterpret_cast<const char*>(datagram + valueStart), taken);
}
