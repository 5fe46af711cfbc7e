// The stand-in host application: loads plug-ins, keeps their node types,
// creates nodes, feeds their inputs and evaluates their outputs, as the host
// application would. Tools and tests drive plug-ins through this API only.
//
// Threads: one Host exists at a time. Loading, registering, creating and
// destroying nodes, connecting and running commands happen on one thread.
// Distinct nodes may be set and evaluated on different threads at once, and
// so may private data blocks (Node::copyDataBlock) of one MP-safe node.
//
// Hot path: resolve names once (NodeType::findAttribute) and set and evaluate
// through AttributeId; those calls neither hash strings nor allocate, except to
// write an error text when they fail.
#pragma once

#include <maya/MTypes.h>

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlane::host {

namespace core {
class HostState;
}

// Status codes as the host API defines them (MStatus::MStatusCode).
enum StatusCode : int {
    kSuccess = 0,
    kFailure = 1,
    kInvalidParameter = 3,
    kUnknownParameter = 5,
    kNotFound = 7,
};

enum class AttributeKind { Float, Boolean, FloatTriple, Pointer, Enum, LightData };

struct LightDataDefault {
    float direction[3] = {0.0f, 0.0f, 0.0f};
    float intensity[3] = {0.0f, 0.0f, 0.0f};
    bool ambient = false;
    bool diffuse = false;
    bool specular = false;
    float shadowFraction = 0.0f;
    float preShadowIntensity = 0.0f;
    const void* blindData = nullptr;
};

struct EnumField {
    std::string name;
    short value;
};

// Everything `initialize` declared about one attribute.
struct AttributeInfo {
    std::string longName;
    std::string shortName;
    AttributeKind kind = AttributeKind::Float;
    // A new attribute is readable, writable and storable, and nothing else.
    bool readable = true;
    bool writable = true;
    bool storable = true;
    bool keyable = false;
    bool hidden = false;
    bool array = false;
    bool usedAsColor = false;
    std::optional<double> softMin;
    std::optional<double> softMax;
    float defaultFloat[3] = {0.0f, 0.0f, 0.0f};  // Float uses [0]; FloatTriple all three.
    bool defaultBool = false;
    short defaultShort = 0;
    const void* defaultPointer = nullptr;
    std::vector<EnumField> enumFields;               // in the order they were added
    std::optional<LightDataDefault> elementDefault;  // LightData only
};

// An attribute of one node type, by position in NodeType's attribute list.
struct AttributeId {
    int index = -1;
    bool valid() const { return index >= 0; }
    bool operator==(AttributeId other) const { return index == other.index; }
    bool operator!=(AttributeId other) const { return index != other.index; }
};

// A registered node type and the attributes its `initialize` added.
class OPENMAYA_EXPORT NodeType {
  public:
    virtual ~NodeType() = default;
    virtual const std::string& name() const = 0;
    virtual unsigned int typeId() const = 0;
    virtual const std::string& classification() const = 0;
    // The node's attributes: those added by addAttribute and their members,
    // in the order they joined the type.
    virtual int attributeCount() const = 0;
    virtual const AttributeInfo& attribute(AttributeId id) const = 0;
    virtual AttributeId parent(AttributeId id) const = 0;
    virtual std::vector<AttributeId> children(AttributeId id) const = 0;
    // The attributes passed to addAttribute, in call order.
    virtual const std::vector<AttributeId>& addedAttributes() const = 0;
    // The attributeAffects declarations (input, output), in call order.
    virtual const std::vector<std::pair<AttributeId, AttributeId>>& affects() const = 0;
    // By long or short name; invalid when the type has no such attribute.
    virtual AttributeId findAttribute(std::string_view name) const = 0;
};

struct Evaluation {
    int status = kSuccess;                // compute's status, or the host's own refusal
    bool computed = false;                // compute ran for this evaluation
    float value[3] = {0.0f, 0.0f, 0.0f};  // the plug's value after evaluation
};

// One node's data block with its dirty state: inputs are set here, outputs
// evaluated. A node has one; copyDataBlock makes private ones for threads.
class OPENMAYA_EXPORT DataBlock {
  public:
    virtual ~DataBlock() = default;

    // Set an input. Refused with an error text (and nothing changed) for an
    // attribute that does not exist, is not writable, is the destination of a
    // connection, lies inside an array, or is of another kind. Every output
    // the input affects becomes dirty.
    virtual bool setFloat(AttributeId id, float value, std::string* error = nullptr) = 0;
    virtual bool setTriple(AttributeId id, float a, float b, float c,
                           std::string* error = nullptr) = 0;
    virtual bool setShort(AttributeId id, short value, std::string* error = nullptr) = 0;
    virtual bool setBool(AttributeId id, bool value, std::string* error = nullptr) = 0;

    // The light array and its members, as the host's renderer fills them for a
    // sample (writability does not apply to the renderer). Storage for the
    // elements is made here, so evaluation allocates nothing. New elements take
    // the array's element default (or the members' own defaults without one).
    virtual bool setElementCount(AttributeId array, unsigned int count,
                                 std::string* error = nullptr) = 0;
    virtual unsigned int elementCount(AttributeId array) const = 0;
    virtual bool setElementFloat(AttributeId array, unsigned int element, AttributeId member,
                                 float value, std::string* error = nullptr) = 0;
    virtual bool setElementTriple(AttributeId array, unsigned int element, AttributeId member,
                                  float a, float b, float c, std::string* error = nullptr) = 0;
    virtual bool setElementBool(AttributeId array, unsigned int element, AttributeId member,
                                bool value, std::string* error = nullptr) = 0;

    // The plug's value, calling compute first when it is dirty.
    virtual Evaluation evaluate(AttributeId plug) = 0;
    // Calls compute for the plug whether or not it is dirty (as a host may).
    virtual Evaluation compute(AttributeId plug) = 0;
    // The stored value without evaluating (Float: [0]; Boolean/Enum: as float).
    virtual Evaluation value(AttributeId id) const = 0;
    virtual bool elementValue(AttributeId array, unsigned int element, AttributeId member,
                              float out[3]) const = 0;
    virtual bool isDirty(AttributeId id) const = 0;
};

class OPENMAYA_EXPORT Node {
  public:
    virtual ~Node() = default;
    virtual const std::string& name() const = 0;
    virtual const NodeType& type() const = 0;
    // True when the host may evaluate the node on several threads: in API 850
    // when postConstructor declared it MP-safe, from 2016 when its
    // schedulingType() answers parallel.
    virtual bool isMPSafe() const = 0;
    virtual DataBlock& data() = 0;
    // A private copy of the node's data block for one render thread; refused
    // (nullptr and an error text) unless isMPSafe().
    virtual std::unique_ptr<DataBlock> copyDataBlock(std::string* error = nullptr) const = 0;
    // The node as a scene file lists it: its storable, settable attributes.
    virtual std::string saveAsText() const = 0;
};

// A call on an attribute function set (or the node class) that a test can make fail.
enum class AttributeCall {
    Create,
    SetKeyable,
    SetStorable,
    SetReadable,
    SetWritable,
    SetHidden,
    SetArray,
    SetUsedAsColor,
    SetDefault,
    SetSoftMin,
    SetSoftMax,
    AddField,
    AddAttribute,
    AttributeAffects,
};

// Makes matching calls fail with `status` and do nothing. An empty attribute
// name matches every attribute (for AttributeAffects it names the input).
struct FailureRule {
    AttributeCall call;
    std::string attributeName;
    int status = kFailure;
};

struct RefreshEntry {
    std::string procedure;
    std::string argument;
};

// What a plug-in passed to MFnPlugin, each time it built one.
struct PluginFunctionSet {
    std::string pluginPath;
    std::string vendor;
    std::string version;
    std::string requiredApiVersion;
};

class OPENMAYA_EXPORT Host {
  public:
    // The host's API version, that of its headers as text; a plug-in's
    // MApiVersion text must match it.
    static constexpr const char* kApiVersion = OPENMAYA_STRINGIFY(MAYA_API_VERSION);

    // Only one Host may exist at a time; a second one is unusable (valid() false).
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
    bool valid() const;

    // The host's error output (standard error unless set; nullptr restores it).
    void setErrorStream(std::ostream* stream);

    bool loadPlugin(const std::string& path, std::string* error = nullptr);
    // Refused while nodes of the plug-in's types exist.
    bool unloadPlugin(const std::string& path, std::string* error = nullptr);
    std::vector<std::string> loadedPlugins() const;
    std::vector<PluginFunctionSet> pluginFunctionSets() const;

    const NodeType* findNodeType(std::string_view name) const;
    std::vector<std::string> nodeTypeNames() const;
    std::vector<std::string> nodeTypesClassified(std::string_view classification) const;

    // Creates a node through the type's creator and postConstructor. An empty
    // name gives the type name followed by a number.
    Node* createNode(std::string_view typeName, std::string_view name = {},
                     std::string* error = nullptr);
    bool destroyNode(Node* node);
    Node* findNode(std::string_view name) const;
    std::size_t nodeCount() const;

    // Connects an output of one node to an input of another; the source's
    // value is pulled into the destination when the destination evaluates.
    bool connect(Node& source, AttributeId sourcePlug, Node& destination,
                 AttributeId destinationPlug, std::string* error = nullptr);

    // Commands, as MGlobal::executeCommand runs them.
    int executeCommand(const std::string& command);
    const std::vector<std::string>& commandLog() const;
    void openWindow(const std::string& name);
    void closeWindow(const std::string& name);
    bool isWindowOpen(const std::string& name) const;
    const std::vector<RefreshEntry>& refreshLog() const;

    void injectFailure(const FailureRule& rule);
    void clearFailures();

  private:
    std::unique_ptr<core::HostState> state_;
};

}  // namespace vorlane::host
