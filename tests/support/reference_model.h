// The generalized cosine-lobe reflectance model under the host node's and the
// renderer shader's precision rules, written from its published rules apart
// from model/, so that the tests can catch the model's faults.
#pragma once

#include <array>

namespace vorlane::test {

using Triple = std::array<float, 3>;

enum class Rules { host, renderer };

struct Frame {
    Triple t, b, n;
};

// v scaled to unit length (host: no guard; renderer: a zero length keeps v).
Triple referenceNormalize(Rules rules, Triple v);

// Tangent and bitangent of the unit normal n.
Frame referenceFrame(Rules rules, Triple n);

// One lobe's value: base to the power n above the strict threshold 0.001 n.
float referenceLobe(Rules rules, float base, float exponent);

// Adds the lobes of the 27 coefficients of `block` to `sum`, each weighted by
// the intensity and w; nothing unless w > 0.
void referenceAccumulate(Rules rules, const float* block, const Frame& frame, Triple view,
                         Triple light, Triple intensity, float w, Triple& sum);

// The published colour matrix times c, each row summed left to right.
Triple referenceColorMatrix(Triple c);

}  // namespace vorlane::test
