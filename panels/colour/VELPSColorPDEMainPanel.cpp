// The colour panel's main view: filling its controls, setting them from the
// stored choices, and its actions. The commit rule lives here too; the
// detail windows use it as well.

#include "VELPSColorPDE.h"

#include "PDECommon.h"
#include "PDEPluginCallback.h"
#include "PPDChoice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

void showControl(QWidget* control, bool shown) {
    control->setVisible(shown);
}

void hideAndDisable(QWidget* control) {
    control->setVisible(false);
    control->setEnabled(false);
}

// Hidden, yet keeping its place in the layout.
void makeTransparent(QWidget* control) {
    QSizePolicy policy = control->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    control->setSizePolicy(policy);
    hideAndDisable(control);
}

} // namespace

bool VELPSColorPDE::controlsReady() const {
    return uiIsInited && pdeView != nullptr;
}

bool VELPSColorPDE::hostAccepts(const char* keyword, const QString& choice) {
    if (choice.isNull()) {
        return false;
    }
    return !useConstraintHandling || pdePluginCallbackObject->willChangePPDOptionKeyValue(
                                         QString::fromLatin1(keyword), choice);
}

bool VELPSColorPDE::commitChoice(const char* keyword, const QString& choice,
                                 void (VELPSColorPDE::*setter)(const QString&)) {
    if (!hostAccepts(keyword, choice)) {
        return false;
    }
    (this->*setter)(choice);
    return true;
}

QString VELPSColorPDE::checkBoxChoice(const QAbstractButton* checkBox) {
    return checkBox->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
}

QString VELPSColorPDE::popupChoice(const QComboBox* popupButton) {
    if (popupButton->currentIndex() < 0) {
        return {};
    }
    return popupButton->currentData().toString();
}

QString VELPSColorPDE::matrixChoiceOrDefault(const QButtonGroup* matrix,
                                             const ppd_option_t* option) {
    const QString keyword = PPDChoiceKeyword(option, matrix->checkedId());
    return keyword.isNull() ? PPDDefaultChoice(option) : keyword;
}

void VELPSColorPDE::initializeUI() {
    if (uiIsInited || pdeView == nullptr) {
        return;
    }
    if (!supportGraphicPro) {
        initializeColorModeMatrix();
    }
    if (supportCustomCalibration) {
        PDECommon::initializeUI_PopupButton(customCalibrationPopupButton, ppdCustomCalibration);
    }
    if (supportMulTonerSaving) {
        PDECommon::initializeUI_PopupButton(MulTonerSavingPopupButton, ppdTonerSaving);
        hideAndDisable(tonerSavingButton);
        if (!supportToner100) {
            hideAndDisable(tonerSaving100Button);
        }
    } else {
        hideAndDisable(MulTonerSavingLabel);
        hideAndDisable(MulTonerSavingPopupButton);
        hideAndDisable(tonerSaving100Button);
    }
    PDECommon::initializeUI_PopupButton(colorSeparationPopupButton, ppdColorSeparation);
    PDECommon::initializeUI_PopupButton(rgbColorSettingPopupButton, ppdRGBColorSetting);
    if (supportRGBUserColor) {
        PDECommon::initializeUI_PopupButton(rgbUserColorPopupButton, ppdRGBUserColor);
    } else {
        hideAndDisable(rgbUserColorLabel);
        hideAndDisable(rgbUserColorPopupButton);
    }
    PDECommon::initializeUI_PopupButton(colorSimurationPopupButton, ppdColorSimuration);
    PDECommon::initializeUI_PopupButton(rgbProfilePopupButton, ppdRGBProfile);
    PDECommon::initializeUI_PopupButton(cmykInputProfilePopupButton, ppdCMYKInputProfile);
    PDECommon::initializeUI_PopupButton(cmykLinkProfilePopupButton, ppdCMYKLinkProfile);
    PDECommon::initializeUI_PopupButton(simurationTargetProfilePopupButton,
                                        ppdSimurationTargetProfile);
    PDECommon::initializeUI_PopupButton(printerOutputProfilePopupButton, ppdPrinterOutputProfile);
    PDECommon::initializeUI_PopupButton(renderingIntentPopupButton, ppdRenderingIntent);
    PDECommon::initializeUI_PopupButton(graphicProBlackFinishPopupButton, ppdGraphicProBlackFinish);
    uiIsInited = true;
}

// Without a Graphic Pro mode the cells after it move up by one title while
// keeping their tags, so tag i still stands for colour mode choice i.
void VELPSColorPDE::initializeColorModeMatrix() {
    const int cells = int(colorModeMatrix->buttons().size());
    for (int i = 2; i <= cells - 2; ++i) {
        QAbstractButton* cell = colorModeMatrix->button(i);
        QAbstractButton* next = colorModeMatrix->button(i + 1);
        if (cell != nullptr && next != nullptr) {
            cell->setText(next->text());
        }
    }
    if (QAbstractButton* last = colorModeMatrix->button(cells - 1)) {
        makeTransparent(last);
    }
    makeTransparent(graphicProDetailButton);
}

