// The colour panel's three modal detail windows. Each opens with the stored
// choices; only OK commits, every option of the window in a fixed order,
// hidden and disabled controls included.

#include "VELPSColorPDE.h"

#include "PDECommon.h"
#include "PDEModalWindow.h"
#include "PPDChoice.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>

namespace {

using P = VELPSColorPDE;

// The cells of the two Graphic Pro matrices and the slider's stops stand
// for these keywords, whatever the order of the PPD's choices.
constexpr const char* kColorMatchingTasks[] = {"ICCPro", "PrintSim", "CreatPro", "MatAPI"};
constexpr const char* kCMYKProfiles[] = {"Input", "Link"};
constexpr const char* kColorMatchPrecisions[] = {"Fast", "Normal", "Fine"};

template <std::size_t N>
QString fixedChoiceOrDefault(const char* const (&keywords)[N], int index,
                             const ppd_option_t* option) {
    if (index < 0 || index >= int(N)) {
        return PPDDefaultChoice(option);
    }
    return QString::fromLatin1(keywords[index]);
}

void setPrecisionSlider(QSlider* slider, const QString& precision) {
    for (int value = 0; value < 3; ++value) {
        if (precision == QLatin1String(kColorMatchPrecisions[value])) {
            slider->setValue(value);
            return;
        }
    }
}

void setShown(std::initializer_list<QWidget*> controls, bool shown) {
    for (QWidget* control : controls) {
        control->setVisible(shown);
    }
}

void setCellsShown(const QButtonGroup* matrix, bool shown) {
    for (QAbstractButton* cell : matrix->buttons()) {
        cell->setVisible(shown);
    }
}

void enableControls(std::initializer_list<QWidget*> controls, bool enabled) {
    for (QWidget* control : controls) {
        control->setEnabled(enabled);
    }
}

} // namespace

int VELPSColorPDE::runDetailWindow(PDEModalWindow* window) {
    const int result = window->runModal();
    window->hide();
    return result;
}

// Office colour details.

void VELPSColorPDE::updateUIOfficeColorDetailsWindow() {
    if (!controlsReady()) {
        return;
    }
    PDECommon::updateUI_PopupButton(rgbColorSettingPopupButton, rgbColorSettingUserChoice);
    if (supportRGBUserColor) {
        PDECommon::updateUI_PopupButton(rgbUserColorPopupButton, rgbUserColorUserChoice);
    }
    PDECommon::updateUI_PopupButton(colorSimurationPopupButton, colorSimurationUserChoice);
    PDECommon::updateUI_Matrix(officeColorBlackFinishMatrix, officeColorBlackFinishUserChoice,
                               ppdOfficeColorBlackFinish);
}

void VELPSColorPDE::requestShowOfficeColorDetailsWindowButton(QAbstractButton*) {
    updateUIOfficeColorDetailsWindow();
    if (runDetailWindow(officeColorDetailWindow) != PDEModalWindow::kModalOK) {
        return;
    }
    commitChoice("VLColorRenderStyle", popupChoice(rgbColorSettingPopupButton),
                 &P::setNewRGBColorSettingUserChoice);
    if (supportRGBUserColor) {
        commitChoice("VLUserColor", popupChoice(rgbUserColorPopupButton),
                     &P::setNewRGBUserColorUserChoice);
    }
    commitChoice("VLTargetColor", popupChoice(colorSimurationPopupButton),
                 &P::setNewColorSimurationUserChoice);
    commitChoice("VLBlackSubstitution",
                 matrixChoiceOrDefault(officeColorBlackFinishMatrix, ppdOfficeColorBlackFinish),
                 &P::setNewOfficeColorBlackFinishUserChoice);
}

void VELPSColorPDE::requestOfficeColorDetailsWindowDefaultButton(QAbstractButton*) {
    PDECommon::updateUI_PopupButton(rgbColorSettingPopupButton,
                                    PPDDefaultChoice(ppdRGBColorSetting));
    if (supportRGBUserColor) {
        PDECommon::updateUI_PopupButton(rgbUserColorPopupButton, PPDDefaultChoice(ppdRGBUserColor));
    }
    PDECommon::updateUI_PopupButton(colorSimurationPopupButton,
                                    PPDDefaultChoice(ppdColorSimuration));
    PDECommon::updateUI_Matrix(officeColorBlackFinishMatrix,
                               PPDDefaultChoice(ppdOfficeColorBlackFinish),
                               ppdOfficeColorBlackFinish);
}

