// Loads a shader library and calls its exports the way the renderer does.
#pragma once

#include <memory>
#include <string>

#include <shader.h>

#include "vorlane_renderer/export.h"
#include "vorlane_renderer/module.h"

namespace vorlane::renderer {

// What the loader hands the library through miSetModuleHandle after loading.
enum class ModuleHandover {
    // As the renderer does: its own module on Windows; nothing on Linux, where
    // the renderer never calls miSetModuleHandle and its process exports the
    // services.
    renderer,
    none,  // nothing: the library starts with no module handle
};

class VORLANE_RENDERER_API ShaderLibrary {
  public:
    using ShaderFunction = miBoolean (*)(miColor* result, miState* state, void* parameters);
    using VersionFunction = int (*)();
    using SetModuleFunction = void (*)(void* module);

    struct LoadResult {
        std::unique_ptr<ShaderLibrary> library;  // null on failure
        std::string error;
    };

    // Loads the library at `path`, finds the shader `shaderName` and its
    // `<shaderName>_version`, hands over the module and asks the version.
    static LoadResult load(const std::string& path, const std::string& shaderName,
                           ModuleHandover handover = ModuleHandover::renderer);

    ShaderLibrary(const ShaderLibrary&) = delete;
    ShaderLibrary& operator=(const ShaderLibrary&) = delete;
    ~ShaderLibrary();

    int version() const noexcept { return version_; }
    bool acceptsModuleHandle() const noexcept { return setModule_ != nullptr; }

    // Calls miSetModuleHandle of the library (nothing when it has none).
    void setModuleHandle(void* module) const noexcept;

    miBoolean shade(miColor* result, miState* state, void* parameters) const noexcept {
        return shader_(result, state, parameters);
    }

    void* symbol(const char* name) const noexcept { return module_.symbol(name); }
    void* handle() const noexcept { return module_.handle(); }

  private:
    ShaderLibrary(Module module, ShaderFunction shader, SetModuleFunction setModule, int version);

    Module module_;
    ShaderFunction shader_;
    SetModuleFunction setModule_;
    int version_;
};

}  // namespace vorlane::renderer
