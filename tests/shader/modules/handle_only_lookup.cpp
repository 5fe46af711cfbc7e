// The shader library's service lookup as it was before it looked in the
// renderer's process: only in a module handed over through
// miSetModuleHandle, and nothing without one. Linked with the library's other
// sources, it makes the library that the Linux renderer, which hands no
// module, leaves without light.
#include <dlfcn.h>

#include <cstdint>

#include "module_loader.h"

namespace vorlane::shader {

namespace {
thread_local DWORD tLastError = 0;
}  // namespace

FARPROC findService(HMODULE module, const char* name) {
    void* address = module != nullptr ? dlsym(module, name) : nullptr;
    if (address == nullptr) {
        tLastError = ERROR_PROC_NOT_FOUND;
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(reinterpret_cast<std::uintptr_t>(address));
}

DWORD lastLookupError() {
    return tLastError;
}

}  // namespace vorlane::shader
