// Many threads shading many host nodes and calling the renderer shader at
// once, in one process, starting from a fresh service binding so that the
// first uses of the services race. Every result must equal the one the same
// sample gives on one thread afterwards.
#include <gtest/gtest.h>

#include <vorlane_host/host_runtime.h>
#include <vorlane_renderer/module.h>
#include <vorlane_renderer/scene.h>
#include <vorlane_renderer/shader_library.h>
#include <vorlane_renderer/state.h>
#include <vorlane_renderer/vorlane_parameters.h>

#include <array>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "run_together.h"

namespace vorlane::test {
namespace {

using renderer::VorlaneParameter;

constexpr int kThreads = 8;
constexpr int kNodesPerThread = 3;
constexpr int kSamples = 120;

bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The host side: one node per preset and thread, with two specular lights.
struct HostSide {
    HostSide() {
        host.setErrorStream(&errors);
        std::string error;
        loaded = host.loadPlugin(VORLANE_PLUGIN_PATH, &error);
        EXPECT_TRUE(loaded) << error;
        if (!loaded) {
            return;
        }
        const host::NodeType& type = *host.findNodeType("vorlane");
        outColor = type.findAttribute("outColor");
        pointCamera = type.findAttribute("pointCamera");
        normalCamera = type.findAttribute("normalCamera");
        lights = type.findAttribute("lightDataArray");
        direction = type.findAttribute("lightDirection");
        const host::AttributeId specOutput = type.findAttribute("specOutput");
        const host::AttributeId specular = type.findAttribute("lightSpecular");
        const host::AttributeId diffuse = type.findAttribute("lightDiffuse");
        for (int n = 0; n < kThreads * kNodesPerThread; ++n) {
            host::Node* node = host.createNode("vorlane");
            host::DataBlock& data = node->data();
            data.setShort(specOutput, static_cast<short>(n % 8));  // 7 selects no preset
            data.setElementCount(lights, 2);
            for (unsigned int e = 0; e < 2; ++e) {
                data.setElementBool(lights, e, specular, true);
                data.setElementBool(lights, e, diffuse, true);
            }
            nodes.push_back(node);
        }
    }

    std::array<float, 3> shade(int node, int sample) {
        host::DataBlock& data = nodes[static_cast<std::size_t>(node)]->data();
        const float t = static_cast<float>(sample % 31) / 31.0f;
        data.setTriple(pointCamera, t - 0.5f, 0.3f - t, -3.0f);
        data.setTriple(normalCamera, 0.2f * t, -0.1f, 1.0f);
        data.setElementTriple(lights, 0, direction, 0.3f, 0.2f + t, 1.0f);
        data.setElementTriple(lights, 1, direction, -0.4f * t, 0.5f, 0.8f);
        const host::Evaluation e = data.evaluate(outColor);
        return {e.value[0], e.value[1], e.value[2]};
    }

    std::ostringstream errors;
    host::Host host;
    bool loaded = false;
    host::AttributeId outColor, pointCamera, normalCamera, lights, direction;
    std::vector<host::Node*> nodes;
};

// The renderer side: one parameter block per preset with scripted and area
// lights, indirect light on, the colour connected.
struct RendererSide {
    RendererSide() {
        auto result = renderer::ShaderLibrary::load(ZQ4V_LIBRARY_PATH, "zq4v_vorlane");
        library = std::move(result.library);
        EXPECT_NE(library, nullptr) << result.error;
        scripted = scene.addScriptedLight({{{1.0f, 0.9f, 0.8f, 1.0f}, {0.0f, 0.0f, 1.0f}},
                                           {{0.5f, 0.5f, 0.5f, 1.0f}, {0.6f, 0.0f, 0.8f}}});
        area = scene.addAreaLight({{-1.0f, -1.0f, 5.0f},
                                   {2.0f, 0.0f, 0.0f},
                                   {0.0f, 2.0f, 0.0f},
                                   {0.8f, 0.8f, 1.0f, 1.0f},
                                   4,
                                   9u});
        scene.addSphereOccluder({0.0f, 0.5f, 2.0f}, 0.5f);
        scene.setSkyGather({0.2f, 0.3f, 0.4f, 1.0f}, 4);
        const renderer::ConnectionId color = scene.connect(miColor{0.6f, 0.5f, 0.4f, 1.0f});
        for (int preset = 0; preset < 8; ++preset) {
            auto& block = blocks.emplace_back(std::make_unique<renderer::VorlaneParameterBlock>(2));
            block->setLights({scripted, area});
            block->set(VorlaneParameter::specOutput, miInteger{preset});
            block->set(VorlaneParameter::indirect, miBoolean{miTRUE});
            block->set(VorlaneParameter::indirectColor, miColor{1.0f, 1.0f, 1.0f, 1.0f});
            block->connect(VorlaneParameter::color, color);
        }
    }

