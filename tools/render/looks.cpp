#include "looks.h"

namespace vorlane::tools {

// Dark enough that the diffuse light leaves a barely lit grey sphere, on
// which any colour comes from the measured specular.
constexpr Rgb kDarkNeutral{0.03f, 0.03f, 0.03f};

const std::vector<std::string>& lookNames() {
    static const std::vector<std::string> names = {"both", "default", "specular"};
    return names;
}

std::vector<Look> looksNamed(const std::string& name) {
    if (name == "default") {
        return {Look::Default};
    }
    if (name == "specular") {
        return {Look::SpecularAlone};
    }
    return {Look::Default, Look::SpecularAlone};
}

MaterialSettings lookSettings(Look look) {
    MaterialSettings settings;
    if (look == Look::SpecularAlone) {
        settings.color = kDarkNeutral;
    }
    return settings;
}

std::string deliverableName(Deliverable deliverable) {
    return deliverable == Deliverable::HostNode ? "vorlane" : "zq4v_vorlane";
}

std::string rowLabel(Deliverable deliverable) {
    return deliverable == Deliverable::HostNode ? "vorlane (host node)"
                                                : "zq4v_vorlane (renderer shader)";
}

std::string rowCaption(Look look, Deliverable deliverable) {
    if (look == Look::Default) {
        return deliverable == Deliverable::HostNode
                   ? "Default look: the node's default blue colour, lit diffusely, with each "
                     "preset's measured specular on top (specular colour 0.5, roll-off 5)."
                   : "Default look, renderer shader: the same values; its specular is the lobe "
                     "sum tinted by 1 + 0.5 x 5 plus that sum through the colour matrix.";
    }
    return deliverable == Deliverable::HostNode
               ? "Measured specular alone: a dark grey base (colour 0.03), so the colour, size "
                 "and spread of each highlight are the preset's own lobes, after the colour "
                 "matrix."
               : "Measured specular alone, renderer shader: the same base; its specular (sum "
                 "plus matrix, tint 3.5) is brighter and less saturated than the node's (matrix "
                 "only, 2.5).";
}

}  // namespace vorlane::tools
