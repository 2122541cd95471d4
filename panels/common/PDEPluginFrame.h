#pragma once
// What the plug-in objects of both panel bundles do alike: hand out the
// bundle's one panel for the print dialog's panel type.

#include "PDEPluginInterface.h"

#include <functional>

class PDEPluginFrame {
public:
    // Makes the panel with the host's callback object, or null when the
    // panel declines to work with the host's queue.
    using PanelCreater = std::function<std::unique_ptr<PDEPanel>(PDEPluginCallback*)>;

    // For kPDEPanelType the one new panel, or nothing at all when it
    // declines; for any other type an empty list.
    static std::optional<PDEPanelList> PDEPanelsForType(const QString& type,
                                                        PDEPluginCallback* hostInfo,
                                                        const PanelCreater& initWithCallback);
};
