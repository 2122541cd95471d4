#include "ScriptedUSBPrinter.h"

#include "USBDescriptorBytes.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace {

constexpr std::size_t kFullPiece = 64;

} // namespace

ScriptedUSBPrinter::ScriptedUSBPrinter(const std::string& manufacturer, const std::string& model,
                                       const std::string& serial) {
    description.configurationValue = 1;
    description.interfaceNumber = 0;
    description.settings = {{0, 7, 1, 2, {{0x01, 0x02}, {0x82, 0x02}}}};
    // Device descriptor: manufacturer, product and serial number strings at
    // indexes 1, 2 and 3.
    deviceDescriptor = std::string("\x12\x01\x00\x02\x00\x00\x00\x40\x34\x12\x78\x56\x00\x01"
                                   "\x01\x02\x03\x01",
                                   18);
    strings[1] = StringDescriptorBytes(manufacturer);
    strings[2] = StringDescriptorBytes(model + " Series");
    strings[3] = StringDescriptorBytes(serial);
    deviceID = DeviceIDReply("MFG:" + manufacturer + ";CMD:PJL,POSTSCRIPT;MDL:" + model +
                             ";CLS:PRINTER;SERN:" + serial + ";");
}

std::vector<std::string> ScriptedUSBPrinter::Writes() const {
    std::vector<std::string> writes;
    for (const std::string& entry : transcript)
        if (entry.starts_with("write:"))
            writes.push_back(entry.substr(6));
    return writes;
}

USBStatus ScriptedUSBPrinter::Answer(USBDevRequest& request) {
    controlRequests.push_back(
        {request.requestType, request.request, request.value, request.index, request.length});
    std::string reply;
    if (request.requestType == 0x80 && request.request == 6 && request.value == 0x0100) {
        reply = deviceDescriptor;
    } else if (request.requestType == 0x80 && request.request == 6 && (request.value >> 8) == 3) {
        const auto found = strings.find(static_cast<std::uint8_t>(request.value & 0xFF));
        if (found == strings.end())
            return kUSBPipeStalled;
        reply = found->second;
    } else if (request.requestType == 0xA1 && request.request == 0) {
        reply = deviceID;
    } else {
        return kUSBPipeStalled;
    }
    const std::size_t size = std::min<std::size_t>(reply.size(), request.length);
    std::memcpy(request.data, reply.data(), size);
    request.length = static_cast<std::uint16_t>(size);
    return kUSBSuccess;
}

USBStatus ScriptedUSBPrinter::Write(std::uint8_t endpoint, const void* data, std::size_t length) {
    if (!HasEndpoint(endpoint))
        return kUSBNotFound;
    if (pieceSizes.size() < kTranscriptLimit)
        pieceSizes.push_back(length);
    if (!writeStatuses.empty()) {
        const USBStatus status = writeStatuses.front();
        writeStatuses.pop_front();
        if (status != kUSBSuccess)
            return status;
    }
    const std::string piece(static_cast<const char*>(data), length);
    const bool joins = pieceSizes.size() > 1 && pieceSizes[pieceSizes.size() - 2] == kFullPiece &&
                       !transcript.empty() && transcript.back().starts_with("write:");
    if (joins)
        transcript.back() += piece;
    else
        Record("write:" + piece);
    return kUSBSuccess;
}

USBStatus ScriptedUSBPrinter::Read(std::uint8_t endpoint, void* data, std::size_t* length) {
    if (!HasEndpoint(endpoint))
        return kUSBNotFound;
    Record("read");
    ScriptedRead next;
    if (!reads.empty()) {
        next = reads.front();
        reads.pop_front();
    } else if (afterReads) {
        next = afterReads();
    } else {
        next.status = kUSBTransactionTimeout;
    }
    const std::size_t size = std::min(next.bytes.size(), *length);
    std::memcpy(data, next.bytes.data(), size);
    *length = next.status == kUSBSuccess ? size : 0;
    return next.status;
}

bool ScriptedUSBPrinter::HasEndpoint(std::uint8_t endpoint) const {
    const USBAlternateSetting* setting = description.Setting(currentSetting);
    if (!setting)
        return false;
    for (const USBEndpoint& known : setting->endpoints)
        if (known.address == endpoint)
            return true;
    return false;
}

// Past the limit the last entry gives way, so the transcript still ends with
// what happened last.
void ScriptedUSBPrinter::Record(std::string entry) {
    if (transcript.size() < kTranscriptLimit)
        transcript.push_back(std::move(entry));
    else
        transcript.back() = std::move(entry);
}

void PrintTo(const ScriptedRead& read, std::ostream* out) {
    *out << '"' << read.bytes << "\" status " << std::hex << read.status;
}
