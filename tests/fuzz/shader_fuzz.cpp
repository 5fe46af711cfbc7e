// Fuzz target: the renderer shader zq4v_vorlane, called through the stand-in
// renderer with arbitrary parameter values, connection marks, states, scripted
// and sampled lights, environments and module handovers. The lights in use
// always lie within the tags the renderer stored (in the block or in the
// connected array), as the renderer guarantees; everything else is arbitrary.
// The shader must not crash, must read only its data, must return true and
// must leave alpha 1.
#include <vorlane_renderer/module.h>
#include <vorlane_renderer/scene.h>
#include <vorlane_renderer/shader_library.h>
#include <vorlane_renderer/state.h>
#include <vorlane_renderer/vorlane_parameters.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fuzz_input.h"

namespace {

using vorlane::fuzz::FuzzInput;
using vorlane::renderer::VorlaneParameter;

vorlane::renderer::ShaderLibrary& library() {
    static auto loaded = vorlane::renderer::ShaderLibrary::load(ZQ4V_LIBRARY_PATH, "zq4v_vorlane");
    if (!loaded.library) {
        std::fprintf(stderr, "cannot load the shader library: %s\n", loaded.error.c_str());
        std::abort();
    }
    return *loaded.library;
}

miColor anyColor(FuzzInput& in) {
    return {in.anyFloat(), in.anyFloat(), in.anyFloat(), in.anyFloat()};
}

miVector anyVector(FuzzInput& in) {
    return {in.anyFloat(), in.anyFloat(), in.anyFloat()};
}

miTag addLight(FuzzInput& in, vorlane::renderer::Scene& scene) {
    switch (in.range(0, 4)) {
        case 0:
            return scene.addPointLight(anyVector(in), anyColor(in));
        case 1: {
            vorlane::renderer::AreaLight area{anyVector(in),
                                              anyVector(in),
                                              anyVector(in),
                                              anyColor(in),
                                              static_cast<int>(in.range(-4, 16)),
                                              in.take<std::uint32_t>()};
            return scene.addAreaLight(area);
        }
        case 2:
            return scene.addDarkLight();
        case 3:
            return in.take<miTag>();  // a tag the scene does not know, or any other
        default: {
            std::vector<vorlane::renderer::LightSample> samples(
                static_cast<std::size_t>(in.range(0, 6)));
            for (auto& sample : samples) {
                sample = {anyColor(in), anyVector(in)};
            }
            return scene.addScriptedLight(std::move(samples));
        }
    }
}

// A light count: often within the stored tags, sometimes zero, negative or
// the most negative integer, which visit no light.
miInteger lightCount(FuzzInput& in, std::int64_t available) {
    switch (in.range(0, 3)) {
        case 0:
            return static_cast<miInteger>(-in.range(0, INT32_MAX));
        case 1:
            return INT32_MIN;
        default:
            return static_cast<miInteger>(in.range(0, available));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    vorlane::renderer::ShaderLibrary& shader = library();

    // Missing services: now and then a module without them (the shader
    // library's own, whose stubs of the same names are hidden; no module at
    // all would mean the process, which has them), or a fresh binding.
    const std::uint8_t handover = in.take<std::uint8_t>();
    if (handover == 0xff) {
        shader.setModuleHandle(shader.handle());
    } else if (handover >= 0xf0) {
        shader.setModuleHandle(vorlane::renderer::Module::rendererHandle());
    }

    vorlane::renderer::Scene scene;
    std::vector<miTag> tags(static_cast<std::size_t>(in.range(0, 8)));
    for (miTag& tag : tags) {
        tag = addLight(in, scene);
    }
    for (int spheres = static_cast<int>(in.range(0, 2)); spheres > 0; --spheres) {
        scene.addSphereOccluder(anyVector(in), in.anyFloat());
    }
    switch (in.range(0, 2)) {
        case 0:
            scene.setConstantIrradiance(anyColor(in));
            break;
        case 1:
            scene.setSkyGather(anyColor(in), static_cast<int>(in.range(-2, 8)));
            break;
        default:
            break;
    }

    const std::size_t capacity = tags.size() + static_cast<std::size_t>(in.range(0, 3));
    vorlane::renderer::VorlaneParameterBlock block(capacity);
    vorlane::renderer::VorlaneParameters values;
    values.color = anyColor(in);
    values.ambientColor = anyColor(in);
    values.incandescence = anyColor(in);
    values.normalCamera = anyVector(in);
    values.diffuse = in.anyFloat();
    values.specularRollOff = in.anyFloat();
    values.specOutput = in.take<miInteger>();  // every 32-bit index
    values.specularColor = anyColor(in);
    values.indirect = in.take<miBoolean>();
    values.indirectColor = anyColor(in);
    values.i_lights = 0;
    values.n_lights = 0;
    values.lights[0] = miNULLTAG;
    block.setValues(values);
    for (std::size_t i = 0; i < capacity; ++i) {
        block.setLight(i, i < tags.size() ? tags[i] : in.take<miTag>());
    }

    // The array the shader will index: the block's, or a connected one. The
    // lights in use lie within both, since without a renderer to evaluate
    // connections the shader reads every parameter in place.
    std::int64_t stored = static_cast<std::int64_t>(capacity);
    if (in.flag()) {
        std::vector<miTag> connected(static_cast<std::size_t>(in.range(0, 8)));
        for (miTag& tag : connected) {
            tag = tags.empty() || in.flag() ? in.take<miTag>()
                                            : tags[static_cast<std::size_t>(in.range(
                                                  0, static_cast<std::int64_t>(tags.size()) - 1))];
        }
        stored = std::min(stored, static_cast<std::int64_t>(connected.size()));
        block.connect(VorlaneParameter::lights, scene.connectTags(connected));
    }
    const miInteger first = static_cast<miInteger>(in.range(0, stored));
    const miInteger count = lightCount(in, stored - first);
    // i_lights and n_lights in place, or connected with an arbitrary value in
    // place, which only a renderer that evaluates connections may leave there.
    block.set(VorlaneParameter::i_lights, first);
    block.set(VorlaneParameter::n_lights, count);
    if (in.flag()) {
        block.connect(VorlaneParameter::i_lights, scene.connect(first));
        if (handover != 0xff) {
            block.set(VorlaneParameter::i_lights, in.take<miInteger>());
        }
    }
    if (in.flag()) {
        block.connect(VorlaneParameter::n_lights, scene.connect(count));
        if (handover != 0xff) {
            block.set(VorlaneParameter::n_lights, in.take<miInteger>());
        }
    }

    // Arbitrary connections of the other parameters, each with its own type.
    const std::uint16_t connectedMask = in.take<std::uint16_t>();
    const auto maybeConnect = [&](int bit, VorlaneParameter parameter, auto value) {
        if ((connectedMask >> bit) & 1u) {
            block.connect(parameter, scene.connect(value));
        }
    };
    maybeConnect(0, VorlaneParameter::color, anyColor(in));
    maybeConnect(1, VorlaneParameter::ambientColor, anyColor(in));
    maybeConnect(2, VorlaneParameter::incandescence, anyColor(in));
    maybeConnect(3, VorlaneParameter::normalCamera, anyVector(in));
    maybeConnect(4, VorlaneParameter::diffuse, in.anyFloat());
    maybeConnect(5, VorlaneParameter::specularRollOff, in.anyFloat());
    maybeConnect(6, VorlaneParameter::specOutput, in.take<miInteger>());
    maybeConnect(7, VorlaneParameter::specularColor, anyColor(in));
    maybeConnect(8, VorlaneParameter::indirect, in.take<miBoolean>());
    maybeConnect(9, VorlaneParameter::indirectColor, anyColor(in));
    if (((connectedMask >> 10) & 1u) != 0) {
        // Without the area nothing is connected: everything is read in place.
        block.block().setConnectionAreaEnabled(false);
        block.set(VorlaneParameter::i_lights, first);
        block.set(VorlaneParameter::n_lights, count);
    }

    vorlane::renderer::ShadingPoint point;
    point.point = anyVector(in);
    point.normal = anyVector(in);
    point.dir = anyVector(in);
    point.thread = static_cast<short>(in.take<miUint>());
    miState state = vorlane::renderer::makeState(scene, block.block(), point);
    miColor result = anyColor(in);

    const miBoolean answered = shader.shade(&result, &state, block.data());
    if (handover == 0xff) {
        shader.setModuleHandle(vorlane::renderer::Module::rendererHandle());
    }
    if (answered != miTRUE || result.a != 1.0f) {
        std::fprintf(stderr, "shader answered %d with alpha %g\n", answered,
                     static_cast<double>(result.a));
        std::abort();
    }
    return 0;
}
