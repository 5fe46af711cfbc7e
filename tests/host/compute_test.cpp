// Compute, checked against an independent evaluation of the node's formulas
// (single precision, the host node's rules), bit for bit.
#include <cmath>
#include <cstring>
#include <vector>

#include <vorlane/model/presets.h>

#include "host_test_support.h"

namespace vorlane::test {
namespace {

struct V3 {
    float v[3];
    float operator[](int i) const { return v[i]; }
};

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

float dot(V3 a, V3 b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

V3 normalized(V3 a) {
    const float length = std::sqrt(dot(a, a));
    return {{a[0] / length, a[1] / length, a[2] / length}};
}

V3 scaled(V3 a, float s) {
    return {{a[0] * s, a[1] * s, a[2] * s}};
}

// The smallest component is zeroed, ties to z then y.
V3 tangentOf(V3 n) {
    const float ax = std::fabs(n[0]), ay = std::fabs(n[1]), az = std::fabs(n[2]);
    V3 t0;
    if (ay > ax && az > ax) {
        t0 = {{0, -n[2], n[1]}};
    } else if (ay > ax) {
        t0 = {{-n[1], n[0], 0}};
    } else if (az > ay) {
        t0 = {{-n[2], 0, n[0]}};
    } else {
        t0 = {{-n[1], n[0], 0}};
    }
    return normalized(t0);
}

V3 crossOf(V3 a, V3 b) {
    return {{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}};
}

// One light's three lobes per channel, added to `sum`.
void lobes(short preset, V3 normalCamera, V3 view, V3 direction, V3 intensity, float w,
           float sum[3]) {
    const vorlane_model::LobeCoefficientBlock* block = vorlane_model::findPreset(preset);
    if (block == nullptr || !(w > 0.0f)) {
        return;
    }
    const V3 n = normalized(normalCamera);
    const V3 t = tangentOf(n);
    const V3 b = crossOf(n, t);
    const V3 l = normalized(direction);
    const float sxy = dot(scaled(t, dot(t, view)), l) + dot(scaled(b, dot(b, view)), l);
    const float sz = dot(scaled(n, dot(n, view)), l);
    for (int lobe = 0; lobe < 3; ++lobe) {
        float f[3];
        for (int c = 0; c < 3; ++c) {
            const float* k = &block->values[static_cast<std::size_t>(lobe * 9 + c * 3)];
            const float base = -(k[0] * sxy) - (k[1] * sz);
            f[c] = static_cast<double>(base) > static_cast<double>(k[2]) * 0.001
                       ? std::pow(base, k[2])
                       : 0.0f;
        }
        for (int c = 0; c < 3; ++c) {
            sum[c] = sum[c] + (f[c] * intensity[c]) * w;
        }
    }
}

V3 expectedColor(const Material& m, const std::vector<Light>& lights) {
    const V3 view = normalized(m.point);
    float a[3] = {0, 0, 0};
    float p[3] = {0, 0, 0};
    for (const Light& light : lights) {
        if (light.ambient) {
            for (int c = 0; c < 3; ++c) {
                a[c] = light.intensity[c] * m.color[c] + a[c];
            }
        }
        const float w = dot(light.direction, m.normal);
        if (light.diffuse && w > 0.0f) {
            for (int c = 0; c < 3; ++c) {
                a[c] = ((w * m.diffuse) * light.intensity[c]) * m.color[c] + a[c];
            }
        }
        if (light.specular) {
            float s[3] = {0, 0, 0};
            lobes(m.preset, m.normal, view, light.direction, light.intensity, w, s);
            for (int c = 0; c < 3; ++c) {
                p[c] = (m.specularColor[c] * s[c]) * m.rollOff + p[c];
            }
        }
    }
    const float matrix[3][3] = {{1.063302f, 0.382044f, -0.445346f},
                                {-0.298125f, 1.667665f, -0.36954f},
                                {-1.322302f, -0.446321f, 2.768624f}};
    V3 out;
    for (int r = 0; r < 3; ++r) {
        const float transformed = matrix[r][0] * p[0] + matrix[r][1] * p[1] + matrix[r][2] * p[2];
        const float lit = (1.0f - m.transparency[r]) *
                          (((m.color[r] * m.ambient[r]) + m.incandescence[r]) + a[r]);
        out.v[r] = lit + transformed;
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
    // Light along the normal, eye straight above: every base is that channel's Cz.
    Material m;
    m.point = {{0, 0, -1}};
    m.normal = {{0, 0, 1}};
    apply(m, {specularLight({{0, 0, 1}})});
    const V3 c = outColor();
    // Preset 0: every lobe of every channel passes its threshold.
    const float red = ((0.0f + std::pow(0.803624f, 21.820103f)) + std::pow(0.023123f, 2.774499f)) +
                      std::pow(0.706734f, 66.89906f);
    const float green = ((0.0f + std::pow(0.77429f, 18.597755f)) + std::pow(0.017625f, 2.581499f)) +
                        std::pow(0.69653f, 63.767914f);
    const float blue = ((0.0f + std::pow(0.586674f, 7.472717f)) + std::pow(0.227295f, 3.677653f)) +
                       std::pow(0.687715f, 57.48918f);
    const float p[3] = {(0.5f * red) * 5.0f, (0.5f * green) * 5.0f, (0.5f * blue) * 5.0f};
    EXPECT_EQ(c[0], 0.0f + (1.063302f * p[0] + 0.382044f * p[1] + -0.445346f * p[2]));
    EXPECT_EQ(c[1], 0.0f + (-0.298125f * p[0] + 1.667665f * p[1] + -0.36954f * p[2]));
    EXPECT_EQ(c[2], 0.0f + (-1.322302f * p[0] + -0.446321f * p[1] + 2.768624f * p[2]));
    EXPECT_GT(c[0], 0.0f);
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

TEST_F(ComputeTest, PresetsOutsideTheTableAddNoSpecularTerm) {
    Material m = shiny();
    Light l;
    l.direction = {{0.2f, -0.1f, 1.0f}};
    l.specular = true;
    Light withoutSpecular = l;
    withoutSpecular.specular = false;
    for (short preset : {short(-1), short(7), short(100), short(-32768), short(32767)}) {
        SCOPED_TRACE(preset);
        m.preset = preset;
        apply(m, {l});
        const V3 c = outColor();
        const V3 expected = expectedColor(m, {withoutSpecular});
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(c[i], expected[i]);
        }
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
