// The shader library's service lookup as it was before it looked in the
// renderer's process: only in a module handed over through
// miSetModuleHandle, and nothing without one. Linked with the library's other
// sources, it makes the library that the Linux renderer, which hands no
// module, leaves without light.
#include <dlfcn.h>

#include "module_loader.h"

namespace vorlane::shader {

SharedWord findService(SharedWord module, const char* name, int& error) {
    void* address = module != 0 ? dlsym(reinterpret_cast<void*>(module), name) : nullptr;
    if (address == nullptr) {
        error = 127;
        return 0;
    }
    return reinterpret_cast<SharedWord>(address);
}

}  // namespace vorlane::shader
