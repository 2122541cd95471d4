// A DNS-SD service as the browser reports it, and once resolved, the socket
// addresses it was found at.
#pragma once

#include <optional>
#include <string>
#include <sys/socket.h>
#include <vector>

struct NetService {
    std::string name; // as announced: UTF-8, without DNS escapes
    std::string type;
    std::string domain;
    // Where it was seen (Avahi's interface index and protocol); a resolution
    // asks there.
    int interfaceIndex = -1;
    int protocol = -1;
    // The resolved addresses in the order found; none before resolution.
    std::optional<std::vector<sockaddr_storage>> addressing;
};

// An error as the DNS-SD layer reports it: zero codes mean none.
struct StreamError {
    long domain = 0;
    long error = 0;
};
