// The host with a second plug-in beside vorlane: identifier clashes, nodes
// that are not MP-safe, and the types a plug-in leaves registered on unload.
#include "host_test_support.h"

namespace vorlane::test {
namespace {

class SecondPluginTest : public HostTest {
  protected:
    void SetUp() override {
        loadPlugin();
        std::string error;
        ASSERT_TRUE(host.loadPlugin(FIXTURE_PLAIN_NODE, &error)) << error;
        plain = host.findNodeType("plainNode");
        ASSERT_NE(plain, nullptr);
    }

    const host::NodeType* plain = nullptr;
};

TEST_F(SecondPluginTest, ATypeIdentifierInUseIsRefusedUnderAnyName) {
    EXPECT_EQ(host.findNodeType("plainClash"), nullptr);
    EXPECT_EQ(errors.str(),
              "// Error: registerNode \"plainClash\": the type identifier 0x28713 is already in "
              "use by \"vorlane\".\n");
    EXPECT_EQ(host.nodeTypeNames(), (std::vector<std::string>{"vorlane", "plainNode"}));
}

TEST_F(SecondPluginTest, NodesThatAreNotMPSafeGetNoPrivateDataBlocks) {
    host::Node* node = host.createNode("plainNode");
    ASSERT_NE(node, nullptr);
    EXPECT_FALSE(node->isMPSafe());
    std::string error;
    EXPECT_EQ(node->copyDataBlock(&error), nullptr);
    EXPECT_EQ(error, "node \"plainNode1\" is not safe for parallel evaluation");

    const host::AttributeId output = plain->findAttribute("out");
    EXPECT_EQ(node->data().evaluate(output).value[0], 3.0f);
    ASSERT_TRUE(node->data().setFloat(plain->findAttribute("in"), 4.0f));
    EXPECT_EQ(node->data().evaluate(output).value[0], 8.0f);
    EXPECT_TRUE(host.destroyNode(node));
}

TEST_F(SecondPluginTest, AShadingOutputDrivesAnotherPlugInsInput) {
    host::Node* shader = makeNode();
    host::Node* plainNode = host.createNode("plainNode");
    ASSERT_NE(plainNode, nullptr);
    std::string error;
    ASSERT_TRUE(host.connect(*shader, id("outTransparencyG"), *plainNode,
                             plain->findAttribute("input"), &error))
        << error;
    ASSERT_TRUE(shader->data().setTriple(id("transparency"), 0.0f, 0.25f, 0.0f));
    EXPECT_EQ(plainNode->data().evaluate(plain->findAttribute("output")).value[0], 0.5f);
    ASSERT_TRUE(shader->data().setTriple(id("transparency"), 0.0f, 0.75f, 0.0f));
    EXPECT_EQ(plainNode->data().evaluate(plain->findAttribute("output")).value[0], 1.5f);
}

TEST_F(SecondPluginTest, UnloadRemovesTheTypesAPlugInLeavesBehind) {
    std::string error;
    ASSERT_TRUE(host.unloadPlugin(FIXTURE_PLAIN_NODE, &error)) << error;
    EXPECT_EQ(host.findNodeType("plainNode"), nullptr);
    EXPECT_NE(host.findNodeType("vorlane"), nullptr);
}

}  // namespace
}  // namespace vorlane::test
