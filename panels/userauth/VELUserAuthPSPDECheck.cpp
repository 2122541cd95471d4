// The user-authentication panel's checks before printing and the print
// settings it writes.

#include "VELUserAuthPSPDE.h"

#include "CriticalAlertPanel.h"
#include "PDEPluginCallback.h"
#include "ShiftJISBytes.h"
#include "ShiftJISText.h"
#include "UserAuthUtils.h"

#include <QWidget>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr int kMostUserNameCharacters = 32;
constexpr int kMostPasswordCharacters = 32;
constexpr size_t kCheckedRoom = 2048; // a value as it is checked
constexpr size_t kEscapedRoom = 1024; // its escaped copy, not used further
constexpr size_t kSavedRoom = 512;    // a value as it is scrambled
constexpr uint32_t kScrambledRoom = 1024;

bool isForbidden(unsigned char byte) {
    return (byte >= 0x0A && byte <= 0x1F) || byte == '"' || byte == ',';
}

bool needsEscape(unsigned char byte) {
    return byte == '(' || byte == ')' || byte == '\\';
}

// The escaped copy of a checked value: whole characters only, as many as
// its buffer holds with the terminating NUL.
class EscapedCopy {
public:
    EscapedCopy(char* buffer, size_t room)
        : m_Buffer(buffer), m_Room(buffer == nullptr ? 0 : room) {}

    void put(const unsigned char* bytes, size_t length) {
        if (m_Full || m_Written + length + 1 > m_Room) {
            m_Full = true;
            return;
        }
        std::memcpy(m_Buffer + m_Written, bytes, length);
        m_Written += length;
    }

    void finish() {
        if (m_Room > 0) {
            m_Buffer[m_Written] = '\0';
        }
    }

private:
    char* m_Buffer;
    size_t m_Room;
    size_t m_Written = 0;
    bool m_Full = false;
};

// The text's Shift-JIS bytes in a buffer of room bytes, cut to fit.
void copyShiftJIS(const QString& text, char* buffer, size_t room) {
    const QByteArray bytes = ShiftJISFromQString(text);
    const size_t length = std::min(static_cast<size_t>(qstrlen(bytes.constData())), room - 1);
    std::memcpy(buffer, bytes.constData(), length);
    buffer[length] = '\0';
}

} // namespace

bool VELUserAuthPSPDE::authenticateDestination() {
    PDEPrintSession* session = pdePluginCallbackObject->printSession();
    const std::optional<PMDestinationType> type =
        session == nullptr ? std::nullopt : session->destinationType();
    return type == PMDestinationType::kPMDestinationPrinter ||
           type == PMDestinationType::kPMDestinationPreview;
}

int16_t VELUserAuthPSPDE::checkValue(const char* value, char* destValue, size_t destSize,
                                     int maxLength) {
    EscapedCopy copy(destValue, destSize);
    bool characterError = false;
    size_t count = 0;
    const auto* at = reinterpret_cast<const unsigned char*>(value == nullptr ? "" : value);
    while (*at != '\0') {
        if (IsShiftJISLeadByte(at[0]) && IsShiftJISTrailByte(at[1])) {
            copy.put(at, 2);
            at += 2;
        } else if (isForbidden(*at)) {
            characterError = true;
            ++at;
        } else if (needsEscape(*at)) {
            const unsigned char escaped[2] = {'\\', *at};
            copy.put(escaped, 2);
            ++at;
        } else {
            copy.put(at, 1);
            ++at;
        }
        ++count;
    }
    copy.finish();
    if (characterError) {
        return kValueCharacterError;
    }
    if (count == 0 || maxLength < 0 || count > static_cast<size_t>(maxLength)) {
        return kValueLengthError;
    }
    return kValueValid;
}

bool VELUserAuthPSPDE::validateAndAlert() {
    if (useUserAuthUserChoice != QLatin1String("True") || !authenticateDestination()) {
        return true;
    }
    char userName[kCheckedRoom];
    char password[kCheckedRoom];
    copyShiftJIS(userNameUserChoice, userName, sizeof userName);
    copyShiftJIS(passwordUserChoice, password, sizeof password);
    char escaped[kEscapedRoom];
    const int16_t userNameCode =
        checkValue(userName, escaped, sizeof escaped, kMostUserNameCharacters);
    if (userNameCode != kValueValid) {
        return alertFor("UserNameErrorTitle", "UserNameLengthErrorMessage",
                        "UserNameCharacrerErrorMessage", userNameCode);
    }
    const int16_t passwordCode =
        checkValue(password, escaped, sizeof escaped, kMostPasswordCharacters);
    if (passwordCode != kValueValid) {
        return alertFor("PasswordErrorTitle", "PasswordLengthErrorMessage",
                        "PasswordCharacrerErrorMessage", passwordCode);
    }
    return true;
}

bool VELUserAuthPSPDE::alertFor(const char* titleKey, const char* lengthKey,
                                const char* characterKey, int16_t code) {
    const char* messageKey = code == kValueLengthError ? lengthKey : characterKey;
    runCriticalAlertPanel(pdeBundle.localizedStringForKey(titleKey),
                          pdeBundle.localizedStringForKey(messageKey),
                          pdeBundle.localizedStringForKey("AlertPanelOKButton"));
    return false;
}

void VELUserAuthPSPDE::runCriticalAlertPanel(const QString& title, const QString& message,
                                             const QString& button) {
    if (criticalAlertPanel) {
        criticalAlertPanel(title, message, button);
        return;
    }
    RunCriticalAlertPanel(pdeView == nullptr ? nullptr : pdeView->window(), title, message, button);
}

bool VELUserAuthPSPDE::checkAndSaveCurrentValue() {
    if (uiIsInited) {
        updateUserChoice();
    }
    bool ok = validateAndAlert();

    JobAccountingRecord record;
    if (GetJobAccountingPreference(&record) == 0) {
        std::memset(&record, 0, sizeof record);
        std::strcpy(record.userID, "0");
    }
    char userName[kSavedRoom];
    char password[kSavedRoom];
    copyShiftJIS(userNameUserChoice, userName, sizeof userName);
    copyShiftJIS(passwordUserChoice, password, sizeof password);

    ok =
        writeSetting("VLUseUserAuth", useUserAuthUserChoice == QLatin1String("True") ? "1" : "0") &&
        ok;
    const std::pair<const char*, const char*> credentials[] = {{"VLUAUserName", userName},
                                                               {"VLUAPassword", password}};
    for (const auto& [key, text] : credentials) {
        char scrambled[kScrambledRoom] = {};
        uint32_t capacity = sizeof scrambled;
        if (EncryptData(reinterpret_cast<const unsigned char*>(text),
                        static_cast<uint32_t>(std::strlen(text)), scrambled, &capacity) == 1) {
            ok = writeSetting(key, QString::fromLocal8Bit(scrambled)) && ok;
        }
    }
    ok = writeSetting("VLJAUserID", QString::fromLocal8Bit(record.userID)) && ok;
    return ok;
}

// A setting the host cannot keep would send the job without the user's
// authentication, so it stops the job.
bool VELUserAuthPSPDE::writeSetting(const char* key, const QString& value) {
    PDEPrintSettings* settings = pdePluginCallbackObject->printSettings();
    if (settings != nullptr && settings->setValue(QString::fromLatin1(key), value)) {
        return true;
    }
    qWarning("VELUserAuthPS: the print dialog did not keep the setting %s", key);
    return false;
}
