// A pinhole camera at the camera-space origin looking down -z, and the
// deterministic per-pixel sample positions of the preview renderer.
#pragma once

#include <cstdint>

#include "geometry.h"

namespace vorlane::tools {

// A stateless hash to [0, 1): the same pixel and sample always get the same
// jitter, whichever thread shades them.
float hashToUnit(std::uint32_t a, std::uint32_t b, std::uint32_t c);

class Camera {
  public:
    Camera(int width, int height, float verticalFovDegrees);

    // Unit ray through pixel (x, y) for sample `s` of `samplesPerPixel`:
    // stratified over a square grid, jittered within each stratum.
    Ray primaryRay(int x, int y, int s, int samplesPerPixel) const;

  private:
    int width_;
    int height_;
    float scale_;
};

}  // namespace vorlane::tools
