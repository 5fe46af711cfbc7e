// The parameter block of the shader zq4v_vorlane, as its declaration
// (zq4v_vorlane.mi) makes the renderer lay it out, with a builder.
#pragma once

#include <cstddef>
#include <vector>

#include <shader.h>

#include "vorlane_renderer/export.h"
#include "vorlane_renderer/parameter_block.h"

namespace vorlane::renderer {

// Byte offsets of the parameters, in declaration order.
enum class VorlaneParameter : std::size_t {
    color = 0,
    ambientColor = 16,
    incandescence = 32,
    normalCamera = 48,
    diffuse = 60,
    specularRollOff = 64,
    specOutput = 68,
    specularColor = 72,
    indirect = 88,
    indirectColor = 92,
    i_lights = 108,
    n_lights = 112,
    lights = 116,
};

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
    miTag lights[1];  // as many as the block holds
};

#define VORLANE_CHECK_OFFSET(field)                                                              \
    static_assert(                                                                               \
        offsetof(VorlaneParameters, field) == static_cast<std::size_t>(VorlaneParameter::field), \
        "offset of " #field)
VORLANE_CHECK_OFFSET(color);
VORLANE_CHECK_OFFSET(ambientColor);
VORLANE_CHECK_OFFSET(incandescence);
VORLANE_CHECK_OFFSET(normalCamera);
VORLANE_CHECK_OFFSET(diffuse);
VORLANE_CHECK_OFFSET(specularRollOff);
VORLANE_CHECK_OFFSET(specOutput);
VORLANE_CHECK_OFFSET(specularColor);
VORLANE_CHECK_OFFSET(indirect);
VORLANE_CHECK_OFFSET(indirectColor);
VORLANE_CHECK_OFFSET(i_lights);
VORLANE_CHECK_OFFSET(n_lights);
VORLANE_CHECK_OFFSET(lights);
#undef VORLANE_CHECK_OFFSET
static_assert(sizeof(miColor) == 16 && sizeof(miVector) == 12 && sizeof(miTag) == 4,
              "renderer type sizes");

// The declaration's defaults: those of the host node where the two share a
// parameter, indirect light off, no lights.
VORLANE_RENDERER_API VorlaneParameters vorlaneDefaults() noexcept;

class VORLANE_RENDERER_API VorlaneParameterBlock {
  public:
    // A block with the declaration's defaults and room for `lightCapacity` tags.
    explicit VorlaneParameterBlock(std::size_t lightCapacity = 0);

    // The fixed parameters (everything before `lights`), copied in or out.
    VorlaneParameters values() const;
    void setValues(const VorlaneParameters& values);

    template <class T>
    void set(VorlaneParameter parameter, const T& value) {
        block_.write(static_cast<std::size_t>(parameter), value);
    }
    template <class T>
    T get(VorlaneParameter parameter) const {
        return block_.read<T>(static_cast<std::size_t>(parameter));
    }

    std::size_t lightCapacity() const noexcept { return lightCapacity_; }
    // Stores `tags` from element 0 and sets i_lights 0, n_lights = tags.size().
    // Returns false (and changes nothing) when they do not fit.
    bool setLights(const std::vector<miTag>& tags);
    void setLight(std::size_t element, miTag tag);

    void connect(VorlaneParameter parameter, ConnectionId connection) {
        block_.connect(static_cast<std::size_t>(parameter), connection);
    }

    ParameterBlock& block() noexcept { return block_; }
    void* data() noexcept { return block_.data(); }
    void bind(miState& state) noexcept { block_.bind(state); }

  private:
    std::size_t lightCapacity_;
    ParameterBlock block_;
};

}  // namespace vorlane::renderer
