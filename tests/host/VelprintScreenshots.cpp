// Screenshots of the whole print dialog with both panels, one per tab, for
// people to look at: <build>/screenshots/velprint-*.png.

#include "HostFixture.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTabWidget>

namespace {

class VelprintScreenshots : public DialogFixture {};

TEST_F(VelprintScreenshots, EveryTab) {
    VelprintJob job;
    job.queue = "Colour";
    job.files = {"/home/user7/report.pdf"};
    makeDialog(job);
    showTab("Color");
    control<QAbstractButton>("colorModeCell2")->click(); // Graphic Pro
    showTab("User Authentication");
    control<QAbstractButton>("useUserAuthButton")->click();
    control<QLineEdit>("userNameTextField")->setText("alice");
    control<QLineEdit>("passwordTextField")->setText("secret");

    ASSERT_TRUE(QDir().mkpath(QC_SCREENSHOT_DIR));
    auto* tabs = control<QTabWidget>("tabs");
    const char* names[] = {"basics", "colour", "userauth", "summary"};
    ASSERT_EQ(tabs->count(), 4);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        const QString path = QStringLiteral(QC_SCREENSHOT_DIR "/velprint-%1.png").arg(names[i]);
        EXPECT_TRUE(dialog->grab().save(path)) << path.toStdString();
    }
}

} // namespace
