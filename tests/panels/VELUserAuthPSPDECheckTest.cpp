// The user-authentication panel before printing: the checks of the user
// name and password, the alert, and the four print settings it writes.

#include "UserAuthPanelFixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <cstring>

namespace {

using Peer = VELUserAuthPSPDETestPeer;

constexpr int16_t kValid = VELUserAuthPSPDE::kValueValid;
constexpr int16_t kCharacter = VELUserAuthPSPDE::kValueCharacterError;
constexpr int16_t kLength = VELUserAuthPSPDE::kValueLengthError;

QByteArray Repeated(const QByteArray& unit, int times) {
    return unit.repeated(times);
}

// ----- checkValue -----

struct CheckCase {
    const char* name;
    QByteArray value;
    int16_t code;
    QByteArray escaped;
};

class CheckValue : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckValue, ChecksAndEscapes) {
    const CheckCase& row = GetParam();
    char escaped[1024];
    EXPECT_EQ(VELUserAuthPSPDE::checkValue(row.value.constData(), escaped, sizeof escaped, 32),
              row.code);
    EXPECT_EQ(QByteArray(escaped), row.escaped);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CheckValue,
    testing::Values(CheckCase{"ThirtyTwo", Repeated("a", 32), kValid, Repeated("a", 32)},
                    CheckCase{"ThirtyThree", Repeated("a", 33), kLength, Repeated("a", 33)},
                    CheckCase{"Empty", "", kLength, ""},
                    // "表" is 0x95 0x5C: its second byte is a backslash, not escaped.
                    CheckCase{"ThirtyTwoDoubleByte", Repeated("\x95\x5c", 32), kValid,
                              Repeated("\x95\x5c", 32)},
                    CheckCase{"ThirtyThreeDoubleByte", Repeated("\x95\x5c", 33), kLength,
                              Repeated("\x95\x5c", 33)},
                    CheckCase{"Comma", "a,b", kCharacter, "ab"},
                    CheckCase{"Quote", "a\"b", kCharacter, "ab"},
                    CheckCase{"LineFeed", "a\nb", kCharacter, "ab"},
                    CheckCase{"Byte1F", "a\x1f", kCharacter, "a"},
                    CheckCase{"CharacterErrorBeatsLength", Repeated("a", 40) + ",", kCharacter,
                              Repeated("a", 40)},
                    CheckCase{"OnlyAComma", ",", kCharacter, ""},
                    CheckCase{"TabAndSpace", "a\tb c", kValid, "a\tb c"},
                    CheckCase{"Byte01And7F", "\x01\x7f", kValid, "\x01\x7f"},
                    CheckCase{"ParenthesesAndBackslash", "(a)\\", kValid, "\\(a\\)\\\\"},
                    // Each escaped character counts once: 32 of them still pass.
                    CheckCase{"ThirtyTwoEscaped", Repeated("(", 32), kValid, Repeated("\\(", 32)},
                    CheckCase{"LeadByteAtTheEnd", "ab\x81", kValid, "ab\x81"},
                    CheckCase{"LeadByteWithoutTrail", "\x81 ", kValid, "\x81 "},
                    CheckCase{"HalfWidthKana", "\xb1\xb2", kValid, "\xb1\xb2"}),
    [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST(CheckValueCopy, StaysInsideItsBufferWhateverTheInput) {
    // 1000 parentheses escape to 2000 bytes; the copy is cut at whole
    // characters and the bytes past the buffer stay as they were.
    const QByteArray value = Repeated("(", 1000);
    char buffer[1024 + 64];
    std::memset(buffer, 'Z', sizeof buffer);
    EXPECT_EQ(VELUserAuthPSPDE::checkValue(value.constData(), buffer, 1024, 2000), kValid);
    EXPECT_EQ(std::strlen(buffer), 1022u);
    EXPECT_EQ(QByteArray(buffer), Repeated("\\(", 511));
    EXPECT_EQ(QByteArray(buffer + 1024, 64), Repeated("Z", 64));

    // A double-byte character is not split at the end of the buffer.
    char small[4];
    EXPECT_EQ(VELUserAuthPSPDE::checkValue("a\x95\x5c\x95\x5c", small, sizeof small, 32), kValid);
    EXPECT_EQ(QByteArray(small), QByteArray("a\x95\x5c"));
    EXPECT_EQ(VELUserAuthPSPDE::checkValue(Repeated("a", 33).constData(), nullptr, 0, 32), kLength);
}

// ----- validateAndAlert -----

struct AlertCase {
    const char* name;
    QString userName;
    QString password;
    const char* title; // nullptr: no alert
    const char* message;
};

class VELUserAuthPSPDEAlerts : public UserAuthPanelFixture,
                               public testing::WithParamInterface<AlertCase> {};

TEST_P(VELUserAuthPSPDEAlerts, ShowTheFirstFailureOnly) {
    const AlertCase& row = GetParam();
    ASSERT_NE(make(), nullptr);
    panel->setNewUseUserAuthUserChoice("True");
    panel->setNewUserNameUserChoice(row.userName);
    panel->setNewPasswordUserChoice(row.password);
    const bool passes = row.title == nullptr;
    EXPECT_EQ(panel->validateAndAlert(), passes);
    if (passes) {
        EXPECT_TRUE(alerts.empty());
        return;
    }
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].title, row.title);
    EXPECT_EQ(alerts[0].message, row.message);
    EXPECT_EQ(alerts[0].button, "AlertPanelOKButton");
}

