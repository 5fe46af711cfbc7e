// The 3x3 matrix that brings accumulated specular colour into output colour.
#pragma once

#include "vorlane/model/types.h"

namespace vorlane_model {

// M times c, each row of M summed left to right in single precision.
Color applyColorMatrix(Color c);

}  // namespace vorlane_model