void VELPSColorPDE::requestOfficeColorDetailsWindowOkButton(QAbstractButton*) {
    officeColorDetailWindow->stopModalWithCode(PDEModalWindow::kModalOK);
}

void VELPSColorPDE::requestOfficeColorDetailsWindowCancelButton(QAbstractButton*) {
    officeColorDetailWindow->stopModalWithCode(PDEModalWindow::kModalCancel);
}

// Graphic Pro details.

void VELPSColorPDE::updateUIGraphicProDetailsWindow() {
    if (!controlsReady()) {
        return;
    }
    PDECommon::updateUI_Matrix(colorMatchingTaskMatrix, colorMatchingTaskUserChoice,
                               ppdColorMatchingTask);
    PDECommon::updateUI_PopupButton(rgbProfilePopupButton, rgbProfileUserChoice);
    PDECommon::updateUI_Matrix(cmykProfileMatrix, cmykProfileUserChoice, ppdCMYKProfile);
    PDECommon::updateUI_PopupButton(cmykInputProfilePopupButton, cmykInputProfileUserChoice);
    PDECommon::updateUI_CheckBox(preserveBlackButton, preserveBlackUserChoice);
    PDECommon::updateUI_PopupButton(cmykLinkProfilePopupButton, cmykLinkProfileUserChoice);
    PDECommon::updateUI_PopupButton(simurationTargetProfilePopupButton,
                                    simurationTargetProfileUserChoice);
    PDECommon::updateUI_PopupButton(printerOutputProfilePopupButton,
                                    printerOutputProfileUserChoice);
    PDECommon::updateUI_PopupButton(renderingIntentPopupButton, renderingIntentUserChoice);
    setPrecisionSlider(colorMatchPrecisionSlider, colorMatchPrecisionUserChoice);
    PDECommon::updateUI_PopupButton(graphicProBlackFinishPopupButton,
                                    graphicProBlackFinishUserChoice);
    PDECommon::updateUI_CheckBox(pureBlackTextButton, pureBlackTextUserChoice);
    updateUIGraphicProDetailsWindow_ShowHide();
}

// Follows the live selections of the window, not the stored choices.
// Controls a task does not name keep their state.
void VELPSColorPDE::updateUIGraphicProDetailsWindow_ShowHide() {
    if (!controlsReady()) {
        return;
    }
    const QString task =
        PPDChoiceKeyword(ppdColorMatchingTask, colorMatchingTaskMatrix->checkedId());
    if (task == QLatin1String("ICCPro")) {
        showICCProfileMatchingControls(
            PPDChoiceKeyword(ppdCMYKProfile, cmykProfileMatrix->checkedId()));
    } else if (task == QLatin1String("PrintSim")) {
        showPrintSimulationControls();
    } else if (task == QLatin1String("CreatPro") || task == QLatin1String("MatAPI")) {
        hideProfileControls();
    }
    renderingIntentPopupButton->setEnabled(popupChoice(printerOutputProfilePopupButton) !=
                                           QLatin1String("Auto"));
}

void VELPSColorPDE::showICCProfileMatchingControls(const QString& cmykProfile) {
    setShown({horizontalAllow01Label, graphicProBlackFinishLabel, graphicProBlackFinishPopupButton,
              pureBlackTextButton, graphicProInputBox, cmykInputProfilePopupButton,
              cmykLinkProfilePopupButton, graphicProOutputBox, colorMatchPrecisionBox},
             true);
    setCellsShown(cmykProfileMatrix, true);
    setShown({verticalAllowLabel, simurationTargetProfileLabel, simurationTargetProfilePopupButton},
             false);
    const bool input = cmykProfile == QLatin1String("Input");
    if (!input && cmykProfile != QLatin1String("Link")) {
        return;
    }
    setShown({horizontalAllow02Label}, input);
    setShown({horizontalAllow03Label}, !input);
    enableControls({cmykInputProfilePopupButton, preserveBlackButton}, input);
    enableControls({cmykLinkProfilePopupButton}, !input);
}

void VELPSColorPDE::showPrintSimulationControls() {
    setShown({horizontalAllow02Label, graphicProBlackFinishLabel, graphicProBlackFinishPopupButton,
              pureBlackTextButton, graphicProInputBox, verticalAllowLabel,
              simurationTargetProfileLabel, simurationTargetProfilePopupButton, graphicProOutputBox,
              colorMatchPrecisionBox},
             true);
    setShown({horizontalAllow01Label, horizontalAllow03Label, cmykInputProfilePopupButton,
              cmykLinkProfilePopupButton},
             false);
    setCellsShown(cmykProfileMatrix, false);
    enableControls({preserveBlackButton}, true);
}

