#include "FakeUsbfs.h"

#include "USBDescriptorBytes.h"

// <linux/usbdevice_fs.h> needs the _IO* macros first.
#include <sys/ioctl.h>

#include <linux/usbdevice_fs.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

constexpr std::size_t kSetupSize = 8;

usbdevfs_urb* UrbOf(UMockdevIoctlData* data) {
    return reinterpret_cast<usbdevfs_urb*>(data->data);
}

bool IsBulkIn(UMockdevIoctlData* data) {
    const usbdevfs_urb* urb = UrbOf(data);
    return urb->type == USBDEVFS_URB_TYPE_BULK && (urb->endpoint & 0x80) != 0;
}

// The pointed-to argument of an ioctl, copied from the client; null when it
// cannot be read.
UMockdevIoctlData* Argument(UMockdevIoctlClient* client, std::size_t size) {
    return umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size, nullptr);
}

bool Fault(UMockdevIoctlClient* client) {
    umockdev_ioctl_client_complete(client, -1, EFAULT);
    return true;
}

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x", value);
    return text;
}

std::string AsString(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

FakeUsbfs::FakeUsbfs(FakeDevice device)
    : m_Device(std::move(device)), m_Handler(umockdev_ioctl_base_new()),
      m_Driver(m_Device.kernelDriver) {
    g_signal_connect(m_Handler, "handle-ioctl", G_CALLBACK(&FakeUsbfs::handleIoctl), this);
}

FakeUsbfs::~FakeUsbfs() {
    g_signal_handlers_disconnect_by_data(m_Handler, this);
    for (Urb& urb : m_Pending)
        g_object_unref(urb.data);
    for (Urb& urb : m_Discarded)
        g_object_unref(urb.data);
    g_object_unref(m_Handler);
}

void FakeUsbfs::ScriptReply(const std::string& bytes) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Replies.push_back({bytes, false});
}

void FakeUsbfs::ScriptReplyTo(const std::string& command, const std::string& reply) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Answers.push_back({command, reply});
}

void FakeUsbfs::ScriptStalledReply(const std::string& bytes) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Replies.push_back({bytes, true});
}

std::string FakeUsbfs::Written() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Written;
}

std::vector<FakeUsbfs::Setup> FakeUsbfs::ControlRequests() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_ControlRequests;
}

std::vector<std::string> FakeUsbfs::Calls() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Calls;
}

gboolean FakeUsbfs::handleIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
    FakeUsbfs* usbfs = static_cast<FakeUsbfs*>(self);
    std::lock_guard<std::mutex> lock(usbfs->m_Mutex);
    return usbfs->handle(client);
}

bool FakeUsbfs::handle(UMockdevIoctlClient* client) {
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    switch (request) {
    case USBDEVFS_GET_CAPABILITIES: {
        m_Calls.push_back("capabilities");
        UMockdevIoctlData* caps = Argument(client, sizeof(std::uint32_t));
        if (!caps)
            return Fault(client);
        *reinterpret_cast<std::uint32_t*>(caps->data) =
            USBDEVFS_CAP_BULK_CONTINUATION | USBDEVFS_CAP_NO_PACKET_SIZE_LIM |
            USBDEVFS_CAP_REAP_AFTER_DISCONNECT | USBDEVFS_CAP_ZERO_PACKET;
        umockdev_ioctl_client_complete(client, 0, 0);
        g_object_unref(caps);
        return true;
    }
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE:
    case USBDEVFS_SETINTERFACE:
        interfaceCall(client, request);
        return true;
    case USBDEVFS_GETDRIVER:
        getDriver(client);
        return true;
    case USBDEVFS_IOCTL:
        driverCall(client);
        return true;
    case USBDEVFS_SUBMITURB:
        submit(client);
        return true;
    case USBDEVFS_REAPURB:
    case USBDEVFS_REAPURBNDELAY:
        reap(client);
        return true;
    case USBDEVFS_DISCARDURB:
        discard(client);
        return true;
    default:
        m_Calls.push_back("unknown " + Hex(static_cast<unsigned>(request)));
        return false;
    }
}

