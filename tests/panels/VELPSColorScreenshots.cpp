// Screenshots of the colour panel and its three windows, in both forms of
// toner saving, for people to look at: <build>/screenshots/*.png.

#include "ColourPanelFixture.h"

#include <QDialog>
#include <QDir>
#include <QPixmap>

namespace {

class VELPSColorScreenshots : public ColourPanelFixture {
protected:
    void save(QWidget* widget, const QString& name) {
        ASSERT_TRUE(QDir().mkpath(QC_SCREENSHOT_DIR));
        const QString path = QStringLiteral(QC_SCREENSHOT_DIR "/") + name + ".png";
        EXPECT_TRUE(widget->grab().save(path)) << path.toStdString();
    }

    void saveAll(const QString& mode) {
        QWidget* view = show();
        ASSERT_NE(view, nullptr);
        view->resize(view->sizeHint().expandedTo(QSize(480, 360)));
        save(view, "VELPSColor-" + mode);
        const struct {
            const char* opener;
            const char* name;
        } windows[] = {{"officeColorDetailButton", "OfficeColorDetailWindow"},
                       {"graphicProDetailButton", "GraphicProDetailWindow"},
                       {"colorAdvancedButton", "AdvancedSettingWindow"}};
        for (const auto& w : windows) {
            // Each details button works only in its own colour mode.
            panel->PPDOptionKeyValueDidChange(
                "VLControl", QString(w.name).startsWith("Graphic") ? "Graph" : "Office");
            panel->updateUI();
            whileWindowOpen(w.opener, [&](QDialog* window) {
                save(window, QString(w.name) + "-" + mode);
                window->reject();
            });
        }
    }
};

TEST_F(VELPSColorScreenshots, SavingLevels) {
    ASSERT_NE(make(), nullptr);
    saveAll("saving-levels");
    // The Graphic Pro window for the other tasks.
    const char* tasks[] = {"PrintSim", "CreatPro"};
    panel->PPDOptionKeyValueDidChange("VLControl", "Graph");
    panel->updateUI();
    for (const char* task : tasks) {
        panel->PPDOptionKeyValueDidChange("VLColorICMS", task);
        whileWindowOpen("graphicProDetailButton", [&](QDialog* window) {
            save(window, QString("GraphicProDetailWindow-") + task);
            window->reject();
        });
    }
}

TEST_F(VELPSColorScreenshots, SavingCheckBox) {
    ASSERT_NE(make(CheckBoxTonerSaving()), nullptr);
    saveAll("saving-check-box");
}

} // namespace
