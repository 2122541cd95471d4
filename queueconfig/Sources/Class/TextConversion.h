// Conversions of text that USB printers and device URIs carry into the UTF-8
// strings the tool compares.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Replaces every percent escape ("%4D") by its byte. None when an escape is
// malformed or the result is not UTF-8 text.
std::optional<std::string> PercentDecode(std::string_view text);

// UTF-16 code units in little-endian byte order, as USB string descriptors
// hold them (an odd last byte is ignored). An unpaired surrogate becomes
// U+FFFD, so any descriptor gives text.
std::string UTF16LEToUTF8(std::string_view bytes);

// Mac Roman text, the encoding that printer device IDs are read in; every byte
// has a character, so any input gives text.
std::string MacRomanToUTF8(std::string_view bytes);
