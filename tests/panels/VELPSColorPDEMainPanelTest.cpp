// The colour panel's main view on real widgets: its cells and buttons, and
// what happens when the host refuses a choice.

#include "ColourPanelFixture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

using Offers = std::vector<std::string>;

class VELPSColorPDEMainPanel : public ColourPanelFixture {
protected:
    QAbstractButton* cell(int tag) { return control<QButtonGroup>("colorModeMatrix")->button(tag); }
};

bool isTransparent(const QWidget* control) {
    return control->isHidden() && !control->isEnabled() &&
           control->sizePolicy().retainSizeWhenHidden();
}

TEST_F(VELPSColorPDEMainPanel, FillsTheControlsFromTheStoredChoices) {
    ASSERT_NE(make(), nullptr);
    panel->PPDOptionKeyValueDidChange("VLControl", "Graph");
    panel->PPDOptionKeyValueDidChange("VLOutputMode", "High");
    panel->PPDOptionKeyValueDidChange("VLTone", "Custom2");
    show();
    EXPECT_TRUE(cell(2)->isChecked());
    EXPECT_EQ(cell(2)->text(), "Graphic Pro");
    auto* saving = control<QComboBox>("MulTonerSavingPopupButton");
    EXPECT_EQ(saving->count(), 3);
    EXPECT_EQ(saving->currentText(), "High Saving");
    EXPECT_EQ(control<QComboBox>("customCalibrationPopupButton")->currentData(), "Custom2");
    EXPECT_TRUE(control<QCheckBox>("tonerSaving100Button")->isVisible());
    EXPECT_FALSE(control<QCheckBox>("tonerSavingButton")->isVisible());
    EXPECT_FALSE(control<QPushButton>("officeColorDetailButton")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("graphicProDetailButton")->isEnabled());
    EXPECT_TRUE(VELPSColorPDETestPeer::uiIsInited(*panel));
}

