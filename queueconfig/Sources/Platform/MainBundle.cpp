#include "MainBundle.h"

#include <system_error>

#include "InstallLayout.h"
#include "MessageCatalog.h"

MainBundle MainBundle::Main(const EnvironmentLookup& env) {
    return MainBundle(ResourceDirectory(env), PreferredLanguages(env));
}

MainBundle::MainBundle(std::optional<std::filesystem::path> resourceDir,
                       std::vector<std::string> languages)
    : m_ResourceDir(std::move(resourceDir)), m_Languages(std::move(languages)) {
    m_Languages.push_back(kBaseLanguage);
}

std::optional<std::filesystem::path> MainBundle::ResourcePath(std::string_view name,
                                                              std::string_view type) const {
    if (!m_ResourceDir)
        return std::nullopt;
    auto path = *m_ResourceDir / (std::string(name) + "." + std::string(type));
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    return path;
}

std::string MainBundle::LocalizedString(std::string_view key) const {
    if (!m_ResourceDir)
        return std::string(key);
    for (const auto& language : m_Languages) {
        const auto file = *m_ResourceDir / "locale" / language / "LC_MESSAGES" /
                          (std::string(kExecutableName) + ".mo");
        if (auto catalog = MessageCatalog::Load(file))
            if (const std::string* text = catalog->Find(key))
                return *text;
    }
    return std::string(key);
}
