// The host's own records behind MObject handles: attributes, node types, data
// blocks, nodes and plug-ins.
#pragma once

#include <maya/MDataHandle.h>
#include <maya/MFnPlugin.h>
#include <maya/MPxNode.h>
#include <maya/MStatus.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <vorlane_host/host_runtime.h>

namespace vorlane::host::core {

class HostState;
class NodeRecord;
class NodeTypeRecord;
struct PluginRecord;

// Its MAttributeAccess part holds the record's kind, the parent, the offset,
// the value kind and where the value lives, for the inline data block
// accessors.
struct AttributeDef : MAttributeAccess {
    AttributeInfo info;
    std::vector<AttributeDef*> children;
    NodeTypeRecord* owner = nullptr;  // the type whose initialize created it

    // Filled when the attribute joins its type and when the type is complete.
    int index = -1;            // AttributeId of the attribute in its type
    bool insideArray = false;  // an ancestor is an array: values live in its elements
    int arraySlot = -1;        // array attributes: which element store
    unsigned int elementStride = 0;
    std::vector<int> dirties;  // attributes made dirty when this one is set
    std::vector<int> cleans;   // attributes made clean when this one is set clean

    AttributeDef* parentDef() const { return static_cast<AttributeDef*>(parent); }
};

// The attribute record behind an MObject's record, or nullptr when it is none.
inline AttributeDef* attributeFrom(const MHostRecord* record) {
    const MAttributeAccess* access = MAttributeAccess::of(record);
    return access != nullptr ? static_cast<AttributeDef*>(const_cast<MAttributeAccess*>(access))
                             : nullptr;
}

inline AttributeDef* attributeFrom(const MObject& object) {
    return attributeFrom(object.record());
}

// The MObject that stands for `def`.
inline MObject objectOf(AttributeDef* def) {
    return MObject(static_cast<MAttributeAccess*>(def));
}

class NodeTypeRecord final : public NodeType {
  public:
    NodeTypeRecord(PluginRecord* plugin, std::string name, unsigned int typeId,
                   std::string classification, MCreatorFunction creator);

    const std::string& name() const override { return name_; }
    unsigned int typeId() const override { return typeId_; }
    const std::string& classification() const override { return classification_; }
    int attributeCount() const override { return static_cast<int>(attributes_.size()); }
    const AttributeInfo& attribute(AttributeId id) const override;
    AttributeId parent(AttributeId id) const override;
    std::vector<AttributeId> children(AttributeId id) const override;
    const std::vector<AttributeId>& addedAttributes() const override { return added_; }
    const std::vector<std::pair<AttributeId, AttributeId>>& affects() const override {
        return affects_;
    }
    AttributeId findAttribute(std::string_view name) const override;

    // During initialize.
    AttributeDef* createAttribute(const std::string& longName, const std::string& shortName,
                                  AttributeKind kind);
    MStatus addAttribute(AttributeDef* def);
    MStatus addAffects(AttributeDef* input, AttributeDef* output);
    // After initialize: lays out the data block and the dirty rules.
    void complete();

    AttributeDef* def(int index) const { return attributes_[static_cast<std::size_t>(index)]; }
    bool owns(const AttributeDef* def) const {
        return def != nullptr && def->owner == this && def->index >= 0;
    }
    bool completed() const { return completed_; }
    PluginRecord* plugin() const { return plugin_; }
    MCreatorFunction creator() const { return creator_; }
    const std::vector<unsigned char>& defaultBlock() const { return defaultBlock_; }
    const std::vector<AttributeDef*>& arrays() const { return arrays_; }
    const std::vector<unsigned char>& defaultElement(int slot) const {
        return defaultElements_[static_cast<std::size_t>(slot)];
    }

  private:
    void join(AttributeDef* def);
    void layOut(AttributeDef* def, unsigned int& size, bool insideArray);
    void writeDefault(const AttributeDef* def, unsigned char* root) const;
    void writeElementDefault(const AttributeDef* array, unsigned char* element) const;
    void collectAffected(const AttributeDef* def, std::vector<int>& out) const;

    PluginRecord* plugin_;
    std::string name_;
    unsigned int typeId_;
    std::string classification_;
    MCreatorFunction creator_;
    bool completed_ = false;

    std::vector<std::unique_ptr<AttributeDef>> created_;
    std::vector<AttributeDef*> attributes_;
    std::vector<AttributeId> added_;
    std::vector<std::pair<AttributeId, AttributeId>> affects_;
    std::unordered_map<std::string, int> byName_;

