#include "deliverable_paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <system_error>
#include <vector>

// The build sets VORLANE_PLUGIN_FILE and VORLANE_SHADER_LIBRARY_FILE, the
// deliverables' file names, and VORLANE_BUILD_PLUGIN_DIR and
// VORLANE_BUILD_SHADER_LIBRARY_DIR, their build directories relative to the
// programs' directory.

namespace vorlane::tools {
namespace {

namespace fs = std::filesystem;

// An installed tree: the kit in DIR, with the renderer's DIR/shaders, and the
// tools component in DIR/tools: the programs in tools/bin and the plug-in
// built against the stand-in host, which loads only there, in
// tools/plug-ins.
constexpr const char* kInstalledPluginDir = "../plug-ins";
constexpr const char* kInstalledShaderLibraryDir = "../../shaders";

std::string find(const fs::path& installedDir, const fs::path& buildDir, const char* file) {
    const fs::path program = programDirectory();
    const fs::path installed = (program / installedDir / file).lexically_normal();
    const fs::path built = (program / buildDir / file).lexically_normal();
    std::error_code ec;
    if (!fs::exists(installed, ec) && fs::exists(built, ec)) {
        return built.string();
    }
    return installed.string();
}

std::string relativeText(const char* installedDir, const char* buildDir, const char* file) {
    return (fs::path(installedDir) / file).generic_string() + " from the program's directory, or " +
           (fs::path(buildDir) / file).lexically_normal().generic_string() + " in the build tree";
}

}  // namespace

fs::path programDirectory() {
#ifdef _WIN32
    std::vector<wchar_t> name(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            return fs::path(std::wstring(name.data(), length)).parent_path();
        }
        name.resize(name.size() * 2);
    }
#else
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
#endif
}

std::string defaultPluginPath() {
    return find(kInstalledPluginDir, VORLANE_BUILD_PLUGIN_DIR, VORLANE_PLUGIN_FILE);
}

std::string defaultShaderLibraryPath() {
    return find(kInstalledShaderLibraryDir, VORLANE_BUILD_SHADER_LIBRARY_DIR,
                VORLANE_SHADER_LIBRARY_FILE);
}

std::string pluginDefaultText() {
    return relativeText(kInstalledPluginDir, VORLANE_BUILD_PLUGIN_DIR, VORLANE_PLUGIN_FILE);
}

std::string shaderLibraryDefaultText() {
    return relativeText(kInstalledShaderLibraryDir, VORLANE_BUILD_SHADER_LIBRARY_DIR,
                        VORLANE_SHADER_LIBRARY_FILE);
}

}  // namespace vorlane::tools
