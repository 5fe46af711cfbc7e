#include <vorlane/model/lobes.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <type_traits>

#include "published_model.h"
#include "reference_model.h"

namespace vm = vorlane_model;
using vm::Color;
using vm::HostPrecision;
using vm::LobeCoefficientBlock;
using vm::RendererPrecision;
using vm::Vec3;

namespace {

using vorlane::test::Rules;
using vorlane::test::Triple;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr Vec3 kUp{0.0f, 0.0f, 1.0f};
constexpr Vec3 kDown{0.0f, 0.0f, -1.0f};
constexpr Color kWhite{1.0f, 1.0f, 1.0f};

// A block whose every lobe is the empty lobe (Cxy 0, Cz 0, n 1) except the
// given channel of the given lobe.
LobeCoefficientBlock singleLobe(int lobe, int channel, float cxy, float cz, float n) {
    LobeCoefficientBlock block{};
    for (std::size_t k = 2; k < vm::kLobeCoefficientCount; k += 3) {
        block.values[k] = 1.0f;
    }
    const std::size_t at = static_cast<std::size_t>(lobe * 9 + channel * 3);
    block.values[at] = cxy;
    block.values[at + 1] = cz;
    block.values[at + 2] = n;
    return block;
}

// Straight light, eye straight above: every base equals that channel's Cz.
template <class P>
Color headOn(const LobeCoefficientBlock& block, Color start = {0.0f, 0.0f, 0.0f}) {
    Color acc = start;
    vm::accumulateLobes<P>(block, vm::makeShadingFrame<P>(kUp), kDown, kUp, kWhite, 1.0f, acc);
    return acc;
}

// Preset `p` as published, not as the model's own table holds it.
LobeCoefficientBlock published(int p) {
    LobeCoefficientBlock block{};
    std::copy_n(vorlane::test::kPublishedPresets[p], 27, block.values);
    return block;
}

template <class P>
constexpr Rules kRules = std::is_same_v<P, HostPrecision> ? Rules::host : Rules::renderer;

Triple triple(Vec3 v) {
    return {v.x, v.y, v.z};
}
Triple triple(Color c) {
    return {c.r, c.g, c.b};
}

template <class P>
class LobeTest : public ::testing::Test {};
using Precisions = ::testing::Types<HostPrecision, RendererPrecision>;
TYPED_TEST_SUITE(LobeTest, Precisions);

}  // namespace

TYPED_TEST(LobeTest, BluePaintRedLobeOneHeadOn) {
    const LobeCoefficientBlock bluePaintRed = singleLobe(0, 0, 0.870567f, 0.803624f, 21.820103f);
    EXPECT_EQ(headOn<TypeParam>(bluePaintRed).r,
              vorlane::test::referenceLobe(kRules<TypeParam>, 0.803624f, 21.820103f));
    EXPECT_EQ(headOn<TypeParam>(bluePaintRed).g, 0.0f);
}

