// Reports of failed host calls while the light array is created.
#include <maya/MStatus.h>

#include <set>
#include <string>
#include <vector>

#include "host_test_support.h"

namespace vorlane::test {
namespace {

struct Report {
    int line;
    std::string description;
};

// Splits the captured output into reports; fails the test on any other text.
std::vector<Report> reportsIn(const std::string& text) {
    const std::string head = "\nAPI error detected in plugSource/vorlanePlugInt at line ";
    std::vector<Report> reports;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.compare(at, head.size(), head) != 0) {
            ADD_FAILURE() << "stray output: " << text.substr(at);
            break;
        }
        at += head.size();
        const std::size_t lineEnd = text.find('\n', at);
        const std::size_t descriptionEnd =
            lineEnd == std::string::npos ? lineEnd : text.find('\n', lineEnd + 1);
        if (descriptionEnd == std::string::npos) {
            ADD_FAILURE() << "incomplete report: " << text.substr(at);
            break;
        }
        const std::string number = text.substr(at, lineEnd - at);
        EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << number;
        reports.push_back(
            Report{std::stoi(number), text.substr(lineEnd + 1, descriptionEnd - lineEnd - 1)});
        at = descriptionEnd + 1;
    }
    return reports;
}

// The tested steps of the light array, in call order: each member is created,
// made not storable, hidden, readable and not writable, and given its
// default (the pointer member has its default from creation); the array is
// created, made an array, not storable and hidden, and given its element
// default. Each as the rule that makes that step fail.
std::vector<host::FailureRule> lightSteps() {
    using C = host::AttributeCall;
    std::vector<host::FailureRule> steps;
    for (const char* name :
         {"lightDirectionX", "lightDirectionY", "lightDirectionZ", "lightDirection",
          "lightIntensityR", "lightIntensityG", "lightIntensityB", "lightIntensity", "lightAmbient",
          "lightDiffuse", "lightSpecular", "lightShadowFraction", "preShadowIntensity",
          "lightBlindData"}) {
        for (C call : {C::Create, C::SetStorable, C::SetHidden, C::SetReadable, C::SetWritable,
                       C::SetDefault}) {
            if (call != C::SetDefault || std::string(name) != "lightBlindData") {
                steps.push_back({call, name, host::kFailure});
            }
        }
    }
    for (C call : {C::Create, C::SetArray, C::SetStorable, C::SetHidden, C::SetDefault}) {
        steps.push_back({call, "lightDataArray", host::kFailure});
    }
    return steps;
}

class FailureReportTest : public HostTest {
  protected:
    // Loads with the failures injected; initialize must still succeed.
    std::vector<Report> loadWith(const std::vector<host::FailureRule>& rules) {
        for (const auto& rule : rules) {
            host.injectFailure(rule);
        }
        // The plug-in writes its reports to the process's standard error
        // through the C library, out of reach of the fixture's redirection of
        // std::cerr. Capture the standard error itself, with the host's
        // descriptions sent there too, through std::cerr, to keep the order.
        host.setErrorStream(nullptr);
        std::streambuf* const redirected = std::cerr.rdbuf(capture_.original());
        testing::internal::CaptureStderr();
        std::string error;
        EXPECT_TRUE(host.loadPlugin(VORLANE_PLUGIN_PATH, &error)) << error;
        errors.str(testing::internal::GetCapturedStderr());
        std::cerr.rdbuf(redirected);
        host.setErrorStream(&errors);
        type = host.findNodeType("vorlane");
        EXPECT_NE(type, nullptr) << "initialize must succeed whatever failed";
        return reportsIn(errors.str());
    }
};

TEST_F(FailureReportTest, OneFailedFlagGivesExactlyOneReportAtItsLine) {
    const auto reports =
        loadWith({{host::AttributeCall::SetHidden, "lightAmbient", host::kFailure}});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].description, "(kFailure): Unexpected Internal Failure");
    // The step failed, the rest went on.
    const host::AttributeInfo& ambient = type->attribute(type->findAttribute("lightAmbient"));
    EXPECT_FALSE(ambient.hidden);
    EXPECT_FALSE(ambient.writable);
    EXPECT_EQ(type->attributeCount(), 54);
}

TEST_F(FailureReportTest, TheExactTextCarriesTheHostDescription) {
    const auto reports =
        loadWith({{host::AttributeCall::SetWritable, "lightDataArray", host::kFailure},
                  {host::AttributeCall::SetArray, "lightDataArray", 2 /* kInsufficientMemory */}});
    ASSERT_EQ(reports.size(), 1u) << "setWritable is not called on the array";
    const std::string line = std::to_string(reports[0].line);
    EXPECT_EQ(errors.str(), "\nAPI error detected in plugSource/vorlanePlugInt at line " + line +
                                "\n(kInsufficientMemory): Insufficient Memory\n");
}

