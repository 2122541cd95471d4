#include "Class/Error.h"
#include "Class/PrinterCommandCreater.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// Every case starts with this type set, so "unchanged" is visible.
constexpr short kBefore = kErrorNoAnswer;
const std::string kHeader = "@PJL DINQUIRE VELUSER\r\n";

enum class Operation { DefaultOption, ValueWithHeader };

struct CodecCase {
    const char* name;
    _CommandLanguage language;
    Operation operation;
    std::string reply;
    std::string header;
    std::optional<std::string> value;
    short errorType;
};

class CodecTest : public testing::TestWithParam<CodecCase> {
protected:
    void SetUp() override { SetLastErrorType(kBefore); }
    void TearDown() override { SetLastErrorType(kErrorNone); }
};

TEST_P(CodecTest, CutsTheValueOutOfTheReply) {
    const CodecCase& c = GetParam();
    auto command = PrinterCommandCreater().CreateCommand(c.language);
    ASSERT_NE(command, nullptr);
    std::string reply = c.reply;
    const std::optional<std::string> value =
        c.operation == Operation::DefaultOption
            ? command->CreateDefaultOptionDataCopy(reply)
            : command->CreateValueCopyWithReplyHeader(reply, c.header);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(GetLastErrorType(), c.errorType);
}

using enum Operation;
const std::string kFF = "\f";

