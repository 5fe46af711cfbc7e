#include <dlfcn.h>

#include "dynamic_library.h"

namespace vorlane::host::platform {

void* openLibrary(const std::string& path, std::string* error) {
    // Local binding: two copies of one plug-in must not share their symbols.
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr && error != nullptr) {
        const char* reason = dlerror();
        *error = reason != nullptr ? reason : "unknown loader error";
    }
    return library;
}

void* findSymbol(void* library, const char* name) {
    return dlsym(library, name);
}

void closeLibrary(void* library) {
    dlclose(library);
}

}  // namespace vorlane::host::platform
