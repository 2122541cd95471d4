#include "PDEPanelFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>

#ifndef VEL_RELATIVE_PANEL_DIR
#error "VEL_RELATIVE_PANEL_DIR must name the panels folder relative to bin/"
#endif

namespace {

// The running program's folder; /proc says so even before a QCoreApplication exists.
QString ProgramFolder() {
    const QFileInfo exe(QStringLiteral("/proc/self/exe"));
    return QFileInfo(exe.symLinkTarget()).absolutePath();
}

bool IsBundle(const QDir& folder, const QString& name) {
    return QFileInfo(PDEBundleLibrary(folder.filePath(name))).isFile();
}

} // namespace

QStringList PDEPanelFolders() {
    QStringList folders;
    const QString moved = qEnvironmentVariable(kPanelFolderVariable);
    if (!moved.isEmpty()) {
        folders << moved;
    }
    folders << QDir::cleanPath(ProgramFolder() + QStringLiteral("/") +
                               QStringLiteral(VEL_RELATIVE_PANEL_DIR));
    return folders;
}

QString PDEBundleLibrary(const QString& bundlePath) {
    return bundlePath + QStringLiteral("/") + QFileInfo(bundlePath).fileName() +
           QStringLiteral(".so");
}

QStringList PDEBundlesIn(const QStringList& folders) {
    QMap<QString, QString> bundles; // name -> folder, sorted by name
    for (const QString& path : folders) {
        const QDir folder(path);
        for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (!bundles.contains(name) && IsBundle(folder, name)) {
                bundles.insert(name, folder.filePath(name));
            }
        }
    }
    return bundles.values();
}
