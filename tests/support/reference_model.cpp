#include "reference_model.h"

#include <cmath>

#include "published_model.h"

namespace vorlane::test {
namespace {

float dot(Triple a, Triple b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Triple times(Triple a, float s) {
    return {a[0] * s, a[1] * s, a[2] * s};
}

// The tangent-plane or normal product of one frame axis with view and light.
float axisTerm(Rules rules, Triple axis, Triple view, Triple light) {
    return rules == Rules::host ? dot(times(axis, dot(axis, view)), light)
                                : dot(axis, view) * dot(axis, light);
}

}  // namespace

Triple referenceNormalize(Rules rules, Triple v) {
    if (rules == Rules::host) {
        const float length = std::sqrt(dot(v, v));
        return {v[0] / length, v[1] / length, v[2] / length};
    }
    const float length = static_cast<float>(std::sqrt(static_cast<double>(dot(v, v))));
    return length == 0.0f ? v : times(v, 1.0f / length);
}

Frame referenceFrame(Rules rules, Triple n) {
    const float ax = std::fabs(n[0]), ay = std::fabs(n[1]), az = std::fabs(n[2]);
    Triple t;
    if (ay > ax && az > ax) {
        t = {0.0f, -n[2], n[1]};
    } else if (!(ay > ax) && az > ay) {
        t = {-n[2], 0.0f, n[0]};
    } else {
        t = {-n[1], n[0], 0.0f};
    }
    t = referenceNormalize(rules, t);
    const Triple b{n[1] * t[2] - n[2] * t[1], n[2] * t[0] - n[0] * t[2], n[0] * t[1] - n[1] * t[0]};
    return {t, b, n};
}

float referenceLobe(Rules rules, float base, float exponent) {
    if (rules == Rules::host) {
        return static_cast<double>(base) > 0.001 * static_cast<double>(exponent)
                   ? powf(base, exponent)
                   : 0.0f;
    }
    return base > 0.001f * exponent
               ? static_cast<float>(pow(static_cast<double>(base), static_cast<double>(exponent)))
               : 0.0f;
}

void referenceAccumulate(Rules rules, const float* block, const Frame& frame, Triple view,
                         Triple light, Triple intensity, float w, Triple& sum) {
    if (!(w > 0.0f)) {
        return;
    }
    const float sxy = axisTerm(rules, frame.t, view, light) + axisTerm(rules, frame.b, view, light);
    const float sz = axisTerm(rules, frame.n, view, light);
    for (int lobe = 0; lobe < 3; ++lobe) {
        for (int c = 0; c < 3; ++c) {
            const float* k = block + lobe * 9 + c * 3;
            const float f = referenceLobe(rules, -(k[0] * sxy) - (k[1] * sz), k[2]);
            sum[c] = sum[c] + (f * intensity[c]) * w;
        }
    }
}

Triple referenceColorMatrix(Triple c) {
    Triple out;
    for (int r = 0; r < 3; ++r) {
        const float* m = kPublishedColorMatrix[r];
        out[r] = m[0] * c[0] + m[1] * c[1] + m[2] * c[2];
    }
    return out;
}

}  // namespace vorlane::test