bool FakeUsbfs::hasSetting(unsigned setting) const {
    return std::any_of(m_Device.settings.begin(), m_Device.settings.end(),
                       [setting](const FakeSetting& s) { return s.alternateSetting == setting; });
}

// Claiming fails while a kernel driver holds the interface, as it does on
// Linux: only a detached one lets usbfs have it.
void FakeUsbfs::interfaceCall(UMockdevIoctlClient* client, unsigned long request) {
    const bool set = request == USBDEVFS_SETINTERFACE;
    UMockdevIoctlData* arg =
        Argument(client, set ? sizeof(usbdevfs_setinterface) : sizeof(unsigned));
    if (!arg) {
        Fault(client);
        return;
    }
    const unsigned number = *reinterpret_cast<const unsigned*>(arg->data);
    int error = number == m_Device.interfaceNumber ? 0 : EINVAL;
    if (request == USBDEVFS_CLAIMINTERFACE) {
        m_Calls.push_back("claim " + std::to_string(number));
        if (error == 0 && !m_Driver.empty())
            error = EBUSY;
        if (error == 0)
            m_Claimed.insert(number);
    } else if (request == USBDEVFS_RELEASEINTERFACE) {
        m_Calls.push_back("release " + std::to_string(number));
        if (error == 0 && m_Claimed.erase(number) == 0)
            error = EINVAL;
    } else {
        const unsigned setting =
            reinterpret_cast<const usbdevfs_setinterface*>(arg->data)->altsetting;
        m_Calls.push_back("setinterface " + std::to_string(number) + " " + std::to_string(setting));
        if (error == 0 && !hasSetting(setting))
            error = EINVAL;
    }
    umockdev_ioctl_client_complete(client, error ? -1 : 0, error);
    g_object_unref(arg);
}

void FakeUsbfs::getDriver(UMockdevIoctlClient* client) {
    UMockdevIoctlData* arg = Argument(client, sizeof(usbdevfs_getdriver));
    if (!arg) {
        Fault(client);
        return;
    }
    auto* query = reinterpret_cast<usbdevfs_getdriver*>(arg->data);
    m_Calls.push_back("getdriver " + std::to_string(query->interface));
    const std::string driver = m_Claimed.count(query->interface) ? "usbfs" : m_Driver;
    if (query->interface != m_Device.interfaceNumber || driver.empty()) {
        umockdev_ioctl_client_complete(client, -1, ENODATA);
    } else {
        std::snprintf(query->driver, sizeof query->driver, "%s", driver.c_str());
        umockdev_ioctl_client_complete(client, 0, 0);
    }
    g_object_unref(arg);
}

// USBDEVFS_IOCTL's DISCONNECT and CONNECT: detach and attach the kernel
// driver. A successful CONNECT returns 1, the driver having bound again.
void FakeUsbfs::driverCall(UMockdevIoctlClient* client) {
    UMockdevIoctlData* arg = Argument(client, sizeof(usbdevfs_ioctl));
    if (!arg) {
        Fault(client);
        return;
    }
    const auto* command = reinterpret_cast<const usbdevfs_ioctl*>(arg->data);
    const unsigned number = static_cast<unsigned>(command->ifno);
    int error = number == m_Device.interfaceNumber ? 0 : EINVAL;
    long result = 0;
    if (command->ioctl_code == USBDEVFS_DISCONNECT) {
        m_Calls.push_back("disconnect " + std::to_string(number));
        if (error == 0 && m_Driver.empty())
            error = ENODATA;
        if (error == 0)
            m_Driver.clear();
    } else if (command->ioctl_code == USBDEVFS_CONNECT) {
        m_Calls.push_back("connect " + std::to_string(number));
        if (error == 0 && m_Claimed.count(number))
            error = EBUSY;
        if (error == 0) {
            m_Driver = m_Device.kernelDriver;
            result = m_Driver.empty() ? 0 : 1;
        }
    } else {
        m_Calls.push_back("ioctl " + Hex(static_cast<unsigned>(command->ioctl_code)));
        error = ENOTTY;
    }
    umockdev_ioctl_client_complete(client, error ? -1 : result, error);
    g_object_unref(arg);
}

