#include "Class/AutoConfigUtility.h"

#include <gtest/gtest.h>

#include "Class/Error.h"
#include "TestSupport.h"

namespace {

const char* kPlist = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
<key>InstallOptionError Key</key><string>VLInstallOptionError</string>
</dict></plist>
)";

// A scheme that names no port: the runs ask no printer.
const char* kNoPortURI = "file:///dev/null";

std::string ppdWith(const std::string& lines) {
    return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*NickName: \"Test Printer\"\n" + lines;
}

// A driver started as the tool starts it, with its resources in a folder of the test's.
class AutoConfigUtilityTest : public testing::Test {
protected:
    void SetUp() override { SetLastErrorType(kErrorNone); }
    void TearDown() override { SetLastErrorType(kErrorNone); }

    void start(std::vector<std::optional<std::string>> args) {
        std::vector<std::string> storage;
        for (auto& a : args)
            storage.push_back(a.value_or("\xff"));
        std::vector<char*> argv;
        for (auto& s : storage)
            argv.push_back(s.data());
        Argument arguments(static_cast<int>(argv.size()), argv.data());
        utility.DoInit(&arguments);
    }

    std::string alertFor(const std::string& ppd) {
        const auto path = dir.Write("queue.ppd", ppd);
        start({"queueconfig", kNoPortURI, path.string()});
        testing::internal::CaptureStderr();
        EXPECT_EQ(utility.showAlert(kErrorDeviceOption), 0);
        return testing::internal::GetCapturedStderr();
    }

    TempDir dir;
    ScopedEnv resources{"QUEUECONFIG_RESOURCE_DIR", (dir.Path() / "res").string()};
    ScopedEnv lang{"LANG", "C"};
    ScopedEnv all{"LC_ALL", std::nullopt};
    EventLoop loop;
    AutoConfigUtility utility{loop};
};

} // namespace

TEST_F(AutoConfigUtilityTest, DoInitInstallsBothTimersAndMakesTheQueue) {
    start({"queueconfig", kNoPortURI, "/tmp/x.ppd", "third"});
    EXPECT_EQ(loop.TimerCount(), 2u);
    EXPECT_EQ(utility.GetDeviceURI(), std::string(kNoPortURI));
    EXPECT_EQ(utility.GetPPDPath(), "/tmp/x.ppd");
    EXPECT_EQ(utility.GetPrintQueueArray().GetCount(), 1);
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

TEST_F(AutoConfigUtilityTest, DeviceURIThatIsNotUTF8GivesErrorType11) {
    start({"queueconfig", std::nullopt, "/tmp/x.ppd"});
    EXPECT_EQ(utility.GetPrintQueueArray().GetCount(), 0);
    EXPECT_EQ(GetLastErrorType(), kErrorQueueList);
}

TEST_F(AutoConfigUtilityTest, QuitTickSetsType12OnlyWhenNoTypeIsSet) {
    AutoConfigUtility::DoQuitEventProc(loop, &utility);
    EXPECT_EQ(GetLastErrorType(), kErrorNoAnswer);

    SetLastErrorType(kErrorConnection);
    AutoConfigUtility::DoQuitEventProc(loop, &utility);
    EXPECT_EQ(GetLastErrorType(), kErrorConnection);
}

TEST_F(AutoConfigUtilityTest, IdleTickWithoutAnsweringPrintersKeepsTheLoopRunning) {
    using namespace std::chrono_literals;
    bool idleQuit = true;
    loop.InstallTimer(0ms, 0ms,
                      [&](EventLoop& l, auto) { AutoConfigUtility::DoIdleEventProc(l, &utility); });
    loop.InstallTimer(30ms, 0ms, [&](EventLoop& l, auto) {
        idleQuit = false;
        l.Quit();
    });
    loop.Run();
    EXPECT_FALSE(idleQuit);
}

TEST_F(AutoConfigUtilityTest, AlertOnlyWhenTheSwitchIsExactlyTrue) {
    dir.Write("res/queueconfig.plist", kPlist);
    struct Case {
        const char* name;
        std::string lines;
        bool alert;
    };
    const Case cases[] = {
        {"True", "*VLInstallOptionError: True\n", true},
        {"quoted True", "*VLInstallOptionError: \"True\"\n", true},
        {"lower case", "*VLInstallOptionError: true\n", false},
        {"trailing blank", "*VLInstallOptionError: \"True \"\n", false},
        {"False", "*VLInstallOptionError: False\n", false},
        {"missing", "*VLOther: True\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string err = alertFor(ppdWith(c.lines));
        if (c.alert)
            EXPECT_EQ(err, GetErrorMessage(kErrorDeviceOption) + "\n");
        else
            EXPECT_EQ(err, "");
    }
}

TEST_F(AutoConfigUtilityTest, NoAlertWithoutAUsablePropertyListOrPPD) {
    const std::string ppd = ppdWith("*VLInstallOptionError: True\n");
    struct Case {
        const char* name;
        std::optional<std::string> plist;
    };
    const Case cases[] = {
        {"no property list", std::nullopt},
        {"unparsable", "<plist><dict><key>InstallOptionError Key</key>"},
        {"no switch key", "<plist><dict><key>OEM Name</key><string>V</string></dict></plist>"},
        {"switch name too long", "<plist><dict><key>InstallOptionError Key</key><string>" +
                                     std::string(2048, 'V') + "</string></dict></plist>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(dir.Path() / "res" / "queueconfig.plist");
        if (c.plist)
            dir.Write("res/queueconfig.plist", *c.plist);
        EXPECT_EQ(alertFor(ppd), "");
    }

    dir.Write("res/queueconfig.plist", kPlist);
    start({"queueconfig", kNoPortURI, (dir.Path() / "missing.ppd").string()});
    testing::internal::CaptureStderr();
    utility.showAlert(kErrorDeviceOption);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "PPD that cannot be opened";
}

TEST_F(AutoConfigUtilityTest, GetPlistLeavesTheOutValueAloneWhenThereIsNone) {
    std::optional<PropertyList> out = PropertyList::Parse(kPlist);
    ASSERT_TRUE(out);
    EXPECT_EQ(utility.getPlist(out), 0);
    EXPECT_TRUE(out) << "unchanged without a file";

    dir.Write("res/queueconfig.plist",
              "<plist><dict><key>OEM Name</key><string>X</string></dict></plist>");
    EXPECT_EQ(utility.getPlist(out), 0);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->GetString("OEM Name"), "X");
}
