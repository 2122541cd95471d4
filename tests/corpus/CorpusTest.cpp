// The installed tool on real PPDs: the sample that ctest extracts, or with
// QC_CORPUS_DIR the folder that scripts/ppd-corpus.sh extracted the whole
// corpus to. Runs of the tool mostly wait on its one-second timer, so many run
// at once (QC_CORPUS_JOBS of them, when set); each failure is one row of a
// table that names the PPD's URI.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <gtest/gtest.h>
#include <limits>
#include <mutex>
#include <thread>

#include "PpdCorpus.h"
#include "Process.h"
#include "SimulatedPrinter.h"
#include "TestSupport.h"

using namespace std::chrono_literals;

namespace {

const std::string kTool = QC_INSTALLED_TOOL;
const std::string kCupstestppd = QC_CUPSTESTPPD;
// Clear of the 127.0.100.x printers of the other tests.
const std::string kPrinterRange = "127.0.110.1-127.0.110.254";
constexpr auto kRunBound = 30s;

// libcups grows its table of UIConstraints by one entry per realloc, and
// AddressSanitizer's realloc always moves the block: under the sanitizer the
// parse of a PPD with thousands of constraints costs the tool (and this test)
// many seconds of copying. The sanitizer build leaves those PPDs to the plain
// build; the tool's own handling of them is the same as of smaller ones.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kMostConstraints = 1000;
#else
constexpr std::size_t kMostConstraints = std::numeric_limits<std::size_t>::max();
#endif

std::filesystem::path CorpusFolder() {
    const char* folder = std::getenv("QC_CORPUS_DIR");
    return folder && *folder ? folder : QC_CORPUS_SAMPLE_DIR;
}

std::size_t Workers(std::size_t fallback) {
    const char* jobs = std::getenv("QC_CORPUS_JOBS");
    const long n = jobs ? std::strtol(jobs, nullptr, 10) : 0;
    return n > 0 ? static_cast<std::size_t>(n) : fallback;
}

// Failure rows, from many threads.
class FailureTable {
public:
    void Add(const std::string& uri, const std::string& what) {
        std::lock_guard lock(m_Mutex);
        m_Rows.push_back(uri + " | " + what);
    }
    std::size_t Size() const { return m_Rows.size(); }
    // After the threads have ended.
    const std::vector<std::string>& Rows() const { return m_Rows; }
    std::string Text() const {
        std::string text = "URI | failure\n";
        for (const auto& row : m_Rows)
            text += row + "\n";
        return text;
    }

private:
    std::mutex m_Mutex;
    std::vector<std::string> m_Rows;
};

// Calls work(i) for every i < count on `workers` threads; an exception of one
// call becomes that entry's failure row.
template <class Work>
void InParallel(std::size_t count, std::size_t workers, FailureTable& failures,
                const std::vector<CorpusPpd>& ppds, Work work) {
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> threads;
    for (std::size_t w = 0; w < std::min(workers, count); ++w)
        threads.emplace_back([&] {
            for (std::size_t i; (i = next++) < count;) {
                try {
                    work(i);
                } catch (const std::exception& e) {
                    failures.Add(ppds[i].uri, std::string("exception: ") + e.what());
                }
            }
        });
    for (auto& thread : threads)
        thread.join();
}

std::size_t ConstraintCount(const std::string& ppd) {
    std::size_t count = 0;
    for (const std::string_view key : {"\n*UIConstraints", "\n*NonUIConstraints"})
        for (auto at = ppd.find(key); at != std::string::npos; at = ppd.find(key, at + 1))
            ++count;
    return count;
}

std::string Describe(const ProcessResult& result) {
    if (result.killedAtBound)
        return "still running at the bound";
    if (result.signal)
        return "ended by signal " + std::to_string(*result.signal);
    return "exit status " + std::to_string(result.exitStatus.value_or(-1));
}

// "" when the run ended with status 0, output `expected` and nothing on stderr.
std::string RunFailure(const ProcessResult& result, const std::string& expected) {
    if (result.exitStatus != 0)
        return Describe(result) + "; stderr: " + OneLine(result.err);
    if (const auto difference = FirstDifference(expected, result.out); !difference.empty())
        return difference;
    if (!result.err.empty())
        return "stderr: " + OneLine(result.err);
    return "";
}

struct CupstestppdVerdict {
    bool accepted = false;
    std::string report;
};

CupstestppdVerdict Cupstestppd(const std::filesystem::path& ppd) {
    // Filters and colour profiles that the PPD names are not installed here.
    Process check({kCupstestppd, "-I", "filters", "-I", "profiles", ppd.string()},
                  CleanEnvironment());
    const auto result = check.Wait(kRunBound);
    if (result.killedAtBound)
        return {false, "FAIL: cupstestppd still running at the bound"};
    return {result.exitStatus == 0, result.out + result.err};
}

// The distinct FAIL lines of a cupstestppd report, one row.
std::string FailLines(const std::string& report) {
    std::vector<std::string> seen;
    std::size_t start = 0;
    while (start < report.size()) {
        auto end = report.find('\n', start);
        end = end == std::string::npos ? report.size() : end;
        const auto line = report.substr(start, end - start);
        const auto at = line.find("**FAIL**");
        if (at != std::string::npos && std::find(seen.begin(), seen.end(), line) == seen.end())
            seen.push_back(line);
        start = end + 1;
    }
    std::string lines;
    for (const auto& line : seen)
        lines += (lines.empty() ? "" : " / ") + line.substr(line.find("**FAIL**") + 8);
    return OneLine(lines.empty() ? report : lines, 400);
}

class PpdCorpusTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        auto ppds = ReadCorpus(CorpusFolder(), &why);
        ASSERT_TRUE(ppds) << why;
        for (auto& ppd : *ppds)
            if (kMostConstraints == std::numeric_limits<std::size_t>::max() ||
                ConstraintCount(ReadPpd(ppd.path)) <= kMostConstraints)
                m_Ppds.push_back(std::move(ppd));
        if (m_Ppds.size() < ppds->size())
            std::printf("[ corpus ] sanitizer build: %zu of %zu PPDs, those with at most %zu "
                        "constraints\n",
                        m_Ppds.size(), ppds->size(), kMostConstraints);
        ASSERT_FALSE(m_Ppds.empty());
    }

    std::vector<CorpusPpd> m_Ppds;
    TempDir m_Folder;
};

