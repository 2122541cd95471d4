#include "PDEPanelLoader.h"

#include "PDEBundle.h"
#include "PDEPanelFolders.h"
#include "PDEPluginInterface.h"

#include <QFileInfo>

std::unique_ptr<PDEPanelLoader> PDEPanelLoader::load(const QString& bundlePath, QString* error) {
    std::unique_ptr<PDEPanelLoader> loaded(new PDEPanelLoader);
    loaded->m_BundlePath = bundlePath;
    const QString name = loaded->bundleName();
    loaded->m_Loader.setFileName(PDEBundleLibrary(bundlePath));
    QObject* root = loaded->m_Loader.instance();
    if (root == nullptr) {
        *error = QStringLiteral("%1: %2").arg(name, loaded->m_Loader.errorString());
        return nullptr;
    }
    loaded->m_Plugin = qobject_cast<PDEPluginInterface*>(root);
    if (loaded->m_Plugin == nullptr) {
        *error = QStringLiteral("%1: not a print-dialog panel plug-in (%2)")
                     .arg(name, QStringLiteral(PDEPluginInterface_iid));
        return nullptr;
    }
    if (!loaded->m_Plugin->initWithBundle(PDEBundle(bundlePath))) {
        *error = QStringLiteral("%1: the bundle did not start").arg(name);
        return nullptr;
    }
    return loaded;
}

QString PDEPanelLoader::bundleName() const {
    return QFileInfo(m_BundlePath).fileName();
}
