// The usbdevfs side of one fake device: an umockdev ioctl handler that
// answers libusb as the kernel would for the device. Control requests are
// answered from the device's descriptors and 1284 device ID (anything else
// stalls); bulk out data is recorded, bulk in data comes from a script, and
// an in transfer with nothing scripted stays pending until libusb discards
// it. A kernel driver, when the device has one, holds the interface until
// it is disconnected.
//
// The handler runs on umockdev's thread while the test reads the records on
// its own, so all state is behind one mutex.
#pragma once

#include "FakeDevice.h"

#include <umockdev.h>

#include <cstdint>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class FakeUsbfs {
public:
    struct Setup {
        std::uint8_t requestType = 0;
        std::uint8_t request = 0;
        std::uint16_t value = 0;
        std::uint16_t index = 0;
        std::uint16_t length = 0;
    };

    explicit FakeUsbfs(FakeDevice device);
    ~FakeUsbfs();
    FakeUsbfs(const FakeUsbfs&) = delete;
    FakeUsbfs& operator=(const FakeUsbfs&) = delete;

    UMockdevIoctlBase* Handler() const { return m_Handler; }
    const FakeDevice& Device() const { return m_Device; }

    // A reply the device gives on its bulk in endpoint, over as many reads as
    // it takes.
    void ScriptReply(const std::string& bytes);
    // A reply the device gives once it has received `command` on a bulk out
    // endpoint, after the commands scripted before it.
    void ScriptReplyTo(const std::string& command, const std::string& reply);
    // A reply of which the device sends these bytes and then stops: the read
    // that takes them runs into its time-out.
    void ScriptStalledReply(const std::string& bytes);

    // Everything received on bulk out endpoints, in order.
    std::string Written() const;
    std::vector<Setup> ControlRequests() const;
    // The usbdevfs calls in order ("claim 0", "setinterface 0 1",
    // "disconnect 0", "discard 82", ...); submitting and reaping URBs are
    // left out.
    std::vector<std::string> Calls() const;

private:
    struct Urb {
        UMockdevIoctlData* data = nullptr; // our reference, from the submission
        bool ready = false;
        int status = 0;
        std::string reply;     // control or bulk in data for the client
        std::size_t taken = 0; // bulk out bytes the device took
    };
    struct Reply {
        std::string bytes;
        bool stalls = false;
    };
    struct Answer {
        std::string command;
        std::string reply;
    };

    static gboolean handleIoctl(UMockdevIoctlBase* handler, UMockdevIoctlClient* client,
                                gpointer self);
    bool handle(UMockdevIoctlClient* client);
    void interfaceCall(UMockdevIoctlClient* client, unsigned long request);
    void driverCall(UMockdevIoctlClient* client);
    void getDriver(UMockdevIoctlClient* client);
    void submit(UMockdevIoctlClient* client);
    bool mayReachInterface(const std::uint8_t* setup);
    void receive(const std::uint8_t* bytes, std::size_t length);
    void answerControl(Urb* urb, const std::uint8_t* setup);
    void reap(UMockdevIoctlClient* client);
    bool takeReadyUrb(Urb* urb);
    void discard(UMockdevIoctlClient* client);
    std::string controlReply(const Setup& setup, bool* stall) const;
    bool hasSetting(unsigned setting) const;

    const FakeDevice m_Device;
    UMockdevIoctlBase* m_Handler;

    mutable std::mutex m_Mutex;
    std::string m_Driver;
    std::set<unsigned> m_Claimed;
    std::deque<Reply> m_Replies;
    std::deque<Answer> m_Answers;
    std::size_t m_Unanswered = 0; // where in m_Written the next command may start
    std::deque<Urb> m_Pending;
    std::deque<Urb> m_Discarded;
    std::string m_Written;
    std::vector<Setup> m_ControlRequests;
    std::vector<std::string> m_Calls;
};
