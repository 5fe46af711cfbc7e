#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "shading_fixture.h"

namespace vorlane::test {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

using ShadingTest = ShadingFixture;

TEST_F(ShadingTest, WithoutLightsAddsAmbientAndIncandescenceToTheResultAsFound) {
    useLights({{kFront}});
    set(VorlaneParameter::n_lights, miInteger{0});
    const miColor result = shade(kStart);
    EXPECT_COLOR_EQ(result, referenceShade(reference({}), kStart));
    EXPECT_EQ(result.r, 0.25f + 0.309f * 0.1f + 0.01f);
    EXPECT_EQ(scene_.calls().sampleLight, 0u);

    set(VorlaneParameter::n_lights, miInteger{-3});
    EXPECT_COLOR_EQ(shade(kStart), referenceShade(reference({}), kStart));
    EXPECT_EQ(scene_.calls().sampleLight, 0u);
}

TEST_F(ShadingTest, OneSampleMatchesTheModelBitForBit) {
    for (miInteger preset = 0; preset <= 6; ++preset) {
        SCOPED_TRACE(preset);
        set(VorlaneParameter::specOutput, preset);
        useLights({{kFront}, {kFrontTinted}});
        EXPECT_COLOR_EQ(shade(kStart),
                        referenceShade(reference({{kFront}, {kFrontTinted}}), kStart));
    }
}

TEST_F(ShadingTest, SamplesOfOneLightAreAveragedAndNonFacingSamplesCount) {
    useLights({{kFront, kFrontTinted, kBehind, kGrazing}});
    const miColor result = shade(kStart);
    EXPECT_COLOR_EQ(result,
                    referenceShade(reference({{kFront, kFrontTinted, kBehind, kGrazing}}), kStart));
    // The two facing samples alone, divided by 2 instead of 4, give more light.
    const miColor facingOnly = referenceShade(reference({{kFront, kFrontTinted}}), kStart);
    EXPECT_LT(result.r, facingOnly.r);
    EXPECT_EQ(scene_.calls().sampleLight, 5u);
}

TEST_F(ShadingTest, FirstLightIndexSkipsLeadingLights) {
    const miTag skipped = scene_.addScriptedLight(script({kFront}));
    const miTag used = scene_.addScriptedLight(script({kFrontTinted}));
    const miTag after = scene_.addScriptedLight(script({kFront}));
    ASSERT_TRUE(block_.setLights({skipped, used, after}));
    set(VorlaneParameter::i_lights, miInteger{1});
    set(VorlaneParameter::n_lights, miInteger{1});
    EXPECT_COLOR_EQ(shade(kStart), referenceShade(reference({{kFrontTinted}}), kStart));
    EXPECT_EQ(scene_.sampleCalls(skipped), 0u);
    EXPECT_EQ(scene_.sampleCalls(used), 2u);
    EXPECT_EQ(scene_.sampleCalls(after), 0u);
}

TEST_F(ShadingTest, LightWithoutSamplesAddsNothing) {
    const miTag dark = scene_.addDarkLight();
    const miTag lit = scene_.addScriptedLight(script({kFront}));
    ASSERT_TRUE(block_.setLights({dark, lit}));
    EXPECT_COLOR_EQ(shade(kStart), referenceShade(reference({{}, {kFront}}), kStart));
    EXPECT_EQ(scene_.sampleCalls(dark), 1u);
}

TEST_F(ShadingTest, BlackTintOrZeroRollOffKeepsTheSpecularTermAtFullStrength) {
    useLights({{kFront, kFrontTinted}});
    set(VorlaneParameter::specOutput, miInteger{-1});
    const miColor withoutSpecular = shade(kStart);
    set(VorlaneParameter::specOutput, miInteger{0});

    set(VorlaneParameter::specularColor, miColor{0.0f, 0.0f, 0.0f, 1.0f});
    const miColor blackTint = shade(kStart);
    EXPECT_COLOR_EQ(blackTint, referenceShade(reference({{kFront, kFrontTinted}}), kStart));
    EXPECT_NE(blackTint.r, withoutSpecular.r);

    set(VorlaneParameter::specularColor, miColor{0.5f, 0.4f, 0.3f, 1.0f});
    set(VorlaneParameter::specularRollOff, 0.0f);
    EXPECT_COLOR_EQ(shade(kStart), blackTint);
}

TEST_F(ShadingTest, PresetIndexOutsideTheTableGivesNoSpecularTerm) {
    useLights({{kFront, kBehind}});
    const miColor withPreset = shade(kStart);
    for (miInteger preset :
         {-1, 7, std::numeric_limits<miInteger>::min(), std::numeric_limits<miInteger>::max()}) {
        SCOPED_TRACE(preset);
        set(VorlaneParameter::specOutput, preset);
        const miColor result = shade(kStart);
        EXPECT_COLOR_EQ(result, referenceShade(reference({{kFront, kBehind}}), kStart));
        EXPECT_NE(result.r, withPreset.r);
    }
    // Only diffuse light remains: (light * (cos * diffuse)) * color / samples.
    const float cosine = 0.9747f;
    const float expected =
        0.25f + ((1.0f * (cosine * 0.8f)) * 0.309f) / 2.0f + 0.309f * 0.1f + 0.01f;
    EXPECT_EQ(shade(kStart).r, expected);
}

TEST_F(ShadingTest, NormalCameraIsAddedToTheStateNormal) {
    set(VorlaneParameter::normalCamera, miVector{0.4f, -0.2f, 0.3f});
    useLights({{kFront}, {kFrontTinted}});
    EXPECT_COLOR_EQ(shade(kStart), referenceShade(reference({{kFront}, {kFrontTinted}}), kStart));
}

TEST_F(ShadingTest, ZeroShadingNormalLetsNoLightThrough) {
    set(VorlaneParameter::normalCamera, miVector{0.0f, 0.0f, -1.0f});
    useLights({{kFront, kFrontTinted}});
    const miColor result = shade(kStart);
    EXPECT_COLOR_EQ(result, referenceShade(reference({}), kStart));
    EXPECT_EQ(scene_.calls().sampleLight, 3u);
}

TEST_F(ShadingTest, IndirectTermFollowsItsSwitchAndTint) {
    scene_.setConstantIrradiance({0.6f, 0.8f, 1.5f, 1.0f});
    useLights({{kFront}});
    const miColor irradiance{0.6f, 0.8f, 1.5f, 1.0f};

    set(VorlaneParameter::indirect, miTRUE);
    const miColor on = shade(kStart);
    EXPECT_COLOR_EQ(on, referenceShade(reference({{kFront}}, irradiance), kStart));
    EXPECT_EQ(scene_.calls().computeIrradiance, 1u);

    set(VorlaneParameter::indirect, miFALSE);
    const miColor off = shade(kStart);
    EXPECT_COLOR_EQ(off, referenceShade(reference({{kFront}}), kStart));
    EXPECT_NE(on.r, off.r);
    EXPECT_EQ(scene_.calls().computeIrradiance, 1u);

    set(VorlaneParameter::indirect, miTRUE);
    set(VorlaneParameter::indirectColor, miColor{0.0f, 0.0f, 0.0f, 1.0f});
    EXPECT_COLOR_EQ(shade(kStart), off);
    set(VorlaneParameter::indirectColor, miColor{-0.0f, 0.0f, -0.0f, 1.0f});
    EXPECT_COLOR_EQ(shade(kStart), off);
    EXPECT_EQ(scene_.calls().computeIrradiance, 1u);

    set(VorlaneParameter::indirectColor, miColor{0.0f, kNaN, 0.0f, 1.0f});
    const miColor nan = shade(kStart);
    EXPECT_EQ(scene_.calls().computeIrradiance, 2u);
    EXPECT_TRUE(std::isnan(nan.g));
    EXPECT_EQ(nan.r, off.r);  // 0 tint adds +0
    EXPECT_EQ(nan.a, 1.0f);

    // A tint that is non-zero in any one channel alone keeps the term.
    std::uint64_t calls = scene_.calls().computeIrradiance;
    for (const miColor tint : {miColor{0.5f, 0.0f, 0.0f, 1.0f}, miColor{0.0f, 0.5f, 0.0f, 1.0f},
                               miColor{0.0f, 0.0f, 0.5f, 1.0f}}) {
        set(VorlaneParameter::indirectColor, tint);
        EXPECT_COLOR_EQ(shade(kStart), referenceShade(reference({{kFront}}, irradiance), kStart));
        EXPECT_EQ(scene_.calls().computeIrradiance, ++calls);
    }
}

TEST_F(ShadingTest, FailedIrradianceAddsNothing) {
    scene_.clearEnvironment();
    set(VorlaneParameter::indirect, miTRUE);
    useLights({{kFront}});
    EXPECT_COLOR_EQ(shade(kStart), referenceShade(reference({{kFront}}), kStart));
    EXPECT_EQ(scene_.calls().computeIrradiance, 1u);
}

TEST_F(ShadingTest, EveryTermIsAddedToTheResultAsFound) {
    scene_.setConstantIrradiance({0.6f, 0.8f, 1.5f, 1.0f});
    set(VorlaneParameter::indirect, miTRUE);
    useLights({{kFront}});
    const miColor zero = shade({0.0f, 0.0f, 0.0f, 0.0f});
    const miColor start{100.0f, -50.0f, 0.5f, 0.0f};
    const miColor added = shade(start);
    EXPECT_COLOR_EQ(added, referenceShade(reference({{kFront}}, {0.6f, 0.8f, 1.5f, 1.0f}), start));
    EXPECT_NEAR(added.r - start.r, zero.r, 1e-5f);
    EXPECT_NEAR(added.g - start.g, zero.g, 1e-5f);
    EXPECT_EQ(added.a, 1.0f);
}

}  // namespace
}  // namespace vorlane::test
