// The renderer declaration of the shader must match the parameter block, and
// its "#:" hints for the host's node factory must be well formed and give a
// node made in the host the defaults the renderer and the vorlane node use.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <vorlane_host/host_runtime.h>
#include <vorlane_renderer/vorlane_parameters.h>

namespace vorlane::test {
namespace {

// The declaration without comments, each run of white space made one space.
std::string readDeclaration() {
    std::ifstream in(DECLARATION_PATH);
    std::string text;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line.substr(0, line.find('#')));
        for (std::string word; words >> word;) {
            text += word + ' ';
        }
    }
    return text;
}

// (type, name) of every quoted name that follows a parameter type.
std::vector<std::pair<std::string, std::string>> parameters(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> out;
    const std::string types[] = {"array light", "color", "vector", "scalar", "integer", "boolean"};
    const std::size_t open = text.find('(');
    for (std::size_t at = open; at != std::string::npos && at < text.size();) {
        const std::size_t quote = text.find('"', at);
        if (quote == std::string::npos) {
            break;
        }
        const std::size_t end = text.find('"', quote + 1);
        const std::string before = text.substr(at, quote - at);
        for (const std::string& type : types) {
            const std::string suffix = type + ' ';
            if (before.size() >= suffix.size() &&
                before.compare(before.size() - suffix.size(), suffix.size(), suffix) == 0) {
                out.emplace_back(type, text.substr(quote + 1, end - quote - 1));
                break;
            }
        }
        at = text.find_first_of(",)", end);
        if (at != std::string::npos && text[at] == ')') {
            break;
        }
    }
    return out;
}

std::string defaultOf(const std::string& text, const std::string& name) {
    const std::string key = "\"" + name + "\" default ";
    const std::size_t at = text.find(key);
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t start = at + key.size();
    std::string value = text.substr(start, text.find_first_of(",)", start) - start);
    while (!value.empty() && value.back() == ' ') {
        value.pop_back();
    }
    return value;
}

// The factory's hints of one declaration line: keyword and value pairs, the
// values as written (a quoted string keeps its quotes).
using Hints = std::map<std::string, std::string>;

// Where the hints of the declaration stand: on a parameter's line, or in the
// requirement section after the parameter list.
struct DeclarationHints {
    std::map<std::string, Hints> parameters;
    Hints requirements;
    std::vector<std::string> errors;
};

