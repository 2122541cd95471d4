// The dialog's PPD: defaults marked, every change checked against the PPD's
// constraints, and a refused change leaving every mark as it was.

#include "PDEHostPPD.h"
#include "ColourPPD.h"
#include "HostFixture.h"

#include <gtest/gtest.h>

namespace {

struct OfferCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> before; // accepted first
    const char* option;
    const char* choice;
    bool accepted;
};

class PDEHostPPDOffers : public testing::TestWithParam<OfferCase> {};

TEST_P(PDEHostPPDOffers, MarksOnlyWhatAddsNoConflict) {
    const OfferCase& row = GetParam();
    TempDir dir;
    QString error;
    std::unique_ptr<PDEHostPPD> ppd = PDEHostPPD::openFile(Path(WriteColourPPD(dir)), &error);
    ASSERT_NE(ppd, nullptr) << error.toStdString();
    for (const auto& [option, choice] : row.before) {
        ASSERT_TRUE(ppd->offer(option, choice).has_value()) << option << "=" << choice;
    }
    const std::vector<PPDMarkedChoice> before = ppd->markedChoices();
    const QString previous = ppd->markedChoice(row.option);

    EXPECT_EQ(ppd->offer(row.option, row.choice).has_value(), row.accepted);
    if (row.accepted) {
        EXPECT_EQ(ppd->markedChoice(row.option), row.choice);
    } else {
        EXPECT_EQ(ppd->markedChoice(row.option), previous);
        EXPECT_EQ(ppd->markedChoices(), before) << "every mark as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(
    ExamplePPD, PDEHostPPDOffers,
    testing::Values(
        OfferCase{"GraphicPro", {}, "VLControl", "Graph", true},
        OfferCase{"GraphicProWithBlackOnly",
                  {{"VLOutputModeBlack", "True"}},
                  "VLControl",
                  "Graph",
                  false},
        OfferCase{
            "BlackOnlyInGraphicPro", {{"VLControl", "Graph"}}, "VLOutputModeBlack", "True", false},
        OfferCase{
            "PhotoWithBlackOnly", {{"VLOutputModeBlack", "True"}}, "VLControl", "Photo", false},
        OfferCase{
            "CyanPlateInGrayscale", {{"VLControl", "Gray"}}, "VLSeparationorder", "Cyan", false},
        OfferCase{
            "BlackPlateInGrayscale", {{"VLControl", "Gray"}}, "VLSeparationorder", "Black", true},
        OfferCase{"DuplexWithoutTheUnit", {}, "Duplex", "DuplexNoTumble", false},
        OfferCase{"DuplexWithTheUnit", {{"VLDuplexUnit", "True"}}, "Duplex", "DuplexTumble", true},
        OfferCase{"UnitRemovedUnderDuplex",
                  {{"VLDuplexUnit", "True"}, {"Duplex", "DuplexTumble"}},
                  "VLDuplexUnit",
                  "False",
                  false},
        OfferCase{"Tray2WithoutTheTray", {}, "InputSlot", "Tray2", false},
        OfferCase{"OptionLettersInAnyCase", {}, "vlcontrol", "Photo", true},
        OfferCase{"UnknownOption", {}, "VLNoSuchOption", "True", false},
        OfferCase{"UnknownChoice", {}, "VLControl", "Sepia", false},
        OfferCase{"EmptyChoice", {}, "VLControl", "", false}),
    [](const testing::TestParamInfo<OfferCase>& info) { return info.param.name; });

std::unique_ptr<PDEHostPPD> ExamplePPD(const TempDir& dir, const std::vector<PPDEdit>& edits = {}) {
    QString error;
    std::unique_ptr<PDEHostPPD> ppd =
        PDEHostPPD::openFile(Path(WriteColourPPD(dir, edits)), &error);
    EXPECT_NE(ppd, nullptr) << error.toStdString();
    return ppd;
}

TEST(PDEHostPPD, OpensWithTheDefaultsMarked) {
    TempDir dir;
    std::unique_ptr<PDEHostPPD> ppd = ExamplePPD(dir);
    ASSERT_NE(ppd, nullptr);
    EXPECT_EQ(ppd->markedChoice("VLControl"), "Office");
    EXPECT_EQ(ppd->markedChoice("PageSize"), "Letter");
    EXPECT_TRUE(ppd->markedChoice("VLNoSuchOption").isNull());
    const std::vector<PPDMarkedChoice> marked = ppd->markedChoices();
    EXPECT_EQ(marked.front(), PPDMarkedChoice("VLDuplexUnit", "False")) << "in the PPD's order";
    EXPECT_EQ(std::count_if(marked.begin(), marked.end(),
                            [](const PPDMarkedChoice& m) { return m.first == "VLControl"; }),
              1);
}

TEST(PDEHostPPD, AcceptedChangeListsWhatMoved) {
    TempDir dir;
    std::unique_ptr<PDEHostPPD> ppd = ExamplePPD(dir);
    ASSERT_NE(ppd, nullptr);
    EXPECT_EQ(ppd->offer("VLControl", "Graph"),
              std::vector<PPDMarkedChoice>({{"VLControl", "Graph"}}));
    EXPECT_EQ(ppd->offer("VLControl", "Graph"), std::vector<PPDMarkedChoice>())
        << "the same choice again moves nothing";
    // libcups keeps the page size and the page region apart: one of them is marked.
    const std::optional<std::vector<PPDMarkedChoice>> a4 = ppd->offer("PageSize", "A4");
    ASSERT_TRUE(a4.has_value());
    EXPECT_EQ(a4->front(), PPDMarkedChoice("PageSize", "A4")) << "the offered option first";
    EXPECT_TRUE(ppd->markedChoice("PageRegion").isNull());
}

// A PPD whose saved choices already conflict: a change that adds no
// conflict is still possible, one that adds another is not.
TEST(PDEHostPPD, ConflictsAlreadyThereDoNotBlockOtherChanges) {
    TempDir dir;
    std::unique_ptr<PDEHostPPD> ppd =
        ExamplePPD(dir, {Replace("*DefaultDuplex: None", "*DefaultDuplex: DuplexNoTumble")});
    ASSERT_NE(ppd, nullptr);
    ASSERT_GT(ppdConflicts(ppd->ppd()), 0);
    EXPECT_TRUE(ppd->offer("VLControl", "Photo").has_value());
    EXPECT_FALSE(ppd->offer("InputSlot", "Tray2").has_value());
    EXPECT_EQ(ppd->markedChoice("InputSlot"), "Tray1");
    EXPECT_TRUE(ppd->offer("VLDuplexUnit", "True").has_value()) << "a change that mends one";
}

// An option without a default has no mark; a refused change leaves it so.
TEST(PDEHostPPD, RefusalLeavesAnUnmarkedOptionUnmarked) {
    TempDir dir;
    std::unique_ptr<PDEHostPPD> ppd =
        ExamplePPD(dir, {DropLine("*DefaultVLSeparationorder:"),
                         Replace("*DefaultVLControl: Office", "*DefaultVLControl: Gray")});
    ASSERT_NE(ppd, nullptr);
    ASSERT_TRUE(ppd->markedChoice("VLSeparationorder").isNull());
    EXPECT_FALSE(ppd->offer("VLSeparationorder", "Cyan").has_value());
    EXPECT_TRUE(ppd->markedChoice("VLSeparationorder").isNull());
    EXPECT_EQ(ppdFindMarkedChoice(ppd->ppd(), "VLSeparationorder"), nullptr)
        << "libcups' own list of marks agrees";
}

TEST(PDEHostPPD, UnreadableFileSaysWhy) {
    TempDir dir;
    const std::filesystem::path broken = dir.Write("broken.ppd", "not a PPD\n");
    QString error;
    EXPECT_EQ(PDEHostPPD::openFile(Path(broken), &error), nullptr);
    EXPECT_TRUE(error.startsWith(Path(broken))) << error.toStdString();
    EXPECT_EQ(PDEHostPPD::openFile(Path(dir.Path() / "missing.ppd"), &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
