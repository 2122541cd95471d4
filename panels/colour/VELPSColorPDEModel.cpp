// The colour panel's option model: which member holds which PPD option,
// the setters, and the defaults.

#include "VELPSColorOption.h"

#include "PPDChoice.h"

using P = VELPSColorPDE;

// In the order in which the panel restores the options from the host's marks.
const std::vector<VELPSColorOption>& VELPSColorPDE::colorOptions() {
    static const std::vector<VELPSColorOption> options = {
        {"VLControl", &P::ppdColorMode, &P::colorModeUserChoice, &P::setNewColorModeUserChoice,
         nullptr, true, kMainPanel},
        {"VLOutputMode", &P::ppdTonerSaving, &P::tonerSavingUserChoice,
         &P::setNewTonerSavingUserChoice, nullptr, true, kMainPanel},
        {"VLOutputModeBlack", &P::ppdTonerSaving100, &P::tonerSaving100UserChoice,
         &P::setNewTonerSaving100UserChoice, &P::supportToner100, false, kMainPanel},
        {"VLTone", &P::ppdCustomCalibration, &P::customCalibrationUserChoice,
         &P::setNewCustomCalibrationUserChoice, &P::supportCustomCalibration, false, kMainPanel},
        {"VLColorRenderStyle", &P::ppdRGBColorSetting, &P::rgbColorSettingUserChoice,
         &P::setNewRGBColorSettingUserChoice, nullptr, true, kOfficeColorDetailsWindow},
        {"VLUserColor", &P::ppdRGBUserColor, &P::rgbUserColorUserChoice,
         &P::setNewRGBUserColorUserChoice, &P::supportRGBUserColor, false,
         kOfficeColorDetailsWindow},
        {"VLTargetColor", &P::ppdColorSimuration, &P::colorSimurationUserChoice,
         &P::setNewColorSimurationUserChoice, nullptr, true, kOfficeColorDetailsWindow},
        {"VLBlackSubstitution", &P::ppdOfficeColorBlackFinish, &P::officeColorBlackFinishUserChoice,
         &P::setNewOfficeColorBlackFinishUserChoice, nullptr, true, kOfficeColorDetailsWindow},
        {"VLColorICMS", &P::ppdColorMatchingTask, &P::colorMatchingTaskUserChoice,
         &P::setNewColorMatchingTaskUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLColorMatch", &P::ppdColorMatchPrecision, &P::colorMatchPrecisionUserChoice,
         &P::setNewColorMatchPrecisionUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLPreserveBlack", &P::ppdPreserveBlack, &P::preserveBlackUserChoice,
         &P::setNewPreserveBlackUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLRGBProfile", &P::ppdRGBProfile, &P::rgbProfileUserChoice,
         &P::setNewRGBProfileUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLCMYKProfile", &P::ppdCMYKProfile, &P::cmykProfileUserChoice,
         &P::setNewCMYKProfileUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLCMYKInputProfile", &P::ppdCMYKInputProfile, &P::cmykInputProfileUserChoice,
         &P::setNewCMYKInputProfileUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLCMYKLinkProfile", &P::ppdCMYKLinkProfile, &P::cmykLinkProfileUserChoice,
         &P::setNewCMYKLinkProfileUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLSimProfile", &P::ppdSimurationTargetProfile, &P::simurationTargetProfileUserChoice,
         &P::setNewSimurationTargetProfileUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLOutProfile", &P::ppdPrinterOutputProfile, &P::printerOutputProfileUserChoice,
         &P::setNewPrinterOutputProfileUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLColorRenderDict", &P::ppdRenderingIntent, &P::renderingIntentUserChoice,
         &P::setNewRenderingIntentUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLBlackSubGra", &P::ppdGraphicProBlackFinish, &P::graphicProBlackFinishUserChoice,
         &P::setNewGraphicProBlackFinishUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLPureBlack", &P::ppdPureBlackText, &P::pureBlackTextUserChoice,
         &P::setNewPureBlackTextUserChoice, nullptr, true, kGraphicProDetailsWindow},
        {"VLAlwaysPrnHT", &P::ppdAlwaysPrinterHalftone, &P::alwaysPrinterHalftoneUserChoice,
         &P::setNewAlwaysPrinterHalftoneUserChoice, nullptr, true, kAdvancedSettingWindow},
        {"VLOverPrint", &P::ppdBlackOverPrint, &P::blackOverPrintUserChoice,
         &P::setNewBlackOverPrintUserChoice, nullptr, true, kAdvancedSettingWindow},
        {"VLScreenObo", &P::ppdOptimizedGrayScaleHalftone, &P::optimizedGrayScaleHalftoneUserChoice,
         &P::setNewOptimizedGrayScaleHalftoneUserChoice, nullptr, true, kAdvancedSettingWindow},
        {"VLSeparationorder", &P::ppdColorSeparation, &P::colorSeparationUserChoice,
         &P::setNewColorSeparationUserChoice, nullptr, true, kAdvancedSettingWindow},
    };
    return options;
}

