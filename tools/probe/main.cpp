// vorlane-probe: evaluates shading samples, one JSON line in, one JSON line out.
#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <vorlane/version.h>

#include "deliverable_paths.h"
#include "json_input.h"
#include "node_probe.h"
#include "shader_probe.h"
#include "standard_output.h"

namespace probe = vorlane::tools::probe;

namespace {

constexpr const char* kDescription =
    R"(vorlane-probe: evaluate single shading samples of both vorlane deliverables.

Reads JSON Lines from the files given (or standard input) and writes one JSON
line per input line, in order. Line numbers count across all inputs.

Host node sample (the plug-in, through the host):
  {"node": {ATTR: VALUE, ...}, "lights": [{MEMBER: VALUE, ...}, ...], "plug": PLUG}
  node    attributes by long or short name: float triples as [r, g, b], floats
          as numbers, specOutput as an integer (16-bit) or a field name such
          as "Red Clay"; attributes not given keep the node's defaults.
  lights  elements of lightDataArray; members (lightDirection, lightIntensity,
          lightAmbient, lightDiffuse, lightSpecular, lightShadowFraction,
          preShadowIntensity) not given take the element default.
  plug    the plug to compute, by long or short name (default outColor).
  answer  {"status": CODE, "value": [...]}: compute's status and the plug's
          value (three numbers for a triple, one for a single float).
  status  0 (kSuccess): the plug was computed.
          5 (kUnknownParameter): the node does not compute the plug (it
          computes outColor, outTransparency and their children); the
          answer is {"status": 5, "error": "..."} with the reason instead of
          a value, and the line counts as failed.

Renderer shader sample (the shader library, through the renderer):
  {"shader": {PARAM: VALUE, ...}, "connected": {PARAM: VALUE, ...},
   "state": {"normal": [x, y, z], "dir": [x, y, z]},
   "lights": [[{"color": [r, g, b], "dir": [x, y, z]}, ...], ...],
   "irradiance": [r, g, b], "result": [r, g, b, a]}
  shader      parameters by name (color, ambientColor, incandescence,
              normalCamera, diffuse, specularRollOff, specOutput,
              specularColor, indirect, indirectColor, i_lights, n_lights);
              not given: zero, except n_lights = the number of lights.
  connected   parameters marked connected, with the value mi_phen_eval yields.
  state       default normal [0, 0, 1], dir [0, 0, -1].
  lights      per light tag, the samples mi_sample_light delivers, in order.
  irradiance  what mi_compute_irradiance writes (absent: no environment).
  result      the colour handed to the shader (default zeros).
  answer      {"result": [r, g, b, a], "calls": {"mi_sample_light": N,
              "mi_compute_irradiance": N, "mi_phen_eval": N}}

Numbers are written in shortest round-trip single-precision form; NaN and the
infinities as the strings "NaN", "Infinity", "-Infinity" (also accepted on
input). A malformed line answers {"line": N, "error": "..."}.

Empty lines at the end of the input are not samples. A line is at most 64
arrays and objects deep and names each value once: a key given twice, or an
attribute together with its long or short name or with one of its children
("transparency" with "it" or "itr"), is an error.

Exit status: 0 when every line was answered with a value or a result, 1 when
any line failed (an "error" answer), 2 when an input could not be read or the
options are wrong.)";

enum class SampleKind { Node, Shader, Unknown };

SampleKind kindOf(const probe::Json& sample) {
    for (const char* key : {"shader", "connected", "state", "irradiance", "result"}) {
        if (sample.contains(key)) {
            return SampleKind::Shader;
        }
    }
    if (sample.contains("node") || sample.contains("plug")) {
        return SampleKind::Node;
    }
    if (sample.contains("lights") && sample["lights"].is_array() && !sample["lights"].empty()) {
        return sample["lights"][0].is_array() ? SampleKind::Shader : SampleKind::Node;
    }
    return SampleKind::Unknown;
}

class Prober {
  public:
    Prober(std::string pluginPath, std::string shaderPath, bool parallel)
        : pluginPath_(std::move(pluginPath)),
          shaderPath_(std::move(shaderPath)),
          parallel_(parallel) {}

