// The PPDs of a corpus run and what the checks need to know of each: the
// extracted files, the options whose current choice the tool asks a printer
// for, the printer description that answers those queries, and the PPD that
// the tool must write from the answers.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct CorpusPpd {
    std::string uri; // "DRIVER URI", as the sample list names it
    std::filesystem::path path;
};

// The PPDs that `ppd_archive.py extract` wrote to `folder`, from its
// manifest.tsv. On failure: none, with the reason in *whyNot.
std::optional<std::vector<CorpusPpd>> ReadCorpus(const std::filesystem::path& folder,
                                                 std::string* whyNot);

// An option of the group "InstallableOptions" with a PostScript query ("*?keyword")
// and no PJL query ("*?VLPJLkeyword"), which the tool would ask before it.
struct QueriedOption {
    std::string keyword;
    std::string defaultChoice;
    std::vector<std::string> choices;
    std::string query; // as libcups gives it, line ends included
};

// What the simulated printer is to answer for a PPD's queried options.
struct QueryPlan {
    std::vector<QueriedOption> options;
    std::map<std::string, std::string> answers; // keyword -> the choice the printer gives
    std::vector<std::string> unasked;           // query too long for the tool to send
    std::vector<std::string> problems;          // options no answer can be chosen for
};

// For each queried option a choice that fits the tool's answer buffer, another
// than its default where that adds no conflict among the defaults (a printer
// reports only what can be installed together); options whose request the
// tool cannot send are left unasked. None when libcups cannot open the PPD.
std::optional<QueryPlan> PlanQueries(const std::filesystem::path& ppd);

// The simulator's description: the user code "ABC" (no option tables) over SNMP
// and one "ps" entry per asked option, longest query first, so that a query
// that holds another one in full still gets its own answer.
std::string PrinterDescriptionFor(const QueryPlan& plan);

// `ppd` with every "*Default<keyword>" line of an answered option replaced by
// "*Default<keyword>: <answer>" and "\n", as the tool writes it, or with the
// replaced line's own line end (CR LF, or none at the end of the file).
enum class LineEnd { Newline, AsReplaced };
std::string RewrittenPpd(const std::string& ppd, const std::map<std::string, std::string>& answers,
                         LineEnd lineEnd = LineEnd::Newline);

// The file's bytes in one read (TestSupport's ReadFile goes byte by byte,
// too slow under the sanitizer for a corpus of large PPDs). Throws when it cannot.
std::string ReadPpd(const std::filesystem::path& path);

// "" when equal, else where and how `actual` first differs from `expected`.
std::string FirstDifference(const std::string& expected, const std::string& actual);

// `text` with one line per row, cut to `limit` bytes so a failure table stays readable.
std::string OneLine(const std::string& text, std::size_t limit = 300);
