#include "reflectance.h"

namespace vorlane::tools {

bool plotSupported() {
    return false;
}

bool writeReflectancePlot(const std::vector<PresetReflectance>&, const std::string& path,
                          std::string& error) {
    error = "cannot write '" + path + "': this build has no PLplot support (install libplplot-dev)";
    return false;
}

}  // namespace vorlane::tools
