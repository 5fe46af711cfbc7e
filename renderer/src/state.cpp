#include "vorlane_renderer/state.h"

namespace vorlane::renderer {

miState makeState(const Scene& scene, ParameterBlock& block, const ShadingPoint& point) noexcept {
    miState state{};
    state.thread = point.thread;
    state.point = point.point;
    state.normal = point.normal;
    state.normal_geom = point.normal;
    state.dir = point.dir;
    state.dist = 1.0f;
    block.bind(state);
    scene.bind(state);
    return state;
}

}  // namespace vorlane::renderer
