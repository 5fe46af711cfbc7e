#include "module_loader.h"

#if !defined(_WIN32)
#include <dlfcn.h>

namespace vorlane::shader {
namespace {
thread_local DWORD tLastError = 0;
}  // namespace

FARPROC GetProcAddress(HMODULE module, const char* name) noexcept {
    // dlsym would read a null handle as the global scope (RTLD_DEFAULT) and
    // find the services in whatever happens to be loaded; a module handle
    // that was never given must find nothing.
    void* address = module != nullptr ? dlsym(module, name) : nullptr;
    if (address == nullptr) {
        tLastError = ERROR_PROC_NOT_FOUND;
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(address);
}

DWORD GetLastError() noexcept {
    return tLastError;
}

}  // namespace vorlane::shader
#endif