INSTANTIATE_TEST_SUITE_P(
    Codecs, CodecTest,
    testing::Values(
        // PJL: the value between the echoed query line and the next CR LF.
        CodecCase{"PjlValue", CommandLanguagePJL, ValueWithHeader, kHeader + "ON\r\n" + kFF,
                  kHeader, "ON", kBefore},
        CodecCase{"PjlValueBehindStatusText", CommandLanguagePJL, ValueWithHeader,
                  "@PJL USTATUS DEVICE\r\nCODE=10001\r\n" + kHeader + "HX2\r\n", kHeader, "HX2",
                  kBefore},
        CodecCase{"PjlValueEndsAtFirstCrLf", CommandLanguagePJL, ValueWithHeader,
                  kHeader + "A B\r\nC\r\n", kHeader, "A B", kBefore},
        CodecCase{"PjlLfAloneIsUnterminated", CommandLanguagePJL, ValueWithHeader,
                  kHeader + "ON\n" + kFF, kHeader, std::nullopt, kErrorUnterminatedReply},
        CodecCase{"PjlCrAtTheVeryEnd", CommandLanguagePJL, ValueWithHeader, kHeader + "ON\r",
                  kHeader, std::nullopt, kErrorUnterminatedReply},
        CodecCase{"PjlNoCrAtAll", CommandLanguagePJL, ValueWithHeader, kHeader + "ON", kHeader,
                  std::nullopt, kErrorUnterminatedReply},
        CodecCase{"PjlHeaderMissing", CommandLanguagePJL, ValueWithHeader,
                  "@PJL DINQUIRE DUPLEX\r\nON\r\n", kHeader, std::nullopt, kErrorNoEcho},
        CodecCase{"PjlHeaderComparedWithCase", CommandLanguagePJL, ValueWithHeader,
                  "@pjl dinquire veluser\r\nON\r\n", kHeader, std::nullopt, kErrorNoEcho},
        CodecCase{"PjlEmptyReply", CommandLanguagePJL, ValueWithHeader, "", kHeader, std::nullopt,
                  kErrorEmptyReply},
        CodecCase{"PjlEmptyHeader", CommandLanguagePJL, ValueWithHeader, "ON\r\n", "", std::nullopt,
                  kErrorEmptyReply},
        CodecCase{"PjlReplyEndsAtItsNul", CommandLanguagePJL, ValueWithHeader,
                  std::string("@PJL\0", 5) + kHeader + "ON\r\n", kHeader, std::nullopt,
                  kErrorNoEcho},
        CodecCase{"PjlEmptyValue", CommandLanguagePJL, ValueWithHeader, kHeader + "\r\n" + kFF,
                  kHeader, std::nullopt, kBefore},
        CodecCase{"PjlUnknownValue", CommandLanguagePJL, ValueWithHeader,
                  kHeader + "\"?\"\r\n" + kFF, kHeader, std::nullopt, kBefore},
        CodecCase{"PjlUnknownMarkerOnALaterLine", CommandLanguagePJL, ValueWithHeader,
                  kHeader + "ON\r\nX=\"?\"\r\n", kHeader, std::nullopt, kBefore},
        CodecCase{"PjlMarkerBeforeHeaderDoesNotCount", CommandLanguagePJL, ValueWithHeader,
                  "\"?\"\r\n" + kHeader + "ON\r\n", kHeader, "ON", kBefore},
        CodecCase{"PjlOptionWholeReply", CommandLanguagePJL, DefaultOption,
                  "@PJL DINQUIRE DUPLEX\r\nON\r\n", "", "@PJL DINQUIRE DUPLEX\r\nON\r\n", kBefore},
        CodecCase{"PjlOptionUnknown", CommandLanguagePJL, DefaultOption,
                  "@PJL DINQUIRE DUPLEX\r\n\"?\"\r\n", "", std::nullopt, kBefore},
        CodecCase{"PjlOptionEmpty", CommandLanguagePJL, DefaultOption, "", "", std::nullopt,
                  kErrorEmptyReply},
        // PostScript: the last line, behind its last form feed.
        CodecCase{"PsLine", CommandLanguagePS, DefaultOption, "abc\n", "", "abc", kBefore},
        CodecCase{"PsBehindFormFeed", CommandLanguagePS, DefaultOption, "\fabc\n", "", "abc",
                  kBefore},
        CodecCase{"PsBehindLastFormFeed", CommandLanguagePS, DefaultOption, "x\fy\fabc\n", "",
                  "abc", kBefore},
        CodecCase{"PsCrStays", CommandLanguagePS, DefaultOption, "abc\r\n", "", "abc\r", kBefore},
        CodecCase{"PsLastOfTwoLines", CommandLanguagePS, DefaultOption, "one\ntwo\n", "",
                  "one\ntwo", kBefore},
        CodecCase{"PsNoLineEnd", CommandLanguagePS, DefaultOption, "abc", "", std::nullopt,
                  kErrorUnterminatedReply},
        CodecCase{"PsLoneLf", CommandLanguagePS, DefaultOption, "\n", "", std::nullopt, kBefore},
        CodecCase{"PsFormFeedThenLf", CommandLanguagePS, DefaultOption, "abc\f\n", "", std::nullopt,
                  kBefore},
        CodecCase{"PsEmpty", CommandLanguagePS, DefaultOption, "", "", std::nullopt,
                  kErrorEmptyReply},
        CodecCase{"PsHasNoHeaderValue", CommandLanguagePS, ValueWithHeader, kHeader + "ON\r\n",
                  kHeader, std::nullopt, kBefore},
        // SNMP values need no cutting.
        CodecCase{"MibOption", CommandLanguageMIB, DefaultOption, "HX2\n", "", std::nullopt,
                  kBefore},
        CodecCase{"MibHeader", CommandLanguageMIB, ValueWithHeader, kHeader + "ON\r\n", kHeader,
                  std::nullopt, kBefore},
        CodecCase{"MibEmpty", CommandLanguageMIB, DefaultOption, "", "", std::nullopt, kBefore}),
    [](const testing::TestParamInfo<CodecCase>& info) { return std::string(info.param.name); });

TEST(PrinterCommandTest, PostScriptCodecCutsTheCallersReplyAtItsLastLineEnd) {
    auto command = PrinterCommandCreater().CreateCommand(CommandLanguagePS);
    std::string reply = "True\nrest";
    EXPECT_EQ(command->CreateDefaultOptionDataCopy(reply), "True");
    EXPECT_EQ(reply, "True");
}

TEST(PrinterCommandTest, OnlyTheThreeLanguagesHaveACodec) {
    PrinterCommandCreater creater;
    EXPECT_EQ(creater.CreateCommand(static_cast<_CommandLanguage>(0)), nullptr);
    EXPECT_EQ(creater.CreateCommand(static_cast<_CommandLanguage>(4)), nullptr);
    EXPECT_EQ(creater.CreateCommand(static_cast<_CommandLanguage>(-1)), nullptr);
    EXPECT_NE(creater.CreateCommand(CommandLanguageMIB), nullptr);
}

} // namespace
