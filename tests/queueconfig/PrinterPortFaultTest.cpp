// Channel failures that no real printer shows on demand, made by failing one
// socket call at a time.
#include "Class/Error.h"
#include "Class/LPDPort.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <string>
#include <unistd.h>

namespace {

const char kPJLRequest[] = "\x1b%-12345X@PJL DINQUIRE VELUSER\r\n\x1b%-12345X";

// Hands out real descriptors (so closing them is real) but never touches
// the network; each test scripts the calls it cares about.
class ScriptedSockets : public SocketCalls {
public:
    int Socket(int, int, int) override {
        ++sockets;
        if (failSocket)
            return -1;
        return ::dup(STDERR_FILENO);
    }
    int Bind(int, const sockaddr*, socklen_t) override { return 0; }
    int Connect(int, const sockaddr*, socklen_t) override {
        if (connectPending) {
            errno = EINPROGRESS;
            return -1;
        }
        return 0;
    }
    int Poll(pollfd* fds, nfds_t, int) override {
        ++polls;
        if (!ready)
            return 0;
        fds[0].revents = fds[0].events;
        return 1;
    }
    ssize_t Write(int, const void* data, size_t length) override {
        ++writes;
        written.append(static_cast<const char*>(data), length);
        return static_cast<ssize_t>(length);
    }
    ssize_t Read(int, void*, size_t) override { return 0; }
    ssize_t SendTo(int, const void*, size_t length, const sockaddr*, socklen_t) override {
        return static_cast<ssize_t>(length);
    }
    ssize_t ReceiveFrom(int, void* buffer, size_t length, sockaddr* address,
                        socklen_t* addressLength) override {
        if (datagrams.empty()) {
            errno = EAGAIN;
            return -1;
        }
        const auto [from, bytes] = datagrams.front();
        datagrams.erase(datagrams.begin());
        sockaddr_in source{};
        source.sin_family = AF_INET;
        source.sin_port = htons(from.second);
        inet_pton(AF_INET, from.first.c_str(), &source.sin_addr);
        std::memcpy(address, &source, sizeof(source));
        *addressLength = sizeof(source);
        const size_t count = std::min(length, bytes.size());
        std::memcpy(buffer, bytes.data(), count);
        return static_cast<ssize_t>(count);
    }

    bool failSocket = false;
    bool connectPending = false;
    bool ready = true;
    int sockets = 0;
    int polls = 0;
    int writes = 0;
    std::string written;
    std::vector<std::pair<std::pair<std::string, int>, std::string>> datagrams;
};

class PrinterPortFaultTest : public testing::Test {
protected:
    void SetUp() override { SetLastErrorType(kErrorNone); }
    void TearDown() override { SetLastErrorType(kErrorNone); }

    std::optional<std::string> Ask(const char* request, unsigned long length,
                                   _CommandLanguage language) {
        LPDPort port(*URL::CreateWithString("socket://127.0.0.9"), sockets);
        return port.CreateReplyCopy(request, length, language);
    }

    ScriptedSockets sockets;
};

TEST_F(PrinterPortFaultTest, NoSocketIsAConnectionError) {
    sockets.failSocket = true;
    EXPECT_EQ(Ask(kPJLRequest, sizeof(kPJLRequest), CommandLanguagePJL), std::nullopt);
    EXPECT_EQ(GetLastErrorType(), kErrorConnection);
}

TEST_F(PrinterPortFaultTest, ConnectThatNeverCompletesIsAConnectionError) {
    sockets.connectPending = true;
    sockets.ready = false;
    EXPECT_EQ(Ask(kPJLRequest, sizeof(kPJLRequest), CommandLanguagePJL), std::nullopt);
    EXPECT_EQ(GetLastErrorType(), kErrorConnection);
    EXPECT_EQ(sockets.writes, 0);
}

TEST_F(PrinterPortFaultTest, PrinterThatTakesNoDataIsBusyAndTheWriteIsGivenUp) {
    sockets.ready = false;
    EXPECT_EQ(Ask(kPJLRequest, sizeof(kPJLRequest), CommandLanguagePJL), std::nullopt);
    EXPECT_EQ(GetLastErrorType(), kErrorBusyOffline);
    EXPECT_EQ(sockets.writes, 0);
    EXPECT_EQ(sockets.polls, 2); // two write slices, then no more waiting
}

TEST_F(PrinterPortFaultTest, RequestLongerThanTheWorkBufferIsNotSentCut) {
    const std::string request(1024, 'x');
    EXPECT_EQ(Ask(request.c_str(), request.size() + 1, CommandLanguagePS), std::nullopt);
    EXPECT_EQ(sockets.sockets, 0);
    const std::string fits(1023, 'x');
    EXPECT_EQ(Ask(fits.c_str(), fits.size() + 1, CommandLanguagePS),
              std::optional<std::string>(""));
    EXPECT_EQ(sockets.writes, 1);
}

TEST_F(PrinterPortFaultTest, TextRequestEndsAtItsNulOrItsLength) {
    const char unterminated[4] = {'@', 'P', 'J', 'L'};
    EXPECT_EQ(Ask(unterminated, 3, CommandLanguagePJL), std::optional<std::string>(""));
    const char terminated[] = "@PJL\0junk";
    EXPECT_EQ(Ask(terminated, sizeof(terminated), CommandLanguagePJL),
              std::optional<std::string>(""));
    EXPECT_EQ(sockets.written, "@PJ@PJL");
}

TEST_F(PrinterPortFaultTest, DatagramsFromElsewhereAreNoAnswer) {
    std::string value(48, '\x30');
    value += "\x04\x03";
    sockets.datagrams = {{{"127.0.0.66", 161}, value + "BAD"},
                         {{"127.0.0.9", 1161}, value + "BAD"},
                         {{"127.0.0.9", 161}, value + "HX2"}};
    const std::string request(50, '\x30');
    EXPECT_EQ(Ask(request.data(), request.size(), CommandLanguageMIB), "HX2");
    EXPECT_TRUE(sockets.datagrams.empty());
}

} // namespace
