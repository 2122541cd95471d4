// rewrite_bench PPD DESCRIPTION [RUNS [PROCESS-RUNS]]
//
// How long queueconfig takes to rewrite a big PPD, and how much of that is its
// own work rather than waiting for the printer. Measures, as medians of RUNS
// (11) runs after one warm-up:
//   baseline   one ppdOpenFile + ppdClose and one line-by-line copy of the PPD
//              (cupsFileGetLine into 8192 bytes, fwrite to /dev/null): the least
//              that any rewrite of this file costs;
//   rewrite    DoInit + SaveAutoConfigwithJobID in this process against a
//              printer-sim on 127.0.120.x answering DESCRIPTION, output to
//              /dev/null; split into the time inside the socket calls (the
//              printer exchanges) and the remainder;
// and the wall time of PROCESS-RUNS (3) whole runs of the staged tool, which
// include its one-second idle tick. Prints medians and minimums, whether the
// remainder stays within 1.5 times the baseline, and the load average. Exits 0 when everything was
// measured (whatever the ratio), 1 when a measurement failed, 2 on bad usage.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cups/file.h>
#include <cups/ppd.h>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <type_traits>
#include <unistd.h>
#include <vector>

#include "Class/Argument.h"
#include "Class/AutoConfigUtility.h"
#include "Class/Error.h"
#include "Platform/EventLoop.h"
#include "Platform/SocketCalls.h"
#include "SimulatedPrinter.h"
#include "TestSupport.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using Duration = Clock::duration;

constexpr int kDefaultRuns = 11;
constexpr int kDefaultProcessRuns = 3;
constexpr double kTargetRatio = 1.5;
constexpr const char* kAddressRange = "127.0.120.1-127.0.120.254";
constexpr int kLineBufferSize = 8192;
// The staged tool ends on its own 10-second time-out at the latest.
constexpr std::chrono::seconds kProcessBound{30};

