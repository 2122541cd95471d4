// The colour panel's life and its exchange of settings with the host.

#include "VELPSColorPDE.h"

#include "PDEModalWindow.h"
#include "PDEPluginCallback.h"
#include "PPDChoice.h"
#include "PPDString.h"
#include "VELPSColorOption.h"

#include <QWidget>

VELPSColorPDE::VELPSColorPDE(PDEPluginCallback* callback, const PDEBundle& bundle)
    : pdePluginCallbackObject(callback), pdeBundle(bundle) {}

VELPSColorPDE::~VELPSColorPDE() {
    // The windows belong to the view; the host may already have deleted it
    // along with its own widgets.
    delete officeColorDetailWindow;
    delete graphicProDetailWindow;
    delete advancedSettingWindow;
    delete pdeView;
}

std::unique_ptr<VELPSColorPDE> VELPSColorPDE::initWithCallback(PDEPluginCallback* callback,
                                                               const PDEBundle& bundle) {
    if (callback == nullptr) {
        return nullptr;
    }
    std::unique_ptr<VELPSColorPDE> panel(new VELPSColorPDE(callback, bundle));
    panel->useConstraintHandling = callback->respondsToWillChangePPDOptionKeyValue();
    panel->ppd = panel->useConstraintHandling ? callback->ppdFile() : panel->getPPDOnTiger();
    if (panel->ppd == nullptr || !panel->findOptions()) {
        return nullptr;
    }
    panel->decideSupport();
    panel->setDefaults();
    return panel;
}

bool VELPSColorPDE::findOptions() {
    bool complete = true;
    for (const VELPSColorOption& option : colorOptions()) {
        ppd_option_t* found = ppdFindOption(ppd, option.keyword);
        this->*option.ppdOption = found;
        if (found == nullptr && option.required) {
            complete = false;
        }
    }
    ppdPrintResolution = ppdFindOption(ppd, "VLResolution");
    ppdSupportCustomCalibration = ppdFindAttr(ppd, "VLHTPDE", nullptr);
    return complete;
}

void VELPSColorPDE::decideSupport() {
    supportGraphicPro = PPDChoiceIndex(ppdColorMode, "Graph") >= 0;
    supportRGBUserColor = ppdRGBUserColor != nullptr && ppdRGBUserColor->num_choices >= 1;
    supportTonerSaving = ppdTonerSaving->num_choices <= 2;
    supportMulTonerSaving = ppdTonerSaving->num_choices > 2;
    // The black-only box needs its option; a PPD with several saving levels
    // but no "VLOutputModeBlack" simply does not offer it.
    supportToner100 = supportMulTonerSaving && ppdTonerSaving100 != nullptr;
    supportCustomCalibration =
        ppdSupportCustomCalibration != nullptr && ppdCustomCalibration != nullptr &&
        QStringFromPPD(ppdSupportCustomCalibration->value) == QLatin1String("True");
}

QString VELPSColorPDE::panelName() {
    if (thePDEName.isNull()) {
        thePDEName = pdeBundle.localizedStringForKey("PanelName");
    }
    return thePDEName;
}

QString VELPSColorPDE::panelKind() const {
    return "com.velmark.print.pde.VELPSColor";
}

QWidget* VELPSColorPDE::panelView() {
    if (pdeView == nullptr) {
        loadNibs();
    }
    return pdeView;
}

void VELPSColorPDE::willShow() {
    initializeUI();
    updateUI();
}

std::optional<QStringList> VELPSColorPDE::supportedPPDOptionKeys() {
    QStringList keys;
    for (const char* keyword : kVELPSColorSupportedKeyOrder) {
        if (qstrcmp(keyword, "VLTone") == 0 && !supportCustomCalibration) {
            continue;
        }
        keys << QString::fromLatin1(keyword);
    }
    return keys;
}

bool VELPSColorPDE::saveValuesAndReturnError(QString*) {
    // With constraint handling every change reached the host when it was made.
    if (!useConstraintHandling) {
        writePPDSettingsToPrintSettingsOnTiger();
    }
    return true;
}

bool VELPSColorPDE::restoreValuesAndReturnError(QString*) {
    setDefaults();
    if (useConstraintHandling) {
        for (const VELPSColorOption& option : colorOptions()) {
            if (option.gate != nullptr && !(this->*option.gate)) {
                continue;
            }
            const ppd_choice_t* marked = ppdFindMarkedChoice(ppd, option.keyword);
            if (marked != nullptr) {
                (this->*option.setter)(QStringFromPPD(marked->choice));
            }
        }
    } else {
        getPPDSettingsFromPrintSettingsOnTiger();
    }
    updateUI();
    return true;
}

void VELPSColorPDE::PPDOptionKeyValueDidChange(const QString& option, const QString& choice) {
    if (option.isNull() || choice.isNull()) {
        return;
    }
    for (const VELPSColorOption& row : colorOptions()) {
        if (option != QLatin1String(row.keyword)) {
            continue;
        }
        // Custom calibration is the one option whose change is ignored when
        // the panel does not offer it.
        if (row.ppdOption == &VELPSColorPDE::ppdCustomCalibration && !supportCustomCalibration) {
            return;
        }
        (this->*row.setter)(choice);
        return;
    }
}
