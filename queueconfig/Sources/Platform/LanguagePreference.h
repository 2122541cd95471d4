// Which message catalogues a user wants, in the order gettext would use them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Looks up an environment variable; none when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

EnvironmentLookup ProcessEnvironment();

// The catalogue names to try, most wanted first ("ja_JP", "ja", ...), from
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG. The C and POSIX locales want none:
// their users get the base table.
std::vector<std::string> PreferredLanguages(const EnvironmentLookup& env);
