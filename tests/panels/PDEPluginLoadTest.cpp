// The panel bundles as a print dialog meets them: loaded with QPluginLoader
// from the installed panels folder, each finds its own resources.

#include "ColourPPD.h"
#include "PDEBundle.h"
#include "PDEPluginInterface.h"
#include "PanelTestHost.h"

#include <QPluginLoader>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The bundle's plug-in from the test install, with its interface checked
// and its bundle given, as a print dialog loads it; null (a test failure)
// when it does not load.
PDEPluginInterface* LoadInstalledPlugin(QPluginLoader& loader, const QString& bundle) {
    const QString folder = QStringLiteral(QC_INSTALLED_PANELS "/") + bundle;
    loader.setFileName(folder + "/" + bundle + ".so");
    auto* plugin = qobject_cast<PDEPluginInterface*>(loader.instance());
    if (plugin == nullptr) {
        ADD_FAILURE() << loader.errorString().toStdString();
        return nullptr;
    }
    EXPECT_EQ(loader.metaData().value("IID").toString(), PDEPluginInterface_iid);
    EXPECT_TRUE(plugin->initWithBundle(PDEBundle(folder)));
    return plugin;
}

// The one panel the plug-in hands out for the panel type; null (a test
// failure) when it hands out none or several.
std::unique_ptr<PDEPanel> OnlyPanel(PDEPluginInterface& plugin, PanelTestHost& host) {
    std::optional<PDEPanelList> panels = plugin.PDEPanelsForType(kPDEPanelType, &host);
    if (!panels.has_value() || panels->size() != 1) {
        ADD_FAILURE() << "no single panel for the panel type";
        return nullptr;
    }
    return std::move(panels->front());
}

TEST(VELPSColorPlugin, LoadsFromTheInstallFolderAndHandsOutItsPanel) {
    QPluginLoader loader;
    PDEPluginInterface* plugin = LoadInstalledPlugin(loader, "VELPSColor");
    ASSERT_NE(plugin, nullptr);

    TempDir dir;
    PanelTestHost host(WriteColourPPD(dir));
    std::unique_ptr<PDEPanel> made = OnlyPanel(*plugin, host);
    ASSERT_NE(made, nullptr);
    PDEPanel& panel = *made;
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
    QPluginLoader loader;
    PDEPluginInterface* plugin = LoadInstalledPlugin(loader, "VELUserAuthPS");
    ASSERT_NE(plugin, nullptr);

    TempDir dir;
    PanelTestHost host(WriteColourPPD(dir));
    std::unique_ptr<PDEPanel> made = OnlyPanel(*plugin, host);
    ASSERT_NE(made, nullptr);
    PDEPanel& panel = *made;
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
