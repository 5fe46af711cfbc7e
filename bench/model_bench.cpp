// accumulateLobes per call, for every preset and both precision rule sets,
// beside a floor that makes only the power-function calls the same inputs need,
// and the lobe loop alone on precomputed terms (accumulateLobes without its
// six dot products), which shows how much of the gap the dot products make.
// Each iteration is one call into model_work.cpp, compiled as the deliverables
// are; the call costs the three alike.
#include <vorlane/model/lobes.h>

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "model_work.h"

namespace vm = vorlane_model;
namespace vb = vorlane_bench;

namespace {

using Sample = vb::LobeSample;

// The name the host node gives preset `index`, for a benchmark's label.
std::string presetName(long index) {
    const vm::PresetField* const fields = vm::presetDeclarationOrder();
    for (int i = 0; i < vm::kPresetCount; ++i) {
        if (fields[i].index == index) {
            return fields[i].name;
        }
    }
    return "";
}

// Directions over the upper hemisphere, so that most samples light the surface.
template <class P>
std::vector<Sample> makeSamples() {
    std::mt19937 rng(1234);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    std::vector<Sample> samples;
    while (samples.size() < 1024) {
        const vm::Vec3 n = vm::normalizeVector<P>({u(rng) * 0.3f, u(rng) * 0.3f, 1.0f});
        vm::Vec3 l = vm::normalizeVector<P>({u(rng), u(rng), std::fabs(u(rng)) + 0.1f});
        const vm::Vec3 v = vm::normalizeVector<P>({u(rng) * 0.5f, u(rng) * 0.5f, -1.0f});
        samples.push_back({vm::makeShadingFrame<P>(n), v, l, vm::dot(n, l)});
    }
    return samples;
}

template <class P>
void accumulate(benchmark::State& state) {
    const vm::LobeCoefficientBlock& block = *vm::findPreset(state.range(0));
    const std::vector<Sample> samples = makeSamples<P>();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vb::accumulateSample<P>(block, samples[i++ & 1023]));
    }
    state.SetLabel(presetName(state.range(0)));
}

template <class P>
void lobesFromTerms(benchmark::State& state) {
    const vm::LobeCoefficientBlock& block = *vm::findPreset(state.range(0));
    struct Terms {
        vb::LobeTerms terms;
        float weight;
    };
    std::vector<Terms> terms;
    for (const Sample& s : makeSamples<P>()) {
        terms.push_back({vb::lobeTerms<P>(s.frame, s.view, s.light), s.weight});
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const Terms& t = terms[i++ & 1023];
        benchmark::DoNotOptimize(vb::accumulateFromTerms<P>(block, t.terms, t.weight));
    }
    state.SetLabel(presetName(state.range(0)));
}

// The bases that pass the threshold for each sample, so the floor repeats only
// the power evaluations that accumulateLobes itself makes.
template <class P>
void powerFloor(benchmark::State& state) {
    const vm::LobeCoefficientBlock& block = *vm::findPreset(state.range(0));
    std::vector<std::vector<vb::PowerCall>> calls;
    for (const Sample& s : makeSamples<P>()) {
        std::vector<vb::PowerCall> perSample;
        const vb::LobeTerms terms = vb::lobeTerms<P>(s.frame, s.view, s.light);
        for (int lobe = 0; lobe < vm::kLobeCount && s.weight > 0.0f; ++lobe) {
            for (int c = 0; c < vm::kChannelCount; ++c) {
                const float base =
                    -(block.cxy(lobe, c) * terms.tangent) - (block.cz(lobe, c) * terms.normal);
                if (P::passesThreshold(base, block.exponent(lobe, c))) {
                    perSample.push_back({base, block.exponent(lobe, c)});
                }
            }
        }
        calls.push_back(perSample);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const std::vector<vb::PowerCall>& perSample = calls[i++ & 1023];
        benchmark::DoNotOptimize(vb::sumOfPowers<P>(perSample.data(), perSample.size()));
    }
    state.SetLabel(presetName(state.range(0)));
}

}  // namespace

BENCHMARK(accumulate<vm::HostPrecision>)->DenseRange(0, 6);
BENCHMARK(lobesFromTerms<vm::HostPrecision>)->DenseRange(0, 6);
BENCHMARK(powerFloor<vm::HostPrecision>)->DenseRange(0, 6);
BENCHMARK(accumulate<vm::RendererPrecision>)->DenseRange(0, 6);
BENCHMARK(lobesFromTerms<vm::RendererPrecision>)->DenseRange(0, 6);
BENCHMARK(powerFloor<vm::RendererPrecision>)->DenseRange(0, 6);
