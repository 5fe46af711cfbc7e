// The data block API as a plug-in's compute meets it: another type's
// attributes, objects that are not attributes, arrays and their members,
// mismatched accessors, compounds and the walk over an array. The fixture's
// compute makes the checks and reports the failed ones as bits of "failures".
#include "host_test_support.h"

namespace vorlane::test {
namespace {

class DataAccessTest : public HostTest {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host.loadPlugin(FIXTURE_DATA_ACCESS, &error)) << error;
        probe = host.findNodeType("accessProbe");
        ASSERT_NE(probe, nullptr);
        node = host.createNode("accessProbe", {}, &error);
        ASSERT_NE(node, nullptr) << error;
        lights = probe->findAttribute("lights");
        failures = probe->findAttribute("failures");
    }

    // The failed checks as a bit mask; -1 when compute did not run.
    int failedChecks() {
        const host::Evaluation result = node->data().evaluate(failures);
        EXPECT_EQ(result.status, host::kSuccess);
        return result.computed ? static_cast<int>(result.value[0]) : -1;
    }

    const host::NodeType* probe = nullptr;
    host::Node* node = nullptr;
    host::AttributeId lights;
    host::AttributeId failures;
};

TEST_F(DataAccessTest, EveryMisuseGetsAnInvalidHandleAndTheRightStatus) {
    std::string error;
    ASSERT_TRUE(node->data().setElementCount(lights, 2, &error)) << error;
    ASSERT_TRUE(node->data().setElementTriple(lights, 1, probe->findAttribute("direction"), 4.0f,
                                              5.0f, 6.0f, &error))
        << error;
    EXPECT_EQ(failedChecks(), 0);
}

TEST_F(DataAccessTest, AnEmptyArrayHasNoElementToRead) {
    EXPECT_EQ(node->data().elementCount(lights), 0u);
    EXPECT_EQ(failedChecks(), 0);
}

TEST_F(DataAccessTest, AFailedCheckIsReported) {
    // Three elements where the checks expect two: the walk's check fails alone.
    std::string error;
    ASSERT_TRUE(node->data().setElementCount(lights, 3, &error)) << error;
    ASSERT_TRUE(node->data().setElementTriple(lights, 1, probe->findAttribute("direction"), 4.0f,
                                              5.0f, 6.0f, &error))
        << error;
    EXPECT_EQ(failedChecks(), 1 << 8);
}

}  // namespace
}  // namespace vorlane::test
