// The colour summary: which rows each colour mode and task lists.

#include "ColourPanelFixture.h"

namespace {

class VELPSColorPDESummary : public ColourPanelFixture {};

const QStringList kClosingRows = {"AlwaysPrinterHalftone", "BlackOverPrint",
                                  "OptimizedGrayScaleHalftone", "ColorSeparation"};

QStringList sorted(QStringList rows) {
    rows.sort();
    return rows;
}

TEST_F(VELPSColorPDESummary, ListsTheRowsThatApply) {
    const QStringList main = {"ColorMode", "TonerSaving", "TonerSaving100", "CustomCalibration"};
    const QStringList proCommon = {"ColorMatchingTask",     "RGBProfile",
                                   "PrinterOutputProfile",  "ColorMatchPrecision",
                                   "GraphicProBlackFinish", "PureBlackText"};
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> choices;
        QStringList rows; // besides the main and closing rows
    } cases[] = {
        {"office",
         {{"VLControl", "Office"}},
         {"RGBColorSetting", "RGBUserColor", "ColorSimuration", "OfficeColorBlackFinish"}},
        {"photo", {{"VLControl", "Photo"}}, {}},
        {"ICC profile, input profile, automatic output",
         {{"VLControl", "Graph"},
          {"VLColorICMS", "ICCPro"},
          {"VLCMYKProfile", "Input"},
          {"VLOutProfile", "Auto"}},
         proCommon + QStringList{"CMYKProfile", "CMYKInputProfile", "PreserveBlack"}},
        {"ICC profile, device link, plain paper output",
         {{"VLControl", "Graph"},
          {"VLColorICMS", "ICCPro"},
          {"VLCMYKProfile", "Link"},
          {"VLOutProfile", "Plain"}},
         proCommon + QStringList{"CMYKProfile", "CMYKLinkProfile", "RenderingIntent"}},
        {"ICC profile, unknown CMYK source",
         {{"VLControl", "Graph"},
          {"VLColorICMS", "ICCPro"},
          {"VLCMYKProfile", "Other"},
          {"VLOutProfile", "Plain"}},
         proCommon + QStringList{"RenderingIntent"}},
        {"print simulation",
         {{"VLControl", "Graph"}, {"VLColorICMS", "PrintSim"}, {"VLOutProfile", "Coated"}},
         proCommon + QStringList{"SimurationTargetProfile", "PreserveBlack", "RenderingIntent"}},
        {"profile creation",
         {{"VLControl", "Graph"}, {"VLColorICMS", "CreatPro"}},
         {"ColorMatchingTask"}},
        {"application matching",
         {{"VLControl", "Graph"}, {"VLColorICMS", "MatAPI"}},
         {"ColorMatchingTask"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(make({}, BundleWithoutTranslations()), nullptr);
        for (const auto& [option, choice] : c.choices) {
            panel->PPDOptionKeyValueDidChange(option, choice);
        }
        EXPECT_EQ(sorted(panel->summaryInfo().keys()), sorted(main + c.rows + kClosingRows));
    }
}

TEST_F(VELPSColorPDESummary, ShowsTheChoiceTexts) {
    ASSERT_NE(make({}, BundleWithoutTranslations()), nullptr);
    panel->PPDOptionKeyValueDidChange("VLControl", "Graph");
    panel->PPDOptionKeyValueDidChange("VLColorICMS", "PrintSim");
    panel->PPDOptionKeyValueDidChange("VLSimProfile", "CoatedFOGRA39");
    const QMap<QString, QString> summary = panel->summaryInfo();
    EXPECT_EQ(summary.value("ColorMode"), "Graphic Pro");
    EXPECT_EQ(summary.value("ColorMatchingTask"), "Print Simulation");
    EXPECT_EQ(summary.value("SimurationTargetProfile"), "Coated FOGRA39");
    EXPECT_EQ(summary.value("TonerSaving"), "Off");
    EXPECT_EQ(summary.value("ColorSeparation"), "Off (Composite)");
}

// Nine rows for an office printer without the optional controls.
TEST_F(VELPSColorPDESummary, LeavesOutWhatThePrinterLacks) {
    std::vector<PPDEdit> edits = CheckBoxTonerSaving();
    edits.push_back(DropOption("VLUserColor"));
    edits.push_back(DropLine("*VLHTPDE:"));
    ASSERT_NE(make(edits, BundleWithoutTranslations()), nullptr);
    panel->PPDOptionKeyValueDidChange("VLOutputMode", "True");
    const QMap<QString, QString> summary = panel->summaryInfo();
    EXPECT_EQ(sorted(summary.keys()),
              sorted(QStringList{"ColorMode", "TonerSaving", "RGBColorSetting", "ColorSimuration",
                                 "OfficeColorBlackFinish"} +
                     kClosingRows));
    EXPECT_EQ(summary.value("TonerSaving"), "On");

    // A stored keyword that is no choice of the option gives no row.
    panel->PPDOptionKeyValueDidChange("VLOutputMode", "true");
    panel->PPDOptionKeyValueDidChange("VLTargetColor", "Nothing");
    EXPECT_FALSE(panel->summaryInfo().contains("TonerSaving"));
    EXPECT_FALSE(panel->summaryInfo().contains("ColorSimuration"));
}

TEST_F(VELPSColorPDESummary, UsesTheBundleTitles) {
    ASSERT_NE(make({}, StagedColourBundle()), nullptr);
    const QMap<QString, QString> english = panel->summaryInfo();
    EXPECT_EQ(english.value("Color Mode"), "Office Color");
    EXPECT_EQ(english.value("Color Separation"), "Off (Composite)");

    ASSERT_NE(make({}, PDEBundle(QC_COLOR_BUNDLE, QLocale(QLocale::Japanese, QLocale::Japan))),
              nullptr);
    const QMap<QString, QString> japanese = panel->summaryInfo();
    EXPECT_EQ(japanese.size(), english.size());
    EXPECT_FALSE(japanese.contains("Color Mode"));
    EXPECT_FALSE(japanese.contains("ColorMode"));
    EXPECT_NE(panel->panelName(), "Color");
    EXPECT_NE(panel->panelName(), "PanelName");
}

} // namespace
