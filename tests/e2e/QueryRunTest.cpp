// Whole runs of the installed tool against simulated printers: where the user
// code comes from, how long a run takes, and what reaches standard output.
#include <gtest/gtest.h>

#include "Process.h"
#include "SimulatedPrinter.h"
#include "TestSupport.h"

using namespace std::chrono_literals;

namespace {

const std::string kTool = QC_INSTALLED_TOOL;
const std::string kExamples = QC_EXAMPLES_DIR;
const std::string kExamplePPD = kExamples + "/Velmark-CL5400.ppd";
const std::string kUserCode = "snmp 1.3.6.1.4.1.3172.1.1.1.1.1.3000.0";

struct Run {
    ProcessResult result;
    std::string log;
};

Run runAgainst(const std::string& description, std::chrono::milliseconds bound = 20s) {
    std::string whyNot;
    const auto printer = SimulatedPrinter::Start(description, &whyNot);
    EXPECT_NE(printer, nullptr) << whyNot;
    if (!printer)
        return {};
    Process tool({kTool, "socket://" + printer->Address(), kExamplePPD},
                 CleanEnvironment({"QUEUECONFIG_SUPPORT_DIR=" + kExamples + "/support"}));
    Run run{tool.Wait(bound), printer->Log()};
    return run;
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(QueryRunTest, TheExamplePrinterGivesItsCodeOverSNMPAndTheRunEndsAtTheFirstTick) {
    const auto run = runAgainst(ReadFile(kExamples + "/Velmark-CL5400-HX2.printer"));
    EXPECT_EQ(run.result.exitStatus, 0) << run.result.err;
    EXPECT_EQ(run.result.err, "");
    EXPECT_GE(run.result.elapsed, 900ms);
    EXPECT_LT(run.result.elapsed, 3s);
    EXPECT_EQ(count(run.log, "DINQUIRE VELUSER\\r\\n"), 0u) << "SNMP answered; no PJL query";
    for (const char* line :
         {"*VLUSER: HX2\n", "*VLRegion: NorthAmerica\n", "*DefaultVLDuplexUnit: True\n",
          "*DefaultVLTray2: True\n", "*DefaultVLHardDisk: False\n", "*DefaultVLMemory: 1GB\n",
          "*DefaultVLUserColor: Auto\n", "*VLTone Darkest/Darkest:",
          "*MediaType UserType1/Letterhead:", "*%de.MediaType UserType1/Benutzertyp 1:"})
        EXPECT_NE(run.result.out.find(line), std::string::npos) << line;
}

TEST(QueryRunTest, ASilentSNMPAgentLeavesTheCodeToPJL) {
    const auto run = runAgainst(kUserCode + " = HX2\nsnmp-behaviour = silent\npjl VELUSER = WKS\n");
    EXPECT_EQ(run.result.exitStatus, 0) << run.result.err;
    EXPECT_EQ(count(run.log, "DINQUIRE VELUSER\\r\\n"), 1u);
    // One 3-s SNMP wait, then the first idle tick.
    EXPECT_GE(run.result.elapsed, 3s);
    EXPECT_LT(run.result.elapsed, 6s);
    EXPECT_NE(run.result.out.find("*VLUSER: WKS\n"), std::string::npos);
    // WKS drops the region lines that HX2 replaces.
    EXPECT_EQ(run.result.out.find("*VLRegion:"), std::string::npos);
    EXPECT_NE(run.result.out.find("*DefaultPageSize: A4\n"), std::string::npos);
}

TEST(QueryRunTest, APrinterWithoutACodeIsAskedAtEveryPassUntilTheTimeOut) {
    // SNMP stays silent (3 s a pass) and the PJL answer is "?": no code.
    const auto run =
        runAgainst(kUserCode + " = HX2\nsnmp-behaviour = silent\npjl DUPLEXUNIT = INSTALLED\n");
    EXPECT_EQ(run.result.exitStatus, 1);
    // Passes at start-up and at the ticks near 3, 6 and 9 s (each tick waits
    // for the pass before it); the idle tick may win once more against the
    // overdue time-out, which then ends the loop after that pass.
    EXPECT_GE(run.result.elapsed, 9900ms);
    EXPECT_LT(run.result.elapsed, 16500ms);
    EXPECT_GE(count(run.log, "DINQUIRE VELUSER\\r\\n"), 4u) << run.log;
    EXPECT_LE(count(run.log, "DINQUIRE VELUSER\\r\\n"), 5u) << run.log;
    // The PPD is written all the same, with the empty code.
    EXPECT_NE(run.result.out.find("*VLUSER: USER\n"), std::string::npos);
    EXPECT_NE(run.result.out.find("*DefaultVLDuplexUnit: True\n"), std::string::npos);
    EXPECT_NE(run.result.err.find("installed options could not be read"), std::string::npos)
        << run.result.err;
}

TEST(QueryRunTest, ASchemeWithoutAPortPassesThePPDThroughInAboutASecond) {
    Process tool({kTool, "file:///dev/null", kExamplePPD},
                 CleanEnvironment({"QUEUECONFIG_SUPPORT_DIR=" + kExamples + "/support"}));
    const auto result = tool.Wait(10s);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_GE(result.elapsed, 900ms);
    EXPECT_LT(result.elapsed, 2500ms);
    // Only the replacement files apply: no printer, no user code.
    std::string expected = ReadFile(kExamplePPD);
    EXPECT_NE(result.out, expected);
    EXPECT_NE(result.out.find("*DefaultVLUserColor: Auto\n"), std::string::npos);
    EXPECT_NE(result.out.find("*VLUSER: USER\n"), std::string::npos);
    EXPECT_NE(result.out.find("*DefaultVLDuplexUnit: False\n"), std::string::npos);

    Process bare({kTool, "file:///dev/null", kExamplePPD}, CleanEnvironment());
    EXPECT_EQ(bare.Wait(10s).out, expected) << "without replacement files, nothing changes";
}
