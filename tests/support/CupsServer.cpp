#include "CupsServer.h"

#include "ChildCalls.h"
#include "LoopbackAddress.h"

#include "Process.h"

#include <cups/cups.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kPort = 631;
constexpr auto kStartBound = 10s;
constexpr auto kStopBound = 5s;
constexpr auto kPollInterval = 20ms;
constexpr int kExchangeBoundMs = 5000;
constexpr const char* kCupsd = "/usr/sbin/cupsd";
constexpr const char* kErrorLog = "log/error_log";
constexpr const char* kCupsdOutput = "cupsd.out";

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

void SetWhy(std::string* whyNot, std::string why) {
    if (whyNot)
        *whyNot = std::move(why);
}

// "FIRST-LAST" or one address, both in 127.0.0.0/8: the server never
// listens anywhere but on loopback. The simulator's own parsing decides.
std::optional<AddressRange> ParseRange(const std::string& range, std::string* whyNot) {
    if (range.find('-') != std::string::npos) {
        const auto parsed = ParseAddressRange(range);
        if (!parsed)
            SetWhy(whyNot, range + ": " + parsed.error);
        return parsed.value;
    }
    const auto one = ParseLoopbackAddress(range);
    if (!one) {
        SetWhy(whyNot, range + ": " + one.error);
        return std::nullopt;
    }
    return AddressRange{*one.value, *one.value};
}

enum class Probe { Free, Taken, Refused };

// Binds the port as cupsd will (address reuse on), to skip addresses in use.
// Another test may still take a free address first; Start() handles that.
Probe ProbeAddress(std::uint32_t hostOrder, std::string* whyNot) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        SetWhy(whyNot, std::string("socket failed: ") + std::strerror(errno));
        return Probe::Refused;
    }
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kPort);
    address.sin_addr.s_addr = htonl(hostOrder);
    const int bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    const int error = errno;
    close(fd);
    if (bound == 0)
        return Probe::Free;
    if (error == EADDRINUSE)
        return Probe::Taken;
    SetWhy(whyNot, "cannot bind " + FormatAddress(hostOrder) + ":631: " + std::strerror(error) +
                       (error == EACCES ? " (port 631 needs root)" : ""));
    return Probe::Refused;
}

// A throw-away server on loopback: no browsing, sharing, web interface or
// authentication; every operation allowed to everyone, every job's values
// visible to every requester. A failing backend aborts the job instead of
// stopping the queue, so that such a job reaches a final state (a failing
// filter, or cupsd's own file: device, leaves it processing-stopped still).
// No log rotation: ErrorLog() has it all.
std::string CupsdConf(const std::string& address) {
    return "Listen " + address +
           ":631\n"
           "LogLevel debug\n"
           "MaxLogSize 0\n"
           "Browsing No\n"
           "BrowseLocalProtocols none\n"
           "DefaultShared No\n"
           "WebInterface No\n"
           "ErrorPolicy abort-job\n"
           "<Location />\n"
           "  Order allow,deny\n"
           "  Allow all\n"
           "</Location>\n"
           "<Policy default>\n"
           "  JobPrivateAccess all\n"
           "  JobPrivateValues none\n"
           "  SubscriptionPrivateAccess all\n"
           "  SubscriptionPrivateValues none\n"
           "  <Limit All>\n"
           "    Order deny,allow\n"
           "  </Limit>\n"
           "</Policy>\n";
}

// Every path inside the folder. FileDevice lets queues print to file:///dev/null.
// As root cupsd runs filters and backends as lp, which the folder lets in.
std::string CupsFilesConf(const std::filesystem::path& folder) {
    const std::string root = folder.string();
    std::string conf =
        "ServerRoot " + root + "/root\n" + "RequestRoot " + root + "/spool\n" + "CacheDir " + root +
        "/cache\n" + "StateDir " + root + "/state\n" + "TempDir " + root + "/tmp\n" + "ErrorLog " +
        root + "/" + kErrorLog + "\n" + "AccessLog " + root + "/log/access_log\n" + "PageLog " +
        root + "/log/page_log\n" + "Printcap " + root + "/state/printcap\n" + "FileDevice Yes\n";
    if (geteuid() == 0)
        conf += "User lp\nGroup lp\nSystemGroup root\n";
    return conf;
}

