// The simulator's command line:
//   printer-sim --description FILE (--address A | --address-range FIRST-LAST) [--log FILE]
//               [--lifeline FD]
// With --lifeline the simulator also ends when FD (a pipe whose write end its
// starter holds) reaches end of file, so it never outlives a crashed test.
#pragma once

#include "LoopbackAddress.h"
#include "Outcome.h"

#include <string>
#include <string_view>
#include <vector>

struct SimOptions {
    std::string descriptionPath;
    AddressRange addresses; // one address is a range of one
    std::string logPath;    // empty: no log
    int lifelineFd = -1;    // none
};

inline constexpr std::string_view kUsage =
    "usage: printer-sim --description FILE (--address A | --address-range FIRST-LAST) "
    "[--log FILE] [--lifeline FD]";

// `args` are the arguments after the program name.
Outcome<SimOptions> ParseCommandLine(const std::vector<std::string_view>& args);
