// The rewriting of the PPD: every line of the queue's PPD goes to the output
// stream unchanged, replaced, preceded by inserted text, or dropped.
#include "AutoConfigUtility.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cups/file.h>
#include <span>

#include "Error.h"
#include "ReplaceTable.h"

namespace {

constexpr std::string_view kColourAnchors[] = {"*% _____ Ink Simulation _____",
                                               "*% Ink Simulation"};
constexpr std::string_view kToneAnchors[] = {"*CloseGroup: Printing_Option",
                                             "*CloseGroup: 1Printing_Option",
                                             "*% _____ Font Information", "*% Font Information"};
constexpr std::string_view kDefault = "*Default";
constexpr std::string_view kCustomMediaSwitch = "*VLCustomMediaMode: 1";
constexpr std::string_view kUserMediaType = "*MediaType UserType";
constexpr char kUserMediaTranslation[] = ".MediaType UserType";
constexpr std::string_view kUserCodeLine = "*VLUSER: USER";

bool beginsWithAny(const char* line, std::span<const std::string_view> texts) {
    for (const auto text : texts)
        if (BeginsWith(line, text))
            return true;
    return false;
}

// A media name the printer gave stands between "/" and ":" of a PPD line.
bool isMediaName(const std::string& name) {
    return IsPrintableText(name) && name.find(':') == std::string::npos;
}

} // namespace

// A block of the PPD that a model's file replaces: from its opening line to
// its closing line, or, when the PPD lacks it, inserted before an anchor line.
struct AutoConfigUtility::ReplacedBlock {
    std::string_view open;
    std::string_view close;
    std::span<const std::string_view> anchors;
    const char* kind;
    const char* fileName;
    bool filePresent = false;
    bool inBlock = false;
    bool inserted = false;
};

struct AutoConfigUtility::OutputState {
    const char* code = "";
    ppd_file_t* ppd = nullptr;
    const PropertyList* plist = nullptr;
    std::string duplexKeyword;
    // The Line table is asked for every line, so it is read once.
    std::optional<ReplaceTable> lineTable;
    ReplacedBlock colour{"*OpenUI *VLUserColor", "*CloseUI: *VLUserColor", kColourAnchors,
                         "ColorUtility", "PPDCCM"};
    ReplacedBlock tone{"*OpenUI *VLTone", "*CloseUI: *VLTone", kToneAnchors, "GammaUtility",
                       "PPDGAM"};
    int customMediaMode = 0;
    std::optional<MediaPatternList> mediaPatterns;
};

void AutoConfigUtility::MediaPatternRelease::operator()(const std::string* pattern) const {
    deleteLineArrayReleaseCallback(pattern);
}

void AutoConfigUtility::deleteLineArrayReleaseCallback(const void* value) {
    delete static_cast<const std::string*>(value);
}

void AutoConfigUtility::SaveAutoConfigwithJobID() {
    if (!m_PortArray || !m_UserCodeArray)
        return;
    for (std::size_t i = 0; i < m_PortArray->size(); ++i) {
        const auto& code = (*m_UserCodeArray)[i];
        OutputPPDFile((*m_PortArray)[i] && code ? code->c_str() : "");
    }
    // Whoever installs the output as the queue's PPD must not take a cut one.
    if (std::fflush(m_Output) != 0 || std::ferror(m_Output)) {
        std::fprintf(stderr, "queueconfig: cannot write the PPD: %s\n", std::strerror(errno));
        SetLastErrorType(kErrorPPDFile);
    }
}

int AutoConfigUtility::OutputPPDFile(const char* code) {
    const auto path = ppdPathText();
    cups_file_t* file = path ? cupsFileOpen(path->c_str(), "r") : nullptr;
    if (!file) {
        std::fprintf(stderr, "queueconfig: cannot read the PPD %s\n",
                     path ? path->c_str() : "(no path)");
        SetLastErrorType(kErrorPPDFile);
        return 0;
    }

    OutputState state;
    state.code = code ? code : "";
    state.ppd = parsedPPD();
    state.plist = optionMapping();
    if (state.plist)
        if (const auto duplex = state.plist->GetString("OptionDuplex Key"))
            state.duplexKeyword = CopyCString(*duplex, kTextBufferSize).value_or("");
    state.lineTable = ReplaceTable::Load(state.plist, state.code, "Line");
    for (ReplacedBlock* block : {&state.colour, &state.tone})
        block->filePresent = findColorSetting(state.ppd, block->kind, block->fileName);

    char line[kLineBufferSize];
    std::size_t length;
    while ((length = cupsFileGetLine(file, line, sizeof line)) > 0)
        rewriteLine(state, line, length);
    // A read error ends the lines as the end of the file does.
    if (!cupsFileEOF(file)) {
        std::fprintf(stderr, "queueconfig: cannot read the PPD %s to its end\n", path->c_str());
        SetLastErrorType(kErrorPPDFile);
    }
    cupsFileClose(file);
    return 0;
}

