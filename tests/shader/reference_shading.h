// An independent evaluation of what zq4v_vorlane must add to a result, written
// from the shading rules directly: light samples are given per light, so
// tests choose exactly what the renderer delivers.
#pragma once

#include <shader.h>

#include <vector>

#include <vorlane_renderer/vorlane_parameters.h>

namespace vorlane::test {

struct Sample {
    miColor color;
    miVector direction;
};

struct ReferenceInputs {
    renderer::VorlaneParameters parameters;  // values as the shader reads them
    miVector stateNormal;
    miVector dir;
    std::vector<std::vector<Sample>> lights;  // samples of each visited light
    miColor irradiance;                       // what the renderer gathers
};

// The result after one call that finds `initial` in the result colour.
miColor referenceShade(const ReferenceInputs& in, miColor initial);

// The shading normal: state normal + normalCamera, normalised.
miVector referenceNormal(miVector stateNormal, miVector normalCamera);

}  // namespace vorlane::test
