// The node's 54 attributes as initialize declares them to the host.
#include <string>
#include <vector>

#include "host_test_support.h"

namespace vorlane::test {
namespace {

using host::AttributeKind;

// Flags as letters: r readable, w writable, s storable, k keyable, h hidden,
// c used as colour, a array.
struct Row {
    const char* longName;
    const char* shortName;
    AttributeKind kind;
    float defaults[3];
    const char* flags;
    const char* parent;
};

constexpr AttributeKind F = AttributeKind::Float;
constexpr AttributeKind T = AttributeKind::FloatTriple;
constexpr AttributeKind B = AttributeKind::Boolean;
const char* const kLight = "lightDataArray";

const std::vector<Row> kRows = {
    {"colorR", "cr", F, {0.309f}, "rws", "color"},
    {"colorG", "cg", F, {0.397f}, "rws", "color"},
    {"colorB", "cb", F, {0.708f}, "rws", "color"},
    {"color", "c", T, {0.309f, 0.397f, 0.708f}, "rwskc", nullptr},
    {"transparencyR", "itr", F, {0}, "rws", "transparency"},
    {"transparencyG", "itg", F, {0}, "rws", "transparency"},
    {"transparencyB", "itb", F, {0}, "rws", "transparency"},
    {"transparency", "it", T, {0, 0, 0}, "rwskc", nullptr},
    {"ambientColorR", "ambCR", F, {0}, "rws", "ambientColor"},
    {"ambientColorG", "ambCG", F, {0}, "rws", "ambientColor"},
    {"ambientColorB", "ambCB", F, {0}, "rws", "ambientColor"},
    {"ambientColor", "ambC", T, {0, 0, 0}, "rwskc", nullptr},
    {"incandescenceR", "ir", F, {0}, "rws", "incandescence"},
    {"incandescenceG", "ig", F, {0}, "rws", "incandescence"},
    {"incandescenceB", "ib", F, {0}, "rws", "incandescence"},
    {"incandescence", "ic", T, {0, 0, 0}, "rwskc", nullptr},
    {"diffuse", "dfl", F, {0.8f}, "rwsk", nullptr},
    {"specularRollOff", "sro", F, {5.0f}, "rwsk", nullptr},
    {"specularColorR", "spcr", F, {0.5f}, "rws", "specularColor"},
    {"specularColorG", "spcg", F, {0.5f}, "rws", "specularColor"},
    {"specularColorB", "spcb", F, {0.5f}, "rws", "specularColor"},
    {"specularColor", "spc", T, {0.5f, 0.5f, 0.5f}, "rwskc", nullptr},
    {"specOutput", "sout", AttributeKind::Enum, {0}, "rwsk", nullptr},
    {"outColorR", "ocr", F, {0}, "rws", "outColor"},
    {"outColorG", "ocg", F, {0}, "rws", "outColor"},
    {"outColorB", "ocb", F, {0}, "rws", "outColor"},
    {"outColor", "oc", T, {0, 0, 0}, "rs", nullptr},
    {"outTransparencyR", "otr", F, {0}, "rws", "outTransparency"},
    {"outTransparencyG", "otg", F, {0}, "rws", "outTransparency"},
    {"outTransparencyB", "otb", F, {0}, "rws", "outTransparency"},
    {"outTransparency", "ot", T, {0, 0, 0}, "rs", nullptr},
    {"pointCameraX", "px", F, {1}, "rws", "pointCamera"},
    {"pointCameraY", "py", F, {1}, "rws", "pointCamera"},
    {"pointCameraZ", "pz", F, {1}, "rws", "pointCamera"},
    {"pointCamera", "pc", T, {1, 1, 1}, "rwh", nullptr},
    {"normalCameraX", "nx", F, {1}, "rws", "normalCamera"},
    {"normalCameraY", "ny", F, {1}, "rws", "normalCamera"},
    {"normalCameraZ", "nz", F, {1}, "rws", "normalCamera"},
    {"normalCamera", "n", T, {1, 1, 1}, "rwh", nullptr},
    {"lightDirectionX", "ldx", F, {1}, "rh", "lightDirection"},
    {"lightDirectionY", "ldy", F, {1}, "rh", "lightDirection"},
    {"lightDirectionZ", "ldz", F, {1}, "rh", "lightDirection"},
    {"lightDirection", "ld", T, {1, 1, 1}, "rh", kLight},
    {"lightIntensityR", "lir", F, {1}, "rh", "lightIntensity"},
    {"lightIntensityG", "lig", F, {1}, "rh", "lightIntensity"},
    {"lightIntensityB", "lib", F, {1}, "rh", "lightIntensity"},
    {"lightIntensity", "li", T, {1, 1, 1}, "rh", kLight},
    {"lightAmbient", "la", B, {1}, "rh", kLight},
    {"lightDiffuse", "ldf", B, {1}, "rh", kLight},
    {"lightSpecular", "ls", B, {0}, "rh", kLight},
    {"lightShadowFraction", "lsf", F, {1}, "rh", kLight},
    {"preShadowIntensity", "psi", F, {1}, "rh", kLight},
    {"lightBlindData", "lbld", AttributeKind::Pointer, {0}, "rh", kLight},
    {"lightDataArray", "ltd", AttributeKind::LightData, {0}, "rwha", nullptr},
};

bool has(const char* flags, char flag) {
    return std::string(flags).find(flag) != std::string::npos;
}

class AttributesTest : public HostTest {
  protected:
    void SetUp() override { loadPlugin(); }

