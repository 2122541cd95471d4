// The DNS-SD tests run in a network of their own with a real Avahi daemon:
// this process moves into new namespaces before any test starts, and one
// daemon serves all tests of the process.
#include <gtest/gtest.h>

#include "AvahiPeer.h"
#include "DnssdPeer.h"
#include "PrivateNetwork.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::unique_ptr<AvahiPeer> g_Peer;

class AvahiEnvironment : public testing::Environment {
public:
    void SetUp() override {
        std::string whyNot;
        g_Peer = AvahiPeer::Start(&whyNot);
        ASSERT_NE(g_Peer, nullptr) << whyNot;
        // The tests' own DNS-SD clients talk to this daemon.
        setenv("DBUS_SYSTEM_BUS_ADDRESS", g_Peer->BusAddress().c_str(), 1);
    }
    void TearDown() override { g_Peer.reset(); }
};

} // namespace

AvahiPeer& DnssdPeer() {
    return *g_Peer;
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    TempDir runFolder;
    std::string whyNot;
    if (!EnterPrivateNetwork(runFolder.Path(), &whyNot)) {
        std::fprintf(stderr, "cannot make a network of the tests' own: %s\n", whyNot.c_str());
        return 1;
    }
    testing::AddGlobalTestEnvironment(new AvahiEnvironment);
    return RUN_ALL_TESTS();
}
