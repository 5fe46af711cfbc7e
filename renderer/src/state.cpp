#include "vorlane_renderer/state.h"

#include "sampling.h"

namespace vorlane::renderer {

miState makeState(const Scene& scene, ParameterBlock& block, const ShadingPoint& point) noexcept {
    miState state{};
    state.version = 2;
    state.thread = point.thread;
    state.point = point.point;
    state.normal = point.normal;
    state.normal_geom = point.normal;
    state.dir = point.dir;
    state.dist = 1.0;
    state.org = subtract(point.point, point.dir);  // one unit back along the ray
    state.dot_nd = dot(point.normal, point.dir);
    state.instance = kSurfaceInstance;
    state.ior = 1.0f;
    state.ior_in = 1.0f;
    block.bind(state);
    scene.bind(state);
    return state;
}

}  // namespace vorlane::renderer
