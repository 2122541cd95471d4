// The simulator as a process, reached over loopback the way the tool reaches a
// printer.
#include "CaseName.h"
#include "LoopbackClient.h"
#include "Process.h"
#include "SimulatedPrinter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <future>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using Clock = std::chrono::steady_clock;

const std::string kUel = "\x1b%-12345X";
const std::string kVelmark = R"(snmp 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0 = HX2
pjl VELUSER = HX2
ps /TwoLines = first\nsecond
ps /Three = abc
)";
const std::string kToolSnmpRequest =
    "\x30\x30\x02\x01\x00\x04\x06public\xA0\x23\x02\x04\x57\xDA\xB9\x28\x02\x01\x00\x02\x01\x00"
    "\x30\x15\x30\x13\x06\x0F\x2B\x06\x01\x04\x01\x98\x64\x01\x01\x01\x01\x01\x97\x38\x00\x05\x00"s;

std::unique_ptr<SimulatedPrinter> StartPrinter(const std::string& description) {
    std::string why;
    auto printer = SimulatedPrinter::Start(description, &why);
    EXPECT_TRUE(printer) << why;
    return printer;
}

// Sends `request` on a new connection and reads `expected.size()` bytes back.
std::string Ask(const SimulatedPrinter& printer, const std::string& request, std::size_t bytes) {
    TcpClient client(printer.Address());
    EXPECT_TRUE(client.Connected()) << std::strerror(client.Error());
    EXPECT_TRUE(client.Send(request));
    return client.Receive(bytes);
}

TEST(SimulatorProcessTest, AnswersPjlQueriesAndKeepsTheConnectionOpen) {
    const auto printer = StartPrinter(kVelmark);
    ASSERT_TRUE(printer);
    TcpClient client(printer->Address());
    ASSERT_TRUE(client.Connected()) << std::strerror(client.Error());
    const std::string first = "@PJL DINQUIRE VELUSER\r\nHX2\r\n\f@PJL INQUIRE NOPE\r\n\"?\"\r\n\f";
    ASSERT_TRUE(client.Send(kUel + "@PJL DINQUIRE VELUSER\r\n@PJL INQUIRE NOPE\r\n" + kUel));
    EXPECT_EQ(client.Receive(first.size()), first);
    const std::string second = "@PJL INFO VELUSER\r\nHX2\r\n\f";
    ASSERT_TRUE(client.Send(kUel + "@PJL INFO VELUSER\r\n" + kUel));
    EXPECT_EQ(client.Receive(second.size()), second);
    EXPECT_FALSE(client.PeerClosed());
    EXPECT_EQ(printer->Log(),
              "tcp \\e%-12345X@PJL DINQUIRE VELUSER\\r\\n@PJL INQUIRE NOPE\\r\\n\\e%-12345X\n"
              "tcp \\e%-12345X@PJL INFO VELUSER\\r\\n\\e%-12345X\n");
}

TEST(SimulatorProcessTest, AnswersPostScriptWithAValueOfTwoLines) {
    const auto printer = StartPrinter(kVelmark);
    ASSERT_TRUE(printer);
    const auto request = kUel + "@PJL ENTER LANGUAGE=POSTSCRIPT\r\n%!\n(x) /TwoLines\n\x04" + kUel;
    EXPECT_EQ(Ask(*printer, request, 13), "first\nsecond\n");
}

TEST(SimulatorProcessTest, EndsARequestWithoutClosingExitAfterTheClientFallsQuiet) {
    const auto printer = StartPrinter(kVelmark);
    ASSERT_TRUE(printer);
    const auto start = Clock::now();
    const std::string reply = "@PJL INFO VELUSER\r\nHX2\r\n\f";
    EXPECT_EQ(Ask(*printer, "@PJL INFO VELUSER\r\n", reply.size()), reply);
    EXPECT_GE(Clock::now() - start, 290ms);
}

TEST(SimulatorProcessTest, AnswersSnmpAndLogsWhatItCouldNotDecode) {
    const auto printer = StartPrinter(kVelmark);
    ASSERT_TRUE(printer);
    EXPECT_FALSE(SnmpExchange(printer->Address(), "\x30\x05\x02"s, 0ms));
    const auto response = SnmpExchange(printer->Address(), kToolSnmpRequest);
    ASSERT_TRUE(response);
    ASSERT_EQ(response->size(), 53u);
    EXPECT_EQ(response->substr(48), "\x04\x03HX2"s);
    EXPECT_EQ(printer->Log(), "snmp bad message: contents run past the end\n"
                              "snmp get 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0\n");
}

