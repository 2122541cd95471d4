// The host with real panel bundles: a change reaches every other panel that
// shows the option, and Print asks every panel before the job goes.

#include "HostFixture.h"

#include <gtest/gtest.h>

namespace {

class PDEHostTest : public testing::Test {
protected:
    void SetUp() override {
        host = HostWithPanels(WriteColourPPD(dir));
        ASSERT_NE(host, nullptr);
        auto colour = std::make_unique<RecordingPanel>(QStringList{"VLControl", "PageSize"});
        auto other = std::make_unique<RecordingPanel>(QStringList{"Duplex"});
        recorder = colour.get();
        bystander = other.get();
        PDEPanelList panels;
        panels.push_back(std::move(colour));
        panels.push_back(std::move(other));
        host->addPanels(std::move(panels));
        // The origin handed to the recorders' bundle: after the two real ones.
        recorderOrigin = 2;
    }

    PDEPanel* colourPanel() const { return host->panels().at(0); }

    TempDir dir;
    FakeWhoami whoami{"user7\n"};
    std::unique_ptr<PDEHost> host;
    RecordingPanel* recorder = nullptr;
    RecordingPanel* bystander = nullptr;
    int recorderOrigin = 0;
};

TEST_F(PDEHostTest, LoadsTheBundlesInNameOrder) {
    ASSERT_EQ(host->panels().size(), 4u);
    EXPECT_EQ(host->panels()[0]->panelKind(), "com.velmark.print.pde.VELPSColor");
    EXPECT_EQ(host->panels()[1]->panelKind(), "com.velmark.print.pde.QVUserAuthPS");
}

TEST_F(PDEHostTest, ChangeByOnePanelReachesTheOthersThatShowIt) {
    // The colour bundle (origin 0) offers a colour mode, as its panel does.
    EXPECT_TRUE(host->changeChoice(0, "VLControl", "Graph"));
    EXPECT_EQ(recorder->reported, std::vector<QString>{"VLControl=Graph"});
    EXPECT_TRUE(bystander->reported.empty()) << "it shows no colour mode";
}

TEST_F(PDEHostTest, ChangeByTheHostReachesThePanels) {
    EXPECT_TRUE(host->changeChoice(PDEHost::kHostOrigin, "VLControl", "Photo"));
    EXPECT_EQ(recorder->reported, std::vector<QString>{"VLControl=Photo"});
    EXPECT_EQ(colourPanel()->summaryInfo().value("Color Mode"), "Photo Color")
        << "the real colour panel took it";
}

TEST_F(PDEHostTest, OriginHearsOnlyOfSideEffects) {
    // PageRegion is unmarked by a page size, and PageSize is what was offered.
    EXPECT_TRUE(host->changeChoice(recorderOrigin, "PageSize", "A4"));
    EXPECT_TRUE(recorder->reported.empty()) << "it made that change itself";
    EXPECT_TRUE(host->changeChoice(recorderOrigin, "VLControl", "Gray"));
    EXPECT_TRUE(recorder->reported.empty());
    EXPECT_EQ(colourPanel()->summaryInfo().value("Color Mode"), "Grayscale");
}

TEST_F(PDEHostTest, RefusedChangeReachesNobody) {
    ASSERT_TRUE(host->changeChoice(PDEHost::kHostOrigin, "VLOutputModeBlack", "True"));
    recorder->reported.clear();
    EXPECT_FALSE(host->changeChoice(0, "VLControl", "Graph"));
    EXPECT_TRUE(recorder->reported.empty());
    EXPECT_EQ(host->ppd().markedChoice("VLControl"), "Office");
}

TEST_F(PDEHostTest, JobOptionsAreTheMarkedChoicesAndTheSettings) {
    ASSERT_TRUE(host->changeChoice(0, "VLControl", "Graph"));
    ASSERT_TRUE(host->settings().setValue("VLUAUserName", "1f7909823e"));
    ASSERT_TRUE(host->settings().setValue("VLTone", "Custom1")) << "a setting named like an option";
    const std::vector<PDEJobOption> options = host->jobOptions();
    auto count = [&](const QString& name) {
        return std::count_if(options.begin(), options.end(),
                             [&](const PDEJobOption& o) { return o.first == name; });
    };
    EXPECT_NE(std::find(options.begin(), options.end(), PDEJobOption("VLControl", "Graph")),
              options.end());
    EXPECT_NE(std::find(options.begin(), options.end(), PDEJobOption("VLUAUserName", "1f7909823e")),
              options.end());
    EXPECT_EQ(count("VLTone"), 1);
    EXPECT_EQ(options.back(), PDEJobOption("VLUAUserName", "1f7909823e"));
    EXPECT_EQ(count("PageSize"), 1);
    EXPECT_EQ(count("VLControl"), 1);
}

struct SettingKeyCase {
    const char* name;
    const char* key;
    bool kept;
};

class PDEHostPrintSettingsKeys : public testing::TestWithParam<SettingKeyCase> {};

TEST_P(PDEHostPrintSettingsKeys, KeepOnlyNamesAJobOptionCanHave) {
    PDEHostPrintSettings settings;
    EXPECT_EQ(settings.setValue(QString::fromUtf8(GetParam().key), "1"), GetParam().kept);
    EXPECT_EQ(settings.values().size(), GetParam().kept ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, PDEHostPrintSettingsKeys,
                         testing::Values(SettingKeyCase{"Plain", "VLUseUserAuth", true},
                                         SettingKeyCase{"Dashed", "page-ranges", true},
                                         SettingKeyCase{"Empty", "", false},
                                         SettingKeyCase{"Space", "VL Use", false},
                                         SettingKeyCase{"Equals", "a=b", false},
                                         SettingKeyCase{"LineFeed", "a\nb", false}),
                         [](const auto& info) { return info.param.name; });

TEST_F(PDEHostTest, PrintAsksEveryPanelToSaveThenWhetherToPrint) {
    std::vector<QString> calls;
    recorder->calls = &calls;
    bystander->calls = &calls;
    QString error;
    EXPECT_TRUE(host->panelsAgreeToPrint(&error));
    EXPECT_EQ(calls, (std::vector<QString>{"Recorder save", "Recorder save", "Recorder shouldPrint",
                                           "Recorder shouldPrint"}));
    EXPECT_EQ(host->settings().value("VLUseUserAuth"), "0") << "the real panel saved too";

    calls.clear();
    bystander->agreesToPrint = false;
    EXPECT_FALSE(host->panelsAgreeToPrint(&error));
    EXPECT_TRUE(error.isEmpty());

    calls.clear();
    recorder->saveError = "the disk is full";
    EXPECT_FALSE(host->panelsAgreeToPrint(&error));
    EXPECT_EQ(error, "the disk is full");
    EXPECT_EQ(calls, std::vector<QString>{"Recorder save"}) << "nothing asked after a failure";
}

} // namespace
