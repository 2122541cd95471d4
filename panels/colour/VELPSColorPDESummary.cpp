// The colour panel's summary: a row for each option that applies to the
// stored colour mode and colour-matching task.

#include "VELPSColorPDE.h"

#include "PDECommon.h"

void VELPSColorPDE::addSummaryRow(QMap<QString, QString>* summary, const char* key,
                                  const QString& choice, ppd_option_t* option) const {
    PDECommon::addSummaryInfo(&pdeBundle, summary, QString::fromLatin1(key), choice, option);
}

QMap<QString, QString> VELPSColorPDE::summaryInfo() {
    QMap<QString, QString> summary;
    addSummaryRow(&summary, "ColorMode", colorModeUserChoice, ppdColorMode);
    addSummaryRow(&summary, "TonerSaving", tonerSavingUserChoice, ppdTonerSaving);
    if (supportToner100) {
        addSummaryRow(&summary, "TonerSaving100", tonerSaving100UserChoice, ppdTonerSaving100);
    }
    if (supportCustomCalibration) {
        addSummaryRow(&summary, "CustomCalibration", customCalibrationUserChoice,
                      ppdCustomCalibration);
    }
    if (colorModeUserChoice == QLatin1String("Office")) {
        addSummaryRow(&summary, "RGBColorSetting", rgbColorSettingUserChoice, ppdRGBColorSetting);
        if (supportRGBUserColor) {
            addSummaryRow(&summary, "RGBUserColor", rgbUserColorUserChoice, ppdRGBUserColor);
        }
        addSummaryRow(&summary, "ColorSimuration", colorSimurationUserChoice, ppdColorSimuration);
        addSummaryRow(&summary, "OfficeColorBlackFinish", officeColorBlackFinishUserChoice,
                      ppdOfficeColorBlackFinish);
    } else if (colorModeUserChoice == QLatin1String("Graph")) {
        addGraphicProSummaryRows(&summary);
    }
    addSummaryRow(&summary, "AlwaysPrinterHalftone", alwaysPrinterHalftoneUserChoice,
                  ppdAlwaysPrinterHalftone);
    addSummaryRow(&summary, "BlackOverPrint", blackOverPrintUserChoice, ppdBlackOverPrint);
    addSummaryRow(&summary, "OptimizedGrayScaleHalftone", optimizedGrayScaleHalftoneUserChoice,
                  ppdOptimizedGrayScaleHalftone);
    addSummaryRow(&summary, "ColorSeparation", colorSeparationUserChoice, ppdColorSeparation);
    return summary;
}

void VELPSColorPDE::addGraphicProSummaryRows(QMap<QString, QString>* summary) const {
    addSummaryRow(summary, "ColorMatchingTask", colorMatchingTaskUserChoice, ppdColorMatchingTask);
    const bool iccPro = colorMatchingTaskUserChoice == QLatin1String("ICCPro");
    const bool printSim = colorMatchingTaskUserChoice == QLatin1String("PrintSim");
    if (!iccPro && !printSim) {
        return;
    }
    addSummaryRow(summary, "RGBProfile", rgbProfileUserChoice, ppdRGBProfile);
    if (iccPro) {
        addSummaryRow(summary, "CMYKProfile", cmykProfileUserChoice, ppdCMYKProfile);
        if (cmykProfileUserChoice == QLatin1String("Input")) {
            addSummaryRow(summary, "CMYKInputProfile", cmykInputProfileUserChoice,
                          ppdCMYKInputProfile);
            addSummaryRow(summary, "PreserveBlack", preserveBlackUserChoice, ppdPreserveBlack);
        } else if (cmykProfileUserChoice == QLatin1String("Link")) {
            addSummaryRow(summary, "CMYKLinkProfile", cmykLinkProfileUserChoice,
                          ppdCMYKLinkProfile);
        }
    } else {
        addSummaryRow(summary, "SimurationTargetProfile", simurationTargetProfileUserChoice,
                      ppdSimurationTargetProfile);
        addSummaryRow(summary, "PreserveBlack", preserveBlackUserChoice, ppdPreserveBlack);
    }
    addSummaryRow(summary, "PrinterOutputProfile", printerOutputProfileUserChoice,
                  ppdPrinterOutputProfile);
    if (printerOutputProfileUserChoice != QLatin1String("Auto")) {
        addSummaryRow(summary, "RenderingIntent", renderingIntentUserChoice, ppdRenderingIntent);
    }
    addSummaryRow(summary, "ColorMatchPrecision", colorMatchPrecisionUserChoice,
                  ppdColorMatchPrecision);
    addSummaryRow(summary, "GraphicProBlackFinish", graphicProBlackFinishUserChoice,
                  ppdGraphicProBlackFinish);
    addSummaryRow(summary, "PureBlackText", pureBlackTextUserChoice, ppdPureBlackText);
}