    // Answers one line; returns false when the line failed: an error answer,
    // or a node sample whose compute gave no value.
    bool answer(const std::string& line, long number, std::string& out) {
        std::string error;
        std::string answer;
        bool computed = true;
        if (evaluate(line, answer, error, computed)) {
            out += answer;
            return computed;
        }
        out += "{\"line\": " + std::to_string(number) + ", \"error\": " + probe::jsonQuoted(error) +
               "}";
        return false;
    }

  private:
    bool evaluate(const std::string& line, std::string& answer, std::string& error,
                  bool& computed) {
        const std::optional<probe::Json> sample = probe::parseLine(line, error);
        if (!sample) {
            return false;
        }
        if (!sample->is_object()) {
            error = "expected a JSON object";
            return false;
        }
        switch (kindOf(*sample)) {
            case SampleKind::Node:
                if (!node_) {
                    node_ = std::make_unique<probe::NodeProbe>(pluginPath_, parallel_);
                }
                if (!node_->ok()) {
                    error = node_->error();
                    return false;
                }
                return node_->evaluate(*sample, answer, error, computed);
            case SampleKind::Shader:
                if (!shader_) {
                    shader_ = std::make_unique<probe::ShaderProbe>(shaderPath_);
                }
                if (!shader_->ok()) {
                    error = shader_->error();
                    return false;
                }
                return shader_->evaluate(*sample, answer, error);
            case SampleKind::Unknown:
                break;
        }
        error = "not a sample: give \"node\" (host node) or \"shader\" (renderer shader)";
        return false;
    }

    std::string pluginPath_;
    std::string shaderPath_;
    bool parallel_;
    std::unique_ptr<probe::NodeProbe> node_;
    std::unique_ptr<probe::ShaderProbe> shader_;
};

}  // namespace

int main(int argc, char** argv) {
    CLI::App app(kDescription, "vorlane-probe");
    // The same command line on every platform: on Windows CLI11 would take an
    // argument beginning with '/' (a path, under Wine) for an option.
    app.allow_windows_style_options(false);
    std::vector<std::string> files;
    std::string pluginPath = vorlane::tools::defaultPluginPath();
    std::string shaderPath = vorlane::tools::defaultShaderLibraryPath();
    app.set_version_flag("--version", std::string("vorlane-probe ") + VORLANE_VERSION);
    app.add_option("files", files, "JSON Lines files to read (default: standard input)");
    app.add_option(
        "--plugin", pluginPath,
        "the vorlane host plug-in to load (default: " + vorlane::tools::pluginDefaultText() + ")");
    app.add_option("--shader-library", shaderPath,
                   "the zq4v_vorlane shader library to load (default: " +
                       vorlane::tools::shaderLibraryDefaultText() + ")");
    bool parallel = false;
    app.add_flag("--parallel", parallel,
                 "compute each host node sample on two render threads at once, each on its own "
                 "copy of the node's data block: an error answer unless the host may evaluate "
                 "the node in parallel");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }

    // One answer line per input line, byte for byte the same on every platform.
    vorlane::tools::writeStandardOutputUnchanged();
    Prober prober(pluginPath, shaderPath, parallel);
    long number = 0;
    bool allAnswered = true;
    std::string out;
    const auto answer = [&](const std::string& line, long lineNumber) {
        out.clear();
        allAnswered = prober.answer(line, lineNumber, out) && allAnswered;
        out += '\n';
        std::cout << out << std::flush;
    };
    // An empty line is answered once a line with text follows it: the empty
    // lines at the end of the input are not samples.
    long emptyLinesWaiting = 0;
    const auto run = [&](std::istream& in) {
        std::string line;
        while (std::getline(in, line)) {
            ++number;
            if (line.empty() || line == "\r") {
                ++emptyLinesWaiting;
                continue;
            }
            for (; emptyLinesWaiting > 0; --emptyLinesWaiting) {
                answer("", number - emptyLinesWaiting);
            }
            answer(line, number);
        }
    };
    if (files.empty()) {
        run(std::cin);
    }
    for (const std::string& path : files) {
        std::ifstream in(path);
        if (!in) {
            std::cerr << "vorlane-probe: cannot read '" << path << "'\n";
            return 2;
        }
        run(in);
        if (in.bad()) {
            std::cerr << "vorlane-probe: error reading '" << path << "'\n";
            return 2;
        }
    }
    return allAnswered ? 0 : 1;
}
