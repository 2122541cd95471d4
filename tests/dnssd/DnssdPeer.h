// The Avahi daemon that the DNS-SD tests of this process share; it runs for
// every test (DnssdTestMain.cpp starts it).
#pragma once

#include "AvahiPeer.h"

AvahiPeer& DnssdPeer();
