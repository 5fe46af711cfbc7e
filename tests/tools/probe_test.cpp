// vorlane-probe end to end: samples of both deliverables checked against
// values computed here from the shading formulas, and the line protocol.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <fstream>
#include <utility>

#include <vorlane/version.h>

#include "published_model.h"
#include "reference_model.h"
#include "run_command.h"

using nlohmann::json;
using vorlane::test::kPublishedPresets;
using vorlane::test::lines;
using vorlane::test::referenceAccumulate;
using vorlane::test::referenceColorMatrix;
using vorlane::test::referenceFrame;
using vorlane::test::Rules;
using vorlane::test::runCommand;
using vorlane::test::Triple;

namespace {

std::vector<json> probe(const std::string& input, int expectedExit = 0) {
    const auto result = runCommand({VORLANE_PROBE}, input);
    EXPECT_EQ(result.exitCode, expectedExit) << result.err;
    std::vector<json> answers;
    for (const std::string& line : lines(result.out)) {
        answers.push_back(json::parse(line));
    }
    return answers;
}

// A float read from the probe's output, which must be its exact value.
float asFloat(const json& v) {
    if (v.is_string()) {
        const std::string s = v.get<std::string>();
        return s == "NaN" ? NAN : (s == "Infinity" ? INFINITY : -INFINITY);
    }
    const std::string text = v.dump();
    float f = 0.0f;
    std::from_chars(text.data(), text.data() + text.size(), f);
    return f;
}

}  // namespace

TEST(Probe, NodeWithoutLightsIsTransparencyWeightedAmbientAndIncandescence) {
    const auto answers = probe(
        R"({"node": {"color": [0.5, 0.25, 2], "ambC": [0.1, 0.2, 0.3], "incandescence": [0.01, 0.02, 0.03], "it": [0.5, 0, 0.25]}})"
        "\n");
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0]["status"], 0);
    const float c[3] = {0.5f, 0.25f, 2.0f};
    const float ca[3] = {0.1f, 0.2f, 0.3f};
    const float ci[3] = {0.01f, 0.02f, 0.03f};
    const float tr[3] = {0.5f, 0.0f, 0.25f};
    for (int i = 0; i < 3; ++i) {
        const float a = (1.0f - tr[i]) * ((c[i] * ca[i] + ci[i]) + 0.0f);
        EXPECT_EQ(asFloat(answers[0]["value"][i]), a) << i;
    }
}

TEST(Probe, NodeHeadOnSpecularLightThroughTheColourMatrix) {
    // Eye straight above, light along the normal: each lobe's base is its Cz.
    // Indian Male (6): lobes 1 and 2 pass the threshold, lobe 3 is empty.
    const auto answers = probe(
        R"({"node": {"specOutput": "Indian Male", "pointCamera": [0, 0, -2], "normalCamera": [0, 0, 1]},)"
        R"( "lights": [{"lightDirection": [0, 0, 1], "lightIntensity": [1, 0.5, 2], "lightAmbient": false, "lightDiffuse": false, "lightSpecular": true}]})"
        "\n");
    ASSERT_EQ(answers.size(), 1u);
    Triple s{};
    referenceAccumulate(Rules::host, kPublishedPresets[6], referenceFrame(Rules::host, {0, 0, 1}),
                        {0, 0, -1}, {0, 0, 1}, {1.0f, 0.5f, 2.0f}, 1.0f, s);
    // Default specularColor and roll-off.
    const Triple p = referenceColorMatrix(
        {(0.5f * s[0]) * 5.0f + 0.0f, (0.5f * s[1]) * 5.0f + 0.0f, (0.5f * s[2]) * 5.0f + 0.0f});
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(asFloat(answers[0]["value"][r]), 0.0f + p[r]) << r;
    }
}

TEST(Probe, NodePlugs) {
    const auto answers = probe(R"({"node": {"it": [0.25, 0.5, 1]}, "plug": "outTransparencyR"})"
                               "\n"
                               R"({"node": {"ic": [1, 2, 3]}, "plug": "ocg"})"
                               "\n"
                               R"({"node": {}, "plug": "cr"})"
                               "\n",
                               1);
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[0], json::parse(R"({"status": 0, "value": [0.25]})"));
    EXPECT_EQ(answers[1], json::parse(R"({"status": 0, "value": [2]})"));
    EXPECT_EQ(answers[2],
              json::parse(R"({"status": 5, "error": "the node does not compute colorR )"
                          R"((kUnknownParameter): it computes outColor, outTransparency and )"
                          R"(their children"})"));
}

