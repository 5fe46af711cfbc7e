// The services that the renderer lends to shader libraries, exported by name.
#include <shader.h>

#include "vorlane_renderer/scene.h"

namespace {

vorlane::renderer::Scene* sceneOf(const miState* state) {
    return state != nullptr ? static_cast<vorlane::renderer::Scene*>(state->scene) : nullptr;
}

}  // namespace

extern "C" {

MI_API void* mi_phen_eval(miState* state, void* parm) {
    vorlane::renderer::Scene* scene = sceneOf(state);
    return scene != nullptr ? scene->evaluateConnection(state, parm) : parm;
}

MI_API miBoolean mi_sample_light(miColor* result, miVector* dir, miScalar* dot_nl, miState* state,
                                 miTag light_inst, miInteger* samples) {
    vorlane::renderer::Scene* scene = sceneOf(state);
    if (scene == nullptr) {
        return miFALSE;
    }
    return scene->sampleLight(result, dir, dot_nl, *state, light_inst, samples) ? miTRUE : miFALSE;
}

MI_API miBoolean mi_compute_irradiance(miColor* result, miState* state) {
    vorlane::renderer::Scene* scene = sceneOf(state);
    if (scene == nullptr) {
        *result = {0.0f, 0.0f, 0.0f, 0.0f};
        return miFALSE;
    }
    return scene->computeIrradiance(result, *state) ? miTRUE : miFALSE;
}

}  // extern "C"
