#include "Class/BonjourPort.h"
#include "Class/Error.h"
#include "Class/LPDPort.h"
#include "Class/PrinterPortCreater.h"
#include "Class/USBPort.h"
#include "Process.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

enum class Kind { None, USB, Bonjour, LPD };

Kind KindOf(const PrinterPort* port) {
    if (port == nullptr)
        return Kind::None;
    if (dynamic_cast<const USBPort*>(port))
        return Kind::USB;
    if (dynamic_cast<const BonjourPort*>(port))
        return Kind::Bonjour;
    if (dynamic_cast<const LPDPort*>(port))
        return Kind::LPD;
    return Kind::None;
}

// Answers every host lookup with "not found", so no test asks a name server.
class NoNameServer : public SocketCalls {
public:
    int GetAddrInfo(const char* node, const addrinfo*, addrinfo**) override {
        asked.emplace_back(node);
        return EAI_NONAME;
    }
    std::vector<std::string> asked;
};

struct SchemeCase {
    const char* name;
    const char* uri;
    Kind kind;
};

// DNS-SD ports look for a daemon where none can be, never the machine's own.
class CreatePortTest : public testing::TestWithParam<SchemeCase> {
    ScopedEnv m_Bus{"DBUS_SYSTEM_BUS_ADDRESS", kNoSystemBus};
};