bool isNumber(const std::string& word, bool integerOnly) {
    std::size_t at = word.size() > 1 && word[0] == '-' ? 1 : 0;
    bool digits = false;
    bool point = false;
    for (; at < word.size(); ++at) {
        if (std::isdigit(static_cast<unsigned char>(word[at])) != 0) {
            digits = true;
        } else if (word[at] == '.' && !point && !integerOnly) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

// Parses "keyword value ..." of one hint comment; nullopt and `error` for an
// unknown keyword, a missing or malformed value, or a keyword given twice.
// "default" takes one number, or three (a vector's or colour's), kept as
// written with one space between them.
std::optional<Hints> parseHints(const std::string& text, std::string& error) {
    const std::map<std::string, std::string> kinds = {
        {"nodeid", "integer"}, {"shortname", "string"}, {"min", "number"},     {"max", "number"},
        {"softmin", "number"}, {"softmax", "number"},   {"default", "numbers"}};
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    Hints hints;
    for (std::size_t at = 0; at < words.size();) {
        const std::string& keyword = words[at++];
        const auto kind = kinds.find(keyword);
        if (kind == kinds.end() || at == words.size()) {
            error = "'" + keyword + "' is not a hint with a value";
            return std::nullopt;
        }
        std::string value = words[at++];
        bool valid = false;
        if (kind->second == "string") {
            valid = value.size() > 2 && value.front() == '"' && value.back() == '"' &&
                    value.find('"', 1) == value.size() - 1;
        } else if (kind->second == "numbers") {
            int count = 1;
            for (; at < words.size() && isNumber(words[at], false); ++at, ++count) {
                value += " " + words[at];
            }
            valid = isNumber(value.substr(0, value.find(' ')), false) && (count == 1 || count == 3);
        } else {
            valid = isNumber(value, kind->second == "integer");
        }
        if (!valid || !hints.emplace(keyword, value).second) {
            error = "'" + keyword + " " + value + "' is malformed or repeated";
            return std::nullopt;
        }
    }
    return hints;
}

DeclarationHints readHints() {
    DeclarationHints out;
    std::ifstream in(DECLARATION_PATH);
    bool inParameters = false;
    bool afterParameters = false;
    for (std::string line; std::getline(in, line);) {
        const std::size_t comment = line.find('#');
        const std::string code = line.substr(0, comment);
        const bool opens = code.find('(') != std::string::npos;
        const bool closes = code.find(')') != std::string::npos;
        inParameters = (inParameters || opens) && !closes;
        afterParameters = afterParameters || closes;
        // A hint is a comment that starts with "#:".
        if (comment == std::string::npos || line.compare(comment, 2, "#:") != 0) {
            continue;
        }
        std::string error;
        const std::optional<Hints> hints = parseHints(line.substr(comment + 2), error);
        const std::size_t quote = code.find('"');
        if (!hints) {
            out.errors.push_back(line + ": " + error);
        } else if (inParameters && !opens && quote != std::string::npos) {
            const std::size_t end = code.find('"', quote + 1);
            out.parameters[code.substr(quote + 1, end - quote - 1)] = *hints;
        } else if (afterParameters && code.find_first_not_of(' ') == std::string::npos) {
            out.requirements.insert(hints->begin(), hints->end());
        } else {
            out.errors.push_back(line + ": a hint outside a parameter and the requirements");
        }
    }
    return out;
}

TEST(Declaration, DeclaresTheBlockParametersInOrderWithAColourResultAndVersion1) {
    const std::string text = readDeclaration();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find("declare shader color \"zq4v_vorlane\" ( "), 0u) << text;
    EXPECT_NE(text.find(") version 1 apply material end declare"), std::string::npos);

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"color", "color"},         {"color", "ambientColor"},  {"color", "incandescence"},
        {"vector", "normalCamera"}, {"scalar", "diffuse"},      {"scalar", "specularRollOff"},
        {"integer", "specOutput"},  {"color", "specularColor"}, {"boolean", "indirect"},
        {"color", "indirectColor"}, {"array light", "lights"},
    };
    EXPECT_EQ(parameters(text), expected);
}

TEST(Declaration, DefaultsAreThoseOfTheBlockBuilder) {
    const std::string text = readDeclaration();
    const renderer::VorlaneParameters d = renderer::vorlaneDefaults();
    const auto color = [](const miColor& c) {
        std::ostringstream out;
        out << c.r << ' ' << c.g << ' ' << c.b << ' ' << c.a;
        return out.str();
    };
    EXPECT_EQ(defaultOf(text, "color"), color(d.color));
    EXPECT_EQ(defaultOf(text, "ambientColor"), color(d.ambientColor));
    EXPECT_EQ(defaultOf(text, "incandescence"), color(d.incandescence));
    EXPECT_EQ(defaultOf(text, "specularColor"), color(d.specularColor));
    EXPECT_EQ(defaultOf(text, "indirectColor"), color(d.indirectColor));
    EXPECT_EQ(defaultOf(text, "normalCamera"), "0 0 0");
    EXPECT_EQ(std::stof(defaultOf(text, "diffuse")), d.diffuse);
    EXPECT_EQ(std::stof(defaultOf(text, "specularRollOff")), d.specularRollOff);
    EXPECT_EQ(std::stoi(defaultOf(text, "specOutput")), d.specOutput);
    EXPECT_EQ(defaultOf(text, "indirect"), d.indirect ? "on" : "off");
}

// The host's renderer integration numbers the node types of a declaration by
// counting unless the declaration fixes the id; saved scenes need a fixed one.
// It lies in the locally reserved range 0 to 0x7ffff, apart from the vorlane
// plug-in's own type id 0x28713, and never changes.
TEST(Declaration, FixesTheNodeIdForTheHostsNodeFactory) {
    const DeclarationHints hints = readHints();
    EXPECT_EQ(hints.errors, std::vector<std::string>{});
    EXPECT_EQ(hints.requirements, (Hints{{"nodeid", "165652"}}));
    const long nodeId =
        std::stol(hints.requirements.count("nodeid") != 0 ? hints.requirements.at("nodeid")
                                                          : std::string("-1"));
    EXPECT_EQ(nodeId, 0x28714);
    EXPECT_NE(nodeId, 0x28713);
    EXPECT_GE(nodeId, 0);
    EXPECT_LE(nodeId, 0x7ffff);
}

