// velprint's dialog against a real cupsd of the test's own: the queue's PPD
// and saved options from the server, a job with Graphic Pro settings and
// user authentication, and its attributes read back from the server.

#include "CupsServer.h"
#include "EncryptDecrypt.h"
#include "HostFixture.h"
#include "Process.h"

#include <cups/cups.h>

#include <fstream>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const std::string kExamplePPD = QC_EXAMPLES_DIR "/Velmark-CL7200.ppd";

// The credential as the panel sends it: scrambled to hex text.
std::string Scrambled(const std::string& text) {
    std::string out(2 * text.size() + 1, '\0');
    uint32_t capacity = uint32_t(out.size());
    EXPECT_EQ(EncryptData(reinterpret_cast<const unsigned char*>(text.data()),
                          uint32_t(text.size()), out.data(), &capacity),
              1);
    out.resize(2 * text.size());
    return out;
}

class VelprintEndToEnd : public DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        std::string why;
        server = CupsServer::Start(&why);
        ASSERT_NE(server, nullptr) << why;
        ASSERT_TRUE(server->AddQueue("Colour", kExamplePPD, "file:///dev/null", &why)) << why;
        cupsSetServer(server->ServerName().c_str());
        document = dir.Write("report.ps", "%!PS\n/Helvetica findfont 12 scalefont setfont\n"
                                          "72 720 moveto (report) show showpage\n");
    }
    void TearDown() override { cupsSetServer(nullptr); }

    // The dialog for the queue, its PPD and saved options from the server.
    void openQueueDialog() {
        QString error;
        std::unique_ptr<PDEHostPPD> ppd = PDEHostPPD::openQueue("Colour", &error);
        ASSERT_NE(ppd, nullptr) << error.toStdString();
        auto queueHost = std::make_unique<PDEHost>(std::move(ppd));
        EXPECT_TRUE(queueHost->loadBundles(StagedBundles()).isEmpty());
        VelprintJob job;
        job.queue = "Colour";
        job.files = {Path(document)};
        makeDialog(job, std::move(queueHost));
    }

    std::map<std::string, std::string> onlyJobsAttributes() {
        const std::vector<int> jobs = server->Jobs("Colour");
        EXPECT_EQ(jobs.size(), 1u);
        if (jobs.size() != 1) {
            return {};
        }
        std::string why;
        std::map<std::string, std::string> attributes = server->JobAttributes(jobs[0], &why);
        EXPECT_FALSE(attributes.empty()) << why;
        return attributes;
    }

    std::unique_ptr<CupsServer> server;
    std::filesystem::path document;
};

TEST_F(VelprintEndToEnd, PrintsGraphicProWithUserAuthentication) {
    openQueueDialog();
    showTab("Color");
    control<QAbstractButton>("colorModeCell2")->click();
    WhileModalOpen([&] { control<QAbstractButton>("graphicProDetailButton")->click(); },
                   [&](QWidget*) {
                       choose("renderingIntentPopupButton", "Saturation");
                       choose("graphicProBlackFinishPopupButton", "RichBlack");
                       control<QAbstractButton>("graphicProDetailsWindowOkButton")->click();
                   });
    showTab("User Authentication");
    control<QAbstractButton>("useUserAuthButton")->click();
    QTest::keyClicks(control<QLineEdit>("userNameTextField"), "alice");
    QTest::keyClicks(control<QLineEdit>("passwordTextField"), "s3cret");
    print();

    ASSERT_TRUE(messages.empty()) << messages.front().toStdString();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(output.startsWith("request id is Colour-")) << output.toStdString();

    std::map<std::string, std::string> attributes = onlyJobsAttributes();
    const std::pair<const char*, std::string> expected[] = {
        {"VLControl", "Graph"},
        {"VLColorRenderDict", "Saturation"},
        {"VLBlackSubGra", "RichBlack"},
        {"VLOutputModeBlack", "false"}, // True and False travel as IPP booleans
        {"VLUseUserAuth", "1"},
        {"VLUAUserName", Scrambled("alice")},
        {"VLUAPassword", Scrambled("s3cret")},
        {"VLJAUserID", "4711"},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(attributes[name], value) << name;
    }
    EXPECT_EQ(attributes["job-name"], "report.ps");
}

// The user's lpoptions for the queue are what the dialog starts from.
TEST_F(VelprintEndToEnd, StartsFromTheUsersSavedOptions) {
    const std::filesystem::path lpoptions =
        std::filesystem::path(std::getenv("HOME")) / ".cups/lpoptions";
    std::filesystem::create_directories(lpoptions.parent_path());
    { std::ofstream(lpoptions) << "Dest Colour VLControl=Photo VLTone=Custom1\n"; }
    openQueueDialog();
    std::filesystem::remove(lpoptions);

    EXPECT_EQ(host->ppd().markedChoice("VLControl"), "Photo");
    EXPECT_EQ(host->ppd().markedChoice("VLTone"), "Custom1");
    showTab("Color");
    EXPECT_TRUE(control<QAbstractButton>("colorModeCell1")->isChecked()) << "Photo Color";
}

// The server's refusal reaches the person; the dialog stays for another try.
TEST_F(VelprintEndToEnd, JobTheServerRefusesIsShownAsAMessage) {
    Process reject({"/usr/sbin/cupsreject", "-h", server->ServerName(), "Colour"},
                   CleanEnvironment());
    ASSERT_EQ(reject.Wait(10s).exitStatus, 0);
    openQueueDialog();
    print();

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith("The job was not printed: ")) << messages[0].toStdString();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(output.isEmpty());
    EXPECT_TRUE(server->Jobs("Colour").empty());
}

} // namespace