void VELPSColorPDE::setNewColorModeUserChoice(const QString& choice) {
    colorModeUserChoice = choice;
}

void VELPSColorPDE::setNewTonerSavingUserChoice(const QString& choice) {
    tonerSavingUserChoice = choice;
}

void VELPSColorPDE::setNewTonerSaving100UserChoice(const QString& choice) {
    tonerSaving100UserChoice = choice;
}

void VELPSColorPDE::setNewCustomCalibrationUserChoice(const QString& choice) {
    customCalibrationUserChoice = choice;
}

void VELPSColorPDE::setNewRGBColorSettingUserChoice(const QString& choice) {
    rgbColorSettingUserChoice = choice;
}

void VELPSColorPDE::setNewRGBUserColorUserChoice(const QString& choice) {
    rgbUserColorUserChoice = choice;
}

void VELPSColorPDE::setNewColorSimurationUserChoice(const QString& choice) {
    colorSimurationUserChoice = choice;
}

void VELPSColorPDE::setNewOfficeColorBlackFinishUserChoice(const QString& choice) {
    officeColorBlackFinishUserChoice = choice;
}

void VELPSColorPDE::setNewColorMatchingTaskUserChoice(const QString& choice) {
    colorMatchingTaskUserChoice = choice;
}

void VELPSColorPDE::setNewColorMatchPrecisionUserChoice(const QString& choice) {
    colorMatchPrecisionUserChoice = choice;
}

void VELPSColorPDE::setNewPreserveBlackUserChoice(const QString& choice) {
    preserveBlackUserChoice = choice;
}

void VELPSColorPDE::setNewRGBProfileUserChoice(const QString& choice) {
    rgbProfileUserChoice = choice;
}

void VELPSColorPDE::setNewCMYKProfileUserChoice(const QString& choice) {
    cmykProfileUserChoice = choice;
}

void VELPSColorPDE::setNewCMYKInputProfileUserChoice(const QString& choice) {
    cmykInputProfileUserChoice = choice;
}

void VELPSColorPDE::setNewCMYKLinkProfileUserChoice(const QString& choice) {
    cmykLinkProfileUserChoice = choice;
}

void VELPSColorPDE::setNewSimurationTargetProfileUserChoice(const QString& choice) {
    simurationTargetProfileUserChoice = choice;
}

void VELPSColorPDE::setNewPrinterOutputProfileUserChoice(const QString& choice) {
    printerOutputProfileUserChoice = choice;
}

void VELPSColorPDE::setNewRenderingIntentUserChoice(const QString& choice) {
    renderingIntentUserChoice = choice;
}

void VELPSColorPDE::setNewGraphicProBlackFinishUserChoice(const QString& choice) {
    graphicProBlackFinishUserChoice = choice;
}

void VELPSColorPDE::setNewPureBlackTextUserChoice(const QString& choice) {
    pureBlackTextUserChoice = choice;
}

void VELPSColorPDE::setNewAlwaysPrinterHalftoneUserChoice(const QString& choice) {
    alwaysPrinterHalftoneUserChoice = choice;
}

void VELPSColorPDE::setNewBlackOverPrintUserChoice(const QString& choice) {
    blackOverPrintUserChoice = choice;
}

void VELPSColorPDE::setNewOptimizedGrayScaleHalftoneUserChoice(const QString& choice) {
    optimizedGrayScaleHalftoneUserChoice = choice;
}

void VELPSColorPDE::setNewColorSeparationUserChoice(const QString& choice) {
    colorSeparationUserChoice = choice;
}

void VELPSColorPDE::setDefaults() {
    setDefaultsMainPanel();
    setDefaultsOfficeColorDetailsWindow();
    setDefaultsGraphicProDetailsWindow();
    setDefaultsAdvancedSettingWindow();
}

void VELPSColorPDE::setDefaultsMainPanel() {
    setDefaultsOf(kMainPanel);
}

void VELPSColorPDE::setDefaultsOfficeColorDetailsWindow() {
    setDefaultsOf(kOfficeColorDetailsWindow);
}

void VELPSColorPDE::setDefaultsGraphicProDetailsWindow() {
    setDefaultsOf(kGraphicProDetailsWindow);
}

void VELPSColorPDE::setDefaultsAdvancedSettingWindow() {
    setDefaultsOf(kAdvancedSettingWindow);
}

// The PPD's own default, not the choice the host marks now.
void VELPSColorPDE::setDefaultsOf(int window) {
    for (const VELPSColorOption& option : colorOptions()) {
        if (option.window != window || (option.gate != nullptr && !(this->*option.gate))) {
            continue;
        }
        (this->*option.setter)(PPDDefaultChoice(this->*option.ppdOption));
    }
}
