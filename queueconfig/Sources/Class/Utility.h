// Small helpers of the tool: fixed-size text buffers and the data folder.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Most text passes into C strings through buffers of this size.
inline constexpr std::size_t kTextBufferSize = 2048;

// The text as C sees it: up to its first NUL.
std::string_view CText(std::string_view text);

// The text as a C string that fits a buffer of `bufferSize` bytes with its NUL,
// cut at an embedded NUL as C would see it; none when it does not fit.
std::optional<std::string> CopyCString(std::string_view text, std::size_t bufferSize);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUTF8(std::string_view bytes);

// Whether text a printer gave can stand inside one PPD line: no NUL, no line
// end, no other control byte. Bytes from 0x80 up pass (UTF-8, Latin-1).
bool IsPrintableText(std::string_view text);

// Whether the C text `line` begins with all of `text`.
bool BeginsWith(const char* line, std::string_view text);

// Copies `path` into the buffer when it fits with its NUL (at most size - 1
// bytes); otherwise, or for a null buffer, leaves the buffer as it was.
bool CopyPathIntoBuffer(std::string_view path, char* buffer, unsigned long size);

// The machine-wide data folder below which the product keeps its per-model
// replacement files.
bool GetLocalApplicationSupportDirPath(char* buffer, unsigned long size);
