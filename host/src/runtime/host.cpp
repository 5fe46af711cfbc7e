// The Host facade over the host's state.
#include <algorithm>

#include <vorlane_host/host_runtime.h>

#include "../core/host_state.h"
#include "../foundation/error_output.h"

namespace vorlane::host {
namespace {

bool refuse(std::string* error, const char* text) {
    if (error != nullptr) {
        *error = text;
    }
    return false;
}

}  // namespace

Host::Host() : state_(std::make_unique<core::HostState>()) {}

Host::~Host() {
    const bool wasCurrent = valid();
    state_.reset();  // destroys nodes and unloads plug-ins, still reporting to the set stream
    if (wasCurrent) {
        foundation::setErrorOutput(nullptr);
    }
}

bool Host::valid() const {
    return state_ != nullptr && state_->isCurrent();
}

void Host::setErrorStream(std::ostream* stream) {
    if (valid()) {
        foundation::setErrorOutput(stream);
    }
}

bool Host::loadPlugin(const std::string& path, std::string* error) {
    return valid() ? state_->loadPlugin(path, error)
                   : refuse(error, "another host is already running");
}

bool Host::unloadPlugin(const std::string& path, std::string* error) {
    return valid() ? state_->unloadPlugin(path, error)
                   : refuse(error, "another host is already running");
}

std::vector<std::string> Host::loadedPlugins() const {
    std::vector<std::string> paths;
    for (const auto& plugin : state_->plugins()) {
        paths.push_back(plugin->path);
    }
    return paths;
}

std::vector<PluginFunctionSet> Host::pluginFunctionSets() const {
    return state_->functionSets();
}

const NodeType* Host::findNodeType(std::string_view name) const {
    return state_->findType(name);
}

std::vector<std::string> Host::nodeTypeNames() const {
    std::vector<std::string> names;
    for (const auto& type : state_->types()) {
        names.push_back(type->name());
    }
    return names;
}

std::vector<std::string> Host::nodeTypesClassified(std::string_view classification) const {
    std::vector<std::string> names;
    for (const auto& type : state_->types()) {
        if (type->classification() == classification) {
            names.push_back(type->name());
        }
    }
    return names;
}

Node* Host::createNode(std::string_view typeName, std::string_view name, std::string* error) {
    if (!valid()) {
        refuse(error, "another host is already running");
        return nullptr;
    }
    return state_->createNode(typeName, name, error);
}

bool Host::destroyNode(Node* node) {
    return valid() && state_->destroyNode(node);
}

Node* Host::findNode(std::string_view name) const {
    return state_->findNode(name);
}

std::size_t Host::nodeCount() const {
    return state_->nodeCount();
}

bool Host::connect(Node& source, AttributeId sourcePlug, Node& destination,
                   AttributeId destinationPlug, std::string* error) {
    if (!valid()) {
        return refuse(error, "another host is already running");
    }
    return state_->connect(static_cast<core::NodeRecord&>(source), sourcePlug,
                           static_cast<core::NodeRecord&>(destination), destinationPlug, error);
}

int Host::executeCommand(const std::string& command) {
    return valid() ? static_cast<int>(state_->executeCommand(command).statusCode()) : kFailure;
}

const std::vector<std::string>& Host::commandLog() const {
    return state_->commandLog();
}

void Host::openWindow(const std::string& name) {
    state_->windows().insert(name);
}

void Host::closeWindow(const std::string& name) {
    state_->windows().erase(name);
}

bool Host::isWindowOpen(const std::string& name) const {
    return state_->windows().count(name) != 0;
}

const std::vector<RefreshEntry>& Host::refreshLog() const {
    return state_->refreshLog();
}

void Host::injectFailure(const FailureRule& rule) {
    state_->injectFailure(rule);
}

void Host::clearFailures() {
    state_->clearFailures();
}

}  // namespace vorlane::host
