// A reference to one value in a node's data block.
#pragma once

#include <maya/MFloatVector.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <cstddef>
#include <cstring>

OPENMAYA_MAJOR_NAMESPACE_OPEN

// Host side: the leading part of the host's attribute record, which an
// attribute's MObject points to. The data block and handle accessors read it
// inline, so compute reaches its values without a call into the host library.
struct MAttributeAccess : MHostRecord {
    MAttributeAccess()
        : MHostRecord(kAttributeRecord), plainIn(NULL), parent(NULL), offset(0), valueKind(0) {}

    // The completed node type whose data block holds this value itself; null
    // for arrays and their members, whose values live in array elements.
    const void* plainIn;
    MAttributeAccess* parent;
    unsigned int offset;  // byte offset in its storage root (block or element)
    int valueKind;        // MDataHandle::ValueKind: the accessor that reaches it

    // The attribute record behind `record`, or null when it is none.
    static const MAttributeAccess* of(const MHostRecord* record) {
        return record != NULL && record->kind == kAttributeRecord
                   ? static_cast<const MAttributeAccess*>(record)
                   : NULL;
    }
};

class OPENMAYA_EXPORT MDataHandle {
  public:
    // What kind of value a handle refers to, which decides the accessor that
    // reaches it. Host side; the plug-in uses the accessors.
    enum ValueKind { kNoValue, kFloatValue, kShortValue, kBoolValue, kVectorValue, kAddrValue };

    MDataHandle() : attribute_(NULL), root_(NULL), data_(NULL), block_(NULL), kind_(kNoValue) {}
    MDataHandle(const MDataHandle& other)
        : attribute_(other.attribute_),
          root_(other.root_),
          data_(other.data_),
          block_(other.block_),
          kind_(other.kind_) {}
    MDataHandle& operator=(const MDataHandle& other) {
        attribute_ = other.attribute_;
        root_ = other.root_;
        data_ = other.data_;
        block_ = other.block_;
        kind_ = other.kind_;
        return *this;
    }

    // False when the handle refers to nothing (an attribute the node does not
    // have); its accessors then refer to a zeroed scratch value of the handle.
    bool isValid() const { return data_ != NULL; }

    // References into the data block. An accessor that does not match the
    // attribute's kind refers to the handle's scratch value, zeroed. Inline:
    // compute reaches its values without a call into the host per access.
    float& asFloat() const { return *static_cast<float*>(value(kFloatValue)); }
    short& asShort() const { return *static_cast<short*>(value(kShortValue)); }
    bool& asBool() const { return *static_cast<bool*>(value(kBoolValue)); }
    MFloatVector& asFloatVector() const { return *static_cast<MFloatVector*>(value(kVectorValue)); }
    void*& asAddr() const { return *static_cast<void**>(value(kAddrValue)); }

    // The member `attribute` of this compound (or of this array element); an
    // invalid handle when it is not one.
    MDataHandle child(const MObject& attribute) {
        const MAttributeAccess* member = MAttributeAccess::of(attribute.record());
        if (data_ == NULL || member == NULL || member->parent != attribute_) {
            return MDataHandle();
        }
        return MDataHandle(member, root_, block_);
    }
    // Marks the output this handle belongs to as up to date.
    void setClean();

    // Host side: a handle on `attribute`, whose value lies in `root` (the data
    // block or one array element, never null) of the data block `block`.
    MDataHandle(const MAttributeAccess* attribute, unsigned char* root, void* block)
        : attribute_(attribute),
          root_(root),
          data_(root + attribute->offset),
          block_(block),
          kind_(static_cast<ValueKind>(attribute->valueKind)) {}

  private:
    // The value of `kind` this handle refers to, or its scratch value zeroed.
    void* value(ValueKind kind) const {
        if (data_ != NULL && kind_ == kind) {
            return data_;
        }
        std::memset(scratch_.bytes, 0, sizeof(scratch_.bytes));
        return scratch_.bytes;
    }

    // Room for the largest value a handle reaches, aligned for any of them.
    union Scratch {
        double alignment;
        void* pointer;
        unsigned char bytes[16];
    };

    const MAttributeAccess* attribute_;
    unsigned char* root_;
    unsigned char* data_;
    void* block_;
    ValueKind kind_;
    // Zeroed when an accessor hands it out, not before: a handle that reaches
    // its value never touches it.
    mutable Scratch scratch_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MAttributeAccess)
OPENMAYA_USING(MDataHandle)
