#include <vorlane/linux_symbol_versions.h>

#include "model_work.h"

#include <vorlane/model/color_matrix.h>

namespace vorlane_bench {

namespace vm = vorlane_model;

template <class Precision>
vm::Color accumulateSample(const vm::LobeCoefficientBlock& block, const LobeSample& sample) {
    vm::Color sum = vm::makeColor(0.0f, 0.0f, 0.0f);
    vm::accumulateLobes<Precision>(block, sample.frame, sample.view, sample.light,
                                   vm::makeColor(1.0f, 1.0f, 1.0f), sample.weight, sum);
    return sum;
}

template <class Precision>
vm::Color accumulateFromTerms(const vm::LobeCoefficientBlock& block, LobeTerms terms,
                              float weight) {
    float sum[vm::kChannelCount] = {0.0f, 0.0f, 0.0f};
    if (!(weight > 0.0f)) {
        return vm::makeColor(sum[0], sum[1], sum[2]);
    }
    for (int lobe = 0; lobe < vm::kLobeCount; ++lobe) {
        float value[vm::kChannelCount];
        for (int c = 0; c < vm::kChannelCount; ++c) {
            const float exponent = block.exponent(lobe, c);
            const float base =
                -(block.cxy(lobe, c) * terms.tangent) - (block.cz(lobe, c) * terms.normal);
            value[c] = Precision::passesThreshold(base, exponent) ? Precision::power(base, exponent)
                                                                  : 0.0f;
        }
        for (int c = 0; c < vm::kChannelCount; ++c) {
            sum[c] = sum[c] + value[c] * weight;  // a white light
        }
    }
    return vm::makeColor(sum[0], sum[1], sum[2]);
}

template <class Precision>
float sumOfPowers(const PowerCall* calls, std::size_t count) {
    float sum = 0.0f;
    for (std::size_t i = 0; i < count; ++i) {
        sum += Precision::power(calls[i].base, calls[i].exponent);
    }
    return sum;
}

template vm::Color accumulateSample<vm::HostPrecision>(const vm::LobeCoefficientBlock&,
                                                       const LobeSample&);
template vm::Color accumulateSample<vm::RendererPrecision>(const vm::LobeCoefficientBlock&,
                                                           const LobeSample&);
template vm::Color accumulateFromTerms<vm::HostPrecision>(const vm::LobeCoefficientBlock&,
                                                          LobeTerms, float);
template vm::Color accumulateFromTerms<vm::RendererPrecision>(const vm::LobeCoefficientBlock&,
                                                              LobeTerms, float);
template float sumOfPowers<vm::HostPrecision>(const PowerCall*, std::size_t);
template float sumOfPowers<vm::RendererPrecision>(const PowerCall*, std::size_t);

vm::Color nodeSpecular(const vm::LobeCoefficientBlock& block, vm::Vec3 point, vm::Vec3 normal,
                       const vm::Vec3* lights, std::size_t lightCount) {
    using vm::HostPrecision;
    const vm::Vec3 view = vm::normalizeVector<HostPrecision>(point);
    const vm::ShadingFrame frame =
        vm::makeShadingFrame<HostPrecision>(vm::normalizeVector<HostPrecision>(normal));
    vm::Color total = vm::makeColor(0.0f, 0.0f, 0.0f);
    for (std::size_t i = 0; i < lightCount; ++i) {
        const vm::Vec3 toLight = vm::normalizeVector<HostPrecision>(lights[i]);
        vm::Color sum = vm::makeColor(0.0f, 0.0f, 0.0f);
        vm::accumulateLobes<HostPrecision>(block, frame, view, toLight,
                                           vm::makeColor(1.0f, 1.0f, 1.0f),
                                           vm::dot(lights[i], normal), sum);
        total.r = (0.5f * sum.r) * 5.0f + total.r;
        total.g = (0.5f * sum.g) * 5.0f + total.g;
        total.b = (0.5f * sum.b) * 5.0f + total.b;
    }
    return vm::applyColorMatrix(total);
}

vm::Color shaderLights(const vm::LobeCoefficientBlock& block, vm::Vec3 normal, vm::Vec3 dir,
                       const vm::Vec3* lights, std::size_t lightCount) {
    using vm::RendererPrecision;
    const vm::Vec3 n = vm::normalizeVector<RendererPrecision>(normal);
    vm::Color result = vm::makeColor(0.0f, 0.0f, 0.0f);
    for (std::size_t i = 0; i < lightCount; ++i) {
        const float cosine = vm::dot(n, lights[i]);
        vm::Color diffuse = vm::makeColor(0.0f, 0.0f, 0.0f);
        if (cosine > 0.0f) {
            diffuse = vm::makeColor(cosine * 0.8f, cosine * 0.8f, cosine * 0.8f);
        }
        vm::Color sum = vm::makeColor(0.0f, 0.0f, 0.0f);
        const vm::ShadingFrame frame = vm::makeShadingFrame<RendererPrecision>(n);
        vm::accumulateLobes<RendererPrecision>(block, frame, dir, lights[i],
                                               vm::makeColor(1.0f, 1.0f, 1.0f), cosine, sum);
        sum = vm::makeColor(sum.r + sum.r * 2.5f, sum.g + sum.g * 2.5f, sum.b + sum.b * 2.5f);
        const vm::Color t = vm::applyColorMatrix(sum);
        result =
            vm::makeColor(result.r + diffuse.r + sum.r + t.r, result.g + diffuse.g + sum.g + t.g,
                          result.b + diffuse.b + sum.b + t.b);
    }
    return result;
}

}  // namespace vorlane_bench
