// The colour panel's life: when it declines, what it offers, and how it
// exchanges choices with the host.

#include "ColourPanelFixture.h"

namespace {

using Support = VELPSColorPDETestPeer::Support;

class VELPSColorPDELifecycle : public ColourPanelFixture {};

TEST_F(VELPSColorPDELifecycle, DecidesItsControlsFromThePPD) {
    const struct {
        const char* name;
        std::vector<PPDEdit> edits;
        Support support;
    } cases[] = {
        {"example: saving levels, Graphic Pro, user colour, calibration",
         {},
         {true, false, true, true, true, true}},
        {"two saving choices make a check box",
         CheckBoxTonerSaving(),
         {false, true, false, true, true, true}},
        {"no Graph colour mode", NoGraphicPro(), {true, false, true, false, true, true}},
        {"VLHTPDE other than True",
         {Replace("*VLHTPDE: True", "*VLHTPDE: true")},
         {true, false, true, true, true, false}},
        {"VLHTPDE without VLTone", {DropOption("VLTone")}, {true, false, true, true, true, false}},
        {"no VLHTPDE", {DropLine("*VLHTPDE:")}, {true, false, true, true, true, false}},
        {"no user colour", {DropOption("VLUserColor")}, {true, false, true, true, false, true}},
        {"user colour without choices",
         {DropLine("*VLUserColor None/"), DropLine("*VLUserColor User1/"),
          DropLine("*VLUserColor User2/"), DropLine("*VLUserColor User3/")},
         {true, false, true, true, false, true}},
        // The black-only box needs its own option.
        {"saving levels without VLOutputModeBlack",
         {DropOption("VLOutputModeBlack")},
         {false, false, true, true, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(make(c.edits), nullptr);
        EXPECT_EQ(VELPSColorPDETestPeer::support(*panel), c.support);
    }
}

TEST_F(VELPSColorPDELifecycle, DeclinesWithoutARequiredOption) {
    const char* required[] = {"VLControl",         "VLOutputMode",        "VLColorRenderStyle",
                              "VLTargetColor",     "VLBlackSubstitution", "VLAlwaysPrnHT",
                              "VLOverPrint",       "VLScreenObo",         "VLSeparationorder",
                              "VLColorICMS",       "VLColorMatch",        "VLPreserveBlack",
                              "VLRGBProfile",      "VLCMYKProfile",       "VLCMYKInputProfile",
                              "VLCMYKLinkProfile", "VLSimProfile",        "VLOutProfile",
                              "VLColorRenderDict", "VLBlackSubGra",       "VLPureBlack"};
    for (const char* keyword : required) {
        EXPECT_EQ(make({DropOption(keyword)}), nullptr) << "without " << keyword;
    }
    for (const char* keyword : {"VLOutputModeBlack", "VLTone", "VLUserColor", "VLResolution"}) {
        EXPECT_NE(make({DropOption(keyword)}), nullptr) << "without " << keyword;
    }
}

TEST_F(VELPSColorPDELifecycle, DeclinesOnAHostWithoutConstraintHandling) {
    host = std::make_unique<PanelTestHost>(WriteColourPPD(dir));
    host->constraintHandling = false;
    EXPECT_EQ(VELPSColorPDE::initWithCallback(host.get(), StagedColourBundle()), nullptr);
    EXPECT_EQ(VELPSColorPDE::initWithCallback(nullptr, StagedColourBundle()), nullptr);
}

TEST_F(VELPSColorPDELifecycle, ListsItsKeysInOrderWithVLToneOnlyForCalibration) {
    const QStringList all = {
        "VLControl",          "VLOutputMode",       "VLOutputModeBlack", "VLTone",
        "VLColorRenderStyle", "VLUserColor",        "VLTargetColor",     "VLBlackSubstitution",
        "VLAlwaysPrnHT",      "VLOverPrint",        "VLScreenObo",       "VLSeparationorder",
        "VLColorICMS",        "VLColorMatch",       "VLPreserveBlack",   "VLRGBProfile",
        "VLCMYKProfile",      "VLCMYKInputProfile", "VLCMYKLinkProfile", "VLSimProfile",
        "VLOutProfile",       "VLColorRenderDict",  "VLBlackSubGra",     "VLPureBlack"};
    ASSERT_NE(make(), nullptr);
    EXPECT_EQ(panel->supportedPPDOptionKeys(), all);

    // Options the panel does not offer are still listed, except VLTone.
    ASSERT_NE(
        make({DropLine("*VLHTPDE:"), DropOption("VLUserColor"), DropOption("VLOutputModeBlack")}),
        nullptr);
    QStringList withoutTone = all;
    withoutTone.removeAll("VLTone");
    EXPECT_EQ(panel->supportedPPDOptionKeys(), withoutTone);
}

TEST_F(VELPSColorPDELifecycle, StartsWithThePPDDefaultsNotTheMarks) {
    ASSERT_NE(make(), nullptr);
    EXPECT_EQ(choice("VLControl"), "Office");
    EXPECT_EQ(choice("VLOutputModeBlack"), "False");
    EXPECT_EQ(choice("VLTone"), "Off");
    EXPECT_EQ(choice("VLCMYKLinkProfile"), "JC2001toCL7200");
    EXPECT_EQ(choice("VLSeparationorder"), "Off");

    host->mark("VLColorICMS", "MatAPI");
    panel->setDefaults();
    EXPECT_EQ(choice("VLColorICMS"), "ICCPro");

    ASSERT_NE(make({DropOption("VLTone"), DropOption("VLUserColor")}), nullptr);
    EXPECT_TRUE(choice("VLTone").isNull());
    EXPECT_TRUE(choice("VLUserColor").isNull());
}

TEST_F(VELPSColorPDELifecycle, RestoresTheMarkedChoicesAndDefaultsTheUnmarked) {
    ASSERT_NE(make(), nullptr);
    panel->PPDOptionKeyValueDidChange("VLTargetColor", "DIC");
    const std::pair<const char*, const char*> marks[] = {
        {"VLControl", "Graph"},   {"VLOutputMode", "High"},      {"VLOutputModeBlack", "True"},
        {"VLTone", "Custom2"},    {"VLUserColor", "User3"},      {"VLColorICMS", "PrintSim"},
        {"VLColorMatch", "Fine"}, {"VLCMYKProfile", "Link"},     {"VLOutProfile", "Thick"},
        {"VLPureBlack", "False"}, {"VLSeparationorder", "Black"}};
    for (const auto& [option, choice] : marks) {
        host->mark(option, choice);
    }
    host->unmark("VLTargetColor");

    EXPECT_TRUE(panel->restoreValuesAndReturnError(nullptr));
    for (const auto& [option, marked] : marks) {
        EXPECT_EQ(choice(option), marked) << option;
    }
    EXPECT_EQ(choice("VLTargetColor"), "None") << "no mark: the PPD default";
    EXPECT_EQ(choice("VLRGBProfile"), "sRGB");
}

TEST_F(VELPSColorPDELifecycle, RestoresOnlyTheOptionsItOffers) {
    ASSERT_NE(make({DropLine("*VLHTPDE:")}), nullptr);
    host->mark("VLTone", "Custom1");
    panel->restoreValuesAndReturnError(nullptr);
    EXPECT_TRUE(choice("VLTone").isNull());
}

TEST_F(VELPSColorPDELifecycle, StoresChangesFromTheHostUnchecked) {
    ASSERT_NE(make({DropLine("*VLHTPDE:"), DropOption("VLOutputModeBlack")}), nullptr);
    const struct {
        const char* option;
        const char* choice;
        const char* stored;
    } cases[] = {
        {"VLControl", "Graph", "Graph"},
        {"VLColorSeparation", "Black", nullptr}, // not a keyword of the panel
        {"VLSimProfile", "NotInThePPD", "NotInThePPD"},
        {"VLOutputModeBlack", "True", "True"}, // not offered, yet stored
        {"VLTone", "Custom1", nullptr},        // ignored without calibration
        {"vlcontrol", "Gray", nullptr},
    };
    for (const auto& c : cases) {
        panel->PPDOptionKeyValueDidChange(c.option, c.choice);
    }
    EXPECT_EQ(choice("VLControl"), "Graph");
    EXPECT_EQ(choice("VLSimProfile"), "NotInThePPD");
    EXPECT_EQ(choice("VLOutputModeBlack"), "True");
    EXPECT_TRUE(choice("VLTone").isNull());
    EXPECT_EQ(choice("VLSeparationorder"), "Off");

    panel->PPDOptionKeyValueDidChange(QString(), "Gray");
    panel->PPDOptionKeyValueDidChange("VLControl", QString());
    EXPECT_EQ(choice("VLControl"), "Graph");
    EXPECT_TRUE(host->offers().empty());
}

TEST_F(VELPSColorPDELifecycle, TakesVLToneFromTheHostWithCalibration) {
    ASSERT_NE(make(), nullptr);
    panel->PPDOptionKeyValueDidChange("VLTone", "Custom3");
    EXPECT_EQ(choice("VLTone"), "Custom3");
}

TEST_F(VELPSColorPDELifecycle, SavesWithoutOfferingAnything) {
    ASSERT_NE(make(), nullptr);
    panel->PPDOptionKeyValueDidChange("VLControl", "Graph");
    QString error = "untouched";
    EXPECT_TRUE(panel->saveValuesAndReturnError(&error));
    EXPECT_EQ(error, "untouched");
    EXPECT_TRUE(host->offers().empty());
    EXPECT_EQ(choice("VLControl"), "Graph");
}

TEST_F(VELPSColorPDELifecycle, AnswersTheProtocol) {
    ASSERT_NE(make(), nullptr);
    EXPECT_EQ(panel->panelKind(), "com.velmark.print.pde.VELPSColor");
    EXPECT_EQ(panel->panelName(), "Color");
    EXPECT_TRUE(panel->shouldHide());
    EXPECT_TRUE(panel->shouldShowHelp());
    EXPECT_FALSE(panel->respondsToShouldPrint());
}

// Before the view exists only the stored choices change.
TEST_F(VELPSColorPDELifecycle, WorksBeforeItsViewIsLoaded) {
    ASSERT_NE(make(), nullptr);
    host->mark("VLControl", "Graph");
    panel->restoreValuesAndReturnError(nullptr);
    panel->updateUI();
    EXPECT_EQ(choice("VLControl"), "Graph");
    EXPECT_FALSE(panel->summaryInfo().isEmpty());
    EXPECT_FALSE(VELPSColorPDETestPeer::uiIsInited(*panel));
}

} // namespace
