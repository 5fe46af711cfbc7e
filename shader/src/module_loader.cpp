// RTLD_DEFAULT is an extension of the GNU C library; GCC and Clang ask for the
// extensions in C++ already, this says so where the file needs them.
#if !defined(_WIN32) && !defined(_GNU_SOURCE)
#define _GNU_SOURCE
#endif

#include <vorlane/linux_symbol_versions.h>

#include "module_loader.h"

#include <cstddef>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vorlane {
namespace shader {

#if defined(_WIN32)

SharedWord findService(SharedWord module, const char* name, int& error) {
    const FARPROC address = GetProcAddress(reinterpret_cast<HMODULE>(module), name);
    if (address == NULL) {
        error = static_cast<int>(GetLastError());
        return 0;
    }
    return reinterpret_cast<SharedWord>(address);
}

#else

// dlsym gives no error code. A failed lookup reports 127, the code Windows
// gives a name that a module does not export, as the report always has.
const int kNameNotFound = 127;

SharedWord findService(SharedWord module, const char* name, int& error) {
    // The global scope is the renderer's executable and the libraries it was
    // linked with, which export the services, then the ones loaded as global.
    // This library's own stubs of the same names are hidden, so they are
    // never found in place of the renderer's.
    void* const scope = module != 0 ? reinterpret_cast<void*>(module) : RTLD_DEFAULT;
    void* const address = dlsym(scope, name);
    if (address == NULL) {
        error = kNameNotFound;
        return 0;
    }
    return reinterpret_cast<SharedWord>(address);
}

#endif

}  // namespace shader
}  // namespace vorlane
