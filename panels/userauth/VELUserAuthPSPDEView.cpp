// The user-authentication panel's view: loading it, and keeping its
// controls and the three choices in step.

#include "VELUserAuthPSPDE.h"

#include "PDENibLoader.h"
#include "PDEOutlets.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

bool VELUserAuthPSPDE::loadNib() {
    QString error;
    std::unique_ptr<QWidget> view(
        PDENibLoader::loadNibNamed(pdeBundle, "VELUserAuthPS", nullptr, &error));
    if (view == nullptr) {
        qWarning("VELUserAuthPS: %s", qPrintable(error));
        return false;
    }
    if (!bindOutlets(view.get())) {
        return false;
    }
    connectActions();
    pdeView = view.release();
    uiIsInited = false;
    return true;
}

bool VELUserAuthPSPDE::bindOutlets(QWidget* view) {
    PDEOutlets outlets;
    useUserAuthButton = outlets.outlet<QCheckBox>(view, "useUserAuthButton");
    userNameLabel = outlets.outlet<QLabel>(view, "userNameLabel");
    passwordLabel = outlets.outlet<QLabel>(view, "passwordLabel");
    userNameTextField = outlets.outlet<QLineEdit>(view, "userNameTextField");
    passwordTextField = outlets.outlet<QLineEdit>(view, "passwordTextField");
    if (!outlets.complete()) {
        qWarning("VELUserAuthPS: the view lacks %s", qPrintable(outlets.missing()));
        useUserAuthButton = nullptr;
        userNameLabel = passwordLabel = nullptr;
        userNameTextField = passwordTextField = nullptr;
        return false;
    }
    return true;
}

// Only the user's own edits send actions: the controls set from the
// choices in updateUI send none.
void VELUserAuthPSPDE::connectActions() {
    QObject::connect(useUserAuthButton, &QCheckBox::clicked, useUserAuthButton,
                     [this] { requestUseUserAuthButton(useUserAuthButton); });
    QObject::connect(userNameTextField, &QLineEdit::textEdited, userNameTextField,
                     [this] { requestUserNameTextField(userNameTextField); });
    QObject::connect(passwordTextField, &QLineEdit::textEdited, passwordTextField,
                     [this] { requestPasswordTextField(passwordTextField); });
}

bool VELUserAuthPSPDE::controlsExist() const {
    return pdeView != nullptr && useUserAuthButton != nullptr;
}

// Without a view there are no controls to take the choices from, so the
// choices from the PPD entry stay what the job gets.
void VELUserAuthPSPDE::initializeUI() {
    if (controlsExist()) {
        uiIsInited = true;
    }
}

void VELUserAuthPSPDE::updateUI() {
    if (!uiIsInited || !controlsExist()) {
        return;
    }
    const bool on = useUserAuthUserChoice == QLatin1String("True");
    useUserAuthButton->setChecked(on);
    userNameTextField->setText(userNameUserChoice);
    passwordTextField->setText(passwordUserChoice);
    // A disabled label paints in the palette's disabled text colour.
    userNameLabel->setEnabled(on);
    passwordLabel->setEnabled(on);
    userNameTextField->setEnabled(on);
    passwordTextField->setEnabled(on);
}

void VELUserAuthPSPDE::updateUserChoice() {
    if (!uiIsInited || !controlsExist()) {
        return;
    }
    setNewUseUserAuthUserChoice(useUserAuthButton->isChecked() ? "True" : "False");
    setNewUserNameUserChoice(userNameTextField->text());
    setNewPasswordUserChoice(passwordTextField->text());
}

void VELUserAuthPSPDE::requestUseUserAuthButton(QAbstractButton* sender) {
    setNewUseUserAuthUserChoice(sender->isChecked() ? "True" : "False");
    requestUserNameTextField(userNameTextField);
    requestPasswordTextField(passwordTextField);
    updateUI();
}

void VELUserAuthPSPDE::requestUserNameTextField(QLineEdit* sender) {
    setNewUserNameUserChoice(sender->text());
}

void VELUserAuthPSPDE::requestPasswordTextField(QLineEdit* sender) {
    setNewPasswordUserChoice(sender->text());
}
