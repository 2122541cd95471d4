// The driver of one run: start-up, the two timers that drive and bound the
// printer queries, the option-mapping property list and the end-of-run alert.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "../Platform/EventLoop.h"
#include "../Platform/PropertyList.h"
#include "Argument.h"
#include "PrintQueueArray.h"
#include "Utility.h"

class AutoConfigUtility {
public:
    static constexpr std::chrono::milliseconds kIdleInterval{1000};
    static constexpr std::chrono::milliseconds kQuitInterval{10000};
    // Fixed buffers the texts below must fit, NUL included.
    static constexpr std::size_t kTextBufferSize = ::kTextBufferSize;

    explicit AutoConfigUtility(EventLoop& eventLoop);

    // Reads the device URI and PPD path, starts the timers and makes the queue
    // list. Exits the process with status 1 when the PPD path is missing.
    void DoInit(const Argument* arguments);
    void InstallTimeoutEventHandler();

    // One query pass; true when every queue's printer has given its user code.
    bool GetAutoConfig();

    static void DoIdleEventProc(EventLoop& loop, void* userData);
    static void DoQuitEventProc(EventLoop& loop, void* userData);

    // Shows the message of `type` when the PPD's alert switch is "True". Returns 0.
    int showAlert(int type);
    // Stores the option-mapping property list in `out` when it can be read,
    // and leaves `out` as it was otherwise. Returns 0.
    int getPlist(std::optional<PropertyList>& out) const;

    const PrintQueueArray& GetPrintQueueArray() const { return m_PrintQueueArray; }
    const std::optional<std::string>& GetDeviceURI() const { return m_DeviceURI; }
    const std::optional<std::string>& GetPPDPath() const { return m_PPDPath; }

private:
    PrintQueueArray m_PrintQueueArray;
    std::optional<std::string> m_DeviceURI;
    std::optional<std::string> m_PPDPath;
    EventLoop& m_EventLoop;
};
