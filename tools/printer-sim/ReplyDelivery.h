// What of a reply goes out on the wire, as the printer's tcp-behaviour has it.
// Pacing (slow) is the connection's business; this settles the bytes.
#pragma once

#include "PrinterDescription.h"

#include <string>

struct Delivery {
    std::string bytes;
    bool closeAfter = false; // close the connection once these are sent
};

// An empty reply is never delivered, whatever the behaviour.
Delivery PlanDelivery(std::string reply, const PrinterDescription& printer);
