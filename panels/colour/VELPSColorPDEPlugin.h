#pragma once
// The colour bundle's plug-in object: hands the print dialog its panel.

#include "PDEPluginInterface.h"

#include <QObject>

class VELPSColorPDEPlugin : public QObject, public PDEPluginInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PDEPluginInterface_iid FILE "VELPSColor.json")
    Q_INTERFACES(PDEPluginInterface)

public:
    bool initWithBundle(const PDEBundle& bundle) override;
    std::optional<PDEPanelList> PDEPanelsForType(const QString& type,
                                                 PDEPluginCallback* hostInfo) override;
};
