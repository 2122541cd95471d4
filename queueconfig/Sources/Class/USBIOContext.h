// What one USB query holds of its printer: the matched interface (null when
// no printer matched) and the endpoint addresses of its bulk pipes (0 when it
// has none of that kind). Made afresh for every query.
#pragma once

#include "Platform/USBBus.h"

#include <cstdint>
#include <memory>

struct USBIOContext {
    std::unique_ptr<USBInterface> interface;
    std::uint8_t bulkOutPipe = 0;
    std::uint8_t bulkInPipe = 0;
};
