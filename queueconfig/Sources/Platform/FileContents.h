// Reads a small resource file whole.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// The bytes of a regular file of at most `limit` bytes; none when it is
// missing, unreadable, not a regular file or larger than the limit.
std::optional<std::string> ReadFileContents(const std::filesystem::path& path,
                                            std::size_t limit = 16u << 20);
