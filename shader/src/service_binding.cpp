// Binds the renderer's services by name: in the module the renderer hands
// over on Windows, in the renderer's process on Linux (module_loader.h). Each
// service has a stub of its own name that resolves it on first use and
// caches the entry point. The handle and the slots are single shared words,
// read and written whole without a lock: concurrent first uses may both look
// a name up and both store the same address.
#include <vorlane/linux_symbol_versions.h>

#include <shader.h>

#include <cstdio>

#include "export.h"
#include "module_loader.h"
#include "shared_word.h"

namespace vorlane {
namespace shader {
namespace {

enum Service { kPhenEval, kSampleLight, kComputeIrradiance, kServiceCount };

const char* const kServiceNames[kServiceCount] = {
    "mi_phen_eval",
    "mi_sample_light",
    "mi_compute_irradiance",
};

// The module handle and the entry point of each service, 0 until known.
volatile SharedWord gModule = 0;
volatile SharedWord gSlots[kServiceCount] = {0, 0, 0};

// The handle as the lookup-failure line shows it: its low 32 bits.
unsigned lowBits(SharedWord module) {
    return static_cast<unsigned>(module & 0xffffffffu);
}

// The cached entry point of `service`, looked up first when the slot is empty.
// 0 when the lookup fails; the failure is reported and retried next time.
SharedWord entryPoint(Service service) {
    SharedWord address = loadAcquire(gSlots[service]);
    if (address != 0) {
        return address;
    }
    const SharedWord module = loadAcquire(gModule);
    if (module == 0 && kLookupNeedsModule) {
        std::fprintf(stderr, "DYNLOAD: dl_handle null\n");
    }
    int code = 0;
    address = findService(module, kServiceNames[service], code);
    storeRelease(gSlots[service], address);
    if (address == 0) {
        std::fprintf(stderr, "dlsym failed on \"%s\" (handle: %08x error: %d)\n",
                     kServiceNames[service], lowBits(module), code);
    }
    return address;
}

// The entry point of `which` as the service's own function type, or null.
template <class Function>
Function service(Service which) {
    return reinterpret_cast<Function>(entryPoint(which));
}

typedef void* (*PhenEval)(miState*, void*);
typedef miBoolean (*SampleLight)(miColor*, miVector*, miScalar*, miState*, miTag, miInteger*);
typedef miBoolean (*ComputeIrradiance)(miColor*, miState*);

}  // namespace
}  // namespace shader
}  // namespace vorlane

extern "C" {

// Stores the renderer's module and forgets every resolved service, so that
// each is looked up again, in the new module, on its next use.
ZQ4V_EXPORT void miSetModuleHandle(void* module) {
    using namespace vorlane::shader;
    storeRelease(gModule, reinterpret_cast<SharedWord>(module));
    for (int slot = 0; slot < kServiceCount; ++slot) {
        storeRelease(gSlots[slot], 0);
    }
}

// The stubs below carry the services' own names and are local to this library.
// After a failed lookup they answer in place of the service: the parameter is
// read where it lies, the light has no more samples, the irradiance is black.

void* mi_phen_eval(miState* state, void* parm) {
    using namespace vorlane::shader;
    const PhenEval call = service<PhenEval>(kPhenEval);
    if (call != NULL) {
        return call(state, parm);
    }
    return parm;
}

miBoolean mi_sample_light(miColor* result, miVector* dir, miScalar* dot_nl, miState* state,
                          miTag light_inst, miInteger* samples) {
    using namespace vorlane::shader;
    const SampleLight call = service<SampleLight>(kSampleLight);
    if (call != NULL) {
        return call(result, dir, dot_nl, state, light_inst, samples);
    }
    return miFALSE;
}

miBoolean mi_compute_irradiance(miColor* result, miState* state) {
    using namespace vorlane::shader;
    const ComputeIrradiance call = service<ComputeIrradiance>(kComputeIrradiance);
    if (call != NULL) {
        return call(result, state);
    }
    result->r = 0.0f;
    result->g = 0.0f;
    result->b = 0.0f;
    result->a = 0.0f;
    return miFALSE;
}

}  // extern "C"
