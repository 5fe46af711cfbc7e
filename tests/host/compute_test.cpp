// Compute, checked against an independent evaluation of the node's formulas
// (single precision, the host node's rules), bit for bit.
#include <cmath>
#include <cstring>
#include <vector>

#include "host_test_support.h"
#include "published_model.h"
#include "reference_model.h"

namespace vorlane::test {
namespace {

using V3 = Triple;

struct Light {
    V3 direction{{0, 0, 1}};
    V3 intensity{{1, 1, 1}};
    bool ambient = true;
    bool diffuse = true;
    bool specular = false;
};

struct Material {
    V3 color{{0.309f, 0.397f, 0.708f}};
    V3 ambient{{0, 0, 0}};
    V3 incandescence{{0, 0, 0}};
    V3 specularColor{{0.5f, 0.5f, 0.5f}};
    float diffuse = 0.8f;
    float rollOff = 5.0f;
    short preset = 0;
    V3 point{{1, 1, 1}};
    V3 normal{{1, 1, 1}};
    V3 transparency{{0, 0, 0}};
};

// --- Reference ----------------------------------------------------------

// One light's three lobes per channel, added to `sum`; a preset outside the
// table adds nothing.
void lobes(short preset, V3 normalCamera, V3 view, V3 direction, V3 intensity, float w, V3& sum) {
    if (preset < 0 || preset >= kPublishedPresetCount) {
        return;
    }
    const V3 n = referenceNormalize(Rules::host, normalCamera);
    referenceAccumulate(Rules::host, kPublishedPresets[preset], referenceFrame(Rules::host, n),
                        view, referenceNormalize(Rules::host, direction), intensity, w, sum);
}

V3 expectedColor(const Material& m, const std::vector<Light>& lights) {
    const V3 view = referenceNormalize(Rules::host, m.point);
    V3 a{};
    V3 p{};
    for (const Light& light : lights) {
        if (light.ambient) {
            for (int c = 0; c < 3; ++c) {
                a[c] = light.intensity[c] * m.color[c] + a[c];
            }
        }
        const float w = light.direction[0] * m.normal[0] + light.direction[1] * m.normal[1] +
                        light.direction[2] * m.normal[2];
        if (light.diffuse && w > 0.0f) {
            for (int c = 0; c < 3; ++c) {
                a[c] = ((w * m.diffuse) * light.intensity[c]) * m.color[c] + a[c];
            }
        }
        if (light.specular) {
            V3 s{};
            lobes(m.preset, m.normal, view, light.direction, light.intensity, w, s);
            for (int c = 0; c < 3; ++c) {
                p[c] = (m.specularColor[c] * s[c]) * m.rollOff + p[c];
            }
        }
    }
    const V3 transformed = referenceColorMatrix(p);
    V3 out;
    for (int r = 0; r < 3; ++r) {
        const float lit = (1.0f - m.transparency[r]) *
                          (((m.color[r] * m.ambient[r]) + m.incandescence[r]) + a[r]);
        out[r] = lit + transformed[r];
    }
    return out;
}

// --- Fixture ------------------------------------------------------------

class ComputeTest : public HostTest {
  protected:
    void SetUp() override {
        loadPlugin();
        node = makeNode();
    }

    void apply(const Material& m, const std::vector<Light>& lights) {
        host::DataBlock& d = node->data();
        const auto triple = [&](const char* name, V3 v) {
            ASSERT_TRUE(d.setTriple(id(name), v[0], v[1], v[2])) << name;
        };
        triple("color", m.color);
        triple("ambientColor", m.ambient);
        triple("incandescence", m.incandescence);
        triple("specularColor", m.specularColor);
        triple("pointCamera", m.point);
        triple("normalCamera", m.normal);
        triple("transparency", m.transparency);
        ASSERT_TRUE(d.setFloat(id("diffuse"), m.diffuse));
        ASSERT_TRUE(d.setFloat(id("specularRollOff"), m.rollOff));
        ASSERT_TRUE(d.setShort(id("specOutput"), m.preset));
        const host::AttributeId array = id("lightDataArray");
        ASSERT_TRUE(d.setElementCount(array, static_cast<unsigned>(lights.size())));
        for (unsigned i = 0; i < lights.size(); ++i) {
            const Light& l = lights[i];
            ASSERT_TRUE(d.setElementTriple(array, i, id("lightDirection"), l.direction[0],
                                           l.direction[1], l.direction[2]));
            ASSERT_TRUE(d.setElementTriple(array, i, id("lightIntensity"), l.intensity[0],
                                           l.intensity[1], l.intensity[2]));
            ASSERT_TRUE(d.setElementBool(array, i, id("lightAmbient"), l.ambient));
            ASSERT_TRUE(d.setElementBool(array, i, id("lightDiffuse"), l.diffuse));
            ASSERT_TRUE(d.setElementBool(array, i, id("lightSpecular"), l.specular));
        }
    }

