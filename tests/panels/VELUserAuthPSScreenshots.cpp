// Screenshots of the user-authentication panel, switched on and off, for
// people to look at: <build>/screenshots/VELUserAuthPS-*.png.

#include "UserAuthPanelFixture.h"

#include <QDir>
#include <QPixmap>

namespace {

class VELUserAuthPSScreenshots : public UserAuthPanelFixture {
protected:
    void save(const QString& name) {
        QWidget* view = show();
        ASSERT_NE(view, nullptr);
        view->resize(view->sizeHint().expandedTo(QSize(480, 200)));
        ASSERT_TRUE(QDir().mkpath(QC_SCREENSHOT_DIR));
        const QString path = QStringLiteral(QC_SCREENSHOT_DIR "/VELUserAuthPS-") + name + ".png";
        EXPECT_TRUE(view->grab().save(path)) << path.toStdString();
    }
};

TEST_F(VELUserAuthPSScreenshots, On) {
    ASSERT_NE(make(UserAuthEntry("user7", "alice", "secret", "1"), StagedUserAuthBundle()),
              nullptr);
    save("on");
}

TEST_F(VELUserAuthPSScreenshots, Off) {
    ASSERT_NE(make("", StagedUserAuthBundle()), nullptr);
    save("off");
}

} // namespace