// Runs in the forked child: only async-signal-safe calls until exec.
[[noreturn]] void ExecCupsd(pid_t parent, int out, std::vector<char*>& argv,
                            std::vector<char*>& envp) {
    // The server ends with the test process, however that ends.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        _exit(127);
    const int null = open("/dev/null", O_RDONLY | O_CLOEXEC);
    dup2(null, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(out, STDERR_FILENO);
    execve(argv[0], argv.data(), envp.data());
    static constexpr char kFailed[] = "cannot run cupsd\n";
    [[maybe_unused]] const auto ignored = write(STDERR_FILENO, kFailed, sizeof kFailed - 1);
    _exit(127);
}

// The log without its debug lines: what explains a failure to start.
std::string Notable(const std::string& log) {
    std::istringstream lines(log);
    std::string out;
    for (std::string line; std::getline(lines, line);)
        if (!line.starts_with("D ") && !line.starts_with("d "))
            out += line + "\n";
    return Trimmed(out);
}

Ipp NewRequest(ipp_op_t operation) {
    Ipp request(ippNewRequest(operation));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    return request;
}

void AddUri(ipp_t* request, const char* name, const std::string& address, const char* format,
            const std::string& value) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, address.c_str(), kPort,
                     format, value.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, name, nullptr, uri);
}

// The response, or none with the server's (or libcups') reason in *whyNot.
// With `file`, its content is the request's document.
Ipp Exchange(http_t* http, Ipp request, const char* resource, std::string* whyNot,
             const char* file = nullptr) {
    const std::string operation = ippOpString(ippGetOperation(request.get()));
    Ipp response(file ? cupsDoFileRequest(http, request.release(), resource, file)
                      : cupsDoRequest(http, request.release(), resource));
    if (response && ippGetStatusCode(response.get()) <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return response;
    SetWhy(whyNot, operation + " failed: " + ippErrorString(cupsLastError()) + " (" +
                       cupsLastErrorString() + ")");
    return nullptr;
}

std::string ValueText(ipp_attribute_t* attribute) {
    std::string text(ippAttributeString(attribute, nullptr, 0) + 1, '\0');
    ippAttributeString(attribute, text.data(), text.size());
    text.pop_back();
    return text;
}

} // namespace

std::unique_ptr<CupsServer> CupsServer::Start(std::string* whyNot, const std::string& range) {
    std::string why;
    const auto until = Clock::now() + kStartBound;
    try {
        const auto bounds = ParseRange(range, &why);
        std::unique_ptr<CupsServer> server(new CupsServer());
        if (!bounds || !server->Prepare(&why)) {
            SetWhy(whyNot, why);
            return nullptr;
        }
        // 64 bits, so that a range ending at 127.255.255.255 ends too.
        for (std::uint64_t candidate = bounds->first; candidate <= bounds->last; ++candidate) {
            const auto address = static_cast<std::uint32_t>(candidate);
            const Probe probe = ProbeAddress(address, &why);
            if (probe == Probe::Taken)
                continue;
            if (probe == Probe::Refused || !server->Launch(FormatAddress(address), &why))
                break;
            const Outcome outcome = server->AwaitListening(until, &why);
            if (outcome == Outcome::Listening && server->AwaitIPP(until, &why))
                return server;
            if (outcome == Outcome::Listening)
                break;
            server->Reap(SIGKILL);
            if (outcome == Outcome::Failed)
                break;
            why = "every address of " + range + " is in use";
        }
        if (why.empty())
            why = "every address of " + range + " is in use";
    } catch (const std::exception& failure) { // the temporary folder could not be made
        why = failure.what();
    }
    SetWhy(whyNot, why);
    return nullptr;
}

CupsServer::~CupsServer() {
    Reap(SIGTERM);
}

std::string CupsServer::ServerName() const {
    return m_Address + ":" + std::to_string(kPort);
}

// The connection goes to the server's address under the name "localhost":
// cupsd names its queues ipp://localhost:631/... to loopback clients, and
// libcups (cupsCopyDestInfo, so cupsPrintFile2) talks to a queue's device URI
// instead when the connection's host name differs from that.
CupsServer::Connection CupsServer::Connect(std::string* whyNot) const {
    http_addrlist_t* address =
        httpAddrGetList(m_Address.c_str(), AF_INET, std::to_string(kPort).c_str());
    if (!address) {
        SetWhy(whyNot, "cannot make an address of " + ServerName());
        return nullptr;
    }
    Connection http(httpConnect2("localhost", kPort, address, AF_INET, HTTP_ENCRYPTION_NEVER, 1,
                                 kExchangeBoundMs, nullptr));
    httpAddrFreeList(address);
    if (!http) {
        SetWhy(whyNot, "cannot connect to " + ServerName() + ": " + cupsLastErrorString());
        return nullptr;
    }
    // No timeout callback: an exchange that stalls for 5 s fails.
    httpSetTimeout(http.get(), kExchangeBoundMs / 1000.0, nullptr, nullptr);
    return http;
}