TEST_P(CreatePortTest, SchemePicksThePort) {
    NoNameServer sockets;
    const auto uri = URL::CreateWithString(GetParam().uri);
    ASSERT_TRUE(uri.has_value());
    EventLoop loop;
    auto port = PrinterPortCreater().CreatePort(uri, "Queue", "ID", loop, sockets);
    EXPECT_EQ(KindOf(port.get()), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Schemes, CreatePortTest,
    testing::Values(SchemeCase{"usb", "usb://Velmark/CL5400?serial=A1", Kind::USB},
                    SchemeCase{"velusb", "velusb://Velmark/CL5400?serial=A1", Kind::USB},
                    SchemeCase{"mdns", "mdns://Office._pdl-datastream._tcp.local./", Kind::Bonjour},
                    SchemeCase{"dnssd", "dnssd://Office._pdl-datastream._tcp.local./",
                               Kind::Bonjour},
                    SchemeCase{"lpd", "lpd://printer.example/queue", Kind::LPD},
                    SchemeCase{"socket", "socket://printer.example:9100", Kind::LPD},
                    SchemeCase{"ipp", "ipp://printer.example:631/ipp/print", Kind::LPD},
                    SchemeCase{"UpperCaseUSB", "USB://Velmark/CL5400", Kind::None},
                    SchemeCase{"MixedCaseIpp", "Ipp://printer.example/", Kind::None},
                    SchemeCase{"ipps", "ipps://printer.example/", Kind::None},
                    SchemeCase{"http", "http://printer.example/", Kind::None},
                    SchemeCase{"NoScheme", "printer.example/queue", Kind::None}),
    [](const testing::TestParamInfo<SchemeCase>& info) { return std::string(info.param.name); });

TEST(PrinterPortCreaterTest, NoURIGivesNoPort) {
    EventLoop loop;
    EXPECT_EQ(PrinterPortCreater().CreatePort(std::nullopt, "Queue", "ID", loop), nullptr);
}

struct MidCase {
    const char* name;
    const char* source;
    const char* start;
    const char* end;
    unsigned long startOptions;
    unsigned long endOptions;
    std::optional<std::string> result;
};

class CreateCFStringMidTest : public testing::TestWithParam<MidCase> {};

TEST_P(CreateCFStringMidTest, CutsBetweenTheMarkers) {
    const MidCase& c = GetParam();
    EXPECT_EQ(
        PrinterPort::CreateCFStringMid(c.source, c.start, c.end, c.startOptions, c.endOptions),
        c.result);
}

constexpr unsigned long kBack = PrinterPort::kCompareBackwards;

INSTANTIATE_TEST_SUITE_P(
    Markers, CreateCFStringMidTest,
    testing::Values(
        MidCase{"BothEmptyCopiesAll", "usb://V/M", "", "", 0, 0, "usb://V/M"},
        MidCase{"EmptySource", "", "", "", 0, 0, ""},
        MidCase{"ServiceName", "dnssd://Office._pdl-datastream._tcp.local./", "://", ".", 0, 0,
                "Office"},
        MidCase{"EmptyStartFromTheBeginning", "a=b&c", "", "&", 0, 0, "a=b"},
        MidCase{"EmptyEndToTheEnd", "usb://V/M?serial=9", "serial=", "", 0, 0, "9"},
        MidCase{"StartBackwards", "a/b/c?x", "/", "?", kBack, 0, "c"},
        MidCase{"EndBackwards", "a.b.c", "", ".", 0, kBack, "a.b"},
        MidCase{"EndSearchedFromTheSourceStart", "x.y://z", "://", ".", 0, 0, std::nullopt},
        MidCase{"StartOnlyBehindTheLastEnd", "a.b.c://d", "://", ".", 0, kBack, std::nullopt},
        MidCase{"EndRightAtStartIsEmpty", "ab", "a", "b", 0, 0, ""},
        MidCase{"StartMissing", "abc", "x", "", 0, 0, std::nullopt},
        MidCase{"EndMissing", "abc", "a", "x", 0, 0, std::nullopt}),
    [](const testing::TestParamInfo<MidCase>& info) { return std::string(info.param.name); });

TEST(PrinterPortTest, DuplexNameRecordsOnlyWhetherThereWasOne) {
    PrinterPort port;
    EXPECT_EQ(port.GetPrinterDuplexName(), nullptr);
    port.SetPrinterDuplexName("anything", 5);
    EXPECT_STREQ(port.GetPrinterDuplexName(), "DUPLEX");
    port.SetPrinterDuplexName("anything", 0);
    EXPECT_STREQ(port.GetPrinterDuplexName(), "");
    port.SetPrinterDuplexName(nullptr, 5);
    EXPECT_STREQ(port.GetPrinterDuplexName(), "");
}

TEST(PrinterPortTest, UserNameCopiesTheGivenBytes) {
    PrinterPort port;
    EXPECT_EQ(port.GetPrinterVelUserName(), nullptr);
    port.SetPrinterVelUserName("alice-and-more", 5);
    EXPECT_STREQ(port.GetPrinterVelUserName(), "alice");
    port.SetPrinterVelUserName("bob", 3);
    EXPECT_STREQ(port.GetPrinterVelUserName(), "bob");
    port.SetPrinterVelUserName(nullptr, 3);
    EXPECT_STREQ(port.GetPrinterVelUserName(), "bob");
}

TEST(PrinterPortTest, QueriesWithoutAWayGiveNothingAndSetNoErrorType) {
    SetLastErrorType(kErrorNone);
    const char request[] = "\x1b%-12345X@PJL DINQUIRE VELUSER\r\n\x1b%-12345X";
    USBPort usb("usb://Velmark/CL5400?serial=A1");
    EXPECT_EQ(usb.CreateReplyCopy(request, sizeof(request), CommandLanguageMIB), std::nullopt);
    EXPECT_EQ(usb.GetIPv4Address(), std::nullopt);
    LPDPort lpd(*URL::CreateWithString("socket://127.0.0.1"));
    EXPECT_EQ(lpd.CreateReplyCopy(request, sizeof(request), static_cast<_CommandLanguage>(4)),
              std::nullopt);
    // A port without an address never reaches a socket.
    PrinterPort base;
    EXPECT_EQ(base.CreateReplyCopy(request, sizeof(request), CommandLanguagePJL), std::nullopt);
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

TEST(LPDPortTest, LooksTheHostUpOnceIgnoringThePortNumber) {
    LPDPort numeric(*URL::CreateWithString("ipp://127.0.0.7:631/ipp/print"));
    EXPECT_EQ(numeric.GetIPv4Address(), "127.0.0.7");
    LPDPort named(*URL::CreateWithString("lpd://localhost/queue"));
    EXPECT_EQ(named.GetIPv4Address(), "127.0.0.1");

    NoNameServer sockets;
    LPDPort unknown(*URL::CreateWithString("lpd://printer.example/queue"), sockets);
    EXPECT_EQ(unknown.GetIPv4Address(), std::nullopt);
    EXPECT_EQ(unknown.GetIPv4Address(), std::nullopt);
    EXPECT_EQ(sockets.asked, std::vector<std::string>{"printer.example"});
}

TEST(LPDPortTest, UnresolvedHostAnswersEveryQueryWithNothing) {
    SetLastErrorType(kErrorNone);
    NoNameServer sockets;
    LPDPort port(*URL::CreateWithString("socket://printer.example"), sockets);
    const char request[] = "\x1b%-12345X@PJL DINQUIRE VELUSER\r\n\x1b%-12345X";
    for (auto language : {CommandLanguagePJL, CommandLanguagePS, CommandLanguageMIB})
        EXPECT_EQ(port.CreateReplyCopy(request, sizeof(request), language), std::nullopt);
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

} // namespace