// Lines longer than the tool's 8192-byte line buffer: no PPD of the corpus has one.
std::string WithLongLines(const std::string& ppd) {
    const auto firstLine = ppd.find('\n') + 1;
    return ppd.substr(0, firstLine) + "*% " + std::string(3 * 8192 + 5, 'x') + "\n" +
           "*VLLongValue: \"" + std::string(8190, 'y') + "\"\n" + ppd.substr(firstLine);
}

} // namespace

// Without a printer to ask, every PPD comes out as it went in, byte for byte:
// CR LF files, files without a last line end, 8-bit text, PPDs that libcups
// cannot open, and lines longer than the tool's line buffer.
TEST_F(PpdCorpusTest, FileUriWritesEveryPpdByteForByte) {
    auto ppds = m_Ppds;
    ppds.push_back({ppds.front().uri + " with lines of 24581 and 8206 bytes",
                    m_Folder.Write("long-lines.ppd", WithLongLines(ReadPpd(ppds.front().path)))});
    std::atomic<std::size_t> crlf{0};
    FailureTable failures;
    InParallel(ppds.size(), Workers(64), failures, ppds, [&](std::size_t i) {
        const auto input = ReadPpd(ppds[i].path);
        crlf += input.find("\r\n") != std::string::npos;
        Process tool({kTool, "file:///dev/null", ppds[i].path.string()}, CleanEnvironment());
        if (const auto failure = RunFailure(tool.Wait(kRunBound), input); !failure.empty())
            failures.Add(ppds[i].uri, failure);
    });
    std::printf("[ corpus ] file:///dev/null: %zu PPDs and one with long lines made from the "
                "first, %zu of them byte-identical (%zu with CR LF)\n",
                m_Ppds.size(), ppds.size() - failures.Size(), crlf.load());
    EXPECT_EQ(failures.Size(), 0u) << failures.Text();
    // The corpus must keep the files that a line-based rewrite gets wrong.
    EXPECT_GT(crlf, 0u);
}

