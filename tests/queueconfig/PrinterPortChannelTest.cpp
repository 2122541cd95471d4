// The TCP and SNMP channels against simulated printers on loopback. Each
// test starts its own printer, which takes the first free loopback address,
// so tests may run side by side.
#include "Class/Error.h"
#include "Class/LPDPort.h"
#include "Class/PJLCommand.h"
#include "Class/SnmpUserCodeRequest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "SimulatedPrinter.h"

namespace {

const char kUserCodeRequest[] = "\x1b%-12345X@PJL DINQUIRE VELUSER\r\n\x1b%-12345X";
const char kTwoLineQuery[] = "\x1b%-12345X%!\n/TwoLines query\n\x04\x1b%-12345X";
const std::string kEcho = "@PJL DINQUIRE VELUSER\r\n";

using Clock = std::chrono::steady_clock;

class ChannelTest : public testing::Test {
protected:
    void SetUp() override { SetLastErrorType(kErrorNone); }
    void TearDown() override { SetLastErrorType(kErrorNone); }

    void Start(const std::string& description) {
        std::string whyNot;
        m_Printer = SimulatedPrinter::Start(description, &whyNot);
        ASSERT_NE(m_Printer, nullptr) << whyNot;
        m_Port =
            std::make_unique<LPDPort>(*URL::CreateWithString("socket://" + m_Printer->Address()));
    }

    std::optional<std::string> AskPJL() {
        return m_Port->CreateReplyCopy(kUserCodeRequest, sizeof(kUserCodeRequest),
                                       CommandLanguagePJL);
    }
    std::optional<std::string> AskSNMP() {
        return m_Port->CreateReplyCopy(reinterpret_cast<const char*>(kSnmpUserCodeRequest.data()),
                                       kSnmpUserCodeRequest.size(), CommandLanguageMIB);
    }

