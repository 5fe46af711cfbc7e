#include "reference_shading.h"

#include <cmath>

namespace vorlane::test {
namespace {

// The seven measured presets: per lobe, red Cxy Cz n, green Cxy Cz n, blue Cxy Cz n.
// clang-format off
constexpr float kPresets[7][27] = {
    {0.870567f, 0.803624f, 21.820103f, 0.857255f, 0.77429f, 18.597755f, 0.670982f, 0.586674f, 7.472717f,
     -0.451218f, 0.023123f, 2.774499f, -0.406681f, 0.017625f, 2.581499f, -0.477976f, 0.227295f, 3.677653f,
     -1.031545f, 0.706734f, 66.89906f, -1.029426f, 0.69653f, 63.767914f, -1.026588f, 0.687715f, 57.48918f},
    {-0.399286f, 0.167504f, 2.466633f, -1.033473f, 0.009545f, 7.637253f, -1.058104f, -0.068002f, 8.117645f,
     -1.041861f, 0.014375f, 7.993722f, -1.100108f, -0.198147f, 29.446268f, -1.087779f, -0.053605f, 41.98899f,
     -1.098605f, -0.14511f, 31.89972f, -0.379883f, 0.159127f, 2.372852f, -0.449038f, 0.173224f, 2.636161f},
    {-1.089701f, -1.354682f, 17.968506f, -1.102701f, -2.714801f, 11.024489f, -1.107603f, -1.569866f, 21.270283f,
     -0.733381f, 0.676108f, 8.219745f, -0.79332f, 0.679314f, 9.055139f, -0.848206f, 0.726031f, 11.261951f,
     -1.010548f, 0.910783f, 152.9128f, -1.012378f, 0.885239f, 141.93716f, -1.011263f, 0.892451f, 201.0468f},
    {-0.304075f, -0.065992f, 3.047892f, -0.304075f, -0.065992f, 3.047892f, -0.304075f, -0.065992f, 3.047892f,
     -0.749561f, -1.167929f, 6.931827f, -0.749561f, -1.167929f, 6.931827f, -0.749561f, -1.167929f, 6.931827f,
     1.004921f, -0.205529f, 94.11733f, 1.004921f, -0.205529f, 94.11733f, 1.004921f, -0.205529f, 94.11733f},
    {-0.277165f, -0.093227f, 2.799133f, -0.304075f, -0.065992f, 3.047892f, -0.027758f, -0.020082f, 1.194497f,
     -0.750466f, -1.130948f, 6.860946f, -0.749561f, -1.167929f, 6.931827f, -0.741817f, -0.806141f, 6.484858f,
     -1.001165f, -0.476192f, 69.05333f, -1.004921f, -0.205529f, 94.11733f, -1.007235f, -0.249148f, 94.09483f},
    {-1.131747f, -1.209182f, 6.421658f, -1.016939f, -1.462488f, 3.699932f, -0.966018f, -1.222419f, 3.524889f,
     -0.54657f, 0.380123f, 3.685044f, -0.643533f, 0.410559f, 4.266495f, -0.638934f, 0.437367f, 4.539742f,
     -0.998888f, 0.857998f, 64.20849f, -1.020153f, 0.703913f, 63.919685f, -1.027479f, 0.573625f, 43.809868f},
    {-0.418599f, 0.399808f, 3.327653f, -0.418849f, 0.397372f, 3.502029f, -0.663313f, 0.591432f, 5.78286f,
     -1.030919f, 0.832314f, 28.298368f, -1.030556f, 0.823648f, 25.76676f, -1.042135f, 0.79707f, 31.002562f,
     0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f},
};
constexpr float kMatrix[3][3] = {
    {1.063302f, 0.382044f, -0.445346f},
    {-0.298125f, 1.667665f, -0.36954f},
    {-1.322302f, -0.446321f, 2.768624f},
};
// clang-format on

float dot3(const float a[3], const float b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void normalize3(float v[3]) {
    const float s = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    const float length = static_cast<float>(std::sqrt(static_cast<double>(s)));
    if (length != 0.0f) {
        const float r = 1.0f / length;
        v[0] *= r;
        v[1] *= r;
        v[2] *= r;
    }
}

// Tangent: zero the smallest-magnitude component (ties to z, then y), swap the
// other two and negate the first; then normalise. Bitangent = n x t.
void frame(const float n[3], float t[3], float b[3]) {
    const float ax = std::fabs(n[0]), ay = std::fabs(n[1]), az = std::fabs(n[2]);
    if (ay > ax && az > ax) {
        t[0] = 0.0f, t[1] = -n[2], t[2] = n[1];
    } else if (ay <= ax && az > ay) {
        t[0] = -n[2], t[1] = 0.0f, t[2] = n[0];
    } else {
        t[0] = -n[1], t[1] = n[0], t[2] = 0.0f;
    }
    normalize3(t);
    b[0] = n[1] * t[2] - n[2] * t[1];
    b[1] = n[2] * t[0] - n[0] * t[2];
    b[2] = n[0] * t[1] - n[1] * t[0];
}

}  // namespace

miVector referenceNormal(miVector stateNormal, miVector normalCamera) {
    float n[3] = {stateNormal.x + normalCamera.x, stateNormal.y + normalCamera.y,
                  stateNormal.z + normalCamera.z};
    normalize3(n);
    return {n[0], n[1], n[2]};
}

miColor referenceShade(const ReferenceInputs& in, miColor initial) {
    const renderer::VorlaneParameters& p = in.parameters;
    const bool hasPreset = p.specOutput >= 0 && p.specOutput <= 6;
    const float* coefficients = hasPreset ? kPresets[p.specOutput] : nullptr;
    const miVector nv = referenceNormal(in.stateNormal, p.normalCamera);
    const float n[3] = {nv.x, nv.y, nv.z};
    const float v[3] = {in.dir.x, in.dir.y, in.dir.z};
    const float color[3] = {p.color.r, p.color.g, p.color.b};
    const float tint[3] = {p.specularColor.r, p.specularColor.g, p.specularColor.b};
    float result[3] = {initial.r, initial.g, initial.b};

    for (const std::vector<Sample>& samples : in.lights) {
        float diffuse[3] = {0.0f, 0.0f, 0.0f};
        float specular[3] = {0.0f, 0.0f, 0.0f};
        for (const Sample& s : samples) {
            const float l[3] = {s.direction.x, s.direction.y, s.direction.z};
            const float light[3] = {s.color.r, s.color.g, s.color.b};
            const float cosine = dot3(n, l);
            if (!(cosine > 0.0f)) {
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                diffuse[c] += (light[c] * (cosine * p.diffuse)) * color[c];
            }
            if (!hasPreset) {
                continue;
            }
            float t[3], b[3];
            frame(n, t, b);
            const float sxy = dot3(t, v) * dot3(t, l) + dot3(b, v) * dot3(b, l);
            const float sz = dot3(n, v) * dot3(n, l);
            for (int lobe = 0; lobe < 3; ++lobe) {
                for (int c = 0; c < 3; ++c) {
                    const float* k = coefficients + lobe * 9 + c * 3;
                    const float base = -(k[0] * sxy) - (k[1] * sz);
                    const float f = base > 0.001f * k[2]
                                        ? static_cast<float>(std::pow(static_cast<double>(base),
                                                                      static_cast<double>(k[2])))
                                        : 0.0f;
                    specular[c] += (f * light[c]) * cosine;
                }
            }
        }
        if (samples.empty()) {
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            specular[c] += (specular[c] * tint[c]) * p.specularRollOff;
        }
        float transformed[3];
        for (int r = 0; r < 3; ++r) {
            transformed[r] = kMatrix[r][0] * specular[0] + kMatrix[r][1] * specular[1] +
                             kMatrix[r][2] * specular[2];
        }
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
