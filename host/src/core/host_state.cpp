#include "host_state.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "../foundation/error_output.h"

namespace vorlane::host::core {
namespace {

std::atomic<HostState*> gCurrent{nullptr};

std::string hexId(unsigned int id) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%x", id);
    return text;
}

}  // namespace

HostState::HostState() {
    HostState* expected = nullptr;
    gCurrent.compare_exchange_strong(expected, this);
}

HostState::~HostState() {
    if (!isCurrent()) {
        return;
    }
    nodesByName_.clear();
    nodes_.clear();
    while (!plugins_.empty()) {
        const std::string path = plugins_.back()->path;
        std::string error;
        if (!unloadPlugin(path, &error)) {
            plugins_.pop_back();
        }
    }
    types_.clear();
    gCurrent.store(nullptr);
}

HostState* HostState::current() {
    return gCurrent.load(std::memory_order_acquire);
}

std::ostream& HostState::errors() const {
    return foundation::errorOutput();
}

void HostState::recordFunctionSet(PluginRecord& plugin, const char* vendor, const char* version,
                                  const char* apiVersion) {
    plugin.vendor = vendor != nullptr ? vendor : "";
    plugin.version = version != nullptr ? version : "";
    plugin.requiredApiVersion = apiVersion != nullptr ? apiVersion : "";
    functionSets_.push_back(
        PluginFunctionSet{plugin.path, plugin.vendor, plugin.version, plugin.requiredApiVersion});
}

NodeTypeRecord* HostState::findType(std::string_view name) const {
    for (const auto& type : types_) {
        if (type->name() == name) {
            return type.get();
        }
    }
    return nullptr;
}

MStatus HostState::registerNode(PluginRecord& plugin, const std::string& typeName,
                                unsigned int typeId, MCreatorFunction creator,
                                MInitializeFunction initialize, const std::string& classification) {
    const std::string what = "// Error: registerNode \"" + typeName + "\": ";
    if (typeName.empty() || creator == nullptr || initialize == nullptr) {
        errors() << what << "a type name, a creator and an initialize function are required."
                 << std::endl;
        return MStatus::kInvalidParameter;
    }
    if (initializing_ != nullptr) {
        errors() << what << "another node type is being initialized." << std::endl;
        return MStatus::kFailure;
    }
    if (findType(typeName) != nullptr) {
        errors() << what << "the node type name is already in use." << std::endl;
        return MStatus::kFailure;
    }
    for (const auto& type : types_) {
        if (type->typeId() == typeId) {
            errors() << what << "the type identifier " << hexId(typeId)
                     << " is already in use by \"" << type->name() << "\"." << std::endl;
            return MStatus::kFailure;
        }
    }
    auto type =
        std::make_unique<NodeTypeRecord>(&plugin, typeName, typeId, classification, creator);
    initializing_ = type.get();
    const MStatus status = initialize();
    initializing_ = nullptr;
    if (!status) {
        errors() << what << "its initialize function failed." << std::endl;
        return MStatus::kFailure;
    }
    type->complete();
    types_.push_back(std::move(type));
    return MStatus::kSuccess;
}

MStatus HostState::deregisterNode(PluginRecord& plugin, unsigned int typeId) {
    const auto found = std::find_if(types_.begin(), types_.end(),
                                    [typeId](const auto& t) { return t->typeId() == typeId; });
    const std::string what = "// Error: deregisterNode " + hexId(typeId) + ": ";
    if (found == types_.end()) {
        errors() << what << "no node type has this identifier." << std::endl;
        return MStatus::kNotFound;
    }
    if ((*found)->plugin() != &plugin) {
        errors() << what << "the node type \"" << (*found)->name()
                 << "\" belongs to another plug-in." << std::endl;
        return MStatus::kFailure;
    }
    for (const auto& node : nodes_) {
        if (&node->typeRecord() == found->get()) {
            errors() << what << "nodes of type \"" << (*found)->name() << "\" still exist."
                     << std::endl;
            return MStatus::kFailure;
        }
    }
    types_.erase(found);
    return MStatus::kSuccess;
}

std::string HostState::uniqueNodeName(const std::string& base) {
    unsigned int& next = nextNameNumber_.try_emplace(base, 1u).first->second;
    for (;; ++next) {
        std::string candidate = base + std::to_string(next);
        if (findNode(candidate) == nullptr) {
            ++next;
            return candidate;
        }
    }
}

NodeRecord* HostState::createNode(std::string_view typeName, std::string_view name,
                                  std::string* error) {
    NodeTypeRecord* type = findType(typeName);
    if (type == nullptr) {
        if (error != nullptr) {
            *error = "unknown node type \"" + std::string(typeName) + "\"";
        }
        return nullptr;
    }
    std::string nodeName = name.empty() ? uniqueNodeName(type->name()) : std::string(name);
    if (findNode(nodeName) != nullptr) {
        if (error != nullptr) {
            *error = "a node called \"" + nodeName + "\" already exists";
        }
        return nullptr;
    }
    auto* instance = static_cast<MPxNode*>(type->creator()());
    if (instance == nullptr) {
        if (error != nullptr) {
            *error = "the creator of \"" + type->name() + "\" made no node";
        }
        return nullptr;
    }
    auto node = std::make_unique<NodeRecord>(*type, std::move(nodeName), instance);
    MPxNodeHostAccess::attach(*instance, node.get());
    instance->postConstructor();
    nodesByName_.emplace(node->name(), node.get());
    nodes_.push_back(std::move(node));
    return nodes_.back().get();
}