    V3 outColor() {
        const host::Evaluation e = node->data().evaluate(id("outColor"));
        EXPECT_EQ(e.status, host::kSuccess);
        return {{e.value[0], e.value[1], e.value[2]}};
    }

    void expectShades(const Material& m, const std::vector<Light>& lights) {
        apply(m, lights);
        const V3 actual = outColor();
        const V3 expected = expectedColor(m, lights);
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(actual[c], expected[c]) << "channel " << c;
        }
    }

    host::Node* node = nullptr;
};

// A lit, shiny configuration: the normal leans toward the eye and the light.
Material shiny(short preset = 0) {
    Material m;
    m.preset = preset;
    m.point = {{0.1f, -0.2f, -3.0f}};
    m.normal = {{0.05f, 0.1f, 0.9f}};
    m.ambient = {{0.1f, 0.2f, 0.3f}};
    m.incandescence = {{0.01f, 0.02f, 0.03f}};
    return m;
}

Light specularLight(V3 direction, V3 intensity = {{1, 1, 1}}) {
    Light l;
    l.direction = direction;
    l.intensity = intensity;
    l.ambient = false;
    l.diffuse = false;
    l.specular = true;
    return l;
}

TEST_F(ComputeTest, DefaultsWithoutLightsAreBlack) {
    const V3 c = outColor();
    EXPECT_EQ(c[0], 0.0f);
    EXPECT_EQ(c[1], 0.0f);
    EXPECT_EQ(c[2], 0.0f);
}

TEST_F(ComputeTest, EmptyLightArrayGivesTransparencyWeightedAmbientAndIncandescence) {
    Material m = shiny();
    m.transparency = {{0.25f, 0.5f, 0.75f}};
    apply(m, {});
    const V3 c = outColor();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(c[i],
                  (1.0f - m.transparency[i]) * ((m.color[i] * m.ambient[i]) + m.incandescence[i]));
    }
}

TEST_F(ComputeTest, HeadOnSpecularIsThePowersOfTheNormalCoefficients) {
    // Light along the normal, eye straight above: every base is that channel's
    // Cz, and for Blue Paint every lobe of every channel passes its threshold.
    Material m;
    m.point = {{0, 0, -1}};
    m.normal = {{0, 0, 1}};
    expectShades(m, {specularLight({{0, 0, 1}})});
    EXPECT_GT(outColor()[0], 0.0f);
}

TEST_F(ComputeTest, EachLightFlagAloneAddsOnlyItsTerm) {
    Light ambientOnly;
    ambientOnly.direction = {{0.3f, 0.2f, 1.0f}};
    ambientOnly.intensity = {{0.5f, 0.7f, 0.9f}};
    ambientOnly.diffuse = false;
    expectShades(shiny(), {ambientOnly});

    Light diffuseOnly = ambientOnly;
    diffuseOnly.ambient = false;
    diffuseOnly.diffuse = true;
    expectShades(shiny(), {diffuseOnly});

    expectShades(shiny(), {specularLight({{0.3f, 0.2f, 1.0f}}, {{0.5f, 0.7f, 0.9f}})});

    Light none = ambientOnly;
    none.ambient = false;
    apply(shiny(), {none});
    const V3 dark = outColor();
    apply(shiny(), {});
    const V3 unlit = outColor();
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(dark[c], unlit[c]);
    }
}

TEST_F(ComputeTest, LightBehindTheSurfaceGivesOnlyItsAmbientPart) {
    Light behind;
    behind.direction = {{-0.1f, -0.2f, -1.0f}};
    behind.specular = true;
    Material m = shiny(5);
    Light ambientOnly = behind;
    ambientOnly.diffuse = false;
    ambientOnly.specular = false;
    apply(m, {ambientOnly});
    const V3 ambientPart = outColor();
    apply(m, {behind});
    const V3 c = outColor();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(c[i], ambientPart[i]);
    }
    expectShades(m, {behind});

    // A specular-only light still gets the cosine test.
    Light grazing = specularLight({{1.0f, 0.0f, 0.0f}});
    m.normal = {{0.0f, 0.0f, 1.0f}};
    apply(m, {grazing});
    const V3 g = outColor();
    apply(m, {});
    const V3 base = outColor();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(g[i], base[i]);
    }
}

TEST_F(ComputeTest, TwoSpecularLightsAndMixedLightsAcrossAllPresets) {
    for (short preset = 0; preset < 7; ++preset) {
        SCOPED_TRACE(preset);
        Light mixed;
        mixed.direction = {{-0.4f, 0.3f, 0.8f}};
        mixed.intensity = {{0.9f, 0.8f, 0.7f}};
        mixed.specular = true;
        expectShades(shiny(preset),
                     {specularLight({{0.2f, -0.1f, 1.0f}}, {{1.0f, 0.9f, 0.8f}}),
                      specularLight({{-0.3f, 0.4f, 0.9f}}, {{0.6f, 0.6f, 1.2f}}), mixed});
    }
}

