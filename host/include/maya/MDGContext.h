// The evaluation context; this host evaluates in the normal context only.
#pragma once

#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class MDGContext {
  public:
    bool isNormal() const { return true; }
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MDGContext)
