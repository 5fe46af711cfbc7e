// Walks the elements of an array attribute in a node's data block.
#pragma once

#include <maya/MDataHandle.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MArrayDataHandle {
  public:
    MArrayDataHandle() = default;

    unsigned int elementCount(MStatus* status = nullptr) const;
    // Index of the current element.
    unsigned int elementIndex(MStatus* status = nullptr) const;
    // The current element; an invalid handle when there is none.
    MDataHandle inputValue(MStatus* status = nullptr);
    MDataHandle outputValue(MStatus* status = nullptr);
    // Moves to the next element; kFailure when there is none.
    MStatus next();
    MStatus jumpToElement(unsigned int position);
    MStatus jumpToArrayElement(unsigned int position) { return jumpToElement(position); }

    // Host side.
    MArrayDataHandle(const void* attribute, unsigned char* elements, unsigned int count,
                     unsigned int stride, void* block);

  private:
    const void* attribute_ = nullptr;
    unsigned char* elements_ = nullptr;
    unsigned int count_ = 0;
    unsigned int stride_ = 0;
    unsigned int current_ = 0;
    void* block_ = nullptr;
};
