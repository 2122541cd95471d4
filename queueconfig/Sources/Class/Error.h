// The process-wide error type of the tool: set by whatever fails, never cleared.
#pragma once

#include <string>

enum ErrorType : short {
    kErrorNone = 0,
    kErrorOutOfMemory = 3,
    kErrorUSBOpen = 9,
    kErrorConnection = 10,
    kErrorQueueList = 11,
    kErrorNoAnswer = 12,
    kErrorBusyOffline = 16,
    kErrorWrongUSBPrinter = 17,
    kErrorDeviceOption = 24,
    kErrorUSBWriteTimeout = 25,
    kErrorEmptyReply = 27,
    kErrorUnterminatedReply = 28,
    kErrorNoEcho = 29,
    // The PPD could not be read, or the new PPD not written, in full.
    kErrorPPDFile = 30,
};

void SetLastErrorType(short type);
short GetLastErrorType();

// The message key of a type: its own for 9, 10, 12, 16 and 24, "unknown_err"
// for every other value.
const char* GetErrorMessageKey(short type);

// The localized text of the type's message key (the key itself when no
// catalogue has it).
std::string GetErrorMessage(short type);
