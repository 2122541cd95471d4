#pragma once
// What the print-dialog tests share: the staged panel bundles, a host on
// the example PPD, a panel that records what the host tells it, and a
// dialog driven as a person would drive it.

#include "ColourPPD.h"
#include "FakeWhoami.h"
#include "PDEHost.h"
#include "PanelView.h"
#include "PrintDialog.h"
#include "TestSupport.h"

#include <QString>
#include <QTextStream>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

inline QString Path(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// The bundles as the build stages them.
QStringList StagedBundles();

// A host on the PPD with the staged bundles loaded; null (a test failure)
// when the PPD does not open or a bundle does not load.
std::unique_ptr<PDEHost> HostWithPanels(const std::filesystem::path& ppd);

// A panel that shows the given options and records every change reported.
class RecordingPanel : public PDEPanel {
public:
    explicit RecordingPanel(QStringList shown) : m_Shown(std::move(shown)) {}

    std::vector<QString> reported; // "option=choice"
    bool agreesToPrint = true;
    std::vector<QString>* calls = nullptr; // shared by several panels, in order

    QString panelName() override { return QStringLiteral("Recorder"); }
    QString panelKind() const override { return QStringLiteral("test.recorder"); }
    QWidget* panelView() override { return nullptr; }
    void willShow() override {}
    bool shouldHide() override { return true; }
    bool shouldShowHelp() override { return false; }
    bool respondsToShouldPrint() const override { return true; }
    bool shouldPrint() override;
    std::optional<QStringList> supportedPPDOptionKeys() override { return m_Shown; }
    void PPDOptionKeyValueDidChange(const QString& option, const QString& choice) override {
        reported.push_back(option + "=" + choice);
    }
    bool restoreValuesAndReturnError(QString*) override { return true; }
    bool saveValuesAndReturnError(QString* error) override;
    QMap<QString, QString> summaryInfo() override { return {}; }

    QString saveError; // non-empty: saving fails with it

private:
    QStringList m_Shown;
};

// A print dialog on the example PPD (or a queue's host) with both staged
// panels, the login name "user7" and a job-accounting preference file of
// the test's own; messages and output are recorded.
class DialogFixture : public testing::Test {
protected:
    void SetUp() override;
    // Makes the dialog for the host (the example PPD's unless one is given).
    void makeDialog(VelprintJob job, std::unique_ptr<PDEHost> made = nullptr);

    // Brings up the panel's tab by the panel's name; its index.
    int showTab(const QString& title);
    template <class T> T* control(const char* name) {
        T* found = dialog->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            ADD_FAILURE() << "no control " << name;
        }
        return found;
    }
    // Chooses the item with the data, with the activation a person's choice sends.
    void choose(const char* boxName, const char* data);
    void print() { dialog->print(); }

    TempDir dir;
    ScopedEnv preferences{"VEL_PREFERENCES_DIR", (dir.Path() / "etc").string()};
    FakeWhoami whoami{"user7\n"};
    std::unique_ptr<PDEHost> host;
    std::unique_ptr<PrintDialog> dialog;
    std::vector<QString> messages; // "title: text"
    QString output;
    QTextStream outputStream{&output};
};