TEST_F(FailureReportTest, EveryFailedDefaultOfTheLightArrayIsReportedOnce) {
    const auto reports = loadWith({{host::AttributeCall::SetDefault, "", host::kFailure}});
    // The defaults of the 13 light members and the array's element default;
    // the material's defaults fail silently.
    EXPECT_EQ(reports.size(), 14u);
    EXPECT_FALSE(type->attribute(type->findAttribute("lightDataArray")).elementDefault);
}

// Every step failing at once gives one report per step, each at a line of
// its own; each step failing alone is reported first at the line that the
// full run gave the step in its place in the call order. So the line alone
// tells a user which step the host refused.
TEST_F(FailureReportTest, EveryTestedStepIsReportedInCallOrderAtALineOfItsOwn) {
    const std::vector<host::FailureRule> steps = lightSteps();
    ASSERT_EQ(steps.size(), 88u);
    const auto reports = loadWith(steps);
    ASSERT_EQ(reports.size(), steps.size());
    std::set<int> lines;
    for (const Report& report : reports) {
        lines.insert(report.line);
    }
    EXPECT_EQ(lines.size(), steps.size()) << "two steps report the same line";
    EXPECT_EQ(type->findAttribute("lightDataArray").valid(), false);
    EXPECT_EQ(type->findAttribute("color").valid(), true);

    for (std::size_t i = 0; i < steps.size(); ++i) {
        ASSERT_TRUE(host.unloadPlugin(VORLANE_PLUGIN_PATH));
        host.clearFailures();
        const auto alone = loadWith({steps[i]});
        ASSERT_FALSE(alone.empty()) << "step " << i;
        EXPECT_EQ(alone[0].line, reports[i].line) << "step " << i << ": " << steps[i].attributeName;
        // A failed creation leaves the later steps of its attribute failing too.
        if (steps[i].call != host::AttributeCall::Create) {
            EXPECT_EQ(alone.size(), 1u) << "step " << i << ": " << steps[i].attributeName;
        }
    }
}

TEST_F(FailureReportTest, FailedCreationLeavesANullHandleWhoseLaterStepsFailToo) {
    const auto reports =
        loadWith({{host::AttributeCall::Create, "lightBlindData", host::kFailure}});
    // lightBlindData: creation and its four flags; lightDataArray: creation
    // (a member is missing) and its four calls.
    ASSERT_EQ(reports.size(), 10u);
    EXPECT_EQ(reports[0].description, "(kFailure): Unexpected Internal Failure");
    for (std::size_t i = 1; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].description,
                  "(kInvalidParameter): Object is incompatible with this method");
    }
    EXPECT_FALSE(type->findAttribute("lightBlindData").valid());
    EXPECT_FALSE(type->findAttribute("lightDataArray").valid());

    // The node still computes, with no lights to read.
    host::Node* node = makeNode();
    const host::Evaluation e = node->data().evaluate(type->findAttribute("outColor"));
    EXPECT_EQ(e.status, host::kSuccess);
    EXPECT_EQ(e.value[0], 0.0f);
}

TEST_F(FailureReportTest, FailuresBeforeTheLightArrayAndInAddOrAffectsAreSilent) {
    const auto reports =
        loadWith({{host::AttributeCall::SetKeyable, "color", host::kFailure},
                  {host::AttributeCall::Create, "diffuse", host::kFailure},
                  {host::AttributeCall::AddField, "", host::kFailure},
                  {host::AttributeCall::AddAttribute, "pointCamera", host::kFailure},
                  {host::AttributeCall::AttributeAffects, "specOutput", host::kFailure}});
    EXPECT_TRUE(reports.empty());
    EXPECT_FALSE(type->attribute(type->findAttribute("color")).keyable);
    EXPECT_FALSE(type->findAttribute("diffuse").valid());
    EXPECT_FALSE(type->findAttribute("pointCamera").valid());
    EXPECT_TRUE(type->attribute(type->findAttribute("specOutput")).enumFields.empty());
    EXPECT_EQ(type->affects().size(), 50u - 1u - 1u - 4u)
        << "specOutput's declaration and the five involving the missing diffuse/pointCamera";
}

// The host's status macro, as other plug-ins use it: a failure, and only a
// failure, is reported with the source position and the host's description.
TEST_F(FailureReportTest, TheStatusMacroReportsFailuresOnly) {
    const auto check = [](const MStatus& status) { CHECK_MSTATUS(status); };
    const int line = __LINE__ - 1;
    check(MStatus::kSuccess);
    EXPECT_EQ(errors.str(), "");
    check(MStatus::kNotFound);
    EXPECT_EQ(errors.str(), std::string("\nAPI error detected in ") + __FILE__ + " at line " +
                                std::to_string(line) + "\n(kNotFound): Not Found\n");
}

}  // namespace
}  // namespace vorlane::test