// Creating a profile and the application's own matching use no profiles.
void VELPSColorPDE::hideProfileControls() {
    setShown({horizontalAllow01Label, horizontalAllow02Label, horizontalAllow03Label,
              graphicProBlackFinishLabel, graphicProBlackFinishPopupButton, pureBlackTextButton,
              graphicProInputBox, graphicProOutputBox, colorMatchPrecisionBox},
             false);
}

void VELPSColorPDE::requestShowGraphicProDetailsWindowButton(QAbstractButton*) {
    updateUIGraphicProDetailsWindow();
    if (runDetailWindow(graphicProDetailWindow) != PDEModalWindow::kModalOK) {
        return;
    }
    const QString task = fixedChoiceOrDefault(
        kColorMatchingTasks, colorMatchingTaskMatrix->checkedId(), ppdColorMatchingTask);
    const QString precision = fixedChoiceOrDefault(
        kColorMatchPrecisions, colorMatchPrecisionSlider->value(), ppdColorMatchPrecision);
    const QString cmyk =
        fixedChoiceOrDefault(kCMYKProfiles, cmykProfileMatrix->checkedId(), ppdCMYKProfile);
    commitChoice("VLColorICMS", task, &P::setNewColorMatchingTaskUserChoice);
    commitChoice("VLColorMatch", precision, &P::setNewColorMatchPrecisionUserChoice);
    commitChoice("VLPreserveBlack", checkBoxChoice(preserveBlackButton),
                 &P::setNewPreserveBlackUserChoice);
    commitChoice("VLRGBProfile", popupChoice(rgbProfilePopupButton),
                 &P::setNewRGBProfileUserChoice);
    commitChoice("VLCMYKProfile", cmyk, &P::setNewCMYKProfileUserChoice);
    commitChoice("VLCMYKInputProfile", popupChoice(cmykInputProfilePopupButton),
                 &P::setNewCMYKInputProfileUserChoice);
    commitChoice("VLCMYKLinkProfile", popupChoice(cmykLinkProfilePopupButton),
                 &P::setNewCMYKLinkProfileUserChoice);
    commitChoice("VLSimProfile", popupChoice(simurationTargetProfilePopupButton),
                 &P::setNewSimurationTargetProfileUserChoice);
    commitChoice("VLOutProfile", popupChoice(printerOutputProfilePopupButton),
                 &P::setNewPrinterOutputProfileUserChoice);
    commitChoice("VLColorRenderDict", popupChoice(renderingIntentPopupButton),
                 &P::setNewRenderingIntentUserChoice);
    commitChoice("VLBlackSubGra", popupChoice(graphicProBlackFinishPopupButton),
                 &P::setNewGraphicProBlackFinishUserChoice);
    commitChoice("VLPureBlack", checkBoxChoice(pureBlackTextButton),
                 &P::setNewPureBlackTextUserChoice);
}

void VELPSColorPDE::requestGraphicProDetailsWindowDefaultButton(QAbstractButton*) {
    PDECommon::updateUI_Matrix(colorMatchingTaskMatrix, PPDDefaultChoice(ppdColorMatchingTask),
                               ppdColorMatchingTask);
    setPrecisionSlider(colorMatchPrecisionSlider, PPDDefaultChoice(ppdColorMatchPrecision));
    PDECommon::updateUI_CheckBox(preserveBlackButton, PPDDefaultChoice(ppdPreserveBlack));
    PDECommon::updateUI_PopupButton(rgbProfilePopupButton, PPDDefaultChoice(ppdRGBProfile));
    PDECommon::updateUI_Matrix(cmykProfileMatrix, PPDDefaultChoice(ppdCMYKProfile), ppdCMYKProfile);
    PDECommon::updateUI_PopupButton(cmykInputProfilePopupButton,
                                    PPDDefaultChoice(ppdCMYKInputProfile));
    PDECommon::updateUI_PopupButton(cmykLinkProfilePopupButton,
                                    PPDDefaultChoice(ppdCMYKLinkProfile));
    PDECommon::updateUI_PopupButton(simurationTargetProfilePopupButton,
                                    PPDDefaultChoice(ppdSimurationTargetProfile));
    PDECommon::updateUI_PopupButton(printerOutputProfilePopupButton,
                                    PPDDefaultChoice(ppdPrinterOutputProfile));
    PDECommon::updateUI_PopupButton(renderingIntentPopupButton,
                                    PPDDefaultChoice(ppdRenderingIntent));
    PDECommon::updateUI_PopupButton(graphicProBlackFinishPopupButton,
                                    PPDDefaultChoice(ppdGraphicProBlackFinish));
    PDECommon::updateUI_CheckBox(pureBlackTextButton, PPDDefaultChoice(ppdPureBlackText));
    updateUIGraphicProDetailsWindow_ShowHide();
}

