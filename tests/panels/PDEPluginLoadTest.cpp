// The panel bundles as a print dialog meets them: loaded with QPluginLoader
// from the installed panels folder, each finds its own resources.

#include "ColourPPD.h"
#include "PDEBundle.h"
#include "PDEPluginInterface.h"
#include "PanelTestHost.h"

#include <QPluginLoader>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

constexpr char kInstalledColourPlugin[] = QC_INSTALLED_PANELS "/VELPSColor/VELPSColor.so";
constexpr char kInstalledUserAuthPlugin[] = QC_INSTALLED_PANELS "/VELUserAuthPS/VELUserAuthPS.so";

TEST(VELPSColorPlugin, LoadsFromTheInstallFolderAndHandsOutItsPanel) {
    QPluginLoader loader(kInstalledColourPlugin);
    QObject* root = loader.instance();
    ASSERT_NE(root, nullptr) << loader.errorString().toStdString();
    EXPECT_EQ(loader.metaData().value("IID").toString(), PDEPluginInterface_iid);
    auto* plugin = qobject_cast<PDEPluginInterface*>(root);
    ASSERT_NE(plugin, nullptr);
    EXPECT_TRUE(plugin->initWithBundle(PDEBundle(QC_INSTALLED_PANELS "/VELPSColor")));

    TempDir dir;
    PanelTestHost host(WriteColourPPD(dir));
    std::optional<PDEPanelList> panels = plugin->PDEPanelsForType(kPDEPanelType, &host);
    ASSERT_TRUE(panels.has_value());
    ASSERT_EQ(panels->size(), 1u);
    PDEPanel& panel = *panels->front();
    EXPECT_EQ(panel.panelKind(), "com.velmark.print.pde.VELPSColor");
    EXPECT_FALSE(panel.panelName().isEmpty());
    EXPECT_NE(panel.panelName(), "PanelName") << "the bundle found its translations";
    ASSERT_NE(panel.panelView(), nullptr) << "the bundle found its views";
    EXPECT_EQ(panel.panelView()->objectName(), "pdeView");
    panel.willShow();

    EXPECT_TRUE(plugin->PDEPanelsForType("another type", &host)->empty());
    host.constraintHandling = false;
    EXPECT_FALSE(plugin->PDEPanelsForType(kPDEPanelType, &host).has_value());
}

TEST(VELUserAuthPSPlugin, LoadsFromTheInstallFolderAndHandsOutItsPanel) {
    QPluginLoader loader(kInstalledUserAuthPlugin);
    auto* plugin = qobject_cast<PDEPluginInterface*>(loader.instance());
    ASSERT_NE(plugin, nullptr) << loader.errorString().toStdString();
    EXPECT_EQ(loader.metaData().value("IID").toString(), PDEPluginInterface_iid);
    EXPECT_TRUE(plugin->initWithBundle(PDEBundle(QC_INSTALLED_PANELS "/VELUserAuthPS")));

    TempDir dir;
    PanelTestHost host(WriteColourPPD(dir));
    std::optional<PDEPanelList> panels = plugin->PDEPanelsForType(kPDEPanelType, &host);
    ASSERT_TRUE(panels.has_value());
    ASSERT_EQ(panels->size(), 1u);
    PDEPanel& panel = *panels->front();
    EXPECT_EQ(panel.panelKind(), "com.velmark.print.pde.QVUserAuthPS");
    EXPECT_NE(panel.panelName(), "PanelName") << "the bundle found its translations";
    ASSERT_NE(panel.panelView(), nullptr) << "the bundle found its view";
    panel.willShow();
    EXPECT_TRUE(panel.shouldPrint());
    EXPECT_EQ(host.value("VLUseUserAuth"), "0");

    EXPECT_TRUE(plugin->PDEPanelsForType("another type", &host)->empty());
    host.constraintHandling = false;
    host.sessionHasPPD = false;
    EXPECT_FALSE(plugin->PDEPanelsForType(kPDEPanelType, &host).has_value());
}

} // namespace
