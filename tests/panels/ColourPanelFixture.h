#pragma once
// A colour panel on a test host, with helpers that act as the user would.

#include "ColourPPD.h"
#include "PanelTestHost.h"
#include "PanelView.h"
#include "VELPSColorPDE.h"
#include "VELPSColorPDETestPeer.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

class QComboBox;
class QDialog;

// Failure messages show strings as text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// The colour bundle as the build stages it.
PDEBundle StagedColourBundle();
// A bundle without translations, so summary titles are the keys themselves.
PDEBundle BundleWithoutTranslations();
// A copy of a staged bundle's resources below dir, to edit; its path.
QString CopyOfBundle(const TempDir& dir, const QString& staged, const QString& name);
QString CopyOfColourBundle(const TempDir& dir);
// Rewrites one file of the bundle's Resources.
void EditResource(const QString& bundle, const QString& file,
                  const std::function<void(QString&)>& edit);

class ColourPanelFixture : public testing::Test {
protected:
    // The panel on the example PPD with the edits; null when it declines.
    VELPSColorPDE* make(const std::vector<PPDEdit>& edits = {},
                        const PDEBundle& bundle = StagedColourBundle());
    // Loads the view, shows it and sends willShow, as a print dialog does.
    QWidget* show() { return ShowPanel(*panel); }

    template <class T> T* control(const char* name) { return PanelControl<T>(*panel, name); }

    QString choice(const char* keyword) const {
        return VELPSColorPDETestPeer::userChoice(*panel, keyword);
    }

    // Chooses the item of the keyword as a user would, with its activation.
    void choose(const char* popupName, const char* keyword);
    // Clicks the opener and runs whileOpen inside the window's modal run; the
    // window is cancelled afterwards if whileOpen left it open.
    void whileWindowOpen(const char* openerName, const std::function<void(QDialog*)>& whileOpen);
    void clickInWindow(QDialog* window, const char* buttonName);

    TempDir dir;
    std::unique_ptr<PanelTestHost> host;
    std::unique_ptr<VELPSColorPDE> panel;
};
