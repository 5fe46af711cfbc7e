#include "vorlane_renderer/scene.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "sampling.h"

namespace vorlane::renderer {
namespace {

// Tags of lights start here so that a tag is never mistaken for an index.
constexpr miTag kFirstLightTag = 0x1000;
constexpr float kPi = 3.14159265358979f;

}  // namespace

struct Scene::Light {
    enum class Kind { point, area, dark, scripted };
    Kind kind = Kind::dark;
    miVector position{};
    AreaLight area{};
    std::vector<LightSample> script;
    miColor color{};
    // mi_sample_light calls for this light, per render thread slot.
    struct alignas(64) Calls {
        std::atomic<std::uint64_t> count{0};
    };
    Calls calls[kCounterSlots];
};

struct Scene::Connection {
    ConnectionFunction function = nullptr;
    void* user = nullptr;
    std::vector<std::uint64_t> value;  // 8-byte aligned copy of the stored value
};

Scene::Scene() {
    for (auto& entry : log_) {
        entry.store(0, std::memory_order_relaxed);
    }
}

Scene::~Scene() = default;

miTag Scene::addPointLight(miVector position, miColor color) {
    auto light = std::make_unique<Light>();
    light->kind = Light::Kind::point;
    light->position = position;
    light->color = color;
    lights_.push_back(std::move(light));
    return kFirstLightTag + static_cast<miTag>(lights_.size() - 1);
}

miTag Scene::addAreaLight(const AreaLight& area) {
    auto light = std::make_unique<Light>();
    light->kind = Light::Kind::area;
    light->area = area;
    light->color = area.color;
    lights_.push_back(std::move(light));
    return kFirstLightTag + static_cast<miTag>(lights_.size() - 1);
}

miTag Scene::addDarkLight() {
    lights_.push_back(std::make_unique<Light>());
    return kFirstLightTag + static_cast<miTag>(lights_.size() - 1);
}

miTag Scene::addScriptedLight(std::vector<LightSample> samples) {
    auto light = std::make_unique<Light>();
    light->kind = Light::Kind::scripted;
    light->script = std::move(samples);
    lights_.push_back(std::move(light));
    return kFirstLightTag + static_cast<miTag>(lights_.size() - 1);
}

void Scene::addSphereOccluder(miVector center, float radius) {
    spheres_.push_back({center, radius});
}

void Scene::setConstantIrradiance(miColor irradiance) {
    environment_ = Environment::constant;
    environmentColor_ = irradiance;
}

void Scene::setSkyGather(miColor radiance, int rays) {
    environment_ = Environment::skyGather;
    environmentColor_ = radiance;
    gatherRays_ = rays;
}

void Scene::clearEnvironment() {
    environment_ = Environment::none;
}

ConnectionId Scene::connectValue(const void* data, std::size_t size) {
    auto connection = std::make_unique<Connection>();
    connection->value.assign((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t) + 1, 0);
    if (size > 0) {  // an empty tag list may come with no storage at all
        std::memcpy(connection->value.data(), data, size);
    }
    connections_.push_back(std::move(connection));
    return static_cast<ConnectionId>(connections_.size());
}

ConnectionId Scene::connectTags(const std::vector<miTag>& tags) {
    return connectValue(tags.data(), tags.size() * sizeof(miTag));
}

ConnectionId Scene::connectFunction(ConnectionFunction function, void* user) {
    auto connection = std::make_unique<Connection>();
    connection->function = function;
    connection->user = user;
    connections_.push_back(std::move(connection));
    return static_cast<ConnectionId>(connections_.size());
}

void Scene::bind(miState& state) const noexcept {
    state.ts = const_cast<Scene*>(this);
}

ServiceCallCounts Scene::calls() const noexcept {
    ServiceCallCounts total{0, 0, 0};
    for (const CallCounters& slot : counters_) {
        total.phenEval += slot.phenEval.load(std::memory_order_relaxed);
        total.sampleLight += slot.sampleLight.load(std::memory_order_relaxed);
        total.computeIrradiance += slot.computeIrradiance.load(std::memory_order_relaxed);
    }
    return total;
}

std::uint64_t Scene::sampleCalls(miTag tag) const noexcept {
    const Light* light = findLight(tag);
    std::uint64_t total = 0;
    for (std::size_t slot = 0; light != nullptr && slot < kCounterSlots; ++slot) {
        total += light->calls[slot].count.load(std::memory_order_relaxed);
    }
    return total;
}

void Scene::resetCalls() noexcept {
    for (CallCounters& slot : counters_) {
        slot.phenEval.store(0, std::memory_order_relaxed);
        slot.sampleLight.store(0, std::memory_order_relaxed);
        slot.computeIrradiance.store(0, std::memory_order_relaxed);
    }
    for (auto& light : lights_) {
        for (Light::Calls& slot : light->calls) {
            slot.count.store(0, std::memory_order_relaxed);
        }
    }
    logSize_.store(0, std::memory_order_relaxed);
}

std::vector<ConnectionId> Scene::evaluationLog() const {
    const std::size_t size = logSize_.load(std::memory_order_acquire);
    std::vector<ConnectionId> log;
    for (std::size_t i = 0; i < size && i < kEvaluationLogCapacity; ++i) {
        log.push_back(log_[i].load(std::memory_order_relaxed));
    }
    return log;
}

Scene::Light* Scene::findLight(miTag tag) const noexcept {
    if (tag < kFirstLightTag || tag - kFirstLightTag >= lights_.size()) {
        return nullptr;
    }
    return lights_[tag - kFirstLightTag].get();
}

void* Scene::evaluateConnection(miState* state, void* parameter) noexcept {
    countersFor(*state).phenEval.fetch_add(1, std::memory_order_relaxed);
    if (state->shader == nullptr || state->shader->ghost_offs == 0) {
        return parameter;
    }
    ConnectionId id = 0;
    std::memcpy(&id, static_cast<const unsigned char*>(parameter) + state->shader->ghost_offs,
                sizeof id);
    if (id == 0 || id > connections_.size()) {
        return parameter;
    }
    const std::size_t at = logSize_.fetch_add(1, std::memory_order_acq_rel);
    if (at < kEvaluationLogCapacity) {
        log_[at].store(id, std::memory_order_relaxed);
    }
    const Connection& connection = *connections_[id - 1];
    if (connection.function != nullptr) {
        return const_cast<void*>(connection.function(*state, connection.user));
    }
    return const_cast<std::uint64_t*>(connection.value.data());
}

bool Scene::sampleLight(miColor* color, miVector* direction, miScalar* dotNl, const miState& state,
                        miTag tag, miInteger* samples) noexcept {
    countersFor(state).sampleLight.fetch_add(1, std::memory_order_relaxed);
    Light* light = findLight(tag);
    if (light == nullptr) {
        return false;
    }
    light->calls[counterSlot(state)].count.fetch_add(1, std::memory_order_relaxed);
    const miInteger taken = *samples;
    if (taken < 0) {
        return false;
    }

    miVector target{};
    switch (light->kind) {
        case Light::Kind::dark:
            return false;
        case Light::Kind::scripted: {
            if (static_cast<std::size_t>(taken) >= light->script.size()) {
                return false;
            }
            const LightSample& sample = light->script[static_cast<std::size_t>(taken)];
            *color = sample.color;
            *direction = sample.direction;
            *dotNl = dot(state.normal, sample.direction);
            *samples = taken + 1;
            return true;
        }
        case Light::Kind::point:
            if (taken >= 1) {
                return false;
            }
            target = light->position;
            break;
        case Light::Kind::area: {
            if (taken >= light->area.samples) {
                return false;
            }
            const SquareSample uv =
                jitteredGridSample(taken, light->area.samples, light->area.seed);
            target = add(light->area.corner,
                         add(scale(light->area.edgeU, uv.u), scale(light->area.edgeV, uv.v)));
            break;
        }
    }
    *direction = normalized(subtract(target, state.point));
    *dotNl = dot(state.normal, *direction);
    if (occluded(state.point, target)) {
        *color = {0.0f, 0.0f, 0.0f, light->color.a};
    } else {
        *color = light->color;
    }
    *samples = taken + 1;
    return true;
}

bool Scene::occluded(miVector from, miVector to) const noexcept {
    const miVector segment = subtract(to, from);
    const float length = std::sqrt(dot(segment, segment));
    if (!(length > 0.0f)) {
        return false;
    }
    const miVector unit = scale(segment, 1.0f / length);
    for (const Sphere& sphere : spheres_) {
        if (raySphereHit(from, unit, sphere.center, sphere.radius, length)) {
            return true;
        }
    }
    return false;
}

bool Scene::computeIrradiance(miColor* result, const miState& state) noexcept {
    countersFor(state).computeIrradiance.fetch_add(1, std::memory_order_relaxed);
    switch (environment_) {
        case Environment::none:
            *result = {0.0f, 0.0f, 0.0f, 0.0f};
            return false;
        case Environment::constant:
            *result = environmentColor_;
            return true;
        case Environment::skyGather:
            break;
    }
    const miVector normal = normalized(state.normal);
    if (gatherRays_ <= 0 || !(dot(normal, normal) > 0.0f)) {
        *result = {0.0f, 0.0f, 0.0f, 1.0f};
        return true;
    }
    int open = 0;
    for (int ray = 0; ray < gatherRays_; ++ray) {
        const miVector direction = cosineHemisphereDirection(normal, ray, gatherRays_);
        // Far enough to leave any scene the stand-in is used with.
        const miVector far = add(state.point, scale(direction, 1.0e6f));
        if (!occluded(state.point, far)) {
            ++open;
        }
    }
    const float visible = kPi * static_cast<float>(open) / static_cast<float>(gatherRays_);
    *result = {environmentColor_.r * visible, environmentColor_.g * visible,
               environmentColor_.b * visible, 1.0f};
    return true;
}

}  // namespace vorlane::renderer
