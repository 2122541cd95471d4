#include "PDEPluginFrame.h"

std::optional<PDEPanelList> PDEPluginFrame::PDEPanelsForType(const QString& type,
                                                             PDEPluginCallback* hostInfo,
                                                             const PanelCreater& initWithCallback) {
    PDEPanelList panels;
    if (type != QLatin1String(kPDEPanelType)) {
        return panels;
    }
    std::unique_ptr<PDEPanel> panel = initWithCallback(hostInfo);
    if (panel == nullptr) {
        return std::nullopt;
    }
    panels.push_back(std::move(panel));
    return panels;
}
