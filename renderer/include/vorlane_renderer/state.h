// Builds the per-sample state the renderer hands a shader.
#pragma once

#include <shader.h>

#include "vorlane_renderer/export.h"
#include "vorlane_renderer/parameter_block.h"
#include "vorlane_renderer/scene.h"

namespace vorlane::renderer {

struct ShadingPoint {
    miVector point;
    miVector normal;
    miVector dir;  // from the eye toward the point
    short thread = 0;
};

// The instance tag of the surface that every state of the stand-in hits.
constexpr miTag kSurfaceInstance = 0x800;

// A state for `point` in `scene`, calling the shader whose record is `block`'s:
// the fields a renderer fills for an eye ray that hits a surface, zero where
// the stand-in has nothing to say, and the scene bound (Scene::bind).
VORLANE_RENDERER_API miState makeState(const Scene& scene, ParameterBlock& block,
                                       const ShadingPoint& point) noexcept;

}  // namespace vorlane::renderer
