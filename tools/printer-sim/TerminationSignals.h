// SIGTERM and SIGINT as a readable descriptor, so the poll loop sees them like
// any other event and there is no flag to race against.
#pragma once

#include "Outcome.h"
#include "UniqueFd.h"

// Blocks both signals for the process and returns a signalfd that becomes
// readable when either arrives. Call before anything else can take time.
Outcome<UniqueFd> WatchTerminationSignals();
