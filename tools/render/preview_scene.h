// The preview scene: a sphere on a ground plane under a key light, a fill
// light and an area light, in camera space. Both shading paths see the same
// scene; the ground and the background are shaded by the preview itself.
#pragma once

#include <string>
#include <vector>

#include "geometry.h"
#include "image.h"

namespace vorlane::tools {

struct PreviewLight {
    enum class Kind { Point, Area };
    Kind kind;
    std::string name;
    V3 position;  // point: the light; area: one corner of the rectangle
    V3 edgeU;     // area only
    V3 edgeV;     // area only
    Rgb color;
    int samples;  // area only: shadow samples on a grid of that many cells

    // The light's sample positions: the point itself, or the cell centres of
    // the area light's grid. Filled once by makePreviewScene, so that shading
    // a sample allocates nothing.
    std::vector<V3> positions;

    std::vector<V3> samplePositions() const;
    V3 center() const;
};

struct PreviewScene {
    Shapes shapes;  // the material sphere first, then the ground
    std::vector<PreviewLight> lights;
    bool withGround = true;

    // The ground's own diffuse shading, with shadows.
    Rgb shadeGround(const Hit& hit) const;
    // What a ray that hits nothing sees.
    static Rgb background(const Ray& ray);
    // Colour arriving at `point` from `light` with shadowing applied (the
    // mean over the light's sample positions) and the direction toward it.
    Rgb shadowedIntensity(const PreviewLight& light, V3 point) const;
};

// Light set names accepted by makePreviewScene.
const std::vector<std::string>& lightNames();

// A sphere on a ground plane lit by the named lights ("key", "fill", "area").
// `swatch` gives the material-browser look: no ground, a neutral background.
PreviewScene makePreviewScene(const std::vector<std::string>& lights, bool swatch);

}  // namespace vorlane::tools
