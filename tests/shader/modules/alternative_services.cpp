// A second module that exports the renderer's services under their own names,
// with fixed answers and call counters, so tests can hand a shader library
// another module. Built a second time without mi_compute_irradiance.
#include <shader.h>

#include <atomic>

namespace {
std::atomic<int> gCalls[3] = {{0}, {0}, {0}};
}  // namespace

extern "C" {

// Calls of mi_phen_eval (0), mi_sample_light (1), mi_compute_irradiance (2).
MI_API int alternative_service_calls(int service) {
    return service >= 0 && service < 3 ? gCalls[service].load() : -1;
}

// Every parameter reads as it lies in the block.
MI_API void* mi_phen_eval(miState*, void* parm) {
    ++gCalls[0];
    return parm;
}

// One white sample straight along the state's normal.
MI_API miBoolean mi_sample_light(miColor* result, miVector* dir, miScalar* dot_nl, miState* state,
                                 miTag, miInteger* samples) {
    ++gCalls[1];
    if (*samples > 0) {
        return miFALSE;
    }
    *result = {1.0f, 1.0f, 1.0f, 1.0f};
    *dir = state->normal;
    *dot_nl = 1.0f;
    *samples = 1;
    return miTRUE;
}

#if !defined(WITHOUT_IRRADIANCE)
MI_API miBoolean mi_compute_irradiance(miColor* result, miState*) {
    ++gCalls[2];
    *result = {2.0f, 2.0f, 2.0f, 1.0f};
    return miTRUE;
}
#endif

}  // extern "C"