    miColor shade(int preset, int sample) {
        renderer::VorlaneParameterBlock& block = *blocks[static_cast<std::size_t>(preset)];
        renderer::ShadingPoint point;
        const float t = static_cast<float>(sample % 29) / 29.0f;
        point.point = {t - 0.5f, 0.2f * t, 0.0f};
        point.normal = {0.1f * t, 0.0f, 1.0f};
        point.dir = {0.0f, 0.0f, -1.0f};
        miState state = renderer::makeState(scene, block.block(), point);
        miColor result{0.0f, 0.0f, 0.0f, 0.0f};
        library->shade(&result, &state, block.data());
        return result;
    }

    std::unique_ptr<renderer::ShaderLibrary> library;
    renderer::Scene scene;
    miTag scripted = miNULLTAG;
    miTag area = miNULLTAG;
    std::vector<std::unique_ptr<renderer::VorlaneParameterBlock>> blocks;
};

TEST(Stress, ManyThreadsShadeNodesAndCallTheShaderAtOnce) {
    HostSide hostSide;
    RendererSide rendererSide;
    ASSERT_TRUE(hostSide.loaded);
    ASSERT_NE(rendererSide.library, nullptr);
    // A fresh binding: every service is looked up again by the racing threads,
    // where the renderer offers them: in its module on Windows, in its
    // process on Linux, where it hands no module.
#if defined(_WIN32)
    rendererSide.library->setModuleHandle(renderer::Module::rendererHandle());
#else
    rendererSide.library->setModuleHandle(nullptr);
#endif

    std::vector<std::vector<std::array<float, 3>>> nodeResults(
        kThreads * kNodesPerThread, std::vector<std::array<float, 3>>(kSamples));
    std::vector<std::vector<miColor>> shaderResults(kThreads, std::vector<miColor>(kSamples));
    testing::internal::CaptureStderr();
    runTogether(kThreads, [&](int t) {
        for (int s = 0; s < kSamples; ++s) {
            for (int k = 0; k < kNodesPerThread; ++k) {
                const int node = t * kNodesPerThread + k;
                nodeResults[static_cast<std::size_t>(node)][static_cast<std::size_t>(s)] =
                    hostSide.shade(node, s);
            }
            shaderResults[static_cast<std::size_t>(t)][static_cast<std::size_t>(s)] =
                rendererSide.shade((t + s) % 8, s);
        }
    });
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(hostSide.errors.str(), "");

    int mismatches = 0;
    for (int node = 0; node < kThreads * kNodesPerThread; ++node) {
        for (int s = 0; s < kSamples; s += 7) {
            const auto expected = hostSide.shade(node, s);
            const auto& got =
                nodeResults[static_cast<std::size_t>(node)][static_cast<std::size_t>(s)];
            for (int c = 0; c < 3; ++c) {
                mismatches += sameBits(got[static_cast<std::size_t>(c)],
                                       expected[static_cast<std::size_t>(c)])
                                  ? 0
                                  : 1;
            }
        }
    }
    for (int t = 0; t < kThreads; ++t) {
        for (int s = 0; s < kSamples; s += 5) {
            const miColor expected = rendererSide.shade((t + s) % 8, s);
            const miColor& got =
                shaderResults[static_cast<std::size_t>(t)][static_cast<std::size_t>(s)];
            mismatches += sameBits(got.r, expected.r) && sameBits(got.g, expected.g) &&
                                  sameBits(got.b, expected.b) && got.a == 1.0f
                              ? 0
                              : 1;
        }
    }
    EXPECT_EQ(mismatches, 0);

    // Every sample reached the renderer's services: 2 + 4 light samples each,
    // one connected colour and one irradiance gather, serial checks included.
    const std::uint64_t shaded = kThreads * kSamples + kThreads * ((kSamples + 4) / 5);
    const renderer::ServiceCallCounts calls = rendererSide.scene.calls();
    EXPECT_EQ(calls.phenEval, shaded);
    EXPECT_EQ(calls.computeIrradiance, shaded);
    EXPECT_EQ(calls.sampleLight, shaded * (3 + 5));
}

}  // namespace
}  // namespace vorlane::test
