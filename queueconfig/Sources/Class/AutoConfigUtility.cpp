#include "AutoConfigUtility.h"

#include <cstdlib>
#include <cstring>
#include <cups/ppd.h>

#include "../Platform/MainBundle.h"
#include "../Platform/StandardAlert.h"
#include "Error.h"
#include "Utility.h"

void AutoConfigUtility::PPDCloser::operator()(ppd_file_t* ppd) const {
    ppdClose(ppd);
}

AutoConfigUtility::AutoConfigUtility(EventLoop& eventLoop, SocketCalls& sockets)
    : m_EventLoop(eventLoop), m_Sockets(sockets) {}

AutoConfigUtility::~AutoConfigUtility() = default;

std::optional<std::string> AutoConfigUtility::ppdPathText() const {
    // A path that is not UTF-8 is held as none and a path that overruns the
    // fixed buffer cannot be named; either way there is no PPD to read.
    return m_PPDPath ? CopyCString(*m_PPDPath, kTextBufferSize) : std::nullopt;
}

ppd_file_t* AutoConfigUtility::parsedPPD() {
    if (!m_PPDParsed) {
        m_PPDParsed = true;
        const auto path = ppdPathText();
        m_PPD.reset(path ? ppdOpenFile(path->c_str()) : nullptr);
    }
    return m_PPD.get();
}

const PropertyList* AutoConfigUtility::optionMapping() {
    if (!m_OptionMappingRead) {
        m_OptionMappingRead = true;
        getPlist(m_OptionMapping);
    }
    return m_OptionMapping ? &*m_OptionMapping : nullptr;
}

void AutoConfigUtility::DoInit(const Argument* arguments) {
    const Argument::Array* array = arguments ? arguments->GetArrayRef() : nullptr;
    if (!array || array->size() <= 2)
        std::exit(1);

    InstallTimeoutEventHandler();
    m_DeviceURI = (*array)[1];
    m_PPDPath = (*array)[2];
    m_PPD.reset();
    m_PPDParsed = false;
    m_OptionMapping.reset();
    m_OptionMappingRead = false;

    switch (m_PrintQueueArray.CreateQueueWithName(m_DeviceURI)) {
    case 0:
        (void)CreateAutoConfigwithPrinter();
        break;
    case -108:
        SetLastErrorType(kErrorOutOfMemory);
        break;
    default:
        SetLastErrorType(kErrorQueueList);
        break;
    }
}

void AutoConfigUtility::InstallTimeoutEventHandler() {
    m_EventLoop.InstallTimer(kIdleInterval, kIdleInterval,
                             [this](EventLoop& loop, auto) { DoIdleEventProc(loop, this); });
    m_EventLoop.InstallTimer(kQuitInterval, kQuitInterval,
                             [this](EventLoop& loop, auto) { DoQuitEventProc(loop, this); });
}

void AutoConfigUtility::DoIdleEventProc(EventLoop& loop, void* userData) {
    auto* self = static_cast<AutoConfigUtility*>(userData);
    if (self->GetAutoConfig())
        loop.Quit();
}

void AutoConfigUtility::DoQuitEventProc(EventLoop& loop, void*) {
    if (GetLastErrorType() == kErrorNone)
        SetLastErrorType(kErrorNoAnswer);
    loop.Quit();
}

int AutoConfigUtility::getPlist(std::optional<PropertyList>& out) const {
    const auto path = MainBundle::Main().ResourcePath(MainBundle::kExecutableName, "plist");
    if (!path)
        return 0;
    if (auto plist = PropertyList::Load(*path))
        out = std::move(plist);
    return 0;
}

int AutoConfigUtility::showAlert(int type) {
    const PropertyList* plist = optionMapping();
    if (!plist)
        return 0;
    const auto switchText = plist->GetString("InstallOptionError Key");
    const auto switchName = switchText ? CopyCString(*switchText, kTextBufferSize) : std::nullopt;
    if (!switchName)
        return 0;
    ppd_file_t* ppd = parsedPPD();
    if (!ppd)
        return 0;
    const ppd_attr_t* attr = ppdFindAttr(ppd, switchName->c_str(), nullptr);
    if (attr && attr->value && std::strcmp(attr->value, "True") == 0)
        (void)RunStandardAlert(GetErrorMessage(static_cast<short>(type)));
    return 0;
}
