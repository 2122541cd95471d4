// The DNS-SD port without a daemon: how it takes its service name from the
// URI, what its browse callback does with each kind of event, and how it picks
// the address of a resolved service. Runs against a real Avahi daemon are in
// the DNS-SD tests.
#include "Class/BonjourPort.h"
#include "Process.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cstring>
#include <memory>

namespace {

// Every port made here looks for a daemon where none can be, so that no test
// ever browses through the machine's own daemon on the real network.
class WithoutDaemon {
protected:
    // A port whose failed search leaves its line (checked on its own below)
    // out of the test's output.
    static std::unique_ptr<BonjourPort> quietPort(const char* uri, EventLoop& loop) {
        testing::internal::CaptureStderr();
        auto port = std::make_unique<BonjourPort>("Queue", "ID", uri, loop);
        testing::internal::GetCapturedStderr();
        return port;
    }

private:
    ScopedEnv m_Bus{"DBUS_SYSTEM_BUS_ADDRESS", kNoSystemBus};
};

struct DeviceNameCase {
    const char* name;
    const char* uri;
    std::optional<std::string> service;
};

class BonjourDeviceNameTest : public testing::TestWithParam<DeviceNameCase>,
                              public WithoutDaemon {};

TEST_P(BonjourDeviceNameTest, ServiceNameIsTheTextUpToTheFirstDot) {
    EventLoop loop;
    const auto port = quietPort(GetParam().uri, loop);
    EXPECT_EQ(port->GetPrinterDeviceName(), GetParam().service);
    EXPECT_EQ(port->GetIPv4Address(), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Uris, BonjourDeviceNameTest,
    testing::Values(
        DeviceNameCase{"Plain", "dnssd://Office._pdl-datastream._tcp.local./", "Office"},
        DeviceNameCase{"EscapesKept", "dnssd://Office%20Printer._pdl-datastream._tcp.local./",
                       "Office%20Printer"},
        DeviceNameCase{"DotInNameCuts", "mdns://Floor.2%20Printer._pdl-datastream._tcp.local./",
                       "Floor"},
        DeviceNameCase{"NoDot", "dnssd://Office", std::nullopt}),
    [](const testing::TestParamInfo<DeviceNameCase>& info) {
        return std::string(info.param.name);
    });

class BonjourPortTest : public testing::Test, public WithoutDaemon {};

TEST_F(BonjourPortTest, WithoutADaemonTheSearchFailsWithOneLineAndNoAddressEverComes) {
    EventLoop loop;
    testing::internal::CaptureStderr();
    BonjourPort port("Queue", "ID", "dnssd://Office._pdl-datastream._tcp.local./", loop);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "CFNetServiceBrowserSearchForServices returned (domain = 10, error = -26)\n");
    EXPECT_EQ(loop.WatchCount(), 0u);
    EXPECT_EQ(loop.TimerCount(), 0u);
    EXPECT_EQ(port.GetIPv4Address(), std::nullopt);
}

struct BrowseCase {
    const char* name;
    const char* uri;
    unsigned long flags;
    const char* announced;
    StreamError error;
    const char* stderrText;
};

class BrowseCallBackTest : public testing::TestWithParam<BrowseCase>, public WithoutDaemon {};

// A browser that never connected: a resolution asked of it fails at once with
// a line, so "no line" also shows that none was asked for.
TEST_P(BrowseCallBackTest, EventIsReportedOrIgnoredAndAStoredAddressStays) {
    const BrowseCase& c = GetParam();
    EventLoop loop;
    const auto port = quietPort(c.uri, loop);
    port->SetIPv4Address("127.0.0.5");
    NetServiceBrowser unconnected(loop, BonjourPort::NetServiceBrowserClientCallBack, port.get());
    const NetService service{c.announced, "_pdl-datastream._tcp", "local", 1, 0, std::nullopt};

    testing::internal::CaptureStderr();
    BonjourPort::NetServiceBrowserClientCallBack(&unconnected, c.flags, &service, &c.error,
                                                 port.get());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.stderrText);
    EXPECT_EQ(port->GetIPv4Address(), "127.0.0.5");
    EXPECT_EQ(unconnected.PendingResolutions(), 0u);
}

constexpr const char* kOffice = "dnssd://Office._pdl-datastream._tcp.local./";

