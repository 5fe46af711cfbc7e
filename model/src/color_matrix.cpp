#include "vorlane/model/color_matrix.h"

namespace vorlane_model {
namespace {

// Row r produces output channel r from input red, green and blue.
const float kColorMatrix[3][3] = {
    {1.063302f, 0.382044f, -0.445346f},
    {-0.298125f, 1.667665f, -0.36954f},
    {-1.322302f, -0.446321f, 2.768624f},
};

float rowTimes(const float row[3], Color c) {
    return row[0] * c.r + row[1] * c.g + row[2] * c.b;
}

}  // namespace

Color applyColorMatrix(Color c) {
    return makeColor(rowTimes(kColorMatrix[0], c), rowTimes(kColorMatrix[1], c),
                     rowTimes(kColorMatrix[2], c));
}

}  // namespace vorlane_model
