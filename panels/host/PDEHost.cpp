#include "PDEHost.h"

#include "PDEPanelLoader.h"
#include "PDEPluginInterface.h"

PDEHost::PDEHost(std::unique_ptr<PDEHostPPD> ppd)
    : m_PPD(std::move(ppd)), m_Session(m_PPD->ppd()) {}

PDEHost::~PDEHost() = default;

QStringList PDEHost::loadBundles(const QStringList& bundlePaths) {
    QStringList diagnostics;
    for (const QString& path : bundlePaths) {
        QString error;
        std::unique_ptr<PDEPanelLoader> loader = PDEPanelLoader::load(path, &error);
        if (loader == nullptr) {
            diagnostics << error;
            continue;
        }
        const int origin = newOrigin();
        std::optional<PDEPanelList> made =
            loader->plugin().PDEPanelsForType(kPDEPanelType, m_Callbacks[origin].get());
        if (!made.has_value()) {
            diagnostics << QStringLiteral("%1: no panel for this queue").arg(loader->bundleName());
            made.emplace();
        }
        m_Loaders.push_back(std::move(loader));
        for (std::unique_ptr<PDEPanel>& panel : *made) {
            panel->restoreValuesAndReturnError(nullptr);
            m_Panels.push_back({origin, std::move(panel)});
        }
    }
    return diagnostics;
}

void PDEHost::addPanels(PDEPanelList panels) {
    const int origin = newOrigin();
    for (std::unique_ptr<PDEPanel>& panel : panels) {
        m_Panels.push_back({origin, std::move(panel)});
    }
}

// A callback of its own for the next bundle; its origin.
int PDEHost::newOrigin() {
    const int origin = int(m_Callbacks.size());
    m_Callbacks.push_back(std::make_unique<PDEHostCallback>(*this, origin));
    return origin;
}

std::vector<PDEPanel*> PDEHost::panels() const {
    std::vector<PDEPanel*> panels;
    for (const Panel& entry : m_Panels) {
        panels.push_back(entry.panel.get());
    }
    return panels;
}

bool PDEHost::changeChoice(int origin, const QString& option, const QString& choice) {
    std::optional<std::vector<PPDMarkedChoice>> changed = m_PPD->offer(option, choice);
    if (!changed.has_value()) {
        return false;
    }
    notifyOthers(origin, option, *changed);
    return true;
}

void PDEHost::notifyOthers(int origin, const QString& offered,
                           const std::vector<PPDMarkedChoice>& changed) {
    for (const PPDMarkedChoice& change : changed) {
        for (Panel& entry : m_Panels) {
            if (entry.origin == origin && change.first.compare(offered, Qt::CaseInsensitive) == 0) {
                continue;
            }
            const std::optional<QStringList> shown = entry.panel->supportedPPDOptionKeys();
            if (shown.has_value() && shown->contains(change.first)) {
                entry.panel->PPDOptionKeyValueDidChange(change.first, change.second);
            }
        }
    }
}

bool PDEHost::panelsAgreeToPrint(QString* error) {
    for (Panel& entry : m_Panels) {
        if (!entry.panel->saveValuesAndReturnError(error)) {
            return false;
        }
    }
    for (Panel& entry : m_Panels) {
        if (entry.panel->respondsToShouldPrint() && !entry.panel->shouldPrint()) {
            return false;
        }
    }
    return true;
}

// A setting named like a PPD option (a panel without constraint handling
// writes its choices there) is the later word, as CUPS takes the last.
std::vector<PDEJobOption> PDEHost::jobOptions() const {
    const QMap<QString, QString>& settings = m_Settings.values();
    std::vector<PDEJobOption> options;
    for (const PPDMarkedChoice& marked : m_PPD->markedChoices()) {
        if (!settings.contains(marked.first)) {
            options.push_back(marked);
        }
    }
    for (auto it = settings.cbegin(); it != settings.cend(); ++it) {
        options.emplace_back(it.key(), it.value());
    }
    return options;
}
