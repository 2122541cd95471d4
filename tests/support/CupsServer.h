// A private cupsd for one test: its configuration, spool, state and logs in a
// temporary folder, listening on the first free loopback address of a range,
// stopped when the object goes. Requests go to it over explicit connections,
// never to the machine's default server.
#pragma once

#include "TestSupport.h"

#include <cups/http.h>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

class CupsServer {
public:
    struct HttpCloser {
        void operator()(http_t* http) const { httpClose(http); }
    };
    using Connection = std::unique_ptr<http_t, HttpCloser>;

    // Writes the server's configuration to a temporary folder, starts cupsd on
    // port 631 of the first free address of `range` (loopback addresses only),
    // and waits (at most 10 s) until it answers IPP. On failure: none, with the
    // reason (the server's error_log included) in *whyNot. Port 631 needs root.
    static std::unique_ptr<CupsServer>
    Start(std::string* whyNot = nullptr, const std::string& range = "127.0.130.1-127.0.130.254");
    // SIGTERM, at most 5 s to end, then SIGKILL; reaps the process.
    ~CupsServer();
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;

    // "127.0.130.1:631": the value for CUPS_SERVER, cupsSetServer() or lpadmin -h.
    std::string ServerName() const;
    const std::string& Address() const { return m_Address; }
    // A new connection to this server (unencrypted, 5 s bound on each exchange),
    // named "localhost" as cupsd names itself to loopback clients: with it
    // cupsPrintFile2() and cupsCopyDestInfo() ask the queue, not its device.
    Connection Connect(std::string* whyNot = nullptr) const;

    // Adds an enabled queue that accepts jobs, with the PPD and device given.
    bool AddQueue(const std::string& name, const std::string& ppdPath, const std::string& deviceURI,
                  std::string* whyNot = nullptr) const;
    // The ids of all of the queue's jobs, completed ones included, oldest first.
    std::vector<int> Jobs(const std::string& queue, std::string* whyNot = nullptr) const;
    // The job's attributes (Get-Job-Attributes, "all"), each as name -> value
    // text (ippAttributeString). Empty, with the reason in *whyNot, on failure.
    std::map<std::string, std::string> JobAttributes(int jobId,
                                                     std::string* whyNot = nullptr) const;
    // Waits until the job is canceled, aborted or completed: its job-state then
    // (an ipp_jstate_t), none when `bound` passes first or the job is unknown.
    // A job whose filter fails stays processing-stopped: none at the bound.
    std::optional<int> AwaitJobDone(int jobId, std::chrono::milliseconds bound) const;
    // The server's error_log so far (written at LogLevel debug).
    std::string ErrorLog() const;

private:
    CupsServer() = default;
    bool Prepare(std::string* whyNot);
    bool Launch(const std::string& address, std::string* whyNot);
    enum class Outcome { Listening, AddressTaken, Failed };
    Outcome AwaitListening(std::chrono::steady_clock::time_point until, std::string* whyNot);
    bool AwaitIPP(std::chrono::steady_clock::time_point until, std::string* whyNot) const;
    // Sends `signo` (none when 0), waits up to 5 s, then kills and reaps.
    void Reap(int signo);
    std::string Diagnostics() const;

    TempDir m_Folder;
    pid_t m_Pid = -1;
    int m_PidFd = -1;
    std::string m_Address;
};
