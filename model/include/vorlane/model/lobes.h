// The generalized cosine-lobe reflectance model: normalisation, shading frame
// and three-lobe accumulation, parameterised by a precision rule set
// (HostPrecision or RendererPrecision). Header-only so that each deliverable
// inlines it into its per-sample loop; pure functions, no state.
#pragma once

#include <cmath>

#include "vorlane/model/precision.h"
#include "vorlane/model/presets.h"
#include "vorlane/model/types.h"

namespace vorlane_model {

template <class Precision>
inline Vec3 normalizeVector(Vec3 v) {
    return Precision::normalize(v);
}

// Unnormalised tangent: the component of smallest magnitude becomes zero and
// the other two are swapped with the first negated. Comparisons are strict, so
// ties and NaN take the "<=" branches; negation flips only the sign.
inline Vec3 unnormalizedTangent(Vec3 n) {
    const float ax = std::fabs(n.x);
    const float ay = std::fabs(n.y);
    const float az = std::fabs(n.z);
    if (ay > ax) {
        if (az > ax) {
            return makeVec3(0.0f, -n.z, n.y);
        }
        return makeVec3(-n.y, n.x, 0.0f);
    }
    if (az > ay) {
        return makeVec3(-n.z, 0.0f, n.x);
    }
    return makeVec3(-n.y, n.x, 0.0f);
}

template <class Precision>
inline ShadingFrame makeShadingFrame(Vec3 n) {
    const Vec3 t = normalizeVector<Precision>(unnormalizedTangent(n));
    const ShadingFrame frame = {t, cross(n, t), n};
    return frame;
}

// Adds the three lobes of every channel of `block` to `accumulator`, weighted
// by the light colour and the cosine weight. A base that does not exceed
// 0.001 * n (NaN included) contributes 0 and costs no power evaluation; a
// weight that is not strictly positive (NaN included) adds nothing at all, so
// the lobes are not evaluated for it.
template <class Precision>
inline void accumulateLobes(const LobeCoefficientBlock& block, const ShadingFrame& frame, Vec3 view,
                            Vec3 light, Color intensity, float weight, Color& accumulator) {
    if (!(weight > 0.0f)) {
        return;
    }
    // Sxy = (T.V)(T.L) + (B.V)(B.L) and Sz = (N.V)(N.L), each product formed
    // by the rule set's axisProduct; every base of this light shares them.
    const float tangentTerm =
        Precision::axisProduct(frame.t, view, light) + Precision::axisProduct(frame.b, view, light);
    const float normalTerm = Precision::axisProduct(frame.n, view, light);
    const float channelIntensity[kChannelCount] = {intensity.r, intensity.g, intensity.b};
    float* const channelSum[kChannelCount] = {&accumulator.r, &accumulator.g, &accumulator.b};

    for (int lobe = 0; lobe < kLobeCount; ++lobe) {
        float value[kChannelCount];
        for (int c = 0; c < kChannelCount; ++c) {
            const float exponent = block.exponent(lobe, c);
            const float base =
                -(block.cxy(lobe, c) * tangentTerm) - (block.cz(lobe, c) * normalTerm);
            value[c] = Precision::passesThreshold(base, exponent) ? Precision::power(base, exponent)
                                                                  : 0.0f;
        }
        for (int c = 0; c < kChannelCount; ++c) {
            *channelSum[c] = *channelSum[c] + (value[c] * channelIntensity[c]) * weight;
        }
    }
}

}  // namespace vorlane_model
