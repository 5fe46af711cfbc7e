#include "image.h"

namespace vorlane::tools {

bool exrSupported() {
    return false;
}

bool writeExr(const Image&, const std::string& path, std::string& error) {
    error =
        "cannot write '" + path + "': this build has no OpenEXR support (install libopenexr-dev)";
    return false;
}

}  // namespace vorlane::tools
