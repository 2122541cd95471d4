#include "QueryResponder.h"
#include "RequestFraming.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

const std::string kUel = "\x1b%-12345X";

PrinterDescription Printer(std::string_view text) {
    auto parsed = ParsePrinterDescription(text, "printer.desc");
    EXPECT_TRUE(parsed) << parsed.error;
    return parsed ? *parsed.value : PrinterDescription{};
}

constexpr std::string_view kVelmark = R"(pjl VELUSER = HX2
pjl DUPLEX = ON
pjl LPARM:PCL FONTSOURCE = I
ps /Duplex = True
ps /TwoLines = first\nsecond
)";

struct FramingCase {
    std::string name;
    std::string received;
    bool complete;
    friend void PrintTo(const FramingCase& c, std::ostream* out) { *out << c.name; }
};

class RequestFramingTest : public testing::TestWithParam<FramingCase> {};

TEST_P(RequestFramingTest, NeedsAnOpeningAndAClosingUniversalExit) {
    EXPECT_EQ(IsCompleteRequest(GetParam().received), GetParam().complete);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, RequestFramingTest,
    testing::Values(FramingCase{"Query", kUel + "@PJL INFO ID\r\n" + kUel, true},
                    FramingCase{"OnlyExits", kUel + kUel, true},
                    FramingCase{"OneExit", kUel, false},
                    FramingCase{"NotClosed", kUel + "@PJL INFO ID\r\n", false},
                    FramingCase{"NotOpened", "@PJL INFO ID\r\n" + kUel, false},
                    FramingCase{"BytesAfterTheExit", kUel + "@PJL INFO ID\r\n" + kUel + "\r\n",
                                false},
                    FramingCase{"ExitCut", kUel + "x" + kUel.substr(0, 8), false},
                    FramingCase{"Nothing", "", false}),
    CaseName());

struct QueryCase {
    std::string name;
    std::string request;
    std::string reply;
    friend void PrintTo(const QueryCase& c, std::ostream* out) { *out << c.name; }
};

class QueryResponderTest : public testing::TestWithParam<QueryCase> {};

TEST_P(QueryResponderTest, RepliesAsAPrinterWould) {
    EXPECT_EQ(AnswerRequest(GetParam().request, Printer(kVelmark)), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, QueryResponderTest,
    testing::Values(
        QueryCase{"Dinquire", kUel + "@PJL DINQUIRE VELUSER\r\n" + kUel,
                  "@PJL DINQUIRE VELUSER\r\nHX2\r\n\f"},
        QueryCase{"InquireAndInfoInOneRequest",
                  kUel + "@PJL INQUIRE DUPLEX\r\n@PJL INFO VELUSER\r\n" + kUel,
                  "@PJL INQUIRE DUPLEX\r\nON\r\n\f@PJL INFO VELUSER\r\nHX2\r\n\f"},
        QueryCase{"UnknownName", "@PJL DINQUIRE NOPE\r\n", "@PJL DINQUIRE NOPE\r\n\"?\"\r\n\f"},
        QueryCase{"NameComparedExactly", "@PJL INFO veluser\r\n@PJL INFO VELUSER \r\n",
                  "@PJL INFO veluser\r\n\"?\"\r\n\f@PJL INFO VELUSER \r\n\"?\"\r\n\f"},
        QueryCase{"NameWithABlank", "@PJL INQUIRE LPARM:PCL FONTSOURCE\n",
                  "@PJL INQUIRE LPARM:PCL FONTSOURCE\r\nI\r\n\f"},
        QueryCase{"LineFeedOnlyAndLastLineUnended", "@PJL INFO DUPLEX\n@PJL INFO VELUSER",
                  "@PJL INFO DUPLEX\r\nON\r\n\f@PJL INFO VELUSER\r\nHX2\r\n\f"},
        QueryCase{"RepeatedUniversalExitBeforeTheQuery", kUel + kUel + "@PJL INFO DUPLEX\r\n",
                  "@PJL INFO DUPLEX\r\nON\r\n\f"},
        QueryCase{"OtherPjlIsNotAnswered",
                  kUel + "@PJL\r\n@PJL ENTER LANGUAGE=PCL\r\n@PJL dinquire VELUSER\r\n" +
                      "@PJL INQUIRE\r\n  @PJL INFO VELUSER\r\n" + kUel,
                  ""},
        QueryCase{"PostScriptTwoLineValue",
                  kUel + "@PJL ENTER LANGUAGE=POSTSCRIPT\r\n%!\n(x) /TwoLines get ==\n\x04" + kUel,
                  "first\nsecond\n"},
        QueryCase{"PostScriptFirstEntryWins", "%!\n/TwoLines /Duplex\n", "True\n"},
        QueryCase{"PostScriptTextAfterEndOfTransmissionIgnored", "%!\n1 ==\x04/Duplex\n",
                  "Unknown\n"},
        QueryCase{"PostScriptNeedsItsOwnLine", "%!PS /Duplex\n", ""},
        QueryCase{"PjlBeforePostScript",
                  kUel + "@PJL INFO DUPLEX\r\n@PJL ENTER LANGUAGE=POSTSCRIPT\r\n%!\n/Duplex\x04" +
                      kUel,
                  "@PJL INFO DUPLEX\r\nON\r\n\fTrue\n"},
        QueryCase{"PjlInsideTheProgramIsPostScript", "%!\n@PJL INFO DUPLEX\n", "Unknown\n"}),
    CaseName());

TEST(QueryResponderOversizedTest, FillsPjlRepliesWithLongLines) {
    const auto printer =
        Printer("tcp-behaviour = oversized\noversize-line-bytes = 4\noversize-bytes = 10\n");
    EXPECT_EQ(AnswerRequest("@PJL INFO X\r\n", printer), "@PJL INFO X\r\nAAAA\r\nAAAA\r\n\f");
    EXPECT_EQ(AnswerRequest("%!\n/X\n", printer), "AAAAAAAAAA\n");
}

TEST(QueryResponderOversizedTest, DefaultsExceedAnyReasonableReplyBuffer) {
    const auto reply = AnswerRequest("@PJL INFO X\r\n", Printer("tcp-behaviour = oversized\n"));
    const std::string echo = "@PJL INFO X\r\n";
    const std::string line = std::string(12000, 'A') + "\r\n";
    ASSERT_EQ(reply.size(), echo.size() + 13 * line.size() + 1);
    EXPECT_EQ(reply.substr(echo.size(), line.size()), line);
    EXPECT_EQ(reply.back(), '\f');
    EXPECT_EQ(AnswerRequest("%!\n", Printer("tcp-behaviour = oversized\n")).size(), 150001u);
}

} // namespace
