// Fuzz target: the vorlane node, driven through the stand-in host with
// arbitrary attribute values (NaN, infinities, zero vectors, every 16-bit
// specOutput), light arrays from empty to large, arbitrary plugs (valid or
// not), and private data blocks. compute must not crash, must read only its
// data, and must answer kSuccess for the eight outputs and
// kUnknownParameter for every other plug it is asked for.
#include <vorlane_host/host_runtime.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_input.h"

namespace {

using vorlane::fuzz::FuzzInput;
using vorlane::host::AttributeId;
using vorlane::host::AttributeKind;

struct Loaded {
    Loaded() {
        host.setErrorStream(&errors);
        std::string error;
        if (!host.loadPlugin(VORLANE_PLUGIN_PATH, &error)) {
            std::fprintf(stderr, "cannot load the plug-in: %s\n", error.c_str());
            std::abort();
        }
        type = host.findNodeType("vorlane");
        lights = type->findAttribute("lightDataArray");
        for (const char* name :
             {"outColor", "outColorR", "outColorG", "outColorB", "outTransparency",
              "outTransparencyR", "outTransparencyG", "outTransparencyB"}) {
            outputs.push_back(type->findAttribute(name));
        }
        for (int i = 0; i < type->attributeCount(); ++i) {
            const AttributeId id{i};
            if (type->parent(id) == lights) {
                members.push_back(id);
            }
        }
    }

    bool isOutput(AttributeId id) const {
        for (AttributeId output : outputs) {
            if (output == id) {
                return true;
            }
        }
        return false;
    }

    std::ostringstream errors;
    vorlane::host::Host host;
    const vorlane::host::NodeType* type = nullptr;
    AttributeId lights;
    std::vector<AttributeId> outputs;
    std::vector<AttributeId> members;
};

Loaded& loaded() {
    static Loaded instance;
    return instance;
}

// An attribute of the node, or now and then an identifier it does not have.
AttributeId anyAttribute(FuzzInput& in, const vorlane::host::NodeType& type) {
    return AttributeId{static_cast<int>(in.range(-2, type.attributeCount() + 1))};
}

void setAttribute(FuzzInput& in, vorlane::host::DataBlock& data, AttributeId id,
                  const vorlane::host::NodeType& type) {
    const AttributeKind kind = id.index >= 0 && id.index < type.attributeCount()
                                   ? type.attribute(id).kind
                                   : static_cast<AttributeKind>(in.range(0, 5));
    switch (kind) {
        case AttributeKind::Float:
            data.setFloat(id, in.anyFloat());
            break;
        case AttributeKind::FloatTriple:
            data.setTriple(id, in.anyFloat(), in.anyFloat(), in.anyFloat());
            break;
        case AttributeKind::Enum:
            data.setShort(id, in.take<short>());
            break;
        case AttributeKind::Boolean:
            data.setBool(id, in.flag());
            break;
        default:
            data.setFloat(id, in.anyFloat());  // refused: the wrong kind
            break;
    }
}

void setLights(FuzzInput& in, vorlane::host::DataBlock& data, const Loaded& l) {
    // Mostly small arrays; sometimes a large one.
    const unsigned int count =
        static_cast<unsigned int>(in.flag() ? in.range(0, 4) : in.range(0, 600));
    data.setElementCount(l.lights, count);
    for (int writes = static_cast<int>(in.range(0, 24)); writes > 0 && in.remaining() > 0;
         --writes) {
        const unsigned int element = static_cast<unsigned int>(in.range(0, count));
        const AttributeId member = l.members[static_cast<std::size_t>(
            in.range(0, static_cast<std::int64_t>(l.members.size()) - 1))];
        switch (l.type->attribute(member).kind) {
            case AttributeKind::FloatTriple:
                data.setElementTriple(l.lights, element, member, in.anyFloat(), in.anyFloat(),
                                      in.anyFloat());
                break;
            case AttributeKind::Boolean:
                data.setElementBool(l.lights, element, member, in.flag());
                break;
            default:
                data.setElementFloat(l.lights, element, member, in.anyFloat());
                break;
        }
    }
    // Every element with its flags set the same way, so that large arrays shade.
    if (count > 0 && in.flag()) {
        const bool ambient = in.flag(), diffuse = in.flag(), specular = in.flag();
        const float d[3] = {in.anyFloat(), in.anyFloat(), in.anyFloat()};
        for (AttributeId member : l.members) {
            const std::string& name = l.type->attribute(member).longName;
            for (unsigned int e = 0; e < count; ++e) {
                if (name == "lightAmbient") {
                    data.setElementBool(l.lights, e, member, ambient);
                } else if (name == "lightDiffuse") {
                    data.setElementBool(l.lights, e, member, diffuse);
                } else if (name == "lightSpecular") {
                    data.setElementBool(l.lights, e, member, specular);
                } else if (name == "lightDirection") {
                    data.setElementTriple(l.lights, e, member, d[0], d[1], d[2]);
                }
            }
        }
    }
}

void checkAnswer(const Loaded& l, AttributeId plug, const vorlane::host::Evaluation& answer,
                 bool forced) {
    if (!answer.computed) {
        return;  // the host answered without compute (clean value, refused plug)
    }
    const bool output = l.isOutput(plug);
    const int expected = output ? vorlane::host::kSuccess : vorlane::host::kUnknownParameter;
    if (answer.status != expected) {
        std::fprintf(stderr, "compute of attribute %d (%s) answered %d, expected %d\n", plug.index,
                     forced ? "forced" : "evaluated", answer.status, expected);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    Loaded& l = loaded();
    vorlane::host::Node* node = l.host.createNode("vorlane");
    if (node == nullptr) {
        std::abort();
    }
    std::unique_ptr<vorlane::host::DataBlock> copy;
    vorlane::host::DataBlock* block = &node->data();

    while (in.remaining() > 0) {
        switch (in.range(0, 5)) {
            case 0:
            case 1:
                setAttribute(in, *block, anyAttribute(in, *l.type), *l.type);
                break;
            case 2:
                setLights(in, *block, l);
                break;
            case 3: {
                const AttributeId plug = anyAttribute(in, *l.type);
                checkAnswer(l, plug, block->evaluate(plug), false);
                break;
            }
            case 4: {
                const AttributeId plug = anyAttribute(in, *l.type);
                checkAnswer(l, plug, block->compute(plug), true);
                break;
            }
            default:
                // Go on in a private data block, as a render thread would.
                copy = node->copyDataBlock();
                block = copy ? copy.get() : &node->data();
                break;
        }
    }
    copy.reset();
    l.host.destroyNode(node);
    l.errors.str({});
    return 0;
}