TEST(SimulatorProcessTest, ServesManyConnectionsAtOnce) {
    const auto printer = StartPrinter(kVelmark);
    ASSERT_TRUE(printer);
    std::vector<std::unique_ptr<TcpClient>> clients;
    for (int i = 0; i < 24; ++i) {
        clients.push_back(std::make_unique<TcpClient>(printer->Address()));
        ASSERT_TRUE(clients.back()->Connected());
        ASSERT_TRUE(clients.back()->Send(kUel + "@PJL INFO VELUSER\r\n"));
    }
    const std::string reply = "@PJL INFO VELUSER\r\nHX2\r\n\f";
    for (auto& client : clients)
        ASSERT_TRUE(client->Send(kUel));
    for (auto& client : clients)
        EXPECT_EQ(client->Receive(reply.size()), reply);
}

TEST(SimulatorProcessTest, RefusingPrinterRefusesConnectionsButAnswersSnmp) {
    const auto printer = StartPrinter(kVelmark + "tcp-behaviour = refuse\n");
    ASSERT_TRUE(printer);
    TcpClient client(printer->Address());
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.Error(), ECONNREFUSED);
    EXPECT_TRUE(SnmpExchange(printer->Address(), kToolSnmpRequest));
}

TEST(SimulatorProcessTest, SlowPrinterSendsOneByteAtATime) {
    const auto printer = StartPrinter(kVelmark + "tcp-behaviour = slow\nslow-interval-ms = 50\n");
    ASSERT_TRUE(printer);
    TcpClient client(printer->Address());
    ASSERT_TRUE(client.Send("%!\n/Three\x04" + kUel + kUel));
    const auto start = Clock::now();
    EXPECT_EQ(client.Receive(1), "a");
    EXPECT_LT(Clock::now() - start, 45ms * 3); // the first byte does not wait
    EXPECT_EQ(client.Receive(3), "bc\n");
    EXPECT_GE(Clock::now() - start, 3 * 45ms);
}

TEST(SimulatorProcessTest, CloseMidReplySendsHalfAndCloses) {
    const auto printer = StartPrinter(kVelmark + "tcp-behaviour = close-mid-reply\n");
    ASSERT_TRUE(printer);
    TcpClient client(printer->Address());
    ASSERT_TRUE(client.Send(kUel + "@PJL INFO VELUSER\r\n" + kUel));
    EXPECT_EQ(client.Receive(100), "@PJL INFO VE"); // 12 of 25 bytes
    EXPECT_TRUE(client.PeerClosed());
}

TEST(SimulatorProcessTest, KeepsServingWhenClientsVanishAtAnyPoint) {
    const auto printer = StartPrinter(kVelmark + "tcp-behaviour = oversized\n");
    ASSERT_TRUE(printer);
    const auto request = kUel + "@PJL INFO VELUSER\r\n" + kUel;
    TcpClient{printer->Address()};                             // before a byte
    TcpClient(printer->Address()).Send(request.substr(0, 20)); // mid-request
    TcpClient(printer->Address()).Send(request);               // before the reply
    EXPECT_EQ(Ask(*printer, request, 100).size(), 100u);       // mid-reply
    const std::size_t whole = 19 + 13 * 12002 + 1;
    const auto reply = Ask(*printer, request, whole);
    EXPECT_EQ(reply.size(), whole);
    EXPECT_EQ(reply.back(), '\f');
    EXPECT_EQ(printer->Stop(), 0);
}

TEST(SimulatorProcessTest, ExitsPromptlyOnSigterm) {
    const auto printer = StartPrinter(kVelmark);
    ASSERT_TRUE(printer);
    TcpClient idle(printer->Address());
    const auto start = Clock::now();
    EXPECT_EQ(printer->Stop(), 0);
    EXPECT_LT(Clock::now() - start, 500ms);
}

