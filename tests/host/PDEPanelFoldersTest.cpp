// Finding and loading panel bundles: the folder named by VEL_PANEL_DIR
// before the installed one, and every bundle that cannot load said so.

#include "PDEPanelFolders.h"
#include "HostFixture.h"
#include "PDEPanelLoader.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(PDEPanelFolders, MovedFolderFirstThenTheInstalledOne) {
    {
        ScopedEnv moved(kPanelFolderVariable, "/somewhere/panels");
        const QStringList folders = PDEPanelFolders();
        ASSERT_EQ(folders.size(), 2);
        EXPECT_EQ(folders[0], "/somewhere/panels");
        EXPECT_TRUE(folders[1].endsWith("/queueconfig/panels")) << folders[1].toStdString();
    }
    ScopedEnv unset(kPanelFolderVariable, std::nullopt);
    EXPECT_EQ(PDEPanelFolders().size(), 1);
}

TEST(PDEPanelFolders, OneBundlePerNameTheFirstFolderWinning) {
    TempDir first;
    TempDir second;
    first.Write("VELPSColor/VELPSColor.so", "");
    first.Write("NotABundle/README", "a folder without its library");
    first.Write("Stray.so", "");
    second.Write("VELPSColor/VELPSColor.so", "");
    second.Write("Another/Another.so", "");
    const QStringList bundles =
        PDEBundlesIn({Path(first.Path()), Path(second.Path()), Path(first.Path() / "missing")});
    EXPECT_EQ(bundles,
              QStringList({Path(second.Path() / "Another"), Path(first.Path() / "VELPSColor")}));
}

TEST(PDEPanelLoader, LoadsAStagedBundle) {
    QString error;
    const QStringList bundles = StagedBundles();
    ASSERT_EQ(bundles.size(), 2);
    std::unique_ptr<PDEPanelLoader> loaded = PDEPanelLoader::load(bundles[0], &error);
    ASSERT_NE(loaded, nullptr) << error.toStdString();
    EXPECT_EQ(loaded->bundleName(), "VELPSColor");
}

TEST(PDEPanelLoader, SaysWhyABundleDoesNotLoad) {
    TempDir dir;
    dir.Write("Empty/Empty.so", "not a library");
    QString error;
    EXPECT_EQ(PDEPanelLoader::load(Path(dir.Path() / "Empty"), &error), nullptr);
    EXPECT_TRUE(error.startsWith("Empty: ")) << error.toStdString();

    // A real library that is no panel plug-in: the test's own Qt.
    const QString qtLibrary = QStringLiteral("/usr/lib/x86_64-linux-gnu/libQt6Core.so.6");
    ASSERT_TRUE(QFileInfo(qtLibrary).exists());
    const std::filesystem::path folder = dir.Path() / "Core";
    std::filesystem::create_directories(folder);
    std::filesystem::create_symlink(qtLibrary.toStdString(), folder / "Core.so");
    EXPECT_EQ(PDEPanelLoader::load(Path(folder), &error), nullptr);
    EXPECT_TRUE(error.startsWith("Core: ")) << error.toStdString();
}

} // namespace
