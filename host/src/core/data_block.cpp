#include <maya/MDataBlock.h>
#include <maya/MPlug.h>

#include <cstring>

#include "records.h"

namespace vorlane::host::core {
namespace {

const char* kindName(AttributeKind kind) {
    switch (kind) {
        case AttributeKind::Float:
            return "a float";
        case AttributeKind::Boolean:
            return "a boolean";
        case AttributeKind::FloatTriple:
            return "a float triple";
        case AttributeKind::Pointer:
            return "a pointer";
        case AttributeKind::Enum:
            return "an enumeration";
        case AttributeKind::LightData:
            return "light data";
    }
    return "unknown";
}

bool fail(std::string* error, const std::string& text) {
    if (error != nullptr) {
        *error = text;
    }
    return false;
}

void storeFloats(unsigned char* root, const AttributeDef* def, const float* values) {
    if (def->info.kind == AttributeKind::FloatTriple) {
        for (std::size_t i = 0; i < def->children.size() && i < 3; ++i) {
            std::memcpy(root + def->children[i]->offset, &values[i], sizeof(float));
        }
    } else {
        std::memcpy(root + def->offset, &values[0], sizeof(float));
    }
}

Evaluation readFrom(const unsigned char* root, const AttributeDef* def) {
    Evaluation result;
    switch (def->info.kind) {
        case AttributeKind::Float:
            std::memcpy(&result.value[0], root + def->offset, sizeof(float));
            break;
        case AttributeKind::FloatTriple:
            for (std::size_t i = 0; i < def->children.size() && i < 3; ++i) {
                std::memcpy(&result.value[i], root + def->children[i]->offset, sizeof(float));
            }
            break;
        case AttributeKind::Boolean: {
            bool flag = false;
            std::memcpy(&flag, root + def->offset, sizeof(bool));
            result.value[0] = flag ? 1.0f : 0.0f;
            break;
        }
        case AttributeKind::Enum: {
            short number = 0;
            std::memcpy(&number, root + def->offset, sizeof(short));
            result.value[0] = static_cast<float>(number);
            break;
        }
        default:
            result.status = kInvalidParameter;
            break;
    }
    return result;
}

}  // namespace

BlockRecord::BlockRecord(NodeRecord& node, bool pullsConnections)
    : node_(node),
      type_(node.typeRecord()),
      pullsConnections_(pullsConnections),
      bytes_(type_.defaultBlock()),
      arrays_(type_.arrays().size()),
      dirty_(static_cast<std::size_t>(type_.attributeCount()), 0) {
    // Nothing has been computed yet: every output starts out of date.
    for (const auto& [input, output] : type_.affects()) {
        (void)input;
        for (int index : type_.def(output.index)->cleans) {
            dirty_[static_cast<std::size_t>(index)] = 1;
        }
    }
}

BlockRecord::BlockRecord(const BlockRecord& other, bool pullsConnections)
    : DataBlock(),
      node_(other.node_),
      type_(other.type_),
      pullsConnections_(pullsConnections),
      bytes_(other.bytes_),
      arrays_(other.arrays_),
      dirty_(other.dirty_) {}

AttributeDef* BlockRecord::settable(AttributeId id, AttributeKind kind, std::string* error) const {
    if (id.index < 0 || id.index >= type_.attributeCount()) {
        fail(error, "the node type \"" + type_.name() + "\" has no such attribute");
        return nullptr;
    }
    AttributeDef* def = type_.def(id.index);
    const std::string& name = def->info.longName;
    if (!def->info.writable) {
        fail(error, "attribute \"" + name + "\" is not writable");
        return nullptr;
    }
    if (def->insideArray || def->arraySlot >= 0) {
        fail(error, "attribute \"" + name + "\" is an array or lies inside one; set its elements");
        return nullptr;
    }
    if (def->info.kind != kind) {
        fail(error, "attribute \"" + name + "\" is " + kindName(def->info.kind) + ", not " +
                        kindName(kind));
        return nullptr;
    }
    for (const AttributeDef* at = def; at != nullptr; at = at->parentDef()) {
        if (type_.owns(at) && node_.isConnectedInput(at->index)) {
            fail(error, "attribute \"" + name + "\" is the destination of a connection");
            return nullptr;
        }
    }
    for (const AttributeDef* child : def->children) {
        if (node_.isConnectedInput(child->index)) {
            fail(error, "attribute \"" + name + "\" has a member that is connected");
            return nullptr;
        }
    }
    return def;
}

void BlockRecord::markDirty(const AttributeDef* def) {
    for (int index : def->dirties) {
        dirty_[static_cast<std::size_t>(index)] = 1;
    }
}

void BlockRecord::markClean(const AttributeDef* def) {
    for (int index : def->cleans) {
        dirty_[static_cast<std::size_t>(index)] = 0;
    }
}

bool BlockRecord::clean(const AttributeDef* def) const {
    return dirty_[static_cast<std::size_t>(def->index)] == 0;
}

bool BlockRecord::setFloat(AttributeId id, float value, std::string* error) {
    AttributeDef* def = settable(id, AttributeKind::Float, error);
    if (def == nullptr) {
        return false;
    }
    std::memcpy(bytes_.data() + def->offset, &value, sizeof(float));
    markDirty(def);
    return true;
}

bool BlockRecord::setTriple(AttributeId id, float a, float b, float c, std::string* error) {
    AttributeDef* def = settable(id, AttributeKind::FloatTriple, error);
    if (def == nullptr) {
        return false;
    }
    const float values[3] = {a, b, c};
    storeFloats(bytes_.data(), def, values);
    markDirty(def);
    return true;
}

bool BlockRecord::setShort(AttributeId id, short value, std::string* error) {
    AttributeDef* def = settable(id, AttributeKind::Enum, error);
    if (def == nullptr) {
        return false;
    }
    std::memcpy(bytes_.data() + def->offset, &value, sizeof(short));
    markDirty(def);
    return true;
}

bool BlockRecord::setBool(AttributeId id, bool value, std::string* error) {
    AttributeDef* def = settable(id, AttributeKind::Boolean, error);
    if (def == nullptr) {
        return false;
    }
    std::memcpy(bytes_.data() + def->offset, &value, sizeof(bool));
    markDirty(def);
    return true;
}

void BlockRecord::storeFromSource(AttributeDef* def, const float value[3]) {
    switch (def->info.kind) {
        case AttributeKind::Float:
        case AttributeKind::FloatTriple:
            storeFloats(bytes_.data(), def, value);
            break;
        case AttributeKind::Boolean: {
            const bool flag = value[0] != 0.0f;
            std::memcpy(bytes_.data() + def->offset, &flag, sizeof(bool));
            break;
        }
        case AttributeKind::Enum: {
            const short number = static_cast<short>(value[0]);
            std::memcpy(bytes_.data() + def->offset, &number, sizeof(short));
            break;
        }
        default:
            return;
    }
    markDirty(def);
}

bool BlockRecord::setElementCount(AttributeId array, unsigned int count, std::string* error) {
    if (array.index < 0 || array.index >= type_.attributeCount() ||
        type_.def(array.index)->arraySlot < 0) {
        return fail(error, "not an array attribute of \"" + type_.name() + "\"");
    }
    const AttributeDef* def = type_.def(array.index);
    ArrayStore& store = arrays_[static_cast<std::size_t>(def->arraySlot)];
    const std::vector<unsigned char>& element = type_.defaultElement(def->arraySlot);
    const std::size_t stride = def->elementStride;
    if (store.bytes.size() < count * stride) {
        store.bytes.resize(count * stride);
    }
    for (unsigned int i = store.count; i < count; ++i) {
        std::memcpy(store.bytes.data() + i * stride, element.data(), stride);
    }
    store.count = count;
    markDirty(def);
    return true;
}

unsigned int BlockRecord::elementCount(AttributeId array) const {
    if (array.index < 0 || array.index >= type_.attributeCount()) {
        return 0;
    }
    const AttributeDef* def = type_.def(array.index);
    return def->arraySlot >= 0 ? arrays_[static_cast<std::size_t>(def->arraySlot)].count : 0;
}

AttributeDef* BlockRecord::member(AttributeId array, unsigned int element, AttributeId memberId,
                                  AttributeKind kind, std::string* error, unsigned char** where) {
    if (array.index < 0 || array.index >= type_.attributeCount() ||
        type_.def(array.index)->arraySlot < 0) {
        fail(error, "not an array attribute of \"" + type_.name() + "\"");
        return nullptr;
    }
    const AttributeDef* arrayDef = type_.def(array.index);
    ArrayStore& store = arrays_[static_cast<std::size_t>(arrayDef->arraySlot)];
    if (element >= store.count) {
        fail(error, "element " + std::to_string(element) + " of \"" + arrayDef->info.longName +
                        "\" does not exist (" + std::to_string(store.count) + " elements)");
        return nullptr;
    }
    if (memberId.index < 0 || memberId.index >= type_.attributeCount()) {
        fail(error, "no such member");
        return nullptr;
    }
    AttributeDef* def = type_.def(memberId.index);
    bool inside = false;
    for (const AttributeDef* up = def->parentDef(); up != nullptr; up = up->parentDef()) {
        inside = inside || up == arrayDef;
    }
    if (!inside) {
        fail(error, "\"" + def->info.longName + "\" is not a member of \"" +
                        arrayDef->info.longName + "\"");
        return nullptr;
    }
    if (def->info.kind != kind) {
        fail(error, "member \"" + def->info.longName + "\" is " + kindName(def->info.kind) +
                        ", not " + kindName(kind));
        return nullptr;
    }
    *where = store.bytes.data() + element * arrayDef->elementStride;
    markDirty(arrayDef);
    return def;
}

bool BlockRecord::setElementFloat(AttributeId array, unsigned int element, AttributeId memberId,
                                  float value, std::string* error) {
    unsigned char* root = nullptr;
    AttributeDef* def = member(array, element, memberId, AttributeKind::Float, error, &root);
    if (def == nullptr) {
        return false;
    }
    std::memcpy(root + def->offset, &value, sizeof(float));
    markDirty(def);
    return true;
}

bool BlockRecord::setElementTriple(AttributeId array, unsigned int element, AttributeId memberId,
                                   float a, float b, float c, std::string* error) {
    unsigned char* root = nullptr;
    AttributeDef* def = member(array, element, memberId, AttributeKind::FloatTriple, error, &root);
    if (def == nullptr) {
        return false;
    }
    const float values[3] = {a, b, c};
    storeFloats(root, def, values);
    markDirty(def);
    return true;
}

bool BlockRecord::setElementBool(AttributeId array, unsigned int element, AttributeId memberId,
                                 bool value, std::string* error) {
    unsigned char* root = nullptr;
    AttributeDef* def = member(array, element, memberId, AttributeKind::Boolean, error, &root);
    if (def == nullptr) {
        return false;
    }
    std::memcpy(root + def->offset, &value, sizeof(bool));
    markDirty(def);
    return true;
}

bool BlockRecord::elementValue(AttributeId array, unsigned int element, AttributeId memberId,
                               float out[3]) const {
    if (array.index < 0 || array.index >= type_.attributeCount() || memberId.index < 0 ||
        memberId.index >= type_.attributeCount()) {
        return false;
    }
    const AttributeDef* arrayDef = type_.def(array.index);
    const AttributeDef* def = type_.def(memberId.index);
    if (arrayDef->arraySlot < 0 || !def->insideArray) {
        return false;
    }
    const ArrayStore& store = arrays_[static_cast<std::size_t>(arrayDef->arraySlot)];
    if (element >= store.count) {
        return false;
    }
    const Evaluation e = readFrom(store.bytes.data() + element * arrayDef->elementStride, def);
    std::memcpy(out, e.value, sizeof(e.value));
    return e.status == kSuccess;
}

Evaluation BlockRecord::read(const AttributeDef* def) const {
    if (def->insideArray || def->arraySlot >= 0) {
        Evaluation refused;
        refused.status = kInvalidParameter;
        return refused;
    }
    return readFrom(bytes_.data(), def);
}

Evaluation BlockRecord::value(AttributeId id) const {
    if (id.index < 0 || id.index >= type_.attributeCount()) {
        Evaluation refused;
        refused.status = kInvalidParameter;
        return refused;
    }
    return read(type_.def(id.index));
}

bool BlockRecord::isDirty(AttributeId id) const {
    return id.index >= 0 && id.index < type_.attributeCount() &&
           dirty_[static_cast<std::size_t>(id.index)] != 0;
}

Evaluation BlockRecord::runCompute(AttributeDef* def) {
    const MPlug plug{MObject(&node_), objectOf(def)};
    MDataBlock block(this, &type_, bytes_.data());
    const MStatus status = node_.instance()->compute(plug, block);
    Evaluation result = read(def);
    result.status = status.statusCode();
    result.computed = true;
    return result;
}

void BlockRecord::pullConnections() {
    if (!pullsConnections_) {
        return;
    }
    for (const Connection& link : node_.incoming()) {
        const Evaluation upstream = link.source->block().evaluate(AttributeId{link.sourceIndex});
        storeFromSource(type_.def(link.destinationIndex), upstream.value);
    }
}

Evaluation BlockRecord::evaluate(AttributeId plug) {
    if (plug.index < 0 || plug.index >= type_.attributeCount()) {
        Evaluation refused;
        refused.status = kInvalidParameter;
        return refused;
    }
    pullConnections();
    AttributeDef* def = type_.def(plug.index);
    if (dirty_[static_cast<std::size_t>(plug.index)] != 0) {
        return runCompute(def);
    }
    return read(def);
}

Evaluation BlockRecord::compute(AttributeId plug) {
    if (plug.index < 0 || plug.index >= type_.attributeCount()) {
        Evaluation refused;
        refused.status = kInvalidParameter;
        return refused;
    }
    pullConnections();
    return runCompute(type_.def(plug.index));
}

}  // namespace vorlane::host::core
