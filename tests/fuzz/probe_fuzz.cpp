// Fuzz target: vorlane-probe's evaluation, fed arbitrary text line by line.
// Every line goes to both the host node probe and the renderer shader probe;
// each must answer or refuse the line with an error text, never crash, and
// never answer without saying so.
#include <node_probe.h>
#include <shader_probe.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

namespace probe = vorlane::tools::probe;

struct Probes {
    probe::NodeProbe node{VORLANE_PLUGIN_PATH};
    probe::ShaderProbe shader{ZQ4V_LIBRARY_PATH};
};

Probes& probes() {
    static Probes instance;
    if (!instance.node.ok() || !instance.shader.ok()) {
        std::fprintf(stderr, "cannot load: %s %s\n", instance.node.error().c_str(),
                     instance.shader.error().c_str());
        std::abort();
    }
    return instance;
}

void answer(const probe::Json& sample,
            bool (*evaluate)(const probe::Json&, std::string&, std::string&)) {
    std::string out;
    std::string error;
    const bool answered = evaluate(sample, out, error);
    if (answered == out.empty() || answered != error.empty()) {
        std::fprintf(stderr, "answered %d with output '%s' and error '%s'\n", answered, out.c_str(),
                     error.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Probes& p = probes();
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string error;
        const auto sample = probe::parseLine(text.substr(start, end - start), error);
        if (sample && sample->is_object()) {
            answer(*sample, [](const probe::Json& s, std::string& o, std::string& e) {
                bool computed = false;
                return probes().node.evaluate(s, o, e, computed);
            });
            answer(*sample, [](const probe::Json& s, std::string& o, std::string& e) {
                return probes().shader.evaluate(s, o, e);
            });
        } else if (!sample && error.empty()) {
            std::fprintf(stderr, "a line refused without a reason\n");
            std::abort();
        }
        start = end + 1;
    }
    (void)p;
    return 0;
}
