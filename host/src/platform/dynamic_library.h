// Opening shared libraries and finding their exports, per platform.
#pragma once

#include <string>

namespace vorlane::host::platform {

// nullptr with the loader's reason in `error` when the library cannot be opened.
void* openLibrary(const std::string& path, std::string* error);
void* findSymbol(void* library, const char* name);
void closeLibrary(void* library);

}  // namespace vorlane::host::platform
