// The measured materials by preset index, named as the vorlane node's
// enumeration names them: --preset takes these names, and the gallery, the
// swatches and the plot are labelled with them.
#pragma once

#include <string>
#include <vector>

namespace vorlane::tools {

inline const std::vector<std::string> kPresetNames = {
    "Blue Paint", "Gray Primer",    "Red Clay",    "Black Felt",
    "Blue Felt",  "Caucasian Male", "Indian Male",
};

}  // namespace vorlane::tools
