#include "Utility.h"

#include <cstring>

#include "../Platform/InstallLayout.h"

std::string_view CText(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::optional<std::string> CopyCString(std::string_view text, std::size_t bufferSize) {
    text = CText(text);
    if (text.size() >= bufferSize)
        return std::nullopt;
    return std::string(text);
}

bool IsValidUTF8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length;
        char32_t code;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (bytes.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool IsPrintableText(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return false;
    }
    return true;
}

bool BeginsWith(const char* line, std::string_view text) {
    return std::strncmp(line, text.data(), text.size()) == 0;
}

bool CopyPathIntoBuffer(std::string_view path, char* buffer, unsigned long size) {
    if (!buffer || path.size() >= size)
        return false;
    std::memcpy(buffer, path.data(), path.size());
    buffer[path.size()] = '\0';
    return true;
}

bool GetLocalApplicationSupportDirPath(char* buffer, unsigned long size) {
    const auto folder = DataDirectory(ProcessEnvironment());
    if (!folder)
        return false;
    return CopyPathIntoBuffer(folder->string(), buffer, size);
}