namespace {

struct PrinterTally {
    std::atomic<std::size_t> before{0}, after{0};
    // Outputs that cupstestppd rejects for the answers themselves: the same
    // defaults in the input's own line form are rejected too. Not the tool's doing.
    FailureTable rejectedAnswers;
};

// cupstestppd on `text`, written to `name` in `folder` for the check alone.
CupstestppdVerdict CupstestppdOn(const TempDir& folder, const std::string& name,
                                 const std::string& text) {
    const auto path = folder.Write(name, text);
    auto verdict = Cupstestppd(path);
    std::filesystem::remove(path);
    return verdict;
}

// One run of the tool against a printer that answers as `plan` says, and
// cupstestppd on its input and output.
void CheckAgainstPrinter(const CorpusPpd& ppd, const QueryPlan& plan, const TempDir& folder,
                         const std::string& outputName, PrinterTally& tally,
                         FailureTable& failures) {
    for (const auto& problem : plan.problems)
        failures.Add(ppd.uri, problem);
    std::string why;
    const auto printer = SimulatedPrinter::Start(PrinterDescriptionFor(plan), &why, kPrinterRange);
    if (!printer)
        return failures.Add(ppd.uri, "no simulated printer: " + why);
    Process tool({kTool, "socket://" + printer->Address(), ppd.path.string()}, CleanEnvironment());
    const auto result = tool.Wait(kRunBound);
    const auto input = ReadPpd(ppd.path);
    if (const auto failure = RunFailure(result, RewrittenPpd(input, plan.answers));
        !failure.empty())
        failures.Add(ppd.uri, failure);
    const auto in = Cupstestppd(ppd.path);
    const auto out = CupstestppdOn(folder, outputName, result.out);
    tally.before += in.accepted;
    tally.after += out.accepted;
    if (!in.accepted || out.accepted)
        return;
    // The tool's form of the new lines, or the answers themselves? The same
    // defaults in the input's own line form tell.
    const auto sameDefaults = RewrittenPpd(input, plan.answers, LineEnd::AsReplaced);
    if (sameDefaults == result.out ||
        !CupstestppdOn(folder, outputName + ".ref", sameDefaults).accepted)
        tally.rejectedAnswers.Add(ppd.uri, FailLines(out.report));
    else
        failures.Add(ppd.uri,
                     "cupstestppd accepts the input, not the output: " + FailLines(out.report));
}

} // namespace

// A printer that answers each installable option's PostScript query with a
// choice of that option: the answers replace the options' default lines and
// nothing else changes; cupstestppd accepts the output whenever it accepts the
// input. Options whose query is too long for the tool's request are not asked.
TEST_F(PpdCorpusTest, PrinterAnswersBecomeDefaultsThatCupstestppdAccepts) {
    // libcups first, one thread a core, before any child process: a parse while
    // other threads fork costs a copy-on-write fault for every page it writes.
    std::vector<std::optional<QueryPlan>> parsed(m_Ppds.size());
    FailureTable failures;
    InParallel(m_Ppds.size(), std::max(1u, std::thread::hardware_concurrency()), failures, m_Ppds,
               [&](std::size_t i) { parsed[i] = PlanQueries(m_Ppds[i].path); });
    std::vector<CorpusPpd> queried;
    std::vector<QueryPlan> plans;
    std::size_t unparsable = 0, asked = 0, unasked = 0;
    for (std::size_t i = 0; i < m_Ppds.size(); ++i) {
        unparsable += !parsed[i];
        if (!parsed[i] || parsed[i]->options.empty())
            continue;
        asked += parsed[i]->answers.size();
        unasked += parsed[i]->unasked.size();
        queried.push_back(m_Ppds[i]);
        plans.push_back(std::move(*parsed[i]));
    }
    PrinterTally tally;
    InParallel(queried.size(), Workers(32), failures, queried, [&](std::size_t i) {
        CheckAgainstPrinter(queried[i], plans[i], m_Folder, std::to_string(i) + ".ppd", tally,
                            failures);
    });
    std::printf("[ corpus ] simulated printer: %zu PPDs with queries, %zu options asked, "
                "%zu not asked (query too long); cupstestppd accepted %zu before, %zu after; "
                "libcups cannot open %zu\n",
                queried.size(), asked, unasked, tally.before.load(), tally.after.load(),
                unparsable);
    for (const auto& row : tally.rejectedAnswers.Rows())
        std::printf("[ corpus ] cupstestppd rejects the printer's answers themselves: %s\n",
                    row.c_str());
    EXPECT_EQ(failures.Size(), 0u) << failures.Text();
    EXPECT_FALSE(queried.empty());
    // The corpus must keep a PPD that the tool copies without libcups's view of it.
    EXPECT_GT(unparsable, 0u);
}
