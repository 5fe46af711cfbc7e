// The evaluation context; this host evaluates in the normal context only.
#pragma once

class MDGContext {
  public:
    bool isNormal() const { return true; }
};
