// The tool's installed resources: its property list and its message catalogues.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "LanguagePreference.h"

class MainBundle {
public:
    // The bundle of the running tool, for the user's language settings.
    static MainBundle Main(const EnvironmentLookup& env = ProcessEnvironment());

    // `languages` most wanted first; the English base table is always tried last.
    MainBundle(std::optional<std::filesystem::path> resourceDir,
               std::vector<std::string> languages);

    // The path of resource `name`.`type` when such a file exists.
    std::optional<std::filesystem::path> ResourcePath(std::string_view name,
                                                      std::string_view type) const;

    // The text of `key` in the first catalogue that has it, or the key itself.
    std::string LocalizedString(std::string_view key) const;

    static constexpr const char* kExecutableName = "queueconfig";
    static constexpr const char* kBaseLanguage = "en";

private:
    std::optional<std::filesystem::path> m_ResourceDir;
    std::vector<std::string> m_Languages;
};
