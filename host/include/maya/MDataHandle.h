// A reference to one value in a node's data block.
#pragma once

#include <maya/MFloatVector.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MDataHandle {
  public:
    MDataHandle() = default;
    MDataHandle(const MDataHandle& other);
    MDataHandle& operator=(const MDataHandle& other);

    // False when the handle refers to nothing (an attribute the node does not
    // have); its accessors then refer to a zeroed scratch value of the handle.
    bool isValid() const { return data_ != nullptr; }

    // References into the data block. An accessor that does not match the
    // attribute's kind refers to the handle's scratch value.
    float& asFloat();
    short& asShort();
    bool& asBool();
    MFloatVector& asFloatVector();
    void*& asAddr();

    // The member `attribute` of this compound (or of this array element).
    MDataHandle child(const MObject& attribute);
    // Marks the output this handle belongs to as up to date.
    void setClean();

    // Host side: a handle on `attribute` whose value lies in `root` (the data
    // block, or one array element) of the data block `block`.
    MDataHandle(const void* attribute, unsigned char* root, void* block);

  private:
    template <class T>
    T& scratchAs();

    const void* attribute_ = nullptr;
    unsigned char* root_ = nullptr;
    unsigned char* data_ = nullptr;
    void* block_ = nullptr;
    alignas(8) unsigned char scratch_[16] = {};
};
