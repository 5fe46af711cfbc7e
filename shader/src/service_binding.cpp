// Binds the renderer's services by name in the module the renderer hands over.
// Each service has a stub of its own name that resolves it on first use and
// caches the entry point. The handle and the slots are single atomic words,
// read and written whole without a lock: concurrent first uses may both look
// a name up and both store the same address.
#include <shader.h>

#include <atomic>
#include <cstdint>
#include <cstdio>

#include "export.h"
#include "module_loader.h"

namespace vorlane::shader {
namespace {

enum Service { kPhenEval, kSampleLight, kComputeIrradiance, kServiceCount };

constexpr const char* kServiceNames[kServiceCount] = {
    "mi_phen_eval",
    "mi_sample_light",
    "mi_compute_irradiance",
};

std::atomic<HMODULE> gModule{nullptr};
std::atomic<FARPROC> gSlots[kServiceCount] = {{nullptr}, {nullptr}, {nullptr}};

// The handle as the lookup-failure line shows it: its low 32 bits.
unsigned lowBits(HMODULE module) {
    return static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(module) & 0xffffffffu);
}

// The cached entry point of `service`, looked up first when the slot is empty.
// Null when the lookup fails; the failure is reported and retried next time.
FARPROC entryPoint(Service service) {
    FARPROC address = gSlots[service].load(std::memory_order_acquire);
    if (address != nullptr) {
        return address;
    }
    const HMODULE module = gModule.load(std::memory_order_acquire);
    if (module == nullptr) {
        std::fprintf(stderr, "DYNLOAD: dl_handle null\n");
    }
    address = reinterpret_cast<FARPROC>(GetProcAddress(module, kServiceNames[service]));
    const int code = address == nullptr ? static_cast<int>(GetLastError()) : 0;
    gSlots[service].store(address, std::memory_order_release);
    if (address == nullptr) {
        std::fprintf(stderr, "dlsym failed on \"%s\" (handle: %08x error: %d)\n",
                     kServiceNames[service], lowBits(module), code);
    }
    return address;
}

// FARPROC is a generic function pointer; it passes through void (*)(), the
// type that converts to any other function pointer without a warning.
template <class Function>
Function service(Service which) {
    using Generic = void (*)();
    return reinterpret_cast<Function>(reinterpret_cast<Generic>(entryPoint(which)));
}

}  // namespace
}  // namespace vorlane::shader

extern "C" {

// Stores the renderer's module and forgets every resolved service, so that
// each is looked up again, in the new module, on its next use.
ZQ4V_EXPORT void miSetModuleHandle(void* module) {
    using namespace vorlane::shader;
    gModule.store(static_cast<HMODULE>(module), std::memory_order_release);
    for (auto& slot : gSlots) {
        slot.store(nullptr, std::memory_order_release);
    }
}

// The stubs below carry the services' own names and are local to this library.
// After a failed lookup they answer in place of the service: the parameter is
// read where it lies, the light has no more samples, the irradiance is black.

void* mi_phen_eval(miState* state, void* parm) {
    using Function = void* (*)(miState*, void*);
    if (auto call = vorlane::shader::service<Function>(vorlane::shader::kPhenEval)) {
        return call(state, parm);
    }
    return parm;
}

miBoolean mi_sample_light(miColor* result, miVector* dir, miScalar* dot_nl, miState* state,
                          miTag light_inst, miInteger* samples) {
    using Function = miBoolean (*)(miColor*, miVector*, miScalar*, miState*, miTag, miInteger*);
    if (auto call = vorlane::shader::service<Function>(vorlane::shader::kSampleLight)) {
        return call(result, dir, dot_nl, state, light_inst, samples);
    }
    return miFALSE;
}

miBoolean mi_compute_irradiance(miColor* result, miState* state) {
    using Function = miBoolean (*)(miColor*, miState*);
    if (auto call = vorlane::shader::service<Function>(vorlane::shader::kComputeIrradiance)) {
        return call(result, state);
    }
    *result = {0.0f, 0.0f, 0.0f, 0.0f};
    return miFALSE;
}

}  // extern "C"
