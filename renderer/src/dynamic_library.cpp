#include "dynamic_library.h"

#include <shader.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vorlane::renderer::detail {

#if defined(_WIN32)

void* openLibrary(const std::string& path, std::string& error) noexcept {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        error = "error " + std::to_string(GetLastError());
    }
    return reinterpret_cast<void*>(module);
}

void closeLibrary(void* handle) noexcept {
    if (handle != nullptr) {
        FreeLibrary(static_cast<HMODULE>(handle));
    }
}

void* findSymbol(void* handle, const char* name) noexcept {
    if (handle == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void* ownModule() noexcept {
    static const HMODULE module = [] {
        HMODULE m = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCSTR>(&mi_phen_eval), &m);
        return m;
    }();
    return reinterpret_cast<void*>(module);
}

#else

void* openLibrary(const std::string& path, std::string& error) noexcept {
    // Local scope: the library sees only its own symbols and its dependencies,
    // as a shader library loaded by the renderer does.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* message = dlerror();
        error = message != nullptr ? message : "unknown loader error";
    }
    return handle;
}

void closeLibrary(void* handle) noexcept {
    if (handle != nullptr) {
        dlclose(handle);
    }
}

void* findSymbol(void* handle, const char* name) noexcept {
    // A null handle would mean the global scope to dlsym; here it finds nothing.
    if (handle == nullptr) {
        return nullptr;
    }
    return dlsym(handle, name);
}

void* ownModule() noexcept {
    static void* const module = [] {
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(&mi_phen_eval), &info) == 0 ||
            info.dli_fname == nullptr) {
            return static_cast<void*>(nullptr);
        }
        return dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    }();
    return module;
}

#endif

}  // namespace vorlane::renderer::detail
