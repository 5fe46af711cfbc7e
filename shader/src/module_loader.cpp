#include <vorlane/linux_symbol_versions.h>

#include "module_loader.h"

#if !defined(_WIN32)
#include <dlfcn.h>

#include <cstddef>

namespace vorlane {
namespace shader {
namespace {
// Per thread, as Windows keeps it. __thread is the compilers' own form, older
// than the language's thread_local.
__thread DWORD tLastError = 0;
}  // namespace

FARPROC GetProcAddress(HMODULE module, const char* name) {
    // dlsym would read a null handle as the global scope (RTLD_DEFAULT) and
    // find the services in whatever happens to be loaded; a module handle
    // that was never given must find nothing.
    void* address = module != NULL ? dlsym(module, name) : NULL;
    if (address == NULL) {
        tLastError = ERROR_PROC_NOT_FOUND;
        return NULL;
    }
    // An object pointer becomes a function pointer through an integer of its
    // size: the one conversion between the two that C++98 allows.
    return reinterpret_cast<FARPROC>(reinterpret_cast<std::size_t>(address));
}

DWORD GetLastError() {
    return tLastError;
}

}  // namespace shader
}  // namespace vorlane
#endif