    std::string nameOf(host::AttributeId id) const { return type->attribute(id).longName; }
};

TEST_F(AttributesTest, EveryAttributeHasItsNamesKindDefaultFlagsAndParent) {
    ASSERT_EQ(type->attributeCount(), static_cast<int>(kRows.size()));
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.longName);
        const host::AttributeId byLong = type->findAttribute(row.longName);
        ASSERT_TRUE(byLong.valid());
        EXPECT_EQ(type->findAttribute(row.shortName), byLong);
        const host::AttributeInfo& info = type->attribute(byLong);
        EXPECT_EQ(info.shortName, row.shortName);
        EXPECT_EQ(info.kind, row.kind);
        EXPECT_EQ(info.readable, has(row.flags, 'r'));
        EXPECT_EQ(info.writable, has(row.flags, 'w'));
        EXPECT_EQ(info.storable, has(row.flags, 's'));
        EXPECT_EQ(info.keyable, has(row.flags, 'k'));
        EXPECT_EQ(info.hidden, has(row.flags, 'h'));
        EXPECT_EQ(info.usedAsColor, has(row.flags, 'c'));
        EXPECT_EQ(info.array, has(row.flags, 'a'));
        if (row.kind == F) {
            EXPECT_EQ(info.defaultFloat[0], row.defaults[0]);
        } else if (row.kind == T) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(info.defaultFloat[c], row.defaults[c]);
            }
        } else if (row.kind == B) {
            EXPECT_EQ(info.defaultBool, row.defaults[0] != 0.0f);
        } else if (row.kind == AttributeKind::Pointer) {
            EXPECT_EQ(info.defaultPointer, nullptr);
        }
        const host::AttributeId parent = type->parent(byLong);
        if (row.parent == nullptr) {
            EXPECT_FALSE(parent.valid());
        } else {
            ASSERT_TRUE(parent.valid());
            EXPECT_EQ(nameOf(parent), row.parent);
        }
    }
}

TEST_F(AttributesTest, SoftRangesOnlyOnDiffuseAndRollOff) {
    for (const Row& row : kRows) {
        const host::AttributeInfo& info = type->attribute(id(row.longName));
        const std::string name = row.longName;
        if (name == "diffuse" || name == "specularRollOff") {
            ASSERT_TRUE(info.softMin && info.softMax) << name;
            EXPECT_EQ(*info.softMin, 0.0);
            EXPECT_EQ(*info.softMax, name == "diffuse" ? 1.0 : 20.0);
        } else {
            EXPECT_FALSE(info.softMin || info.softMax) << name;
        }
    }
}

TEST_F(AttributesTest, PresetFieldsAreDeclaredInTheirOrderWithTheirIndices) {
    const host::AttributeInfo& info = type->attribute(id("specOutput"));
    EXPECT_EQ(info.defaultShort, 0);
    const std::vector<std::pair<std::string, short>> expected = {
        {"Caucasian Male", 5}, {"Indian Male", 6}, {"Black Felt", 3}, {"Blue Felt", 4},
        {"Gray Primer", 1},    {"Blue Paint", 0},  {"Red Clay", 2}};
    ASSERT_EQ(info.enumFields.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(info.enumFields[i].name, expected[i].first);
        EXPECT_EQ(info.enumFields[i].value, expected[i].second);
    }
}