// The URB stays resolved (its buffer with it) until it is reaped, so that the
// reply can be written into the client's copy then.
void FakeUsbfs::submit(UMockdevIoctlClient* client) {
    Urb urb;
    urb.data = Argument(client, sizeof(usbdevfs_urb));
    if (!urb.data) {
        Fault(client);
        return;
    }
    usbdevfs_urb* request = UrbOf(urb.data);
    UMockdevIoctlData* buffer = nullptr;
    if (request->buffer_length > 0)
        buffer = umockdev_ioctl_data_resolve(urb.data, offsetof(usbdevfs_urb, buffer),
                                             static_cast<gsize>(request->buffer_length), nullptr);
    const auto* bytes = static_cast<const std::uint8_t*>(request->buffer);
    const bool control = request->type == USBDEVFS_URB_TYPE_CONTROL &&
                         request->buffer_length >= static_cast<int>(kSetupSize);
    if (control && !mayReachInterface(bytes)) {
        if (buffer)
            g_object_unref(buffer);
        g_object_unref(urb.data);
        umockdev_ioctl_client_complete(client, -1, EBUSY);
        return;
    }
    if (control) {
        answerControl(&urb, bytes);
    } else if (request->type == USBDEVFS_URB_TYPE_BULK && !IsBulkIn(urb.data)) {
        urb.taken = static_cast<std::size_t>(request->buffer_length);
        receive(bytes, urb.taken);
        urb.ready = true;
    }
    if (buffer)
        g_object_unref(buffer);
    m_Pending.push_back(std::move(urb));
    umockdev_ioctl_client_complete(client, 0, 0);
}

// A request to an interface needs the interface: usbfs claims an unclaimed
// one for the request's sender, which fails while a kernel driver holds it.
// GET_DEVICE_ID names its interface in the high byte of wIndex, and Linux
// reads it from there for printer interfaces.
bool FakeUsbfs::mayReachInterface(const std::uint8_t* setup) {
    if ((setup[0] & 0x1f) != 1)
        return true;
    const bool deviceID = setup[0] == 0xa1 && setup[1] == 0;
    const unsigned number = deviceID ? setup[5] : setup[4];
    if (m_Claimed.count(number))
        return true;
    if (number == m_Device.interfaceNumber && !m_Driver.empty())
        return false;
    m_Calls.push_back("autoclaim " + std::to_string(number));
    m_Claimed.insert(number);
    return true;
}

void FakeUsbfs::receive(const std::uint8_t* bytes, std::size_t length) {
    m_Written.append(reinterpret_cast<const char*>(bytes), length);
    while (!m_Answers.empty()) {
        const std::size_t at = m_Written.find(m_Answers.front().command, m_Unanswered);
        if (at == std::string::npos)
            return;
        m_Unanswered = at + m_Answers.front().command.size();
        m_Replies.push_back({m_Answers.front().reply, false});
        m_Answers.pop_front();
    }
}

void FakeUsbfs::answerControl(Urb* urb, const std::uint8_t* setup) {
    Setup request;
    request.requestType = setup[0];
    request.request = setup[1];
    request.value = static_cast<std::uint16_t>(setup[2] | setup[3] << 8);
    request.index = static_cast<std::uint16_t>(setup[4] | setup[5] << 8);
    request.length = static_cast<std::uint16_t>(setup[6] | setup[7] << 8);
    m_ControlRequests.push_back(request);
    bool stall = false;
    urb->reply = controlReply(request, &stall);
    if (urb->reply.size() > request.length)
        urb->reply.resize(request.length);
    urb->status = stall ? -EPIPE : 0;
    urb->ready = true;
}