TEST(Probe, ShaderSampleWithDiffuseSpecularAmbientAndIndirect) {
    const auto answers = probe(
        R"({"shader": {"color": [0.5, 1, 0.25], "ambientColor": [0.1, 0.1, 0.1], "incandescence": [0, 0.5, 0], "diffuse": 0.8,)"
        R"( "specularRollOff": 2, "specularColor": [1, 0, 0.5], "specOutput": 0, "indirect": true, "indirectColor": [1, 1, 1]},)"
        R"( "state": {"normal": [0, 0, 1], "dir": [0, 0, -1]}, "lights": [[{"color": [1, 1, 1], "dir": [0, 0, 1]}, {"color": [0.5, 0.5, 0.5], "dir": [0, 0, -1]}]],)"
        R"( "irradiance": [2, 2, 2], "result": [1, 0, 0, 0]})"
        "\n");
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(
        answers[0]["calls"],
        json::parse(R"({"mi_sample_light": 3, "mi_compute_irradiance": 1, "mi_phen_eval": 0})"));
    const float color[3] = {0.5f, 1.0f, 0.25f};
    const float tint[3] = {1.0f, 0.0f, 0.5f};
    // Blue Paint head on; the second sample faces away.
    Triple s{};
    referenceAccumulate(Rules::renderer, kPublishedPresets[0],
                        referenceFrame(Rules::renderer, {0, 0, 1}), {0, 0, -1}, {0, 0, 1},
                        {1, 1, 1}, 1.0f, s);
    float diffuse[3];
    for (int ch = 0; ch < 3; ++ch) {
        s[ch] = s[ch] + (s[ch] * tint[ch]) * 2.0f;
        diffuse[ch] = 0.0f + (1.0f * (1.0f * 0.8f)) * color[ch];
    }
    const Triple t = referenceColorMatrix(s);
    const float start[3] = {1.0f, 0.0f, 0.0f};
    const float incandescence[3] = {0.0f, 0.5f, 0.0f};
    for (int ch = 0; ch < 3; ++ch) {
        float r = start[ch] + diffuse[ch] / 2.0f;
        r = r + (s[ch] + t[ch]) / 2.0f;
        r = r + color[ch] * 0.1f;
        r = r + incandescence[ch];
        r = r + ((2.0f * color[ch]) * 1.0f) / 3.1415927f;
        EXPECT_EQ(asFloat(answers[0]["result"][ch]), r) << ch;
    }
    EXPECT_EQ(asFloat(answers[0]["result"][3]), 1.0f);
}

TEST(Probe, ShaderConnectedParametersAndLightRange) {
    const auto answers = probe(
        R"({"shader": {"color": [1, 1, 1], "diffuse": 1, "n_lights": 1, "i_lights": 1},)"
        R"( "connected": {"diffuse": 0.25}, "lights": [[{"color": [9, 9, 9], "dir": [0, 0, 1]}], [{"color": [1, 2, 4], "dir": [0, 0, 1]}]]})"
        "\n"
        R"({"shader": {"n_lights": 3}, "lights": [[]]})"
        "\n",
        1);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0]["calls"]["mi_phen_eval"], 1);
    EXPECT_EQ(answers[0]["calls"]["mi_sample_light"], 2);  // only the second light
    // Preset 0 adds specular too, but only along the normal; the diffuse part
    // is 0.25 times the light colour, which dominates here.
    EXPECT_GT(asFloat(answers[0]["result"][2]), 1.0f);
    EXPECT_EQ(answers[1]["line"], 2);
    EXPECT_NE(answers[1]["error"].get<std::string>().find("n_lights 3"), std::string::npos);
}