TEST_F(AttributesTest, LightArrayMembersAndElementDefaultDifferFromMemberDefaults) {
    const host::AttributeId array = id("lightDataArray");
    std::vector<std::string> members;
    for (host::AttributeId child : type->children(array)) {
        members.push_back(nameOf(child));
    }
    EXPECT_EQ(members,
              (std::vector<std::string>{"lightDirection", "lightIntensity", "lightAmbient",
                                        "lightDiffuse", "lightSpecular", "lightShadowFraction",
                                        "preShadowIntensity", "lightBlindData"}));
    const auto& element = type->attribute(array).elementDefault;
    ASSERT_TRUE(element.has_value());
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(element->direction[c], 0.0f);
        EXPECT_EQ(element->intensity[c], 0.0f);
    }
    EXPECT_TRUE(element->ambient);
    EXPECT_TRUE(element->diffuse);
    EXPECT_FALSE(element->specular);
    EXPECT_EQ(element->shadowFraction, 1.0f);
    EXPECT_EQ(element->preShadowIntensity, 1.0f);
    EXPECT_EQ(element->blindData, nullptr);

    // A new element of a node takes the element default, not the members' own.
    host::Node* node = makeNode();
    ASSERT_TRUE(node->data().setElementCount(array, 1));
    float value[3];
    ASSERT_TRUE(node->data().elementValue(array, 0, id("lightDirection"), value));
    EXPECT_EQ(value[0], 0.0f);
    ASSERT_TRUE(node->data().elementValue(array, 0, id("lightIntensity"), value));
    EXPECT_EQ(value[2], 0.0f);
    ASSERT_TRUE(node->data().elementValue(array, 0, id("lightDiffuse"), value));
    EXPECT_EQ(value[0], 1.0f);
    ASSERT_TRUE(node->data().elementValue(array, 0, id("preShadowIntensity"), value));
    EXPECT_EQ(value[0], 1.0f);
}

TEST_F(AttributesTest, TwentyOneAttributesAreAddedInOrder) {
    std::vector<std::string> added;
    for (host::AttributeId a : type->addedAttributes()) {
        added.push_back(nameOf(a));
    }
    EXPECT_EQ(added,
              (std::vector<std::string>{
                  "color",          "transparency",        "ambientColor",       "incandescence",
                  "diffuse",        "specularRollOff",     "specularColor",      "specOutput",
                  "outColor",       "outTransparency",     "pointCamera",        "normalCamera",
                  "lightDirection", "lightIntensity",      "lightAmbient",       "lightDiffuse",
                  "lightSpecular",  "lightShadowFraction", "preShadowIntensity", "lightBlindData",
                  "lightDataArray"}));
}

TEST_F(AttributesTest, AffectsGraphIsTheFortySixDeclarationsPlusTheLightIntensity) {
    const std::vector<std::pair<std::string, std::string>> expected = [] {
        std::vector<std::pair<std::string, std::string>> list;
        const auto add = [&list](std::vector<std::string> inputs, const char* output) {
            for (auto& input : inputs) {
                list.emplace_back(input, output);
            }
        };
        add({"colorR", "colorG", "colorB", "color"}, "outColor");
        add({"transparencyR", "transparencyG", "transparencyB", "transparency"}, "outTransparency");
        add({"transparencyR", "transparencyG", "transparencyB", "transparency"}, "outColor");
        add({"ambientColorR", "ambientColorG", "ambientColorB", "ambientColor"}, "outColor");
        add({"incandescenceR", "incandescenceG", "incandescenceB", "incandescence"}, "outColor");
        add({"diffuse", "specularRollOff"}, "outColor");
        add({"specularColorR", "specularColorG", "specularColorB", "specularColor"}, "outColor");
        add({"specOutput"}, "outColor");
        add({"pointCamera", "pointCameraX", "pointCameraY", "pointCameraZ"}, "outColor");
        add({"normalCameraX", "normalCameraY", "normalCameraZ", "normalCamera"}, "outColor");
        add({"lightDirectionX", "lightDirectionY", "lightDirectionZ", "lightDirection"},
            "outColor");
        add({"lightAmbient", "lightSpecular", "lightDiffuse", "lightShadowFraction",
             "preShadowIntensity", "lightBlindData", "lightDataArray"},
            "outColor");
        add({"lightIntensityR", "lightIntensityG", "lightIntensityB", "lightIntensity"},
            "outColor");
        return list;
    }();
    ASSERT_EQ(expected.size(), 50u);
    std::vector<std::pair<std::string, std::string>> actual;
    for (const auto& [input, output] : type->affects()) {
        actual.emplace_back(nameOf(input), nameOf(output));
    }
    EXPECT_EQ(actual, expected);
}

}  // namespace
}  // namespace vorlane::test