const QString k32 = QString(32, 'a');
const QString k33 = QString(33, 'a');

INSTANTIATE_TEST_SUITE_P(
    Values, VELUserAuthPSPDEAlerts,
    testing::Values(
        AlertCase{"BothThirtyTwo", k32, k32, nullptr, nullptr},
        AlertCase{"ThirtyTwoDoubleByte", QString(32, QChar(0x8868)), "pw", nullptr, nullptr},
        AlertCase{"TabSpaceParenthesesBackslash", "a\tb (c)\\", "pw", nullptr, nullptr},
        AlertCase{"UserNameThirtyThree", k33, "pw", "UserNameErrorTitle",
                  "UserNameLengthErrorMessage"},
        AlertCase{"UserNameEmpty", "", "pw", "UserNameErrorTitle", "UserNameLengthErrorMessage"},
        AlertCase{"UserNameComma", "a,b", "pw", "UserNameErrorTitle",
                  "UserNameCharacrerErrorMessage"},
        AlertCase{"UserNameTooLongWithQuote", k33 + "\"", "pw", "UserNameErrorTitle",
                  "UserNameCharacrerErrorMessage"},
        // A text without a Shift-JIS form counts as no text.
        AlertCase{"UserNameWithoutShiftJIS", QString::fromUtf8("caf\u00e9\U0001F600"), "pw",
                  "UserNameErrorTitle", "UserNameLengthErrorMessage"},
        AlertCase{"OnlyTheUserNameIsReported", "", ",", "UserNameErrorTitle",
                  "UserNameLengthErrorMessage"},
        AlertCase{"PasswordThirtyThree", "name", k33, "PasswordErrorTitle",
                  "PasswordLengthErrorMessage"},
        AlertCase{"PasswordEmpty", "name", "", "PasswordErrorTitle", "PasswordLengthErrorMessage"},
        AlertCase{"PasswordControlByte", "name", "pw\x0b", "PasswordErrorTitle",
                  "PasswordCharacrerErrorMessage"},
        // Far beyond every buffer of the check.
        AlertCase{"UserNameOfThreeThousandParentheses", QString(3000, '('), "pw",
                  "UserNameErrorTitle", "UserNameLengthErrorMessage"}),
    [](const testing::TestParamInfo<AlertCase>& info) { return std::string(info.param.name); });

// ----- What reaches the print settings -----

TEST_F(UserAuthPanelFixture, SwitchedOffWritesAllFourSettingsUnchecked) {
    ASSERT_NE(make(UserAuthEntry("user7", Repeated("x", 40) + ",", "pw", "0")), nullptr);
    panel->setNewUserNameUserChoice(k33 + ",");
    EXPECT_TRUE(panel->shouldPrint());
    EXPECT_TRUE(alerts.empty());
    EXPECT_EQ(setting("VLUseUserAuth"), "0");
    EXPECT_EQ(setting("VLUAUserName"), ScrambledSetting((k33 + ",").toLatin1()));
    EXPECT_EQ(setting("VLUAPassword"), ScrambledSetting("pw"));
    EXPECT_EQ(setting("VLJAUserID"), "0") << "no preference file";
}

struct DestinationCase {
    const char* name;
    std::optional<PMDestinationType> destination;
    bool checked;
};

class VELUserAuthPSPDEDestinations : public UserAuthPanelFixture,
                                     public testing::WithParamInterface<DestinationCase> {};

