// Helpers shared by the tests: temporary folders, environment changes that
// undo themselves, and files written in one call.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return m_Path; }
    // Writes `content` to `name` below the folder (making folders on the way).
    std::filesystem::path Write(const std::filesystem::path& name, std::string_view content) const;

private:
    std::filesystem::path m_Path;
};

// Sets (or with none, unsets) an environment variable for the object's lifetime.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::optional<std::string>& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_Name;
    std::optional<std::string> m_Saved;
};

std::string ReadFile(const std::filesystem::path& path);
