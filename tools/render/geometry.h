// Vectors, rays and the preview scene's shapes, in camera space (eye at the
// origin, looking down -z, y up).
#pragma once

#include <cmath>
#include <optional>
#include <vector>

namespace vorlane::tools {

struct V3 {
    float x;
    float y;
    float z;
};

inline V3 operator+(V3 a, V3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline V3 operator-(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline V3 operator*(V3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline float dot(V3 a, V3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline float length(V3 a) {
    return std::sqrt(dot(a, a));
}
inline V3 normalized(V3 a) {
    return a * (1.0f / length(a));
}

struct Ray {
    V3 origin;
    V3 dir;  // unit
};

struct Sphere {
    V3 center;
    float radius;
};

// The plane y = height, facing up.
struct GroundPlane {
    float height;
};

struct Hit {
    float distance;
    V3 point;
    V3 normal;   // unit, facing the ray's origin side of the surface
    int sphere;  // index of the sphere hit, or -1 for the ground
};

struct Shapes {
    std::vector<Sphere> spheres;
    std::optional<GroundPlane> ground;

    // Nearest hit with distance in (minDistance, maxDistance).
    std::optional<Hit> intersect(const Ray& ray, float minDistance, float maxDistance) const;

    // True when anything lies between `from` and `to`.
    bool occluded(V3 from, V3 to) const;
};

}  // namespace vorlane::tools
