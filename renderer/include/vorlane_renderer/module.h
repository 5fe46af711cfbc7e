// A loaded library module, as the renderer hands modules to shader libraries.
#pragma once

#include <string>

#include "vorlane_renderer/export.h"

namespace vorlane::renderer {

class VORLANE_RENDERER_API Module {
  public:
    Module() = default;
    Module(Module&& other) noexcept;
    Module& operator=(Module&& other) noexcept;
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;
    ~Module();

    // Loads the library at `path`. On failure the module is empty and `error`
    // (when given) says why.
    static Module open(const std::string& path, std::string* error = nullptr);

    // The renderer's own module: the one that exports the shader services.
    static void* rendererHandle() noexcept;

    explicit operator bool() const noexcept { return handle_ != nullptr; }
    void* handle() const noexcept { return handle_; }

    // Address of the exported symbol `name`, or nullptr.
    void* symbol(const char* name) const noexcept;

  private:
    explicit Module(void* handle) noexcept : handle_(handle) {}
    void* handle_ = nullptr;
};

}  // namespace vorlane::renderer
