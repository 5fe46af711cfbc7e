// The parameter block of zq4v_vorlane and the rule by which every parameter is
// read: in place, or through mi_phen_eval when the block's connection area
// marks it as connected.
#pragma once

#include <shader.h>

#include <cstddef>
#include <cstring>

namespace vorlane::shader {

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

static_assert(offsetof(VorlaneParameters, color) == 0, "color");
static_assert(offsetof(VorlaneParameters, ambientColor) == 16, "ambientColor");
static_assert(offsetof(VorlaneParameters, incandescence) == 32, "incandescence");
static_assert(offsetof(VorlaneParameters, normalCamera) == 48, "normalCamera");
static_assert(offsetof(VorlaneParameters, diffuse) == 60, "diffuse");
static_assert(offsetof(VorlaneParameters, specularRollOff) == 64, "specularRollOff");
static_assert(offsetof(VorlaneParameters, specOutput) == 68, "specOutput");
static_assert(offsetof(VorlaneParameters, specularColor) == 72, "specularColor");
static_assert(offsetof(VorlaneParameters, indirect) == 88, "indirect");
static_assert(offsetof(VorlaneParameters, indirectColor) == 92, "indirectColor");
static_assert(offsetof(VorlaneParameters, i_lights) == 108, "i_lights");
static_assert(offsetof(VorlaneParameters, n_lights) == 112, "n_lights");
static_assert(offsetof(VorlaneParameters, lights) == 116, "lights");

// Where the value of `parameter` is for this sample. The record of the shader
// being called holds the distance from a parameter to its connection tag; a
// non-zero tag there means the parameter is connected and the renderer yields
// its value. Distance 0: nothing is connected.
template <class T>
T* evaluate(miState* state, T* parameter) {
    const miFunction* record = state->shader;
    if (record == nullptr || record->ghost_offs == 0) {
        return parameter;
    }
    miTag connected = miNULLTAG;
    std::memcpy(&connected, reinterpret_cast<const unsigned char*>(parameter) + record->ghost_offs,
                sizeof connected);
    if (connected == miNULLTAG) {
        return parameter;
    }
    return static_cast<T*>(mi_phen_eval(state, parameter));
}

// Start of the light array, which runs past the end of the declared struct.
inline miTag* lightArray(VorlaneParameters* parameters) {
    return reinterpret_cast<miTag*>(reinterpret_cast<unsigned char*>(parameters) +
                                    offsetof(VorlaneParameters, lights));
}

}  // namespace vorlane::shader
