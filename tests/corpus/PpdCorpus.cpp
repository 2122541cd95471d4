#include "PpdCorpus.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cups/ppd.h>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace {

// The tool's request around a PostScript query: "\e%-12345X%!\n" QUERY "\n\x04\e%-12345X".
constexpr std::size_t kRequestFraming = 9 + 3 + 1 + 1 + 9;
// The tool sends no request of this many bytes or more, rather than a cut one.
constexpr std::size_t kRequestLimit = 1024;
// The tool keeps at most this many bytes of an answer.
constexpr std::size_t kAnswerLimit = 40;
constexpr const char* kUserCodeOid = "1.3.6.1.4.1.3172.1.1.1.1.1.3000.0";

struct PpdCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};

// Every byte that the description syntax could read otherwise (blanks, '=',
// backslashes, quotes, control and 8-bit bytes) as \xHH.
std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7F && c != '\\' && c != '"' && c != '=') {
            out += c;
            continue;
        }
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", byte);
        out += hex;
    }
    return out;
}

// A choice the tool keeps whole and the description can hold: printable ASCII
// without blanks (as choice keywords are), at most 40 bytes.
bool Answerable(const std::string& choice) {
    return !choice.empty() && choice.size() <= kAnswerLimit &&
           std::all_of(choice.begin(), choice.end(), [](char c) { return c > 0x20 && c < 0x7F; });
}

// The choices to try as the printer's answer: the others first, the default last.
std::vector<std::string> Candidates(const QueriedOption& option) {
    std::vector<std::string> candidates;
    for (const auto& choice : option.choices)
        if (Answerable(choice) && choice != option.defaultChoice)
            candidates.push_back(choice);
    if (Answerable(option.defaultChoice))
        candidates.push_back(option.defaultChoice);
    return candidates;
}

// The first candidate that adds no conflict to the defaults marked so far; it
// stays marked.
std::optional<std::string> ConsistentAnswer(ppd_file_t* ppd, const QueriedOption& option,
                                            int allowedConflicts) {
    for (const auto& choice : Candidates(option)) {
        ppdMarkOption(ppd, option.keyword.c_str(), choice.c_str());
        if (ppdConflicts(ppd) <= allowedConflicts)
            return choice;
    }
    ppdMarkOption(ppd, option.keyword.c_str(), option.defaultChoice.c_str());
    return std::nullopt;
}

QueriedOption ReadOption(ppd_file_t* ppd, const ppd_option_t& option) {
    QueriedOption queried{option.keyword, option.defchoice, {}, {}};
    for (int c = 0; c < option.num_choices; ++c)
        queried.choices.emplace_back(option.choices[c].choice);
    const std::string name = std::string("?") + option.keyword;
    if (const ppd_attr_t* query = ppdFindAttr(ppd, name.c_str(), nullptr); query && query->value)
        queried.query = query->value;
    return queried;
}

std::vector<QueriedOption> ReadQueriedOptions(ppd_file_t* ppd) {
    std::vector<QueriedOption> options;
    for (int g = 0; g < ppd->num_groups; ++g) {
        const ppd_group_t& group = ppd->groups[g];
        if (std::string_view(group.name) != "InstallableOptions")
            continue;
        for (int o = 0; o < group.num_options; ++o) {
            const std::string pjl = std::string("?VLPJL") + group.options[o].keyword;
            if (ppdFindAttr(ppd, pjl.c_str(), nullptr))
                continue;
            auto option = ReadOption(ppd, group.options[o]);
            if (!option.query.empty())
                options.push_back(std::move(option));
        }
    }
    return options;
}

// The option keyword of a "*Default" line, read as the tool reads it.
std::string DefaultLineKeyword(const std::string& line) {
    constexpr std::string_view kDefault = "*Default";
    std::size_t end = kDefault.size();
    while (end < line.size() && line[end] != ':' &&
           !std::isspace(static_cast<unsigned char>(line[end])))
        ++end;
    return line.substr(kDefault.size(), end - kDefault.size());
}

std::string OwnLineEnd(const std::string& line) {
    if (line.ends_with("\r\n"))
        return "\r\n";
    return line.ends_with('\n') ? "\n" : "";
}

} // namespace