    std::unique_ptr<SimulatedPrinter> m_Printer;
    std::unique_ptr<LPDPort> m_Port;
};

TEST_F(ChannelTest, PjlReplyIsEveryLineBeforeTheFormFeed) {
    Start("pjl VELUSER = HX2\n");
    const auto reply = AskPJL();
    EXPECT_EQ(reply, kEcho + "HX2\r\n");
    EXPECT_EQ(PJLCommand().CreateValueCopyWithReplyHeader(reply.value_or(""), kEcho), "HX2");
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
    EXPECT_NE(m_Printer->Log().find("tcp \\e%-12345X@PJL DINQUIRE VELUSER\\r\\n\\e%-12345X"),
              std::string::npos)
        << m_Printer->Log();
}

TEST_F(ChannelTest, UnknownValueComesBackAsTheQuotedQuestionMark) {
    Start("pjl DUPLEX = ON\n");
    const auto reply = AskPJL();
    EXPECT_EQ(reply, kEcho + "\"?\"\r\n");
    EXPECT_EQ(PJLCommand().CreateValueCopyWithReplyHeader(reply.value_or(""), kEcho), std::nullopt);
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

TEST_F(ChannelTest, PostScriptReplyIsItsFirstLine) {
    Start("ps /TwoLines = first\\nsecond\n");
    EXPECT_EQ(m_Port->CreateReplyCopy(kTwoLineQuery, sizeof(kTwoLineQuery), CommandLanguagePS),
              "first\n");
}

TEST_F(ChannelTest, SlowPrinterIsWaitedForByteByByte) {
    Start("pjl VELUSER = HX2\ntcp-behaviour = slow\nslow-interval-ms = 20\n");
    EXPECT_EQ(AskPJL(), kEcho + "HX2\r\n");
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

TEST_F(ChannelTest, SilentPrinterGivesAnEmptyReplyAfterFiveSeconds) {
    Start("pjl VELUSER = HX2\ntcp-behaviour = silent\n");
    const auto start = Clock::now();
    EXPECT_EQ(AskPJL(), "");
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(4900));
    EXPECT_LT(waited, std::chrono::milliseconds(7000));
    EXPECT_EQ(GetLastErrorType(), kErrorBusyOffline);
}

TEST_F(ChannelTest, RefusedConnectionIsAConnectionError) {
    Start("tcp-behaviour = refuse\n");
    EXPECT_EQ(AskPJL(), std::nullopt);
    EXPECT_EQ(GetLastErrorType(), kErrorConnection);
}

TEST_F(ChannelTest, ConnectionClosedMidReplyKeepsWhatCame) {
    Start("pjl VELUSER = HX2\ntcp-behaviour = close-mid-reply\n");
    const std::string whole = kEcho + "HX2\r\n\f";
    const auto reply = AskPJL();
    EXPECT_EQ(reply, whole.substr(0, whole.size() / 2));
    EXPECT_EQ(PJLCommand().CreateValueCopyWithReplyHeader(reply.value_or(""), kEcho), std::nullopt);
    EXPECT_EQ(GetLastErrorType(), kErrorNoEcho);
}

TEST_F(ChannelTest, UnsolicitedStatusEndsTheReplyAtItsFormFeed) {
    Start("pjl VELUSER = HX2\ntcp-behaviour = status-first\n");
    const auto reply = AskPJL();
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->rfind("@PJL USTATUS DEVICE\r\n", 0), 0u) << *reply;
    EXPECT_EQ(reply->find(kEcho), std::string::npos);
}

TEST_F(ChannelTest, OversizedReplyIsCutAtTheReplyBlock) {
    // Lines of 12000 bytes arrive in pieces of 9999, appended one after the
    // other, so the reply is the first 99999 bytes of what the printer sent.
    Start("pjl VELUSER = HX2\ntcp-behaviour = oversized\noversize-line-bytes = 12000\n"
          "oversize-bytes = 150000\n");
    const auto reply = AskPJL();
    ASSERT_TRUE(reply.has_value());
    ASSERT_EQ(reply->size(), 99999u);
    std::string sent = kEcho;
    while (sent.size() < reply->size())
        sent += std::string(12000, 'A') + "\r\n";
    EXPECT_EQ(*reply, sent.substr(0, 99999));
}

TEST_F(ChannelTest, SnmpValueNoSuchNameAndFourBytes) {
    Start("snmp 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0 = HX2\n");
    EXPECT_EQ(AskSNMP(), "HX2");
    m_Printer.reset();

    Start("snmp 1.3.6.1.2.1.1.5.0 = HX2\n");
    EXPECT_EQ(AskSNMP(), "");
    m_Printer.reset();

    Start("snmp 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0 = int:16909060\n");
    EXPECT_EQ(AskSNMP(), "\x01\x02\x03\x04");
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

TEST_F(ChannelTest, TruncatedDatagramGivesOnlyTheBytesReceived) {
    Start("snmp 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0 = HX2\nsnmp-behaviour = truncate:52\n");
    EXPECT_EQ(AskSNMP(), "HX");
    m_Printer.reset();
    Start("snmp 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0 = HX2\nsnmp-behaviour = truncate:30\n");
    EXPECT_EQ(AskSNMP(), "");
}

TEST_F(ChannelTest, NoSnmpAnswerWithinThreeSecondsGivesNothing) {
    Start("snmp 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0 = HX2\nsnmp-behaviour = silent\n");
    SetLastErrorType(kErrorNoEcho);
    const auto start = Clock::now();
    EXPECT_EQ(AskSNMP(), std::nullopt);
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(2900));
    EXPECT_LT(waited, std::chrono::milliseconds(4500));
    EXPECT_EQ(GetLastErrorType(), kErrorNoEcho);
}

TEST_F(ChannelTest, PrintersSideBySideEachAnswerForThemselves) {
    std::string whyNot;
    auto first = SimulatedPrinter::Start("pjl VELUSER = HX2\n", &whyNot);
    ASSERT_NE(first, nullptr) << whyNot;
    auto second = SimulatedPrinter::Start("pjl VELUSER = QRT\n", &whyNot);
    ASSERT_NE(second, nullptr) << whyNot;
    ASSERT_NE(first->Address(), second->Address());
    LPDPort toFirst(*URL::CreateWithString("lpd://" + first->Address() + "/queue"));
    LPDPort toSecond(*URL::CreateWithString("ipp://" + second->Address() + ":631/ipp/print"));
    EXPECT_EQ(
        toSecond.CreateReplyCopy(kUserCodeRequest, sizeof(kUserCodeRequest), CommandLanguagePJL),
        kEcho + "QRT\r\n");
    EXPECT_EQ(
        toFirst.CreateReplyCopy(kUserCodeRequest, sizeof(kUserCodeRequest), CommandLanguagePJL),
        kEcho + "HX2\r\n");
}

} // namespace
