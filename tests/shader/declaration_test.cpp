// The renderer declaration of the shader must match the parameter block.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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

}  // namespace
}  // namespace vorlane::test
