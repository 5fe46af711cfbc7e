// The measured specular reflectance of the presets in the plane of incidence,
// taken from the vorlane node through the host as its renderer would ask for
// it, and drawn as a plot.
#pragma once

#include <string>
#include <vector>

#include "image.h"
#include "material_paths.h"

namespace vorlane::tools {

// Angles from the normal in the plane of incidence, in degrees: the light
// lies at -incident, the mirror direction at +incident.
const std::vector<float>& incidentDegrees();  // 0, 30, 60
const std::vector<float>& outgoingDegrees();  // -90 to 90, step 1

struct PresetReflectance {
    std::string name;
    // Per incident angle, per outgoing angle: the node's specular colour for a
    // white light of unit intensity divided by the cosine of incidence.
    std::vector<std::vector<Rgb>> values;
};

// Evaluates one preset through the node: colour black (no diffuse part),
// specular colour white and roll-off 1, so that outColor is the colour
// matrix times the lobe sum, weighted by the cosine of incidence.
bool measureReflectance(HostNodePath& node, int preset, PresetReflectance& out, std::string& error);

// True when this build can draw plots.
bool plotSupported();

// Draws one panel per preset into a PNG file at `path`.
bool writeReflectancePlot(const std::vector<PresetReflectance>& presets, const std::string& path,
                          std::string& error);

}  // namespace vorlane::tools
