// Whole runs of the installed tool for DNS-SD queues: the service that the URI
// names is announced by a real Avahi daemon, and the printer simulator listens
// at the service's address.
#include <gtest/gtest.h>

#include "DnssdPeer.h"
#include "SimulatedPrinter.h"

#include <memory>

using namespace std::chrono_literals;

namespace {

const std::string kTool = QC_INSTALLED_TOOL;
const std::string kExamples = QC_EXAMPLES_DIR;
const std::string kExamplePPD = kExamples + "/Velmark-CL5400.ppd";
const std::string kSupport = "QUEUECONFIG_SUPPORT_DIR=" + kExamples + "/support";

class DnssdRunTest : public testing::Test {
protected:
    void SetUp() override {
        std::string whyNot;
        m_Printer = SimulatedPrinter::Start(ReadFile(kExamples + "/Velmark-CL5400-HX2.printer"),
                                            &whyNot, "127.0.0.5-127.0.0.20");
        ASSERT_NE(m_Printer, nullptr) << whyNot;
        for (const char* name : {"VelmarkCL5400", "Velmark Office"})
            ASSERT_TRUE(DnssdPeer().Publish(name, "printer1.local", m_Printer->Address(), &whyNot))
                << whyNot;
    }
    void TearDown() override {
        DnssdPeer().Withdraw("VelmarkCL5400");
        DnssdPeer().Withdraw("Velmark Office");
    }

    std::unique_ptr<Process> start(const std::string& uri, const std::string& ppd,
                                   std::vector<std::string> environment) {
        return std::make_unique<Process>(std::vector<std::string>{kTool, uri, ppd},
                                         std::move(environment));
    }

    std::unique_ptr<SimulatedPrinter> m_Printer;
};

TEST_F(DnssdRunTest, TheNamedServiceLeadsToThePrinterAndTheRunEndsAtTheFirstTick) {
    for (const char* uri : {"dnssd://VelmarkCL5400._pdl-datastream._tcp.local./",
                            "mdns://VelmarkCL5400._pdl-datastream._tcp.local./"}) {
        SCOPED_TRACE(uri);
        const auto result = start(uri, kExamplePPD, DnssdPeer().Environment({kSupport}))->Wait(20s);
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_LT(result.elapsed, 3s);
        for (const char* line : {"*VLUSER: HX2\n", "*DefaultVLDuplexUnit: True\n",
                                 "*DefaultVLMemory: 1GB\n", "*MediaType UserType1/Letterhead:"})
            EXPECT_NE(result.out.find(line), std::string::npos) << line;
    }
    EXPECT_NE(m_Printer->Log().find("DINQUIRE DUPLEXUNIT"), std::string::npos) << m_Printer->Log();
}

struct Unanswered {
    const char* name;
    std::string uri;
    bool daemon;
    std::string err;
};

// Each run waits for the ten-second time-out, so all of them run at once.
TEST_F(DnssdRunTest, AQueueWhoseServiceIsNotTakenEndsWithStatusOneAfterTheTimeOut) {
    TempDir folder;
    // Without the alert, standard error holds only what DNS-SD said.
    std::string ppd = ReadFile(kExamplePPD);
    const std::string alertOn = "*VLInstallOptionError: True";
    ASSERT_NE(ppd.find(alertOn), std::string::npos);
    ppd.replace(ppd.find(alertOn), alertOn.size(), "*VLInstallOptionError: False");
    const auto quietPPD = folder.Write("quiet.ppd", ppd).string();

    const std::vector<Unanswered> cases{
        {"NameInOtherLetterCase", "dnssd://velmarkcl5400._pdl-datastream._tcp.local./", true, ""},
        {"EscapedBlankAgainstABlank", "dnssd://Velmark%20Office._pdl-datastream._tcp.local./", true,
         ""},
        {"NoDotBehindTheScheme", "dnssd://VelmarkCL5400", true, ""},
        {"NoAvahiDaemon", "dnssd://VelmarkCL5400._pdl-datastream._tcp.local./", false,
         "CFNetServiceBrowserSearchForServices returned (domain = 10, error = -26)\n"},
    };
    std::vector<std::unique_ptr<Process>> runs;
    for (const auto& c : cases)
        runs.push_back(
            start(c.uri, quietPPD,
                  c.daemon ? DnssdPeer().Environment({kSupport}) : CleanEnvironment({kSupport})));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const auto result = runs[i]->Wait(20s);
        EXPECT_EQ(result.exitStatus, 1) << result.err;
        EXPECT_EQ(result.err, cases[i].err);
        EXPECT_GE(result.elapsed, 9900ms);
        EXPECT_LT(result.elapsed, 12s);
        // The whole PPD, rewritten without the printer's answers.
        EXPECT_NE(result.out.find("*VLUSER: USER\n"), std::string::npos);
        EXPECT_NE(result.out.find("*DefaultVLDuplexUnit: False\n"), std::string::npos);
    }
    EXPECT_EQ(m_Printer->Log(), "") << "no query reached the printer";
}

} // namespace
