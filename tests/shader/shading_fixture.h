// A fresh shader library, a scene and a parameter block with typical material
// values, and helpers to shade one sample and to compare colours bit for bit.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "reference_shading.h"
#include "shader_harness.h"

namespace vorlane::test {

using renderer::VorlaneParameter;

inline const Sample kFront{{1.0f, 0.9f, 0.8f, 1.0f}, {0.2f, 0.1f, 0.9747f}};
inline const Sample kFrontTinted{{0.5f, 0.7f, 1.2f, 1.0f}, {-0.3f, 0.25f, 0.92f}};
inline const Sample kBehind{{1.0f, 1.0f, 1.0f, 1.0f}, {0.1f, 0.2f, -0.97f}};
inline const Sample kGrazing{{1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 0.0f, 0.0f}};

inline std::vector<renderer::LightSample> script(const std::vector<Sample>& samples) {
    std::vector<renderer::LightSample> out;
    for (const Sample& s : samples) {
        out.push_back({s.color, s.direction});
    }
    return out;
}

#define EXPECT_COLOR_EQ(actual, expected) \
    do {                                  \
        const miColor a_ = (actual);      \
        const miColor e_ = (expected);    \
        EXPECT_EQ(a_.r, e_.r) << "red";   \
        EXPECT_EQ(a_.g, e_.g) << "green"; \
        EXPECT_EQ(a_.b, e_.b) << "blue";  \
        EXPECT_EQ(a_.a, e_.a) << "alpha"; \
    } while (false)

class ShadingFixture : public ::testing::Test {
  protected:
    explicit ShadingFixture(renderer::ModuleHandover handover = renderer::ModuleHandover::renderer,
                            const std::string& library = {})
        : shader_(handover, library) {}

    void SetUp() override {
        ASSERT_TRUE(shader_.loaded()) << shader_.error();
        renderer::VorlaneParameters p = block_.values();
        p.color = {0.309f, 0.397f, 0.708f, 1.0f};
        p.ambientColor = {0.1f, 0.2f, 0.05f, 1.0f};
        p.incandescence = {0.01f, 0.02f, 0.03f, 1.0f};
        p.diffuse = 0.8f;
        p.specularRollOff = 5.0f;
        p.specOutput = 0;
        p.specularColor = {0.5f, 0.4f, 0.3f, 1.0f};
        p.indirect = miFALSE;
        p.indirectColor = {1.0f, 0.5f, 0.25f, 1.0f};
        block_.setValues(p);
    }

    // Adds scripted lights and lists them in the block.
    void useLights(const std::vector<std::vector<Sample>>& lights) {
        std::vector<miTag> tags;
        for (const auto& samples : lights) {
            tags.push_back(scene_.addScriptedLight(script(samples)));
        }
        ASSERT_TRUE(block_.setLights(tags));
    }

    // One call of the shader; checks that it returns true and leaves the
    // renderer's state as it was.
    miColor shade(miColor initial, const renderer::ShadingPoint& point = standardPoint()) {
        miState state = renderer::makeState(scene_, block_.block(), point);
        miColor result = initial;
        EXPECT_EQ(shader_.library().shade(&result, &state, block_.data()), miTRUE);
        EXPECT_EQ(state.normal.x, point.normal.x);
        EXPECT_EQ(state.normal.y, point.normal.y);
        EXPECT_EQ(state.normal.z, point.normal.z);
        EXPECT_EQ(state.shader, &block_.block().record());
        return result;
    }

    ReferenceInputs reference(std::vector<std::vector<Sample>> lights,
                              miColor irradiance = {0.0f, 0.0f, 0.0f, 0.0f},
                              const renderer::ShadingPoint& point = standardPoint()) const {
        return {block_.values(), point.normal, point.dir, std::move(lights), irradiance};
    }

    template <class T>
    void set(VorlaneParameter parameter, const T& value) {
        block_.set(parameter, value);
    }

    static constexpr miColor kStart{0.25f, -1.0f, 2.0f, 0.5f};

    FreshShader shader_;
    renderer::Scene scene_;
    renderer::VorlaneParameterBlock block_{4};
};

}  // namespace vorlane::test