void VELPSColorPDE::requestGraphicProDetailsWindowOkButton(QAbstractButton*) {
    graphicProDetailWindow->stopModalWithCode(PDEModalWindow::kModalOK);
}

void VELPSColorPDE::requestGraphicProDetailsWindowCancelButton(QAbstractButton*) {
    graphicProDetailWindow->stopModalWithCode(PDEModalWindow::kModalCancel);
}

void VELPSColorPDE::requestColorMatchingTaskButton(QButtonGroup*) {
    updateUIGraphicProDetailsWindow_ShowHide();
}

void VELPSColorPDE::requestCMYKProfileButton(QButtonGroup*) {
    updateUIGraphicProDetailsWindow_ShowHide();
}

void VELPSColorPDE::requestPrinterOutputProfilePopupButton(QComboBox*) {
    updateUIGraphicProDetailsWindow_ShowHide();
}

// Advanced settings.

void VELPSColorPDE::updateUIAdvancedSettingWindow() {
    if (!controlsReady()) {
        return;
    }
    PDECommon::updateUI_CheckBox(alwaysPrinterHalftoneButton, alwaysPrinterHalftoneUserChoice);
    // The gradation mode prints with its own screen. Without a marked
    // resolution the box stays usable, as without the option.
    bool gradation = false;
    if (ppdPrintResolution != nullptr) {
        const ppd_choice_t* marked = ppdFindMarkedChoice(ppd, "VLResolution");
        gradation = marked != nullptr && qstrcmp(marked->choice, "GRADATION") == 0;
    }
    alwaysPrinterHalftoneButton->setEnabled(!gradation);
    PDECommon::updateUI_CheckBox(blackOverPrintButton, blackOverPrintUserChoice);
    PDECommon::updateUI_CheckBox(optimizedGrayScaleHalftoneButton,
                                 optimizedGrayScaleHalftoneUserChoice);
    PDECommon::updateUI_PopupButton(colorSeparationPopupButton, colorSeparationUserChoice);
}

void VELPSColorPDE::requestShowAdvancedSettingWindowButton(QAbstractButton*) {
    updateUIAdvancedSettingWindow();
    if (runDetailWindow(advancedSettingWindow) != PDEModalWindow::kModalOK) {
        return;
    }
    // A disabled box is read like any other.
    commitChoice("VLAlwaysPrnHT", checkBoxChoice(alwaysPrinterHalftoneButton),
                 &P::setNewAlwaysPrinterHalftoneUserChoice);
    commitChoice("VLOverPrint", checkBoxChoice(blackOverPrintButton),
                 &P::setNewBlackOverPrintUserChoice);
    commitChoice("VLScreenObo", checkBoxChoice(optimizedGrayScaleHalftoneButton),
                 &P::setNewOptimizedGrayScaleHalftoneUserChoice);
    commitChoice("VLSeparationorder", popupChoice(colorSeparationPopupButton),
                 &P::setNewColorSeparationUserChoice);
}

void VELPSColorPDE::requestAdvancedSettingWindowDefaultButton(QAbstractButton*) {
    PDECommon::updateUI_CheckBox(alwaysPrinterHalftoneButton,
                                 PPDDefaultChoice(ppdAlwaysPrinterHalftone));
    PDECommon::updateUI_CheckBox(blackOverPrintButton, PPDDefaultChoice(ppdBlackOverPrint));
    PDECommon::updateUI_CheckBox(optimizedGrayScaleHalftoneButton,
                                 PPDDefaultChoice(ppdOptimizedGrayScaleHalftone));
    PDECommon::updateUI_PopupButton(colorSeparationPopupButton,
                                    PPDDefaultChoice(ppdColorSeparation));
}

void VELPSColorPDE::requestAdvancedSettingWindowOkButton(QAbstractButton*) {
    advancedSettingWindow->stopModalWithCode(PDEModalWindow::kModalOK);
}

void VELPSColorPDE::requestAdvancedSettingWindowCancelButton(QAbstractButton*) {
    advancedSettingWindow->stopModalWithCode(PDEModalWindow::kModalCancel);
}
