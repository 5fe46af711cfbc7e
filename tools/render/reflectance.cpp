#include "reflectance.h"

#include <cmath>

#include "preview_scene.h"

namespace vorlane::tools {
namespace {

constexpr float kRadiansPerDegree = 3.14159265f / 180.0f;

V3 inPlane(float degrees) {
    const float radians = degrees * kRadiansPerDegree;
    return {std::sin(radians), 0.0f, std::cos(radians)};
}

}  // namespace

const std::vector<float>& incidentDegrees() {
    static const std::vector<float> angles = {0.0f, 30.0f, 60.0f};
    return angles;
}

const std::vector<float>& outgoingDegrees() {
    static const std::vector<float> angles = [] {
        std::vector<float> a;
        for (int d = -90; d <= 90; ++d) {
            a.push_back(static_cast<float>(d));
        }
        return a;
    }();
    return angles;
}

bool measureReflectance(HostNodePath& node, int preset, PresetReflectance& out,
                        std::string& error) {
    MaterialSettings settings;
    settings.color = Rgb{0.0f, 0.0f, 0.0f};
    settings.specularColor = Rgb{1.0f, 1.0f, 1.0f};
    settings.specularRollOff = 1.0f;
    // The eye looks straight down -z at a point one unit away; the normal and
    // a light one unit from the point turn about the y axis. There are no
    // shapes, so nothing shadows the light.
    const V3 point{0.0f, 0.0f, -1.0f};
    const V3 view{0.0f, 0.0f, -1.0f};
    // The material reads the scene's light as it shades, so moving the light
    // between samples needs no new material.
    PreviewScene scene;
    scene.lights.push_back({PreviewLight::Kind::Point, "light", point, {}, {}, {1, 1, 1}, 1, {}});
    PreviewLight& light = scene.lights.front();
    auto material = node.material(preset, settings, scene, 1, error);
    if (material == nullptr) {
        return false;
    }
    out.values.clear();
    for (float incident : incidentDegrees()) {
        const float cosine = std::cos(incident * kRadiansPerDegree);
        std::vector<Rgb> curve;
        for (float outgoing : outgoingDegrees()) {
            // Angles from the direction toward the eye, +z: the normal lies at
            // -outgoing, the light at -outgoing - incident.
            light.position = point + inPlane(-outgoing - incident);
            light.positions = {light.position};
            const Rgb c = material->shade({point, inPlane(-outgoing), view}, 0);
            curve.push_back({c.r / cosine, c.g / cosine, c.b / cosine});
        }
        out.values.push_back(std::move(curve));
    }
    return true;
}

}  // namespace vorlane::tools