TEST_P(VELUserAuthPSPDEDestinations, AnEmptyUserNameStopsOnlyCheckedJobs) {
    const DestinationCase& row = GetParam();
    ASSERT_NE(make(), nullptr);
    host->destination = row.destination;
    panel->setNewUseUserAuthUserChoice("True");
    EXPECT_EQ(panel->shouldPrint(), !row.checked);
    EXPECT_EQ(alerts.size(), row.checked ? 1u : 0u);
    // Written whether or not the check passed.
    EXPECT_EQ(setting("VLUseUserAuth"), "1");
    EXPECT_EQ(setting("VLUAUserName"), "");
    EXPECT_EQ(setting("VLUAPassword"), "");
    EXPECT_EQ(setting("VLJAUserID"), "0");

    alerts.clear();
    QString error = "untouched";
    EXPECT_EQ(panel->saveValuesAndReturnError(&error), !row.checked);
    EXPECT_EQ(error, "untouched");
    EXPECT_EQ(alerts.size(), row.checked ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Types, VELUserAuthPSPDEDestinations,
    testing::Values(DestinationCase{"Printer", PMDestinationType::kPMDestinationPrinter, true},
                    DestinationCase{"Preview", PMDestinationType::kPMDestinationPreview, true},
                    DestinationCase{"File", PMDestinationType::kPMDestinationFile, false},
                    DestinationCase{"Fax", PMDestinationType::kPMDestinationFax, false},
                    DestinationCase{"ProcessPDF", PMDestinationType::kPMDestinationProcessPDF,
                                    false},
                    DestinationCase{"Unknown", std::nullopt, false}),
    [](const testing::TestParamInfo<DestinationCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(UserAuthPanelFixture, NeverShownWritesTheEntrysCredentials) {
    ASSERT_NE(make(UserAuthEntry("user7", "a\\b", ShiftJIS(QStringLiteral("パス")), "1")), nullptr);
    EXPECT_TRUE(panel->shouldPrint());
    EXPECT_EQ(setting("VLUseUserAuth"), "1");
    // The settings hold the text itself scrambled, without the escapes.
    EXPECT_EQ(setting("VLUAUserName"), ScrambledSetting("a\\b"));
    EXPECT_EQ(setting("VLUAPassword"), ScrambledSetting(ShiftJIS(QStringLiteral("パス"))));
}

TEST_F(UserAuthPanelFixture, WritesWhatTheUserTyped) {
    ASSERT_NE(make("", StagedUserAuthBundle()), nullptr);
    ASSERT_NE(show(), nullptr);
    control<QCheckBox>("useUserAuthButton")->click();
    QTest::keyClicks(control<QLineEdit>("userNameTextField"), "alice");
    // A field changed without an edit action is still read before printing.
    control<QLineEdit>("passwordTextField")->setText("secret");
    EXPECT_TRUE(panel->shouldPrint());
    EXPECT_TRUE(alerts.empty());
    EXPECT_EQ(setting("VLUseUserAuth"), "1");
    EXPECT_EQ(setting("VLUAUserName"), ScrambledSetting("alice"));
    EXPECT_EQ(setting("VLUAPassword"), ScrambledSetting("secret"));
}

TEST_F(UserAuthPanelFixture, TheJobAccountingUserIDIsTheUsersLine) {
    writePreferences("user8,88,x\nuser7,12,x\nuser7,13,y\n");
    ASSERT_NE(make(), nullptr);
    EXPECT_TRUE(panel->shouldPrint());
    EXPECT_EQ(setting("VLJAUserID"), "12");

    // Looked up afresh for every job: without a login name there is none.
    whoami.Prints("");
    EXPECT_TRUE(panel->shouldPrint());
    EXPECT_EQ(setting("VLJAUserID"), "0");
}

TEST_F(UserAuthPanelFixture, ASettingTheHostCannotKeepStopsTheJob) {
    ASSERT_NE(make(), nullptr);
    host->acceptsSettings = false;
    EXPECT_FALSE(panel->shouldPrint());
    EXPECT_TRUE(alerts.empty());
}

TEST_F(UserAuthPanelFixture, TheAlertIsACriticalMessageBoxWithOneButton) {
    ASSERT_NE(make("", StagedUserAuthBundle()), nullptr);
    panel->setCriticalAlertPanel(nullptr);
    panel->setNewUseUserAuthUserChoice("True");
    WhileModalOpen([&] { EXPECT_FALSE(panel->shouldPrint()); },
                   [&](QWidget* window) {
                       auto* box = qobject_cast<QMessageBox*>(window);
                       ASSERT_NE(box, nullptr) << "no message box";
                       EXPECT_EQ(box->icon(), QMessageBox::Critical);
                       EXPECT_EQ(box->text(), "The user name cannot be used.");
                       EXPECT_EQ(box->informativeText(),
                                 "Enter a user name of 1 to 32 characters.");
                       ASSERT_EQ(box->buttons().size(), 1);
                       EXPECT_EQ(box->buttons()[0]->text(), "OK");
                       box->buttons()[0]->click();
                   });
}

} // namespace