std::optional<std::vector<CorpusPpd>> ReadCorpus(const std::filesystem::path& folder,
                                                 std::string* whyNot) {
    std::ifstream manifest(folder / "manifest.tsv");
    if (!manifest) {
        *whyNot = "no " + (folder / "manifest.tsv").string() +
                  " (ctest extracts the sample first; scripts/ppd-corpus.sh the whole corpus)";
        return std::nullopt;
    }
    std::vector<CorpusPpd> ppds;
    std::string line;
    while (std::getline(manifest, line)) {
        const auto tab = line.find('\t');
        if (tab == std::string::npos) {
            *whyNot = "manifest line without a tab: " + line;
            return std::nullopt;
        }
        ppds.push_back({line.substr(tab + 1), folder / line.substr(0, tab)});
    }
    if (ppds.empty()) {
        *whyNot = "the manifest lists no PPD";
        return std::nullopt;
    }
    return ppds;
}

std::optional<QueryPlan> PlanQueries(const std::filesystem::path& path) {
    std::unique_ptr<ppd_file_t, PpdCloser> ppd(ppdOpenFile(path.c_str()));
    if (!ppd)
        return std::nullopt;
    QueryPlan plan;
    plan.options = ReadQueriedOptions(ppd.get());
    ppdMarkDefaults(ppd.get());
    const int conflicts = ppdConflicts(ppd.get());
    for (const auto& option : plan.options) {
        if (option.query.size() + kRequestFraming >= kRequestLimit) {
            plan.unasked.push_back(option.keyword);
            continue;
        }
        if (const auto answer = ConsistentAnswer(ppd.get(), option, conflicts))
            plan.answers[option.keyword] = *answer;
        else
            plan.problems.push_back("option " + option.keyword +
                                    ": no choice of printable ASCII of at most 40 bytes");
    }
    return plan;
}

std::string PrinterDescriptionFor(const QueryPlan& plan) {
    std::vector<const QueriedOption*> asked;
    for (const auto& option : plan.options)
        if (plan.answers.contains(option.keyword))
            asked.push_back(&option);
    std::stable_sort(asked.begin(), asked.end(), [](const auto* a, const auto* b) {
        return a->query.size() > b->query.size();
    });
    std::string description = std::string("snmp ") + kUserCodeOid + " = ABC\n";
    for (const auto* option : asked)
        description += "ps " + Escaped(option->query) + " = " +
                       Escaped(plan.answers.at(option->keyword)) + "\n";
    return description;
}

std::string RewrittenPpd(const std::string& ppd, const std::map<std::string, std::string>& answers,
                         LineEnd lineEnd) {
    std::string out;
    std::size_t start = 0;
    while (start < ppd.size()) {
        const auto newline = ppd.find('\n', start);
        const auto end = newline == std::string::npos ? ppd.size() : newline + 1;
        const std::string line = ppd.substr(start, end - start);
        start = end;
        const auto answer =
            line.starts_with("*Default") ? answers.find(DefaultLineKeyword(line)) : answers.end();
        if (answer == answers.end()) {
            out += line;
            continue;
        }
        out += "*Default" + answer->first + ": " + answer->second;
        out += lineEnd == LineEnd::Newline ? "\n" : OwnLineEnd(line);
    }
    return out;
}

std::string ReadPpd(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(std::filesystem::file_size(path), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        throw std::runtime_error("cannot read " + path.string());
    return bytes;
}

std::string FirstDifference(const std::string& expected, const std::string& actual) {
    if (expected == actual)
        return "";
    const auto at = static_cast<std::size_t>(
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end()).first -
        expected.begin());
    const auto lineStart = expected.rfind('\n', at == 0 ? 0 : at - 1);
    const auto from = lineStart == std::string::npos || at == 0 ? 0 : lineStart + 1;
    return "expected " + std::to_string(expected.size()) + " bytes, got " +
           std::to_string(actual.size()) + "; first difference at byte " + std::to_string(at) +
           ": expected \"" + OneLine(expected.substr(from, at - from + 60), 120) + "\", got \"" +
           OneLine(actual.substr(from, at - from + 60), 120) + "\"";
}

std::string OneLine(const std::string& text, std::size_t limit) {
    std::string out;
    for (const char c : text.substr(0, limit)) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return text.size() > limit ? out + "..." : out;
}