void VELPSColorPDE::updateUI() {
    updateUIMainPanel();
    updateUIOfficeColorDetailsWindow();
    updateUIGraphicProDetailsWindow();
    updateUIAdvancedSettingWindow();
}

void VELPSColorPDE::updateUIMainPanel() {
    if (!controlsReady()) {
        return;
    }
    PDECommon::updateUI_Matrix(colorModeMatrix, colorModeUserChoice, ppdColorMode);
    if (supportTonerSaving) {
        showControl(tonerSavingButton, true);
        showControl(tonerSaving100Button, false);
        hideAndDisable(MulTonerSavingLabel);
        hideAndDisable(MulTonerSavingPopupButton);
        PDECommon::updateUI_CheckBox(tonerSavingButton, tonerSavingUserChoice);
    }
    if (supportMulTonerSaving) {
        showControl(tonerSavingButton, false);
        showControl(tonerSaving100Button, supportToner100);
        for (QWidget* control : {static_cast<QWidget*>(MulTonerSavingLabel),
                                 static_cast<QWidget*>(MulTonerSavingPopupButton)}) {
            showControl(control, true);
            control->setEnabled(true);
        }
        PDECommon::updateUI_PopupButton(MulTonerSavingPopupButton, tonerSavingUserChoice);
        PDECommon::updateUI_CheckBox(tonerSaving100Button, tonerSaving100UserChoice);
    }
    showControl(customCalibrationLabel, supportCustomCalibration);
    showControl(customCalibrationPopupButton, supportCustomCalibration);
    if (supportCustomCalibration) {
        PDECommon::updateUI_PopupButton(customCalibrationPopupButton, customCalibrationUserChoice);
    }
    officeColorDetailButton->setEnabled(colorModeUserChoice == QLatin1String("Office"));
    if (supportGraphicPro) {
        graphicProDetailButton->setEnabled(colorModeUserChoice == QLatin1String("Graph"));
    }
}

void VELPSColorPDE::requestColorModeButton(QButtonGroup* sender) {
    const QString mode = PPDChoiceKeyword(ppdColorMode, sender->checkedId());
    if (!mode.isNull() &&
        !commitChoice("VLControl", mode, &VELPSColorPDE::setNewColorModeUserChoice)) {
        // Have the cells drawn again; updateUI selects the stored mode.
        for (QAbstractButton* cell : sender->buttons()) {
            cell->update();
        }
    }
    updateUI();
}

void VELPSColorPDE::requestTonerSavingButton(QAbstractButton* sender) {
    commitChoice("VLOutputMode", checkBoxChoice(sender),
                 &VELPSColorPDE::setNewTonerSavingUserChoice);
    // Also puts the box back after a refusal.
    updateUI();
}

void VELPSColorPDE::requestTonerSaving100Button(QAbstractButton* sender) {
    commitChoice("VLOutputModeBlack", checkBoxChoice(sender),
                 &VELPSColorPDE::setNewTonerSaving100UserChoice);
    updateUI();
}

void VELPSColorPDE::requestMulTonerSavingButton(QComboBox* sender) {
    if (!commitChoice("VLOutputMode", popupChoice(sender),
                      &VELPSColorPDE::setNewTonerSavingUserChoice)) {
        PDECommon::updateUI_PopupButton(sender, tonerSavingUserChoice);
    }
    updateUI();
}

void VELPSColorPDE::requestCustomCalibrationButton(QComboBox* sender) {
    if (!commitChoice("VLTone", popupChoice(sender),
                      &VELPSColorPDE::setNewCustomCalibrationUserChoice)) {
        PDECommon::updateUI_PopupButton(sender, customCalibrationUserChoice);
    }
    updateUI();
}

// Custom calibration takes its default without asking the host.
void VELPSColorPDE::requestColorDefaultButton(QAbstractButton*) {
    const QString colorMode = colorModeUserChoice;
    const QString tonerSaving = tonerSavingUserChoice;
    const QString tonerSaving100 = tonerSaving100UserChoice;
    setDefaultsMainPanel();
    if (useConstraintHandling) {
        if (!hostAccepts("VLControl", colorModeUserChoice)) {
            setNewColorModeUserChoice(colorMode);
        }
        if (!hostAccepts("VLOutputMode", tonerSavingUserChoice)) {
            setNewTonerSavingUserChoice(tonerSaving);
        }
        if (supportToner100 && !hostAccepts("VLOutputModeBlack", tonerSaving100UserChoice)) {
            setNewTonerSaving100UserChoice(tonerSaving100);
        }
    }
    updateUIMainPanel();
}
