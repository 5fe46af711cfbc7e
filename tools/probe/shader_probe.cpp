#include "shader_probe.h"

#include <vorlane_renderer/scene.h>
#include <vorlane_renderer/shader_library.h>
#include <vorlane_renderer/state.h>
#include <vorlane_renderer/vorlane_parameters.h>

#include <climits>
#include <cstring>
#include <vector>

#include "float_format.h"

namespace vorlane::tools::probe {
namespace {

using renderer::VorlaneParameter;

enum class ParameterType { Color, Vector, Scalar, Integer, Boolean };

struct ParameterInfo {
    const char* name;
    VorlaneParameter offset;
    ParameterType type;
};

constexpr ParameterInfo kParameters[] = {
    {"color", VorlaneParameter::color, ParameterType::Color},
    {"ambientColor", VorlaneParameter::ambientColor, ParameterType::Color},
    {"incandescence", VorlaneParameter::incandescence, ParameterType::Color},
    {"normalCamera", VorlaneParameter::normalCamera, ParameterType::Vector},
    {"diffuse", VorlaneParameter::diffuse, ParameterType::Scalar},
    {"specularRollOff", VorlaneParameter::specularRollOff, ParameterType::Scalar},
    {"specOutput", VorlaneParameter::specOutput, ParameterType::Integer},
    {"specularColor", VorlaneParameter::specularColor, ParameterType::Color},
    {"indirect", VorlaneParameter::indirect, ParameterType::Boolean},
    {"indirectColor", VorlaneParameter::indirectColor, ParameterType::Color},
    {"i_lights", VorlaneParameter::i_lights, ParameterType::Integer},
    {"n_lights", VorlaneParameter::n_lights, ParameterType::Integer},
};

const ParameterInfo* findParameter(const std::string& name) {
    for (const ParameterInfo& p : kParameters) {
        if (name == p.name) {
            return &p;
        }
    }
    return nullptr;
}

// A parameter's value in the renderer's own representation.
struct ParameterValue {
    unsigned char bytes[16] = {};
    std::size_t size = 0;
};

bool readParameter(const ParameterInfo& p, const Json& json, ParameterValue& out,
                   std::string& error) {
    switch (p.type) {
        case ParameterType::Color: {
            miColor c{};
            if (!readFloats(json, &c.r, 4, error, true)) {
                return false;
            }
            std::memcpy(out.bytes, &c, out.size = sizeof c);
            return true;
        }
        case ParameterType::Vector: {
            miVector v{};
            if (!readFloats(json, &v.x, 3, error)) {
                return false;
            }
            std::memcpy(out.bytes, &v, out.size = sizeof v);
            return true;
        }
        case ParameterType::Scalar: {
            miScalar s = 0.0f;
            if (!readFloat(json, s, error)) {
                return false;
            }
            std::memcpy(out.bytes, &s, out.size = sizeof s);
            return true;
        }
        case ParameterType::Integer: {
            std::int64_t i = 0;
            if (!readInteger(json, INT32_MIN, INT32_MAX, i, error)) {
                return false;
            }
            const miInteger v = static_cast<miInteger>(i);
            std::memcpy(out.bytes, &v, out.size = sizeof v);
            return true;
        }
        case ParameterType::Boolean: {
            bool b = false;
            if (!readBool(json, b, error)) {
                return false;
            }
            const miBoolean v = b ? miTRUE : miFALSE;
            std::memcpy(out.bytes, &v, out.size = sizeof v);
            return true;
        }
    }
    return false;
}

bool checkMembers(const Json& object, const char* where, std::initializer_list<const char*> allowed,
                  std::string& error) {
    if (!object.is_object()) {
        error = std::string(where) + ": expected an object";
        return false;
    }
    for (const auto& [key, value] : object.items()) {
        bool known = false;
        for (const char* name : allowed) {
            known = known || key == name;
        }
        if (!known) {
            error = std::string(where) + ": unknown member " + quotedPrefix(key);
            return false;
        }
    }
    return true;
}

bool readLights(const Json& json, renderer::Scene& scene, std::vector<miTag>& tags,
                std::string& error) {
    if (!json.is_array()) {
        error = "lights: expected an array of lights, each an array of samples";
        return false;
    }
    for (std::size_t i = 0; i < json.size(); ++i) {
        const std::string where = "lights[" + std::to_string(i) + "]";
        if (!json[i].is_array()) {
            error = where + ": expected an array of samples";
            return false;
        }
        std::vector<renderer::LightSample> samples;
        for (std::size_t s = 0; s < json[i].size(); ++s) {
            const Json& sample = json[i][s];
            const std::string at = where + "[" + std::to_string(s) + "]";
            if (!checkMembers(sample, at.c_str(), {"color", "dir"}, error)) {
                return false;
            }
            renderer::LightSample ls{};
            if (sample.contains("color") &&
                !readFloats(sample["color"], &ls.color.r, 4, error, true)) {
                error = at + ".color: " + error;
                return false;
            }
            if (sample.contains("dir") && !readFloats(sample["dir"], &ls.direction.x, 3, error)) {
                error = at + ".dir: " + error;
                return false;
            }
            samples.push_back(ls);
        }
        tags.push_back(scene.addScriptedLight(std::move(samples)));
    }
    return true;
}

// The lights that the shader will visit must lie within the tags the block
// stores; anything else would make it read past the block.
bool lightsInUseAreStored(std::int64_t first, std::int64_t count, std::size_t stored,
                          std::string& error) {
    if (count <= 0) {
        return true;
    }
    if (first < 0 || first + count > static_cast<std::int64_t>(stored)) {
        error = "lights " + std::to_string(first) + " to " + std::to_string(first + count - 1) +
                " are in use (i_lights " + std::to_string(first) + ", n_lights " +
                std::to_string(count) + ") but the sample gives " + std::to_string(stored) +
                " light" + (stored == 1 ? "" : "s");
        return false;
    }
    return true;
}

}  // namespace

ShaderProbe::ShaderProbe(const std::string& libraryPath) {
    auto loaded = renderer::ShaderLibrary::load(libraryPath, "zq4v_vorlane");
    library_ = std::move(loaded.library);
    error_ = loaded.error;
}

ShaderProbe::~ShaderProbe() = default;

bool ShaderProbe::evaluate(const Json& sample, std::string& out, std::string& error) const {
    if (!checkMembers(sample, "sample",
                      {"shader", "connected", "state", "lights", "irradiance", "result"}, error)) {
        return false;
    }
    renderer::Scene scene;
    std::vector<miTag> tags;
    if (sample.contains("lights") && !readLights(sample["lights"], scene, tags, error)) {
        return false;
    }

    // Parameters not given are zero; the light array holds one tag per light.
    renderer::VorlaneParameterBlock block(tags.size());
    renderer::VorlaneParameters zero;
    std::memset(&zero, 0, sizeof zero);
    block.setValues(zero);
    block.setLights(tags);

    // The shader reads i_lights and n_lights through their connections when
    // they have one, so a connected value wins over the block's.
    std::int64_t firstLight = 0;
    std::int64_t lightCount = static_cast<std::int64_t>(tags.size());
    for (const char* section : {"shader", "connected"}) {
        if (!sample.contains(section)) {
            continue;
        }
        const Json& values = sample[section];
        if (!values.is_object()) {
            error = std::string(section) + ": expected an object of parameters";
            return false;
        }
        for (const auto& [name, json] : values.items()) {
            const ParameterInfo* p = findParameter(name);
            if (p == nullptr) {
                error = std::string(section) + ": unknown parameter " + quotedPrefix(name);
                return false;
            }
            ParameterValue value;
            if (!readParameter(*p, json, value, error)) {
                error = std::string(section) + "." + name + ": " + error;
                return false;
            }
            if (p->offset == VorlaneParameter::i_lights ||
                p->offset == VorlaneParameter::n_lights) {
                miInteger v = 0;
                std::memcpy(&v, value.bytes, sizeof v);
                (p->offset == VorlaneParameter::i_lights ? firstLight : lightCount) = v;
            }
            if (std::strcmp(section, "shader") == 0) {
                std::memcpy(
                    static_cast<unsigned char*>(block.data()) + static_cast<std::size_t>(p->offset),
                    value.bytes, value.size);
            } else {
                block.connect(p->offset, scene.connectValue(value.bytes, value.size));
            }
        }
    }

    if (!lightsInUseAreStored(firstLight, lightCount, tags.size(), error)) {
        return false;
    }

    renderer::ShadingPoint point;
    point.point = {0.0f, 0.0f, 0.0f};
    point.normal = {0.0f, 0.0f, 1.0f};
    point.dir = {0.0f, 0.0f, -1.0f};
    if (sample.contains("state")) {
        const Json& state = sample["state"];
        if (!checkMembers(state, "state", {"normal", "dir"}, error)) {
            return false;
        }
        if (state.contains("normal") && !readFloats(state["normal"], &point.normal.x, 3, error)) {
            error = "state.normal: " + error;
            return false;
        }
        if (state.contains("dir") && !readFloats(state["dir"], &point.dir.x, 3, error)) {
            error = "state.dir: " + error;
            return false;
        }
    }
    if (sample.contains("irradiance")) {
        miColor irradiance{};
        if (!readFloats(sample["irradiance"], &irradiance.r, 4, error, true)) {
            error = "irradiance: " + error;
            return false;
        }
        scene.setConstantIrradiance(irradiance);
    }
    miColor result{0.0f, 0.0f, 0.0f, 0.0f};
    if (sample.contains("result") && !readFloats(sample["result"], &result.r, 4, error)) {
        error = "result: " + error;
        return false;
    }

    miState state = renderer::makeState(scene, block.block(), point);
    library_->shade(&result, &state, block.data());

    const renderer::ServiceCallCounts calls = scene.calls();
    out += "{\"result\": [";
    const float channels[4] = {result.r, result.g, result.b, result.a};
    for (int i = 0; i < 4; ++i) {
        out += i == 0 ? "" : ", ";
        appendJsonFloat(out, channels[i]);
    }
    out += "], \"calls\": {\"mi_sample_light\": " + std::to_string(calls.sampleLight) +
           ", \"mi_compute_irradiance\": " + std::to_string(calls.computeIrradiance) +
           ", \"mi_phen_eval\": " + std::to_string(calls.phenEval) + "}}";
    return true;
}

}  // namespace vorlane::tools::probe
