// A node's data: every attribute value it holds, for compute to read and write.
#pragma once

#include <maya/MArrayDataHandle.h>
#include <maya/MDataHandle.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MDataBlock {
  public:
    // Host side: wraps the host's data block record.
    explicit MDataBlock(void* block) : block_(block) {}

    MDataHandle inputValue(const MObject& attribute, MStatus* status = nullptr);
    MDataHandle outputValue(const MObject& attribute, MStatus* status = nullptr);
    MArrayDataHandle inputArrayValue(const MObject& attribute, MStatus* status = nullptr);
    MArrayDataHandle outputArrayValue(const MObject& attribute, MStatus* status = nullptr);
    MStatus setClean(const MObject& attribute);
    bool isClean(const MObject& attribute, MStatus* status = nullptr);

  private:
    void* block_;
};
