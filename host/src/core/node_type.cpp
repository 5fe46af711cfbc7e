#include <algorithm>
#include <cstring>

#include "records.h"

namespace vorlane::host::core {
namespace {

unsigned int alignUp(unsigned int value, unsigned int alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

unsigned int leafSize(AttributeKind kind) {
    switch (kind) {
        case AttributeKind::Float:
            return sizeof(float);
        case AttributeKind::Boolean:
            return sizeof(bool);
        case AttributeKind::Enum:
            return sizeof(short);
        case AttributeKind::Pointer:
            return sizeof(void*);
        default:
            return 0;
    }
}

void addUnique(std::vector<int>& list, int index) {
    if (std::find(list.begin(), list.end(), index) == list.end()) {
        list.push_back(index);
    }
}

void addSubtree(const AttributeDef* def, std::vector<int>& list) {
    addUnique(list, def->index);
    for (const AttributeDef* child : def->children) {
        addSubtree(child, list);
    }
}

}  // namespace

NodeTypeRecord::NodeTypeRecord(PluginRecord* plugin, std::string name, unsigned int typeId,
                               std::string classification, MCreatorFunction creator)
    : plugin_(plugin),
      name_(std::move(name)),
      typeId_(typeId),
      classification_(std::move(classification)),
      creator_(creator) {}

const AttributeInfo& NodeTypeRecord::attribute(AttributeId id) const {
    return attributes_.at(static_cast<std::size_t>(id.index))->info;
}

AttributeId NodeTypeRecord::parent(AttributeId id) const {
    const AttributeDef* def = attributes_.at(static_cast<std::size_t>(id.index));
    const AttributeDef* up = def->parentDef();
    return up != nullptr && owns(up) ? AttributeId{up->index} : AttributeId{};
}

std::vector<AttributeId> NodeTypeRecord::children(AttributeId id) const {
    std::vector<AttributeId> result;
    for (const AttributeDef* child : attributes_.at(static_cast<std::size_t>(id.index))->children) {
        result.push_back(AttributeId{child->index});
    }
    return result;
}

AttributeId NodeTypeRecord::findAttribute(std::string_view name) const {
    const auto found = byName_.find(std::string(name));
    return found != byName_.end() ? AttributeId{found->second} : AttributeId{};
}

AttributeDef* NodeTypeRecord::createAttribute(const std::string& longName,
                                              const std::string& shortName, AttributeKind kind) {
    auto def = std::make_unique<AttributeDef>();
    def->info.longName = longName;
    def->info.shortName = shortName;
    def->info.kind = kind;
    def->owner = this;
    created_.push_back(std::move(def));
    return created_.back().get();
}

void NodeTypeRecord::join(AttributeDef* def) {
    if (def->index >= 0) {
        return;
    }
    def->index = static_cast<int>(attributes_.size());
    attributes_.push_back(def);
    byName_.emplace(def->info.longName, def->index);
    byName_.emplace(def->info.shortName, def->index);
    for (AttributeDef* child : def->children) {
        join(child);
    }
}

MStatus NodeTypeRecord::addAttribute(AttributeDef* def) {
    if (def == nullptr || def->owner != this || completed_) {
        return MStatus::kInvalidParameter;
    }
    if (def->index >= 0 &&
        std::find(added_.begin(), added_.end(), AttributeId{def->index}) != added_.end()) {
        return MStatus::kInvalidParameter;  // already added
    }
    // Every name of the attribute and its members must be free (or its own).
    std::vector<const AttributeDef*> pending{def};
    while (!pending.empty()) {
        const AttributeDef* next = pending.back();
        pending.pop_back();
        for (const std::string* name : {&next->info.longName, &next->info.shortName}) {
            const auto found = byName_.find(*name);
            if (found != byName_.end() &&
                attributes_[static_cast<std::size_t>(found->second)] != next) {
                return MStatus::kInvalidParameter;
            }
        }
        pending.insert(pending.end(), next->children.begin(), next->children.end());
    }
    join(def);
    added_.push_back(AttributeId{def->index});
    return MStatus::kSuccess;
}

MStatus NodeTypeRecord::addAffects(AttributeDef* input, AttributeDef* output) {
    if (!owns(input) || !owns(output) || completed_) {
        return MStatus::kInvalidParameter;
    }
    affects_.emplace_back(AttributeId{input->index}, AttributeId{output->index});
    return MStatus::kSuccess;
}

void NodeTypeRecord::layOut(AttributeDef* def, unsigned int& size, bool insideArray) {
    def->insideArray = insideArray;
    if (def->info.array && !insideArray) {
        // The element's members live in a store of their own, one stride apart.
        def->arraySlot = static_cast<int>(arrays_.size());
        arrays_.push_back(def);
        def->offset = 0;
        unsigned int elementSize = 0;
        if (def->children.empty()) {
            elementSize = leafSize(def->info.kind);
            if (def->info.kind == AttributeKind::FloatTriple) {
                elementSize = 3 * sizeof(float);
            }
        }
        for (AttributeDef* child : def->children) {
            layOut(child, elementSize, true);
        }
        def->elementStride = alignUp(std::max(elementSize, 1u), alignof(void*));
        return;
    }
    if (def->info.kind == AttributeKind::FloatTriple) {
        // Three children side by side, so the compound reads as one vector.
        size = alignUp(size, alignof(float));
        def->offset = size;
        for (AttributeDef* child : def->children) {
            child->insideArray = insideArray;
            child->offset = size;
            size += sizeof(float);
        }
        return;
    }
    if (!def->children.empty()) {
        def->offset = size;
        for (AttributeDef* child : def->children) {
            layOut(child, size, insideArray);
        }
        return;
    }
    const unsigned int bytes = leafSize(def->info.kind);
    size = alignUp(size, bytes);
    def->offset = size;
    size += bytes;
}

void NodeTypeRecord::writeDefault(const AttributeDef* def, unsigned char* root) const {
    unsigned char* at = root + def->offset;
    switch (def->info.kind) {
        case AttributeKind::Float:
            std::memcpy(at, &def->info.defaultFloat[0], sizeof(float));
            break;
        case AttributeKind::FloatTriple:
            // The children hold the compound's values.
            break;
        case AttributeKind::Boolean:
            std::memcpy(at, &def->info.defaultBool, sizeof(bool));
            break;
        case AttributeKind::Enum:
            std::memcpy(at, &def->info.defaultShort, sizeof(short));
            break;
        case AttributeKind::Pointer:
            std::memcpy(at, &def->info.defaultPointer, sizeof(void*));
            break;
        case AttributeKind::LightData:
            break;
    }
    for (const AttributeDef* child : def->children) {
        writeDefault(child, root);
    }
}

void NodeTypeRecord::writeElementDefault(const AttributeDef* array, unsigned char* element) const {
    for (const AttributeDef* child : array->children) {
        writeDefault(child, element);
    }
    if (!array->info.elementDefault || array->children.size() != 8) {
        return;
    }
    const LightDataDefault& d = *array->info.elementDefault;
    const auto& c = array->children;
    const auto floats = [element](const AttributeDef* m, const float* v, int n) {
        for (int i = 0; i < n; ++i) {
            const AttributeDef* leaf =
                m->children.empty() ? m : m->children[static_cast<std::size_t>(i)];
            std::memcpy(element + leaf->offset, &v[i], sizeof(float));
        }
    };
    floats(c[0], d.direction, 3);
    floats(c[1], d.intensity, 3);
    std::memcpy(element + c[2]->offset, &d.ambient, sizeof(bool));
    std::memcpy(element + c[3]->offset, &d.diffuse, sizeof(bool));
    std::memcpy(element + c[4]->offset, &d.specular, sizeof(bool));
    floats(c[5], &d.shadowFraction, 1);
    floats(c[6], &d.preShadowIntensity, 1);
    std::memcpy(element + c[7]->offset, &d.blindData, sizeof(void*));
}

void NodeTypeRecord::collectAffected(const AttributeDef* def, std::vector<int>& out) const {
    for (const auto& [input, output] : affects_) {
        if (input.index != def->index) {
            continue;
        }
        const AttributeDef* target = attributes_[static_cast<std::size_t>(output.index)];
        addSubtree(target, out);
        for (const AttributeDef* up = target->parentDef(); up != nullptr && owns(up);
             up = up->parentDef()) {
            addUnique(out, up->index);
        }
    }
    // Setting a compound sets its members too.
    for (const AttributeDef* child : def->children) {
        collectAffected(child, out);
    }
}

namespace {

// The accessor that reaches a value of the attribute's kind. A triple's three
// children lie side by side from the compound's offset.
MDataHandle::ValueKind valueKindOf(const AttributeDef& def) {
    switch (def.info.kind) {
        case AttributeKind::Float:
            return MDataHandle::kFloatValue;
        case AttributeKind::Enum:
            return MDataHandle::kShortValue;
        case AttributeKind::Boolean:
            return MDataHandle::kBoolValue;
        case AttributeKind::FloatTriple:
            return def.children.size() == 3 ? MDataHandle::kVectorValue : MDataHandle::kNoValue;
        case AttributeKind::Pointer:
            return MDataHandle::kAddrValue;
        case AttributeKind::LightData:
            break;
    }
    return MDataHandle::kNoValue;
}

}  // namespace

void NodeTypeRecord::complete() {
    unsigned int size = 0;
    for (AttributeDef* def : attributes_) {
        def->valueKind = valueKindOf(*def);
    }
    for (AttributeDef* def : attributes_) {
        const bool root = def->parent == nullptr || !owns(def->parentDef());
        if (root) {
            layOut(def, size, false);
        }
    }
    // From here on the node's data block accessors find these values.
    for (AttributeDef* def : attributes_) {
        def->plainIn = !def->insideArray && def->arraySlot < 0 ? this : nullptr;
    }
    defaultBlock_.assign(alignUp(std::max(size, 1u), alignof(void*)), 0);
    defaultElements_.clear();
    for (AttributeDef* def : attributes_) {
        const bool root = def->parent == nullptr || !owns(def->parentDef());
        if (root && def->arraySlot < 0) {
            writeDefault(def, defaultBlock_.data());
        }
    }
    for (const AttributeDef* array : arrays_) {
        std::vector<unsigned char> element(array->elementStride, 0);
        writeElementDefault(array, element.data());
        defaultElements_.push_back(std::move(element));
    }
    for (AttributeDef* def : attributes_) {
        collectAffected(def, def->dirties);
        addSubtree(def, def->cleans);
    }
    completed_ = true;
}

}  // namespace vorlane::host::core
