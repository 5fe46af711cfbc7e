// Shading: ambient, diffuse and measured specular light from the light array.
#include <vorlane/linux_symbol_versions.h>

#include <maya/MArrayDataHandle.h>
#include <maya/MDataHandle.h>
#include <maya/MFloatVector.h>

#include <cstddef>

#include <vorlane/model/color_matrix.h>
#include <vorlane/model/lobes.h>
#include <vorlane/model/presets.h>

#include "vorlanePlugInt.h"

namespace {

using vorlane_model::HostPrecision;

// The colour computation: writes all of outColor.
void shade(MDataBlock& block) {
    const MFloatVector surface = block.inputValue(vorlane::color).asFloatVector();
    const MFloatVector ambient = block.inputValue(vorlane::ambientColor).asFloatVector();
    const MFloatVector glow = block.inputValue(vorlane::incandescence).asFloatVector();
    const MFloatVector specularTint = block.inputValue(vorlane::specularColor).asFloatVector();
    const float diffuseWeight = block.inputValue(vorlane::diffuse).asFloat();
    const float rollOff = block.inputValue(vorlane::specularRollOff).asFloat();
    const short preset = block.inputValue(vorlane::specOutput).asShort();
    const MFloatVector point = block.inputValue(vorlane::pointCamera).asFloatVector();
    const MFloatVector normal = block.inputValue(vorlane::normalCamera).asFloatVector();

    // A preset index outside the table selects no coefficients: no specular.
    const vorlane_model::LobeCoefficientBlock* const lobes = vorlane_model::findPreset(preset);
    const vorlane_model::Vec3 view = vorlane_model::normalizeVector<HostPrecision>(
        vorlane_model::makeVec3(point.x, point.y, point.z));
    // The frame depends on the normal alone: built at the first light with
    // specular set, it serves the rest; a sample without one never builds it.
    vorlane_model::ShadingFrame frame = vorlane_model::ShadingFrame();
    bool framed = false;
    MFloatVector lit(0.0f, 0.0f, 0.0f);
    vorlane_model::Color specular = vorlane_model::makeColor(0.0f, 0.0f, 0.0f);

    MArrayDataHandle lights = block.inputArrayValue(vorlane::lightDataArray);
    const unsigned int count = lights.elementCount();
    for (unsigned int i = 1; i <= count; ++i) {
        MDataHandle light = lights.inputValue();
        const MFloatVector intensity = light.child(vorlane::lightIntensity).asFloatVector();
        const MFloatVector direction = light.child(vorlane::lightDirection).asFloatVector();
        const float preShadow = light.child(vorlane::preShadowIntensity).asFloat();
        (void)preShadow;  // shadowing reaches the node through the intensity alone

        if (light.child(vorlane::lightAmbient).asBool()) {
            for (unsigned int c = 0; c < 3; ++c) {
                lit[c] = intensity[c] * surface[c] + lit[c];
            }
        }
        // The cosine weight, unnormalised, shared by the diffuse and specular terms.
        const float weight = direction * normal;
        if (light.child(vorlane::lightDiffuse).asBool() && weight > 0.0f) {
            for (unsigned int c = 0; c < 3; ++c) {
                lit[c] = ((weight * diffuseWeight) * intensity[c]) * surface[c] + lit[c];
            }
        }
        if (light.child(vorlane::lightSpecular).asBool()) {
            vorlane_model::Color sum = vorlane_model::makeColor(0.0f, 0.0f, 0.0f);
            if (lobes != NULL) {
                if (!framed) {
                    frame = vorlane_model::makeShadingFrame<HostPrecision>(
                        vorlane_model::normalizeVector<HostPrecision>(
                            vorlane_model::makeVec3(normal.x, normal.y, normal.z)));
                    framed = true;
                }
                const vorlane_model::Vec3 toLight = vorlane_model::normalizeVector<HostPrecision>(
                    vorlane_model::makeVec3(direction.x, direction.y, direction.z));
                vorlane_model::accumulateLobes<HostPrecision>(
                    *lobes, frame, view, toLight,
                    vorlane_model::makeColor(intensity.x, intensity.y, intensity.z), weight, sum);
            }
            specular.r = (specularTint.x * sum.r) * rollOff + specular.r;
            specular.g = (specularTint.y * sum.g) * rollOff + specular.g;
            specular.b = (specularTint.z * sum.b) * rollOff + specular.b;
        }
        if (lights.next() != MStatus::kSuccess) {
            break;
        }
    }

    specular = vorlane_model::applyColorMatrix(specular);
    for (unsigned int c = 0; c < 3; ++c) {
        lit[c] = ((surface[c] * ambient[c]) + glow[c]) + lit[c];
    }
    const MFloatVector seeThrough = block.inputValue(vorlane::transparency).asFloatVector();
    // The measured specular is not weighted by the transparency.
    const MFloatVector result((1.0f - seeThrough.x) * lit.x + specular.r,
                              (1.0f - seeThrough.y) * lit.y + specular.g,
                              (1.0f - seeThrough.z) * lit.z + specular.b);

    MDataHandle out = block.outputValue(vorlane::outColor);
    out.asFloatVector() = result;
    out.setClean();
}

}  // namespace

MStatus vorlane::compute(const MPlug& plug, MDataBlock& block) {
    if (plug == outColor || plug == outColorR || plug == outColorG || plug == outColorB) {
        shade(block);
        return MStatus::kSuccess;
    }
    if (plug == outTransparency || plug == outTransparencyR || plug == outTransparencyG ||
        plug == outTransparencyB) {
        const MFloatVector seeThrough = block.inputValue(transparency).asFloatVector();
        MDataHandle out = block.outputValue(outTransparency);
        out.asFloatVector() = seeThrough;
        out.setClean();
        return MStatus::kSuccess;
    }
    return MStatus::kUnknownParameter;
}
