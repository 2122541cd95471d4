#include "InstallLayout.h"

#include <system_error>

#ifndef QUEUECONFIG_RELATIVE_DATADIR
#error "QUEUECONFIG_RELATIVE_DATADIR must name share/ relative to bin/"
#endif

namespace {

std::optional<std::filesystem::path> fromEnvironment(const EnvironmentLookup& env,
                                                     const char* name) {
    auto value = env(name);
    if (!value || value->empty())
        return std::nullopt;
    return std::filesystem::path(*value);
}

} // namespace

std::optional<std::filesystem::path> ExecutableDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || exe.empty())
        return std::nullopt;
    return exe.parent_path();
}

// share/ of the installation, found as QUEUECONFIG_RELATIVE_DATADIR from bin/.
static std::optional<std::filesystem::path> installedDataDirectory() {
    auto bin = ExecutableDirectory();
    if (!bin)
        return std::nullopt;
    return (*bin / QUEUECONFIG_RELATIVE_DATADIR).lexically_normal();
}

std::optional<std::filesystem::path> DataDirectory(const EnvironmentLookup& env) {
    if (auto moved = fromEnvironment(env, "QUEUECONFIG_SUPPORT_DIR"))
        return moved;
    return installedDataDirectory();
}

std::optional<std::filesystem::path> ResourceDirectory(const EnvironmentLookup& env) {
    if (auto moved = fromEnvironment(env, "QUEUECONFIG_RESOURCE_DIR"))
        return moved;
    auto share = installedDataDirectory();
    if (!share)
        return std::nullopt;
    return *share / "queueconfig";
}
