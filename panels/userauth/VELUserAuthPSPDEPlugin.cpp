#include "VELUserAuthPSPDEPlugin.h"

#include "PDEBundle.h"
#include "PDEPluginFrame.h"
#include "VELUserAuthPSPDE.h"

namespace {

// An address inside this library, to find the bundle that holds it.
void bundleAnchor() {}

} // namespace

bool VELUserAuthPSPDEPlugin::initWithBundle(const PDEBundle&) {
    return true;
}

std::optional<PDEPanelList> VELUserAuthPSPDEPlugin::PDEPanelsForType(const QString& type,
                                                                     PDEPluginCallback* hostInfo) {
    return PDEPluginFrame::PDEPanelsForType(
        type, hostInfo, [](PDEPluginCallback* callback) -> std::unique_ptr<PDEPanel> {
            return VELUserAuthPSPDE::initWithCallback(
                callback,
                PDEBundle::bundleForAddress(reinterpret_cast<const void*>(&bundleAnchor)));
        });
}
