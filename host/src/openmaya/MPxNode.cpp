// The node base class: default behaviour of every virtual operation, and the
// class-wide calls that build a node type during its initialize.
#include <maya/MPxNode.h>

#include "../core/host_state.h"

using vorlane::host::AttributeCall;
using vorlane::host::core::attributeFrom;
using vorlane::host::core::HostState;

MPxNode::MPxNode() : hostRecord_(nullptr), mpSafe_(false) {}
MPxNode::~MPxNode() = default;

void MPxNode::postConstructor() {}

MStatus MPxNode::compute(const MPlug&, MDataBlock&) {
    return MStatus::kUnknownParameter;
}

bool MPxNode::getInternalValueInContext(const MPlug& plug, MDataHandle& handle, MDGContext&) {
    return getInternalValue(plug, handle);
}

bool MPxNode::setInternalValueInContext(const MPlug& plug, const MDataHandle& handle, MDGContext&) {
    return setInternalValue(plug, handle);
}

bool MPxNode::getInternalValue(const MPlug&, MDataHandle&) {
    return false;
}

bool MPxNode::setInternalValue(const MPlug&, const MDataHandle&) {
    return false;
}

int MPxNode::internalArrayCount(const MPlug&, const MDGContext&) const {
    return -1;
}

void MPxNode::copyInternalData(MPxNode*) {}

MStatus MPxNode::legalConnection(const MPlug&, const MPlug&, bool, bool&) const {
    return MStatus::kUnknownParameter;  // no opinion: the host decides
}

MStatus MPxNode::legalDisconnection(const MPlug&, const MPlug&, bool, bool&) const {
    return MStatus::kUnknownParameter;
}

MStatus MPxNode::setDependentsDirty(const MPlug&, MPlugArray&) {
    return MStatus::kSuccess;
}

MStatus MPxNode::connectionMade(const MPlug&, const MPlug&, bool) {
    return MStatus::kUnknownParameter;
}

MStatus MPxNode::connectionBroken(const MPlug&, const MPlug&, bool) {
    return MStatus::kUnknownParameter;
}

bool MPxNode::isPassiveOutput(const MPlug&) const {
    return false;
}

MStatus MPxNode::shouldSave(const MPlug&, bool&) {
    return MStatus::kUnknownParameter;
}

MPlug MPxNode::passThroughToOne(const MPlug&) const {
    return MPlug();
}

bool MPxNode::passThroughToMany(const MPlug&, MPlugArray&) const {
    return false;
}

MPxNode::Type MPxNode::type() const {
    return kDependNode;
}

bool MPxNode::isAbstractClass() const {
    return false;
}

// Serial unless the node says otherwise: kSerialize, the 2016 name, which
// the later headers keep as an alias of kSerial.
#if MAYA_API_VERSION >= 201600
MPxNode::SchedulingType MPxNode::schedulingType() const {
    return kSerialize;
}
#endif

void MPxNode::setMPSafe(bool flag) {
    mpSafe_ = flag;
}

MStatus MPxNode::addAttribute(const MObject& attribute) {
    HostState* host = HostState::current();
    auto* def = attributeFrom(attribute);
    if (host == nullptr || host->initializing() == nullptr || def == nullptr) {
        return MStatus::kInvalidParameter;
    }
    const MStatus::MStatusCode injected =
        host->injected(AttributeCall::AddAttribute, def->info.longName);
    if (injected != MStatus::kSuccess) {
        return injected;
    }
    return host->initializing()->addAttribute(def);
}

MStatus MPxNode::attributeAffects(const MObject& whenChanges, const MObject& isAffected) {
    HostState* host = HostState::current();
    auto* input = attributeFrom(whenChanges);
    auto* output = attributeFrom(isAffected);
    if (host == nullptr || host->initializing() == nullptr || input == nullptr ||
        output == nullptr) {
        return MStatus::kInvalidParameter;
    }
    const MStatus::MStatusCode injected =
        host->injected(AttributeCall::AttributeAffects, input->info.longName);
    if (injected != MStatus::kSuccess) {
        return injected;
    }
    return host->initializing()->addAffects(input, output);
}
