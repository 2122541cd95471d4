// velprint as installed, as a person starts it: the command line and the
// errors that end it before any dialog opens.

#include "HostFixture.h"
#include "Process.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// 127.0.130.250 runs no CUPS server: a connection there is refused at once.
const std::string kNoServer = "CUPS_SERVER=127.0.130.250";

ProcessResult RunVelprint(std::vector<std::string> arguments,
                          std::vector<std::string> environment = {}) {
    arguments.insert(arguments.begin(), QC_INSTALLED_VELPRINT);
    TempDir home;
    std::filesystem::permissions(home.Path(), std::filesystem::perms::owner_all);
    environment.insert(environment.end(),
                       {"QT_QPA_PLATFORM=offscreen", kNoServer, "HOME=" + home.Path().string(),
                        "XDG_RUNTIME_DIR=" + home.Path().string()});
    Process velprint(arguments, CleanEnvironment(environment));
    return velprint.Wait(10s);
}

TEST(VelprintRun, HelpTellsTheCommandLine) {
    const ProcessResult result = RunVelprint({"--help"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_TRUE(result.out.starts_with("Usage: velprint [-P QUEUE]")) << result.out;
    EXPECT_EQ(result.err, "");
}

// The installed program finds the installed bundles beside it.
TEST(VelprintRun, ListsTheInstalledPanels) {
    const ProcessResult result =
        RunVelprint({"--ppd", QC_EXAMPLES_DIR "/Velmark-CL7200.ppd", "--panels"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "Color\tcom.velmark.print.pde.VELPSColor\n"
                          "User Authentication\tcom.velmark.print.pde.QVUserAuthPS\n");
    EXPECT_EQ(result.err, "");
}

// A folder named by VEL_PANEL_DIR comes first; one that fails to load is named.
TEST(VelprintRun, NamesABundleThatDoesNotLoad) {
    TempDir panels;
    panels.Write("VELPSColor/VELPSColor.so", "not a library");
    const ProcessResult result =
        RunVelprint({"--ppd", QC_EXAMPLES_DIR "/Velmark-CL7200.ppd", "--panels"},
                    {"VEL_PANEL_DIR=" + panels.Path().string()});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "User Authentication\tcom.velmark.print.pde.QVUserAuthPS\n");
    EXPECT_TRUE(result.err.starts_with("velprint: VELPSColor: ")) << result.err;
}

struct FailedRunCase {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    const char* says; // in the one line on standard error
};

class VelprintFailedRun : public testing::TestWithParam<FailedRunCase> {};

TEST_P(VelprintFailedRun, EndsWithOneLineAndItsStatus) {
    const FailedRunCase& row = GetParam();
    const ProcessResult result = RunVelprint(row.arguments);
    EXPECT_EQ(result.exitStatus, row.status) << result.err;
    EXPECT_TRUE(result.err.starts_with("velprint: ")) << result.err;
    EXPECT_NE(result.err.find(row.says), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
}

const std::string kExamplePPD = QC_EXAMPLES_DIR "/Velmark-CL7200.ppd";

INSTANTIATE_TEST_SUITE_P(
    CommandLines, VelprintFailedRun,
    testing::Values(FailedRunCase{"NoFile", {"-P", "Colour"}, 2, "no file to print"},
                    FailedRunCase{
                        "UnknownOption", {"--colour", "/dev/null"}, 2, "unknown option --colour"},
                    FailedRunCase{"UnreadableFile",
                                  {"-P", "Colour", "/nonexistent.ps"},
                                  1,
                                  "/nonexistent.ps: not a readable file"},
                    FailedRunCase{"BrokenPPD",
                                  {"--ppd", "/etc/hostname", "--dry-run", kExamplePPD},
                                  1,
                                  "/etc/hostname: "},
                    FailedRunCase{"NoServer",
                                  {"-P", "Colour", kExamplePPD},
                                  1,
                                  "the CUPS server 127.0.130.250 cannot be reached: "}),
    [](const auto& info) { return info.param.name; });

} // namespace
