#include "FakeWhoami.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string pathWithFirst(const std::filesystem::path& folder) {
    const char* path = std::getenv("PATH");
    return folder.string() + ":" + (path != nullptr ? path : "/usr/bin:/bin");
}

} // namespace

FakeWhoami::FakeWhoami(std::string_view printed) : m_Path("PATH", pathWithFirst(m_Dir.Path())) {
    Prints(printed);
    // The script hands out a file's bytes, so any byte (NUL, CR) reaches the reader.
    const auto script = m_Dir.Write("whoami", "#!/bin/sh\nexec cat '" +
                                                  (m_Dir.Path() / "printed").string() + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
}

void FakeWhoami::Prints(std::string_view printed) const {
    m_Dir.Write("printed", printed);
}
