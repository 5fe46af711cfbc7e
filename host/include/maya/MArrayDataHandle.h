// Walks the elements of an array attribute in a node's data block.
#pragma once

#include <maya/MDataHandle.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <cstddef>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MArrayDataHandle {
  public:
    // Inline: compute walks the light array this way for every sample.
    unsigned int elementCount(MStatus* status = NULL) {
        report(status, attribute_ != NULL ? MStatus::kSuccess : MStatus::kInvalidParameter);
        return count_;
    }
    // Index of the current element.
    unsigned int elementIndex(MStatus* status = NULL) const {
        report(status, current_ < count_ ? MStatus::kSuccess : MStatus::kFailure);
        return current_;
    }
    // The current element; an invalid handle when there is none.
    MDataHandle inputValue(MStatus* status = NULL) {
        if (attribute_ == NULL || current_ >= count_) {
            report(status, MStatus::kFailure);
            return MDataHandle();
        }
        report(status, MStatus::kSuccess);
        return MDataHandle(attribute_, elements_ + static_cast<std::size_t>(current_) * stride_,
                           block_);
    }
    MDataHandle outputValue(MStatus* status = NULL) { return inputValue(status); }
    // Moves to the next element; kFailure when there is none.
    MStatus next() {
        if (current_ + 1 >= count_) {
            current_ = count_;
            return MStatus::kFailure;
        }
        ++current_;
        return MStatus::kSuccess;
    }
    MStatus jumpToElement(unsigned int position) {
        if (position >= count_) {
            return MStatus::kInvalidParameter;
        }
        current_ = position;
        return MStatus::kSuccess;
    }
    MStatus jumpToArrayElement(unsigned int position) { return jumpToElement(position); }

    // Host side.
    MArrayDataHandle(const MAttributeAccess* attribute, unsigned char* elements, unsigned int count,
                     unsigned int stride, void* block)
        : attribute_(attribute),
          elements_(elements),
          count_(count),
          stride_(stride),
          current_(0),
          block_(block) {}

  private:
    friend class MDataBlock;
    MArrayDataHandle()
        : attribute_(NULL), elements_(NULL), count_(0), stride_(0), current_(0), block_(NULL) {}

    static void report(MStatus* status, MStatus::MStatusCode code) {
        if (status != NULL) {
            *status = code;
        }
    }

    const MAttributeAccess* attribute_;
    unsigned char* elements_;
    unsigned int count_;
    unsigned int stride_;
    unsigned int current_;
    void* block_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MArrayDataHandle)
