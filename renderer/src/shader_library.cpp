#include "vorlane_renderer/shader_library.h"

#include <utility>

namespace vorlane::renderer {

ShaderLibrary::ShaderLibrary(Module module, ShaderFunction shader, SetModuleFunction setModule,
                             int version)
    : module_(std::move(module)), shader_(shader), setModule_(setModule), version_(version) {}

ShaderLibrary::~ShaderLibrary() = default;

ShaderLibrary::LoadResult ShaderLibrary::load(const std::string& path,
                                              const std::string& shaderName,
                                              ModuleHandover handover) {
    LoadResult result;
    Module module = Module::open(path, &result.error);
    if (!module) {
        return result;
    }
    const std::string versionName = shaderName + "_version";
    auto shader = reinterpret_cast<ShaderFunction>(module.symbol(shaderName.c_str()));
    auto version = reinterpret_cast<VersionFunction>(module.symbol(versionName.c_str()));
    if (shader == nullptr || version == nullptr) {
        result.error = "shader library \"" + path + "\" does not export \"" +
                       (shader == nullptr ? shaderName : versionName) + "\"";
        return result;
    }
    // Optional: libraries linked against the renderer do not need it. The
    // renderer hands its module over only on Windows; on Linux its process
    // exports the services and it never calls miSetModuleHandle.
    auto setModule = reinterpret_cast<SetModuleFunction>(module.symbol("miSetModuleHandle"));
#if defined(_WIN32)
    if (setModule != nullptr && handover == ModuleHandover::renderer) {
        setModule(Module::rendererHandle());
    }
#else
    static_cast<void>(handover);
#endif
    result.library.reset(new ShaderLibrary(std::move(module), shader, setModule, version()));
    return result;
}

void ShaderLibrary::setModuleHandle(void* module) const noexcept {
    if (setModule_ != nullptr) {
        setModule_(module);
    }
}

}  // namespace vorlane::renderer
