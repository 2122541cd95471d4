#pragma once
// Where the dialog looks for panel bundles: the folder named by
// VEL_PANEL_DIR first (a bundle there replaces the installed one of the same
// name), then the installation's panels folder beside the program's.

#include <QString>
#include <QStringList>

inline constexpr char kPanelFolderVariable[] = "VEL_PANEL_DIR";

// The folders to search, in order; the installation's folder is found from
// the running program's own folder.
QStringList PDEPanelFolders();

// The plug-in library of a bundle folder: <bundle>/<Name>.so.
QString PDEBundleLibrary(const QString& bundlePath);

// The bundle folders (a folder <Name> holding <Name>.so) in the given
// folders, one per bundle name, the first folder winning, by name.
QStringList PDEBundlesIn(const QStringList& folders);
