// velprint's command line and the page ranges a person types.

#include "VelprintArguments.h"
#include "HostFixture.h"
#include "PageRanges.h"

#include <gtest/gtest.h>

namespace {

struct ArgumentsCase {
    const char* name;
    QStringList words;
    bool parsed;
    QString queue;
    QString ppd;
    bool dryRun;
    QStringList files;
};

class VelprintArgumentsRows : public testing::TestWithParam<ArgumentsCase> {};

TEST_P(VelprintArgumentsRows, Parse) {
    const ArgumentsCase& row = GetParam();
    QString error;
    const std::optional<VelprintArguments> parsed =
        ParseVelprintArguments(QStringList{"velprint"} + row.words, &error);
    ASSERT_EQ(parsed.has_value(), row.parsed) << error.toStdString();
    if (!row.parsed) {
        EXPECT_FALSE(error.isEmpty());
        return;
    }
    EXPECT_EQ(parsed->queue, row.queue);
    EXPECT_EQ(parsed->ppdFile, row.ppd);
    EXPECT_EQ(parsed->dryRun, row.dryRun);
    EXPECT_EQ(parsed->files, row.files);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, VelprintArgumentsRows,
    testing::Values(
        ArgumentsCase{"QueueAndFiles",
                      {"-P", "Colour", "a.ps", "b.pdf"},
                      true,
                      "Colour",
                      "",
                      false,
                      {"a.ps", "b.pdf"}},
        ArgumentsCase{"QueueJoined", {"-PColour", "a.ps"}, true, "Colour", "", false, {"a.ps"}},
        ArgumentsCase{"DefaultQueue", {"a.ps"}, true, "", "", false, {"a.ps"}},
        ArgumentsCase{"PPDDryRun",
                      {"--ppd", "x.ppd", "--dry-run", "a.ps"},
                      true,
                      "",
                      "x.ppd",
                      true,
                      {"a.ps"}},
        ArgumentsCase{"PPDWithEquals",
                      {"--ppd=x.ppd", "-P", "Q", "a.ps"},
                      true,
                      "Q",
                      "x.ppd",
                      false,
                      {"a.ps"}},
        ArgumentsCase{
            "FileNamedLikeAnOption", {"-P", "Q", "--", "-a.ps"}, true, "Q", "", false, {"-a.ps"}},
        ArgumentsCase{"PPDToFile",
                      {"--ppd", "x.ppd", "--output", "o.ps", "a.ps"},
                      true,
                      "",
                      "x.ppd",
                      false,
                      {"a.ps"}},
        ArgumentsCase{
            "OutputAndDryRun", {"--output=o.ps", "--dry-run", "a.ps"}, false, "", "", false, {}},
        ArgumentsCase{
            "OutputOfTwoFiles", {"--output", "o.ps", "a.ps", "b.ps"}, false, "", "", false, {}},
        ArgumentsCase{"PanelsOfTheDefaultQueue", {"--panels"}, true, "", "", false, {}},
        ArgumentsCase{"PanelsWithAFile", {"--panels", "a.ps"}, false, "", "", false, {}},
        ArgumentsCase{"NoFile", {"-P", "Q"}, false, "", "", false, {}},
        ArgumentsCase{"QueueWithoutName", {"a.ps", "-P"}, false, "", "", false, {}},
        ArgumentsCase{"EmptyPPDName", {"--ppd=", "--dry-run", "a.ps"}, false, "", "", false, {}},
        ArgumentsCase{"StandardInput", {"-P", "Q", "-"}, false, "", "", false, {}},
        ArgumentsCase{"UnknownOption", {"-x", "a.ps"}, false, "", "", false, {}},
        ArgumentsCase{
            "PPDWithNowhereToPrint", {"--ppd", "x.ppd", "a.ps"}, false, "", "", false, {}}),
    [](const auto& info) { return info.param.name; });

TEST(VelprintArguments, HelpNeedsNothingElse) {
    QString error;
    EXPECT_TRUE(ParseVelprintArguments({"velprint", "--help"}, &error)->help);
    EXPECT_TRUE(ParseVelprintArguments({"velprint", "-x", "-h"}, &error).has_value() == false)
        << "an unknown option before it is still an error";
    EXPECT_TRUE(VelprintUsage().startsWith("Usage: velprint"));
}

struct RangesCase {
    const char* name;
    const char* typed;
    std::optional<QString> normalized;
};

class PageRangesRows : public testing::TestWithParam<RangesCase> {};

TEST_P(PageRangesRows, Normalize) {
    EXPECT_EQ(NormalizedPageRanges(QString::fromUtf8(GetParam().typed)), GetParam().normalized);
}

INSTANTIATE_TEST_SUITE_P(Typed, PageRangesRows,
                         testing::Values(RangesCase{"OnePage", "4", "4"},
                                         RangesCase{"Range", "2-6", "2-6"},
                                         RangesCase{"ToTheEnd", "7-", "7-"},
                                         RangesCase{"ListWithSpaces", " 1 - 3 , 5,8- ", "1-3,5,8-"},
                                         RangesCase{"SamePageBothEnds", "3-3", "3-3"},
                                         RangesCase{"Downwards", "5-2", std::nullopt},
                                         RangesCase{"PageZero", "0", std::nullopt},
                                         RangesCase{"Negative", "-3", std::nullopt},
                                         RangesCase{"Plus", "+3", std::nullopt},
                                         RangesCase{"Empty", "", std::nullopt},
                                         RangesCase{"EmptyItem", "1,,2", std::nullopt},
                                         RangesCase{"Words", "all", std::nullopt},
                                         RangesCase{"TwoDashes", "1-2-3", std::nullopt},
                                         RangesCase{"Overflow", "99999999999", std::nullopt}),
                         [](const auto& info) { return info.param.name; });

} // namespace
