// Run-time lookup of the renderer's services by name.
//
// On Windows the renderer hands the library its module (miSetModuleHandle),
// and the services are looked up there with the system's own GetProcAddress
// and GetLastError. On Linux the renderer hands no module: its process
// exports the services, and module_loader.cpp looks them up in the process's
// global scope, or in a module when one is handed all the same, with the
// error code that Windows reports for a missing name.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#endif

namespace vorlane {
namespace shader {

#if defined(_WIN32)

using ::DWORD;
using ::FARPROC;
using ::HMODULE;

// With no module there is nothing to look the services up in: the binding
// says so before the lookup fails.
const bool kLookupNeedsModule = true;

inline FARPROC findService(HMODULE module, const char* name) {
    return ::GetProcAddress(module, name);
}

inline DWORD lastLookupError() {
    return ::GetLastError();
}

#else

typedef void* HMODULE;
typedef void (*FARPROC)();
typedef unsigned long DWORD;

// No module is the normal case: the renderer's process holds the services.
const bool kLookupNeedsModule = false;

// The code Windows reports for a name that the module does not export.
const DWORD ERROR_PROC_NOT_FOUND = 127;

// Address of the export `name` of `module`, or of the process's global scope
// when `module` is null; null with the calling thread's last lookup error set
// to ERROR_PROC_NOT_FOUND when there is none.
FARPROC findService(HMODULE module, const char* name);

// The calling thread's code of its last failed lookup.
DWORD lastLookupError();

#endif

}  // namespace shader
}  // namespace vorlane
