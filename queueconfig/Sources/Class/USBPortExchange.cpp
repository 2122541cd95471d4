// One exchange with an open USB printer: the request written to the bulk-out
// pipe in 64-byte pieces, the reply read from the bulk-in pipe in pieces of up
// to 512 bytes, group by group; for PJL, synchronised on the printer's echo.
#include "Class/USBPort.h"

#include "Class/Error.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace {

// The printer echoes the PJL command line that follows the universal exit
// "\x1b%-12345X"; its first 16 bytes identify the answer.
constexpr std::size_t kUniversalExitLength = 9;
constexpr std::size_t kEchoLength = 16;

constexpr char kFormFeed = 0x0C;
constexpr char kEndOfTransmission = 0x04;
constexpr char kLineFeed = 0x0A;

using Echo = std::array<char, kEchoLength>;

// The first 16 bytes of a text as they stand in a zero-filled buffer.
Echo LeadingBytes(std::string_view text) {
    Echo bytes{};
    std::copy_n(text.begin(), std::min(text.size(), kEchoLength), bytes.begin());
    return bytes;
}

bool EndsGroup(char last, bool postScript) {
    if (postScript)
        return last == kEndOfTransmission;
    return last == kFormFeed || last == kEndOfTransmission || last == kLineFeed;
}

} // namespace

USBStatus USBPort::main_usb(USBIOContext& context, ReplyBuffer& reply, const char* request,
                            unsigned char alreadyOpen, short groups, short mode) {
    const std::string_view text(request);
    const Echo echo = LeadingBytes(text.substr(std::min(text.size(), kUniversalExitLength)));
    m_Deadline = std::chrono::steady_clock::now() + kExchangeDeadline;
    const char* next = request;
    for (;;) {
        if (const USBStatus status = write_file(context, reply, next, alreadyOpen, groups, mode);
            status != kUSBSuccess)
            return status;
        // Once written, the printer is open for the rest of the exchange.
        alreadyOpen = 1;
        if (mode != kReadModeReply)
            return kUSBSuccess;
        if (LeadingBytes(reply.Text()) == echo)
            return kUSBSuccess;
        // An empty reply asks for the request again; anything else (status
        // the printer sent of its own, a stale answer) is read past.
        next = reply.Text().empty() ? request : "";
        if (pastDeadline())
            return failRead(kUSBTimeout);
    }
}

USBStatus USBPort::write_file(USBIOContext& context, ReplyBuffer& reply, const char* request,
                              unsigned char alreadyOpen, short groups, short mode) {
    return exchange(context, reply, request, alreadyOpen, groups, mode, false);
}

USBStatus USBPort::write_file_ps(USBIOContext& context, ReplyBuffer& reply, const char* request,
                                 unsigned char alreadyOpen, short groups, short mode) {
    return exchange(context, reply, request, alreadyOpen, groups, mode, true);
}

USBStatus USBPort::exchange(USBIOContext& context, ReplyBuffer& reply, const char* request,
                            unsigned char alreadyOpen, short groups, short mode, bool postScript) {
    if (!alreadyOpen || !context.interface) {
        if (const USBStatus status = openPrinter(context); status != kUSBSuccess)
            return status;
    }
    if (const USBStatus status = writeRequest(context, request, postScript); status != kUSBSuccess)
        return status;
    if (mode == kReadModeNone)
        return kUSBSuccess;
    return readGroups(context, reply, groups, postScript);
}

USBStatus USBPort::openPrinter(USBIOContext& context) {
    const USBStatus status = open_pipes(context);
    if (status != kUSBSuccess || !context.interface) {
        SetLastErrorType(kErrorUSBOpen);
        return status != kUSBSuccess ? status : kUSBNoDevice;
    }
    if (!allMatched()) {
        SetLastErrorType(kErrorWrongUSBPrinter);
        return kUSBNotFound;
    }
    return kUSBSuccess;
}

USBStatus USBPort::writeRequest(USBIOContext& context, const char* request, bool postScript) {
    const std::size_t length = std::strlen(request);
    std::size_t offset = 0;
    // An empty request still goes out, as one zero-length piece.
    do {
        const std::size_t size = std::min(kWritePieceSize, length - offset);
        const USBStatus status = context.interface->WritePipe(context.bulkOutPipe, request + offset,
                                                              size, USBInterface::kNoDataTimeoutMs,
                                                              USBInterface::kCompletionTimeoutMs);
        if (status != kUSBSuccess) {
            SetLastErrorType(!postScript && status == kUSBTransactionTimeout ? kErrorUSBWriteTimeout
                                                                             : kErrorConnection);
            std::fprintf(stderr, "write err:%x\n", static_cast<unsigned>(status));
            return status;
        }
        offset += size;
    } while (offset < length);
    return kUSBSuccess;
}

USBStatus USBPort::readGroups(USBIOContext& context, ReplyBuffer& reply, short groups,
                              bool postScript) {
    // The reply of this call replaces whatever an earlier one left.
    reply.Clear();
    for (short group = 0; group < groups; ++group) {
        for (;;) {
            if (pastDeadline())
                return failRead(kUSBTimeout);
            char piece[kReadPieceSize] = {};
            std::size_t received = kReadPieceSize;
            const USBStatus status = context.interface->ReadPipe(
                context.bulkInPipe, piece, &received, USBInterface::kNoDataTimeoutMs,
                USBInterface::kCompletionTimeoutMs);
            if (status != kUSBSuccess)
                return failRead(status);
            received = std::min(received, kReadPieceSize);
            // A piece without bytes has no last byte to end the group with:
            // the printer has nothing more to say now.
            if (received == 0)
                break;
            // Pieces are text: each is taken up to a NUL it may hold.
            reply.Append(std::string_view(piece, strnlen(piece, received)));
            // A reply block that is full ends the reply; the rest is not kept.
            if (reply.IsFull())
                return kUSBSuccess;
            if (EndsGroup(piece[received - 1], postScript))
                break;
        }
    }
    return kUSBSuccess;
}

USBStatus USBPort::failRead(USBStatus status) {
    SetLastErrorType(kErrorConnection);
    std::fprintf(stderr, "read err:%x\n", static_cast<unsigned>(status));
    return status;
}

bool USBPort::pastDeadline() const {
    return std::chrono::steady_clock::now() >= m_Deadline;
}
