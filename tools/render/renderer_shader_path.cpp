#include <vorlane_renderer/scene.h>
#include <vorlane_renderer/shader_library.h>
#include <vorlane_renderer/state.h>
#include <vorlane_renderer/vorlane_parameters.h>

#include <vector>

#include "material_paths.h"

namespace vorlane::tools {
namespace {

miVector toMi(V3 v) {
    return {v.x, v.y, v.z};
}
miColor toMi(Rgb c) {
    return {c.r, c.g, c.b, 1.0f};
}

// Sky seen by the indirect gather: a dim blue-grey dome.
constexpr Rgb kSkyRadiance{0.05f, 0.06f, 0.08f};
constexpr int kGatherRays = 16;

// The renderer calls the shader with its state for the sample; the shader
// samples the scene's lights through mi_sample_light.
class ShaderMaterial : public Material {
  public:
    ShaderMaterial(const renderer::ShaderLibrary& library, int preset,
                   const MaterialSettings& settings, const PreviewScene& preview, bool indirect)
        : library_(library), block_(preview.lights.size()) {
        std::vector<miTag> tags;
        for (const PreviewLight& light : preview.lights) {
            if (light.kind == PreviewLight::Kind::Point) {
                tags.push_back(scene_.addPointLight(toMi(light.position), toMi(light.color)));
            } else {
                tags.push_back(
                    scene_.addAreaLight({toMi(light.position), toMi(light.edgeU), toMi(light.edgeV),
                                         toMi(light.color), light.samples, 7u}));
            }
        }
        for (const Sphere& sphere : preview.shapes.spheres) {
            scene_.addSphereOccluder(toMi(sphere.center), sphere.radius);
        }
        block_.setLights(tags);
        block_.set<miInteger>(renderer::VorlaneParameter::specOutput, preset);
        if (settings.color) {
            block_.set<miColor>(renderer::VorlaneParameter::color, toMi(*settings.color));
        }
        if (settings.specularColor) {
            block_.set<miColor>(renderer::VorlaneParameter::specularColor,
                                toMi(*settings.specularColor));
        }
        if (settings.specularRollOff) {
            block_.set<miScalar>(renderer::VorlaneParameter::specularRollOff,
                                 *settings.specularRollOff);
        }
        if (indirect) {
            block_.set<miBoolean>(renderer::VorlaneParameter::indirect, miTRUE);
            scene_.setSkyGather(toMi(kSkyRadiance), kGatherRays);
        }
    }

    Rgb shade(const SurfaceSample& s, int worker) override {
        miState state = renderer::makeState(
            scene_, block_.block(),
            {toMi(s.point), toMi(s.normal), toMi(s.view), static_cast<short>(worker)});
        miColor result{0.0f, 0.0f, 0.0f, 0.0f};
        library_.shade(&result, &state, block_.data());
        return {result.r, result.g, result.b};
    }

  private:
    const renderer::ShaderLibrary& library_;
    renderer::Scene scene_;
    renderer::VorlaneParameterBlock block_;
};

}  // namespace

RendererShaderPath::RendererShaderPath(const std::string& libraryPath, bool indirect)
    : indirect_(indirect) {
    auto loaded = renderer::ShaderLibrary::load(libraryPath, "zq4v_vorlane");
    library_ = std::move(loaded.library);
    error_ = loaded.error;
    if (library_ == nullptr && error_.empty()) {
        error_ = "cannot load the shader library '" + libraryPath + "'";
    }
}

RendererShaderPath::~RendererShaderPath() = default;

std::unique_ptr<Material> RendererShaderPath::material(int preset, const MaterialSettings& settings,
                                                       const PreviewScene& scene, std::string&) {
    return std::make_unique<ShaderMaterial>(*library_, preset, settings, scene, indirect_);
}

}  // namespace vorlane::tools
