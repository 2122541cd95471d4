// The printer queries of a run: the user code of every queue's printer, and
// the current choice of one installable option of the PPD.
#include "AutoConfigUtility.h"

#include <cstdio>
#include <cstring>

#include "PrinterCommandCreater.h"
#include "PrinterPortCreater.h"
#include "ReplaceTable.h"
#include "SnmpUserCodeRequest.h"

namespace {

constexpr char kUserCodeRequestPJL[] = "\x1b%-12345X@PJL DINQUIRE VELUSER\r\n\x1b%-12345X";
constexpr char kUserCodeHeader[] = "@PJL DINQUIRE VELUSER\r\n";

// Formats into a request buffer; false when the text would be cut, since a
// cut request would reach the printer without its closing universal exit.
template <std::size_t N>
bool formatRequest(char (&buffer)[N], const char* format, const char* value) {
    const int length = std::snprintf(buffer, N, format, value);
    return length >= 0 && static_cast<std::size_t>(length) < N;
}

// Copies a value into a caller's buffer of `size` bytes, cut to size - 1.
void copyAnswer(const std::string& value, char* out, int size) {
    std::snprintf(out, static_cast<std::size_t>(size), "%s", value.c_str());
}

} // namespace

bool AutoConfigUtility::CreateAutoConfigwithPrinter() {
    const int count = m_PrintQueueArray.GetCount();
    const auto& names = m_PrintQueueArray.GetNames();
    const auto& ids = m_PrintQueueArray.GetIDs();
    const auto& uris = m_PrintQueueArray.GetURIs();

    m_PortArray.emplace();
    m_UserCodeArray.emplace();
    m_PortArray->reserve(static_cast<std::size_t>(count));
    m_UserCodeArray->reserve(static_cast<std::size_t>(count));
    PrinterPortCreater creater;
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        m_PortArray->push_back(
            creater.CreatePort(uris[i], names[i], ids[i], m_EventLoop, m_Sockets));
        m_UserCodeArray->push_back(std::nullopt);
    }
    return GetAutoConfig();
}

bool AutoConfigUtility::GetAutoConfig() {
    if (!m_PortArray || !m_UserCodeArray)
        return false;
    bool result = true;
    for (std::size_t i = 0; i < m_PortArray->size(); ++i) {
        PrinterPort* port = (*m_PortArray)[i].get();
        if (!port || (*m_UserCodeArray)[i])
            continue;
        if (auto code = askUserCode(*port))
            (*m_UserCodeArray)[i] = std::move(code);
        else
            result = false;
    }
    return result;
}

std::optional<std::string> AutoConfigUtility::askUserCode(PrinterPort& port) const {
    // The code goes into the PPD and names property-list keys: it is C text,
    // and a reply with control bytes in it is no code.
    const auto usable = [](std::optional<std::string> reply) -> std::optional<std::string> {
        if (!reply)
            return std::nullopt;
        reply->resize(std::strlen(reply->c_str()));
        if (!IsPrintableText(*reply))
            return std::nullopt;
        return reply;
    };
    const auto& snmp = kSnmpUserCodeRequest;
    if (auto code = usable(port.CreateReplyCopy(reinterpret_cast<const char*>(snmp.data()),
                                                snmp.size(), CommandLanguageMIB)))
        return code;

    return usable(
        askPJLValue(port, kUserCodeRequestPJL, sizeof kUserCodeRequestPJL, kUserCodeHeader));
}

std::optional<std::string> AutoConfigUtility::askPJLValue(PrinterPort& port, const char* request,
                                                          unsigned long length,
                                                          const char* header) const {
    const auto reply = port.CreateReplyCopy(request, length, CommandLanguagePJL);
    if (!reply)
        return std::nullopt;
    const auto codec = PrinterCommandCreater().CreateCommand(CommandLanguagePJL);
    return codec ? codec->CreateValueCopyWithReplyHeader(*reply, header) : std::nullopt;
}

