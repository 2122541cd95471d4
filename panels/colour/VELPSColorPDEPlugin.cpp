#include "VELPSColorPDEPlugin.h"

#include "PDEBundle.h"
#include "PDEPluginFrame.h"
#include "VELPSColorPDE.h"

namespace {

// An address inside this library, to find the bundle that holds it.
void bundleAnchor() {}

} // namespace

bool VELPSColorPDEPlugin::initWithBundle(const PDEBundle&) {
    return true;
}

std::optional<PDEPanelList> VELPSColorPDEPlugin::PDEPanelsForType(const QString& type,
                                                                  PDEPluginCallback* hostInfo) {
    return PDEPluginFrame::PDEPanelsForType(
        type, hostInfo, [](PDEPluginCallback* callback) -> std::unique_ptr<PDEPanel> {
            return VELPSColorPDE::initWithCallback(
                callback,
                PDEBundle::bundleForAddress(reinterpret_cast<const void*>(&bundleAnchor)));
        });
}
