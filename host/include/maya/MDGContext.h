// The evaluation context; this host evaluates in the normal context only.
#pragma once

#include <maya/MTypes.h>

class MDGContext {
  public:
    bool isNormal() const { return true; }
};
