#pragma once
// Loads one panel bundle as a Qt plug-in and hands it its bundle.

#include <QPluginLoader>
#include <QString>

#include <memory>

class PDEPluginInterface;

class PDEPanelLoader {
public:
    // Loads <bundle>/<Name>.so and checks that it implements the panel
    // plug-in interface; null with the reason in *error otherwise.
    static std::unique_ptr<PDEPanelLoader> load(const QString& bundlePath, QString* error);

    PDEPluginInterface& plugin() const { return *m_Plugin; }
    QString bundlePath() const { return m_BundlePath; }
    QString bundleName() const;

private:
    PDEPanelLoader() = default;

    // The library stays loaded for the program's life: the panels' code and
    // the objects they made live in it.
    QPluginLoader m_Loader;
    PDEPluginInterface* m_Plugin = nullptr;
    QString m_BundlePath;
};
