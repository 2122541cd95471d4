#include "UserAuthPanelFixture.h"

#include "EncryptDecrypt.h"
#include "ShiftJISText.h"
#include "UserAuthPPD.h"

PDEBundle StagedUserAuthBundle() {
    return PDEBundle(QC_USERAUTH_BUNDLE, QLocale(QLocale::English));
}

QString ScrambledSetting(const QByteArray& shiftJIS) {
    return QString::fromStdString(ScrambledHex(shiftJIS.toStdString(), &EncryptData));
}

std::string Scrambled(const QByteArray& shiftJIS) {
    QByteArray escaped = shiftJIS;
    escaped.replace("\\", "\\\\");
    return ScrambledSetting(escaped).toStdString();
}

QByteArray ShiftJIS(const QString& text) {
    const QByteArray bytes = ShiftJISFromQString(text);
    if (bytes.isEmpty()) {
        ADD_FAILURE() << "no Shift-JIS form";
    }
    return bytes;
}

std::string UserAuthEntry(const std::string& login, const QByteArray& userName,
                          const QByteArray& password, const std::string& flag) {
    return PPDEntry("UAData" + login,
                    Scrambled(userName) + "," + Scrambled(password) + ",," + flag);
}

VELUserAuthPSPDE* UserAuthPanelFixture::make(const std::string& entries, const PDEBundle& bundle) {
    panel.reset();
    host = std::make_unique<PanelTestHost>(WriteUserAuthPPD(dir, entries));
    panel = VELUserAuthPSPDE::initWithCallback(host.get(), bundle);
    if (panel != nullptr) {
        panel->setCriticalAlertPanel(
            [this](const QString& title, const QString& message, const QString& button) {
                alerts.push_back({title, message, button});
            });
    }
    return panel.get();
}

void UserAuthPanelFixture::writePreferences(const std::string& content) {
    dir.Write("etc/QUORVAN/VLJA.prefs", content);
}
