// The node's bridge to the reflectance model: compute and initialize call the
// model through these functions, on plain float triples, so the node's own
// files deal only in the host's types. The per-sample functions are inline so
// that compute's light loop holds the model's arithmetic directly.
#pragma once

#include <cstddef>

#include <vorlane/model/color_matrix.h>
#include <vorlane/model/lobes.h>
#include <vorlane/model/presets.h>

namespace vorlane_shading {

namespace detail {

inline vorlane_model::Vec3 vec(const float v[3]) {
    return vorlane_model::makeVec3(v[0], v[1], v[2]);
}

inline void store(vorlane_model::Vec3 v, float out[3]) {
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
}

}  // namespace detail

// `point` scaled to unit length by the host node's rule.
inline void normalizeView(const float point[3], float view[3]) {
    detail::store(vorlane_model::normalizeVector<vorlane_model::HostPrecision>(detail::vec(point)),
                  view);
}

// What the specular term of every light of one sample shares: the preset's
// coefficients and the shading frame of the normalised normal. The frame
// depends on the normal alone, so building it once per sample gives the same
// bits as building it for every light.
struct SpecularSurface {
    const vorlane_model::LobeCoefficientBlock* lobes;  // null outside the table
    vorlane_model::ShadingFrame frame;
};

// Selects preset `preset` and builds the frame of `normal` (unnormalised).
inline void prepareSpecular(short preset, const float normal[3], SpecularSurface& surface) {
    using vorlane_model::HostPrecision;
    surface.lobes = vorlane_model::findPreset(preset);
    if (surface.lobes == NULL) {
        return;
    }
    const vorlane_model::Vec3 n =
        vorlane_model::normalizeVector<HostPrecision>(detail::vec(normal));
    surface.frame = vorlane_model::makeShadingFrame<HostPrecision>(n);
}

// Adds the three lobes of one light to `sum`: the light direction is
// normalised here, `weight` is the unnormalised cosine weight. A surface
// without a preset adds nothing.
inline void accumulateSpecular(const SpecularSurface& surface, const float view[3],
                               const float direction[3], const float intensity[3], float weight,
                               float sum[3]) {
    using vorlane_model::HostPrecision;
    if (surface.lobes == NULL) {
        return;
    }
    const vorlane_model::Vec3 toLight =
        vorlane_model::normalizeVector<HostPrecision>(detail::vec(direction));
    vorlane_model::Color accumulator = vorlane_model::makeColor(sum[0], sum[1], sum[2]);
    vorlane_model::accumulateLobes<HostPrecision>(
        *surface.lobes, surface.frame, detail::vec(view), toLight,
        vorlane_model::makeColor(intensity[0], intensity[1], intensity[2]), weight, accumulator);
    sum[0] = accumulator.r;
    sum[1] = accumulator.g;
    sum[2] = accumulator.b;
}

// The colour matrix applied to `color`, in place.
inline void applyColorMatrix(float color[3]) {
    const vorlane_model::Color out =
        vorlane_model::applyColorMatrix(vorlane_model::makeColor(color[0], color[1], color[2]));
    color[0] = out.r;
    color[1] = out.g;
    color[2] = out.b;
}

// The preset fields in their order of declaration.
int presetFieldCount();
const char* presetFieldName(int position);
short presetFieldValue(int position);

}  // namespace vorlane_shading
