// A reference to one value in a node's data block.
#pragma once

#include <maya/MFloatVector.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <cstdint>
#include <cstring>

// Host side: the leading part of the host's attribute record, which an
// attribute's MObject points to. The data block and handle accessors read it
// inline, so compute reaches its values without a call into the host library.
struct MAttributeAccess {
    static constexpr std::uint32_t kTag = 0x41747472;  // marks an attribute record

    std::uint32_t tag = kTag;
    // The completed node type whose data block holds this value itself; null
    // for arrays and their members, whose values live in array elements.
    const void* plainIn = nullptr;
    MAttributeAccess* parent = nullptr;
    unsigned int offset = 0;  // byte offset in its storage root (block or element)
    int valueKind = 0;        // MDataHandle::ValueKind: the accessor that reaches it

    // The attribute record behind `record`, or nullptr when it is none.
    static const MAttributeAccess* of(const void* record) {
        const auto* access = static_cast<const MAttributeAccess*>(record);
        return access != nullptr && access->tag == kTag ? access : nullptr;
    }
};

class OPENMAYA_EXPORT MDataHandle {
  public:
    // What kind of value a handle refers to, which decides the accessor that
    // reaches it. Host side; the plug-in uses the accessors.
    enum ValueKind : int {
        kNoValue,
        kFloatValue,
        kShortValue,
        kBoolValue,
        kVectorValue,
        kAddrValue
    };

    MDataHandle() = default;
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
    bool isValid() const { return data_ != nullptr; }

    // References into the data block. An accessor that does not match the
    // attribute's kind refers to the handle's scratch value, zeroed. Inline:
    // compute reaches its values without a call into the host per access.
    float& asFloat() const { return value<float>(kFloatValue); }
    short& asShort() const { return value<short>(kShortValue); }
    bool& asBool() const { return value<bool>(kBoolValue); }
    MFloatVector& asFloatVector() const { return value<MFloatVector>(kVectorValue); }
    void*& asAddr() const { return value<void*>(kAddrValue); }

    // The member `attribute` of this compound (or of this array element); an
    // invalid handle when it is not one.
    MDataHandle child(const MObject& attribute) {
        const MAttributeAccess* member = MAttributeAccess::of(attribute.record());
        if (data_ == nullptr || member == nullptr || member->parent != attribute_) {
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
    template <class T>
    T& value(ValueKind kind) const {
        static_assert(sizeof(T) <= sizeof(scratch_), "scratch too small");
        if (data_ != nullptr && kind_ == kind) {
            return *reinterpret_cast<T*>(data_);
        }
        std::memset(scratch_, 0, sizeof(scratch_));
        return *reinterpret_cast<T*>(scratch_);
    }

    const MAttributeAccess* attribute_ = nullptr;
    unsigned char* root_ = nullptr;
    unsigned char* data_ = nullptr;
    void* block_ = nullptr;
    ValueKind kind_ = kNoValue;
    // Zeroed when an accessor hands it out, not before: a handle that reaches
    // its value never touches it.
    alignas(8) mutable unsigned char scratch_[16];
};
