// A second module that exports the renderer's services under their own names,
// with fixed answers and call counters, so tests can hand a shader library
// another module. Built a second time without mi_compute_irradiance.
#include <shader.h>

#include <atomic>
#include <cstring>

#if defined(_WIN32)
#define ALTERNATIVE_EXPORT extern "C" __declspec(dllexport)
#else
#define ALTERNATIVE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {
std::atomic<int> gCalls[3] = {{0}, {0}, {0}};
miState gLastSampledState{};
}  // namespace

// Calls of mi_phen_eval (0), mi_sample_light (1), mi_compute_irradiance (2).
ALTERNATIVE_EXPORT int alternative_service_calls(int service) {
    return service >= 0 && service < 3 ? gCalls[service].load() : -1;
}

// The bytes of the state record that mi_sample_light last received.
ALTERNATIVE_EXPORT void alternative_last_sampled_state(miState* out) {
    std::memcpy(out, &gLastSampledState, sizeof(miState));
}

// Every parameter reads as it lies in the block.
ALTERNATIVE_EXPORT void* mi_phen_eval(miState*, void* parm) {
    ++gCalls[0];
    return parm;
}

// One white sample straight along the state's normal.
ALTERNATIVE_EXPORT miBoolean mi_sample_light(miColor* result, miVector* dir, miScalar* dot_nl,
                                             miState* state, miTag, miInteger* samples) {
    ++gCalls[1];
    std::memcpy(&gLastSampledState, state, sizeof(miState));
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
ALTERNATIVE_EXPORT miBoolean mi_compute_irradiance(miColor* result, miState*) {
    ++gCalls[2];
    *result = {2.0f, 2.0f, 2.0f, 1.0f};
    return miTRUE;
}
#endif
