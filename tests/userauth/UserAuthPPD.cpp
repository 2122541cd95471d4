#include "UserAuthPPD.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string withCRLF(std::string_view text) {
    std::string converted;
    for (const char c : text) {
        if (c == '\n') {
            converted += '\r';
        }
        converted += c;
    }
    return converted;
}

} // namespace

std::filesystem::path WriteUserAuthPPD(const TempDir& dir, std::string_view extraLines,
                                       PPDLineEnds ends) {
    std::string ppd = ReadFile(std::filesystem::path(QC_EXAMPLES_DIR) / "Velmark-CL7200.ppd");
    ppd += extraLines;
    return dir.Write("Velmark-CL7200.ppd", ends == PPDLineEnds::kCRLF ? withCRLF(ppd) : ppd);
}

PPDFile OpenPPD(const std::filesystem::path& path) {
    PPDFile ppd(ppdOpenFile(path.c_str()));
    if (!ppd) {
        int line = 0;
        ADD_FAILURE() << "libcups cannot read " << path << ": "
                      << ppdErrorString(ppdLastError(&line)) << " on line " << line;
    }
    return ppd;
}

std::string PPDEntry(std::string_view keyword, std::string_view value) {
    return "*" + std::string(keyword) + ": \"" + std::string(value) + "\"\n";
}

std::string ScrambledHex(std::string_view bytes, decltype(&EncryptData) encrypt) {
    std::string hex(2 * bytes.size() + 1, '\0');
    auto capacity = static_cast<uint32_t>(hex.size());
    if (encrypt(reinterpret_cast<const unsigned char*>(bytes.data()),
                static_cast<uint32_t>(bytes.size()), hex.data(), &capacity) != 1) {
        ADD_FAILURE() << "cannot scramble " << bytes.size() << " bytes";
        return {};
    }
    hex.resize(capacity);
    return hex;
}
