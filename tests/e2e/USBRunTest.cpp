// Whole runs of the tool on a USB queue whose printer is not there: on this
// machine's own bus (none, or one without USB at all) and on a bus faked by
// umockdev that holds only a keyboard. Each run ends on the quit timer with
// status 1 and the PPD written unchanged.
#include "Process.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

const std::string kTool = QC_INSTALLED_TOOL;
const std::string kExamplePPD = std::string(QC_EXAMPLES_DIR) + "/Velmark-CL5400.ppd";
const std::string kKeyboard = std::string(QC_E2E_DIR) + "/usb-keyboard.umockdev";
const std::string kQueue = "usb://Maker/Model%20A?serial=123";
const std::string kDeviceOptionText = "installed options could not be read";

// A machine without /dev/bus/usb: libusb finds no device there (a libusb
// without udev would not even start). Where the machine has one, the run gets
// a mount namespace in which it is an empty folder.
std::optional<std::vector<std::string>> WithoutUSBBus(std::vector<std::string> argv) {
    if (!std::filesystem::exists("/dev/bus/usb"))
        return argv;
    if (geteuid() != 0)
        return std::nullopt;
    std::vector<std::string> hidden{"/usr/bin/unshare",
                                    "--mount",
                                    "sh",
                                    "-c",
                                    "mount -t tmpfs none /dev/bus/usb && exec \"$@\"",
                                    "sh"};
    hidden.insert(hidden.end(), argv.begin(), argv.end());
    return hidden;
}

std::string WithAsanPreloadOrderUnchecked() {
    const char* options = std::getenv("ASAN_OPTIONS");
    return std::string("ASAN_OPTIONS=") + (options ? std::string(options) + ":" : "") +
           "verify_asan_link_order=0";
}

} // namespace

TEST(USBRunTest, QueueWithoutItsPrinterEndsOnTheQuitTimerAndStillWritesThePPD) {
    struct Case {
        const char* name;
        std::vector<std::string> argv;
        std::vector<std::string> env;
    };
    std::vector<Case> cases;
    if (const auto argv = WithoutUSBBus({kTool, kQueue, kExamplePPD}))
        cases.push_back({"no USB bus", *argv, {}});
    else
        ADD_FAILURE() << "/dev/bus/usb exists and cannot be hidden without root";
    cases.push_back(
        {"bus with a keyboard only",
         {"/usr/bin/umockdev-run", "--device", kKeyboard, "--", kTool, kQueue, kExamplePPD},
         {WithAsanPreloadOrderUnchecked()}});

    std::vector<std::unique_ptr<Process>> runs;
    for (const Case& c : cases)
        runs.push_back(std::make_unique<Process>(c.argv, CleanEnvironment(c.env)));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const auto result = runs[i]->Wait(30s);
        EXPECT_FALSE(result.killedAtBound);
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_GE(result.elapsed, 9900ms);
        EXPECT_LT(result.elapsed, 15s);
        EXPECT_EQ(result.out, ReadFile(kExamplePPD));
        // The example PPD asks for the alert: one line.
        EXPECT_NE(result.err.find(kDeviceOptionText), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    }
}
