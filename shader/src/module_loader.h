// Run-time lookup of the renderer's services by name. On Windows these are the
// system's own GetProcAddress and GetLastError; elsewhere module_loader.cpp
// gives them the same meaning over the system's dynamic loader.
#pragma once

#if defined(_WIN32)
#include <windows.h>

namespace vorlane::shader {
using ::DWORD;
using ::FARPROC;
using ::GetLastError;
using ::GetProcAddress;
using ::HMODULE;
}  // namespace vorlane::shader

#else

namespace vorlane::shader {

using HMODULE = void*;
using FARPROC = void (*)();
using DWORD = unsigned long;

// The code Windows reports for a name that the module does not export.
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;

// Address of the export `name` of `module`, or null with the calling thread's
// last error set to ERROR_PROC_NOT_FOUND. A null module exports nothing.
FARPROC GetProcAddress(HMODULE module, const char* name) noexcept;

// The calling thread's code of its last failed lookup.
DWORD GetLastError() noexcept;

}  // namespace vorlane::shader

#endif
