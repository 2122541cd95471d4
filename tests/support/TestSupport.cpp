#include "TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qc-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_Path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_Path, ignored);
}

std::filesystem::path TempDir::Write(const std::filesystem::path& name,
                                     std::string_view content) const {
    const auto path = m_Path / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    return path;
}

ScopedEnv::ScopedEnv(std::string name, const std::optional<std::string>& value)
    : m_Name(std::move(name)) {
    if (const char* old = std::getenv(m_Name.c_str()))
        m_Saved = old;
    if (value)
        setenv(m_Name.c_str(), value->c_str(), 1);
    else
        unsetenv(m_Name.c_str());
}

ScopedEnv::~ScopedEnv() {
    if (m_Saved)
        setenv(m_Name.c_str(), m_Saved->c_str(), 1);
    else
        unsetenv(m_Name.c_str());
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
