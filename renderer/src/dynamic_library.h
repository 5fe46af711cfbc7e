// The system loader behind Module and ShaderLibrary (one platform file).
#pragma once

#include <string>

namespace vorlane::renderer::detail {

void* openLibrary(const std::string& path, std::string& error) noexcept;
void closeLibrary(void* handle) noexcept;
void* findSymbol(void* handle, const char* name) noexcept;
// The module that contains this library's code, kept open for the process.
void* ownModule() noexcept;

}  // namespace vorlane::renderer::detail
