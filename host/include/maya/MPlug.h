// One attribute of one node, as the host hands it to compute.
#pragma once

#include <maya/MObject.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MPlug {
  public:
    MPlug() : node_(NULL), attribute_(NULL) {}
    MPlug(const MObject& node, const MObject& attribute)
        : node_(node.record()), attribute_(attribute.record()) {}

    bool isNull() const { return attribute_ == NULL; }
    MObject attribute() const { return MObject(attribute_); }
    MObject node() const { return MObject(node_); }
    // True when the plug is the given attribute (not its parent or a child).
    bool operator==(const MObject& attribute) const { return attribute_ == attribute.record(); }
    bool operator!=(const MObject& attribute) const { return attribute_ != attribute.record(); }
    bool operator==(const MPlug& other) const {
        return node_ == other.node_ && attribute_ == other.attribute_;
    }

  private:
    MHostRecord* node_;
    MHostRecord* attribute_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MPlug)
