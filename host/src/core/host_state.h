// Everything the host holds: plug-ins, node types, nodes, windows, commands and
// the failures a test asked for. One instance is current while a Host exists.
#pragma once

#include <maya/MFnPlugin.h>
#include <maya/MStatus.h>

#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <vorlane_host/host_runtime.h>

#include "records.h"

namespace vorlane::host::core {

class HostState {
  public:
    HostState();
    ~HostState();

    // The state of the Host that exists, or nullptr.
    static HostState* current();
    bool isCurrent() const { return current() == this; }

    std::ostream& errors() const;

    // Plug-ins.
    bool loadPlugin(const std::string& path, std::string* error);
    bool unloadPlugin(const std::string& path, std::string* error);
    const std::vector<std::unique_ptr<PluginRecord>>& plugins() const { return plugins_; }
    void recordFunctionSet(PluginRecord& plugin, const char* vendor, const char* version,
                           const char* apiVersion);
    const std::vector<PluginFunctionSet>& functionSets() const { return functionSets_; }

    // Node types.
    MStatus registerNode(PluginRecord& plugin, const std::string& typeName, unsigned int typeId,
                         MCreatorFunction creator, MInitializeFunction initialize,
                         const std::string& classification);
    MStatus deregisterNode(PluginRecord& plugin, unsigned int typeId);
    NodeTypeRecord* initializing() const { return initializing_; }
    NodeTypeRecord* findType(std::string_view name) const;
    const std::vector<std::unique_ptr<NodeTypeRecord>>& types() const { return types_; }

    // Nodes.
    NodeRecord* createNode(std::string_view typeName, std::string_view name, std::string* error);
    bool destroyNode(Node* node);
    NodeRecord* findNode(std::string_view name) const;
    std::size_t nodeCount() const { return nodes_.size(); }
    bool connect(NodeRecord& source, AttributeId sourcePlug, NodeRecord& destination,
                 AttributeId destinationPlug, std::string* error);

    // Commands.
    MStatus executeCommand(const std::string& command);
    const std::vector<std::string>& commandLog() const { return commandLog_; }
    std::set<std::string>& windows() { return windows_; }
    const std::vector<RefreshEntry>& refreshLog() const { return refreshLog_; }

    // Failure injection.
    void injectFailure(const FailureRule& rule) { failures_.push_back(rule); }
    void clearFailures() { failures_.clear(); }
    // The status an attribute call must fail with, or kSuccess.
    MStatus::MStatusCode injected(AttributeCall call, const std::string& attributeName) const;

  private:
    void removeTypesOf(PluginRecord& plugin);
    bool hasNodesOf(const PluginRecord& plugin) const;
    bool reaches(const NodeRecord& from, const NodeRecord& to) const;
    std::string uniqueNodeName(const std::string& base);

    std::vector<std::unique_ptr<PluginRecord>> plugins_;
    std::vector<PluginFunctionSet> functionSets_;
    std::vector<std::unique_ptr<NodeTypeRecord>> types_;
    NodeTypeRecord* initializing_ = nullptr;
    std::vector<std::unique_ptr<NodeRecord>> nodes_;
    // Nodes by name, and the next number to try for a generated name of each
    // base, so that creating and finding nodes stays cheap in large scenes.
    std::map<std::string, NodeRecord*, std::less<>> nodesByName_;
    std::map<std::string, unsigned int, std::less<>> nextNameNumber_;
    std::vector<std::string> commandLog_;
    std::set<std::string> windows_;
    std::vector<RefreshEntry> refreshLog_;
    std::vector<FailureRule> failures_;
};

}  // namespace vorlane::host::core

// Host-side access to the private members of MPxNode, declared where the
// headers declare MPxNode.
OPENMAYA_MAJOR_NAMESPACE_OPEN
class MPxNodeHostAccess {
  public:
    static void attach(MPxNode& node, MHostRecord* record) { node.hostRecord_ = record; }
    static bool mpSafe(const MPxNode& node) { return node.mpSafe_; }
};
OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MPxNodeHostAccess)
