// The private cupsd the end-to-end tests print to: a real server that keeps a
// job's options as its attributes and runs its filters to completion.

#include "CupsServer.h"
#include "TestSupport.h"

#include <cups/cups.h>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const std::string kExamplePPD = QC_EXAMPLES_DIR "/Velmark-CL7200.ppd";
constexpr const char* kPage = "%!PS\n/Courier findfont 12 scalefont setfont\n"
                              "72 720 moveto (page) show showpage\n";

// Submits `file` to `queue` on a connection to the server, never the default server.
int Print(const CupsServer& server, const std::string& queue, const std::string& file,
          const std::vector<std::pair<const char*, const char*>>& options, std::string* why) {
    CupsServer::Connection http = server.Connect(why);
    if (!http)
        return 0;
    cups_option_t* list = nullptr;
    int count = 0;
    for (const auto& [name, value] : options)
        count = cupsAddOption(name, value, count, &list);
    const int job = cupsPrintFile2(http.get(), queue.c_str(), file.c_str(), "page.ps", count, list);
    cupsFreeOptions(count, list);
    if (job == 0)
        *why = cupsLastErrorString();
    return job;
}

class CupsServerTest : public testing::Test {
protected:
    void SetUp() override {
        std::string why;
        server = CupsServer::Start(&why);
        ASSERT_NE(server, nullptr) << why;
        page = dir.Write("page.ps", kPage).string();
    }

    TempDir dir;
    std::unique_ptr<CupsServer> server;
    std::string page;
};

TEST_F(CupsServerTest, KeepsAJobsOptionsAsItsAttributesAndCompletesIt) {
    std::string why;
    ASSERT_TRUE(server->AddQueue("Colour", kExamplePPD, "file:///dev/null", &why)) << why;
    const int job = Print(*server, "Colour", page,
                          {{"VLControl", "Graph"},
                           {"VLUAUserName", "1f7909823e"},
                           {"copies", "2"},
                           {"page-ranges", "1"}},
                          &why);
    ASSERT_NE(job, 0) << why;

    EXPECT_EQ(server->AwaitJobDone(job, 10s), IPP_JSTATE_COMPLETED) << server->ErrorLog();
    EXPECT_EQ(server->Jobs("Colour"), std::vector<int>{job});
    std::map<std::string, std::string> attributes = server->JobAttributes(job, &why);
    ASSERT_FALSE(attributes.empty()) << why;
    const std::pair<const char*, const char*> expected[] = {
        {"VLControl", "Graph"}, {"VLUAUserName", "1f7909823e"}, {"copies", "2"},
        {"page-ranges", "1-1"}, {"job-name", "page.ps"},        {"job-state", "completed"},
    };
    for (const auto& [name, value] : expected)
        EXPECT_EQ(attributes[name], value) << name;
}

// A backend that fails ends the job, and the queue goes on to the next one.
TEST_F(CupsServerTest, AbortsAJobItsBackendFails) {
    std::string why;
    ASSERT_TRUE(server->AddQueue("Serial", kExamplePPD, "serial:/dev/nonexistent-tty", &why))
        << why;
    const int job = Print(*server, "Serial", page, {}, &why);
    ASSERT_NE(job, 0) << why;
    EXPECT_EQ(server->AwaitJobDone(job, 10s), IPP_JSTATE_ABORTED) << server->ErrorLog();
    const int next = Print(*server, "Serial", page, {}, &why);
    ASSERT_NE(next, 0) << why;
    EXPECT_EQ(server->AwaitJobDone(next, 10s), IPP_JSTATE_ABORTED) << "the queue stopped instead";
}

// Each server has an address and queues of its own, so tests can run side by side.
TEST_F(CupsServerTest, SecondServerIsSeparate) {
    std::string why;
    std::unique_ptr<CupsServer> other = CupsServer::Start(&why);
    ASSERT_NE(other, nullptr) << why;
    EXPECT_NE(other->ServerName(), server->ServerName());
    ASSERT_TRUE(server->AddQueue("Colour", kExamplePPD, "file:///dev/null", &why)) << why;
    ASSERT_NE(Print(*server, "Colour", page, {}, &why), 0) << why;

    EXPECT_EQ(server->Jobs("Colour").size(), 1u);
    EXPECT_TRUE(other->Jobs("Colour", &why).empty());
    EXPECT_NE(why.find("client-error-not-found"), std::string::npos) << why;
}

TEST_F(CupsServerTest, ReportsWhatItCannotDo) {
    std::string why;
    EXPECT_FALSE(server->AddQueue("Colour", "/nonexistent/printer.ppd", "file:///dev/null", &why));
    EXPECT_NE(why.find("/nonexistent/printer.ppd"), std::string::npos) << why;

    why.clear();
    EXPECT_TRUE(server->JobAttributes(4711, &why).empty());
    EXPECT_NE(why.find("client-error-not-found"), std::string::npos) << why;
    EXPECT_EQ(server->AwaitJobDone(4711, 1s), std::nullopt);

    for (const char* range : {"10.0.0.1-10.0.0.9", "127.0.130.9-127.0.130.1", "nonsense"}) {
        why.clear();
        EXPECT_EQ(CupsServer::Start(&why, range), nullptr) << range;
        EXPECT_NE(why.find(range), std::string::npos) << why;
    }
}

} // namespace
