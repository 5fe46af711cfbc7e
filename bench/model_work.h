// The model's work that the benchmarks time, one call per iteration. It is
// compiled apart, as the deliverables' sources are (C++98, pedantic, the same
// floating-point options), so that the model is timed as the deliverables
// compile it; the benchmark loops around it are C++17.
#pragma once

#include <cstddef>

#include <vorlane/model/lobes.h>

namespace vorlane_bench {

// One light of one shading point, the frame already built.
struct LobeSample {
    vorlane_model::ShadingFrame frame;
    vorlane_model::Vec3 view;
    vorlane_model::Vec3 light;
    float weight;
};

// The two terms that every base of one light shares, as accumulateLobes forms
// them: Sxy = (T.V)(T.L) + (B.V)(B.L) and Sz = (N.V)(N.L).
struct LobeTerms {
    float tangent;
    float normal;
};

template <class Precision>
LobeTerms lobeTerms(const vorlane_model::ShadingFrame& frame, vorlane_model::Vec3 view,
                    vorlane_model::Vec3 light) {
    const LobeTerms terms = {
        Precision::axisProduct(frame.t, view, light) + Precision::axisProduct(frame.b, view, light),
        Precision::axisProduct(frame.n, view, light)};
    return terms;
}

// One power evaluation: a base that passed its threshold and its exponent.
struct PowerCall {
    float base;
    float exponent;
};

// accumulateLobes for one sample with a white light, from zero.
template <class Precision>
vorlane_model::Color accumulateSample(const vorlane_model::LobeCoefficientBlock& block,
                                      const LobeSample& sample);

// The same once the two terms are formed: accumulateLobes' lobe loop alone.
template <class Precision>
vorlane_model::Color accumulateFromTerms(const vorlane_model::LobeCoefficientBlock& block,
                                         LobeTerms terms, float weight);

// The sum of the powers of `count` calls, made one after the other.
template <class Precision>
float sumOfPowers(const PowerCall* calls, std::size_t count);

// The node's specular work for one sample with `lightCount` white specular
// lights, as compute does it: the view and the frame once, then per light the
// normalised direction, the lobes and the tint (0.5 and roll-off 5), and the
// colour matrix once on the total. Directions and normal unnormalised.
vorlane_model::Color nodeSpecular(const vorlane_model::LobeCoefficientBlock& block,
                                  vorlane_model::Vec3 point, vorlane_model::Vec3 normal,
                                  const vorlane_model::Vec3* lights, std::size_t lightCount);

// The shader's work for one sample with `lightCount` white lights of one
// sample each, as the shader does it with its defaults: the normalised normal,
// then per light the diffuse term, the frame, the lobes, the tint (3.5) and
// S + M S. Light directions unit length.
vorlane_model::Color shaderLights(const vorlane_model::LobeCoefficientBlock& block,
                                  vorlane_model::Vec3 normal, vorlane_model::Vec3 dir,
                                  const vorlane_model::Vec3* lights, std::size_t lightCount);

}  // namespace vorlane_bench
