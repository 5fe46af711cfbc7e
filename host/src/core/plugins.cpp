#include <cstring>
#include <filesystem>
#include <typeinfo>

#include "../platform/dynamic_library.h"
#include "host_state.h"

namespace vorlane::host::core {
namespace {

bool fail(std::string* error, const std::string& text) {
    if (error != nullptr) {
        *error = text;
    }
    return false;
}

// The plug-in's MApiVersion text, read no further than a short bound.
std::string versionText(const char* text) {
    constexpr std::size_t kLongest = 16;
    std::size_t length = 0;
    while (length < kLongest && text[length] != '\0') {
        ++length;
    }
    return std::string(text, length);
}

// The names under which the host finds a plug-in's entry points. Windows
// looks up the plain names, which the plug-in's linker options give the C++
// functions. Linux looks up the C++ names of MStatus initializePlugin(MObject)
// and uninitializePlugin(MObject); the mangled name of MObject is its type
// name, so they follow whatever namespace the headers declare MObject in.
#if defined(_WIN32)
const std::string kInitializeName = "initializePlugin";
const std::string kUninitializeName = "uninitializePlugin";
#else
const std::string kInitializeName = std::string("_Z16initializePlugin") + typeid(MObject).name();
const std::string kUninitializeName =
    std::string("_Z18uninitializePlugin") + typeid(MObject).name();
#endif

}  // namespace

PluginRecord* pluginFrom(const MObject& object) {
    MHostRecord* record = object.record();
    return record != nullptr && record->kind == MHostRecord::kPluginRecord
               ? static_cast<PluginRecord*>(record)
               : nullptr;
}

bool HostState::loadPlugin(const std::string& path, std::string* error) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) {
        return fail(error, "cannot load plug-in \"" + path + "\": no such file");
    }
    const std::string canonical = std::filesystem::weakly_canonical(path, ignored).string();
    for (const auto& loaded : plugins_) {
        if (loaded->path == canonical) {
            return fail(error, "plug-in \"" + path + "\" is already loaded");
        }
    }
    std::string reason;
    void* library = platform::openLibrary(canonical, &reason);
    if (library == nullptr) {
        return fail(error, "cannot load plug-in \"" + path + "\": " + reason);
    }
    const auto refuse = [&](const std::string& why) {
        platform::closeLibrary(library);
        return fail(error, "cannot load plug-in \"" + path + "\": " + why);
    };
    const auto* apiVersion = static_cast<const char*>(platform::findSymbol(library, "MApiVersion"));
    if (apiVersion == nullptr) {
        return refuse("it exports no MApiVersion, so it is not a plug-in");
    }
    const std::string version = versionText(apiVersion);
    if (version != Host::kApiVersion) {
        return refuse("it was built for API version \"" + version + "\", this host has \"" +
                      Host::kApiVersion + "\"");
    }
    auto plugin = std::make_unique<PluginRecord>();
    plugin->path = canonical;
    plugin->library = library;
    plugin->initialize =
        reinterpret_cast<PluginEntry>(platform::findSymbol(library, kInitializeName.c_str()));
    plugin->uninitialize =
        reinterpret_cast<PluginEntry>(platform::findSymbol(library, kUninitializeName.c_str()));
    if (plugin->initialize == nullptr || plugin->uninitialize == nullptr) {
        std::string why = "it does not export both entry points, " + kInitializeName + " and " +
                          kUninitializeName;
#if !defined(_WIN32)
        if (platform::findSymbol(library, "initializePlugin") != nullptr) {
            why +=
                ": it exports initializePlugin under its plain name, which this host does "
                "not look up on Linux";
        }
#endif
        return refuse(why);
    }
    PluginRecord& record = *plugin;
    plugins_.push_back(std::move(plugin));
    const MStatus status = record.initialize(MObject(&record));
    if (!status) {
        errors() << "// Error: initializePlugin of \"" << path << "\" failed." << std::endl;
        removeTypesOf(record);
        plugins_.pop_back();
        platform::closeLibrary(library);
        return fail(error, "initializePlugin of \"" + path + "\" failed");
    }
    return true;
}

bool HostState::unloadPlugin(const std::string& path, std::string* error) {
    std::error_code ignored;
    const std::string canonical = std::filesystem::weakly_canonical(path, ignored).string();
    auto found = plugins_.begin();
    while (found != plugins_.end() && (*found)->path != canonical && (*found)->path != path) {
        ++found;
    }
    if (found == plugins_.end()) {
        return fail(error, "plug-in \"" + path + "\" is not loaded");
    }
    PluginRecord& record = **found;
    if (hasNodesOf(record)) {
        return fail(error, "cannot unload plug-in \"" + path + "\": nodes of its types exist");
    }
    const MStatus status = record.uninitialize(MObject(&record));
    if (!status) {
        errors() << "// Warning: uninitializePlugin of \"" << path << "\" failed." << std::endl;
    }
    // Types the plug-in left registered cannot outlive its code.
    removeTypesOf(record);
    void* library = record.library;
    plugins_.erase(found);
    platform::closeLibrary(library);
    return true;
}

}  // namespace vorlane::host::core
