// The vorlane node's compute per sample through the stand-in host with 1, 4
// and 16 specular lights (ambient and diffuse off), beside the model's own
// work on the same inputs: the normalisations, the frame once per sample, the
// lobes and tint of every light and the colour matrix, as compute does them.
// The host's data-block accessors are the stand-in's, inline in its headers.
#include <vorlane/model/lobes.h>
#include <vorlane_host/host_runtime.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <vector>

#include "model_work.h"

namespace vm = vorlane_model;

namespace {

constexpr int kPreset = 2;  // "Red Clay": all nine lobes pass for most samples
constexpr std::size_t kSampleCount = 256;

struct Sample {
    vm::Vec3 point;
    vm::Vec3 normal;
    std::vector<vm::Vec3> lights;  // toward each light, unnormalised
};

std::vector<Sample> makeSamples(int lightCount) {
    std::mt19937 rng(99);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    std::vector<Sample> samples(kSampleCount);
    for (Sample& s : samples) {
        s.point = {u(rng) * 0.5f, u(rng) * 0.5f, -3.0f};
        s.normal = {u(rng) * 0.3f, u(rng) * 0.3f, 1.0f};
        for (int l = 0; l < lightCount; ++l) {
            s.lights.push_back({u(rng) * 0.5f, u(rng) * 0.5f, 1.0f});
        }
    }
    return samples;
}

// What compute does for the specular lights, on the model alone.
void modelAlone(benchmark::State& state) {
    const int lightCount = static_cast<int>(state.range(0));
    const std::vector<Sample> samples = makeSamples(lightCount);
    const vm::LobeCoefficientBlock& block = *vm::findPreset(kPreset);
    std::size_t i = 0;
    for (auto _ : state) {
        const Sample& s = samples[i++ % kSampleCount];
        benchmark::DoNotOptimize(vorlane_bench::nodeSpecular(block, s.point, s.normal,
                                                             s.lights.data(), s.lights.size()));
    }
}

struct Bench {
    Bench() {
        host.setErrorStream(&errors);
        std::string error;
        if (!host.loadPlugin(VORLANE_PLUGIN_PATH, &error)) {
            std::cerr << error << '\n';
            std::abort();
        }
        const vorlane::host::NodeType& type = *host.findNodeType("vorlane");
        outColor = type.findAttribute("outColor");
        pointCamera = type.findAttribute("pointCamera");
        normalCamera = type.findAttribute("normalCamera");
        lights = type.findAttribute("lightDataArray");
        direction = type.findAttribute("lightDirection");
        intensity = type.findAttribute("lightIntensity");
        specular = type.findAttribute("lightSpecular");
        ambient = type.findAttribute("lightAmbient");
        diffuse = type.findAttribute("lightDiffuse");
        specOutput = type.findAttribute("specOutput");
    }
    std::ostringstream errors;
    vorlane::host::Host host;
    vorlane::host::AttributeId outColor, pointCamera, normalCamera, lights, direction, intensity,
        specular, ambient, diffuse, specOutput;
};

Bench& bench() {
    static Bench instance;
    return instance;
}

// One node per sample, its inputs set beforehand, so that each iteration is
// the host's request and compute alone: the host calls compute for outColor.
void nodeCompute(benchmark::State& state) {
    const int lightCount = static_cast<int>(state.range(0));
    const std::vector<Sample> samples = makeSamples(lightCount);
    Bench& b = bench();
    std::vector<vorlane::host::Node*> nodes;
    for (const Sample& s : samples) {
        vorlane::host::Node* node = b.host.createNode("vorlane");
        vorlane::host::DataBlock& data = node->data();
        data.setShort(b.specOutput, kPreset);
        data.setTriple(b.pointCamera, s.point.x, s.point.y, s.point.z);
        data.setTriple(b.normalCamera, s.normal.x, s.normal.y, s.normal.z);
        data.setElementCount(b.lights, static_cast<unsigned int>(lightCount));
        for (unsigned int e = 0; e < static_cast<unsigned int>(lightCount); ++e) {
            const vm::Vec3& d = s.lights[e];
            data.setElementBool(b.lights, e, b.specular, true);
            data.setElementBool(b.lights, e, b.ambient, false);
            data.setElementBool(b.lights, e, b.diffuse, false);
            data.setElementTriple(b.lights, e, b.intensity, 1.0f, 1.0f, 1.0f);
            data.setElementTriple(b.lights, e, b.direction, d.x, d.y, d.z);
        }
        nodes.push_back(node);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(nodes[i++ % kSampleCount]->data().compute(b.outColor));
    }
    for (vorlane::host::Node* node : nodes) {
        b.host.destroyNode(node);
    }
}

// The same with the renderer's per-sample work: the sample's geometry and
// light directions are set before each request, as the host's renderer does.
void nodeSetAndEvaluate(benchmark::State& state) {
    const int lightCount = static_cast<int>(state.range(0));
    const std::vector<Sample> samples = makeSamples(lightCount);
    Bench& b = bench();
    vorlane::host::Node* node = b.host.createNode("vorlane");
    vorlane::host::DataBlock& data = node->data();
    data.setShort(b.specOutput, kPreset);
    data.setElementCount(b.lights, static_cast<unsigned int>(lightCount));
    for (unsigned int e = 0; e < static_cast<unsigned int>(lightCount); ++e) {
        data.setElementBool(b.lights, e, b.specular, true);
        data.setElementBool(b.lights, e, b.ambient, false);
        data.setElementBool(b.lights, e, b.diffuse, false);
        data.setElementTriple(b.lights, e, b.intensity, 1.0f, 1.0f, 1.0f);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const Sample& s = samples[i++ % kSampleCount];
        data.setTriple(b.pointCamera, s.point.x, s.point.y, s.point.z);
        data.setTriple(b.normalCamera, s.normal.x, s.normal.y, s.normal.z);
        for (unsigned int e = 0; e < s.lights.size(); ++e) {
            const vm::Vec3& d = s.lights[e];
            data.setElementTriple(b.lights, e, b.direction, d.x, d.y, d.z);
        }
        benchmark::DoNotOptimize(data.evaluate(b.outColor));
    }
    b.host.destroyNode(node);
}

}  // namespace

BENCHMARK(modelAlone)->Arg(1)->Arg(4)->Arg(16);
BENCHMARK(nodeCompute)->Arg(1)->Arg(4)->Arg(16);
BENCHMARK(nodeSetAndEvaluate)->Arg(1)->Arg(4)->Arg(16);
