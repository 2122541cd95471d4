// The colour panel's detail windows on real widgets, run modally: what
// they show, what OK commits and what Default and Cancel leave alone.

#include "ColourPanelFixture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QTest>

namespace {

using Offers = std::vector<std::string>;

class VELPSColorPDEWindows : public ColourPanelFixture {
protected:
    void SetUp() override {
        ASSERT_NE(make(), nullptr);
        show();
    }
    QButtonGroup* matrix(const char* name) { return control<QButtonGroup>(name); }
    bool visible(const char* name) { return control<QWidget>(name)->isVisible(); }
    bool enabled(const char* name) { return control<QWidget>(name)->isEnabled(); }
    void chooseTask(int tag) { matrix("colorMatchingTaskMatrix")->button(tag)->click(); }
    void chooseCMYK(int tag) { matrix("cmykProfileMatrix")->button(tag)->click(); }
    // Its details button works in the Graphic Pro colour mode only.
    void whileGraphicProOpen(const std::function<void(QDialog*)>& whileOpen) {
        panel->PPDOptionKeyValueDidChange("VLControl", "Graph");
        panel->updateUIMainPanel();
        whileWindowOpen("graphicProDetailButton", whileOpen);
    }
};

TEST_F(VELPSColorPDEWindows, GraphicProFollowsTheLiveSelections) {
    whileGraphicProOpen([&](QDialog*) {
        chooseTask(0);
        chooseCMYK(1);
        EXPECT_FALSE(enabled("cmykInputProfilePopupButton"));
        EXPECT_FALSE(enabled("preserveBlackButton"));
        EXPECT_TRUE(enabled("cmykLinkProfilePopupButton"));
        EXPECT_FALSE(visible("horizontalAllow02Label"));
        EXPECT_TRUE(visible("horizontalAllow03Label"));
        EXPECT_FALSE(visible("simurationTargetProfilePopupButton"));

        chooseCMYK(0);
        EXPECT_TRUE(enabled("cmykInputProfilePopupButton"));
        EXPECT_TRUE(enabled("preserveBlackButton"));
        EXPECT_FALSE(enabled("cmykLinkProfilePopupButton"));
        EXPECT_TRUE(visible("horizontalAllow02Label"));
        EXPECT_FALSE(visible("horizontalAllow03Label"));

        chooseTask(1);
        EXPECT_TRUE(visible("simurationTargetProfilePopupButton"));
        EXPECT_TRUE(visible("verticalAllowLabel"));
        EXPECT_FALSE(visible("cmykInputProfilePopupButton"));
        EXPECT_FALSE(matrix("cmykProfileMatrix")->button(0)->isVisible());
        EXPECT_FALSE(visible("horizontalAllow01Label"));

        choose("printerOutputProfilePopupButton", "Auto");
        EXPECT_FALSE(enabled("renderingIntentPopupButton"));
        choose("printerOutputProfilePopupButton", "Coated");
        EXPECT_TRUE(enabled("renderingIntentPopupButton"));

        chooseTask(2);
        for (const char* hidden :
             {"graphicProInputBox", "graphicProOutputBox", "colorMatchPrecisionBox",
              "pureBlackTextButton", "graphicProBlackFinishPopupButton", "horizontalAllow02Label",
              "verticalAllowLabel"}) {
            EXPECT_FALSE(visible(hidden)) << hidden;
        }
        chooseTask(0);
        EXPECT_TRUE(visible("graphicProInputBox"));
        EXPECT_TRUE(visible("cmykInputProfilePopupButton"));
    });
}

// Cancel stores nothing; the next opening shows the stored task again.
TEST_F(VELPSColorPDEWindows, GraphicProCancelStoresNothing) {
    whileGraphicProOpen([&](QDialog* window) {
        chooseTask(2);
        choose("rgbProfilePopupButton", "AdobeRGB");
        clickInWindow(window, "graphicProDetailsWindowCancelButton");
    });
    EXPECT_TRUE(host->offers().empty());
    EXPECT_EQ(choice("VLColorICMS"), "ICCPro");
    EXPECT_EQ(choice("VLRGBProfile"), "sRGB");
    whileGraphicProOpen([&](QDialog*) {
        EXPECT_EQ(matrix("colorMatchingTaskMatrix")->checkedId(), 0);
        EXPECT_TRUE(visible("graphicProInputBox"));
        EXPECT_EQ(control<QComboBox>("rgbProfilePopupButton")->currentData(), "sRGB");
    });
}

// All twelve options go to the host, the hidden controls' values included.
TEST_F(VELPSColorPDEWindows, GraphicProOkCommitsEveryOptionInOrder) {
    panel->PPDOptionKeyValueDidChange("VLCMYKProfile", "Link");
    host->refuse("VLColorRenderDict");
    whileGraphicProOpen([&](QDialog* window) {
        choose("cmykInputProfilePopupButton", "CoatedFOGRA39");
        choose("cmykLinkProfilePopupButton", "SWOPtoCL7200");
        chooseTask(1);
        choose("simurationTargetProfilePopupButton", "GRACoL2006");
        choose("renderingIntentPopupButton", "Saturation");
        control<QSlider>("colorMatchPrecisionSlider")->setValue(2);
        control<QCheckBox>("pureBlackTextButton")->click();
        clickInWindow(window, "graphicProDetailsWindowOkButton");
    });
    EXPECT_EQ(
        host->offers(),
        Offers({"VLColorICMS=PrintSim", "VLColorMatch=Fine", "VLPreserveBlack=True",
                "VLRGBProfile=sRGB", "VLCMYKProfile=Link", "VLCMYKInputProfile=CoatedFOGRA39",
                "VLCMYKLinkProfile=SWOPtoCL7200", "VLSimProfile=GRACoL2006", "VLOutProfile=Auto",
                "VLColorRenderDict=Saturation", "VLBlackSubGra=Composite", "VLPureBlack=False"}));
    EXPECT_EQ(choice("VLColorICMS"), "PrintSim");
    EXPECT_EQ(choice("VLCMYKInputProfile"), "CoatedFOGRA39");
    EXPECT_EQ(choice("VLColorRenderDict"), "Perceptual") << "refused";
    EXPECT_EQ(choice("VLPureBlack"), "False");
    EXPECT_FALSE(control<QWidget>("graphicProDetailWindow")->isVisible());
}

TEST_F(VELPSColorPDEWindows, DefaultThenCancelChangesNothing) {
    const std::pair<const char*, const char*> stored[] = {{"VLColorICMS", "MatAPI"},
                                                          {"VLColorMatch", "Fast"},
                                                          {"VLCMYKProfile", "Link"},
                                                          {"VLRGBProfile", "AppleRGB"},
                                                          {"VLPureBlack", "False"}};
    for (const auto& [option, keyword] : stored) {
        panel->PPDOptionKeyValueDidChange(option, keyword);
    }
    whileGraphicProOpen([&](QDialog* window) {
        EXPECT_EQ(control<QSlider>("colorMatchPrecisionSlider")->value(), 0);
        EXPECT_FALSE(visible("graphicProInputBox"));
        clickInWindow(window, "graphicProDetailsWindowDefaultButton");
        EXPECT_EQ(matrix("colorMatchingTaskMatrix")->checkedId(), 0);
        EXPECT_EQ(matrix("cmykProfileMatrix")->checkedId(), 0);
        EXPECT_EQ(control<QSlider>("colorMatchPrecisionSlider")->value(), 1);
        EXPECT_EQ(control<QComboBox>("rgbProfilePopupButton")->currentData(), "sRGB");
        EXPECT_TRUE(control<QCheckBox>("pureBlackTextButton")->isChecked());
        EXPECT_TRUE(visible("graphicProInputBox"));
        clickInWindow(window, "graphicProDetailsWindowCancelButton");
    });
    EXPECT_TRUE(host->offers().empty());
    for (const auto& [option, keyword] : stored) {
        EXPECT_EQ(choice(option), keyword) << option;
    }
}

// Escape closes a window as Cancel, never as OK.
TEST_F(VELPSColorPDEWindows, EscapeIsCancel) {
    whileWindowOpen("colorAdvancedButton", [&](QDialog* window) {
        control<QCheckBox>("blackOverPrintButton")->click();
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
    });
    EXPECT_TRUE(host->offers().empty());
    EXPECT_EQ(choice("VLOverPrint"), "False");
}

TEST_F(VELPSColorPDEWindows, OfficeColorOkCommitsItsOptions) {
    host->refuse("VLTargetColor");
    whileWindowOpen("officeColorDetailButton", [&](QDialog* window) {
        choose("rgbColorSettingPopupButton", "Vivid");
        choose("rgbUserColorPopupButton", "User2");
        choose("colorSimurationPopupButton", "SWOP");
        matrix("officeColorBlackFinishMatrix")->button(1)->click();
        clickInWindow(window, "officeColorDetailsWindowOkButton");
    });
    EXPECT_EQ(host->offers(), Offers({"VLColorRenderStyle=Vivid", "VLUserColor=User2",
                                      "VLTargetColor=SWOP", "VLBlackSubstitution=PureBlack"}));
    EXPECT_EQ(choice("VLColorRenderStyle"), "Vivid");
    EXPECT_EQ(choice("VLTargetColor"), "None") << "refused";
    EXPECT_EQ(choice("VLBlackSubstitution"), "PureBlack");
}

TEST_F(VELPSColorPDEWindows, OfficeColorWithoutUserColorLeavesItOut) {
    ASSERT_NE(make({DropOption("VLUserColor")}), nullptr);
    show();
    whileWindowOpen("officeColorDetailButton", [&](QDialog* window) {
        EXPECT_FALSE(visible("rgbUserColorPopupButton"));
        EXPECT_FALSE(visible("rgbUserColorLabel"));
        clickInWindow(window, "officeColorDetailsWindowDefaultButton");
        clickInWindow(window, "officeColorDetailsWindowOkButton");
    });
    EXPECT_EQ(host->offers(), Offers({"VLColorRenderStyle=Standard", "VLTargetColor=None",
                                      "VLBlackSubstitution=Composite"}));
}

// The gradation mode disables the box, yet OK commits what it shows.
TEST_F(VELPSColorPDEWindows, AdvancedFollowsTheMarkedResolution) {
    panel->PPDOptionKeyValueDidChange("VLAlwaysPrnHT", "True");
    host->mark("VLResolution", "GRADATION");
    whileWindowOpen("colorAdvancedButton", [&](QDialog* window) {
        EXPECT_FALSE(enabled("alwaysPrinterHalftoneButton"));
        EXPECT_TRUE(control<QCheckBox>("alwaysPrinterHalftoneButton")->isChecked());
        control<QCheckBox>("optimizedGrayScaleHalftoneButton")->click();
        choose("colorSeparationPopupButton", "Magenta");
        clickInWindow(window, "advancedSettingWindowOkButton");
    });
    EXPECT_EQ(host->takeOffers(), Offers({"VLAlwaysPrnHT=True", "VLOverPrint=False",
                                          "VLScreenObo=True", "VLSeparationorder=Magenta"}));

    host->mark("VLResolution", "1200dpi");
    whileWindowOpen("colorAdvancedButton", [&](QDialog* window) {
        EXPECT_TRUE(enabled("alwaysPrinterHalftoneButton"));
        EXPECT_EQ(control<QComboBox>("colorSeparationPopupButton")->currentData(), "Magenta");
        clickInWindow(window, "advancedSettingWindowDefaultButton");
        EXPECT_FALSE(control<QCheckBox>("optimizedGrayScaleHalftoneButton")->isChecked());
        EXPECT_EQ(control<QComboBox>("colorSeparationPopupButton")->currentData(), "Off");
        clickInWindow(window, "advancedSettingWindowCancelButton");
    });
    EXPECT_TRUE(host->offers().empty());
    EXPECT_EQ(choice("VLSeparationorder"), "Magenta");

    // Without a marked resolution the box is usable.
    host->unmark("VLResolution");
    whileWindowOpen("colorAdvancedButton",
                    [&](QDialog*) { EXPECT_TRUE(enabled("alwaysPrinterHalftoneButton")); });
}

} // namespace
