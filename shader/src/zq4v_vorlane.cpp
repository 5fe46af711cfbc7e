// The material shader zq4v_vorlane: diffuse and measured specular light from
// the lights that its parameters list, averaged per light over the light's
// samples, plus ambient, incandescence and optional indirect irradiance.
#include <vorlane/linux_symbol_versions.h>

#include <shader.h>

#include <cstddef>

#include <vorlane/model/color_matrix.h>
#include <vorlane/model/lobes.h>
#include <vorlane/model/precision.h>
#include <vorlane/model/presets.h>

#include "compile_check.h"
#include "export.h"
#include "parameters.h"

namespace vorlane {
namespace shader {
namespace {

using vorlane_model::Color;
using vorlane_model::LobeCoefficientBlock;
using vorlane_model::RendererPrecision;
using vorlane_model::Vec3;

const float kPi = 3.1415927f;

// The state fields this shader reads, where the renderer versions it serves
// keep them on 64-bit systems, and the size of the record that it copies whole
// for the services.
enum StateLayout {
    kStateSize = CompileCheck<sizeof(miState) == 352>::holds,
    kStateDirAt = CompileCheck<offsetof(miState, dir) == 108>::holds,
    kStateNormalAt = CompileCheck<offsetof(miState, normal) == 208>::holds,
    kStateShaderAt = CompileCheck<offsetof(miState, shader) == 312>::holds,
    kShaderGhostOffsAt = CompileCheck<offsetof(miFunction, ghost_offs) == 96>::holds
};

Vec3 toVec3(const miVector& v) {
    return vorlane_model::makeVec3(v.x, v.y, v.z);
}

// Everything one call of the shader reads from its parameters.
struct Inputs {
    const LobeCoefficientBlock* preset;  // null for an index outside 0..6: no specular term
    const miColor* color;
    const miColor* ambientColor;
    const miColor* incandescence;
    const miColor* specularColor;
    miScalar diffuse;
    miScalar specularRollOff;
    miVector normalCamera;
    miBoolean indirect;
    miInteger lightCount;
    miInteger firstLight;
    const miTag* lights;
    miColor indirectColor;
};

// Reads every parameter once, in the order the renderer expects them read,
// each through the renderer header's rule for connected parameters.
Inputs readInputs(miState* state, VorlaneParameters* p) {
    Inputs in = Inputs();
    in.preset = vorlane_model::findPreset(*mi_eval_integer(&p->specOutput));
    in.color = mi_eval_color(&p->color);
    in.ambientColor = mi_eval_color(&p->ambientColor);
    in.incandescence = mi_eval_color(&p->incandescence);
    in.specularColor = mi_eval_color(&p->specularColor);
    in.diffuse = *mi_eval_scalar(&p->diffuse);
    in.specularRollOff = *mi_eval_scalar(&p->specularRollOff);
    in.normalCamera = *mi_eval_vector(&p->normalCamera);
    in.indirect = *mi_eval_boolean(&p->indirect);
    in.lightCount = *mi_eval_integer(&p->n_lights);
    in.firstLight = *mi_eval_integer(&p->i_lights);
    in.lights = mi_eval_tag(lightArray(p));
    if (in.indirect) {
        in.indirectColor = *mi_eval_color(&p->indirectColor);
    }
    return in;
}

// Adds one light's diffuse and specular light, each averaged over the light's
// samples. Samples whose cosine is not positive add nothing but still count.
void addLight(miColor* result, miState* stateCopy, const Inputs& in, Vec3 normal, Vec3 view,
              miTag light) {
    Color diffuseSum = vorlane_model::makeColor(0.0f, 0.0f, 0.0f);
    Color specularSum = vorlane_model::makeColor(0.0f, 0.0f, 0.0f);
    miInteger samples = 0;
    miColor lightColor = {0.0f, 0.0f, 0.0f, 0.0f};
    miVector direction = {0.0f, 0.0f, 0.0f};
    miScalar dotNl = 0.0f;

    while (mi_sample_light(&lightColor, &direction, &dotNl, stateCopy, light, &samples)) {
        const Vec3 toLight = toVec3(direction);
        const float cosine = vorlane_model::dot(normal, toLight);
        if (cosine > 0.0f) {
            diffuseSum.r = diffuseSum.r + (lightColor.r * (cosine * in.diffuse)) * in.color->r;
            diffuseSum.g = diffuseSum.g + (lightColor.g * (cosine * in.diffuse)) * in.color->g;
            diffuseSum.b = diffuseSum.b + (lightColor.b * (cosine * in.diffuse)) * in.color->b;
        }
        if (in.preset != NULL) {
            const vorlane_model::ShadingFrame frame =
                vorlane_model::makeShadingFrame<RendererPrecision>(normal);
            vorlane_model::accumulateLobes<RendererPrecision>(
                *in.preset, frame, view, toLight,
                vorlane_model::makeColor(lightColor.r, lightColor.g, lightColor.b), cosine,
                specularSum);
        }
    }

    // Tint factor 1 + specularColor * specularRollOff, then S + M * S.
    const miColor& tint = *in.specularColor;
    specularSum.r = specularSum.r + (specularSum.r * tint.r) * in.specularRollOff;
    specularSum.g = specularSum.g + (specularSum.g * tint.g) * in.specularRollOff;
    specularSum.b = specularSum.b + (specularSum.b * tint.b) * in.specularRollOff;
    const Color transformed = vorlane_model::applyColorMatrix(specularSum);
    specularSum =
        vorlane_model::makeColor(specularSum.r + transformed.r, specularSum.g + transformed.g,
                                 specularSum.b + transformed.b);

    if (samples > 0) {
        const float count = static_cast<float>(samples);
        result->r = result->r + diffuseSum.r / count;
        result->g = result->g + diffuseSum.g / count;
        result->b = result->b + diffuseSum.b / count;
        if (in.preset != NULL) {
            result->r = result->r + specularSum.r / count;
            result->g = result->g + specularSum.g / count;
            result->b = result->b + specularSum.b / count;
        }
    }
}

}  // namespace
}  // namespace shader
}  // namespace vorlane

