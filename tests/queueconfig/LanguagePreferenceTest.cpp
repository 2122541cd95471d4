#include "Platform/LanguagePreference.h"

#include <gtest/gtest.h>
#include <map>

namespace {

EnvironmentLookup fakeEnvironment(std::map<std::string, std::string> vars) {
    return [vars](const char* name) -> std::optional<std::string> {
        auto it = vars.find(name);
        if (it == vars.end())
            return std::nullopt;
        return it->second;
    };
}

} // namespace

TEST(LanguagePreferenceTest, FollowsGettextsOrderOfVariables) {
    struct Case {
        const char* name;
        std::map<std::string, std::string> vars;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"nothing set", {}, {}},
        {"C locale", {{"LANG", "C"}}, {}},
        {"C.UTF-8 locale", {{"LANG", "C.UTF-8"}}, {}},
        {"POSIX ignores LANGUAGE", {{"LC_ALL", "POSIX"}, {"LANGUAGE", "ja"}}, {}},
        {"LANG with codeset", {{"LANG", "ja_JP.UTF-8"}}, {"ja_JP", "ja"}},
        {"modifier", {{"LANG", "de_DE@euro"}}, {"de_DE", "de"}},
        {"LC_ALL beats LANG", {{"LC_ALL", "fr_FR"}, {"LANG", "ja_JP"}}, {"fr_FR", "fr"}},
        {"LC_MESSAGES beats LANG", {{"LC_MESSAGES", "ja"}, {"LANG", "fr_FR"}}, {"ja"}},
        {"empty LC_ALL is unset", {{"LC_ALL", ""}, {"LANG", "ja_JP"}}, {"ja_JP", "ja"}},
        {"LANGUAGE list first",
         {{"LANG", "en_GB.UTF-8"}, {"LANGUAGE", "ja:de_AT::C"}},
         {"ja", "de_AT", "de", "en_GB", "en"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PreferredLanguages(fakeEnvironment(c.vars)), c.expected) << c.name;
}
