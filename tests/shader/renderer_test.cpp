// The stand-in renderer's light sampling, shadows and gathering, and the
// shader driven by lights that the renderer samples itself.
#include <cmath>

#include "shading_fixture.h"

namespace vorlane::test {
namespace {

struct Collected {
    std::vector<Sample> samples;
    miInteger counter = 0;
};

// Samples `light` as the shader does, with the state's normal replaced.
Collected sampleAll(renderer::Scene& scene, renderer::VorlaneParameterBlock& block, miTag light,
                    const renderer::ShadingPoint& point, miVector normal) {
    miState state = renderer::makeState(scene, block.block(), point);
    state.normal = normal;
    Collected out;
    Sample s{};
    miScalar dotNl = 0.0f;
    while (scene.sampleLight(&s.color, &s.direction, &dotNl, state, light, &out.counter)) {
        out.samples.push_back(s);
        if (out.samples.size() > 1000) {
            break;
        }
    }
    return out;
}

float length(miVector v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

TEST(RendererLights, PointLightGivesOneUnitSampleTowardItself) {
    renderer::Scene scene;
    renderer::VorlaneParameterBlock block;
    const miTag light = scene.addPointLight({0.0f, 3.0f, 4.0f}, {2.0f, 1.0f, 0.5f, 1.0f});
    const Collected c = sampleAll(scene, block, light, standardPoint(), {0.0f, 0.0f, 1.0f});
    ASSERT_EQ(c.samples.size(), 1u);
    EXPECT_EQ(c.counter, 1);
    EXPECT_FLOAT_EQ(c.samples[0].direction.y, 0.6f);
    EXPECT_FLOAT_EQ(c.samples[0].direction.z, 0.8f);
    EXPECT_EQ(c.samples[0].color.r, 2.0f);
    EXPECT_EQ(sampleAll(scene, block, 0x7fffffffu, standardPoint(), {0, 0, 1}).counter, 0);
}

TEST(RendererLights, AreaLightSamplesAreJitteredRepeatableAndShadowed) {
    renderer::Scene scene;
    renderer::VorlaneParameterBlock block;
    const renderer::AreaLight area{{-1.0f, -1.0f, 5.0f},
                                   {2.0f, 0.0f, 0.0f},
                                   {0.0f, 2.0f, 0.0f},
                                   {1.0f, 1.0f, 1.0f, 1.0f},
                                   9,
                                   42u};
    const miTag light = scene.addAreaLight(area);
    const Collected first = sampleAll(scene, block, light, standardPoint(), {0, 0, 1});
    const Collected again = sampleAll(scene, block, light, standardPoint(), {0, 0, 1});
    ASSERT_EQ(first.samples.size(), 9u);
    EXPECT_EQ(first.counter, 9);
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(first.samples[i].direction.x, again.samples[i].direction.x);
        EXPECT_NEAR(length(first.samples[i].direction), 1.0f, 1e-6f);
        EXPECT_EQ(first.samples[i].color.r, 1.0f);
        if (i > 0) {
            EXPECT_NE(first.samples[i].direction.x, first.samples[i - 1].direction.x);
        }
    }

    // A sphere over the point's left side hides some samples, not all.
    scene.addSphereOccluder({-0.5f, 0.0f, 2.5f}, 0.6f);
    const Collected shadowed = sampleAll(scene, block, light, standardPoint(), {0, 0, 1});
    ASSERT_EQ(shadowed.samples.size(), 9u);
    int dark = 0;
    for (const Sample& s : shadowed.samples) {
        dark += s.color.r == 0.0f ? 1 : 0;
    }
    EXPECT_GT(dark, 0);
    EXPECT_LT(dark, 9);
}

TEST(RendererEnvironment, GatherSeesTheSkyUnlessOccluded) {
    renderer::Scene scene;
    renderer::VorlaneParameterBlock block;
    miState state = renderer::makeState(scene, block.block(), standardPoint());
    miColor irradiance{};
    EXPECT_FALSE(scene.computeIrradiance(&irradiance, state));
    EXPECT_EQ(irradiance.r, 0.0f);

    scene.setSkyGather({1.0f, 0.5f, 0.25f, 1.0f}, 64);
    ASSERT_TRUE(scene.computeIrradiance(&irradiance, state));
    const float open = irradiance.r;
    EXPECT_NEAR(open, 3.14159265f, 1e-6f);
    EXPECT_NEAR(irradiance.g, 0.5f * 3.14159265f, 1e-6f);

    scene.addSphereOccluder({0.0f, 0.0f, 3.0f}, 2.0f);
    ASSERT_TRUE(scene.computeIrradiance(&irradiance, state));
    EXPECT_LT(irradiance.r, open);
    EXPECT_GT(irradiance.r, 0.0f);
}

TEST(RendererParameterBlock, ConnectionAreaFollowsTheParametersAndMarksByOffset) {
    renderer::VorlaneParameterBlock block(3);
    const std::int32_t area = block.block().connectionAreaOffset();
    EXPECT_GE(area, 116 + 3 * 4);
    EXPECT_EQ(block.block().record().ghost_offs, area);
    // The block is stored inline in the shader record.
    EXPECT_EQ(block.block().data(), static_cast<void*>(block.block().record().parameters));
    EXPECT_EQ(block.block().record().parameter_size, 116 + 3 * 4);
    block.connect(VorlaneParameter::specularColor, 7u);
    EXPECT_EQ(block.block().read<std::uint32_t>(static_cast<std::size_t>(area) + 72), 7u);
    EXPECT_EQ(block.block().read<std::uint32_t>(static_cast<std::size_t>(area) + 68), 0u);
    EXPECT_FALSE(block.setLights({1, 2, 3, 4}));
    EXPECT_TRUE(block.setLights({1, 2, 3}));
    EXPECT_EQ(block.get<miTag>(VorlaneParameter::lights), 1u);
    EXPECT_EQ(block.get<miInteger>(VorlaneParameter::n_lights), 3);
}

using RendererShadingTest = ShadingFixture;

TEST_F(RendererShadingTest, RendererSampledLightsShadeAsTheirSamplesSay) {
    const miTag point = scene_.addPointLight({1.0f, 2.0f, 6.0f}, {1.0f, 0.95f, 0.9f, 1.0f});
    const miTag area = scene_.addAreaLight({{-1.0f, -1.0f, 5.0f},
                                            {2.0f, 0.0f, 0.0f},
                                            {0.0f, 2.0f, 0.0f},
                                            {0.8f, 0.8f, 1.0f, 1.0f},
                                            16,
                                            7u});
    scene_.addSphereOccluder({-0.5f, 0.0f, 2.5f}, 0.6f);
    ASSERT_TRUE(block_.setLights({point, area}));
    set(VorlaneParameter::normalCamera, miVector{0.1f, 0.0f, 0.0f});

    const renderer::ShadingPoint at = standardPoint();
    const miVector n = referenceNormal(at.normal, {0.1f, 0.0f, 0.0f});
    const Collected fromPoint = sampleAll(scene_, block_, point, at, n);
    const Collected fromArea = sampleAll(scene_, block_, area, at, n);
    EXPECT_COLOR_EQ(shade(kStart),
                    referenceShade(reference({fromPoint.samples, fromArea.samples}), kStart));
}

}  // namespace
}  // namespace vorlane::test
