#include <vorlane/model/lobes.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace vm = vorlane_model;
using vm::Color;
using vm::HostPrecision;
using vm::LobeCoefficientBlock;
using vm::RendererPrecision;
using vm::Vec3;

namespace {

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

float hostLobe(float base, float n) {
    return static_cast<double>(base) > static_cast<double>(n) * 0.001 ? powf(base, n) : 0.0f;
}
float rendererLobe(float base, float n) {
    return base > 0.001f * n
               ? static_cast<float>(pow(static_cast<double>(base), static_cast<double>(n)))
               : 0.0f;
}

template <class P>
class LobeTest : public ::testing::Test {};
using Precisions = ::testing::Types<HostPrecision, RendererPrecision>;
TYPED_TEST_SUITE(LobeTest, Precisions);

}  // namespace

TEST(Lobes, BluePaintRedLobeOneHeadOn) {
    const LobeCoefficientBlock block = singleLobe(0, 0, 0.870567f, 0.803624f, 21.820103f);
    EXPECT_EQ(headOn<HostPrecision>(block).r, powf(0.803624f, 21.820103f));
    EXPECT_EQ(
        headOn<RendererPrecision>(block).r,
        static_cast<float>(pow(static_cast<double>(0.803624f), static_cast<double>(21.820103f))));
    EXPECT_EQ(headOn<HostPrecision>(block).g, 0.0f);
}

TEST(Lobes, WholePresetsHeadOnAreTheLobeSumsInLobeOrder) {
    for (int p = 0; p < vm::kPresetCount; ++p) {
        const LobeCoefficientBlock& block = *vm::findPreset(p);
        const Color host = headOn<HostPrecision>(block);
        const Color renderer = headOn<RendererPrecision>(block);
        const float hostSums[3] = {host.r, host.g, host.b};
        const float rendererSums[3] = {renderer.r, renderer.g, renderer.b};
        for (int c = 0; c < 3; ++c) {
            float expectedHost = 0.0f;
            float expectedRenderer = 0.0f;
            for (int lobe = 0; lobe < 3; ++lobe) {
                expectedHost += hostLobe(block.cz(lobe, c), block.exponent(lobe, c));
                expectedRenderer += rendererLobe(block.cz(lobe, c), block.exponent(lobe, c));
            }
            EXPECT_EQ(hostSums[c], expectedHost) << "preset " << p << " channel " << c;
            EXPECT_EQ(rendererSums[c], expectedRenderer) << "preset " << p << " channel " << c;
        }
    }
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
    const LobeCoefficientBlock empty = singleLobe(2, 0, 0.0f, 0.0f, 1.0f);
    const Color start{0.25f, 0.5f, 0.75f};
    const Color acc = headOn<TypeParam>(empty, start);
    EXPECT_EQ(acc.r, start.r);
    EXPECT_EQ(acc.g, start.g);
    EXPECT_EQ(acc.b, start.b);
}

TYPED_TEST(LobeTest, CosineWeightAtOrBelowZeroAddsNothing) {
    const LobeCoefficientBlock& block = *vm::findPreset(0);
    const vm::ShadingFrame frame = vm::makeShadingFrame<TypeParam>(kUp);
    for (float w : {0.0f, -0.0f, -1.0f, kNaN, -std::numeric_limits<float>::infinity()}) {
        Color acc{1.0f, 2.0f, 3.0f};
        vm::accumulateLobes<TypeParam>(block, frame, kDown, kUp, kWhite, w, acc);
        EXPECT_EQ(acc.r, 1.0f) << w;
        EXPECT_EQ(acc.g, 2.0f) << w;
        EXPECT_EQ(acc.b, 3.0f) << w;
    }
}

TYPED_TEST(LobeTest, WeightAndIntensityScaleEachLobeBeforeAdding) {
    const LobeCoefficientBlock block = singleLobe(0, 1, 0.0f, 0.5f, 2.0f);
    Color acc{0.0f, 10.0f, 0.0f};
    vm::accumulateLobes<TypeParam>(block, vm::makeShadingFrame<TypeParam>(kUp), kDown, kUp,
                                   {3.0f, 0.3f, 5.0f}, 0.7f, acc);
    const float f = 0.25f;  // 0.5 squared, exact in both rule sets
    EXPECT_EQ(acc.g, 10.0f + (f * 0.3f) * 0.7f);
    EXPECT_EQ(acc.r, 0.0f);
}

TYPED_TEST(LobeTest, NaNDirectionsAddNothing) {
    const LobeCoefficientBlock& block = *vm::findPreset(2);
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
    vm::accumulateLobes<HostPrecision>(*vm::findPreset(0), vm::makeShadingFrame<HostPrecision>(n),
                                       kDown, kUp, kWhite, 1.0f, acc);
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
        vm::accumulateLobes<TypeParam>(*vm::findPreset(3), vm::makeShadingFrame<TypeParam>(n), v, l,
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
            vm::accumulateLobes<TypeParam>(*vm::findPreset(p), frame, v, l, kWhite, 1.0f, a);
            vm::accumulateLobes<TypeParam>(*vm::findPreset(p), rotated, v, l, kWhite, 1.0f, b);
            const float scale = std::max(1.0f, std::fabs(a.r) + std::fabs(a.g) + std::fabs(a.b));
            EXPECT_NEAR(a.r, b.r, 2e-3f * scale);
            EXPECT_NEAR(a.g, b.g, 2e-3f * scale);
            EXPECT_NEAR(a.b, b.b, 2e-3f * scale);
            compared += (a.r != 0.0f || a.g != 0.0f || a.b != 0.0f);
        }
    }
    EXPECT_GT(compared, 100);
}