INSTANTIATE_TEST_SUITE_P(
    Events, BrowseCallBackTest,
    testing::Values(BrowseCase{"ErrorIsReportedFirst",
                               kOffice,
                               8,
                               "Office",
                               {10, -23},
                               "MyBrowseCallBack returned (domain = 10, error = -23)\n"},
                    BrowseCase{"RemovalIsReported",
                               kOffice,
                               8,
                               "Office",
                               {},
                               "MyBrowseCallBack returned (domain = 0, flags = 8)\n"},
                    BrowseCase{"NameInOtherCaseIsAnotherPrinter", kOffice, 0, "office", {}, ""},
                    BrowseCase{"EscapeIsNotABlank",
                               "dnssd://Office%20Printer._pdl-datastream._tcp.local./",
                               0,
                               "Office Printer",
                               {},
                               ""},
                    BrowseCase{
                        "NoServiceNameTakesNoService", "dnssd://Office", 0, "Office", {}, ""},
                    BrowseCase{"MatchIsResolved",
                               kOffice,
                               0,
                               "Office",
                               {},
                               "MyBrowseCallBack returned (domain = 10, error = -2)\n"}),
    [](const testing::TestParamInfo<BrowseCase>& info) { return std::string(info.param.name); });

sockaddr_storage inet(const char* address, std::uint16_t port) {
    sockaddr_storage storage{};
    auto* in = reinterpret_cast<sockaddr_in*>(&storage);
    in->sin_family = AF_INET;
    in->sin_port = htons(port);
    inet_pton(AF_INET, address, &in->sin_addr);
    return storage;
}

sockaddr_storage inet6(const char* address, std::uint16_t port) {
    sockaddr_storage storage{};
    auto* in6 = reinterpret_cast<sockaddr_in6*>(&storage);
    in6->sin6_family = AF_INET6;
    in6->sin6_port = htons(port);
    inet_pton(AF_INET6, address, &in6->sin6_addr);
    return storage;
}

struct AddressCase {
    const char* name;
    std::optional<std::vector<sockaddr_storage>> addressing;
    std::optional<std::string> address;
    std::string port;
};

class FirstIPv4AddressTest : public testing::TestWithParam<AddressCase> {};

TEST_P(FirstIPv4AddressTest, TakesTheFirstIPv4EntryAndSkipsIPv6) {
    NetService service{"Office", "_pdl-datastream._tcp", "local", 1, 0, GetParam().addressing};
    std::string address = "unchanged";
    std::string port = "unchanged";
    const bool found = BonjourPort::copyFirstIPv4Address(&service, &address, &port);
    EXPECT_EQ(found, GetParam().address.has_value());
    EXPECT_EQ(address, GetParam().address.value_or("unchanged"));
    EXPECT_EQ(port, GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(
    Addressing, FirstIPv4AddressTest,
    testing::Values(
        AddressCase{"IPv4", {{inet("127.0.0.5", 9100)}}, "127.0.0.5", "9100"},
        AddressCase{"IPv6ThenTwoIPv4",
                    {{inet6("::1", 9100), inet("127.0.0.7", 631), inet("127.0.0.5", 9100)}},
                    "127.0.0.7",
                    "631"},
        AddressCase{
            "IPv6Only", {{inet6("::1", 9100), inet6("fe80::1", 9100)}}, std::nullopt, "unchanged"},
        AddressCase{"EmptyList", {std::vector<sockaddr_storage>{}}, std::nullopt, "unchanged"},
        AddressCase{"NotResolved", std::nullopt, std::nullopt, "unchanged"}),
    [](const testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

class BonjourPortDeathTest : public testing::Test, public WithoutDaemon {};

TEST_F(BonjourPortDeathTest, AssertionsNameTheExpressionTheFunctionAndTheUnit) {
    EventLoop loop;
    const auto port = quietPort(kOffice, loop);
    EXPECT_DEATH(port->StartBrowsingForServices(nullptr, ""),
                 "Assertion failed: \\(type != NULL\\), function StartBrowsingForServices, "
                 "file Sources/Class/PrinterPort, line [0-9]+\\.");
    EXPECT_DEATH(port->StartBrowsingForServices("_pdl-datastream._tcp", nullptr),
                 "\\(domain != NULL\\), function StartBrowsingForServices");
    NetService service;
    std::string text;
    EXPECT_DEATH(BonjourPort::copyFirstIPv4Address(&service, nullptr, &text),
                 "\\(addressString != NULL\\), function copyFirstIPv4Address, "
                 "file Sources/Class/PrinterPort");
}

} // namespace
