// The gallery's rows: each deliverable in each look, with the row's label and
// the caption that says what the row shows.
#pragma once

#include <string>
#include <vector>

#include "material_paths.h"

namespace vorlane::tools {

enum class Deliverable { HostNode, RendererShader };

// Default: the deliverable's own defaults around the preset (a blue base).
// SpecularAlone: a dark neutral base, so that only the measured specular
// gives the sphere colour.
enum class Look { Default, SpecularAlone };

// Look names for --look, and the look a name stands for.
const std::vector<std::string>& lookNames();
std::vector<Look> looksNamed(const std::string& name);

MaterialSettings lookSettings(Look look);

std::string deliverableName(Deliverable deliverable);
std::string rowLabel(Deliverable deliverable);
std::string rowCaption(Look look, Deliverable deliverable);

}  // namespace vorlane::tools
