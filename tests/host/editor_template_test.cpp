// The Attribute Editor template against the node the plug-in registers: its
// controls are exactly the material's settings, in groups, and every hidden
// per-sample input is suppressed.
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

#include "host_test_support.h"

namespace vorlane::test {
namespace {

std::string readTemplate() {
    std::ifstream file(VORLANE_AE_TEMPLATE);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The quoted names after `flag` in the template's editorTemplate commands
// (each command runs up to its semicolon).
std::vector<std::string> namesAfter(const std::string& text, const std::string& flag) {
    std::vector<std::string> names;
    const std::string marker = flag + " \"";
    for (std::size_t at = text.find("editorTemplate"); at != std::string::npos;
         at = text.find("editorTemplate", at + 1)) {
        const std::string command = text.substr(at, text.find(';', at) - at);
        const std::size_t flagAt = command.find(marker);
        if (flagAt == std::string::npos) {
            continue;
        }
        const std::size_t begin = flagAt + marker.size();
        const std::size_t end = command.find('"', begin);
        const std::string name = command.substr(begin, end - begin);
        bool letters = !name.empty();
        for (char c : name) {
            letters = letters && std::isalpha(static_cast<unsigned char>(c));
        }
        if (letters) {
            names.push_back(name);
        }
    }
    return names;
}

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + what.size())) {
        ++count;
    }
    return count;
}

class EditorTemplateTest : public HostTest {
  protected:
    void SetUp() override {
        text = readTemplate();
        ASSERT_FALSE(text.empty()) << VORLANE_AE_TEMPLATE;
        loadPlugin();
    }
    std::string text;
};

TEST_F(EditorTemplateTest, IsTheNodeTypesTemplateProcedureWithBalancedLayouts) {
    EXPECT_NE(text.find("global proc AEvorlaneTemplate(string $nodeName)"), std::string::npos);
    EXPECT_EQ(occurrences(text, "editorTemplate -beginScrollLayout;"), 1u);
    EXPECT_EQ(occurrences(text, "editorTemplate -endScrollLayout;"), 1u);
    EXPECT_LT(text.find("-beginScrollLayout"), text.find("-endScrollLayout"));
    EXPECT_EQ(occurrences(text, "editorTemplate -beginLayout "), 2u);
    EXPECT_EQ(occurrences(text, "editorTemplate -endLayout;"), 2u);
    EXPECT_EQ(occurrences(text, "{"), occurrences(text, "}"));
}

TEST_F(EditorTemplateTest, ControlsAreTheVisibleSettingsInTheirGroups) {
    const std::vector<std::string> controls = namesAfter(text, "-addControl");
    EXPECT_EQ(controls, (std::vector<std::string>{"color", "transparency", "ambientColor",
                                                  "incandescence", "diffuse", "specOutput",
                                                  "specularRollOff", "specularColor"}));
    // They are the node's top-level inputs that are neither hidden nor outputs.
    std::set<std::string> settings;
    for (const host::AttributeId id : type->addedAttributes()) {
        const host::AttributeInfo& info = type->attribute(id);
        if (info.writable && info.storable && !info.hidden) {
            settings.insert(info.longName);
        }
    }
    EXPECT_EQ(std::set<std::string>(controls.begin(), controls.end()), settings);
    const std::size_t specularGroup = text.find("-beginLayout \"Measured Specular Shading\"");
    ASSERT_NE(specularGroup, std::string::npos);
    EXPECT_GT(text.find("\"specOutput\""), specularGroup);
    EXPECT_LT(text.find("\"diffuse\""), specularGroup);
}

TEST_F(EditorTemplateTest, EveryHiddenInputAndTheLightArrayMembersAreSuppressed) {
    const std::vector<std::string> suppressed = namesAfter(text, "-suppress");
    const std::set<std::string> suppressedSet(suppressed.begin(), suppressed.end());
    EXPECT_EQ(suppressedSet.size(), suppressed.size()) << "a name is suppressed twice";

    std::set<std::string> expected{"pointCamera", "normalCamera", "lightDataArray"};
    for (const host::AttributeId member : type->children(id("lightDataArray"))) {
        expected.insert(type->attribute(member).longName);
    }
    EXPECT_EQ(expected.size(), 11u);
    EXPECT_EQ(suppressedSet, expected);

    // Whatever the node hides at the top level is suppressed.
    for (const host::AttributeId added : type->addedAttributes()) {
        const host::AttributeInfo& info = type->attribute(added);
        if (info.hidden) {
            EXPECT_EQ(suppressedSet.count(info.longName), 1u) << info.longName;
        }
    }
}

}  // namespace
}  // namespace vorlane::test