// A test that crashes must not leave its printer holding the address.
TEST(SimulatorProcessTest, EndsWhenItsStarterIsGone) {
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t starter = fork();
    ASSERT_GE(starter, 0);
    if (starter == 0) {
        close(report[0]);
        const auto printer = StartPrinter(kVelmark);
        const std::string address = printer ? printer->Address() : "";
        [[maybe_unused]] const auto ignored = write(report[1], address.data(), address.size());
        _exit(0); // no destructor: the simulator is not stopped
    }
    close(report[1]);
    char buffer[64] = {};
    const ssize_t got = read(report[0], buffer, sizeof buffer - 1);
    close(report[0]);
    waitpid(starter, nullptr, 0);
    ASSERT_GT(got, 0);
    const std::string address(buffer, static_cast<std::size_t>(got));
    const auto until = Clock::now() + 2s;
    bool refused = false;
    while (!refused && Clock::now() < until) {
        TcpClient client(address);
        refused = !client.Connected() && client.Error() == ECONNREFUSED;
    }
    EXPECT_TRUE(refused) << "the simulator at " << address << " still listens";
}

TEST(SimulatorProcessTest, SimulatorsStartedTogetherTakeDifferentAddresses) {
    std::vector<std::future<std::unique_ptr<SimulatedPrinter>>> starting;
    for (int i = 0; i < 4; ++i)
        starting.push_back(std::async(std::launch::async, [] { return StartPrinter(kVelmark); }));
    std::vector<std::unique_ptr<SimulatedPrinter>> printers;
    std::set<std::string> addresses;
    for (auto& start : starting) {
        printers.push_back(start.get());
        ASSERT_TRUE(printers.back());
        addresses.insert(printers.back()->Address());
    }
    EXPECT_EQ(addresses.size(), printers.size());
}

TEST(SimulatorProcessTest, ATakenAddressIsNotShared) {
    const auto printer = StartPrinter(kVelmark);
    ASSERT_TRUE(printer);
    std::string why;
    const auto range = printer->Address() + "-" + printer->Address();
    EXPECT_FALSE(SimulatedPrinter::Start(kVelmark, &why, range));
    EXPECT_NE(why.find("no free address in " + range), std::string::npos) << why;
}

struct FatalStart {
    std::string name;
    std::string description;
    std::vector<std::string> args; // "DESC" stands for the description's path
    std::string complaint;
    friend void PrintTo(const FatalStart& c, std::ostream* out) { *out << c.name; }
};

class SimulatorFatalStartTest : public testing::TestWithParam<FatalStart> {};

TEST_P(SimulatorFatalStartTest, ExitsTwoWithOneLineOnStderr) {
    const TempDir folder;
    const auto path = folder.Write("printer.desc", GetParam().description).string();
    std::vector<std::string> argv{QC_PRINTER_SIM};
    for (const auto& arg : GetParam().args)
        argv.push_back(arg == "DESC" ? path : arg);
    Process simulator(argv, CleanEnvironment());
    const auto result = simulator.Wait(10s);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(GetParam().complaint), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Starts, SimulatorFatalStartTest,
    testing::Values(
        FatalStart{"OutsideLoopback",
                   kVelmark,
                   {"--description", "DESC", "--address", "10.0.0.1"},
                   "10.0.0.1 is outside 127.0.0.0/8"},
        FatalStart{"RangeOutsideLoopback",
                   kVelmark,
                   {"--description", "DESC", "--address-range", "127.0.0.1-192.168.0.1"},
                   "192.168.0.1 is outside 127.0.0.0/8"},
        FatalStart{"BadDescriptionLine",
                   "# fine\npjl A = b\nduplex = on\n",
                   {"--description", "DESC", "--address", "127.0.100.1"},
                   "printer.desc:3: unknown key 'duplex'"},
        FatalStart{"NoDescriptionFile",
                   "",
                   {"--description", "/nonexistent/printer.desc", "--address", "127.0.100.1"},
                   "cannot read /nonexistent/printer.desc"},
        FatalStart{"NoAddress", kVelmark, {"--description", "DESC"}, "exactly one of"},
        FatalStart{"LogNotWritable",
                   kVelmark,
                   {"--description", "DESC", "--address", "127.0.100.1", "--log", "/nonexistent/l"},
                   "cannot open log /nonexistent/l"}),
    CaseName());

} // namespace
