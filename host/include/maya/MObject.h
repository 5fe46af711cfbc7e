// A handle to an object the host owns (an attribute, a plug-in, a node).
#pragma once

#include <maya/MTypes.h>

#include <cstddef>

OPENMAYA_MAJOR_NAMESPACE_OPEN

// Host side: the first part of every record of the host's that an MObject
// stands for; its kind tells an attribute, a node and a plug-in apart.
struct MHostRecord {
    enum Kind { kAttributeRecord, kNodeRecord, kPluginRecord };

    explicit MHostRecord(Kind recordKind) : kind(recordKind) {}

    Kind kind;
};

class MObject {
  public:
    MObject() : record_(NULL) {}
    // Host side: wraps one of the host's own records.
    explicit MObject(MHostRecord* record) : record_(record) {}

    bool isNull() const { return record_ == NULL; }
    bool operator==(const MObject& other) const { return record_ == other.record_; }
    bool operator!=(const MObject& other) const { return record_ != other.record_; }
    // Host side: the record this handle stands for.
    MHostRecord* record() const { return record_; }

    // The null handle, one object in the host's library.
    static OPENMAYA_EXPORT MObject kNullObj;

  private:
    MHostRecord* record_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MHostRecord)
OPENMAYA_USING(MObject)
