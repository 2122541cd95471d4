// The bytes of what a fake USB printer says of itself on its default pipe,
// for the test printers on both sides of the tool's USB interface.
#pragma once

#include <string>

// A string descriptor of ASCII text: its length, type 3, the text in UTF-16LE.
inline std::string StringDescriptorBytes(const std::string& text) {
    std::string descriptor{static_cast<char>(2 + 2 * text.size()), '\x03'};
    for (const char c : text) {
        descriptor += c;
        descriptor += '\0';
    }
    return descriptor;
}

// A GET_DEVICE_ID reply: the ID's length, big-endian and counting its two
// length bytes, then the ID.
inline std::string DeviceIDReply(const std::string& id) {
    const std::size_t length = id.size() + 2;
    return std::string{static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)} + id;
}
