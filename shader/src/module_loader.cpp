// RTLD_DEFAULT is an extension of the GNU C library; GCC and Clang ask for the
// extensions in C++ already, this says so where the file needs them.
#if !defined(_WIN32) && !defined(_GNU_SOURCE)
#define _GNU_SOURCE
#endif

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

FARPROC findService(HMODULE module, const char* name) {
    // The global scope is the renderer's executable and the libraries it was
    // linked with, which export the services, then the ones loaded as global.
    // This library's own stubs of the same names are hidden, so they are
    // never found in place of the renderer's.
    void* address = dlsym(module != NULL ? module : RTLD_DEFAULT, name);
    if (address == NULL) {
        tLastError = ERROR_PROC_NOT_FOUND;
        return NULL;
    }
    // An object pointer becomes a function pointer through an integer of its
    // size: the one conversion between the two that C++98 allows.
    return reinterpret_cast<FARPROC>(reinterpret_cast<std::size_t>(address));
}

DWORD lastLookupError() {
    return tLastError;
}

}  // namespace shader
}  // namespace vorlane
#endif
