// Run-time lookup of the renderer's services by name. On Windows the renderer
// hands the library its module (miSetModuleHandle) and the services are
// looked up there. On Linux it hands none: its process exports the services,
// and they are looked up in the process, or in a module handed all the same.
#pragma once

#include "shared_word.h"

namespace vorlane {
namespace shader {

#if defined(_WIN32)
// With no module there is nothing to look in: the binding says so first.
const bool kLookupNeedsModule = true;
#else
const bool kLookupNeedsModule = false;
#endif

// The address of the service `name` in `module` (0: on Linux, the renderer's
// process), or 0 with `error` set to the code the failure report shows.
SharedWord findService(SharedWord module, const char* name, int& error);

}  // namespace shader
}  // namespace vorlane
