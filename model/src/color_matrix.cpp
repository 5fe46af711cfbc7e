#include "vorlane/model/color_matrix.h"

namespace vorlane_model {
namespace {

constexpr ColorMatrix kColorMatrix = {{
    {1.063302f, 0.382044f, -0.445346f},
    {-0.298125f, 1.667665f, -0.36954f},
    {-1.322302f, -0.446321f, 2.768624f},
}};

}  // namespace

const ColorMatrix& colorMatrix() noexcept {
    return kColorMatrix;
}

Color applyColorMatrix(Color c) noexcept {
    const auto row = [&c](const std::array<float, 3>& m) {
        return m[0] * c.r + m[1] * c.g + m[2] * c.b;
    };
    return {row(kColorMatrix[0]), row(kColorMatrix[1]), row(kColorMatrix[2])};
}

}  // namespace vorlane_model