double Ms(Duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

Duration Median(std::vector<Duration> values) {
    if (values.empty())
        return Duration::zero();
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Times every socket call of the tool, and keeps for each socket the span from
// its Socket() to its Close(): one span per printer exchange.
class TimingSockets final : public SocketCalls {
public:
    struct Exchange {
        bool datagram = false;
        Duration span{};
    };

    void Reset() {
        m_Inside = Duration::zero();
        m_Open.clear();
        m_Exchanges.clear();
    }
    Duration Inside() const { return m_Inside; }
    const std::vector<Exchange>& Exchanges() const { return m_Exchanges; }

    int Socket(int domain, int type, int protocol) override {
        const auto start = Clock::now();
        const int fd = m_System.Socket(domain, type, protocol);
        m_Inside += Clock::now() - start;
        if (fd >= 0)
            m_Open[fd] = {(type & 0xf) == SOCK_DGRAM, start};
        return fd;
    }
    int Close(int fd) override {
        const int result = timed([&] { return m_System.Close(fd); });
        if (const auto open = m_Open.find(fd); open != m_Open.end()) {
            m_Exchanges.push_back({open->second.datagram, Clock::now() - open->second.since});
            m_Open.erase(open);
        }
        return result;
    }
    int Bind(int fd, const sockaddr* address, socklen_t length) override {
        return timed([&] { return m_System.Bind(fd, address, length); });
    }
    int Connect(int fd, const sockaddr* address, socklen_t length) override {
        return timed([&] { return m_System.Connect(fd, address, length); });
    }
    int GetSocketError(int fd, int* error) override {
        return timed([&] { return m_System.GetSocketError(fd, error); });
    }
    int Poll(pollfd* fds, nfds_t count, int timeoutMs) override {
        return timed([&] { return m_System.Poll(fds, count, timeoutMs); });
    }
    ssize_t Read(int fd, void* buffer, size_t length) override {
        return timed([&] { return m_System.Read(fd, buffer, length); });
    }
    ssize_t Write(int fd, const void* data, size_t length) override {
        return timed([&] { return m_System.Write(fd, data, length); });
    }
    ssize_t SendTo(int fd, const void* data, size_t length, const sockaddr* address,
                   socklen_t addressLength) override {
        return timed([&] { return m_System.SendTo(fd, data, length, address, addressLength); });
    }
    ssize_t ReceiveFrom(int fd, void* buffer, size_t length, sockaddr* address,
                        socklen_t* addressLength) override {
        return timed(
            [&] { return m_System.ReceiveFrom(fd, buffer, length, address, addressLength); });
    }
    int GetAddrInfo(const char* node, const addrinfo* hints, addrinfo** result) override {
        return timed([&] { return m_System.GetAddrInfo(node, hints, result); });
    }
    void FreeAddrInfo(addrinfo* result) override {
        const auto start = Clock::now();
        m_System.FreeAddrInfo(result);
        m_Inside += Clock::now() - start;
    }

private:
    struct OpenSocket {
        bool datagram;
        Clock::time_point since;
    };

    // errno is the call's own when the caller looks at it.
    template <class Call> std::invoke_result_t<Call> timed(Call call) {
        const auto start = Clock::now();
        const auto result = call();
        const int error = errno;
        m_Inside += Clock::now() - start;
        errno = error;
        return result;
    }

    SocketCalls& m_System = SocketCalls::System();
    Duration m_Inside{};
    std::map<int, OpenSocket> m_Open;
    std::vector<Exchange> m_Exchanges;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenSink() {
    FilePtr sink(std::fopen("/dev/null", "w"));
    if (!sink)
        throw std::runtime_error(std::string("cannot open /dev/null: ") + std::strerror(errno));
    return sink;
}

void Flush(std::FILE* sink) {
    if (std::fflush(sink) != 0 || std::ferror(sink))
        throw std::runtime_error("cannot write the output");
}

// What the PPD holds, as libcups reads it.
struct PPDFacts {
    std::uintmax_t bytes = 0;
    std::size_t lines = 0;
    int groups = 0;
    int options = 0;
    int installables = 0;
    int constraints = 0;
    int attributes = 0;
    std::vector<std::string> installableKeywords;
};

PPDFacts ReadFacts(const std::string& path) {
    PPDFacts facts;
    facts.bytes = std::filesystem::file_size(path);
    const std::string text = ReadFile(path);
    facts.lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    ppd_file_t* ppd = ppdOpenFile(path.c_str());
    if (!ppd)
        throw std::runtime_error("libcups cannot read " + path + ": " +
                                 ppdErrorString(ppdLastError(nullptr)));
    facts.groups = ppd->num_groups;
    for (int g = 0; g < ppd->num_groups; ++g) {
        const ppd_group_t& group = ppd->groups[g];
        facts.options += group.num_options;
        for (int s = 0; s < group.num_subgroups; ++s)
            facts.options += group.subgroups[s].num_options;
        if (std::strcmp(group.name, "InstallableOptions") != 0)
            continue;
        facts.installables = group.num_options;
        for (int o = 0; o < group.num_options; ++o)
            facts.installableKeywords.emplace_back(group.options[o].keyword);
    }
    facts.constraints = ppd->num_consts;
    facts.attributes = ppd->num_attrs;
    ppdClose(ppd);
    return facts;
}

struct BaselineRun {
    Duration parse{};
    Duration copy{};
};

BaselineRun BaselineOnce(const std::string& path, std::FILE* sink) {
    const auto start = Clock::now();
    ppd_file_t* ppd = ppdOpenFile(path.c_str());
    if (!ppd)
        throw std::runtime_error("libcups cannot read " + path);
    ppdClose(ppd);
    const auto parsed = Clock::now();
    cups_file_t* file = cupsFileOpen(path.c_str(), "r");
    if (!file)
        throw std::runtime_error("cannot open " + path);
    char line[kLineBufferSize];
    std::size_t length;
    while ((length = cupsFileGetLine(file, line, sizeof line)) > 0)
        std::fwrite(line, 1, length, sink);
    cupsFileClose(file);
    Flush(sink);
    return {parsed - start, Clock::now() - parsed};
}

struct RewriteRun {
    Duration total{};
    Duration inside{};
    std::vector<TimingSockets::Exchange> exchanges;
};

RewriteRun RewriteOnce(const std::string& uri, const std::string& ppd, std::FILE* sink,
                       TimingSockets& sockets) {
    SetLastErrorType(kErrorNone);
    sockets.Reset();
    std::string words[] = {"queueconfig", uri, ppd};
    char* argv[] = {words[0].data(), words[1].data(), words[2].data()};
    const auto start = Clock::now();
    {
        Argument arguments(3, argv);
        EventLoop loop;
        AutoConfigUtility utility(loop, sockets);
        utility.SetOutputStream(sink);
        utility.DoInit(&arguments);
        utility.SaveAutoConfigwithJobID();
    }
    const auto total = Clock::now() - start;
    if (GetLastErrorType() != kErrorNone)
        throw std::runtime_error("the rewrite ended with error type " +
                                 std::to_string(GetLastErrorType()));
    return {total, sockets.Inside(), sockets.Exchanges()};
}

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// One rewrite into memory, checked: the printer's answers must be in the PPD,
// or the timed runs would measure a rewrite that asked nothing.
void CheckRewrite(const std::string& uri, const std::string& ppd, const std::string& description,
                  const PPDFacts& facts, TimingSockets& sockets) {
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* memory = open_memstream(&buffer, &size);
    if (!memory)
        throw std::runtime_error("open_memstream failed");
    RewriteRun run;
    try {
        run = RewriteOnce(uri, ppd, memory, sockets);
    } catch (...) {
        std::fclose(memory);
        std::free(buffer);
        throw;
    }
    std::fclose(memory);
    const std::string output(buffer, size);
    std::free(buffer);

    const auto streams = std::count_if(run.exchanges.begin(), run.exchanges.end(),
                                       [](const auto& e) { return !e.datagram; });
    if (streams != facts.installables)
        throw std::runtime_error("the rewrite made " + std::to_string(streams) +
                                 " PJL exchanges for " + std::to_string(facts.installables) +
                                 " installable options");
    std::size_t installed = 0;
    for (const auto& keyword : facts.installableKeywords) {
        const bool on = output.find("\n*Default" + keyword + ": True\n") != std::string::npos;
        if (!on && output.find("\n*Default" + keyword + ": False\n") == std::string::npos)
            throw std::runtime_error("the rewritten PPD has no default line for " + keyword);
        installed += on ? 1 : 0;
    }
    const std::size_t expected = CountOf(description, " = ON\n");
    if (installed != expected)
        throw std::runtime_error("the rewritten PPD has " + std::to_string(installed) +
                                 " options installed, the printer " + std::to_string(expected));
    if (output.find("\n*VLUSER: HX2\n") == std::string::npos)
        throw std::runtime_error("the rewritten PPD lacks the user code HX2");
}

// Waits for the child without ever waiting past the bound; its exit status.
// A child that cannot be watched, or outlives the bound, is killed.
int Reap(pid_t pid) {
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    int ready = -1;
    if (pidfd >= 0) {
        pollfd watch{pidfd, POLLIN, 0};
        const auto waitMs = std::chrono::duration_cast<std::chrono::milliseconds>(kProcessBound);
        while ((ready = poll(&watch, 1, static_cast<int>(waitMs.count()))) < 0 && errno == EINTR) {
        }
        close(pidfd);
    }
    if (ready <= 0)
        kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            throw std::runtime_error(std::string("waitpid failed: ") + std::strerror(errno));
    if (ready <= 0)
        throw std::runtime_error(pidfd < 0 ? "cannot watch the staged tool (pidfd_open)"
                                           : "the staged tool outlived its bound and was killed");
    return status;
}

Duration ProcessOnce(const std::string& uri, const std::string& ppd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string words[] = {QC_STAGED_TOOL, uri, ppd};
    char* argv[] = {words[0].data(), words[1].data(), words[2].data(), nullptr};
    pid_t pid = -1;
    const auto start = Clock::now();
    const int spawned = posix_spawn(&pid, QC_STAGED_TOOL, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error(std::string("cannot run " QC_STAGED_TOOL ": ") +
                                 std::strerror(spawned));
    const int status = Reap(pid);
    const auto elapsed = Clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(QC_STAGED_TOOL " did not end with status 0");
    return elapsed;
}

struct Settings {
    std::string ppd;
    std::string description;
    int runs = kDefaultRuns;
    int processRuns = kDefaultProcessRuns;
};

std::optional<int> PositiveCount(const char* text) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 1 || value > 1000)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<Settings> ParseArguments(int argc, char** argv) {
    if (argc < 3 || argc > 5)
        return std::nullopt;
    Settings settings{argv[1], argv[2]};
    if (argc > 3) {
        const auto runs = PositiveCount(argv[3]);
        if (!runs)
            return std::nullopt;
        settings.runs = *runs;
    }
    if (argc > 4) {
        const auto runs = PositiveCount(argv[4]);
        if (!runs)
            return std::nullopt;
        settings.processRuns = *runs;
    }
    return settings;
}

void PrintFacts(const Settings& settings, const PPDFacts& facts) {
    std::printf("PPD %s\n", settings.ppd.c_str());
    std::printf("  %ju bytes (%.0f KiB), %zu lines, %d groups, %d options "
                "(%d installable), %d constraints, %d attributes\n",
                facts.bytes, static_cast<double>(facts.bytes) / 1024.0, facts.lines, facts.groups,
                facts.options, facts.installables, facts.constraints, facts.attributes);
}

// Every figure of the timed runs, one entry per run (per exchange for the trips).
struct Samples {
    std::vector<Duration> parse, copy, baseline, total, inside, remainder;
    std::vector<Duration> streamTrips, datagramTrips, process;
    std::size_t queries = 0;
};

void MeasureInProcess(const Settings& settings, const std::string& uri, TimingSockets& sockets,
                      Samples& samples) {
    const FilePtr sink = OpenSink();
    // Warm-up: the file in the page cache, libcups and the resources loaded once.
    BaselineOnce(settings.ppd, sink.get());
    RewriteOnce(uri, settings.ppd, sink.get(), sockets);
    // Interleaved, so that a passing load on the machine falls on both alike.
    for (int i = 0; i < settings.runs; ++i) {
        const BaselineRun base = BaselineOnce(settings.ppd, sink.get());
        samples.parse.push_back(base.parse);
        samples.copy.push_back(base.copy);
        samples.baseline.push_back(base.parse + base.copy);
        const RewriteRun run = RewriteOnce(uri, settings.ppd, sink.get(), sockets);
        samples.total.push_back(run.total);
        samples.inside.push_back(run.inside);
        samples.remainder.push_back(run.total - run.inside);
        samples.queries = run.exchanges.size();
        for (const auto& exchange : run.exchanges)
            (exchange.datagram ? samples.datagramTrips : samples.streamTrips)
                .push_back(exchange.span);
    }
}

// Other work on the machine stretches some runs: the median then moves, the
// minimum much less.
void PrintLoad() {
    double load[1] = {0};
    const long cores = sysconf(_SC_NPROCESSORS_ONLN);
    if (getloadavg(load, 1) != 1 || cores < 1) {
        std::printf("load average: unknown\n");
        return;
    }
    std::printf("load average %.2f on %ld cores%s\n", load[0], cores,
                load[0] > 0.5 * static_cast<double>(cores)
                    ? ": the machine is busy, trust the minimums more than the medians"
                    : "");
}

void PrintRow(const char* label, const std::vector<Duration>& values) {
    std::printf("  %-48s %10.3f %10.3f\n", label, Ms(Median(values)),
                Ms(*std::min_element(values.begin(), values.end())));
}

void PrintFigures(const Settings& settings, const Samples& samples) {
    const auto runs = static_cast<std::size_t>(settings.runs);
    std::printf("%d runs after one warm-up%37s %10s\n", settings.runs, "median ms", "min ms");
    PrintRow("baseline: ppdOpenFile + ppdClose + line copy", samples.baseline);
    PrintRow("  ppdOpenFile + ppdClose", samples.parse);
    PrintRow("  line copy", samples.copy);
    PrintRow("rewrite in process: total", samples.total);
    PrintRow("  inside the socket calls (printer exchanges)", samples.inside);
    PrintRow("  remainder (outside the exchanges)", samples.remainder);
    PrintRow("round trip of one PJL query (TCP)", samples.streamTrips);
    if (!samples.datagramTrips.empty())
        PrintRow("round trip of one SNMP query (UDP)", samples.datagramTrips);
    std::printf("  queries per rewrite: %zu (%zu SNMP, %zu PJL)\n", samples.queries,
                samples.datagramTrips.size() / runs, samples.streamTrips.size() / runs);
    std::printf("%d whole run%s of the staged queueconfig (idle tick of ~1 s included)\n",
                settings.processRuns, settings.processRuns == 1 ? "" : "s");
    PrintRow("whole process: wall time", samples.process);
    const double ratio = Ms(Median(samples.remainder)) / Ms(Median(samples.baseline));
    const double minRatio =
        Ms(*std::min_element(samples.remainder.begin(), samples.remainder.end())) /
        Ms(*std::min_element(samples.baseline.begin(), samples.baseline.end()));
    std::printf("ratio remainder / baseline: %.2f (of the minimums: %.2f), %s %.1fx\n", ratio,
                minRatio, ratio <= kTargetRatio ? "within" : "NOT within", kTargetRatio);
}

int Run(const Settings& settings) {
    const PPDFacts facts = ReadFacts(settings.ppd);
    PrintFacts(settings, facts);
    const std::string description = ReadFile(settings.description);
    if (description.empty())
        throw std::runtime_error("cannot read " + settings.description);

    // The in-process runs read the staged option mapping, as the staged tool does.
    setenv("QUEUECONFIG_RESOURCE_DIR", QC_RESOURCE_DIR, 1);
    setenv("QUEUECONFIG_SUPPORT_DIR", QC_STAGE_DATA_DIR, 1);

    std::string why;
    const auto printer = SimulatedPrinter::Start(description, &why, kAddressRange);
    if (!printer)
        throw std::runtime_error("cannot start printer-sim: " + why);
    const std::string uri = "socket://" + printer->Address();
    std::printf("printer-sim at %s\n", printer->Address().c_str());

    TimingSockets sockets;
    CheckRewrite(uri, settings.ppd, description, facts, sockets);
    Samples samples;
    MeasureInProcess(settings, uri, sockets, samples);
    for (int i = 0; i < settings.processRuns; ++i)
        samples.process.push_back(ProcessOnce(uri, settings.ppd));
    PrintFigures(settings, samples);
    PrintLoad();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const auto settings = ParseArguments(argc, argv);
    if (!settings) {
        std::fputs("usage: rewrite_bench PPD DESCRIPTION [RUNS [PROCESS-RUNS]]"
                   " (counts 1 to 1000)\n",
                   stderr);
        return 2;
    }
    try {
        return Run(*settings);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "rewrite_bench: %s\n", failure.what());
        return 1;
    }
}