bool AutoConfigUtility::replaceBlockLine(ReplacedBlock& block, ppd_file_t* ppd, const char* line,
                                         std::size_t length) {
    if (block.filePresent && !block.inBlock && BeginsWith(line, block.open)) {
        block.inserted = insertColor(ppd, block.kind, block.fileName);
        block.inBlock = true;
        return true;
    }
    if (block.inBlock) {
        if (BeginsWith(line, block.close))
            block.inBlock = false;
        return true;
    }
    if (block.filePresent && !block.inserted && beginsWithAny(line, block.anchors)) {
        block.inserted = insertColor(ppd, block.kind, block.fileName);
        writeLine(line, length);
        return true;
    }
    return false;
}

void AutoConfigUtility::rewriteLine(OutputState& state, const char* line, std::size_t length) {
    if (replaceBlockLine(state.colour, state.ppd, line, length) ||
        replaceBlockLine(state.tone, state.ppd, line, length))
        return;
    if (BeginsWith(line, kDefault)) {
        if (!writeDefaultLine(state, line))
            writeLine(line, length);
        return;
    }
    if (state.customMediaMode == 0 && BeginsWith(line, kCustomMediaSwitch)) {
        writeLine(line, length);
        state.customMediaMode = 1;
        return;
    }
    if (state.customMediaMode == 1 && BeginsWith(line, kUserMediaType)) {
        char rebuilt[kTextBufferSize] = "";
        int number = 0;
        if (replaceCustomMediaName(line, rebuilt, sizeof rebuilt, &number, &state.mediaPatterns) &&
            rebuilt[0] != '\0')
            writeText(rebuilt);
        else
            writeLine(line, length);
        return;
    }
    if (state.mediaPatterns && std::strstr(line, kUserMediaTranslation)) {
        writeMediaTranslationLine(state, line, length);
        return;
    }
    if (const auto replacement = state.lineTable ? state.lineTable->Find(line) : std::nullopt) {
        if (std::strcmp(state.code, "HX2") == 0) {
            writeLine(replacement->data(), replacement->size());
            writeText("\n");
        }
        return;
    }
    if (BeginsWith(line, kUserCodeLine) && state.code[0] != '\0') {
        char userLine[kTextBufferSize];
        std::snprintf(userLine, sizeof userLine, "*VLUSER: %s", state.code);
        writeText(userLine);
        writeText("\n");
        return;
    }
    writeLine(line, length);
}

bool AutoConfigUtility::writeDefaultLine(OutputState& state, const char* line) {
    char name[kOptionNameBufferSize];
    const char* start = line + kDefault.size();
    std::size_t nameLength = 0;
    while (start[nameLength] != '\0' && start[nameLength] != ':' &&
           !std::isspace(static_cast<unsigned char>(start[nameLength])) &&
           nameLength + 1 < sizeof name)
        ++nameLength;
    std::memcpy(name, start, nameLength);
    name[nameLength] = '\0';

    if (!state.ppd)
        return false;
    bool written = false;
    // The Key check does not depend on the group; asked once, it spares the
    // printer the same duplex query for every further group.
    std::optional<bool> keyApplies;
    char replacement[kTextBufferSize];
    for (int g = 0; g < state.ppd->num_groups; ++g) {
        const ppd_group_t& group = state.ppd->groups[g];
        if (std::strcmp(group.name, "InstallableOptions") == 0) {
            for (int o = 0; o < group.num_options; ++o) {
                char answer[kAnswerBufferSize];
                if (std::strcmp(group.options[o].keyword, name) == 0 &&
                    getQueryDefaultOption(name, answer, sizeof answer)) {
                    std::fprintf(m_Output, "*Default%s: %s\n", name, answer);
                    written = true;
                    break;
                }
            }
            continue;
        }
        if (!keyApplies)
            keyApplies = keyReplacementApplies(state, name, replacement);
        if (*keyApplies) {
            std::fprintf(m_Output, "*Default%s: %s\n", name, replacement);
            return true;
        }
    }
    return written;
}

bool AutoConfigUtility::keyReplacementApplies(OutputState& state, const char* name,
                                              char* replacement) {
    const bool byDuplex =
        std::strcmp(state.code, "QRT") == 0 || std::strcmp(state.code, "ZUNB") == 0;
    if (!byDuplex && std::strcmp(state.code, "WKS") != 0)
        return false;
    if (!isReplacePPD(name, replacement, static_cast<int>(kTextBufferSize), state.plist, state.code,
                      "Key"))
        return false;
    if (!byDuplex || state.duplexKeyword.empty() ||
        !ppdFindOption(state.ppd, state.duplexKeyword.c_str()))
        return true;
    char answer[kAnswerBufferSize];
    return getQueryDefaultOption(state.duplexKeyword.c_str(), answer, sizeof answer) &&
           std::strcmp(answer, "True") == 0;
}

