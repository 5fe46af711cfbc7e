// The 3x3 matrix that brings accumulated specular colour into output colour.
#pragma once

#include "vorlane/model/types.h"

namespace vorlane_model {

// Row r produces output channel r from input red, green and blue.
typedef float ColorMatrix[3][3];

const ColorMatrix& colorMatrix();

// M times c, each row summed left to right in single precision.
Color applyColorMatrix(Color c);

}  // namespace vorlane_model
