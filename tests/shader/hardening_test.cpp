// Bad input never crashes the shader nor reads outside its data: every 32-bit
// preset index, light counts from the most negative to thousands within the
// stored array, and NaN, infinities and zero vectors in the state.
#include <cmath>
#include <cstring>
#include <limits>

#include "shading_fixture.h"

namespace vorlane::test {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

bool sameBits(const miColor& a, const miColor& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

using HardeningTest = ShadingFixture;

TEST_F(HardeningTest, EveryIndexOutsideTheTableShadesAsNoPresetAndInsideAsItsPreset) {
    useLights({{kFront, kFrontTinted}});
    set(VorlaneParameter::specOutput, miInteger{-1});
    const miColor none = shade(kStart);
    miColor table[7];
    int differing = 0;
    for (miInteger p = 0; p < 7; ++p) {
        set(VorlaneParameter::specOutput, p);
        table[p] = shade(kStart);
        differing += sameBits(table[p], none) ? 0 : 1;
    }
    EXPECT_GE(differing, 5);  // the specular term is there for most presets here
    // Every index near the table, then the whole 32-bit range in steps.
    int mismatches = 0;
    const auto check = [&](miInteger p) {
        set(VorlaneParameter::specOutput, p);
        miState state = renderer::makeState(scene_, block_.block(), standardPoint());
        miColor result = kStart;
        shader_.library().shade(&result, &state, block_.data());
        mismatches += sameBits(result, p >= 0 && p <= 6 ? table[p] : none) ? 0 : 1;
    };
    for (miInteger p = -40000; p <= 40000; ++p) {
        check(p);
    }
    for (std::int64_t p = std::numeric_limits<miInteger>::min();
         p <= std::numeric_limits<miInteger>::max(); p += 65521) {
        check(static_cast<miInteger>(p));
    }
    check(std::numeric_limits<miInteger>::max());
    EXPECT_EQ(mismatches, 0);
}

TEST_F(HardeningTest, LightCountsFromTheMostNegativeToThousandsWithinTheStoredArray) {
    constexpr std::size_t kStored = 3000;
    renderer::VorlaneParameterBlock big(kStored);
    big.setValues(block_.values());
    std::vector<miTag> tags;
    for (std::size_t i = 0; i < kStored; ++i) {
        tags.push_back(scene_.addScriptedLight(script({kFront})));
    }
    ASSERT_TRUE(big.setLights(tags));
    const auto shadeBig = [&](miInteger first, miInteger count) {
        big.set(VorlaneParameter::i_lights, first);
        big.set(VorlaneParameter::n_lights, count);
        scene_.resetCalls();
        miState state = renderer::makeState(scene_, big.block(), standardPoint());
        miColor result{0.0f, 0.0f, 0.0f, 0.0f};
        EXPECT_EQ(shader_.library().shade(&result, &state, big.data()), miTRUE);
        return result;
    };
    for (miInteger count : {std::numeric_limits<miInteger>::min(), -1, 0}) {
        shadeBig(0, count);
        EXPECT_EQ(scene_.calls().sampleLight, 0u) << count;
    }
    // Every light once: one sample, then the call that ends it.
    shadeBig(0, static_cast<miInteger>(kStored));
    EXPECT_EQ(scene_.calls().sampleLight, 2u * kStored);
    for (std::size_t i = 0; i < kStored; i += 997) {
        EXPECT_EQ(scene_.sampleCalls(tags[i]), 2u) << i;
    }
    // The last light alone, far into the array, adds what one light adds.
    const miColor last = shadeBig(static_cast<miInteger>(kStored - 1), 1);
    EXPECT_EQ(scene_.calls().sampleLight, 2u);
    EXPECT_EQ(scene_.sampleCalls(tags[kStored - 1]), 2u);
    EXPECT_TRUE(sameBits(last, shadeBig(0, 1)));
}

TEST_F(HardeningTest, NonFiniteAndZeroStatesReturnTrueWithAlphaOne) {
    useLights({{kFront, kBehind}, {{{kNaN, kInf, -kInf, 1.0f}, {kNaN, 0.0f, kInf}}}});
    const miVector odd[] = {{0.0f, 0.0f, 0.0f},  {kNaN, kNaN, kNaN},   {kInf, 0.0f, 0.0f},
                            {-kInf, kInf, 0.0f}, {1e-30f, 0.0f, 0.0f}, {3e38f, 3e38f, 3e38f}};
    set(VorlaneParameter::indirect, miTRUE);
    scene_.setConstantIrradiance({kNaN, kInf, 1.0f, 1.0f});
    for (const miVector& normal : odd) {
        for (const miVector& dir : odd) {
            renderer::ShadingPoint point = standardPoint();
            point.normal = normal;
            point.dir = dir;
            miState state = renderer::makeState(scene_, block_.block(), point);
            const miState before = state;
            miColor result{0.0f, 0.0f, 0.0f, 0.0f};
            EXPECT_EQ(shader_.library().shade(&result, &state, block_.data()), miTRUE);
            EXPECT_EQ(result.a, 1.0f);
            EXPECT_EQ(std::memcmp(&state, &before, sizeof state), 0);  // not written
        }
    }
    // A zero shading normal: no light adds anything, whatever the light.
    set(VorlaneParameter::indirect, miFALSE);
    renderer::ShadingPoint zero = standardPoint();
    zero.normal = {0.0f, 0.0f, 0.0f};
    set(VorlaneParameter::normalCamera, miVector{0.0f, 0.0f, 0.0f});
    set(VorlaneParameter::n_lights, miInteger{0});
    const miColor unlit = shade(kStart, zero);
    set(VorlaneParameter::n_lights, miInteger{1});
    EXPECT_COLOR_EQ(shade(kStart, zero), unlit);
}

}  // namespace
}  // namespace vorlane::test
