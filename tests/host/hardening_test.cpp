// Bad input never crashes the node nor reports failure as success: every
// 16-bit specOutput, NaN, infinities and zero vectors in every float input,
// and light arrays from empty to large.
#include <cstring>
#include <limits>

#include "host_test_support.h"

namespace vorlane::test {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

bool sameBits(const host::Evaluation& a, const host::Evaluation& b) {
    return std::memcmp(a.value, b.value, sizeof a.value) == 0;
}

class HardeningTest : public HostTest {
  protected:
    void SetUp() override {
        loadPlugin();
        node = makeNode();
    }

    // `count` lights toward the viewer, every flag set.
    void addLights(unsigned int count) {
        host::DataBlock& data = node->data();
        ASSERT_TRUE(data.setElementCount(id("lightDataArray"), count));
        for (unsigned int e = 0; e < count; ++e) {
            for (const char* flag : {"lightAmbient", "lightDiffuse", "lightSpecular"}) {
                ASSERT_TRUE(data.setElementBool(id("lightDataArray"), e, id(flag), true));
            }
            ASSERT_TRUE(data.setElementTriple(id("lightDataArray"), e, id("lightDirection"),
                                              0.1f * static_cast<float>(e % 7), 0.2f, 1.0f));
            ASSERT_TRUE(data.setElementTriple(id("lightDataArray"), e, id("lightIntensity"), 1.0f,
                                              0.9f, 0.8f));
        }
    }

    host::Evaluation shade() { return node->data().compute(id("outColor")); }

    host::Node* node = nullptr;
};

TEST_F(HardeningTest, EverySixteenBitPresetIndexShadesAsItsPresetOrAsNone) {
    host::DataBlock& data = node->data();
    ASSERT_TRUE(data.setTriple(id("pointCamera"), 0.1f, -0.2f, -3.0f));
    ASSERT_TRUE(data.setTriple(id("normalCamera"), 0.05f, 0.1f, 1.0f));
    addLights(2);
    const host::AttributeId preset = id("specOutput");
    const host::AttributeId outColor = id("outColor");
    ASSERT_TRUE(data.setShort(preset, -1));
    const host::Evaluation none = shade();
    ASSERT_EQ(none.status, host::kSuccess);
    // No preset adds no specular term: as if no light had specular set.
    ASSERT_TRUE(data.setShort(preset, 0));
    for (bool specular : {false, true}) {
        for (unsigned int e = 0; e < 2; ++e) {
            ASSERT_TRUE(
                data.setElementBool(id("lightDataArray"), e, id("lightSpecular"), specular));
        }
        EXPECT_EQ(sameBits(shade(), none), !specular);
    }
    host::Evaluation table[7];
    int differing = 0;
    for (short p = 0; p < 7; ++p) {
        ASSERT_TRUE(data.setShort(preset, p));
        table[p] = shade();
        differing += sameBits(table[p], none) ? 0 : 1;
    }
    EXPECT_GE(differing, 5);  // the specular term is there for most presets here
    int mismatches = 0;
    for (int p = std::numeric_limits<short>::min(); p <= std::numeric_limits<short>::max(); ++p) {
        data.setShort(preset, static_cast<short>(p));
        const host::Evaluation e = data.compute(outColor);
        mismatches +=
            e.status == host::kSuccess && sameBits(e, p >= 0 && p <= 6 ? table[p] : none) ? 0 : 1;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(HardeningTest, NonFiniteAndZeroInputsEverywhereStillComputeBothOutputs) {
    addLights(3);
    const float odd[][3] = {{0.0f, 0.0f, 0.0f},
                            {kNaN, kNaN, kNaN},
                            {kInf, -kInf, 0.0f},
                            {1e-30f, 0.0f, 0.0f},
                            {3e38f, -3e38f, 3e38f}};
    host::DataBlock& data = node->data();
    for (const char* triple : {"color", "ambientColor", "incandescence", "specularColor",
                               "transparency", "pointCamera", "normalCamera"}) {
        for (const auto& v : odd) {
            SCOPED_TRACE(triple);
            ASSERT_TRUE(data.setTriple(id(triple), v[0], v[1], v[2]));
            ASSERT_TRUE(data.setElementTriple(id("lightDataArray"), 1, id("lightDirection"), v[0],
                                              v[1], v[2]));
            ASSERT_TRUE(data.setElementTriple(id("lightDataArray"), 2, id("lightIntensity"), v[0],
                                              v[1], v[2]));
            for (const char* scalar : {"diffuse", "specularRollOff"}) {
                ASSERT_TRUE(data.setFloat(id(scalar), v[0]));
            }
            EXPECT_EQ(shade().status, host::kSuccess);
            EXPECT_EQ(data.compute(id("outTransparencyG")).status, host::kSuccess);
        }
    }
    EXPECT_EQ(errors.str(), "");
}

TEST_F(HardeningTest, LightArraysFromEmptyToLargeAreEachReadOnce) {
    // On a white surface, ambient lights of red intensity 1, 2, ..., count sum
    // to count (count + 1) / 2, exactly in single precision, only when every
    // element is read once; green counts the elements.
    for (unsigned int count : {0u, 1u, 16u, 256u, 4096u}) {
        SCOPED_TRACE(count);
        node = makeNode();  // every case starts from the defaults
        host::DataBlock& data = node->data();
        ASSERT_TRUE(data.setTriple(id("color"), 1.0f, 1.0f, 1.0f));
        addLights(count);
        for (unsigned int e = 0; e < count; ++e) {
            for (const char* flag : {"lightDiffuse", "lightSpecular"}) {
                ASSERT_TRUE(data.setElementBool(id("lightDataArray"), e, id(flag), false));
            }
            ASSERT_TRUE(data.setElementTriple(id("lightDataArray"), e, id("lightIntensity"),
                                              static_cast<float>(e + 1), 1.0f, 0.0f));
        }
        const host::Evaluation e = shade();
        ASSERT_EQ(e.status, host::kSuccess);
        EXPECT_EQ(e.value[0], static_cast<float>(count * (count + 1) / 2));
        EXPECT_EQ(e.value[1], static_cast<float>(count));
        EXPECT_EQ(e.value[2], 0.0f);
    }
}

}  // namespace
}  // namespace vorlane::test
