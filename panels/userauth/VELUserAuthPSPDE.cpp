// The user-authentication panel's life: its creation from the user's entry
// in the queue's PPD, and the panel protocol.

#include "VELUserAuthPSPDE.h"

#include "PDEPluginCallback.h"
#include "ShiftJISText.h"
#include "UserAuthUtils.h"

#include <QWidget>

namespace {

// ReadUserAuthFile's outputs, as the panel reserves them.
constexpr unsigned kCredentialRoom = 512;
constexpr unsigned kFlagRoom = 8;

} // namespace

VELUserAuthPSPDE::VELUserAuthPSPDE(PDEPluginCallback* callback, const PDEBundle& bundle)
    : pdePluginCallbackObject(callback), pdeBundle(bundle) {}

VELUserAuthPSPDE::~VELUserAuthPSPDE() {
    // The host may already have deleted the view along with its own widgets.
    delete pdeView;
}

std::unique_ptr<VELUserAuthPSPDE> VELUserAuthPSPDE::initWithCallback(PDEPluginCallback* callback,
                                                                     const PDEBundle& bundle) {
    if (callback == nullptr) {
        return nullptr;
    }
    std::unique_ptr<VELUserAuthPSPDE> panel(new VELUserAuthPSPDE(callback, bundle));
    panel->useConstraintHandling = callback->respondsToWillChangePPDOptionKeyValue();
    panel->ppd = panel->useConstraintHandling ? callback->ppdFile() : panel->getPPDOnTiger();
    if (panel->ppd == nullptr) {
        return nullptr;
    }
    panel->readUserAuthEntry();
    return panel;
}

void VELUserAuthPSPDE::readUserAuthEntry() {
    char userName[kCredentialRoom] = "";
    char password[kCredentialRoom] = "";
    char flag[kFlagRoom] = "";
    if (ReadUserAuthFile(userName, sizeof userName, password, sizeof password, flag, sizeof flag,
                         ppd) != 0) {
        setDefaults();
        return;
    }
    setNewUserNameUserChoice(QStringFromShiftJIS(userName));
    setNewPasswordUserChoice(QStringFromShiftJIS(password));
    setNewUseUserAuthUserChoice(QString::fromLatin1(flag) == "1" ? "True" : "False");
}

ppd_file_t* VELUserAuthPSPDE::getPPDOnTiger() {
    PDEPrintSession* session = pdePluginCallbackObject->printSession();
    return session == nullptr ? nullptr : session->ppdRef();
}

QString VELUserAuthPSPDE::panelName() {
    if (thePDEName.isNull()) {
        thePDEName = pdeBundle.localizedStringForKey("PanelName");
    }
    return thePDEName;
}

QString VELUserAuthPSPDE::panelKind() const {
    return "com.velmark.print.pde.QVUserAuthPS";
}

QWidget* VELUserAuthPSPDE::panelView() {
    if (pdeView == nullptr) {
        loadNib();
    }
    return pdeView;
}

void VELUserAuthPSPDE::willShow() {
    initializeUI();
    updateUI();
    updateUserChoice();
}

bool VELUserAuthPSPDE::shouldPrint() {
    return checkAndSaveCurrentValue();
}

bool VELUserAuthPSPDE::saveValuesAndReturnError(QString*) {
    return checkAndSaveCurrentValue();
}

void VELUserAuthPSPDE::setNewUseUserAuthUserChoice(const QString& choice) {
    useUserAuthUserChoice = choice;
}

void VELUserAuthPSPDE::setNewUserNameUserChoice(const QString& choice) {
    userNameUserChoice = choice;
}

void VELUserAuthPSPDE::setNewPasswordUserChoice(const QString& choice) {
    passwordUserChoice = choice;
}

void VELUserAuthPSPDE::setDefaults() {
    setNewUseUserAuthUserChoice("False");
    setNewUserNameUserChoice("");
    setNewPasswordUserChoice("");
}

void VELUserAuthPSPDE::setCriticalAlertPanel(CriticalAlertPanel alertPanel) {
    criticalAlertPanel = std::move(alertPanel);
}
