// The host's text type.
#pragma once

#include <maya/MTypes.h>

#include <string>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class FND_EXPORT MString {
  public:
    MString();
    MString(const char* text);
    MString(const char* text, int length);
    MString(const MString& other);
    MString& operator=(const MString& other);
    MString& operator=(const char* text);
    ~MString();

    MString& operator+=(const MString& other);
    MString& operator+=(const char* text);
    MString operator+(const MString& other) const;
    MString operator+(const char* text) const;
    bool operator==(const MString& other) const;
    bool operator==(const char* text) const;
    bool operator!=(const MString& other) const { return !(*this == other); }

    const char* asChar() const;
    unsigned int length() const;
    unsigned int numChars() const { return length(); }

  private:
    std::string text_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MString)
