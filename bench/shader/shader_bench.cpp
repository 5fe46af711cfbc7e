// The shader zq4v_vorlane per sample through the stand-in renderer with 1, 4
// and 16 lights of one sample each, beside the model's own work on the same
// inputs (normalisation, per light the frame and the lobes, the tint and the
// colour matrix, as the shader does them).
#include <vorlane/model/lobes.h>
#include <vorlane_renderer/scene.h>
#include <vorlane_renderer/shader_library.h>
#include <vorlane_renderer/state.h>
#include <vorlane_renderer/vorlane_parameters.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <vector>

#include "model_work.h"

namespace vm = vorlane_model;
using vorlane::renderer::VorlaneParameter;

namespace {

constexpr int kPreset = 2;  // "Red Clay": all nine lobes pass for most samples
constexpr std::size_t kSampleCount = 256;

struct Sample {
    miVector normal;
    miVector dir;
};

std::vector<Sample> makeSamples() {
    std::mt19937 rng(99);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    std::vector<Sample> samples(kSampleCount);
    for (Sample& s : samples) {
        const vm::Vec3 n =
            vm::normalizeVector<vm::RendererPrecision>({u(rng) * 0.3f, u(rng) * 0.3f, 1.0f});
        const vm::Vec3 d =
            vm::normalizeVector<vm::RendererPrecision>({u(rng) * 0.3f, u(rng) * 0.3f, -1.0f});
        s.normal = {n.x, n.y, n.z};
        s.dir = {d.x, d.y, d.z};
    }
    return samples;
}

std::vector<vm::Vec3> lightDirections(int count) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    std::vector<vm::Vec3> directions;
    for (int i = 0; i < count; ++i) {
        directions.push_back(
            vm::normalizeVector<vm::RendererPrecision>({u(rng) * 0.5f, u(rng) * 0.5f, 1.0f}));
    }
    return directions;
}

void modelAlone(benchmark::State& state) {
    const std::vector<Sample> samples = makeSamples();
    const std::vector<vm::Vec3> lights = lightDirections(static_cast<int>(state.range(0)));
    const vm::LobeCoefficientBlock& block = *vm::findPreset(kPreset);
    std::size_t i = 0;
    for (auto _ : state) {
        const Sample& s = samples[i++ % kSampleCount];
        benchmark::DoNotOptimize(
            vorlane_bench::shaderLights(block, {s.normal.x, s.normal.y, s.normal.z},
                                        {s.dir.x, s.dir.y, s.dir.z}, lights.data(), lights.size()));
    }
}

void shaderCall(benchmark::State& state) {
    static auto loaded = vorlane::renderer::ShaderLibrary::load(ZQ4V_LIBRARY_PATH, "zq4v_vorlane");
    if (!loaded.library) {
        std::cerr << loaded.error << '\n';
        std::abort();
    }
    const std::vector<Sample> samples = makeSamples();
    const int lightCount = static_cast<int>(state.range(0));
    vorlane::renderer::Scene scene;
    std::vector<miTag> tags;
    for (const vm::Vec3& l : lightDirections(lightCount)) {
        tags.push_back(scene.addScriptedLight({{{1.0f, 1.0f, 1.0f, 1.0f}, {l.x, l.y, l.z}}}));
    }
    vorlane::renderer::VorlaneParameterBlock block(tags.size());
    block.setLights(tags);
    block.set(VorlaneParameter::specOutput, miInteger{kPreset});
    vorlane::renderer::ShadingPoint point;
    point.point = {0.0f, 0.0f, 0.0f};
    // The renderer keeps one state record per ray and updates the hit's
    // fields; the shader's own cost is what the loop measures.
    miState st = vorlane::renderer::makeState(scene, block.block(), point);
    std::size_t i = 0;
    for (auto _ : state) {
        const Sample& s = samples[i++ % kSampleCount];
        st.normal = s.normal;
        st.dir = s.dir;
        miColor result{0.0f, 0.0f, 0.0f, 0.0f};
        loaded.library->shade(&result, &st, block.data());
        benchmark::DoNotOptimize(result);
    }
}

}  // namespace

BENCHMARK(modelAlone)->Arg(1)->Arg(4)->Arg(16);
BENCHMARK(shaderCall)->Arg(1)->Arg(4)->Arg(16);
