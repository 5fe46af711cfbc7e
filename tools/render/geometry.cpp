#include "geometry.h"

namespace vorlane::tools {

std::optional<Hit> Shapes::intersect(const Ray& ray, float minDistance, float maxDistance) const {
    std::optional<Hit> best;
    float nearest = maxDistance;
    for (std::size_t i = 0; i < spheres.size(); ++i) {
        const Sphere& s = spheres[i];
        const V3 oc = ray.origin - s.center;
        const float b = dot(oc, ray.dir);
        const float c = dot(oc, oc) - s.radius * s.radius;
        const float discriminant = b * b - c;
        if (discriminant < 0.0f) {
            continue;
        }
        const float root = std::sqrt(discriminant);
        for (float t : {-b - root, -b + root}) {
            if (t > minDistance && t < nearest) {
                nearest = t;
                const V3 p = ray.origin + ray.dir * t;
                best = Hit{t, p, (p - s.center) * (1.0f / s.radius), static_cast<int>(i)};
                break;
            }
        }
    }
    if (ground && ray.dir.y != 0.0f) {
        const float t = (ground->height - ray.origin.y) / ray.dir.y;
        if (t > minDistance && t < nearest) {
            const V3 p = ray.origin + ray.dir * t;
            best = Hit{t, p, {0.0f, ray.dir.y < 0.0f ? 1.0f : -1.0f, 0.0f}, -1};
        }
    }
    return best;
}

bool Shapes::occluded(V3 from, V3 to) const {
    const V3 d = to - from;
    const float distance = length(d);
    if (!(distance > 0.0f)) {
        return false;
    }
    const Ray ray{from, d * (1.0f / distance)};
    return intersect(ray, 1e-3f * distance, distance * (1.0f - 1e-4f)).has_value();
}

}  // namespace vorlane::tools
