// Result of a host API call: a code and its description.
#pragma once

#include <maya/MTypes.h>

#include <iostream>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class MString;

class FND_EXPORT MStatus {
  public:
    enum MStatusCode {
        kSuccess = 0,
        kFailure,
        kInsufficientMemory,
        kInvalidParameter,
        kLicenseFailure,
        kUnknownParameter,
        kNotImplemented,
        kNotFound,
        kEndOfFile
    };

    MStatus() : code_(kSuccess) {}
    MStatus(MStatusCode code) : code_(code) {}

    bool operator==(const MStatus& other) const { return code_ == other.code_; }
    bool operator==(MStatusCode code) const { return code_ == code; }
    bool operator!=(const MStatus& other) const { return code_ != other.code_; }
    bool operator!=(MStatusCode code) const { return code_ != code; }
    operator bool() const { return code_ == kSuccess; }
    bool error() const { return code_ != kSuccess; }
    void clear() { code_ = kSuccess; }
    MStatusCode statusCode() const { return code_; }

    // The host's description of the code.
    MString errorString() const;
    // Writes "<prefix>: <description>" (or the description alone for an empty
    // prefix) and an end of line to the host's error output.
    void perror(const char* prefix) const;
    void perror(const MString& prefix) const;

    // A code on the left compares as a status, not through operator bool.
    friend bool operator==(MStatusCode code, const MStatus& status) { return status == code; }
    friend bool operator!=(MStatusCode code, const MStatus& status) { return status != code; }

  private:
    MStatusCode code_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MStatus)

// Report a failed status with the source position, then the host's
// description; the second also returns `retVal` from the calling function.
#define CHECK_MSTATUS_AND_RETURN(_status, _retVal)                                         \
    {                                                                                      \
        MStatus _maya_status = (_status);                                                  \
        if (MStatus::kSuccess != _maya_status) {                                           \
            std::cerr << "\nAPI error detected in " << __FILE__ << " at line " << __LINE__ \
                      << std::endl;                                                        \
            _maya_status.perror("");                                                       \
            return (_retVal);                                                              \
        }                                                                                  \
    }

#define CHECK_MSTATUS(_status)                                                             \
    {                                                                                      \
        MStatus _maya_status = (_status);                                                  \
        if (MStatus::kSuccess != _maya_status) {                                           \
            std::cerr << "\nAPI error detected in " << __FILE__ << " at line " << __LINE__ \
                      << std::endl;                                                        \
            _maya_status.perror("");                                                       \
        }                                                                                  \
    }
