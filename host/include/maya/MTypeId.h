// A node type identifier.
#pragma once

#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class MTypeId {
  public:
    MTypeId() : id_(0) {}
    MTypeId(unsigned int id) : id_(id) {}
    unsigned int id() const { return id_; }
    bool operator==(const MTypeId& other) const { return id_ == other.id_; }
    bool operator!=(const MTypeId& other) const { return id_ != other.id_; }

  private:
    unsigned int id_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MTypeId)
