// The plug-in frame: which panel type gets a panel, and what a panel that
// declines leaves the host with.

#include "ColourPanelFixture.h"
#include "PDEPluginFrame.h"

namespace {

class StubPanel : public PDEPanel {
public:
    QString panelName() override { return "Stub"; }
    QString panelKind() const override { return "stub"; }
    QWidget* panelView() override { return nullptr; }
    void willShow() override {}
    bool shouldHide() override { return true; }
    bool shouldShowHelp() override { return true; }
    bool respondsToShouldPrint() const override { return false; }
    bool shouldPrint() override { return true; }
    std::optional<QStringList> supportedPPDOptionKeys() override { return std::nullopt; }
    void PPDOptionKeyValueDidChange(const QString&, const QString&) override {}
    bool restoreValuesAndReturnError(QString*) override { return true; }
    bool saveValuesAndReturnError(QString*) override { return true; }
    QMap<QString, QString> summaryInfo() override { return {}; }
};

TEST(PDEPluginFrame, HandsOutOnePanelForThePanelType) {
    int made = 0;
    const PDEPluginFrame::PanelCreater creater = [&](PDEPluginCallback*) {
        ++made;
        return std::make_unique<StubPanel>();
    };
    const std::optional<PDEPanelList> panels =
        PDEPluginFrame::PDEPanelsForType(kPDEPanelType, nullptr, creater);
    ASSERT_TRUE(panels.has_value());
    ASSERT_EQ(panels->size(), 1u);
    EXPECT_EQ(panels->front()->panelKind(), "stub");

    for (const char* other :
         {"", "bdb091f4-e57f-11d3-b5cc-0050e4603277", "BDB091F4-E57F-11D3-B5CC-0050E4603278"}) {
        const std::optional<PDEPanelList> none =
            PDEPluginFrame::PDEPanelsForType(other, nullptr, creater);
        ASSERT_TRUE(none.has_value()) << "an empty list, never nothing, for " << other;
        EXPECT_TRUE(none->empty());
    }
    EXPECT_EQ(made, 1);
}

TEST(PDEPluginFrame, GivesNothingWhenThePanelDeclines) {
    const std::optional<PDEPanelList> panels = PDEPluginFrame::PDEPanelsForType(
        kPDEPanelType, nullptr, [](PDEPluginCallback*) { return nullptr; });
    EXPECT_FALSE(panels.has_value());
}

} // namespace