    std::vector<unsigned char> defaultBlock_;
    std::vector<AttributeDef*> arrays_;
    std::vector<std::vector<unsigned char>> defaultElements_;
};

// A node's data block: flat storage laid out by its type, element stores for
// its arrays, and one dirty flag per attribute.
class BlockRecord final : public DataBlock {
  public:
    BlockRecord(NodeRecord& node, bool pullsConnections);
    BlockRecord(const BlockRecord& other, bool pullsConnections);

    bool setFloat(AttributeId id, float value, std::string* error) override;
    bool setTriple(AttributeId id, float a, float b, float c, std::string* error) override;
    bool setShort(AttributeId id, short value, std::string* error) override;
    bool setBool(AttributeId id, bool value, std::string* error) override;
    bool setElementCount(AttributeId array, unsigned int count, std::string* error) override;
    unsigned int elementCount(AttributeId array) const override;
    bool setElementFloat(AttributeId array, unsigned int element, AttributeId member, float value,
                         std::string* error) override;
    bool setElementTriple(AttributeId array, unsigned int element, AttributeId member, float a,
                          float b, float c, std::string* error) override;
    bool setElementBool(AttributeId array, unsigned int element, AttributeId member, bool value,
                        std::string* error) override;
    Evaluation evaluate(AttributeId plug) override;
    Evaluation compute(AttributeId plug) override;
    Evaluation value(AttributeId id) const override;
    bool elementValue(AttributeId array, unsigned int element, AttributeId member,
                      float out[3]) const override;
    bool isDirty(AttributeId id) const override;

    // For MDataBlock and its handles.
    const NodeTypeRecord& type() const { return type_; }
    unsigned char* blockBytes() { return bytes_.data(); }
    unsigned char* elements(int slot) {
        return arrays_[static_cast<std::size_t>(slot)].bytes.data();
    }
    unsigned int count(int slot) const { return arrays_[static_cast<std::size_t>(slot)].count; }
    void markClean(const AttributeDef* def);
    bool clean(const AttributeDef* def) const;

    // For connections: stores a pulled value without the writability checks.
    void storeFromSource(AttributeDef* def, const float value[3]);

  private:
    struct ArrayStore {
        std::vector<unsigned char> bytes;
        unsigned int count = 0;
    };

    AttributeDef* settable(AttributeId id, AttributeKind kind, std::string* error) const;
    AttributeDef* member(AttributeId array, unsigned int element, AttributeId member,
                         AttributeKind kind, std::string* error, unsigned char** where);
    void markDirty(const AttributeDef* def);
    Evaluation read(const AttributeDef* def) const;
    Evaluation runCompute(AttributeDef* def);
    // Brings the values of connected inputs up to date from their sources.
    void pullConnections();

    NodeRecord& node_;
    const NodeTypeRecord& type_;
    bool pullsConnections_;
    std::vector<unsigned char> bytes_;
    std::vector<ArrayStore> arrays_;
    std::vector<unsigned char> dirty_;
};

struct Connection {
    NodeRecord* source;
    int sourceIndex;
    int destinationIndex;
};

class NodeRecord final : public Node, public MHostRecord {
  public:
    NodeRecord(NodeTypeRecord& type, std::string name, MPxNode* instance);
    ~NodeRecord() override;

    const std::string& name() const override { return name_; }
    const NodeType& type() const override { return type_; }
    bool isMPSafe() const override;
    DataBlock& data() override { return *block_; }
    std::unique_ptr<DataBlock> copyDataBlock(std::string* error) const override;
    std::string saveAsText() const override;

    NodeTypeRecord& typeRecord() const { return type_; }
    MPxNode* instance() const { return instance_; }
    BlockRecord& block() { return *block_; }
    std::vector<Connection>& incoming() { return incoming_; }
    std::vector<unsigned char>& connected() { return connected_; }
    bool isConnectedInput(int index) const {
        return connected_[static_cast<std::size_t>(index)] != 0;
    }

  private:
    NodeTypeRecord& type_;
    std::string name_;
    MPxNode* instance_;
    std::unique_ptr<BlockRecord> block_;
    std::vector<Connection> incoming_;
    std::vector<unsigned char> connected_;
};

using PluginEntry = MStatus (*)(MObject);

struct PluginRecord : MHostRecord {
    PluginRecord() : MHostRecord(kPluginRecord) {}

    std::string path;
    void* library = nullptr;
    PluginEntry initialize = nullptr;
    PluginEntry uninitialize = nullptr;
    std::string vendor;
    std::string version;
    std::string requiredApiVersion;
};

PluginRecord* pluginFrom(const MObject& object);

}  // namespace vorlane::host::core
