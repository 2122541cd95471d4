#include "AutoConfigUtility.h"

#include <cstdlib>
#include <cstring>
#include <cups/ppd.h>
#include <memory>

#include "../Platform/MainBundle.h"
#include "../Platform/StandardAlert.h"
#include "Error.h"
#include "Utility.h"

namespace {

using PPDHandle = std::unique_ptr<ppd_file_t, decltype(&ppdClose)>;

PPDHandle openPPD(const std::optional<std::string>& path) {
    // A path that is not UTF-8 is held as none and a path that overruns the
    // fixed buffer cannot be named; either way there is no PPD to read.
    const auto cPath = path ? CopyCString(*path, AutoConfigUtility::kTextBufferSize) : std::nullopt;
    return PPDHandle(cPath ? ppdOpenFile(cPath->c_str()) : nullptr, &ppdClose);
}

} // namespace

AutoConfigUtility::AutoConfigUtility(EventLoop& eventLoop) : m_EventLoop(eventLoop) {}

void AutoConfigUtility::DoInit(const Argument* arguments) {
    const Argument::Array* array = arguments ? arguments->GetArrayRef() : nullptr;
    if (!array || array->size() <= 2)
        std::exit(1);

    InstallTimeoutEventHandler();
    m_DeviceURI = (*array)[1];
    m_PPDPath = (*array)[2];

    switch (m_PrintQueueArray.CreateQueueWithName(m_DeviceURI)) {
    case 0:
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

bool AutoConfigUtility::GetAutoConfig() {
    // No printer has been asked, so no pass can report that all have answered.
    return false;
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
    std::optional<PropertyList> plist;
    getPlist(plist);
    if (!plist)
        return 0;
    const auto switchText = plist->GetString("InstallOptionError Key");
    const auto switchName = switchText ? CopyCString(*switchText, kTextBufferSize) : std::nullopt;
    if (!switchName)
        return 0;
    PPDHandle ppd = openPPD(m_PPDPath);
    if (!ppd)
        return 0;
    const ppd_attr_t* attr = ppdFindAttr(ppd.get(), switchName->c_str(), nullptr);
    if (attr && attr->value && std::strcmp(attr->value, "True") == 0)
        (void)RunStandardAlert(GetErrorMessage(static_cast<short>(type)));
    return 0;
}
