#include <maya/MFnPlugin.h>

#include "../core/host_state.h"

using vorlane::host::core::HostState;
using vorlane::host::core::pluginFrom;

MFnPlugin::MFnPlugin(MObject& object, const char* vendor, const char* version,
                     const char* requiredApiVersion, MStatus* status)
    : plugin_(nullptr) {
    HostState* host = HostState::current();
    auto* plugin = pluginFrom(object);
    if (host == nullptr || plugin == nullptr) {
        if (status != nullptr) {
            *status = MStatus::kInvalidParameter;
        }
        return;
    }
    plugin_ = plugin;
    host->recordFunctionSet(*plugin, vendor, version, requiredApiVersion);
    if (status != nullptr) {
        *status = MStatus::kSuccess;
    }
}

MFnPlugin::~MFnPlugin() = default;

MStatus MFnPlugin::registerNode(const MString& typeName, const MTypeId& typeId,
                                MCreatorFunction creatorFunction, MInitializeFunction initFunction,
                                MPxNode::Type type, const MString* classification) {
    HostState* host = HostState::current();
    if (host == nullptr || plugin_ == nullptr) {
        return MStatus::kInvalidParameter;
    }
    if (type != MPxNode::kDependNode) {
        host->errors() << "// Error: registerNode \"" << typeName.asChar()
                       << "\": only dependency-graph nodes are supported." << std::endl;
        return MStatus::kNotImplemented;
    }
    return host->registerNode(*static_cast<vorlane::host::core::PluginRecord*>(plugin_),
                              typeName.asChar(), typeId.id(), creatorFunction, initFunction,
                              classification != nullptr ? classification->asChar() : "");
}

MStatus MFnPlugin::deregisterNode(const MTypeId& typeId) {
    HostState* host = HostState::current();
    if (host == nullptr || plugin_ == nullptr) {
        return MStatus::kInvalidParameter;
    }
    return host->deregisterNode(*static_cast<vorlane::host::core::PluginRecord*>(plugin_),
                                typeId.id());
}

MString MFnPlugin::vendor(MStatus* status) const {
    if (status != nullptr) {
        *status = plugin_ != nullptr ? MStatus::kSuccess : MStatus::kInvalidParameter;
    }
    return plugin_ != nullptr
               ? MString(static_cast<vorlane::host::core::PluginRecord*>(plugin_)->vendor.c_str())
               : MString();
}

MString MFnPlugin::version(MStatus* status) const {
    if (status != nullptr) {
        *status = plugin_ != nullptr ? MStatus::kSuccess : MStatus::kInvalidParameter;
    }
    return plugin_ != nullptr
               ? MString(static_cast<vorlane::host::core::PluginRecord*>(plugin_)->version.c_str())
               : MString();
}

MString MFnPlugin::apiVersion(MStatus* status) const {
    if (status != nullptr) {
        *status = plugin_ != nullptr ? MStatus::kSuccess : MStatus::kInvalidParameter;
    }
    return plugin_ != nullptr ? MString(static_cast<vorlane::host::core::PluginRecord*>(plugin_)
                                            ->requiredApiVersion.c_str())
                              : MString();
}