TEST(Probe, MalformedLinesAreReportedAndTheRestAnswered) {
    const auto answers = probe(
        "{\"node\": {\"color\": [1, 2]}}\n"
        "not json\n"
        "{\"node\": {\"noSuchAttribute\": 1}}\n"
        "{\"node\": {\"specOutput\": 40000}}\n"
        "{\"node\": {\"specOutput\": \"Green Felt\"}}\n"
        "{\"node\": {\"outColor\": [1, 1, 1]}}\n"
        "{\"shader\": {\"specOutput\": 2147483648}}\n"
        "{\"shader\": {\"diffuse\": 1e300}}\n"
        "[]\n"
        "{}\n"
        "{\"node\": {}}\n",
        1);
    ASSERT_EQ(answers.size(), 11u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(answers[static_cast<std::size_t>(i)]["line"], i + 1)
            << answers[static_cast<std::size_t>(i)];
        EXPECT_TRUE(answers[static_cast<std::size_t>(i)]["error"].is_string());
    }
    EXPECT_EQ(answers[10]["status"], 0);
    EXPECT_NE(answers[5]["error"].get<std::string>().find("writable"), std::string::npos)
        << answers[5];
}

TEST(Probe, NonFiniteValuesAndShortestNumbers) {
    const auto answers = probe(
        R"({"shader": {"incandescence": ["NaN", "Infinity", 0.1]}, "result": [0, 0, "-Infinity", 0]})"
        "\n"
        R"({"node": {"ic": [0.1, 3.4028235e38, 1e-45]}})"
        "\n");
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0]["result"], json::parse(R"(["NaN", "Infinity", "-Infinity", 1])"));
    EXPECT_EQ(answers[1]["value"], json::parse(R"([0.1, 3.4028235e+38, 1e-45])"));
}

