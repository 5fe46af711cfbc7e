// Plain value types of the reflectance model: vectors, colours, the shading frame.
#pragma once

namespace vorlane_model {

struct Vec3 {
    float x;
    float y;
    float z;
};

struct Color {
    float r;
    float g;
    float b;
};

// Tangent t, bitangent b and unit normal n. The bitangent is n x t and is not
// renormalised, so it carries the rounding of the cross product.
struct ShadingFrame {
    Vec3 t;
    Vec3 b;
    Vec3 n;
};

inline Vec3 makeVec3(float x, float y, float z) {
    const Vec3 v = {x, y, z};
    return v;
}

inline Color makeColor(float r, float g, float b) {
    const Color c = {r, g, b};
    return c;
}

// Single-precision dot product, summed left to right.
inline float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vec3 scale(Vec3 v, float s) {
    return makeVec3(v.x * s, v.y * s, v.z * s);
}

// a x b with the operand order (ay*bz - az*by, az*bx - ax*bz, ax*by - ay*bx).
inline Vec3 cross(Vec3 a, Vec3 b) {
    return makeVec3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

}  // namespace vorlane_model
