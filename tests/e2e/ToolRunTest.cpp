#include <csignal>
#include <gtest/gtest.h>
#include <thread>

#include "Process.h"
#include "TestSupport.h"

using namespace std::chrono_literals;

namespace {

const std::string kTool = QC_INSTALLED_TOOL;
const std::string kExamplePPD = std::string(QC_EXAMPLES_DIR) + "/Velmark-CL5400.ppd";
// 127.0.0.250 has no printer: every connection there is refused at once.
const std::string kNoPrinter = "socket://127.0.0.250";

// English texts of the installed catalogue that the alerts must (not) show.
const std::string kDeviceOptionText = "installed options could not be read";
const std::string kNoAnswerText = "did not answer in time";

std::string ppdWithSwitch(const std::string& value) {
    std::string ppd = ReadFile(kExamplePPD);
    const std::string line = "*VLInstallOptionError: True\n";
    const auto at = ppd.find(line);
    EXPECT_NE(at, std::string::npos);
    return ppd.replace(at, line.size(), "*VLInstallOptionError: " + value + "\n");
}

} // namespace

TEST(ToolRunTest, TooFewArgumentsEndAtOnceWithStatus1AndNoOutput) {
    const std::vector<std::vector<std::string>> cases{{kTool}, {kTool, kNoPrinter}};
    for (const auto& argv : cases) {
        Process tool(argv, CleanEnvironment());
        const auto result = tool.Wait(5s);
        EXPECT_EQ(result.exitStatus, 1) << argv.size() - 1 << " arguments";
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
        EXPECT_LT(result.elapsed, 2s);
    }
}

TEST(ToolRunTest, SigtermEndsTheRunWithStatus1AtOnce) {
    Process tool({kTool, kNoPrinter, kExamplePPD}, CleanEnvironment());
    std::this_thread::sleep_for(300ms);
    const auto sent = std::chrono::steady_clock::now();
    tool.Signal(SIGTERM);
    const auto result = tool.Wait(5s);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - sent, 1s);
    EXPECT_EQ(result.out, "");
}

// Each run waits for the quit timer, so they all run at once.
TEST(ToolRunTest, RunsWithoutAnAnsweringPrinterEndOnTheQuitTimer) {
    TempDir dir;
    struct Case {
        const char* name;
        std::vector<std::string> argv;
        std::vector<std::string> env;
        bool alert;
    };
    const auto lowerCase = dir.Write("lower.ppd", ppdWithSwitch("true"));
    const auto blank = dir.Write("blank.ppd", ppdWithSwitch("\"True \""));
    const auto noResources = dir.Path() / "no-resources";
    std::filesystem::create_directory(noResources);
    std::vector<Case> cases{
        {"switch True", {kTool, kNoPrinter, kExamplePPD}, {}, true},
        {"further arguments", {kTool, kNoPrinter, kExamplePPD, "x", "y"}, {}, true},
        {"device URI not UTF-8", {kTool, "socket://\xff", kExamplePPD}, {}, true},
        {"switch true", {kTool, kNoPrinter, lowerCase.string()}, {}, false},
        {"switch True and a blank", {kTool, kNoPrinter, blank.string()}, {}, false},
        {"no property list",
         {kTool, kNoPrinter, kExamplePPD},
         {"QUEUECONFIG_RESOURCE_DIR=" + noResources.string()},
         false},
    };
    std::vector<std::unique_ptr<Process>> runs;
    for (auto& c : cases)
        runs.push_back(std::make_unique<Process>(c.argv, CleanEnvironment(c.env)));
    {
        Process japanese({kTool, kNoPrinter, kExamplePPD}, CleanEnvironment({"LANG=ja_JP.UTF-8"}));
        const auto result = japanese.Wait(20s);
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_NE(result.err.find("オプション"), std::string::npos) << result.err;
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const auto result = runs[i]->Wait(20s);
        EXPECT_FALSE(result.killedAtBound);
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_GE(result.elapsed, 9900ms);
        // A 3-s SNMP wait may be running when the time-out falls due.
        EXPECT_LT(result.elapsed, 16s);
        // The PPD is written all the same, unchanged without a printer's
        // answers; without a queue list there is nothing to write it for.
        const bool queueList = cases[i].argv[1] != "socket://\xff";
        EXPECT_EQ(result.out, queueList ? ReadFile(cases[i].argv[2]) : "");
        if (cases[i].alert) {
            EXPECT_NE(result.err.find(kDeviceOptionText), std::string::npos) << result.err;
            EXPECT_EQ(result.err.find(kNoAnswerText), std::string::npos) << result.err;
            EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line";
        } else {
            EXPECT_EQ(result.err, "");
        }
    }
}
