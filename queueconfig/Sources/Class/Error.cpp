#include "Error.h"

#include "../Platform/MainBundle.h"

namespace {

short last_error_type = kErrorNone;

} // namespace

void SetLastErrorType(short type) {
    last_error_type = type;
}

short GetLastErrorType() {
    return last_error_type;
}

const char* GetErrorMessageKey(short type) {
    switch (type) {
    case kErrorUSBOpen:
        return "open_connection_err_usb";
    case kErrorConnection:
        return "conection_err";
    case kErrorNoAnswer:
        return "cannot_find_ip";
    case kErrorBusyOffline:
        return "printer_is_busy_offline";
    case kErrorDeviceOption:
        return "IDS_FAIL_GETDEVICEOPTION";
    default:
        return "unknown_err";
    }
}

std::string GetErrorMessage(short type) {
    return MainBundle::Main().LocalizedString(GetErrorMessageKey(type));
}