std::string FakeUsbfs::controlReply(const Setup& setup, bool* stall) const {
    const unsigned type = setup.value >> 8;
    const unsigned index = setup.value & 0xff;
    if (setup.requestType == 0x80 && setup.request == 6) { // GET_DESCRIPTOR
        const std::string strings[] = {m_Device.manufacturer, m_Device.product,
                                       m_Device.serialNumber};
        if (type == 1)
            return AsString(DeviceDescriptor(m_Device));
        if (type == 2)
            return AsString(ConfigurationDescriptor(m_Device));
        if (type == 3 && index == 0)
            return std::string("\x04\x03\x09\x04", 4); // US English only
        if (type == 3 && index <= 3 && !strings[index - 1].empty())
            return StringDescriptorBytes(strings[index - 1]);
    }
    if (setup.requestType == 0xa1 && setup.request == 0 && !m_Device.deviceId.empty())
        return DeviceIDReply(m_Device.deviceId);
    *stall = true;
    return {};
}

void FakeUsbfs::reap(UMockdevIoctlClient* client) {
    UMockdevIoctlData* target = Argument(client, sizeof(void*));
    if (!target) {
        Fault(client);
        return;
    }
    Urb urb;
    if (!takeReadyUrb(&urb)) {
        umockdev_ioctl_client_complete(client, -1, EAGAIN);
        g_object_unref(target);
        return;
    }
    usbdevfs_urb* done = UrbOf(urb.data);
    done->status = urb.status;
    done->actual_length = static_cast<int>(urb.reply.size() + urb.taken);
    const std::size_t offset = done->type == USBDEVFS_URB_TYPE_CONTROL ? kSetupSize : 0;
    if (!urb.reply.empty())
        std::memcpy(static_cast<std::uint8_t*>(done->buffer) + offset, urb.reply.data(),
                    urb.reply.size());
    // The reaped URB's address goes back to the client, its copy with it.
    umockdev_ioctl_data_set_ptr(target, 0, urb.data);
    umockdev_ioctl_client_complete(client, 0, 0);
    g_object_unref(target);
    g_object_unref(urb.data);
}

// Discarded URBs come back first. Scripted replies go to the pending in URBs
// in order; a stalled reply's bytes go into its URB, which then waits for its
// discard.
bool FakeUsbfs::takeReadyUrb(Urb* urb) {
    if (!m_Discarded.empty()) {
        *urb = std::move(m_Discarded.front());
        m_Discarded.pop_front();
        urb->status = -ENOENT;
        return true;
    }
    for (Urb& pending : m_Pending) {
        if (pending.ready || !IsBulkIn(pending.data) || !pending.reply.empty())
            continue;
        if (m_Replies.empty())
            break;
        Reply& next = m_Replies.front();
        const std::size_t capacity = static_cast<std::size_t>(UrbOf(pending.data)->buffer_length);
        pending.reply = next.bytes.substr(0, capacity);
        next.bytes.erase(0, pending.reply.size());
        pending.ready = !next.stalls;
        if (next.bytes.empty())
            m_Replies.pop_front();
    }
    const auto ready = std::find_if(m_Pending.begin(), m_Pending.end(),
                                    [](const Urb& pending) { return pending.ready; });
    if (ready == m_Pending.end())
        return false;
    *urb = std::move(*ready);
    m_Pending.erase(ready);
    return true;
}

void FakeUsbfs::discard(UMockdevIoctlClient* client) {
    const gulong address =
        *reinterpret_cast<const gulong*>(umockdev_ioctl_client_get_arg(client)->data);
    const auto found = std::find_if(m_Pending.begin(), m_Pending.end(), [address](const Urb& urb) {
        return urb.data->client_addr == address;
    });
    if (found == m_Pending.end()) {
        m_Calls.push_back("discard unknown");
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return;
    }
    m_Calls.push_back("discard " + Hex(UrbOf(found->data)->endpoint));
    m_Discarded.push_back(std::move(*found));
    m_Pending.erase(found);
    umockdev_ioctl_client_complete(client, 0, 0);
}