TEST_F(ComputeTest, FullTransparencyLeavesOnlyTheSpecularTotal) {
    Material m = shiny(1);
    m.transparency = {{1, 1, 1}};
    Light l;
    l.direction = {{0.2f, -0.1f, 1.0f}};
    l.specular = true;
    expectShades(m, {l});
    apply(m, {specularLight({{0.2f, -0.1f, 1.0f}})});
    const V3 specularOnly = outColor();
    apply(m, {l});
    const V3 c = outColor();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(c[i], specularOnly[i]);
    }
}

TEST_F(ComputeTest, ShadowMembersHaveNoEffect) {
    Material m = shiny(6);
    Light l;
    l.direction = {{0.1f, 0.1f, 1.0f}};
    l.specular = true;
    apply(m, {l});
    const V3 before = outColor();
    // Members the renderer could set that the node reads (or not) but never uses.
    const host::AttributeId array = id("lightDataArray");
    ASSERT_TRUE(node->data().setElementFloat(array, 0, id("preShadowIntensity"), 0.0f));
    ASSERT_TRUE(node->data().setElementFloat(array, 0, id("lightShadowFraction"), 0.0f));
    const V3 after = outColor();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(before[i], after[i]);
    }
}

TEST_F(ComputeTest, ChildPlugsComputeTheWholeOutput) {
    Material m = shiny(2);
    m.transparency = {{0.1f, 0.2f, 0.3f}};
    Light l;
    l.direction = {{0.2f, -0.1f, 1.0f}};
    l.specular = true;
    apply(m, {l});
    const V3 expected = expectedColor(m, {l});
    const host::Evaluation green = node->data().evaluate(id("outColorG"));
    EXPECT_EQ(green.status, host::kSuccess);
    EXPECT_TRUE(green.computed);
    EXPECT_EQ(green.value[0], expected[1]);
    EXPECT_FALSE(node->data().isDirty(id("outColorR")));
    const host::Evaluation whole = node->data().value(id("outColor"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(whole.value[i], expected[i]);
    }
    // outTransparency was not written by the colour computation.
    EXPECT_TRUE(node->data().isDirty(id("outTransparency")));
    EXPECT_EQ(node->data().value(id("outTransparency")).value[0], 0.0f);

    const host::Evaluation red = node->data().evaluate(id("outTransparencyR"));
    EXPECT_EQ(red.status, host::kSuccess);
    EXPECT_EQ(red.value[0], 0.1f);
    const host::Evaluation all = node->data().value(id("outTransparency"));
    EXPECT_EQ(all.value[1], 0.2f);
    EXPECT_EQ(all.value[2], 0.3f);
    EXPECT_FALSE(node->data().isDirty(id("outTransparencyB")));
}

TEST_F(ComputeTest, InputPlugsAreUnknownParametersAndNothingIsWritten) {
    apply(shiny(), {Light{}});
    std::vector<host::Evaluation> before;
    std::vector<bool> dirtyBefore;
    for (int i = 0; i < type->attributeCount(); ++i) {
        before.push_back(node->data().value(host::AttributeId{i}));
        dirtyBefore.push_back(node->data().isDirty(host::AttributeId{i}));
    }
    for (const char* input : {"color", "colorR", "diffuse", "specOutput", "pointCamera",
                              "lightDataArray", "lightIntensity", "normalCameraZ"}) {
        const host::Evaluation e = node->data().compute(id(input));
        EXPECT_EQ(e.status, host::kUnknownParameter) << input;
    }
    for (int i = 0; i < type->attributeCount(); ++i) {
        const host::Evaluation after = node->data().value(host::AttributeId{i});
        EXPECT_EQ(std::memcmp(after.value, before[static_cast<std::size_t>(i)].value,
                              sizeof(after.value)),
                  0)
            << type->attribute(host::AttributeId{i}).longName;
        EXPECT_EQ(node->data().isDirty(host::AttributeId{i}),
                  dirtyBefore[static_cast<std::size_t>(i)]);
    }
}

TEST_F(ComputeTest, ZeroVectorsCauseNoErrorAndNoSpecular) {
    Material m = shiny();
    m.point = {{0, 0, 0}};
    Light l;
    l.direction = {{0.2f, -0.1f, 1.0f}};
    l.specular = true;
    expectShades(m, {l});
    const V3 c = outColor();
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(std::isnan(c[i]));
    }
}

}  // namespace
}  // namespace vorlane::test
