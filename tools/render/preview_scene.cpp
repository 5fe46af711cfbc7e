#include "preview_scene.h"

#include <algorithm>

namespace vorlane::tools {
namespace {

constexpr float kGroundAlbedo = 0.22f;

PreviewLight keyLight() {
    return {
        PreviewLight::Kind::Point, "key", {-3.0f, 4.0f, -1.0f}, {}, {}, {1.0f, 0.96f, 0.9f}, 1, {}};
}
PreviewLight fillLight() {
    return {PreviewLight::Kind::Point,
            "fill",
            {4.0f, 0.5f, -2.0f},
            {},
            {},
            {0.22f, 0.26f, 0.34f},
            1,
            {}};
}
PreviewLight areaLight() {
    return {PreviewLight::Kind::Area,
            "area",
            {-1.5f, 3.5f, -7.5f},
            {3.0f, 0.0f, 0.0f},
            {0.0f, 0.0f, 2.0f},
            {0.55f, 0.55f, 0.6f},
            16,
            {}};
}

}  // namespace

std::vector<V3> PreviewLight::samplePositions() const {
    if (kind == Kind::Point) {
        return {position};
    }
    int grid = 1;
    while (grid * grid < samples) {
        ++grid;
    }
    std::vector<V3> positions;
    for (int i = 0; i < samples; ++i) {
        const float u = (static_cast<float>(i % grid) + 0.5f) / static_cast<float>(grid);
        const float v = (static_cast<float>(i / grid) + 0.5f) / static_cast<float>(grid);
        positions.push_back(position + edgeU * u + edgeV * v);
    }
    return positions;
}

V3 PreviewLight::center() const {
    return kind == Kind::Point ? position : position + edgeU * 0.5f + edgeV * 0.5f;
}

Rgb PreviewScene::shadowedIntensity(const PreviewLight& light, V3 point) const {
    const std::vector<V3>& positions = light.positions;
    int visible = 0;
    for (const V3& p : positions) {
        visible += shapes.occluded(point, p) ? 0 : 1;
    }
    const float fraction = static_cast<float>(visible) / static_cast<float>(positions.size());
    return {light.color.r * fraction, light.color.g * fraction, light.color.b * fraction};
}

Rgb PreviewScene::shadeGround(const Hit& hit) const {
    Rgb sum{0.0f, 0.0f, 0.0f};
    const V3 lifted = hit.point + hit.normal * 1e-3f;
    for (const PreviewLight& light : lights) {
        const float cosine = dot(hit.normal, normalized(light.center() - hit.point));
        if (cosine <= 0.0f) {
            continue;
        }
        const Rgb i = shadowedIntensity(light, lifted);
        sum = {sum.r + i.r * cosine, sum.g + i.g * cosine, sum.b + i.b * cosine};
    }
    // Fade the plane into the background toward the horizon.
    const float fade = std::clamp(-hit.point.z / 30.0f, 0.0f, 1.0f);
    const Rgb far = background({{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}});
    const auto mix = [fade](float near, float distant) { return near + (distant - near) * fade; };
    return {mix(sum.r * kGroundAlbedo, far.r), mix(sum.g * kGroundAlbedo, far.g),
            mix(sum.b * kGroundAlbedo, far.b)};
}

Rgb PreviewScene::background(const Ray& ray) {
    const float t = std::clamp(ray.dir.y * 1.5f, 0.0f, 1.0f);
    return {0.008f + 0.01f * t, 0.009f + 0.012f * t, 0.012f + 0.02f * t};
}

const std::vector<std::string>& lightNames() {
    static const std::vector<std::string> names = {"key", "fill", "area"};
    return names;
}

PreviewScene makePreviewScene(const std::vector<std::string>& lights, bool swatch) {
    PreviewScene scene;
    scene.shapes.spheres.push_back({{0.0f, -0.35f, -5.4f}, 1.0f});
    scene.withGround = !swatch;
    if (!swatch) {
        scene.shapes.ground = GroundPlane{-1.35f};
    }
    for (const std::string& name : lights) {
        if (name == "key") {
            scene.lights.push_back(keyLight());
        } else if (name == "fill") {
            scene.lights.push_back(fillLight());
        } else if (name == "area") {
            scene.lights.push_back(areaLight());
        }
    }
    for (PreviewLight& light : scene.lights) {
        light.positions = light.samplePositions();
    }
    return scene;
}

}  // namespace vorlane::tools
