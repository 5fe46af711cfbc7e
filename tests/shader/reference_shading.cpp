#include "reference_shading.h"

#include "published_model.h"
#include "reference_model.h"

namespace vorlane::test {

miVector referenceNormal(miVector stateNormal, miVector normalCamera) {
    const Triple n = referenceNormalize(
        Rules::renderer, {stateNormal.x + normalCamera.x, stateNormal.y + normalCamera.y,
                          stateNormal.z + normalCamera.z});
    return {n[0], n[1], n[2]};
}

miColor referenceShade(const ReferenceInputs& in, miColor initial) {
    const renderer::VorlaneParameters& p = in.parameters;
    const bool hasPreset = p.specOutput >= 0 && p.specOutput <= 6;
    const miVector nv = referenceNormal(in.stateNormal, p.normalCamera);
    const Triple n{nv.x, nv.y, nv.z};
    const Triple v{in.dir.x, in.dir.y, in.dir.z};
    const float color[3] = {p.color.r, p.color.g, p.color.b};
    const float tint[3] = {p.specularColor.r, p.specularColor.g, p.specularColor.b};
    float result[3] = {initial.r, initial.g, initial.b};

    for (const std::vector<Sample>& samples : in.lights) {
        float diffuse[3] = {0.0f, 0.0f, 0.0f};
        Triple specular{};
        for (const Sample& s : samples) {
            const Triple l{s.direction.x, s.direction.y, s.direction.z};
            const Triple light{s.color.r, s.color.g, s.color.b};
            const float cosine = n[0] * l[0] + n[1] * l[1] + n[2] * l[2];
            if (!(cosine > 0.0f)) {
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                diffuse[c] += (light[c] * (cosine * p.diffuse)) * color[c];
            }
            if (!hasPreset) {
                continue;
            }
            referenceAccumulate(Rules::renderer, kPublishedPresets[p.specOutput],
                                referenceFrame(Rules::renderer, n), v, l, light, cosine, specular);
        }
        if (samples.empty()) {
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            specular[c] += (specular[c] * tint[c]) * p.specularRollOff;
        }
        const Triple transformed = referenceColorMatrix(specular);
        const float count = static_cast<float>(samples.size());
        for (int c = 0; c < 3; ++c) {
            result[c] += diffuse[c] / count;
        }
        if (hasPreset) {
            for (int c = 0; c < 3; ++c) {
                result[c] += (specular[c] + transformed[c]) / count;
            }
        }
    }

    const float ambient[3] = {p.ambientColor.r, p.ambientColor.g, p.ambientColor.b};
    const float incandescence[3] = {p.incandescence.r, p.incandescence.g, p.incandescence.b};
    for (int c = 0; c < 3; ++c) {
        result[c] += color[c] * ambient[c];
    }
    for (int c = 0; c < 3; ++c) {
        result[c] += incandescence[c];
    }
    const miColor& ic = p.indirectColor;
    if (p.indirect && !(ic.r == 0.0f && ic.g == 0.0f && ic.b == 0.0f)) {
        const float irradiance[3] = {in.irradiance.r, in.irradiance.g, in.irradiance.b};
        const float indirectTint[3] = {ic.r, ic.g, ic.b};
        for (int c = 0; c < 3; ++c) {
            result[c] += ((irradiance[c] * color[c]) * indirectTint[c]) / 3.1415927f;
        }
    }
    return {result[0], result[1], result[2], 1.0f};
}

}  // namespace vorlane::test
