// The Attribute Editor templates. The vorlane node's against the node the
// plug-in registers: its controls are exactly the material's settings, in
// groups, and every hidden per-sample input is suppressed. The zq4v_vorlane
// node's against the shader declaration that the host makes that node from:
// the same groups for the same settings, and every parameter placed.
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

#include "host_test_support.h"

namespace vorlane::test {
namespace {

std::string readText(const char* path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string readTemplate() {
    return readText(VORLANE_AE_TEMPLATE);
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

// The attribute of an `editorTemplate -callCustom "NEW" "REPLACE" "NAME"`
// command: its last quoted word.
std::string customControl(const std::string& command) {
    const std::size_t end = command.rfind('"');
    const std::size_t begin = command.rfind('"', end - 1) + 1;
    return command.substr(begin, end - begin);
}

// The quoted words of a command, in order.
std::vector<std::string> quoted(const std::string& command) {
    std::vector<std::string> words;
    for (std::size_t at = command.find('"'); at != std::string::npos;
         at = command.find('"', command.find('"', at + 1) + 1)) {
        words.push_back(command.substr(at + 1, command.find('"', at + 1) - at - 1));
    }
    return words;
}

// The body of a global procedure taking one string argument, which the
// Attribute Editor calls with NODE.ATTRIBUTE; empty when there is none.
std::string procedureBody(const std::string& text, const std::string& name) {
    const std::size_t head = text.find("global proc " + name + "(string $attrName)\n{\n");
    if (head == std::string::npos) {
        return "";
    }
    const std::size_t begin = text.find('{', head) + 1;
    return text.substr(begin, text.find("\n}\n", begin) - begin);
}

// The first command of a body that starts with `name`, up to its semicolon.
std::string commandIn(const std::string& body, const std::string& name) {
    const std::size_t at = body.find(name + " ");
    return at == std::string::npos ? "" : body.substr(at, body.find(';', at) - at);
}

// A layout of a template: its label and the controls added in it, in order.
struct Layout {
    std::string label;
    std::vector<std::string> controls;
    bool operator==(const Layout& other) const {
        return label == other.label && controls == other.controls;
    }
};

std::vector<Layout> layouts(const std::string& text) {
    std::vector<Layout> out;
    bool open = false;
    for (std::size_t at = text.find("editorTemplate"); at != std::string::npos;
         at = text.find("editorTemplate", at + 1)) {
        const std::string command = text.substr(at, text.find(';', at) - at);
        std::vector<std::string> control = namesAfter(command, "-addControl");
        if (command.find("-callCustom") != std::string::npos) {
            control = {customControl(command)};
        }
        if (command.find("-beginLayout \"") != std::string::npos) {
            const std::size_t begin = command.find('"') + 1;
            out.push_back({command.substr(begin, command.find('"', begin) - begin), {}});
            open = true;
        } else if (command.find("-endLayout") != std::string::npos) {
            open = false;
        } else if (open && !control.empty()) {
            out.back().controls.push_back(control.front());
        }
    }
    return out;
}

// The parameter names of the shader declaration, in order.
std::vector<std::string> declaredParameters() {
    std::vector<std::string> names;
    std::istringstream declaration(readText(VORLANE_SHADER_DECLARATION));
    for (std::string line; std::getline(declaration, line);) {
        const std::string code = line.substr(0, line.find('#'));
        std::istringstream words(code);
        std::string type;
        words >> type;
        const std::size_t quote = code.find('"');
        const bool parameterType = type == "color" || type == "vector" || type == "scalar" ||
                                   type == "integer" || type == "boolean" || type == "array";
        if (parameterType && quote != std::string::npos && code.find('(') == std::string::npos) {
            names.push_back(code.substr(quote + 1, code.find('"', quote + 1) - quote - 1));
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

class ShaderEditorTemplateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        text = readText(VORLANE_SHADER_AE_TEMPLATE);
        ASSERT_FALSE(text.empty()) << VORLANE_SHADER_AE_TEMPLATE;
        declared = declaredParameters();
        ASSERT_EQ(declared.size(), 11u);
    }
    std::string text;
    std::vector<std::string> declared;
};

TEST_F(ShaderEditorTemplateTest, IsTheFactoryNodesTemplateProcedureWithBalancedLayouts) {
    EXPECT_NE(text.find("global proc AEzq4v_vorlaneTemplate(string $nodeName)"), std::string::npos);
    EXPECT_EQ(occurrences(text, "editorTemplate -beginScrollLayout;"), 1u);
    EXPECT_EQ(occurrences(text, "editorTemplate -endScrollLayout;"), 1u);
    EXPECT_EQ(occurrences(text, "editorTemplate -beginLayout "),
              occurrences(text, "editorTemplate -endLayout;"));
    EXPECT_EQ(occurrences(text, "{"), occurrences(text, "}"));
}

// The vorlane node's groups come first, in its order, each with its controls
// that the shader declares too; the shader's own settings follow.
TEST_F(ShaderEditorTemplateTest, GroupsTheSharedSettingsAsTheVorlaneNodesTemplate) {
    const std::set<std::string> declaredSet(declared.begin(), declared.end());
    std::vector<Layout> expected = layouts(readTemplate());
    ASSERT_EQ(expected.size(), 2u);
    for (Layout& layout : expected) {
        std::vector<std::string> shared;
        for (const std::string& control : layout.controls) {
            if (declaredSet.count(control) != 0) {
                shared.push_back(control);
            }
        }
        layout.controls = shared;
    }
    expected.push_back({"Indirect Light", {"indirect", "indirectColor"}});
    EXPECT_EQ(layouts(text), expected);
}

// Every parameter but the light list, where lights are connected, is a control
// or suppressed, once; no other name appears.
TEST_F(ShaderEditorTemplateTest, PlacesEveryParameterOnce) {
    std::vector<std::string> placed = namesAfter(text, "-addControl");
    for (std::size_t at = text.find("editorTemplate -callCustom"); at != std::string::npos;
         at = text.find("editorTemplate -callCustom", at + 1)) {
        placed.push_back(customControl(text.substr(at, text.find(';', at) - at)));
    }
    const std::vector<std::string> suppressed = namesAfter(text, "-suppress");
    EXPECT_EQ(suppressed, std::vector<std::string>{"normalCamera"});
    placed.insert(placed.end(), suppressed.begin(), suppressed.end());
    placed.push_back("lights");
    std::multiset<std::string> expected(declared.begin(), declared.end());
    EXPECT_EQ(std::multiset<std::string>(placed.begin(), placed.end()), expected);
}

// The shader declares specOutput as an integer. Its template shows it as a
// custom control: a menu labelled as the vorlane node's, bound to the node's
// specOutput when made and when the editor moves to another node, whose
// items are the vorlane node's enumeration fields in their order, each
// setting the field's value. The declaration's heading comment lists the
// same names with their values.
TEST_F(EditorTemplateTest, TheShaderTemplatesPresetIsAMenuOfTheNodesFields) {
    const std::string shaderTemplate = readText(VORLANE_SHADER_AE_TEMPLATE);
    const std::size_t at = shaderTemplate.find("editorTemplate -callCustom");
    ASSERT_NE(at, std::string::npos);
    const std::vector<std::string> custom =
        quoted(shaderTemplate.substr(at, shaderTemplate.find(';', at) - at));
    ASSERT_EQ(custom.size(), 3u);
    EXPECT_EQ(custom[2], "specOutput");

    const std::string make =
        commandIn(procedureBody(shaderTemplate, custom[0]), "attrEnumOptionMenuGrp");
    ASSERT_FALSE(make.empty()) << custom[0];
    EXPECT_NE(make.find("-label \"Measured Material\" "), std::string::npos) << make;
    EXPECT_NE(make.find("-attribute $attrName\n"), std::string::npos) << make;
    std::vector<host::EnumField> items;
    const std::string flag = "-enumeratedItem ";
    for (std::size_t item = make.find(flag); item != std::string::npos;
         item = make.find(flag, item + 1)) {
        const std::size_t name = make.find('"', item) + 1;
        items.push_back({make.substr(name, make.find('"', name) - name),
                         static_cast<short>(std::stoi(make.substr(item + flag.size())))});
    }
    const std::vector<host::EnumField>& fields = type->attribute(id("specOutput")).enumFields;
    ASSERT_EQ(items.size(), 7u);
    ASSERT_EQ(fields.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].name, fields[i].name) << i;
        EXPECT_EQ(items[i].value, fields[i].value) << items[i].name;
    }
    // The declaration's heading names each material after its value too.
    const std::string declaration = readText(VORLANE_SHADER_DECLARATION);
    for (const host::EnumField& field : fields) {
        EXPECT_NE(declaration.find(" " + std::to_string(field.value) + " " + field.name),
                  std::string::npos)
            << field.name;
    }

    // The replacement rebinds the same control to the new node's attribute.
    const std::string control = make.substr(make.find_last_of(" \n") + 1);
    EXPECT_EQ(commandIn(procedureBody(shaderTemplate, custom[1]), "attrEnumOptionMenuGrp"),
              "attrEnumOptionMenuGrp -edit -attribute $attrName " + control);
}

}  // namespace
}  // namespace vorlane::test
