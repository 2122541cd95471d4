#include "ScriptedUSBBus.h"

namespace {

// One enumeration's view of a scripted printer; its selected setting, like a
// real interface's, stays with the device.
class ScriptedUSBInterface : public USBInterface {
public:
    explicit ScriptedUSBInterface(std::shared_ptr<ScriptedUSBPrinter> printer)
        : m_Printer(std::move(printer)) {}

    const USBInterfaceDescription& Description() const override { return m_Printer->description; }
    std::uint8_t CurrentAlternateSetting() const override { return m_Printer->currentSetting; }

    USBStatus Open() override {
        if (m_Printer->openStatus != kUSBSuccess)
            return m_Printer->openStatus;
        m_Open = true;
        m_Printer->Record("open");
        return kUSBSuccess;
    }
    void Close() override {
        if (!m_Open)
            return;
        m_Open = false;
        m_Printer->Record("close");
    }
    USBStatus SelectAlternateSetting(std::uint8_t setting) override {
        if (!m_Open)
            return kUSBNotOpen;
        if (!m_Printer->description.Setting(setting))
            return kUSBNotFound;
        m_Printer->currentSetting = setting;
        m_Printer->Record("select " + std::to_string(setting));
        return kUSBSuccess;
    }
    USBStatus DeviceRequest(USBDevRequest& request) override { return m_Printer->Answer(request); }
    USBStatus WritePipe(std::uint8_t endpoint, const void* data, std::size_t length, unsigned,
                        unsigned) override {
        return m_Open ? m_Printer->Write(endpoint, data, length) : kUSBNotOpen;
    }
    USBStatus ReadPipe(std::uint8_t endpoint, void* data, std::size_t* length, unsigned,
                       unsigned) override {
        return m_Open ? m_Printer->Read(endpoint, data, length) : kUSBNotOpen;
    }

private:
    std::shared_ptr<ScriptedUSBPrinter> m_Printer;
    bool m_Open = false;
};

} // namespace

ScriptedUSBPrinter& ScriptedUSBBus::AddPrinter(const std::string& manufacturer,
                                               const std::string& model,
                                               const std::string& serial) {
    printers.push_back(std::make_shared<ScriptedUSBPrinter>(manufacturer, model, serial));
    return *printers.back();
}

USBStatus ScriptedUSBBus::PrinterInterfaces(std::vector<std::unique_ptr<USBInterface>>* found) {
    ++walks;
    found->clear();
    if (busStatus != kUSBSuccess)
        return busStatus;
    for (const std::shared_ptr<ScriptedUSBPrinter>& printer : printers)
        found->push_back(std::make_unique<ScriptedUSBInterface>(printer));
    return kUSBSuccess;
}
