#include <maya/MStatus.h>
#include <maya/MString.h>

#include <ostream>

#include "error_output.h"

namespace {

const char* describe(MStatus::MStatusCode code) {
    switch (code) {
        case MStatus::kSuccess:
            return "(kSuccess): Success";
        case MStatus::kFailure:
            return "(kFailure): Unexpected Internal Failure";
        case MStatus::kInsufficientMemory:
            return "(kInsufficientMemory): Insufficient Memory";
        case MStatus::kInvalidParameter:
            return "(kInvalidParameter): Object is incompatible with this method";
        case MStatus::kLicenseFailure:
            return "(kLicenseFailure): License Failure";
        case MStatus::kUnknownParameter:
            return "(kUnknownParameter): Unknown Parameter";
        case MStatus::kNotImplemented:
            return "(kNotImplemented): Not Implemented";
        case MStatus::kNotFound:
            return "(kNotFound): Not Found";
        case MStatus::kEndOfFile:
            return "(kEndOfFile): End of File";
    }
    return "(unknown status code)";
}

}  // namespace

MString MStatus::errorString() const {
    return MString(describe(code_));
}

void MStatus::perror(const char* prefix) const {
    std::ostream& out = vorlane::host::foundation::errorOutput();
    if (prefix != nullptr && prefix[0] != '\0') {
        out << prefix << ": ";
    }
    out << describe(code_) << std::endl;
}

void MStatus::perror(const MString& prefix) const {
    perror(prefix.asChar());
}
