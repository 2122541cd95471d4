// The SNMP channel against net-snmp's agent: the request must be one that a
// real agent answers, and the value must be found where that agent puts it.
#include "Class/Error.h"
#include "Class/LPDPort.h"
#include "Class/SnmpUserCodeRequest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "Process.h"
#include "TestSupport.h"

namespace {

// Used by no other test, so the agent never meets a simulated printer.
constexpr char kAgentAddress[] = "127.0.99.1";

class SnmpdTest : public testing::Test {
protected:
    void SetUp() override {
        SetLastErrorType(kErrorNone);
        const std::string config =
            std::string("agentAddress udp:") + kAgentAddress + ":161\n" +
            "rocommunity public 127.0.0.0/8\n"
            "override .1.3.6.1.4.1.3172.1.1.1.1.1.3000.0 octet_str \"HX2\"\n";
        m_Dir.Write("snmpd.conf", config);
        m_Agent = std::make_unique<Process>(
            std::vector<std::string>{"/usr/sbin/snmpd", "-f", "-C", "-c",
                                     (m_Dir.Path() / "snmpd.conf").string(), "-Lf",
                                     (m_Dir.Path() / "snmpd.log").string()},
            CleanEnvironment(
                {"MIBS=", "SNMP_PERSISTENT_DIR=" + (m_Dir.Path() / "persist").string()}));
        ASSERT_TRUE(WaitUntilAnswering()) << ReadFile(m_Dir.Path() / "snmpd.log");
    }

    void TearDown() override {
        SetLastErrorType(kErrorNone);
        if (m_Agent) {
            m_Agent->Signal(SIGKILL);
            m_Agent->Wait(std::chrono::seconds(5));
        }
    }

    // Asks with net-snmp's own client until the agent answers (about 0.1 s).
    bool WaitUntilAnswering() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            Process probe({"/usr/bin/snmpget", "-m", "", "-v1", "-c", "public", "-t", "0.1", "-r",
                           "0", kAgentAddress, "1.3.6.1.4.1.3172.1.1.1.1.1.3000.0"},
                          CleanEnvironment({"MIBS="}));
            if (probe.Wait(std::chrono::seconds(5)).exitStatus == 0)
                return true;
        }
        return false;
    }

    std::optional<std::string> Ask(const std::array<unsigned char, 50>& request) {
        LPDPort port(*URL::CreateWithString(std::string("socket://") + kAgentAddress));
        return port.CreateReplyCopy(reinterpret_cast<const char*>(request.data()), request.size(),
                                    CommandLanguageMIB);
    }

    TempDir m_Dir;
    std::unique_ptr<Process> m_Agent;
};

// One agent for all three checks: it holds its address for the whole test.
TEST_F(SnmpdTest, ValueNoSuchNameAndWrongCommunity) {
    EXPECT_EQ(Ask(kSnmpUserCodeRequest), "HX2");

    auto unknown = kSnmpUserCodeRequest;
    unknown[46] = 0x39; // .3001.0, which the agent lacks: NULL value
    EXPECT_EQ(Ask(unknown), "");

    auto wrongCommunity = kSnmpUserCodeRequest;
    wrongCommunity[7] = 'P';
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Ask(wrongCommunity), std::nullopt);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(2900));
    EXPECT_LT(waited, std::chrono::milliseconds(4500));
    EXPECT_EQ(GetLastErrorType(), kErrorNone);
}

} // namespace
