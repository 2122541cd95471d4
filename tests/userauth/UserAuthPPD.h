// PPD files for the user-authentication entries: the example queue's PPD
// with the test's own lines appended, opened with libcups.
#pragma once

#include "EncryptDecrypt.h"
#include "TestSupport.h"

#include <cups/ppd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

struct PPDCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
using PPDFile = std::unique_ptr<ppd_file_t, PPDCloser>;

enum class PPDLineEnds { kLF, kCRLF };

// Writes the example PPD followed by extraLines (each ending in LF) to dir.
std::filesystem::path WriteUserAuthPPD(const TempDir& dir, std::string_view extraLines,
                                       PPDLineEnds ends = PPDLineEnds::kLF);

// The PPD as libcups reads it; null (with a test failure) when it does not parse.
PPDFile OpenPPD(const std::filesystem::path& path);

// The line "*<keyword>: "<value>"" of an entry (the value may span lines).
std::string PPDEntry(std::string_view keyword, std::string_view value);

// The bytes scrambled to hex text by the given EncryptData: the routine
// itself, or the one a loaded bundle exports.
std::string ScrambledHex(std::string_view bytes, decltype(&EncryptData) encrypt);
