#include "RequestFraming.h"

bool IsCompleteRequest(std::string_view received) {
    if (!received.ends_with(kUniversalExit))
        return false;
    const auto first = received.find(kUniversalExit);
    return first + kUniversalExit.size() <= received.size() - kUniversalExit.size();
}
