// A list of plugs.
#pragma once

#include <maya/MPlug.h>

#include <vector>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class MPlugArray {
  public:
    unsigned int length() const { return static_cast<unsigned int>(plugs_.size()); }
    void append(const MPlug& plug) { plugs_.push_back(plug); }
    void clear() { plugs_.clear(); }
    const MPlug& operator[](unsigned int i) const { return plugs_[i]; }

  private:
    std::vector<MPlug> plugs_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MPlugArray)
