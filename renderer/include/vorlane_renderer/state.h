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
    miUint thread = 0;
};

// A state for `point` in `scene`, calling the shader whose record is `block`'s.
VORLANE_RENDERER_API miState makeState(const Scene& scene, ParameterBlock& block,
                                       const ShadingPoint& point) noexcept;

}  // namespace vorlane::renderer
