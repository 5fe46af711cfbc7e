// The two precision rule sets of the model. The formulas are shared; only these
// steps differ between the host node and the renderer shader:
//  - normalisation (how the length is taken and applied, and the zero guard),
//  - the lobe threshold comparison,
//  - the power function,
//  - how the lobe's two dot products are combined.
#pragma once

#include <cmath>

#include "vorlane/model/types.h"

namespace vorlane_model {

// Host shading node rules.
struct HostPrecision {
    // Single-precision root, each component divided by it; no guard, so a zero
    // vector turns into NaNs that make every later comparison fail.
    static Vec3 normalize(Vec3 v) {
        const float length = std::sqrt(dot(v, v));
        return makeVec3(v.x / length, v.y / length, v.z / length);
    }

    // The exponent is scaled by the double constant and compared in double.
    static bool passesThreshold(float base, float exponent) {
        return static_cast<double>(base) > static_cast<double>(exponent) * 0.001;
    }

    static float power(float base, float exponent) { return std::pow(base, exponent); }

    // ((axis . v) axis) . l: the scaled axis dotted with l.
    static float axisProduct(Vec3 axis, Vec3 v, Vec3 l) {
        return dot(scale(axis, dot(axis, v)), l);
    }
};

// Renderer shader rules.
struct RendererPrecision {
    // Double-precision root rounded to single, then a single-precision
    // reciprocal; a zero length leaves the vector as it is (NaN is not zero).
    static Vec3 normalize(Vec3 v) {
        const float lengthSquared = dot(v, v);
        const float length = static_cast<float>(std::sqrt(static_cast<double>(lengthSquared)));
        if (length == 0.0f) {
            return v;
        }
        const float reciprocal = 1.0f / length;
        return scale(v, reciprocal);
    }

    static bool passesThreshold(float base, float exponent) { return base > 0.001f * exponent; }

    static float power(float base, float exponent) {
        return static_cast<float>(
            std::pow(static_cast<double>(base), static_cast<double>(exponent)));
    }

    // (axis . v)(axis . l): the product of the two dot products.
    static float axisProduct(Vec3 axis, Vec3 v, Vec3 l) { return dot(axis, v) * dot(axis, l); }
};

}  // namespace vorlane_model
