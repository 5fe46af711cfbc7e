#include "vorlaneShading.h"

#include <vorlane/model/color_matrix.h>
#include <vorlane/model/lobes.h>
#include <vorlane/model/presets.h>

namespace vorlane_shading {
namespace {

using vorlane_model::Color;
using vorlane_model::HostPrecision;
using vorlane_model::Vec3;

Vec3 vec(const float v[3]) {
    return {v[0], v[1], v[2]};
}

void store(Vec3 v, float out[3]) {
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
}

}  // namespace

void normalizeView(const float point[3], float view[3]) {
    const Vec3 v = vorlane_model::normalizeVector<HostPrecision>(vec(point));
    view[0] = v.x;
    view[1] = v.y;
    view[2] = v.z;
}

void prepareSpecular(short preset, const float normal[3], SpecularSurface& surface) {
    surface.lobes = vorlane_model::findPreset(preset);
    if (surface.lobes == nullptr) {
        return;
    }
    const Vec3 n = vorlane_model::normalizeVector<HostPrecision>(vec(normal));
    const vorlane_model::ShadingFrame frame = vorlane_model::makeShadingFrame<HostPrecision>(n);
    store(frame.t, surface.tangent);
    store(frame.b, surface.bitangent);
    store(frame.n, surface.normal);
}

void accumulateSpecular(const SpecularSurface& surface, const float view[3],
                        const float direction[3], const float intensity[3], float weight,
                        float sum[3]) {
    const auto* lobes = static_cast<const vorlane_model::LobeCoefficientBlock*>(surface.lobes);
    if (lobes == nullptr) {
        return;
    }
    const vorlane_model::ShadingFrame frame{vec(surface.tangent), vec(surface.bitangent),
                                            vec(surface.normal)};
    const Vec3 toLight = vorlane_model::normalizeVector<HostPrecision>(vec(direction));
    Color accumulator{sum[0], sum[1], sum[2]};
    vorlane_model::accumulateLobes<HostPrecision>(*lobes, frame, vec(view), toLight,
                                                  Color{intensity[0], intensity[1], intensity[2]},
                                                  weight, accumulator);
    sum[0] = accumulator.r;
    sum[1] = accumulator.g;
    sum[2] = accumulator.b;
}

void applyColorMatrix(float color[3]) {
    const Color out = vorlane_model::applyColorMatrix(Color{color[0], color[1], color[2]});
    color[0] = out.r;
    color[1] = out.g;
    color[2] = out.b;
}

int presetFieldCount() {
    return static_cast<int>(vorlane_model::presetDeclarationOrder().size());
}

const char* presetFieldName(int position) {
    return vorlane_model::presetDeclarationOrder()[static_cast<std::size_t>(position)].name;
}

short presetFieldValue(int position) {
    return vorlane_model::presetDeclarationOrder()[static_cast<std::size_t>(position)].index;
}

}  // namespace vorlane_shading
