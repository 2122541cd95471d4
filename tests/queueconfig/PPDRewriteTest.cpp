// The rewriting rules that need no printer's answer: replacement files, Key
// and Line tables by user code, the user-code line, and input at the limits.
#include <gtest/gtest.h>

#include "Class/Error.h"
#include "QueueRun.h"

namespace {

const std::string kColourBlock = "*OpenUI *VLUserColor/Color: PickOne\n"
                                 "*DefaultVLUserColor: Color\n"
                                 "*VLUserColor Color/Color: \"\"\n"
                                 "*CloseUI: *VLUserColor\n";
const std::string kToneBlock = "*OpenUI *VLTone/Tone: PickOne\n"
                               "*DefaultVLTone: Normal\n"
                               "*VLTone Normal/Normal: \"\"\n"
                               "*CloseUI: *VLTone\n";
const std::string kColourFile = "*% model colour\n*OpenUI *VLUserColor/Color: PickOne\n"
                                "*CloseUI: *VLUserColor\n";
const std::string kToneFile = "*% model tone\n*OpenUI *VLTone/Tone: PickOne\n*CloseUI: *VLTone\n";

const std::string kGeneral =
    "*OpenGroup: General/General\n"
    "*OpenUI *PageSize/Page Size: PickOne\n"
    "*DefaultPageSize: A5\n"
    "*PageSize A4/A4: \"\"\n*PageSize A5/A5: \"\"\n*PageSize Letter/Letter: \"\"\n"
    "*CloseUI: *PageSize\n"
    "*CloseGroup: General\n";

class PPDRewriteTest : public testing::Test {
protected:
    void SetUp() override { SetLastErrorType(kErrorNone); }
    void TearDown() override { SetLastErrorType(kErrorNone); }

    std::string rewrite(const std::string& ppd, const char* code = "") {
        run.Start(kNoPortURI, ppd);
        return run.Rewrite(code);
    }
    void addModelFiles(const std::string& model = "Test Printer") {
        run.AddSupportFile("Velmark/ColorUtility/" + model + "/PPDCCM", kColourFile);
        run.AddSupportFile("Velmark/GammaUtility/" + model + "/PPDGAM", kToneFile);
    }

