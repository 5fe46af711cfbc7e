// The parameter block of zq4v_vorlane, as the renderer lays it out from the
// shader's declaration. Every parameter is read through the renderer header's
// mi_eval, which finds it in place or, when connected, through mi_phen_eval.
#pragma once

#include <shader.h>

#include <cstddef>

#include "compile_check.h"

namespace vorlane {
namespace shader {

struct VorlaneParameters {
    miColor color;
    miColor ambientColor;
    miColor incandescence;
    miVector normalCamera;
    miScalar diffuse;
    miScalar specularRollOff;
    miInteger specOutput;
    miColor specularColor;
    miBoolean indirect;
    miColor indirectColor;
    miInteger i_lights;
    miInteger n_lights;
    miTag lights[1];  // as many as the renderer stored
};

enum VorlaneParametersLayout {
    kColorAt = CompileCheck<offsetof(VorlaneParameters, color) == 0>::holds,
    kAmbientColorAt = CompileCheck<offsetof(VorlaneParameters, ambientColor) == 16>::holds,
    kIncandescenceAt = CompileCheck<offsetof(VorlaneParameters, incandescence) == 32>::holds,
    kNormalCameraAt = CompileCheck<offsetof(VorlaneParameters, normalCamera) == 48>::holds,
    kDiffuseAt = CompileCheck<offsetof(VorlaneParameters, diffuse) == 60>::holds,
    kSpecularRollOffAt = CompileCheck<offsetof(VorlaneParameters, specularRollOff) == 64>::holds,
    kSpecOutputAt = CompileCheck<offsetof(VorlaneParameters, specOutput) == 68>::holds,
    kSpecularColorAt = CompileCheck<offsetof(VorlaneParameters, specularColor) == 72>::holds,
    kIndirectAt = CompileCheck<offsetof(VorlaneParameters, indirect) == 88>::holds,
    kIndirectColorAt = CompileCheck<offsetof(VorlaneParameters, indirectColor) == 92>::holds,
    kFirstLightIndexAt = CompileCheck<offsetof(VorlaneParameters, i_lights) == 108>::holds,
    kLightCountAt = CompileCheck<offsetof(VorlaneParameters, n_lights) == 112>::holds,
    kLightsAt = CompileCheck<offsetof(VorlaneParameters, lights) == 116>::holds
};

// Start of the light array, which runs past the end of the declared struct.
inline miTag* lightArray(VorlaneParameters* parameters) {
    return reinterpret_cast<miTag*>(reinterpret_cast<unsigned char*>(parameters) +
                                    offsetof(VorlaneParameters, lights));
}

}  // namespace shader
}  // namespace vorlane
