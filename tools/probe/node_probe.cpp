#include "node_probe.h"

#include <vorlane_host/host_runtime.h>

#include <climits>
#include <cstring>
#include <thread>
#include <vector>

#include "float_format.h"

namespace vorlane::tools::probe {
namespace {

using host::AttributeId;
using host::AttributeInfo;
using host::AttributeKind;
using host::DataBlock;
using host::NodeType;

constexpr const char* kNodeType = "vorlane";

bool readEnum(const AttributeInfo& info, const Json& json, short& out, std::string& error) {
    if (json.is_string()) {
        for (const host::EnumField& field : info.enumFields) {
            if (field.name == json.get_ref<const std::string&>()) {
                out = field.value;
                return true;
            }
        }
        error = "no field named " + quotedPrefix(json.get_ref<const std::string&>()) + " (fields:";
        for (const host::EnumField& field : info.enumFields) {
            error += " " + jsonQuoted(field.name);
        }
        error += ")";
        return false;
    }
    std::int64_t value = 0;
    if (!readInteger(json, SHRT_MIN, SHRT_MAX, value, error)) {
        error = "expected a field name or an integer from " + std::to_string(SHRT_MIN) + " to " +
                std::to_string(SHRT_MAX) + ", got " + excerpt(json);
        return false;
    }
    out = static_cast<short>(value);
    return true;
}

// Sets one node attribute, or one member of light element `element`.
bool setValue(DataBlock& data, const NodeType& type, AttributeId id, const Json& json,
              std::string& error, AttributeId array = {}, unsigned element = 0) {
    const AttributeInfo& info = type.attribute(id);
    const bool member = array.valid();
    switch (info.kind) {
        case AttributeKind::Float: {
            float v = 0.0f;
            return readFloat(json, v, error) &&
                   (member ? data.setElementFloat(array, element, id, v, &error)
                           : data.setFloat(id, v, &error));
        }
        case AttributeKind::FloatTriple: {
            float v[3];
            return readFloats(json, v, 3, error) &&
                   (member ? data.setElementTriple(array, element, id, v[0], v[1], v[2], &error)
                           : data.setTriple(id, v[0], v[1], v[2], &error));
        }
        case AttributeKind::Boolean: {
            bool v = false;
            return readBool(json, v, error) &&
                   (member ? data.setElementBool(array, element, id, v, &error)
                           : data.setBool(id, v, &error));
        }
        case AttributeKind::Enum: {
            short v = 0;
            return !member && readEnum(info, json, v, error) && data.setShort(id, v, &error);
        }
        case AttributeKind::Pointer:
        case AttributeKind::LightData:
            break;
    }
    error = "cannot be set from a sample";
    return false;
}

bool isPartOf(const NodeType& type, AttributeId inner, AttributeId outer) {
    for (AttributeId p = type.parent(inner); p.valid(); p = type.parent(p)) {
        if (p == outer) {
            return true;
        }
    }
    return false;
}

// One key of a sample's object, the attribute it names and its value.
struct GivenValue {
    std::string name;
    AttributeId id;
    const Json* value;
};

// Refuses two keys that set the same value: one attribute by its long and its
// short name, or a compound together with one of its children. Applying both
// would leave a value that depends on the order of the keys.
bool checkDistinct(const NodeType& type, const std::vector<GivenValue>& given, std::string& error) {
    for (std::size_t i = 0; i < given.size(); ++i) {
        for (std::size_t j = i + 1; j < given.size(); ++j) {
            const GivenValue& a = given[i];
            const GivenValue& b = given[j];
            const std::string both = quotedPrefix(a.name) + " and " + quotedPrefix(b.name);
            if (a.id == b.id) {
                error = both + " name the same attribute, " + type.attribute(a.id).longName;
                return false;
            }
            const bool aInB = isPartOf(type, a.id, b.id);
            if (aInB || isPartOf(type, b.id, a.id)) {
                error = both + " overlap: " + type.attribute(aInB ? a.id : b.id).longName +
                        " is part of " + type.attribute(aInB ? b.id : a.id).longName;
                return false;
            }
        }
    }
    return true;
}

bool setLights(DataBlock& data, const NodeType& type, const Json& lights, std::string& error) {
    if (!lights.is_array()) {
        error = "lights: expected an array of light objects";
        return false;
    }
    const AttributeId array = type.findAttribute("lightDataArray");
    if (!data.setElementCount(array, static_cast<unsigned>(lights.size()), &error)) {
        error = "lights: " + error;
        return false;
    }
    for (std::size_t e = 0; e < lights.size(); ++e) {
        const std::string where = "lights[" + std::to_string(e) + "]";
        if (!lights[e].is_object()) {
            error = where + ": expected an object of light members";
            return false;
        }
        std::vector<GivenValue> given;
        for (const auto& [name, json] : lights[e].items()) {
            const AttributeId member = type.findAttribute(name);
            if (!member.valid() || type.parent(member) != array) {
                error = where + ": " + quotedPrefix(name) + " is not a member of lightDataArray";
                return false;
            }
            given.push_back({name, member, &json});
        }
        if (!checkDistinct(type, given, error)) {
            error = where + ": " + error;
            return false;
        }
        for (const GivenValue& g : given) {
            if (!setValue(data, type, g.id, *g.value, error, array, static_cast<unsigned>(e))) {
                error = where + "." + g.name + ": " + error;
                return false;
            }
        }
    }
    return true;
}

void appendValue(std::string& out, const host::Evaluation& evaluation, AttributeKind kind) {
    out += "[";
    const int count = kind == AttributeKind::FloatTriple ? 3 : 1;
    for (int i = 0; i < count; ++i) {
        out += i == 0 ? "" : ", ";
        appendJsonFloat(out, evaluation.value[i]);
    }
    out += "]";
}

// Why compute gave no value, in words.
std::string statusReason(int status, const std::string& plug) {
    if (status == host::kUnknownParameter) {
        return "the node does not compute " + plug +
               " (kUnknownParameter): it computes outColor, outTransparency and their children";
    }
    return "compute answered status " + std::to_string(status) + " for " + plug;
}

// Computes `plug` on two private copies of `node`'s data block at once, one on
// a thread of its own, as two render threads would; both must agree. False
// with `error` set when the host refuses the copies or the two differ.
bool computeInParallel(const host::Node& node, AttributeId plug, host::Evaluation& evaluation,
                       std::string& error) {
    std::unique_ptr<DataBlock> first = node.copyDataBlock(&error);
    std::unique_ptr<DataBlock> second = first ? node.copyDataBlock(&error) : nullptr;
    if (!second) {
        error = "no parallel evaluation: " + error;
        return false;
    }
    host::Evaluation other;
    std::thread thread([&] { other = second->compute(plug); });
    evaluation = first->compute(plug);
    thread.join();
    if (other.status != evaluation.status ||
        std::memcmp(other.value, evaluation.value, sizeof(other.value)) != 0) {
        error = "the two render threads computed different values";
        return false;
    }
    return true;
}

}  // namespace

NodeProbe::NodeProbe(const std::string& pluginPath, bool parallel)
    : host_(std::make_unique<host::Host>()), parallel_(parallel) {
    if (!host_->valid()) {
        error_ = "cannot start the host";
    } else if (!host_->loadPlugin(pluginPath, &error_)) {
        if (error_.empty()) {
            error_ = "cannot load the plug-in '" + pluginPath + "'";
        }
    } else if (host_->findNodeType(kNodeType) == nullptr) {
        error_ = "the plug-in '" + pluginPath + "' registers no node type \"vorlane\"";
    }
}

NodeProbe::~NodeProbe() = default;

bool NodeProbe::evaluate(const Json& sample, std::string& out, std::string& error,
                         bool& computed) const {
    for (const auto& [key, value] : sample.items()) {
        if (key != "node" && key != "lights" && key != "plug") {
            error = "sample: unknown member " + quotedPrefix(key);
            return false;
        }
    }
    const NodeType& type = *host_->findNodeType(kNodeType);
    std::string plugName = "outColor";
    if (sample.contains("plug")) {
        if (!sample["plug"].is_string()) {
            error = "plug: expected an attribute name";
            return false;
        }
        plugName = sample["plug"].get<std::string>();
    }
    const AttributeId plug = type.findAttribute(plugName);
    if (!plug.valid()) {
        error = "plug: the node has no attribute " + quotedPrefix(plugName);
        return false;
    }

    host::Node* node = host_->createNode(kNodeType, {}, &error);
    if (node == nullptr) {
        return false;
    }
    struct Destroy {
        host::Host& host;
        host::Node* node;
        ~Destroy() { host.destroyNode(node); }
    } destroy{*host_, node};
    DataBlock& data = node->data();

    if (sample.contains("node")) {
        const Json& attributes = sample["node"];
        if (!attributes.is_object()) {
            error = "node: expected an object of attributes";
            return false;
        }
        std::vector<GivenValue> given;
        for (const auto& [name, json] : attributes.items()) {
            const AttributeId id = type.findAttribute(name);
            if (!id.valid()) {
                error = "node: the node has no attribute " + quotedPrefix(name);
                return false;
            }
            given.push_back({name, id, &json});
        }
        if (!checkDistinct(type, given, error)) {
            error = "node: " + error;
            return false;
        }
        for (const GivenValue& g : given) {
            if (!setValue(data, type, g.id, *g.value, error)) {
                error = "node." + g.name + ": " + error;
                return false;
            }
        }
    }
    if (sample.contains("lights") && !setLights(data, type, sample["lights"], error)) {
        return false;
    }

    host::Evaluation evaluation;
    if (!parallel_) {
        evaluation = data.compute(plug);
    } else if (!computeInParallel(*node, plug, evaluation, error)) {
        return false;
    }
    computed = evaluation.status == host::kSuccess;
    out += "{\"status\": " + std::to_string(evaluation.status);
    if (computed) {
        out += ", \"value\": ";
        appendValue(out, evaluation, type.attribute(plug).kind);
    } else {
        out += ", \"error\": " +
               jsonQuoted(statusReason(evaluation.status, type.attribute(plug).longName));
    }
    out += "}";
    return true;
}

}  // namespace vorlane::tools::probe
