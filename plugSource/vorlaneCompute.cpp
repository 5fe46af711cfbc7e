// Shading: ambient, diffuse and measured specular light from the light array.
#include <vorlane/linux_symbol_versions.h>

#include <maya/MArrayDataHandle.h>
#include <maya/MDataHandle.h>
#include <maya/MFloatVector.h>

#include "vorlanePlugInt.h"
#include "vorlaneShading.h"

namespace {

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

    const float pointXyz[3] = {point.x, point.y, point.z};
    const float normalXyz[3] = {normal.x, normal.y, normal.z};
    float view[3];
    vorlane_shading::normalizeView(pointXyz, view);
    MFloatVector lit(0.0f, 0.0f, 0.0f);
    float specular[3] = {0.0f, 0.0f, 0.0f};
    // Prepared at the first light with specular set, then shared by the rest.
    vorlane_shading::SpecularSurface lobeSurface = vorlane_shading::SpecularSurface();
    bool surfaceReady = false;

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
            const float directionXyz[3] = {direction.x, direction.y, direction.z};
            const float intensityRgb[3] = {intensity.x, intensity.y, intensity.z};
            float sum[3] = {0.0f, 0.0f, 0.0f};
            if (!surfaceReady) {
                vorlane_shading::prepareSpecular(preset, normalXyz, lobeSurface);
                surfaceReady = true;
            }
            vorlane_shading::accumulateSpecular(lobeSurface, view, directionXyz, intensityRgb,
                                                weight, sum);
            for (unsigned int c = 0; c < 3; ++c) {
                specular[c] = (specularTint[c] * sum[c]) * rollOff + specular[c];
            }
        }
        if (lights.next() != MStatus::kSuccess) {
            break;
        }
    }

    vorlane_shading::applyColorMatrix(specular);
    for (unsigned int c = 0; c < 3; ++c) {
        lit[c] = ((surface[c] * ambient[c]) + glow[c]) + lit[c];
    }
    const MFloatVector seeThrough = block.inputValue(vorlane::transparency).asFloatVector();
    MFloatVector result;
    for (unsigned int c = 0; c < 3; ++c) {
        lit[c] = (1.0f - seeThrough[c]) * lit[c];
        // The measured specular is not weighted by the transparency.
        result[c] = lit[c] + specular[c];
    }

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
