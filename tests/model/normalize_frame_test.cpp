#include <vorlane/model/lobes.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vm = vorlane_model;
using vm::HostPrecision;
using vm::RendererPrecision;
using vm::Vec3;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void expectVec(Vec3 actual, Vec3 expected) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.z, expected.z);
}

template <class P>
class FrameTest : public ::testing::Test {};
using Precisions = ::testing::Types<HostPrecision, RendererPrecision>;
TYPED_TEST_SUITE(FrameTest, Precisions);

}  // namespace

TYPED_TEST(FrameTest, AxisNormals) {
    const vm::ShadingFrame z = vm::makeShadingFrame<TypeParam>({0.0f, 0.0f, 1.0f});
    expectVec(z.t, {-1.0f, 0.0f, 0.0f});
    expectVec(z.b, {0.0f, -1.0f, 0.0f});
    expectVec(z.n, {0.0f, 0.0f, 1.0f});

    const vm::ShadingFrame x = vm::makeShadingFrame<TypeParam>({1.0f, 0.0f, 0.0f});
    expectVec(x.t, {0.0f, 1.0f, 0.0f});
    expectVec(x.b, {0.0f, 0.0f, 1.0f});

    const vm::ShadingFrame y = vm::makeShadingFrame<TypeParam>({0.0f, 1.0f, 0.0f});
    expectVec(y.t, {-1.0f, 0.0f, 0.0f});
    expectVec(y.b, {0.0f, 0.0f, 1.0f});
}

TEST(Tangent, SmallestComponentIsZeroedWithTiesGoingToZThenY) {
    // |x| = |y| < |z|: y is zeroed.
    expectVec(vm::unnormalizedTangent({1.0f, -1.0f, 2.0f}), {-2.0f, 0.0f, 1.0f});
    // |x| = |z| < |y|: z is zeroed.
    expectVec(vm::unnormalizedTangent({1.0f, 3.0f, -1.0f}), {-3.0f, 1.0f, 0.0f});
    // |y| = |z| < |x|: z is zeroed.
    expectVec(vm::unnormalizedTangent({4.0f, 2.0f, -2.0f}), {-2.0f, 4.0f, 0.0f});
    // All equal: z is zeroed.
    expectVec(vm::unnormalizedTangent({-1.0f, 1.0f, 1.0f}), {-1.0f, -1.0f, 0.0f});
    // x strictly smallest: x is zeroed.
    expectVec(vm::unnormalizedTangent({0.5f, 1.0f, 2.0f}), {0.0f, -2.0f, 1.0f});
    expectVec(vm::unnormalizedTangent({0.5f, 2.0f, 1.0f}), {0.0f, -1.0f, 2.0f});
}

TEST(Tangent, NegationFlipsOnlyTheSign) {
    const Vec3 t = vm::unnormalizedTangent({1.0f, 0.0f, 0.0f});
    EXPECT_TRUE(std::signbit(t.x));  // -(+0) is -0, not +0
    EXPECT_EQ(t.y, 1.0f);
    const Vec3 u = vm::unnormalizedTangent({0.0f, -0.0f, 1.0f});
    EXPECT_EQ(u.x, -1.0f);
    EXPECT_FALSE(std::signbit(u.z));
}

TEST(Tangent, NaNComparisonsTakeTheLessOrEqualBranch) {
    // ay > ax is false, az > ay true: y is zeroed.
    const Vec3 a = vm::unnormalizedTangent({kNaN, 1.0f, 2.0f});
    EXPECT_EQ(a.x, -2.0f);
    EXPECT_EQ(a.y, 0.0f);
    EXPECT_TRUE(std::isnan(a.z));
    // ay > ax and az > ay both false: z is zeroed.
    const Vec3 b = vm::unnormalizedTangent({1.0f, kNaN, 2.0f});
    EXPECT_TRUE(std::isnan(b.x));
    EXPECT_EQ(b.y, 1.0f);
    EXPECT_EQ(b.z, 0.0f);
    // ay > ax true, az > ax false: z is zeroed.
    const Vec3 c = vm::unnormalizedTangent({1.0f, 2.0f, kNaN});
    expectVec({c.x, c.y, c.z}, {-2.0f, 1.0f, 0.0f});
}

TEST(Normalize, TheTwoRulesDifferInTheLastBit) {
    // Division and multiplication by the reciprocal round differently for
    // some inputs; find one to prove the rules are not interchangeable.
    bool differ = false;
    for (int i = 1; i < 200 && !differ; ++i) {
        const Vec3 v{static_cast<float>(i), 1.0f, 0.5f};
        const Vec3 h = vm::normalizeVector<HostPrecision>(v);
        const Vec3 r = vm::normalizeVector<RendererPrecision>(v);
        differ = h.x != r.x || h.y != r.y || h.z != r.z;
    }
    EXPECT_TRUE(differ);
}

TEST(Normalize, ZeroVector) {
    const Vec3 h = vm::normalizeVector<HostPrecision>({0.0f, 0.0f, 0.0f});
    EXPECT_TRUE(std::isnan(h.x) && std::isnan(h.y) && std::isnan(h.z));

    const Vec3 r = vm::normalizeVector<RendererPrecision>({-0.0f, 0.0f, 0.0f});
    expectVec(r, {0.0f, 0.0f, 0.0f});
    EXPECT_TRUE(std::signbit(r.x));  // left exactly as it was
}

TEST(Normalize, NaNAndInfinityAreNotGuarded) {
    const Vec3 r = vm::normalizeVector<RendererPrecision>({kNaN, 1.0f, 0.0f});
    EXPECT_TRUE(std::isnan(r.x) && std::isnan(r.y));
    const float inf = std::numeric_limits<float>::infinity();
    const Vec3 h = vm::normalizeVector<HostPrecision>({inf, 0.0f, 0.0f});
    EXPECT_TRUE(std::isnan(h.x));
    EXPECT_EQ(h.y, 0.0f);
}
