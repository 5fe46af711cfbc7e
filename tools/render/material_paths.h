// The two ways the preview shades the material sphere: the vorlane plug-in
// through the stand-in host, and the zq4v_vorlane library through the
// stand-in renderer. Each is given what its host gives a shading call.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "geometry.h"
#include "image.h"
#include "preview_scene.h"

namespace vorlane::host {
class Host;
}
namespace vorlane::renderer {
class ShaderLibrary;
}

namespace vorlane::tools {

// What a primary ray's hit on the material gives a shading call.
struct SurfaceSample {
    V3 point;   // camera space
    V3 normal;  // unit
    V3 view;    // unit, from the eye toward the point
};

// What the preview sets on the material besides the preset; a value not
// given keeps the deliverable's default.
struct MaterialSettings {
    std::optional<Rgb> color;
    std::optional<Rgb> specularColor;
    std::optional<float> specularRollOff;
};

// One preset of one deliverable, ready to shade on several worker threads.
class Material {
  public:
    virtual ~Material() = default;
    // Shades one sample; `worker` is the calling thread's number, below the
    // worker count the material was made for.
    virtual Rgb shade(const SurfaceSample& sample, int worker) = 0;
};

// The host node path: one node per preset, a private data block per worker.
class HostNodePath {
  public:
    explicit HostNodePath(const std::string& pluginPath);
    ~HostNodePath();
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    std::unique_ptr<Material> material(int preset, const MaterialSettings& settings,
                                       const PreviewScene& scene, int workers, std::string& error);

  private:
    std::unique_ptr<host::Host> host_;
    std::string error_;
};

// The renderer shader path: one parameter block per preset, lights and
// occluders in the renderer's scene, optional sky irradiance.
class RendererShaderPath {
  public:
    RendererShaderPath(const std::string& libraryPath, bool indirect);
    ~RendererShaderPath();
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    std::unique_ptr<Material> material(int preset, const MaterialSettings& settings,
                                       const PreviewScene& scene, std::string& error);

  private:
    std::unique_ptr<renderer::ShaderLibrary> library_;
    bool indirect_;
    std::string error_;
};

}  // namespace vorlane::tools
