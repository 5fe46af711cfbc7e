// Data block, data handles and array data handles over the host's block record.
#include <maya/MArrayDataHandle.h>
#include <maya/MDataBlock.h>
#include <maya/MDataHandle.h>

#include <cstring>

#include "../core/records.h"

using vorlane::host::AttributeKind;
using vorlane::host::core::AttributeDef;
using vorlane::host::core::attributeFrom;
using vorlane::host::core::BlockRecord;

namespace {

const AttributeDef* definition(const void* attribute) {
    return static_cast<const AttributeDef*>(attribute);
}

void report(MStatus* status, MStatus::MStatusCode code) {
    if (status != nullptr) {
        *status = code;
    }
}

// The attribute as a plain (not array, not array member) value of `block`.
const AttributeDef* plainValue(BlockRecord* block, const MObject& attribute) {
    const AttributeDef* def = attributeFrom(attribute);
    if (def == nullptr || !block->type().owns(def) || def->insideArray || def->arraySlot >= 0) {
        return nullptr;
    }
    return def;
}

}  // namespace

namespace {

// A handle on `def`, whose value lies in `root`.
MDataHandle handleOn(const AttributeDef* def, unsigned char* root, void* block) {
    return MDataHandle(def, root, root != nullptr ? root + def->offset : nullptr, def->valueKind,
                       block);
}

}  // namespace

MDataHandle MDataHandle::child(const MObject& attribute) {
    const AttributeDef* def = attributeFrom(attribute);
    if (data_ == nullptr || def == nullptr || def->parent != definition(attribute_)) {
        return MDataHandle();
    }
    return handleOn(def, root_, block_);
}

void MDataHandle::setClean() {
    if (block_ != nullptr && attribute_ != nullptr) {
        static_cast<BlockRecord*>(block_)->markClean(definition(attribute_));
    }
}

MArrayDataHandle::MArrayDataHandle(const void* attribute, unsigned char* elements,
                                   unsigned int count, unsigned int stride, void* block)
    : attribute_(attribute), elements_(elements), count_(count), stride_(stride), block_(block) {}

unsigned int MArrayDataHandle::elementCount(MStatus* status) const {
    report(status, attribute_ != nullptr ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return count_;
}

unsigned int MArrayDataHandle::elementIndex(MStatus* status) const {
    report(status, current_ < count_ ? MStatus::kSuccess : MStatus::kFailure);
    return current_;
}

MDataHandle MArrayDataHandle::inputValue(MStatus* status) {
    if (attribute_ == nullptr || current_ >= count_) {
        report(status, MStatus::kFailure);
        return MDataHandle();
    }
    report(status, MStatus::kSuccess);
    return handleOn(definition(attribute_),
                    elements_ + static_cast<std::size_t>(current_) * stride_, block_);
}

MDataHandle MArrayDataHandle::outputValue(MStatus* status) {
    return inputValue(status);
}

MStatus MArrayDataHandle::next() {
    if (current_ + 1 >= count_) {
        current_ = count_;
        return MStatus::kFailure;
    }
    ++current_;
    return MStatus::kSuccess;
}

MStatus MArrayDataHandle::jumpToElement(unsigned int position) {
    if (position >= count_) {
        return MStatus::kInvalidParameter;
    }
    current_ = position;
    return MStatus::kSuccess;
}

MDataHandle MDataBlock::inputValue(const MObject& attribute, MStatus* status) {
    auto* block = static_cast<BlockRecord*>(block_);
    const AttributeDef* def = plainValue(block, attribute);
    if (def == nullptr) {
        report(status, MStatus::kInvalidParameter);
        return MDataHandle();
    }
    report(status, MStatus::kSuccess);
    return handleOn(def, block->blockBytes(), block);
}

MDataHandle MDataBlock::outputValue(const MObject& attribute, MStatus* status) {
    return inputValue(attribute, status);
}

MArrayDataHandle MDataBlock::inputArrayValue(const MObject& attribute, MStatus* status) {
    auto* block = static_cast<BlockRecord*>(block_);
    const AttributeDef* def = attributeFrom(attribute);
    if (def == nullptr || !block->type().owns(def) || def->arraySlot < 0) {
        report(status, MStatus::kInvalidParameter);
        return MArrayDataHandle();
    }
    report(status, MStatus::kSuccess);
    return MArrayDataHandle(def, block->elements(def->arraySlot), block->count(def->arraySlot),
                            def->elementStride, block);
}

MArrayDataHandle MDataBlock::outputArrayValue(const MObject& attribute, MStatus* status) {
    return inputArrayValue(attribute, status);
}

MStatus MDataBlock::setClean(const MObject& attribute) {
    auto* block = static_cast<BlockRecord*>(block_);
    const AttributeDef* def = attributeFrom(attribute);
    if (def == nullptr || !block->type().owns(def)) {
        return MStatus::kInvalidParameter;
    }
    block->markClean(def);
    return MStatus::kSuccess;
}

bool MDataBlock::isClean(const MObject& attribute, MStatus* status) {
    auto* block = static_cast<BlockRecord*>(block_);
    const AttributeDef* def = attributeFrom(attribute);
    if (def == nullptr || !block->type().owns(def)) {
        report(status, MStatus::kInvalidParameter);
        return false;
    }
    report(status, MStatus::kSuccess);
    return block->clean(def);
}
