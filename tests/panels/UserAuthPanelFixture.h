#pragma once
// A user-authentication panel on a test host, with the user's entries in
// the queue's PPD, a login name of the test's choosing and a recorded alert.

#include "ColourPanelFixture.h"
#include "FakeWhoami.h"
#include "PanelView.h"
#include "VELUserAuthPSPDE.h"
#include "VELUserAuthPSPDETestPeer.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The user-authentication bundle as the build stages it, in English.
PDEBundle StagedUserAuthBundle();

// The stored form of a credential: backslashes doubled, then scrambled.
std::string Scrambled(const QByteArray& shiftJIS);
// The scrambled text of the bytes as they are, as the panel writes them.
QString ScrambledSetting(const QByteArray& shiftJIS);
// The text's Shift-JIS bytes, for cases that hold double-byte characters.
QByteArray ShiftJIS(const QString& text);

// A PPD line with the credentials of the login name ("" for "UAData"
// alone): user name, password, a skipped field and the use flag.
std::string UserAuthEntry(const std::string& login, const QByteArray& userName,
                          const QByteArray& password, const std::string& flag);

struct RecordedAlert {
    QString title;
    QString message;
    QString button;
};

class UserAuthPanelFixture : public testing::Test {
protected:
    // The panel on the example PPD with the entry lines added; the login
    // name is "user7" unless the test has whoami print another.
    VELUserAuthPSPDE* make(const std::string& entries = "",
                           const PDEBundle& bundle = BundleWithoutTranslations());
    // Loads the view, shows it and sends willShow, as a print dialog does.
    QWidget* show() { return ShowPanel(*panel); }
    // Writes the job-accounting preference file and points the panel at it.
    void writePreferences(const std::string& content);

    template <class T> T* control(const char* name) { return PanelControl<T>(*panel, name); }

    QString setting(const char* key) const { return host->value(QString::fromLatin1(key)); }

    TempDir dir;
    ScopedEnv preferences{"VEL_PREFERENCES_DIR", (dir.Path() / "etc").string()};
    FakeWhoami whoami{"user7\n"};
    std::unique_ptr<PanelTestHost> host;
    std::unique_ptr<VELUserAuthPSPDE> panel;
    std::vector<RecordedAlert> alerts;
};
