#include "PrinterDescription.h"

#include "CEscapes.h"
#include "DescriptionValues.h"

#include <set>

namespace {

struct Entry {
    std::string_view key;      // the first word before " = "
    std::string_view argument; // the rest before " = " (OID, PJL name, PostScript text)
    std::string_view value;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The separator is an '=' standing alone between blanks (or at the end), so that
// "==" in a PostScript text does not split it.
std::optional<Entry> SplitEntry(std::string_view line) {
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (line[i] != '=' || !IsBlank(line[i - 1]) ||
            (i + 1 < line.size() && !IsBlank(line[i + 1])))
            continue;
        const auto left = Trim(line.substr(0, i));
        const auto keyEnd = std::min(left.find_first_of(" \t"), left.size());
        return Entry{left.substr(0, keyEnd), Trim(left.substr(keyEnd)), Trim(line.substr(i + 1))};
    }
    return std::nullopt;
}

using Setter = std::string (*)(PrinterDescription&, const Entry&);

std::string SetSnmp(PrinterDescription& printer, const Entry& entry) {
    const auto oid = ParseDottedOid(entry.argument);
    if (!oid)
        return oid.error;
    auto value = ParseSnmpValue(entry.value);
    if (!value)
        return value.error;
    if (!printer.snmp.emplace(*oid.value, std::move(*value.value)).second)
        return "OID " + std::string(entry.argument) + " given twice";
    return {};
}

std::string SetPjl(PrinterDescription& printer, const Entry& entry) {
    auto value = ExpandEscapes(entry.value);
    if (!value)
        return value.error;
    if (!printer.pjl.emplace(entry.argument, std::move(*value.value)).second)
        return "PJL name " + std::string(entry.argument) + " given twice";
    return {};
}

std::string SetPostScript(PrinterDescription& printer, const Entry& entry) {
    auto text = ExpandEscapes(entry.argument);
    if (!text)
        return text.error;
    auto value = ExpandEscapes(entry.value);
    if (!value)
        return value.error;
    printer.ps.push_back({std::move(*text.value), std::move(*value.value)});
    return {};
}

template <std::string PrinterDescription::*Field>
std::string SetText(PrinterDescription& printer, const Entry& entry) {
    auto value = ExpandEscapes(entry.value);
    if (!value)
        return value.error;
    printer.*Field = std::move(*value.value);
    return {};
}

template <std::size_t PrinterDescription::*Field, std::uint64_t Least, std::uint64_t Most>
std::string SetCount(PrinterDescription& printer, const Entry& entry) {
    const auto count = ParseCount(entry.value, Least, Most);
    if (!count)
        return count.error;
    printer.*Field = *count.value;
    return {};
}

std::string SetSlowInterval(PrinterDescription& printer, const Entry& entry) {
    const auto ms = ParseCount(entry.value, 1, 3'600'000);
    if (!ms)
        return ms.error;
    printer.slowInterval = std::chrono::milliseconds(*ms.value);
    return {};
}

std::string SetTcpBehaviour(PrinterDescription& printer, const Entry& entry) {
    const auto behaviour = ParseTcpBehaviour(entry.value);
    if (!behaviour)
        return behaviour.error;
    printer.tcpBehaviour = *behaviour.value;
    return {};
}

std::string SetSnmpBehaviour(PrinterDescription& printer, const Entry& entry) {
    const auto setting = ParseSnmpBehaviour(entry.value);
    if (!setting)
        return setting.error;
    printer.snmpBehaviour = setting.value->behaviour;
    printer.snmpTruncateBytes = setting.value->truncateBytes;
    return {};
}

struct Key {
    std::string_view name;
    bool takesArgument; // keyed entries may repeat with other arguments; settings may not
    Setter set;
};

constexpr Key kKeys[] = {
    {"snmp", true, SetSnmp},
    {"pjl", true, SetPjl},
    {"ps", true, SetPostScript},
    {"ps-default", false, SetText<&PrinterDescription::psDefault>},
    {"community", false, SetText<&PrinterDescription::community>},
    {"status-text", false, SetText<&PrinterDescription::statusText>},
    {"tcp-behaviour", false, SetTcpBehaviour},
    {"snmp-behaviour", false, SetSnmpBehaviour},
    {"slow-interval-ms", false, SetSlowInterval},
    {"oversize-line-bytes", false, SetCount<&PrinterDescription::oversizeLineBytes, 1, 1 << 20>},
    {"oversize-bytes", false, SetCount<&PrinterDescription::oversizeBytes, 0, 64 << 20>},
};

const Key* FindKey(std::string_view name) {
    for (const auto& key : kKeys)
        if (key.name == name)
            return &key;
    return nullptr;
}

std::string ApplyLine(PrinterDescription& printer, std::string_view line,
                      std::set<std::string_view>& settingsSeen) {
    const auto entry = SplitEntry(line);
    if (!entry)
        return "expected 'key = value'";
    const Key* key = FindKey(entry->key);
    if (!key)
        return "unknown key '" + std::string(entry->key) + "'";
    if (key->takesArgument && entry->argument.empty())
        return std::string(key->name) + " needs a name before '='";
    if (!key->takesArgument && !entry->argument.empty())
        return "unexpected '" + std::string(entry->argument) + "' after " + std::string(key->name);
    if (!key->takesArgument && !settingsSeen.insert(key->name).second)
        return std::string(key->name) + " given twice";
    return key->set(printer, *entry);
}

} // namespace

Outcome<PrinterDescription> ParsePrinterDescription(std::string_view text,
                                                    std::string_view fileName) {
    PrinterDescription printer;
    std::set<std::string_view> settingsSeen;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const auto end = std::min(text.find('\n'), text.size());
        auto line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line.front() == '#')
            continue;
        if (const auto error = ApplyLine(printer, line, settingsSeen); !error.empty())
            return Outcome<PrinterDescription>::Fail(std::string(fileName) + ":" +
                                                     std::to_string(lineNumber) + ": " + error);
    }
    return Outcome<PrinterDescription>::Ok(std::move(printer));
}