bool CupsServer::AddQueue(const std::string& name, const std::string& ppdPath,
                          const std::string& deviceURI, std::string* whyNot) const {
    if (access(ppdPath.c_str(), R_OK) != 0) {
        SetWhy(whyNot, "cannot read the PPD " + ppdPath + ": " + std::strerror(errno));
        return false;
    }
    Connection http = Connect(whyNot);
    if (!http)
        return false;
    Ipp request = NewRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER);
    AddUri(request.get(), "printer-uri", m_Address, "/printers/%s", name);
    ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr,
                 deviceURI.c_str());
    ippAddBoolean(request.get(), IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
    ippAddInteger(request.get(), IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
    std::string why;
    if (Exchange(http.get(), std::move(request), "/admin/", &why, ppdPath.c_str()))
        return true;
    SetWhy(whyNot, "adding the queue " + name + ": " + why);
    return false;
}

std::vector<int> CupsServer::Jobs(const std::string& queue, std::string* whyNot) const {
    Connection http = Connect(whyNot);
    if (!http)
        return {};
    Ipp request = NewRequest(IPP_OP_GET_JOBS);
    AddUri(request.get(), "printer-uri", m_Address, "/printers/%s", queue);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "job-id");
    Ipp response = Exchange(http.get(), std::move(request), "/", whyNot);
    std::vector<int> ids;
    for (ipp_attribute_t* a = response ? ippFirstAttribute(response.get()) : nullptr; a;
         a = ippNextAttribute(response.get()))
        if (ippGetName(a) && std::strcmp(ippGetName(a), "job-id") == 0)
            ids.push_back(ippGetInteger(a, 0));
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::map<std::string, std::string> CupsServer::JobAttributes(int jobId, std::string* whyNot) const {
    Connection http = Connect(whyNot);
    if (!http)
        return {};
    Ipp request = NewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    AddUri(request.get(), "job-uri", m_Address, "/jobs/%s", std::to_string(jobId));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "all");
    Ipp response = Exchange(http.get(), std::move(request), "/", whyNot);
    std::map<std::string, std::string> attributes;
    for (ipp_attribute_t* a = response ? ippFirstAttribute(response.get()) : nullptr; a;
         a = ippNextAttribute(response.get()))
        if (ippGetGroupTag(a) == IPP_TAG_JOB && ippGetName(a))
            attributes[ippGetName(a)] = ValueText(a);
    if (response && attributes.empty())
        SetWhy(whyNot, "job " + std::to_string(jobId) + " has no attributes");
    return attributes;
}

std::optional<int> CupsServer::AwaitJobDone(int jobId, std::chrono::milliseconds bound) const {
    const auto until = Clock::now() + bound;
    for (;;) {
        Connection http = Connect();
        Ipp request = NewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        AddUri(request.get(), "job-uri", m_Address, "/jobs/%s", std::to_string(jobId));
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                     nullptr, "job-state");
        Ipp response = http ? Exchange(http.get(), std::move(request), "/", nullptr) : nullptr;
        ipp_attribute_t* state =
            response ? ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM) : nullptr;
        if (response && !state)
            return std::nullopt;
        if (state && ippGetInteger(state, 0) >= IPP_JSTATE_CANCELED)
            return ippGetInteger(state, 0);
        if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND || Clock::now() >= until)
            return std::nullopt;
        std::this_thread::sleep_for(
            std::min<Clock::duration>(kPollInterval * 2, until - Clock::now()));
    }
}

std::string CupsServer::ErrorLog() const {
    return ReadFile(m_Folder.Path() / kErrorLog);
}

