// A USB bus for tests: the scripted printers it holds, in order, each with
// one printer interface. Counts how often the port walked the bus.
#pragma once

#include "ScriptedUSBPrinter.h"

#include <memory>

class ScriptedUSBBus : public USBBus {
public:
    ScriptedUSBPrinter& AddPrinter(const std::string& manufacturer, const std::string& model,
                                   const std::string& serial);

    USBStatus PrinterInterfaces(std::vector<std::unique_ptr<USBInterface>>* found) override;

    std::vector<std::shared_ptr<ScriptedUSBPrinter>> printers;
    USBStatus busStatus = kUSBSuccess;
    int walks = 0;
};
