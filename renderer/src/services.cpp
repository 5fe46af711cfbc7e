// The services that the renderer lends to shader libraries, exported by name.
// They find their scene through the state (Scene::of); a state bound to no
// scene gets the answers of an empty scene.
#include <shader.h>

#include "vorlane_renderer/scene.h"

// The header declares the services as the renderer's own header does, without
// export decoration; this library exports them by their definitions.
#if defined(_WIN32)
#define MI_SERVICE extern "C" __declspec(dllexport)
#else
#define MI_SERVICE extern "C" __attribute__((visibility("default")))
#endif

using vorlane::renderer::Scene;

MI_SERVICE void* mi_phen_eval(miState* state, void* parm) {
    Scene* scene = Scene::of(state);
    return scene != nullptr ? scene->evaluateConnection(state, parm) : parm;
}

MI_SERVICE miBoolean mi_sample_light(miColor* result, miVector* dir, miScalar* dot_nl,
                                     miState* state, miTag light_inst, miInteger* samples) {
    Scene* scene = Scene::of(state);
    if (scene == nullptr) {
        return miFALSE;
    }
    return scene->sampleLight(result, dir, dot_nl, *state, light_inst, samples) ? miTRUE : miFALSE;
}

MI_SERVICE miBoolean mi_compute_irradiance(miColor* result, miState* state) {
    Scene* scene = Scene::of(state);
    if (scene == nullptr) {
        *result = {0.0f, 0.0f, 0.0f, 0.0f};
        return miFALSE;
    }
    return scene->computeIrradiance(result, *state) ? miTRUE : miFALSE;
}
