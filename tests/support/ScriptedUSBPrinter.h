// A USB printer for tests, scripted as tables: what it describes of itself
// (interface, descriptors, device ID) and what its bulk-in pipe answers, one
// scripted read after another. It records what the port did with it as a
// transcript: "open", "close", "select N", "write:<bytes>" (pieces that follow
// a full 64-byte piece join it, so one entry is one request) and "read".
#pragma once

#include "Platform/USBBus.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

struct ScriptedRead {
    std::string bytes;
    USBStatus status = kUSBSuccess;
};
// How a test names a scripted read in its messages.
void PrintTo(const ScriptedRead& read, std::ostream* out);

struct RecordedRequest {
    std::uint8_t requestType, request;
    std::uint16_t value, index, length;
};

class ScriptedUSBPrinter {
public:
    // A bidirectional printer (7/1/2, bulk 0x01 out and 0x82 in) whose string
    // descriptors and device ID give this identity.
    ScriptedUSBPrinter(const std::string& manufacturer, const std::string& model,
                       const std::string& serial);

    USBInterfaceDescription description;
    std::string deviceDescriptor;                // 18 bytes
    std::map<std::uint8_t, std::string> strings; // descriptors by index
    std::string deviceID;                        // the GET_DEVICE_ID reply
    std::deque<ScriptedRead> reads;              // answers of the bulk-in pipe
    std::function<ScriptedRead()> afterReads;    // then these; none: time-outs
    std::deque<USBStatus> writeStatuses;         // statuses of writes; none: success
    USBStatus openStatus = kUSBSuccess;

    // At most kTranscriptLimit entries (the last one always the latest): a
    // printer that chatters for seconds would otherwise fill memory.
    static constexpr std::size_t kTranscriptLimit = 1000;
    std::vector<std::string> transcript;
    std::vector<std::size_t> pieceSizes; // of every write
    std::vector<RecordedRequest> controlRequests;
    std::uint8_t currentSetting = 0;

    // The "write:" entries of the transcript, without the prefix.
    std::vector<std::string> Writes() const;

    // What the interface calls do; the fake interface forwards to these.
    USBStatus Answer(USBDevRequest& request);
    USBStatus Write(std::uint8_t endpoint, const void* data, std::size_t length);
    USBStatus Read(std::uint8_t endpoint, void* data, std::size_t* length);
    bool HasEndpoint(std::uint8_t endpoint) const;
    void Record(std::string entry);
};