    QueueRun run;
};

TEST_F(PPDRewriteTest, WithoutAPrinterOrFilesEveryLineComesOutAsItWas) {
    const std::string ppd = TestPPD("*VLUSER: USER\r\n*VLRegion: Default\n" + kGeneral +
                                    kColourBlock + kToneBlock + "*% Ink Simulation\n" +
                                    "*VLCustomMediaMode: 1\n*MediaType UserType1/User 1: \"\"\n" +
                                    std::string("*% a NUL \0 byte\n", 16) + "*% no line end");
    EXPECT_EQ(rewrite(ppd), ppd);
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

TEST_F(PPDRewriteTest, ReplacementFilesTakeThePlaceOfTheBlocks) {
    addModelFiles();
    const std::string before = "*% before\n", between = "*% between\n", after = "*% after\n";
    const std::string out = rewrite(TestPPD(before + kColourBlock + between + kToneBlock + after));
    EXPECT_EQ(out, TestPPD(before + kColourFile + between + kToneFile + after));
}

TEST_F(PPDRewriteTest, ReplacementFilesAreInsertedAtTheirCommentsWhenTheBlocksAreMissing) {
    addModelFiles();
    struct Case {
        const char* name;
        std::string colourAnchor;
        std::string toneAnchor;
    };
    const Case cases[] = {
        {"short comments", "*% Ink Simulation\n", "*% Font Information\n"},
        {"ruled comments", "*% _____ Ink Simulation _____\n", "*% _____ Font Information _____\n"},
        {"group end", "*% Ink Simulation\n", "*CloseGroup: Printing_Option\n"},
        {"numbered group end", "*% Ink Simulation\n", "*CloseGroup: 1Printing_Option\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Each file goes in once, before the first of its anchors.
        const std::string body = "*% top\n" + c.colourAnchor + c.toneAnchor + c.colourAnchor;
        EXPECT_EQ(rewrite(TestPPD(body)), TestPPD("*% top\n" + kColourFile + c.colourAnchor +
                                                  kToneFile + c.toneAnchor + c.colourAnchor));
    }
}

TEST_F(PPDRewriteTest, ALongerKeywordOpensTheToneBlockToo) {
    addModelFiles();
    const std::string out =
        rewrite(TestPPD("*OpenUI *VLToneCurve/Curve: PickOne\n*X: 1\n*CloseUI: *VLTone\n*% end\n"));
    EXPECT_EQ(out, TestPPD(kToneFile + "*% end\n"));
}

TEST_F(PPDRewriteTest, TheModelFolderIsTheNickNameWithColonsForSlashes) {
    addModelFiles("Velmark CL:5400");
    const std::string body = kColourBlock + "*% end\n";
    EXPECT_EQ(rewrite(TestPPD(body, "Velmark CL/5400")),
              TestPPD(kColourFile + "*% end\n", "Velmark CL/5400"));
}

TEST_F(PPDRewriteTest, ANickNameOrPathPastItsBufferNamesNoFile) {
    const std::string ppd = TestPPD(kColourBlock, std::string(2100, 'N'));
    EXPECT_EQ(rewrite(ppd), ppd);

    // A colour file that exists, but at a path longer than 2047 bytes.
    std::filesystem::path deep;
    for (int i = 0; i < 9; ++i)
        deep /= std::string(200, 'd');
    const std::string model(250, 'M');
    run.AddSupportFile((deep / "Velmark/ColorUtility" / model / "PPDCCM").string(), kColourFile);
    ScopedEnv support("QUEUECONFIG_SUPPORT_DIR", (run.Folder().Path() / "support" / deep).string());
    const std::string deepPPD = TestPPD(kColourBlock, model);
    EXPECT_EQ(rewrite(deepPPD), deepPPD);
}

TEST_F(PPDRewriteTest, LineTablesReplaceForHX2AndDropForOtherCodes) {
    const std::string ppd = TestPPD("*VLRegion: Default\r\n*VLRegionName: x\n*% end\n");
    struct Case {
        const char* code;
        std::string lines;
    };
    const Case cases[] = {
        {"HX2", "*VLRegion: NorthAmerica\n*VLRegionName: x\n*% end\n"},
        {"QRT", "*VLRegionName: x\n*% end\n"},
        {"ABC", "*VLRegion: Default\r\n*VLRegionName: x\n*% end\n"},
        {"", "*VLRegion: Default\r\n*VLRegionName: x\n*% end\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(rewrite(ppd, c.code), TestPPD(c.lines));
    }
}

TEST_F(PPDRewriteTest, TheUserCodeLineReceivesTheCode) {
    const std::string ppd = TestPPD("*VLUSER: USER\r\n*VLUSER: USERNAME\n");
    EXPECT_EQ(rewrite(ppd, ""), ppd);
    EXPECT_EQ(rewrite(ppd, "HX2"), TestPPD("*VLUSER: HX2\n*VLUSER: HX2\n"));
    const std::string longCode(3000, 'C');
    EXPECT_EQ(rewrite(TestPPD("*VLUSER: USER\n"), longCode.c_str()),
              TestPPD("*VLUSER: " + std::string(2047 - 9, 'C') + "\n"));
}

TEST_F(PPDRewriteTest, KeyTablesReplaceDefaultsForTheirCodesOnly) {
    // No duplex option in this PPD, so QRT needs no printer's answer.
    const std::string ppd = TestPPD(kGeneral + "*DefaultPageSizeX: A5\n*DefaultOther: A5\n");
    struct Case {
        const char* code;
        std::string pageSize;
    };
    const Case cases[] = {
        {"WKS", "A4"}, {"QRT", "Letter"}, {"ZUNB", "A4"}, {"HX2", "A5"}, {"", "A5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const std::string out = rewrite(ppd, c.code);
        EXPECT_NE(out.find("*DefaultPageSize: " + c.pageSize + "\n"), std::string::npos) << out;
        // Find entries are prefixes of the keyword.
        EXPECT_NE(out.find("*DefaultPageSizeX: " + c.pageSize + "\n"), std::string::npos) << out;
        EXPECT_NE(out.find("*DefaultOther: A5\n"), std::string::npos) << out;
    }
}

TEST_F(PPDRewriteTest, ADefaultOutsideEveryTableOrWithoutGroupsStaysAsItWas) {
    const std::string withoutGroups = TestPPD("*DefaultPageSize: A5\n");
    EXPECT_EQ(rewrite(withoutGroups, "WKS"), withoutGroups);
    const std::string other = TestPPD(kGeneral + "*DefaultResolution: 600dpi\n");
    EXPECT_NE(rewrite(other, "WKS").find("*DefaultResolution: 600dpi\n"), std::string::npos);
}

TEST_F(PPDRewriteTest, APPDThatLibcupsCannotParseIsCopiedLineByLine) {
    const std::string ppd = "*% not a PPD: no header line\n*DefaultPageSize: A5\n*VLUSER: USER\n"
                            "*OpenUI *VLUserColor/Color: PickOne\n";
    addModelFiles();
    EXPECT_EQ(rewrite(ppd, "WKS"), "*% not a PPD: no header line\n*DefaultPageSize: A5\n"
                                   "*VLUSER: WKS\n*OpenUI *VLUserColor/Color: PickOne\n");
}

TEST_F(PPDRewriteTest, LinesLongerThanTheLineBufferComeOutWhole) {
    struct Case {
        const char* name;
        std::string line;
    };
    const Case cases[] = {
        {"8191 bytes and LF", "*%" + std::string(8189, 'x') + "\n"},
        {"8190 bytes and CR LF", "*%" + std::string(8188, 'x') + "\r\n"},
        {"three buffers", "*%" + std::string(3 * 8192, 'x') + "\n"},
        {"a long user-code line", "*VLUSER: USER" + std::string(9000, ' ') + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string ppd = TestPPD(c.line + "*% end\n");
        EXPECT_EQ(rewrite(ppd), ppd);
    }
}

TEST_F(PPDRewriteTest, APPDThatCannotBeReadGivesNoOutputAndAnError) {
    run.Start(kNoPortURI, TestPPD(""));
    std::filesystem::remove(run.Folder().Path() / "queue.ppd");
    testing::internal::CaptureStderr();
    EXPECT_EQ(run.Rewrite(""), "");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot read the PPD"),
              std::string::npos);
    EXPECT_EQ(GetLastErrorType(), kErrorPPDFile);
}

} // namespace
