// The user-authentication panel's life: creation from the user's PPD
// entry, the view, and the protocol answers of a panel that binds nothing.

#include "UserAuthPanelFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

using Peer = VELUserAuthPSPDETestPeer;

struct CreationCase {
    const char* name;
    const char* whoami; // what whoami prints
    std::string entries;
    QString useUserAuth;
    QString userName;
    QString password;
};

class VELUserAuthPSPDECreation : public UserAuthPanelFixture,
                                 public testing::WithParamInterface<CreationCase> {};

TEST_P(VELUserAuthPSPDECreation, TakesTheChoicesFromTheUsersEntry) {
    const CreationCase& row = GetParam();
    whoami.Prints(row.whoami);
    ASSERT_NE(make(row.entries), nullptr);
    EXPECT_EQ(Peer::useUserAuth(*panel), row.useUserAuth);
    EXPECT_EQ(Peer::userName(*panel), row.userName);
    EXPECT_EQ(Peer::password(*panel), row.password);
}

const std::string kOthers =
    UserAuthEntry("user8", "eight", "pw8", "1") + UserAuthEntry("", "nobody", "pwx", "1");

INSTANTIATE_TEST_SUITE_P(
    Entries, VELUserAuthPSPDECreation,
    testing::Values(
        CreationCase{"FlagOne", "user7\n", UserAuthEntry("user7", "seven", "pw7", "1") + kOthers,
                     "True", "seven", "pw7"},
        CreationCase{"FlagZero", "user7\n", UserAuthEntry("user7", "seven", "pw7", "0"), "False",
                     "seven", "pw7"},
        CreationCase{"NoEntryForTheUser", "user7\n", kOthers, "False", "", ""},
        CreationCase{"NoLoginNameTakesUAData", "", kOthers, "True", "nobody", "pwx"},
        CreationCase{"BackslashesUnescaped", "user7\n", UserAuthEntry("user7", "a\\b", "(pw)", "1"),
                     "True", "a\\b", "(pw)"},
        CreationCase{"DoubleByteCharacters", "user7\n",
                     UserAuthEntry("user7", ShiftJIS(QStringLiteral("ユーザー表")),
                                   ShiftJIS(QStringLiteral("パス")), "1"),
                     "True", QStringLiteral("ユーザー表"), QStringLiteral("パス")},
        // A lead byte at the very end has no second byte: not Shift-JIS.
        CreationCase{"NotShiftJISIsEmpty", "user7\n",
                     UserAuthEntry("user7", QByteArray("ab\x81"), "pw", "1"), "True", "", "pw"}),
    [](const testing::TestParamInfo<CreationCase>& info) { return std::string(info.param.name); });

TEST_F(UserAuthPanelFixture, DeclinesOnlyWithoutAnyPPD) {
    ASSERT_NE(make(), nullptr);
    EXPECT_EQ(VELUserAuthPSPDE::initWithCallback(nullptr, BundleWithoutTranslations()), nullptr);

    // A host without constraint handling gives the session's PPD.
    host->constraintHandling = false;
    EXPECT_NE(VELUserAuthPSPDE::initWithCallback(host.get(), BundleWithoutTranslations()), nullptr);
    host->sessionHasPPD = false;
    EXPECT_EQ(VELUserAuthPSPDE::initWithCallback(host.get(), BundleWithoutTranslations()), nullptr);
}

TEST_F(UserAuthPanelFixture, AnswersAsAPanelThatBindsNoOption) {
    ASSERT_NE(make(UserAuthEntry("user7", "seven", "pw7", "1"), StagedUserAuthBundle()), nullptr);
    EXPECT_EQ(panel->panelKind(), "com.velmark.print.pde.QVUserAuthPS");
    EXPECT_EQ(panel->panelName(), "User Authentication");
    EXPECT_FALSE(panel->supportedPPDOptionKeys().has_value());
    EXPECT_TRUE(panel->summaryInfo().isEmpty());
    EXPECT_TRUE(panel->shouldHide());
    EXPECT_TRUE(panel->shouldShowHelp());
    EXPECT_TRUE(panel->respondsToShouldPrint());

    QString error = "untouched";
    EXPECT_TRUE(panel->restoreValuesAndReturnError(&error));
    panel->PPDOptionKeyValueDidChange("VLControl", "Graph");
    EXPECT_EQ(Peer::useUserAuth(*panel), "True");
    EXPECT_EQ(Peer::userName(*panel), "seven");
    EXPECT_EQ(error, "untouched");
    EXPECT_TRUE(host->offers().empty());
}

TEST_F(UserAuthPanelFixture, FirstShowFollowsTheSwitch) {
    ASSERT_NE(make(UserAuthEntry("user7", "seven", "pw7", "1"), StagedUserAuthBundle()), nullptr);
    ASSERT_NE(show(), nullptr);
    auto* box = control<QCheckBox>("useUserAuthButton");
    auto* name = control<QLineEdit>("userNameTextField");
    auto* password = control<QLineEdit>("passwordTextField");
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(name->text(), "seven");
    EXPECT_EQ(password->text(), "pw7");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(name->isEnabled());
    EXPECT_TRUE(password->isEnabled());
    EXPECT_TRUE(control<QLabel>("userNameLabel")->isEnabled());

    ASSERT_NE(make("", StagedUserAuthBundle()), nullptr);
    ASSERT_NE(show(), nullptr);
    box = control<QCheckBox>("useUserAuthButton");
    name = control<QLineEdit>("userNameTextField");
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(name->text(), "");
    EXPECT_FALSE(name->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("passwordTextField")->isEnabled());
    EXPECT_FALSE(control<QLabel>("userNameLabel")->isEnabled());
    EXPECT_FALSE(control<QLabel>("passwordLabel")->isEnabled());
}

TEST_F(UserAuthPanelFixture, TheCheckBoxTakesTheFieldsAndEnablesThem) {
    ASSERT_NE(make("", StagedUserAuthBundle()), nullptr);
    ASSERT_NE(show(), nullptr);
    auto* box = control<QCheckBox>("useUserAuthButton");
    auto* name = control<QLineEdit>("userNameTextField");
    box->click();
    EXPECT_EQ(Peer::useUserAuth(*panel), "True");
    EXPECT_TRUE(name->isEnabled());
    EXPECT_TRUE(control<QLabel>("passwordLabel")->isEnabled());

    name->setFocus();
    QTest::keyClicks(name, "typed");
    EXPECT_EQ(Peer::userName(*panel), "typed") << "each edit reaches the choice";
    box->click();
    EXPECT_EQ(Peer::useUserAuth(*panel), "False");
    EXPECT_EQ(Peer::userName(*panel), "typed");
    EXPECT_FALSE(name->isEnabled());
}

TEST_F(UserAuthPanelFixture, AViewWithoutItsControlsGivesNoViewAndKeepsTheEntry) {
    const QString bundle = CopyOfBundle(dir, QC_USERAUTH_BUNDLE, "VELUserAuthPS");
    EditResource(bundle, "VELUserAuthPS.ui",
                 [](QString& ui) { ui.replace("\"passwordTextField\"", "\"renamedField\""); });
    ASSERT_NE(make(UserAuthEntry("user7", "seven", "pw7", "1"), PDEBundle(bundle)), nullptr);
    EXPECT_EQ(panel->panelView(), nullptr);
    panel->willShow();
    EXPECT_FALSE(Peer::uiIsInited(*panel));
    EXPECT_TRUE(panel->shouldPrint());
    EXPECT_EQ(setting("VLUAUserName"), ScrambledSetting("seven"));
}

} // namespace
