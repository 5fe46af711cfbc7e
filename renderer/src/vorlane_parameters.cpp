#include "vorlane_renderer/vorlane_parameters.h"

#include <algorithm>

namespace vorlane::renderer {
namespace {

constexpr std::size_t kLightsOffset = static_cast<std::size_t>(VorlaneParameter::lights);

std::size_t blockBytes(std::size_t lightCapacity) {
    // At least one element, so that the fixed struct always fits.
    return kLightsOffset + sizeof(miTag) * std::max<std::size_t>(lightCapacity, 1);
}

}  // namespace

VorlaneParameters vorlaneDefaults() noexcept {
    VorlaneParameters p{};
    p.color = {0.309f, 0.397f, 0.708f, 1.0f};
    p.ambientColor = {0.0f, 0.0f, 0.0f, 1.0f};
    p.incandescence = {0.0f, 0.0f, 0.0f, 1.0f};
    p.normalCamera = {0.0f, 0.0f, 0.0f};
    p.diffuse = 0.8f;
    p.specularRollOff = 5.0f;
    p.specOutput = 0;
    p.specularColor = {0.5f, 0.5f, 0.5f, 1.0f};
    p.indirect = miFALSE;
    p.indirectColor = {1.0f, 1.0f, 1.0f, 1.0f};
    p.i_lights = 0;
    p.n_lights = 0;
    p.lights[0] = miNULLTAG;
    return p;
}

VorlaneParameterBlock::VorlaneParameterBlock(std::size_t lightCapacity)
    : lightCapacity_(lightCapacity), block_(blockBytes(lightCapacity)) {
    setValues(vorlaneDefaults());
}

VorlaneParameters VorlaneParameterBlock::values() const {
    VorlaneParameters p = block_.read<VorlaneParameters>(0);
    if (lightCapacity_ == 0) {
        p.lights[0] = miNULLTAG;
    }
    return p;
}

void VorlaneParameterBlock::setValues(const VorlaneParameters& values) {
    // Everything before the light array; the stored tags stay as they are.
    std::memcpy(block_.data(), &values, kLightsOffset);
}

bool VorlaneParameterBlock::setLights(const std::vector<miTag>& tags) {
    if (tags.size() > lightCapacity_) {
        return false;
    }
    for (std::size_t i = 0; i < tags.size(); ++i) {
        setLight(i, tags[i]);
    }
    set(VorlaneParameter::i_lights, miInteger{0});
    set(VorlaneParameter::n_lights, static_cast<miInteger>(tags.size()));
    return true;
}

void VorlaneParameterBlock::setLight(std::size_t element, miTag tag) {
    if (element < lightCapacity_) {
        block_.write(kLightsOffset + element * sizeof(miTag), tag);
    }
}

}  // namespace vorlane::renderer
