// Run-time lookup of the renderer's services by name. On Windows these are the
// system's own GetProcAddress and GetLastError; elsewhere module_loader.cpp
// gives them the same meaning over the system's dynamic loader.
#pragma once

#if defined(_WIN32)
#include <windows.h>

namespace vorlane {
namespace shader {
using ::DWORD;
using ::FARPROC;
using ::GetLastError;
using ::GetProcAddress;
using ::HMODULE;
}  // namespace shader
}  // namespace vorlane

#else

namespace vorlane {
namespace shader {

typedef void* HMODULE;
typedef void (*FARPROC)();
typedef unsigned long DWORD;

// The code Windows reports for a name that the module does not export.
const DWORD ERROR_PROC_NOT_FOUND = 127;

// Address of the export `name` of `module`, or null with the calling thread's
// last error set to ERROR_PROC_NOT_FOUND. A null module exports nothing.
FARPROC GetProcAddress(HMODULE module, const char* name);

// The calling thread's code of its last failed lookup.
DWORD GetLastError();

}  // namespace shader
}  // namespace vorlane

#endif
