// The shader zq4v_vorlane per sample through the stand-in renderer with 1, 4
// and 16 lights of one sample each, beside the model's own work on the same
// inputs (normalisation, per light the frame and the lobes, the tint and the
// colour matrix, as the shader does them).
#include <vorlane/model/color_matrix.h>
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
        const vm::Vec3 n =
            vm::normalizeVector<vm::RendererPrecision>({s.normal.x, s.normal.y, s.normal.z});
        vm::Color result{0.0f, 0.0f, 0.0f};
        for (const vm::Vec3& l : lights) {
            const float cosine = vm::dot(n, l);
            vm::Color diffuse{0.0f, 0.0f, 0.0f};
            if (cosine > 0.0f) {
                diffuse = {cosine * 0.8f, cosine * 0.8f, cosine * 0.8f};
            }
            vm::Color sum{0.0f, 0.0f, 0.0f};
            const vm::ShadingFrame frame = vm::makeShadingFrame<vm::RendererPrecision>(n);
            vm::accumulateLobes<vm::RendererPrecision>(block, frame, {s.dir.x, s.dir.y, s.dir.z}, l,
                                                       {1.0f, 1.0f, 1.0f}, cosine, sum);
            sum = {sum.r + sum.r * 2.5f, sum.g + sum.g * 2.5f, sum.b + sum.b * 2.5f};
            const vm::Color t = vm::applyColorMatrix(sum);
            result = {result.r + diffuse.r + sum.r + t.r, result.g + diffuse.g + sum.g + t.g,
                      result.b + diffuse.b + sum.b + t.b};
        }
        benchmark::DoNotOptimize(result);
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
