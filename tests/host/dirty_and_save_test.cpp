// Setting inputs, dirty propagation, connections and the saved text.
#include "host_test_support.h"

namespace vorlane::test {
namespace {

class DirtyAndSaveTest : public HostTest {
  protected:
    void SetUp() override {
        loadPlugin();
        node = makeNode();
        outColor = id("outColor");
        outTransparency = id("outTransparency");
    }

    // Brings both outputs up to date.
    void evaluateBoth() {
        ASSERT_EQ(node->data().evaluate(outColor).status, host::kSuccess);
        ASSERT_EQ(node->data().evaluate(outTransparency).status, host::kSuccess);
        ASSERT_FALSE(node->data().isDirty(outColor));
        ASSERT_FALSE(node->data().isDirty(outTransparency));
    }

    host::Node* node = nullptr;
    host::AttributeId outColor;
    host::AttributeId outTransparency;
};

TEST_F(DirtyAndSaveTest, NewNodeHasBothOutputsDirtyAndEvaluationCleansThem) {
    EXPECT_TRUE(node->data().isDirty(outColor));
    EXPECT_TRUE(node->data().isDirty(id("outColorG")));
    EXPECT_TRUE(node->data().isDirty(outTransparency));
    const host::Evaluation first = node->data().evaluate(outColor);
    EXPECT_TRUE(first.computed);
    EXPECT_FALSE(node->data().isDirty(id("outColorB")));
    EXPECT_TRUE(node->data().isDirty(outTransparency));
    // Clean: no second compute.
    EXPECT_FALSE(node->data().evaluate(outColor).computed);
}

TEST_F(DirtyAndSaveTest, TransparencyDirtiesBothOutputsEverythingElseOnlyOutColor) {
    for (const char* name : {"transparency", "it", "transparencyR", "itg", "transparencyB"}) {
        SCOPED_TRACE(name);
        evaluateBoth();
        const host::AttributeId input = id(name);
        const bool set = type->attribute(input).kind == host::AttributeKind::FloatTriple
                             ? node->data().setTriple(input, 0.25f, 0.5f, 0.75f)
                             : node->data().setFloat(input, 0.5f);
        ASSERT_TRUE(set);
        EXPECT_TRUE(node->data().isDirty(outColor));
        EXPECT_TRUE(node->data().isDirty(outTransparency));
    }
    for (const char* name :
         {"color", "colorG", "ambientColor", "ambCB", "incandescence", "ir", "specularColor",
          "spcr", "pointCamera", "pointCameraY", "normalCamera", "nz"}) {
        SCOPED_TRACE(name);
        evaluateBoth();
        const host::AttributeId input = id(name);
        const bool set = type->attribute(input).kind == host::AttributeKind::FloatTriple
                             ? node->data().setTriple(input, 0.25f, 0.5f, 0.75f)
                             : node->data().setFloat(input, 0.5f);
        ASSERT_TRUE(set);
        EXPECT_TRUE(node->data().isDirty(outColor));
        EXPECT_TRUE(node->data().isDirty(id("outColorR")));
        EXPECT_FALSE(node->data().isDirty(outTransparency));
    }
    for (const char* name : {"diffuse", "sro"}) {
        evaluateBoth();
        ASSERT_TRUE(node->data().setFloat(id(name), 0.5f));
        EXPECT_TRUE(node->data().isDirty(outColor));
        EXPECT_FALSE(node->data().isDirty(outTransparency));
    }
    evaluateBoth();
    ASSERT_TRUE(node->data().setShort(id("specOutput"), 3));
    EXPECT_TRUE(node->data().isDirty(outColor));
    EXPECT_FALSE(node->data().isDirty(outTransparency));
}

TEST_F(DirtyAndSaveTest, LightArrayChangesDirtyOnlyOutColorIntensityIncluded) {
    const host::AttributeId lights = id("lightDataArray");
    evaluateBoth();
    ASSERT_TRUE(node->data().setElementCount(lights, 2));
    EXPECT_TRUE(node->data().isDirty(outColor));
    EXPECT_FALSE(node->data().isDirty(outTransparency));

    for (const char* member : {"lightIntensity", "lightDirection"}) {
        evaluateBoth();
        ASSERT_TRUE(node->data().setElementTriple(lights, 1, id(member), 1, 2, 3));
        EXPECT_TRUE(node->data().isDirty(outColor)) << member;
        EXPECT_FALSE(node->data().isDirty(outTransparency));
    }
    evaluateBoth();
    ASSERT_TRUE(node->data().setElementBool(lights, 0, id("lightSpecular"), true));
    EXPECT_TRUE(node->data().isDirty(outColor));
}

TEST_F(DirtyAndSaveTest, SettingIsRefusedForOutputsArrayMembersUnknownsAndWrongKinds) {
    std::string error;
    EXPECT_FALSE(node->data().setTriple(outColor, 1, 1, 1, &error));
    EXPECT_EQ(error, "attribute \"outColor\" is not writable");
    EXPECT_FALSE(node->data().setTriple(id("lightDirection"), 1, 1, 1, &error));
    EXPECT_EQ(error, "attribute \"lightDirection\" is not writable");
    EXPECT_FALSE(node->data().setFloat(host::AttributeId{}, 1, &error));
    EXPECT_NE(error.find("no such attribute"), std::string::npos);
    EXPECT_FALSE(node->data().setFloat(id("color"), 1, &error));
    EXPECT_EQ(error, "attribute \"color\" is a float triple, not a float");
    EXPECT_FALSE(node->data().setElementTriple(id("lightDataArray"), 0, id("lightDirection"), 1, 1,
                                               1, &error));
    EXPECT_NE(error.find("does not exist"), std::string::npos);
    EXPECT_FALSE(node->data().setElementFloat(id("lightDataArray"), 0, id("diffuse"), 1, &error));
    // Nothing changed: the outputs are as dirty as they were and values kept.
    EXPECT_EQ(node->data().value(id("color")).value[0], 0.309f);

    // Values outside the soft range are accepted.
    EXPECT_TRUE(node->data().setFloat(id("diffuse"), 3.5f));
    EXPECT_TRUE(node->data().setFloat(id("specularRollOff"), -2.0f));
    EXPECT_EQ(node->data().value(id("dfl")).value[0], 3.5f);
}

TEST_F(DirtyAndSaveTest, ConnectionsIntoOutputsAreRefusedAndConnectedInputsFollowTheirSource) {
    host::Node* source = makeNode();
    std::string error;
    EXPECT_FALSE(host.connect(*source, id("outColor"), *node, id("outColor"), &error));
    EXPECT_NE(error.find("the destination is not writable"), std::string::npos) << error;
    EXPECT_FALSE(host.connect(*source, id("outColor"), *node, id("diffuse"), &error));
    EXPECT_NE(error.find("different"), std::string::npos) << error;

    ASSERT_TRUE(host.connect(*source, id("outTransparency"), *node, id("color"), &error)) << error;
    EXPECT_FALSE(node->data().setTriple(id("color"), 1, 1, 1, &error));
    EXPECT_EQ(error, "attribute \"color\" is the destination of a connection");
    EXPECT_FALSE(node->data().setFloat(id("colorR"), 1, &error));
    EXPECT_FALSE(host.connect(*node, id("outColor"), *source, id("color"), &error));
    EXPECT_NE(error.find("cycle"), std::string::npos) << error;

    ASSERT_TRUE(source->data().setTriple(id("transparency"), 0.1f, 0.2f, 0.3f));
    node->data().evaluate(outColor);
    const host::Evaluation pulled = node->data().value(id("color"));
    EXPECT_EQ(pulled.value[0], 0.1f);
    EXPECT_EQ(pulled.value[2], 0.3f);

    EXPECT_TRUE(host.destroyNode(source));
    EXPECT_TRUE(node->data().setTriple(id("color"), 1, 1, 1, &error)) << error;
}

TEST_F(DirtyAndSaveTest, SavedTextListsTheStorableSettingsOnly) {
    EXPECT_EQ(node->saveAsText(),
              "createNode vorlane -n \"vorlane1\";\n"
              "\tsetAttr \".c\" -type \"float3\" 0.309 0.397 0.708;\n"
              "\tsetAttr \".it\" -type \"float3\" 0 0 0;\n"
              "\tsetAttr \".ambC\" -type \"float3\" 0 0 0;\n"
              "\tsetAttr \".ic\" -type \"float3\" 0 0 0;\n"
              "\tsetAttr \".dfl\" 0.8;\n"
              "\tsetAttr \".sro\" 5;\n"
              "\tsetAttr \".spc\" -type \"float3\" 0.5 0.5 0.5;\n"
              "\tsetAttr \".sout\" 0;\n");
    ASSERT_TRUE(node->data().setShort(id("sout"), 4));
    ASSERT_TRUE(node->data().setFloat(id("ambCG"), 0.125f));
    ASSERT_TRUE(node->data().setTriple(id("pointCamera"), 7, 8, 9));
    ASSERT_TRUE(node->data().setElementCount(id("lightDataArray"), 3));
    const std::string text = node->saveAsText();
    EXPECT_NE(text.find("\tsetAttr \".sout\" 4;\n"), std::string::npos);
    EXPECT_NE(text.find("\tsetAttr \".ambC\" -type \"float3\" 0 0.125 0;\n"), std::string::npos);
    EXPECT_EQ(text.find(".pc"), std::string::npos);
    EXPECT_EQ(text.find(".ltd"), std::string::npos);
    EXPECT_EQ(text.find(".oc"), std::string::npos);
}

}  // namespace
}  // namespace vorlane::test