bool HostState::destroyNode(Node* node) {
    const auto found = std::find_if(nodes_.begin(), nodes_.end(),
                                    [node](const auto& n) { return n.get() == node; });
    if (found == nodes_.end()) {
        return false;
    }
    for (const auto& other : nodes_) {
        auto& links = other->incoming();
        for (auto link = links.begin(); link != links.end();) {
            if (link->source == found->get()) {
                other->connected()[static_cast<std::size_t>(link->destinationIndex)] = 0;
                link = links.erase(link);
            } else {
                ++link;
            }
        }
    }
    nodesByName_.erase((*found)->name());
    nodes_.erase(found);
    return true;
}

NodeRecord* HostState::findNode(std::string_view name) const {
    const auto found = nodesByName_.find(name);
    return found != nodesByName_.end() ? found->second : nullptr;
}

bool HostState::reaches(const NodeRecord& from, const NodeRecord& to) const {
    if (&from == &to) {
        return true;
    }
    for (const Connection& link : const_cast<NodeRecord&>(from).incoming()) {
        if (reaches(*link.source, to)) {
            return true;
        }
    }
    return false;
}

bool HostState::connect(NodeRecord& source, AttributeId sourcePlug, NodeRecord& destination,
                        AttributeId destinationPlug, std::string* error) {
    const auto refuse = [error](const std::string& text) {
        if (error != nullptr) {
            *error = text;
        }
        return false;
    };
    const NodeTypeRecord& from = source.typeRecord();
    const NodeTypeRecord& to = destination.typeRecord();
    if (sourcePlug.index < 0 || sourcePlug.index >= from.attributeCount() ||
        destinationPlug.index < 0 || destinationPlug.index >= to.attributeCount()) {
        return refuse("no such attribute");
    }
    const AttributeDef* out = from.def(sourcePlug.index);
    const AttributeDef* in = to.def(destinationPlug.index);
    const std::string names = "\"" + source.name() + "." + out->info.longName + "\" -> \"" +
                              destination.name() + "." + in->info.longName + "\": ";
    if (!out->info.readable) {
        return refuse(names + "the source is not readable");
    }
    if (!in->info.writable) {
        return refuse(names + "the destination is not writable");
    }
    if (in->insideArray || in->arraySlot >= 0 || out->insideArray || out->arraySlot >= 0) {
        return refuse(names + "arrays and their members cannot be connected");
    }
    if (in->info.kind != out->info.kind || in->info.kind == AttributeKind::Pointer ||
        in->info.kind == AttributeKind::LightData) {
        return refuse(names + "the attributes are of different or unconnectable kinds");
    }
    if (destination.isConnectedInput(in->index)) {
        return refuse(names + "the destination is already connected");
    }
    if (reaches(source, destination)) {
        return refuse(names + "the connection would make a cycle");
    }
    const MPlug sourceMPlug(MObject(&source), objectOf(const_cast<AttributeDef*>(out)));
    const MPlug destinationMPlug(MObject(&destination), objectOf(const_cast<AttributeDef*>(in)));
    bool legal = true;
    if (destination.instance()->legalConnection(destinationMPlug, sourceMPlug, false, legal) ==
            MStatus::kSuccess &&
        !legal) {
        return refuse(names + "the destination node refuses the connection");
    }
    destination.incoming().push_back(Connection{&source, out->index, in->index});
    destination.connected()[static_cast<std::size_t>(in->index)] = 1;
    destination.instance()->connectionMade(destinationMPlug, sourceMPlug, false);
    source.instance()->connectionMade(sourceMPlug, destinationMPlug, true);
    return true;
}

MStatus::MStatusCode HostState::injected(AttributeCall call,
                                         const std::string& attributeName) const {
    for (const FailureRule& rule : failures_) {
        if (rule.call == call &&
            (rule.attributeName.empty() || rule.attributeName == attributeName)) {
            return static_cast<MStatus::MStatusCode>(rule.status);
        }
    }
    return MStatus::kSuccess;
}

bool HostState::hasNodesOf(const PluginRecord& plugin) const {
    return std::any_of(nodes_.begin(), nodes_.end(),
                       [&plugin](const auto& n) { return n->typeRecord().plugin() == &plugin; });
}

void HostState::removeTypesOf(PluginRecord& plugin) {
    types_.erase(std::remove_if(types_.begin(), types_.end(),
                                [&plugin](const auto& t) { return t->plugin() == &plugin; }),
                 types_.end());
}

}  // namespace vorlane::host::core