extern "C" {

ZQ4V_EXPORT int zq4v_vorlane_version(void) {
    return 1;
}

ZQ4V_EXPORT miBoolean zq4v_vorlane(miColor* result, miState* state, void* parameters) {
    using namespace vorlane::shader;
    const Inputs in = readInputs(state, static_cast<VorlaneParameters*>(parameters));
    // Exactly black switches the indirect term off; -0 is black, NaN is not.
    const bool indirectOn =
        in.indirect &&
        !(in.indirectColor.r == 0.0f && in.indirectColor.g == 0.0f && in.indirectColor.b == 0.0f);

    const miVector& n0 = state->normal;
    const Vec3 normal = vorlane_model::normalizeVector<RendererPrecision>(vorlane_model::makeVec3(
        n0.x + in.normalCamera.x, n0.y + in.normalCamera.y, n0.z + in.normalCamera.z));
    // The services get a copy of the whole record with the shading normal; the
    // renderer's own state is never written.
    miState stateCopy = *state;
    stateCopy.normal.x = normal.x;
    stateCopy.normal.y = normal.y;
    stateCopy.normal.z = normal.z;
    const Vec3 view = toVec3(state->dir);

    for (miInteger i = 0; i < in.lightCount; ++i) {
        const std::ptrdiff_t element = static_cast<std::ptrdiff_t>(in.firstLight) + i;
        addLight(result, &stateCopy, in, normal, view, in.lights[element]);
    }

    const miColor& color = *in.color;
    const miColor& ambient = *in.ambientColor;
    result->r = result->r + color.r * ambient.r;
    result->g = result->g + color.g * ambient.g;
    result->b = result->b + color.b * ambient.b;
    const miColor& incandescence = *in.incandescence;
    result->r = result->r + incandescence.r;
    result->g = result->g + incandescence.g;
    result->b = result->b + incandescence.b;
    result->a = 1.0f;

    if (indirectOn) {
        // Black unless the renderer writes it; the service's answer is not used.
        miColor irradiance = {0.0f, 0.0f, 0.0f, 0.0f};
        mi_compute_irradiance(&irradiance, &stateCopy);
        const miColor& tint = in.indirectColor;
        result->r = result->r + ((irradiance.r * color.r) * tint.r) / kPi;
        result->g = result->g + ((irradiance.g * color.g) * tint.g) / kPi;
        result->b = result->b + ((irradiance.b * color.b) * tint.b) / kPi;
        result->a = 1.0f;
    }
    return miTRUE;
}

}  // extern "C"
