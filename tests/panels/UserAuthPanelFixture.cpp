#include "UserAuthPanelFixture.h"

#include "EncryptDecrypt.h"
#include "ShiftJISText.h"

#include <filesystem>

PDEBundle StagedUserAuthBundle() {
    return PDEBundle(QC_USERAUTH_BUNDLE, QLocale(QLocale::English));
}

QString ScrambledSetting(const QByteArray& shiftJIS) {
    std::string hex(2 * shiftJIS.size() + 1, '\0');
    uint32_t capacity = static_cast<uint32_t>(hex.size());
    if (EncryptData(reinterpret_cast<const unsigned char*>(shiftJIS.constData()),
                    static_cast<uint32_t>(shiftJIS.size()), hex.data(), &capacity) != 1) {
        ADD_FAILURE() << "cannot scramble";
        return {};
    }
    hex.resize(capacity);
    return QString::fromStdString(hex);
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
    return "*UAData" + login + ": \"" + Scrambled(userName) + "," + Scrambled(password) + ",," +
           flag + "\"\n";
}

VELUserAuthPSPDE* UserAuthPanelFixture::make(const std::string& entries, const PDEBundle& bundle) {
    panel.reset();
    const std::string example =
        ReadFile(std::filesystem::path(QC_EXAMPLES_DIR) / "Velmark-CL7200.ppd");
    host = std::make_unique<PanelTestHost>(dir.Write("queue.ppd", example + entries));
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
