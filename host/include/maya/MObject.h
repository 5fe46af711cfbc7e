// A handle to an object the host owns (an attribute, a plug-in, a node).
#pragma once

#include <maya/MTypes.h>

#include <cstddef>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class MObject {
  public:
    MObject() : record_(NULL) {}
    // Host side: wraps one of the host's own records.
    explicit MObject(void* record) : record_(record) {}

    bool isNull() const { return record_ == NULL; }
    bool operator==(const MObject& other) const { return record_ == other.record_; }
    bool operator!=(const MObject& other) const { return record_ != other.record_; }
    // Host side: the record this handle stands for.
    void* record() const { return record_; }

    // The null handle, one object in the host's library.
    static OPENMAYA_EXPORT MObject kNullObj;

  private:
    void* record_;
};

OPENMAYA_NAMESPACE_CLOSE