// Normalisation, frame and lobes of random directions, lights and weights,
// against the reference, bit for bit.
TYPED_TEST(LobeTest, RandomSamplesMatchTheReferenceBitForBit) {
    constexpr Rules rules = kRules<TypeParam>;
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    int lit = 0;
    for (int i = 0; i < 300; ++i) {
        const Vec3 raw[3] = {
            {u(rng), u(rng), u(rng)}, {u(rng), u(rng), u(rng)}, {u(rng), u(rng), u(rng)}};
        const Vec3 n = vm::normalizeVector<TypeParam>(raw[0]);
        const Vec3 v = vm::normalizeVector<TypeParam>(raw[1]);
        const Vec3 l = vm::normalizeVector<TypeParam>(raw[2]);
        EXPECT_EQ(triple(n), vorlane::test::referenceNormalize(rules, triple(raw[0])));
        const vm::ShadingFrame frame = vm::makeShadingFrame<TypeParam>(n);
        const vorlane::test::Frame expectedFrame = vorlane::test::referenceFrame(rules, triple(n));
        EXPECT_EQ(triple(frame.t), expectedFrame.t);
        EXPECT_EQ(triple(frame.b), expectedFrame.b);
        EXPECT_NEAR(vm::dot(frame.t, frame.t), 1.0f, 1e-5f);  // orthonormal up to rounding
        EXPECT_NEAR(vm::dot(frame.t, n), 0.0f, 1e-6f);
        EXPECT_NEAR(vm::dot(frame.b, frame.b), 1.0f, 1e-5f);
        EXPECT_NEAR(vm::dot(frame.b, n), 0.0f, 1e-6f);
        const Color intensity{u(rng) + 1.0f, u(rng) + 1.0f, u(rng) + 1.0f};
        const float w = u(rng);
        for (int p = 0; p < vm::kPresetCount; ++p) {
            Color acc{0.5f, 0.25f, 0.125f};
            Triple expected{0.5f, 0.25f, 0.125f};
            vm::accumulateLobes<TypeParam>(published(p), frame, v, l, intensity, w, acc);
            vorlane::test::referenceAccumulate(
                rules, vorlane::test::kPublishedPresets[p], expectedFrame, triple(v), triple(l),
                {intensity.r, intensity.g, intensity.b}, w, expected);
            SCOPED_TRACE(p);
            EXPECT_EQ(triple(acc), expected);
            lit += acc.r != 0.5f || acc.g != 0.25f || acc.b != 0.125f;
        }
    }
    EXPECT_GT(lit, 300);
}

TEST(Lobes, ThresholdPrecisionDiffersBetweenRuleSets) {
    // Base 0.001f with n = 1: in double 0.001f exceeds 0.001, in single it
    // equals 0.001f * 1.
    const LobeCoefficientBlock block = singleLobe(0, 0, 0.0f, 0.001f, 1.0f);
    EXPECT_EQ(headOn<HostPrecision>(block).r, 0.001f);
    EXPECT_EQ(headOn<RendererPrecision>(block).r, 0.0f);
}

TYPED_TEST(LobeTest, BaseExactlyAtTheThresholdGivesZero) {
    // 0.001 * 1000 rounds to exactly 1 in both precisions.
    EXPECT_EQ(headOn<TypeParam>(singleLobe(1, 2, 0.0f, 1.0f, 1000.0f)).b, 0.0f);
    const float above = std::nextafter(1.0f, 2.0f);
    EXPECT_GT(headOn<TypeParam>(singleLobe(1, 2, 0.0f, above, 1000.0f)).b, 1.0f);
}

TYPED_TEST(LobeTest, EmptyLobeOfIndianMaleAddsNothing) {
    // Head on every base is that channel's Cz: the preset adds its first two
    // lobes and nothing else.
    const float* indianMale = vorlane::test::kPublishedPresets[6];
    const Color start{0.25f, 0.5f, 0.75f};
    Triple expected{start.r, start.g, start.b};
    for (int lobe = 0; lobe < 2; ++lobe) {
        for (int c = 0; c < 3; ++c) {
            const float* k = indianMale + lobe * 9 + c * 3;
            expected[c] = expected[c] + vorlane::test::referenceLobe(kRules<TypeParam>, k[1], k[2]);
        }
    }
    EXPECT_EQ(triple(headOn<TypeParam>(published(6), start)), expected);
}

TYPED_TEST(LobeTest, CosineWeightAtOrBelowZeroAddsNothing) {
    const LobeCoefficientBlock block = published(0);
    const vm::ShadingFrame frame = vm::makeShadingFrame<TypeParam>(kUp);
    for (float w : {0.0f, -0.0f, -1.0f, kNaN, -std::numeric_limits<float>::infinity()}) {
        Color acc{1.0f, 2.0f, 3.0f};
        vm::accumulateLobes<TypeParam>(block, frame, kDown, kUp, kWhite, w, acc);
        EXPECT_EQ(acc.r, 1.0f) << w;
        EXPECT_EQ(acc.g, 2.0f) << w;
        EXPECT_EQ(acc.b, 3.0f) << w;
    }
}

