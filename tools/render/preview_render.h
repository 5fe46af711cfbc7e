// Renders one view of the preview scene with one material on worker threads.
#pragma once

#include "image.h"
#include "material_paths.h"
#include "preview_scene.h"
#include "progress.h"

namespace vorlane::tools {

struct RenderSettings {
    int size = 160;           // the view is size x size pixels
    int samplesPerPixel = 4;  // stratified, jittered
    int threads = 1;
    bool swatch = false;  // neutral background, no ground
};

// The camera's vertical field of view, in degrees.
constexpr float kPreviewFieldOfView = 32.0f;

// Tiles a view renders in, for progress totals.
long tilesPerView(const RenderSettings& settings);

// Renders the scene with `material` on the sphere. The image depends only on
// the scene, the material and the size and sample settings, not on threads.
Image renderView(const PreviewScene& scene, Material& material, const RenderSettings& settings,
                 Progress* progress);

}  // namespace vorlane::tools
