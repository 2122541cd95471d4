// A port: the tool's way to the printer behind one print queue. Network ports
// only find the printer's IPv4 address; this base class then carries PJL and
// PostScript queries over raw TCP (port 9100) and SNMP requests over UDP
// (port 161). A port is asked one query at a time, from the main thread.
#pragma once

#include "Class/CommandLanguage.h"
#include "Platform/SocketCalls.h"

#include <netinet/in.h>
#include <optional>
#include <string>
#include <string_view>

class ReplyBuffer;

class PrinterPort {
public:
    // Search options of CreateCFStringMid: 0 finds the first occurrence.
    static constexpr unsigned long kCompareBackwards = 4;

    // Reply-end modes of the TCP channel.
    static constexpr int kReplyEndPJL = 0;
    static constexpr int kReplyEndPS = 1;

    explicit PrinterPort(SocketCalls& sockets = SocketCalls::System());
    virtual ~PrinterPort() = default;
    PrinterPort(const PrinterPort&) = delete;
    PrinterPort& operator=(const PrinterPort&) = delete;

    // The printer's IPv4 address in dotted-decimal form; none when unknown.
    virtual std::optional<std::string> GetIPv4Address();

    // Sends a query and gives the reply text (for SNMP the bare value bytes);
    // none when there is no reply, with the error type set where a cause is
    // known. PJL and PostScript requests are text up to their NUL (never read
    // past `length`); an SNMP request is sent with exactly `length` bytes.
    virtual std::optional<std::string> CreateReplyCopy(const char* request, unsigned long length,
                                                       _CommandLanguage language);

    // The part of `source` between the first (or, with kCompareBackwards,
    // last) `start` and the `end` searched over the whole source; an empty
    // marker stands for the source's start or end. None when a marker is
    // missing or the end lies before the start.
    static std::optional<std::string>
    CreateCFStringMid(std::string_view source, std::string_view start, std::string_view end,
                      unsigned long startOptions, unsigned long endOptions);

    void SetPrinterDuplexName(const char* data, unsigned long length);
    const char* GetPrinterDuplexName() const;
    void SetPrinterVelUserName(const char* data, unsigned long length);
    const char* GetPrinterVelUserName() const;

protected:
    SocketCalls& m_Sockets;

    // Raw TCP channel.
    std::optional<std::string> CreateTCPReplyCopy(const char* request, int mode);
    short Read_Setting_TCP(const char* request, ReplyBuffer* reply, int* count, const char* address,
                           int mode);
    short main_tcp(ReplyBuffer* reply, const char* request, int mode);
    int str_cli(ReplyBuffer* reply, const char* request, int fd, int mode);
    long MP_write(int fd, const char* data, std::size_t length);
    long writen(int fd, const char* data, std::size_t length);
    int readline(int fd, char* line, int maxLength);

    // SNMP channel.
    std::optional<std::string> CreateUDPReplyCopy(const char* request, unsigned long length);
    short Read_Setting_UDP(const char* request, unsigned long length, ReplyBuffer* reply,
                           int* lastIndex, const char* address);
    short main_udp(const char* request, unsigned long length, ReplyBuffer* reply, int* lastIndex);
    int dg_cli_mib(const char* request, unsigned long length, ReplyBuffer* reply, int* lastIndex,
                   int fd, const sockaddr* server, socklen_t serverLength);

private:
    // The address of the running query; empty between queries.
    std::string m_AddressText;
    int m_ReplyBufferSize = 0;
    std::optional<std::string> m_DuplexName;
    std::optional<std::string> m_UserName;

    // The address of the next query as the channels' C text; none without one.
    std::optional<std::string> copyAddressText();
    // The running query's printer at `port`; false when its address text is
    // not an IPv4 address in dotted-decimal form.
    bool printerAddress(in_port_t port, sockaddr_in* server) const;
    int connectWithin(int fd, const sockaddr* server, socklen_t serverLength);
    int readByte(int fd, char* byte);
    int receiveFromPrinter(int fd, const sockaddr* server, char* buffer, std::size_t size);
};