TYPED_TEST(LobeTest, NaNDirectionsAddNothing) {
    const LobeCoefficientBlock block = published(2);
    const vm::ShadingFrame frame = vm::makeShadingFrame<TypeParam>(kUp);
    const Vec3 nanVector{kNaN, kNaN, kNaN};
    for (const auto& [view, light] : {std::pair{nanVector, kUp}, std::pair{kDown, nanVector}}) {
        Color acc{0.5f, 0.5f, 0.5f};
        vm::accumulateLobes<TypeParam>(block, frame, view, light, kWhite, 1.0f, acc);
        EXPECT_EQ(acc.r, 0.5f);
        EXPECT_EQ(acc.g, 0.5f);
        EXPECT_EQ(acc.b, 0.5f);
    }
}

TEST(Lobes, HostZeroLengthNormalMakesEveryLobeZero) {
    const Vec3 n = vm::normalizeVector<HostPrecision>({0.0f, 0.0f, 0.0f});
    Color acc{0.0f, 0.0f, 0.0f};
    vm::accumulateLobes<HostPrecision>(published(0), vm::makeShadingFrame<HostPrecision>(n), kDown,
                                       kUp, kWhite, 1.0f, acc);
    EXPECT_EQ(acc.r, 0.0f);
    EXPECT_EQ(acc.g, 0.0f);
    EXPECT_EQ(acc.b, 0.0f);
}

TYPED_TEST(LobeTest, BlackFeltUnderWhiteLightIsNeutral) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    for (int i = 0; i < 200; ++i) {
        const Vec3 n = vm::normalizeVector<TypeParam>({u(rng), u(rng), u(rng)});
        const Vec3 v = vm::normalizeVector<TypeParam>({u(rng), u(rng), u(rng)});
        const Vec3 l = vm::normalizeVector<TypeParam>({u(rng), u(rng), u(rng)});
        Color acc{0.0f, 0.0f, 0.0f};
        vm::accumulateLobes<TypeParam>(published(3), vm::makeShadingFrame<TypeParam>(n), v, l,
                                       kWhite, 1.0f, acc);
        EXPECT_EQ(acc.r, acc.g);
        EXPECT_EQ(acc.g, acc.b);
    }
}

TYPED_TEST(LobeTest, RotatingTheTangentChangesOnlyRounding) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    int compared = 0;
    for (int i = 0; i < 500; ++i) {
        const Vec3 n = vm::normalizeVector<TypeParam>({u(rng), u(rng), u(rng)});
        const Vec3 l = vm::normalizeVector<TypeParam>({u(rng), u(rng), u(rng)});
        const Vec3 v = vm::normalizeVector<TypeParam>({u(rng), u(rng), u(rng)});
        const vm::ShadingFrame frame = vm::makeShadingFrame<TypeParam>(n);
        // Rotate T and B by an arbitrary angle about N.
        const float c = std::cos(0.7f);
        const float s = std::sin(0.7f);
        const Vec3 t{c * frame.t.x + s * frame.b.x, c * frame.t.y + s * frame.b.y,
                     c * frame.t.z + s * frame.b.z};
        const vm::ShadingFrame rotated{t, vm::cross(n, t), n};
        for (int p = 0; p < vm::kPresetCount; ++p) {
            Color a{0.0f, 0.0f, 0.0f};
            Color b{0.0f, 0.0f, 0.0f};
            vm::accumulateLobes<TypeParam>(published(p), frame, v, l, kWhite, 1.0f, a);
            vm::accumulateLobes<TypeParam>(published(p), rotated, v, l, kWhite, 1.0f, b);
            const float scale = std::max(1.0f, std::fabs(a.r) + std::fabs(a.g) + std::fabs(a.b));
            EXPECT_NEAR(a.r, b.r, 2e-3f * scale);
            EXPECT_NEAR(a.g, b.g, 2e-3f * scale);
            EXPECT_NEAR(a.b, b.b, 2e-3f * scale);
            compared += (a.r != 0.0f || a.g != 0.0f || a.b != 0.0f);
        }
    }
    EXPECT_GT(compared, 100);
}