TEST_F(VELPSColorPDEMainPanel, ShowsToneSavingAsACheckBoxForTwoChoices) {
    ASSERT_NE(make(CheckBoxTonerSaving()), nullptr);
    panel->PPDOptionKeyValueDidChange("VLOutputMode", "True");
    show();
    auto* box = control<QCheckBox>("tonerSavingButton");
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->isChecked());
    for (const char* name : {"MulTonerSavingLabel", "MulTonerSavingPopupButton"}) {
        EXPECT_FALSE(control<QWidget>(name)->isVisible()) << name;
        EXPECT_FALSE(control<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(control<QWidget>("tonerSaving100Button")->isVisible());
}

TEST_F(VELPSColorPDEMainPanel, EnablesTheDetailsButtonOfTheColourMode) {
    ASSERT_NE(make(), nullptr);
    show();
    const struct {
        int tag;
        bool office;
        bool graphicPro;
    } cases[] = {{2, false, true}, {3, false, false}, {0, true, false}, {1, false, false}};
    for (const auto& c : cases) {
        cell(c.tag)->click();
        EXPECT_EQ(control<QPushButton>("officeColorDetailButton")->isEnabled(), c.office) << c.tag;
        EXPECT_EQ(control<QPushButton>("graphicProDetailButton")->isEnabled(), c.graphicPro)
            << c.tag;
    }
    EXPECT_EQ(host->offers(),
              Offers({"VLControl=Graph", "VLControl=Gray", "VLControl=Office", "VLControl=Photo"}));
    EXPECT_EQ(choice("VLControl"), "Photo");
}

// The cells after Graphic Pro move up a title; tags stay the PPD's indexes.
TEST_F(VELPSColorPDEMainPanel, HidesGraphicProWithoutIt) {
    ASSERT_NE(make(NoGraphicPro()), nullptr);
    show();
    EXPECT_EQ(cell(2)->text(), "Grayscale");
    EXPECT_TRUE(isTransparent(cell(3)));
    EXPECT_TRUE(isTransparent(control<QPushButton>("graphicProDetailButton")));

    cell(2)->click();
    EXPECT_EQ(host->takeOffers(), Offers({"VLControl=Gray"}));
    cell(0)->click();
    EXPECT_TRUE(control<QPushButton>("officeColorDetailButton")->isEnabled());
    EXPECT_TRUE(isTransparent(control<QPushButton>("graphicProDetailButton")));
}

TEST_F(VELPSColorPDEMainPanel, HidesTheLastOfThreeCellsWithoutMovingTitles) {
    // A view with three colour modes: the Grayscale cell removed.
    const QString bundle = CopyOfColourBundle(dir);
    EditResource(bundle, "VELPSColor.ui", [](QString& ui) {
        const QRegularExpression cell3(
            R"(<item[^>]*>\s*<widget class="QRadioButton" name="colorModeCell3">.*?</widget>\s*</item>)",
            QRegularExpression::DotMatchesEverythingOption);
        ASSERT_TRUE(ui.contains(cell3));
        ui.remove(cell3);
    });
    ASSERT_NE(make(NoGraphicPro(), PDEBundle(bundle)), nullptr);
    show();
    ASSERT_EQ(control<QButtonGroup>("colorModeMatrix")->buttons().size(), 3);
    EXPECT_EQ(cell(1)->text(), "Photo Color");
    EXPECT_TRUE(isTransparent(cell(2)));
    EXPECT_TRUE(isTransparent(control<QPushButton>("graphicProDetailButton")));
}

TEST_F(VELPSColorPDEMainPanel, PutsARefusedColourModeBack) {
    ASSERT_NE(make(), nullptr);
    host->refuse("VLControl=Graph");
    show();
    cell(2)->click();
    EXPECT_EQ(host->offers(), Offers({"VLControl=Graph"}));
    EXPECT_TRUE(cell(0)->isChecked());
    EXPECT_EQ(choice("VLControl"), "Office");
    EXPECT_TRUE(control<QPushButton>("officeColorDetailButton")->isEnabled());
}

TEST_F(VELPSColorPDEMainPanel, TicksARefusedTonerSavingUntickAgain) {
    ASSERT_NE(make(CheckBoxTonerSaving()), nullptr);
    host->mark("VLOutputMode", "True");
    panel->restoreValuesAndReturnError(nullptr);
    host->refuse("VLOutputMode");
    show();
    auto* box = control<QCheckBox>("tonerSavingButton");
    ASSERT_TRUE(box->isChecked());
    box->click();
    EXPECT_EQ(host->offers(), Offers({"VLOutputMode=False"}));
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(choice("VLOutputMode"), "True");
}

TEST_F(VELPSColorPDEMainPanel, PutsARefusedPopUpChoiceBack) {
    const struct {
        const char* popup;
        const char* option;
        const char* refused;
        const char* accepted;
    } cases[] = {{"customCalibrationPopupButton", "VLTone", "Custom2", "Custom3"},
                 {"MulTonerSavingPopupButton", "VLOutputMode", "High", "Standard"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.popup);
        ASSERT_NE(make(), nullptr);
        host->refuse(std::string(c.option) + "=" + c.refused);
        show();
        choose(c.popup, c.accepted);
        choose(c.popup, c.refused);
        EXPECT_EQ(host->offers(), Offers({std::string(c.option) + "=" + c.accepted,
                                          std::string(c.option) + "=" + c.refused}));
        EXPECT_EQ(control<QComboBox>(c.popup)->currentData(), c.accepted);
        EXPECT_EQ(choice(c.option), c.accepted);
    }
}

TEST_F(VELPSColorPDEMainPanel, TakesTheBlackOnlyBox) {
    ASSERT_NE(make(), nullptr);
    show();
    control<QCheckBox>("tonerSaving100Button")->click();
    EXPECT_EQ(host->offers(), Offers({"VLOutputModeBlack=True"}));
    EXPECT_EQ(choice("VLOutputModeBlack"), "True");
}

// Calibration takes its default unasked; a refused default keeps the old
// choice while the accepted ones stand.
TEST_F(VELPSColorPDEMainPanel, DefaultButtonOffersTheMainDefaults) {
    ASSERT_NE(make(), nullptr);
    show();
    cell(1)->click();
    choose("MulTonerSavingPopupButton", "High");
    control<QCheckBox>("tonerSaving100Button")->click();
    choose("customCalibrationPopupButton", "Custom1");
    host->takeOffers();
    host->refuse("VLControl");

    control<QPushButton>("colorDefaultButton")->click();
    EXPECT_EQ(host->offers(),
              Offers({"VLControl=Office", "VLOutputMode=False", "VLOutputModeBlack=False"}));
    EXPECT_EQ(choice("VLControl"), "Photo");
    EXPECT_EQ(choice("VLOutputMode"), "False");
    EXPECT_EQ(choice("VLOutputModeBlack"), "False");
    EXPECT_EQ(choice("VLTone"), "Off");
    EXPECT_TRUE(cell(1)->isChecked());
    EXPECT_EQ(control<QComboBox>("MulTonerSavingPopupButton")->currentData(), "False");
    EXPECT_EQ(control<QComboBox>("customCalibrationPopupButton")->currentData(), "Off");
}

TEST_F(VELPSColorPDEMainPanel, ShowsNoSelectionForAKeywordOutsideThePPD) {
    ASSERT_NE(make(), nullptr);
    panel->PPDOptionKeyValueDidChange("VLTone", "Custom9");
    show();
    auto* popup = control<QComboBox>("customCalibrationPopupButton");
    EXPECT_EQ(popup->currentIndex(), -1);
}

TEST_F(VELPSColorPDEMainPanel, FillsItsControlsOnce) {
    ASSERT_NE(make(), nullptr);
    show();
    panel->willShow();
    EXPECT_EQ(control<QComboBox>("customCalibrationPopupButton")->count(), 4);
    EXPECT_EQ(control<QComboBox>("rgbProfilePopupButton")->count(), 4);
}

TEST_F(VELPSColorPDEMainPanel, HasNoViewWithoutItsFiles) {
    const struct {
        const char* name;
        const char* file;
        const char* from;
        const char* to;
    } cases[] = {
        {"view missing", "VELPSColor.ui", nullptr, nullptr},
        {"window missing", "AdvancedSettingWindow.ui", nullptr, nullptr},
        {"outlet missing", "GraphicProDetailWindow.ui", "name=\"verticalAllowLabel\"",
         "name=\"someOtherLabel\""},
        {"cell without tag", "VELPSColor.ui", "name=\"tag\"", "name=\"tog\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir bundleDir;
        const QString bundle = CopyOfColourBundle(bundleDir);
        if (c.from == nullptr) {
            ASSERT_TRUE(QFile::remove(bundle + "/Resources/" + c.file));
        } else {
            EditResource(bundle, c.file, [&](QString& ui) {
                ASSERT_TRUE(ui.contains(c.from));
                ui.replace(c.from, c.to);
            });
        }
        ASSERT_NE(make({}, PDEBundle(bundle)), nullptr);
        EXPECT_EQ(panel->panelView(), nullptr);
        panel->willShow();
        EXPECT_FALSE(VELPSColorPDETestPeer::uiIsInited(*panel));
    }
}

} // namespace