// The folder is reachable for lp (cupsd itself makes the spool and the
// ServerRoot its group's), and its temporary folder writable for filters.
bool CupsServer::Prepare(std::string* whyNot) {
    namespace fs = std::filesystem;
    const fs::path& root = m_Folder.Path();
    std::error_code error;
    fs::permissions(root, fs::perms(0755), error);
    for (const char* sub : {"root", "spool", "cache", "state", "tmp", "log"})
        if (!error)
            fs::create_directory(root / sub, error);
    if (!error)
        fs::permissions(root / "tmp", fs::perms(01777), error);
    if (error) {
        SetWhy(whyNot, "cannot prepare " + root.string() + ": " + error.message());
        return false;
    }
    m_Folder.Write("cups-files.conf", CupsFilesConf(root));
    return true;
}

bool CupsServer::Launch(const std::string& address, std::string* whyNot) {
    m_Address = address;
    m_Folder.Write("cupsd.conf", CupsdConf(address));
    std::error_code ignored;
    std::filesystem::remove(m_Folder.Path() / kErrorLog, ignored);
    const auto folder = m_Folder.Path().string();
    std::vector<std::string> args{
        kCupsd, "-f", "-c", folder + "/cupsd.conf", "-s", folder + "/cups-files.conf"};
    std::vector<std::string> env = CleanEnvironment();
    auto argv = CStrings(args);
    auto envp = CStrings(env);
    const auto outPath = (m_Folder.Path() / kCupsdOutput).string();
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0) {
        SetWhy(whyNot, "cannot create " + outPath + ": " + std::strerror(errno));
        return false;
    }
    const pid_t parent = getpid();
    m_Pid = fork();
    if (m_Pid == 0)
        ExecCupsd(parent, out, argv, envp);
    const int forkError = errno;
    close(out);
    if (m_Pid < 0) {
        SetWhy(whyNot, std::string("fork failed: ") + std::strerror(forkError));
        return false;
    }
    m_PidFd = OpenPidFd(m_Pid);
    if (m_PidFd < 0) {
        SetWhy(whyNot, std::string("pidfd_open failed: ") + std::strerror(errno));
        Reap(SIGKILL);
        return false;
    }
    return true;
}

// cupsd keeps running when it cannot listen, so its log tells whether this
// server (and not another test's on the same address) holds the address.
CupsServer::Outcome CupsServer::AwaitListening(Clock::time_point until, std::string* whyNot) {
    const std::string listening = "Listening to " + ServerName();
    const std::string taken = "Unable to open listen socket for address " + ServerName();
    for (;;) {
        const std::string log = ErrorLog();
        if (log.find(listening) != std::string::npos)
            return Outcome::Listening;
        if (log.find(taken) != std::string::npos)
            return Outcome::AddressTaken;
        if (WaitReadable(m_PidFd, std::min(until, Clock::now() + kPollInterval))) {
            SetWhy(whyNot, "cupsd ended before it listened on " + ServerName() + Diagnostics());
            return Outcome::Failed;
        }
        if (Clock::now() >= until) {
            SetWhy(whyNot,
                   "cupsd did not listen on " + ServerName() + " within 10 s" + Diagnostics());
            return Outcome::Failed;
        }
    }
}

bool CupsServer::AwaitIPP(Clock::time_point until, std::string* whyNot) const {
    std::string why;
    for (;;) {
        if (Connection http = Connect(&why)) {
            Ipp request = NewRequest(IPP_OP_CUPS_GET_PRINTERS);
            // Any IPP answer will do: a new server has no queues to list.
            if (Ipp(cupsDoRequest(http.get(), request.release(), "/")))
                return true;
            why = cupsLastErrorString();
        }
        if (Clock::now() >= until) {
            SetWhy(whyNot, "cupsd at " + ServerName() + " did not answer IPP within 10 s: " + why +
                               Diagnostics());
            return false;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

void CupsServer::Reap(int signo) {
    if (m_Pid <= 0)
        return;
    const int status = StopAndReap(m_Pid, m_PidFd, signo, kStopBound);
    m_Pid = -1;
    if (m_PidFd >= 0)
        close(std::exchange(m_PidFd, -1));
    // A server that did not end cleanly on SIGTERM is worth a word.
    if (signo == SIGTERM && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
        std::fprintf(stderr, "cupsd at %s did not exit cleanly%s\n", ServerName().c_str(),
                     Diagnostics().c_str());
}

std::string CupsServer::Diagnostics() const {
    const std::string log = Notable(ErrorLog());
    const std::string out = Trimmed(ReadFile(m_Folder.Path() / kCupsdOutput));
    return (log.empty() ? std::string() : "; its error_log: " + log) +
           (out.empty() ? std::string() : "; its output: " + out);
}