void AutoConfigUtility::writeMediaTranslationLine(const OutputState& state, const char* line,
                                                  std::size_t length) {
    writeText("*");
    const MediaPatternList& patterns = *state.mediaPatterns;
    for (auto pattern = patterns.rbegin(); pattern != patterns.rend(); ++pattern) {
        const auto text = CopyCString(**pattern, kMediaPatternBufferSize);
        if (text && std::strstr(line, text->c_str())) {
            writeText("%");
            break;
        }
    }
    writeLine(line + 1, length - 1);
}

bool AutoConfigUtility::replaceCustomMediaName(const char* line, char* out, int size, int* number,
                                               std::optional<MediaPatternList>* list) {
    if (!line || !out || size <= 0 || !number || !list)
        return false;
    const char* type = std::strstr(line, kUserMediaType.data());
    const char* slash = std::strchr(line, '/');
    if (!type || !slash)
        return false;
    const char* digits = type + kUserMediaType.size();
    if (slash < digits || slash - digits > 255)
        return false;
    char numberText[256];
    std::memcpy(numberText, digits, static_cast<std::size_t>(slash - digits));
    numberText[slash - digits] = '\0';
    *number = std::atoi(numberText);

    char query[kMediaPatternBufferSize];
    std::snprintf(query, sizeof query, "@PJL DINQUIRE VELUSER%dMEDIATYPE\r\n", *number);
    char request[kTextBufferSize];
    std::snprintf(request, sizeof request, "\x1b%%-12345X%s\x1b%%-12345X", query);
    PrinterPort* port = firstPort();
    if (!port)
        return false;
    const auto name = askPJLValue(*port, request, sizeof request, query);
    if (!name || !isMediaName(*name))
        return false;

    // The name replaces the text between "/" and ":"; a ":" before the "/"
    // leaves no such text.
    const char* colon = std::strchr(line, ':');
    if (colon && colon > slash) {
        const std::size_t head = static_cast<std::size_t>(slash - line) + 1;
        const std::size_t tail = std::strlen(colon);
        if (head + name->size() + tail < static_cast<std::size_t>(size)) {
            std::memcpy(out, line, head);
            std::memcpy(out + head, name->data(), name->size());
            std::memcpy(out + head + name->size(), colon, tail + 1);
        }
        char pattern[kMediaPatternBufferSize];
        std::snprintf(pattern, sizeof pattern, ".MediaType UserType%d/", *number);
        if (!*list)
            list->emplace();
        (*list)->emplace_back(new std::string(pattern));
    }
    return true;
}

std::optional<std::string> AutoConfigUtility::replacementFilePath(ppd_file_t* ppd, const char* kind,
                                                                  const char* fileName) {
    if (!ppd || !ppd->nickname)
        return std::nullopt;
    char support[kTextBufferSize];
    if (!GetLocalApplicationSupportDirPath(support, sizeof support) || ppd->nickname[0] == '\0')
        return std::nullopt;
    const PropertyList* plist = optionMapping();
    const auto oem = plist ? plist->GetString("OEM Name") : std::nullopt;
    const auto oemName = oem ? CopyCString(*oem, kTextBufferSize) : std::nullopt;
    // A NickName too long for its buffer names no model folder.
    auto model = CopyCString(ppd->nickname, kTextBufferSize);
    if (!model)
        return std::nullopt;
    for (char& c : *model)
        if (c == '/')
            c = ':';
    char path[kTextBufferSize];
    const int length = std::snprintf(path, sizeof path, "%s/%s/%s/%s/%s", support,
                                     oemName.value_or("").c_str(), kind, model->c_str(), fileName);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof path)
        return std::nullopt;
    return std::string(path, static_cast<std::size_t>(length));
}

bool AutoConfigUtility::findColorSetting(ppd_file_t* ppd, const char* kind, const char* fileName) {
    const auto path = replacementFilePath(ppd, kind, fileName);
    std::FILE* file = path ? std::fopen(path->c_str(), "r") : nullptr;
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

bool AutoConfigUtility::insertColor(ppd_file_t* ppd, const char* kind, const char* fileName) {
    const auto path = replacementFilePath(ppd, kind, fileName);
    std::FILE* file = path ? std::fopen(path->c_str(), "r") : nullptr;
    if (!file)
        return false;
    char piece[1023];
    std::size_t length;
    while ((length = std::fread(piece, 1, sizeof piece, file)) > 0)
        writeLine(piece, length);
    if (std::ferror(file)) {
        std::fprintf(stderr, "queueconfig: cannot read %s\n", path->c_str());
        SetLastErrorType(kErrorPPDFile);
    }
    std::fclose(file);
    return true;
}

void AutoConfigUtility::writeLine(const char* line, std::size_t length) {
    // The length, not a NUL, ends a line: the PPD's own bytes all go out.
    std::fwrite(line, 1, length, m_Output);
}

void AutoConfigUtility::writeText(const char* text) {
    std::fputs(text, m_Output);
}
