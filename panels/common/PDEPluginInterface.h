#pragma once
// The plug-in contract between a print dialog and a panel bundle. Each
// bundle is a Qt plug-in whose root object implements this interface.

#include "PDEPanel.h"

#include <QtPlugin>

#include <memory>
#include <optional>
#include <vector>

class PDEBundle;
class PDEPluginCallback;

// The panel type that print dialogs ask panel bundles for.
inline constexpr char kPDEPanelType[] = "BDB091F4-E57F-11D3-B5CC-0050E4603277";

using PDEPanelList = std::vector<std::unique_ptr<PDEPanel>>;

class PDEPluginInterface {
public:
    virtual ~PDEPluginInterface() = default;

    virtual bool initWithBundle(const PDEBundle& bundle) = 0;

    // An empty list for a type other than kPDEPanelType; nothing at all when
    // the bundle's panel declines to work with the host's queue.
    virtual std::optional<PDEPanelList> PDEPanelsForType(const QString& type,
                                                         PDEPluginCallback* hostInfo) = 0;
};

#define PDEPluginInterface_iid "com.velmark.print.PDEPluginInterface/1.0"
Q_DECLARE_INTERFACE(PDEPluginInterface, PDEPluginInterface_iid)
