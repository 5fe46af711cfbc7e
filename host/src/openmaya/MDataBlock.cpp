// The out-of-line parts of the data block and its handles: the array handle,
// marking outputs clean and asking whether they are. Values are read inline.
#include <maya/MArrayDataHandle.h>
#include <maya/MDataBlock.h>
#include <maya/MDataHandle.h>

#include "../core/records.h"

using vorlane::host::core::AttributeDef;
using vorlane::host::core::attributeFrom;
using vorlane::host::core::BlockRecord;

namespace {

void report(MStatus* status, MStatus::MStatusCode code) {
    if (status != nullptr) {
        *status = code;
    }
}

}  // namespace

void MDataHandle::setClean() {
    if (block_ != nullptr && attribute_ != nullptr) {
        static_cast<BlockRecord*>(block_)->markClean(attributeFrom(attribute_));
    }
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