TEST(Probe, FilesHelpAndUnreadableInput) {
    const std::string path = ::testing::TempDir() + "probe_input.jsonl";
    std::ofstream(path) << "{\"node\": {}}\n{\"node\": {}, \"plug\": \"ot\"}\n";
    const auto fromFile = runCommand({VORLANE_PROBE, path, path});
    EXPECT_EQ(fromFile.exitCode, 0);
    EXPECT_EQ(lines(fromFile.out).size(), 4u);

    const auto missing = runCommand({VORLANE_PROBE, "/nonexistent/input.jsonl"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);

    const auto help = runCommand({VORLANE_PROBE, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("JSON Lines"), std::string::npos);

    const auto badPlugin = runCommand({VORLANE_PROBE, "--plugin", "/nonexistent.so"},
                                      "{\"node\": {}}\n{\"shader\": {}}\n");
    EXPECT_EQ(badPlugin.exitCode, 1);
    const auto answers = lines(badPlugin.out);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(json::parse(answers[0])["line"], 1);
    EXPECT_EQ(json::parse(answers[1])["result"].size(), 4u);
}

// Input the probe must refuse line by line, never by crashing.
TEST(ProbeInput, DeeplyNestedLinesAreRefusedAndTheRestAnswered) {
    const int depth = 70000;  // deep enough to overflow the stack of a recursive walk
    const std::string input = "{\"node\": {\"color\": " + std::string(depth, '[') +
                              std::string(depth, ']') + "}}\n" + std::string(depth, '[') +
                              std::string(depth, ']') + "\n" + "{\"node\": {}}\n";
    const auto answers = probe(input, 1);
    ASSERT_EQ(answers.size(), 3u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(answers[i]["line"], i + 1);
        EXPECT_NE(answers[i]["error"].get<std::string>().find("deeper than 64 levels"),
                  std::string::npos)
            << answers[i];
    }
    EXPECT_EQ(answers[2]["status"], 0);
}

TEST(ProbeInput, ErrorsQuoteOnlyAShortPrefixOfLongValues) {
    const std::string longText(1 << 20, 'x');
    const std::string input = "{\"node\": {}, \"plug\": \"" + longText + "\"}\n" +  //
                              "{\"node\": {\"" + longText + "\": 1}}\n" +           //
                              "{\"node\": {\"specOutput\": \"" + longText + "\"}}\n" +
                              "{\"node\": {\"color\": \"" + longText + "\"}}\n" +  //
                              "{\"shader\": {\"diffuse\": \"" + longText + "\n" +
                              "{\"shader\": {\"diffuse\": 1" + std::string(1 << 20, '0') + "}}\n";
    const auto result = runCommand({VORLANE_PROBE}, input);
    EXPECT_EQ(result.exitCode, 1);
    const auto answers = lines(result.out);
    ASSERT_EQ(answers.size(), 6u);
    for (const std::string& answer : answers) {
        ASSERT_LT(answer.size(), 300u) << answer.substr(0, 300);
        const std::string error = json::parse(answer)["error"];
        EXPECT_NE(error.find("...", 0), std::string::npos) << error;
    }
}

TEST(ProbeInput, KeysThatSetOneValueTwiceAreRefusedNamingBoth) {
    const auto answers = probe(R"({"node": {"color": [1, 1, 1], "color": [0, 0, 0]}})"
                               "\n"
                               R"({"node": {"transparency": [0, 0, 0], "it": [1, 1, 1]}})"
                               "\n"
                               R"({"node": {"itr": 1, "transparency": [0, 0, 0]}})"
                               "\n"
                               R"({"lights": [{"lightDirection": [0, 0, 1], "ld": [0, 1, 0]}]})"
                               "\n",
                               1);
    const std::vector<std::string> expected = {
        R"(the key "color" is given twice in one object)",
        R"(node: "it" and "transparency" name the same attribute, transparency)",
        R"(node: "itr" and "transparency" overlap: transparencyR is part of transparency)",
        R"(lights[0]: "ld" and "lightDirection" name the same attribute, lightDirection)",
    };
    ASSERT_EQ(answers.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(answers[i]["error"], expected[i]);
    }
}

TEST(ProbeInput, NumbersConvertAsFloatConversionsDo) {
    const auto result = runCommand(
        {VORLANE_PROBE}, R"({"node": {"it": [-0, 1e-46, -1e-400]}, "plug": "outTransparency"})"
                         "\n"
                         R"({"node": {"specOutput": -0}})"
                         "\n"
                         R"({"node": {"it": [3.4028236e38, 0, 0]}})"
                         "\n"
                         R"({"node": {"specOutput": 40000}})"
                         "\n");
    EXPECT_EQ(result.exitCode, 1);
    const auto answers = lines(result.out);
    ASSERT_EQ(answers.size(), 4u);
    EXPECT_EQ(answers[0], R"({"status": 0, "value": [-0, 0, -0]})");
    EXPECT_EQ(json::parse(answers[1])["status"], 0);
    EXPECT_EQ(json::parse(answers[2])["error"],
              R"(the number "3.4028236e38" is beyond the largest float)");
    EXPECT_EQ(json::parse(answers[3])["error"],
              "node.specOutput: expected a field name or an integer from -32768 to 32767, "
              "got 40000");
}

TEST(ProbeInput, EmptyLinesAtTheEndAreNoSamplesAndNulBytesNoEnd) {
    const auto trailing = runCommand({VORLANE_PROBE}, "{\"node\": {}}\n\n\r\n");
    EXPECT_EQ(trailing.exitCode, 0);
    EXPECT_EQ(lines(trailing.out).size(), 1u);

    const auto answers = probe(std::string("\n{\"node\": {}}\0{\"bad\n{\"node\": {}}\n", 32), 1);
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[0]["line"], 1);
    EXPECT_EQ(answers[1]["error"], "a NUL byte at byte 12");
    EXPECT_EQ(answers[2]["status"], 0);
}

TEST(ToolCommandLine, BothToolsAnswerTheirVersionAndExitTwoOnWrongOptions) {
    for (const auto& [tool, name] :
         {std::pair{VORLANE_PROBE, "vorlane-probe"}, std::pair{VORLANE_RENDER, "vorlane-render"}}) {
        const auto version = runCommand({tool, "--version"});
        EXPECT_EQ(version.exitCode, 0);
        EXPECT_EQ(version.out, std::string(name) + " " + VORLANE_VERSION + "\n");
        EXPECT_EQ(runCommand({tool, "--no-such-option"}).exitCode, 2) << name;
    }
    EXPECT_EQ(runCommand({VORLANE_RENDER, "--spp", "0"}).exitCode, 2);
    EXPECT_EQ(runCommand({VORLANE_RENDER, "--deliverable", "neither"}).exitCode, 2);
    EXPECT_EQ(runCommand({VORLANE_RENDER, "--preset", "Green Felt"}).exitCode, 2);
}
