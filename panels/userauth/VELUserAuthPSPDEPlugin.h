#pragma once
// The user-authentication bundle's plug-in object: hands the print dialog
// its panel.

#include "PDEPluginInterface.h"

#include <QObject>

class VELUserAuthPSPDEPlugin : public QObject, public PDEPluginInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PDEPluginInterface_iid FILE "VELUserAuthPS.json")
    Q_INTERFACES(PDEPluginInterface)

public:
    bool initWithBundle(const PDEBundle& bundle) override;
    std::optional<PDEPanelList> PDEPanelsForType(const QString& type,
                                                 PDEPluginCallback* hostInfo) override;
};
