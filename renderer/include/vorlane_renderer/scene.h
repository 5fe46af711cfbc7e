// The stand-in renderer's scene: lights addressed by tag, sphere occluders for
// shadow tests, an environment for indirect irradiance, and the connections
// that parameters of a shader can be bound to. The renderer's services find
// the scene through the state's `ts`, the renderer's own pointer that shaders
// carry along in their copies of the state (see bind()).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <shader.h>

#include "vorlane_renderer/export.h"

namespace vorlane::renderer {

struct LightSample {
    miColor color;
    miVector direction;  // delivered exactly as given
};

// A rectangle corner + u * edgeU + v * edgeV (u, v in [0, 1)) sampled on a
// jittered grid of `samples` cells; the jitter is a fixed function of `seed`
// and the sample number, so renders repeat exactly.
struct AreaLight {
    miVector corner;
    miVector edgeU;
    miVector edgeV;
    miColor color;
    int samples;
    std::uint32_t seed;
};

struct ServiceCallCounts {
    std::uint64_t phenEval;
    std::uint64_t sampleLight;
    std::uint64_t computeIrradiance;
};

using ConnectionId = std::uint32_t;

// Yields the value of a connection for one sample; the pointer must stay valid
// until the shader call returns.
using ConnectionFunction = const void* (*)(const miState& state, void* user);

class VORLANE_RENDERER_API Scene {
  public:
    Scene();
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Lights. Each returns the light's instance tag (never miNULLTAG).
    miTag addPointLight(miVector position, miColor color);     // one sample, shadowed
    miTag addAreaLight(const AreaLight& light);                // `samples` samples, shadowed
    miTag addDarkLight();                                      // yields no sample
    miTag addScriptedLight(std::vector<LightSample> samples);  // these samples, in order

    void addSphereOccluder(miVector center, float radius);

    // Environment for mi_compute_irradiance. Without one the service writes
    // black and reports failure.
    void setConstantIrradiance(miColor irradiance);
    // Gathers `rays` cosine-distributed rays over the hemisphere about the
    // state's normal: irradiance = pi * radiance * (unoccluded rays / rays).
    void setSkyGather(miColor radiance, int rays);
    void clearEnvironment();

    // Connections: values that a connected parameter yields.
    ConnectionId connectValue(const void* data, std::size_t size);
    template <class T>
    ConnectionId connect(const T& value) {
        return connectValue(&value, sizeof value);
    }
    ConnectionId connectTags(const std::vector<miTag>& tags);
    ConnectionId connectFunction(ConnectionFunction function, void* user);

    // Points `state.ts` at this scene.
    void bind(miState& state) const noexcept;
    // The scene a state was bound to; null for no state or one bound to none.
    static Scene* of(const miState* state) noexcept {
        return state != nullptr ? static_cast<Scene*>(state->ts) : nullptr;
    }

    // Service calls made for this scene since creation or the last reset.
    ServiceCallCounts calls() const noexcept;
    std::uint64_t sampleCalls(miTag light) const noexcept;  // mi_sample_light calls for one light
    void resetCalls() noexcept;

    // Connections evaluated through mi_phen_eval, in call order (the first
    // kEvaluationLogCapacity of them since the last reset).
    static constexpr std::size_t kEvaluationLogCapacity = 256;
    std::vector<ConnectionId> evaluationLog() const;

    // The services' work, called by the exported service functions.
    void* evaluateConnection(miState* state, void* parameter) noexcept;
    bool sampleLight(miColor* color, miVector* direction, miScalar* dotNl, const miState& state,
                     miTag tag, miInteger* samples) noexcept;
    bool computeIrradiance(miColor* result, const miState& state) noexcept;

    struct Light;
    struct Connection;

  private:
    bool occluded(miVector from, miVector to) const noexcept;
    Light* findLight(miTag tag) const noexcept;

    std::vector<std::unique_ptr<Light>> lights_;
    std::vector<std::unique_ptr<Connection>> connections_;
    struct Sphere {
        miVector center;
        float radius;
    };
    std::vector<Sphere> spheres_;

    enum class Environment { none, constant, skyGather };
    Environment environment_ = Environment::none;
    miColor environmentColor_{0.0f, 0.0f, 0.0f, 0.0f};
    int gatherRays_ = 0;

    // Service calls are counted per render thread (the state's `thread`, modulo
    // kCounterSlots), each slot in a cache line of its own, so that threads
    // shading at once do not contend on one counter.
    static constexpr std::size_t kCounterSlots = 16;
    static std::size_t counterSlot(const miState& state) noexcept {
        return static_cast<unsigned short>(state.thread) % kCounterSlots;
    }
    struct alignas(64) CallCounters {
        std::atomic<std::uint64_t> phenEval{0};
        std::atomic<std::uint64_t> sampleLight{0};
        std::atomic<std::uint64_t> computeIrradiance{0};
    };
    CallCounters& countersFor(const miState& state) noexcept {
        return counters_[counterSlot(state)];
    }
    CallCounters counters_[kCounterSlots];
    std::atomic<std::size_t> logSize_{0};
    std::atomic<ConnectionId> log_[kEvaluationLogCapacity];
};

}  // namespace vorlane::renderer
