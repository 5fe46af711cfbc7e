// The renderer declaration of the shader must match the parameter block.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <vorlane_renderer/vorlane_parameters.h>

namespace vorlane::test {
namespace {

std::string readDeclaration() {
    std::ifstream in(DECLARATION_PATH);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Declaration, DeclaresTheBlockParametersInOrderWithAColourResultAndVersion1) {
    const std::string text = readDeclaration();
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(
        std::regex_search(text, std::regex(R"(declare\s+shader\s+color\s+"zq4v_vorlane"\s*\()")));
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(\)\s*version\s+1\s)")));
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(end\s+declare)")));

    std::vector<std::pair<std::string, std::string>> parameters;
    const std::regex parameter(R"re(^\s*((?:array\s+)?[a-z]+)\s+"([A-Za-z_]+)")re");
        std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_search(line, m, parameter) && m[2] != "zq4v_vorlane") {
            parameters.emplace_back(std::regex_replace(m[1].str(), std::regex(R"(\s+)"), " "),
                                    m[2]);
        }
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"color", "color"},         {"color", "ambientColor"},  {"color", "incandescence"},
        {"vector", "normalCamera"}, {"scalar", "diffuse"},      {"scalar", "specularRollOff"},
        {"integer", "specOutput"},  {"color", "specularColor"}, {"boolean", "indirect"},
        {"color", "indirectColor"}, {"array light", "lights"},
    };
    EXPECT_EQ(parameters, expected);
}

TEST(Declaration, DefaultsAreThoseOfTheBlockBuilder) {
    const std::string text = readDeclaration();
    const renderer::VorlaneParameters d = renderer::vorlaneDefaults();
    const auto defaultOf = [&text](const std::string& name) {
        std::smatch m;
        const std::regex pattern("\"" + name + R"("\s+default\s+([^,\n]+))");
        return std::regex_search(text, m, pattern) ? m[1].str() : std::string();
    };
    const auto color = [](const miColor& c) {
        std::ostringstream out;
        out << c.r << ' ' << c.g << ' ' << c.b << ' ' << c.a;
        return out.str();
    };
    EXPECT_EQ(defaultOf("color"), color(d.color));
    EXPECT_EQ(defaultOf("ambientColor"), color(d.ambientColor));
    EXPECT_EQ(defaultOf("incandescence"), color(d.incandescence));
    EXPECT_EQ(defaultOf("specularColor"), color(d.specularColor));
    EXPECT_EQ(defaultOf("indirectColor"), color(d.indirectColor));
    EXPECT_EQ(std::stof(defaultOf("diffuse")), d.diffuse);
    EXPECT_EQ(std::stof(defaultOf("specularRollOff")), d.specularRollOff);
    EXPECT_EQ(std::stoi(defaultOf("specOutput")), d.specOutput);
    EXPECT_EQ(defaultOf("indirect"), d.indirect ? "on" : "off");
}

}  // namespace
}  // namespace vorlane::test
