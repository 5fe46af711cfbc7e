// A node's data: every attribute value it holds, for compute to read and write.
#pragma once

#include <maya/MArrayDataHandle.h>
#include <maya/MDataHandle.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MDataBlock {
  public:
    // Host side: wraps the host's data block record `block` of node type
    // `type`, whose plain values lie in `bytes` (never null).
    MDataBlock(void* block, const void* type, unsigned char* bytes)
        : block_(block), type_(type), bytes_(bytes) {}

    // Inline: compute reads every input this way, once per shading sample.
    MDataHandle inputValue(const MObject& attribute, MStatus* status = NULL) {
        const MAttributeAccess* access = MAttributeAccess::of(attribute.record());
        const bool found = access != NULL && access->plainIn == type_;
        if (status != NULL) {
            *status = found ? MStatus::kSuccess : MStatus::kInvalidParameter;
        }
        return found ? MDataHandle(access, bytes_, block_) : MDataHandle();
    }
    MDataHandle outputValue(const MObject& attribute, MStatus* status = NULL) {
        return inputValue(attribute, status);
    }
    MArrayDataHandle inputArrayValue(const MObject& attribute, MStatus* status = NULL);
    MArrayDataHandle outputArrayValue(const MObject& attribute, MStatus* status = NULL);
    MStatus setClean(const MObject& attribute);
    bool isClean(const MObject& attribute, MStatus* status = NULL);

  private:
    void* block_;
    const void* type_;
    unsigned char* bytes_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MDataBlock)