std::optional<std::string> AutoConfigUtility::GetUserCode(std::size_t index) const {
    if (!m_UserCodeArray || index >= m_UserCodeArray->size())
        return std::nullopt;
    return (*m_UserCodeArray)[index];
}

PrinterPort* AutoConfigUtility::firstPort() const {
    if (!m_PortArray || m_PortArray->empty())
        return nullptr;
    return m_PortArray->front().get();
}

std::optional<std::string> AutoConfigUtility::askOption(const char* format, const char* query,
                                                        _CommandLanguage language) const {
    char request[kTextBufferSize];
    if (!formatRequest(request, format, query))
        return std::nullopt;
    PrinterPort* port = firstPort();
    const auto codec = PrinterCommandCreater().CreateCommand(language);
    if (!port || !codec)
        return std::nullopt;
    auto reply = port->CreateReplyCopy(request, sizeof request, language);
    if (!reply)
        return std::nullopt;
    return codec->CreateDefaultOptionDataCopy(*reply);
}

bool AutoConfigUtility::getQueryDefaultOption(const char* keyword, char* answer, int size) {
    ppd_file_t* ppd = parsedPPD();
    if (!ppd || !keyword || !answer || size <= 0)
        return false;

    // Attribute names longer than libcups keeps are cut as libcups cuts them.
    char name[kAnswerBufferSize];
    std::snprintf(name, sizeof name, "?VLPJL%s", keyword);
    const ppd_attr_t* pjl = ppdFindAttr(ppd, name, nullptr);
    if (pjl && pjl->value && *pjl->value) {
        const auto text =
            askOption("\x1b%%-12345X%s\r\n\x1b%%-12345X", pjl->value, CommandLanguagePJL);
        ppd_attr_t* match = nullptr;
        if (!text || !getDefaultOptionPJL(ppd, keyword, text->c_str(), &match))
            return false;
        copyAnswer(match->spec, answer, size);
        return true;
    }

    std::snprintf(name, sizeof name, "?%s", keyword);
    const ppd_attr_t* ps = ppdFindAttr(ppd, name, nullptr);
    if (!ps || !ps->value || !*ps->value)
        return false;
    auto text = askOption("\x1b%%-12345X%%!\n%s\n\x04\x1b%%-12345X", ps->value, CommandLanguagePS);
    // A printer that ends its lines with CR LF leaves the CR on the answer.
    if (text && text->ends_with('\r'))
        text->pop_back();
    // The answer becomes a PPD line of its own: a line end in it would add lines.
    if (!text || text->empty() || !IsPrintableText(*text))
        return false;
    copyAnswer(*text, answer, size);
    return true;
}

bool AutoConfigUtility::getDefaultOptionPJL(ppd_file_t* ppd, const char* keyword, const char* reply,
                                            ppd_attr_t** match) {
    if (!match)
        return false;
    *match = nullptr;
    if (!ppd || !keyword || !reply)
        return false;
    char name[kAnswerBufferSize];
    std::snprintf(name, sizeof name, "VLPJL%s", keyword);
    for (ppd_attr_t* attr = ppdFindAttr(ppd, name, nullptr); attr;
         attr = ppdFindNextAttr(ppd, name, nullptr)) {
        *match = attr;
        if (attr->value && std::strstr(reply, attr->value))
            return true;
    }
    *match = nullptr;
    return false;
}

bool AutoConfigUtility::isReplacePPD(const char* text, char* out, int size,
                                     const PropertyList* plist, const char* code,
                                     const char* kind) {
    if (!text || !out || size <= 0)
        return false;
    const auto table = ReplaceTable::Load(plist, code, kind);
    const auto replacement = table ? table->Find(text) : std::nullopt;
    if (!replacement)
        return false;
    std::snprintf(out, static_cast<std::size_t>(size), "%.*s",
                  static_cast<int>(replacement->size()), replacement->data());
    return true;
}
