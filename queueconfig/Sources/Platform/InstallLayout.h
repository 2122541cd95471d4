// Where the installed tool keeps its files, found from the executable's own
// location so that no environment is needed; tests move them with variables.
#pragma once

#include <filesystem>
#include <optional>

#include "LanguagePreference.h"

// The folder that holds the running executable.
std::optional<std::filesystem::path> ExecutableDirectory();

// share/queueconfig of the installation, or $QUEUECONFIG_RESOURCE_DIR.
std::optional<std::filesystem::path> ResourceDirectory(const EnvironmentLookup& env);

// share/ of the installation (the machine-wide data folder), or $QUEUECONFIG_SUPPORT_DIR.
std::optional<std::filesystem::path> DataDirectory(const EnvironmentLookup& env);
