// Small vector helpers and the deterministic sample patterns of the scene.
#pragma once

#include <cmath>
#include <cstdint>

#include <shader.h>

namespace vorlane::renderer {

inline miVector add(miVector a, miVector b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline miVector subtract(miVector a, miVector b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline miVector scale(miVector v, float s) {
    return {v.x * s, v.y * s, v.z * s};
}
inline float dot(miVector a, miVector b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline miVector cross(miVector a, miVector b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline miVector normalized(miVector v) {
    const float length = std::sqrt(dot(v, v));
    return length > 0.0f ? scale(v, 1.0f / length) : v;
}

// A well-mixed 32-bit hash (the finaliser of a 64-bit mixer, truncated).
inline std::uint32_t mixBits(std::uint32_t a, std::uint32_t b) {
    std::uint64_t z = (static_cast<std::uint64_t>(a) << 32) ^ b;
    z += 0x9e3779b97f4a7c15ull;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

// A value in [0, 1) from 24 hash bits.
inline float unitFloat(std::uint32_t bits) {
    return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f);
}

struct SquareSample {
    float u;
    float v;
};

// Sample `index` of `count` on a jittered grid over the unit square: the
// square is cut into columns x rows >= count cells, sample k lies in cell k at
// a position fixed by `seed` and k.
inline SquareSample jitteredGridSample(int index, int count, std::uint32_t seed) {
    int columns = 1;
    while (columns * columns < count) {
        ++columns;
    }
    const int rows = (count + columns - 1) / columns;
    const auto k = static_cast<std::uint32_t>(index);
    const float ju = unitFloat(mixBits(seed, 2 * k));
    const float jv = unitFloat(mixBits(seed, 2 * k + 1));
    return {(static_cast<float>(index % columns) + ju) / static_cast<float>(columns),
            (static_cast<float>(index / columns) + jv) / static_cast<float>(rows)};
}

// Whether the ray origin + t * unit, 0 < t < maxDistance, meets the sphere. A
// small margin keeps points on a sphere's surface from shadowing themselves.
inline bool raySphereHit(miVector origin, miVector unit, miVector center, float radius,
                         float maxDistance) {
    constexpr float kMargin = 1.0e-4f;
    const miVector toOrigin = subtract(origin, center);
    const float b = dot(toOrigin, unit);
    const float c = dot(toOrigin, toOrigin) - radius * radius;
    const float discriminant = b * b - c;
    if (discriminant < 0.0f) {
        return false;
    }
    const float root = std::sqrt(discriminant);
    const float nearHit = -b - root;
    const float farHit = -b + root;
    const float t = nearHit > kMargin ? nearHit : farHit;
    return t > kMargin && t < maxDistance - kMargin;
}

// Ray `index` of `count` cosine-distributed rays about the unit `normal`,
// from a jittered grid mapped onto the hemisphere.
inline miVector cosineHemisphereDirection(miVector normal, int index, int count) {
    const SquareSample s = jitteredGridSample(index, count, 0x5eedu);
    const float radius = std::sqrt(s.u);
    const float angle = 6.28318530718f * s.v;
    const miVector helper =
        std::fabs(normal.x) < 0.9f ? miVector{1.0f, 0.0f, 0.0f} : miVector{0.0f, 1.0f, 0.0f};
    const miVector tangent = normalized(cross(helper, normal));
    const miVector bitangent = cross(normal, tangent);
    const float up = std::sqrt(std::fmax(0.0f, 1.0f - s.u));
    return add(
        add(scale(tangent, radius * std::cos(angle)), scale(bitangent, radius * std::sin(angle))),
        scale(normal, up));
}

}  // namespace vorlane::renderer
