#include "LanguagePreference.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::optional<std::string> nonEmpty(const EnvironmentLookup& env, const char* name) {
    auto value = env(name);
    if (value && value->empty())
        return std::nullopt;
    return value;
}

bool isPlainLocale(const std::string& locale) {
    return locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0;
}

// "ja_JP.UTF-8@euro" gives "ja_JP" and then "ja".
void addCandidates(std::string name, std::vector<std::string>& out) {
    name = name.substr(0, name.find_first_of(".@"));
    auto add = [&out](const std::string& s) {
        if (!s.empty() && std::find(out.begin(), out.end(), s) == out.end())
            out.push_back(s);
    };
    add(name);
    if (auto underscore = name.find('_'); underscore != std::string::npos)
        add(name.substr(0, underscore));
}

} // namespace

EnvironmentLookup ProcessEnvironment() {
    return [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (!value)
            return std::nullopt;
        return std::string(value);
    };
}

std::vector<std::string> PreferredLanguages(const EnvironmentLookup& env) {
    auto locale = nonEmpty(env, "LC_ALL");
    if (!locale)
        locale = nonEmpty(env, "LC_MESSAGES");
    if (!locale)
        locale = nonEmpty(env, "LANG");
    std::vector<std::string> out;
    if (!locale || isPlainLocale(*locale))
        return out;
    // As in gettext, LANGUAGE counts only once a real locale is chosen.
    if (auto list = nonEmpty(env, "LANGUAGE")) {
        std::size_t start = 0;
        while (start <= list->size()) {
            const auto end = std::min(list->find(':', start), list->size());
            if (end > start && !isPlainLocale(list->substr(start, end - start)))
                addCandidates(list->substr(start, end - start), out);
            start = end + 1;
        }
    }
    addCandidates(*locale, out);
    return out;
}
