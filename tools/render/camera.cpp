#include "camera.h"

#include <cmath>

namespace vorlane::tools {

float hashToUnit(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    std::uint32_t h = a * 0x8da6b343u ^ b * 0xd8163841u ^ c * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return static_cast<float>(h >> 8) * (1.0f / 16777216.0f);
}

Camera::Camera(int width, int height, float verticalFovDegrees)
    : width_(width),
      height_(height),
      scale_(std::tan(verticalFovDegrees * 0.5f * 3.14159265f / 180.0f)) {}

Ray Camera::primaryRay(int x, int y, int s, int samplesPerPixel) const {
    int grid = 1;
    while (grid * grid < samplesPerPixel) {
        ++grid;
    }
    const float jx = hashToUnit(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                                static_cast<std::uint32_t>(2 * s));
    const float jy = hashToUnit(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                                static_cast<std::uint32_t>(2 * s + 1));
    const float sx = samplesPerPixel == 1 ? 0.5f : (static_cast<float>(s % grid) + jx) / grid;
    const float sy =
        samplesPerPixel == 1 ? 0.5f : (static_cast<float>(s / grid % grid) + jy) / grid;
    const float aspect = static_cast<float>(width_) / static_cast<float>(height_);
    const float px =
        (2.0f * (static_cast<float>(x) + sx) / static_cast<float>(width_) - 1.0f) * scale_ * aspect;
    const float py =
        (1.0f - 2.0f * (static_cast<float>(y) + sy) / static_cast<float>(height_)) * scale_;
    return {{0.0f, 0.0f, 0.0f}, normalized({px, py, -1.0f})};
}

}  // namespace vorlane::tools