// The shared parameters carry the vorlane node's short names, and the sliders
// the node's soft ranges; the preset index is limited to the seven presets.
TEST(Declaration, HintsGiveTheNodesShortNamesAndRanges) {
    const DeclarationHints hints = readHints();
    EXPECT_EQ(hints.errors, std::vector<std::string>{});
    const std::map<std::string, Hints> expected = {
        {"color", {{"shortname", "\"c\""}}},
        {"ambientColor", {{"shortname", "\"ambC\""}}},
        {"incandescence", {{"shortname", "\"ic\""}}},
        {"normalCamera", {{"shortname", "\"n\""}}},
        {"diffuse", {{"shortname", "\"dfl\""}, {"softmin", "0"}, {"softmax", "1"}}},
        {"specularRollOff", {{"shortname", "\"sro\""}, {"softmin", "0"}, {"softmax", "20"}}},
        {"specOutput", {{"shortname", "\"sout\""}, {"min", "0"}, {"max", "6"}}},
        {"specularColor", {{"shortname", "\"spc\""}}},
    };
    std::map<std::string, Hints> withoutDefaults;
    for (const auto& [name, parameterHints] : hints.parameters) {
        for (const auto& [keyword, value] : parameterHints) {
            if (keyword != "default") {
                withoutDefaults[name][keyword] = value;
            }
        }
    }
    EXPECT_EQ(withoutDefaults, expected);
}

// The numbers of a default as the host's node factory takes them: "on" and
// "off" as 1 and 0, a colour's red, green and blue without its alpha.
std::vector<float> defaultNumbers(const std::string& type, const std::string& text) {
    if (text == "on" || text == "off") {
        return {text == "on" ? 1.0f : 0.0f};
    }
    std::vector<float> numbers;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        numbers.push_back(std::stof(word));
    }
    if (type == "color" && numbers.size() == 4) {
        numbers.pop_back();
    }
    return numbers;
}

// The host's renderer integration gives an attribute the default of its
// "#: default" hint, and zero without one: every hint repeats the
// declaration's default, every parameter without one defaults to zero, and a
// hinted attribute that the vorlane node shares starts as the node's does.
TEST(Declaration, DefaultHintsGiveTheHostTheRenderersAndTheNodesDefaults) {
    const std::string text = readDeclaration();
    const DeclarationHints hints = readHints();
    EXPECT_EQ(hints.errors, std::vector<std::string>{});
    host::Host host;
    std::ostringstream hostErrors;
    host.setErrorStream(&hostErrors);
    std::string error;
    ASSERT_TRUE(host.loadPlugin(VORLANE_PLUGIN_PATH, &error)) << error;
    const host::NodeType* node = host.findNodeType("vorlane");
    ASSERT_NE(node, nullptr);

    int hinted = 0;
    for (const auto& [type, name] : parameters(text)) {
        if (type == "array light") {
            continue;
        }
        const std::vector<float> declared = defaultNumbers(type, defaultOf(text, name));
        const auto found = hints.parameters.find(name);
        const bool hasHint = found != hints.parameters.end() && found->second.count("default") != 0;
        const std::vector<float> hint = hasHint ? defaultNumbers(type, found->second.at("default"))
                                                : std::vector<float>(declared.size(), 0.0f);
        EXPECT_EQ(hint, declared) << name;
        const host::AttributeId shared = node->findAttribute(name);
        if (!hasHint || !shared.valid()) {
            continue;
        }
        ++hinted;
        const host::AttributeInfo& attribute = node->attribute(shared);
        const std::vector<float> nodeDefault =
            attribute.kind == host::AttributeKind::FloatTriple
                ? std::vector<float>(attribute.defaultFloat, attribute.defaultFloat + 3)
                : std::vector<float>{attribute.defaultFloat[0]};
        EXPECT_EQ(hint, nodeDefault) << name;
    }
    EXPECT_EQ(hinted, 4);  // color, diffuse, specularRollOff, specularColor
}

}  // namespace
}  // namespace vorlane::test
