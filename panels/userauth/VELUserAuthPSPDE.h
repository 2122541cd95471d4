#pragma once
// The user-authentication panel: the user switches the printer's user
// authentication on and enters the name and password to authenticate with.
// Before a job goes to a printer or to the preview it checks them; in every
// case it writes four print settings, the credentials scrambled:
// "VLUseUserAuth", "VLUAUserName", "VLUAPassword" and "VLJAUserID".
// It binds no PPD option and shows no summary.

#include "PDEBundle.h"
#include "PDEPanel.h"

#include <cups/ppd.h>

#include <QPointer>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

class PDEPluginCallback;
class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

class VELUserAuthPSPDE : public PDEPanel {
public:
    // Shows a critical alert with one button and returns when the user
    // dismissed it.
    using CriticalAlertPanel =
        std::function<void(const QString& title, const QString& message, const QString& button)>;

    // Results of checkValue.
    static constexpr int16_t kValueValid = 0;
    static constexpr int16_t kValueCharacterError = 1;
    static constexpr int16_t kValueLengthError = 2;

    // The panel, or null when no PPD can be had from the host.
    static std::unique_ptr<VELUserAuthPSPDE> initWithCallback(PDEPluginCallback* callback,
                                                              const PDEBundle& bundle);
    ~VELUserAuthPSPDE() override;

    VELUserAuthPSPDE(const VELUserAuthPSPDE&) = delete;
    VELUserAuthPSPDE& operator=(const VELUserAuthPSPDE&) = delete;

    // The panel protocol.
    QString panelName() override;
    QString panelKind() const override;
    QWidget* panelView() override;
    void willShow() override;
    bool shouldHide() override { return true; }
    bool shouldShowHelp() override { return true; }
    bool respondsToShouldPrint() const override { return true; }
    bool shouldPrint() override;
    std::optional<QStringList> supportedPPDOptionKeys() override { return std::nullopt; }
    void PPDOptionKeyValueDidChange(const QString&, const QString&) override {}
    bool restoreValuesAndReturnError(QString*) override { return true; }
    bool saveValuesAndReturnError(QString* error) override;
    QMap<QString, QString> summaryInfo() override { return {}; }

    // Setters of the three choices.
    void setNewUseUserAuthUserChoice(const QString& choice);
    void setNewUserNameUserChoice(const QString& choice);
    void setNewPasswordUserChoice(const QString& choice);

    void setDefaults();
    void initializeUI();
    void updateUI();
    void updateUserChoice();

    // Actions of the view.
    void requestUseUserAuthButton(QAbstractButton* sender);
    void requestUserNameTextField(QLineEdit* sender);
    void requestPasswordTextField(QLineEdit* sender);

    // Whether the job goes where its credentials are checked: a printer or
    // the preview. No when the host cannot tell.
    bool authenticateDestination();
    // Checks one NUL-terminated Shift-JIS string of at most maxLength
    // characters and writes its escaped copy to destValue, a buffer of
    // destSize bytes: kValueValid, kValueCharacterError for a control
    // byte, '"' or ',' (whatever the length), kValueLengthError for none or
    // too many characters. The copy is cut to fit its buffer; the result
    // never depends on the buffer's size.
    static int16_t checkValue(const char* value, char* destValue, size_t destSize, int maxLength);
    // Checks the choices when authentication is on and the job goes where
    // it is checked; shows the alert for the first failure.
    bool validateAndAlert();
    // Checks, then writes the four print settings, whether or not the check
    // passed. Whether the job may print.
    bool checkAndSaveCurrentValue();

    // The print session's PPD, for a host without constraint handling.
    ppd_file_t* getPPDOnTiger();

    // In real use a modal critical message box.
    void setCriticalAlertPanel(CriticalAlertPanel alertPanel);

private:
    friend struct VELUserAuthPSPDETestPeer;

    VELUserAuthPSPDE(PDEPluginCallback* callback, const PDEBundle& bundle);

    void readUserAuthEntry();
    bool loadNib();
    bool bindOutlets(QWidget* view);
    void connectActions();
    bool controlsExist() const;
    // Shows the alert of a failed check and says no.
    bool alertFor(const char* titleKey, const char* lengthKey, const char* characterKey,
                  int16_t code);
    bool writeSetting(const char* key, const QString& value);
    void runCriticalAlertPanel(const QString& title, const QString& message, const QString& button);

    PDEPluginCallback* pdePluginCallbackObject = nullptr;
    QPointer<QWidget> pdeView;
    QCheckBox* useUserAuthButton = nullptr;
    QLabel* userNameLabel = nullptr;
    QLabel* passwordLabel = nullptr;
    QLineEdit* userNameTextField = nullptr;
    QLineEdit* passwordTextField = nullptr;
    PDEBundle pdeBundle;
    bool useConstraintHandling = false;
    bool uiIsInited = false;
    QString thePDEName;
    ppd_file_t* ppd = nullptr;
    QString useUserAuthUserChoice;
    QString userNameUserChoice;
    QString passwordUserChoice;

    CriticalAlertPanel criticalAlertPanel;
};
