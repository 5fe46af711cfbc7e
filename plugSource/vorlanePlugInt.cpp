// The node's attributes: creation, flags, defaults, the attributes added to
// the node type, and which inputs affect which output.
#include <vorlane/linux_symbol_versions.h>

#include <maya/MFnEnumAttribute.h>
#include <maya/MFnLightDataAttribute.h>
#include <maya/MFnNumericAttribute.h>

#include <cstddef>
#include <cstdio>

#include "vorlanePlugInt.h"
#include "vorlaneShading.h"

namespace {

// Reports a failed host call of the light-array stretch and lets the caller
// go on: the source, the line of the failed step, then the host's own
// description. Written through the C library rather than iostreams, whose
// insertion of a C string and std::endl need C++ runtime versions newer than
// GCC 4.1.2's; flushed, so that it comes before the host's description,
// whichever stream the host writes that to.
void reportFailure(const MStatus& status, int line) {
    std::fprintf(stderr, "\nAPI error detected in plugSource/vorlanePlugInt at line %d\n", line);
    std::fflush(stderr);
    status.perror("");
}

// A float triple from three children created just before it. Its calls
// (flags and default) are made by the caller.
MObject floatTriple(MFnNumericAttribute& numeric, const char* longName, const char* shortName,
                    MObject& r, MObject& g, MObject& b, const char* const childNames[6],
                    const float defaults[3]) {
    r = numeric.create(childNames[0], childNames[1], MFnNumericData::kFloat, defaults[0]);
    g = numeric.create(childNames[2], childNames[3], MFnNumericData::kFloat, defaults[1]);
    b = numeric.create(childNames[4], childNames[5], MFnNumericData::kFloat, defaults[2]);
    return numeric.create(longName, shortName, r, g, b);
}

// A keyable, storable colour of the material.
MObject materialColor(MFnNumericAttribute& numeric, const char* longName, const char* shortName,
                      MObject& r, MObject& g, MObject& b, const char* const childNames[6],
                      const float defaults[3]) {
    MObject compound = floatTriple(numeric, longName, shortName, r, g, b, childNames, defaults);
    numeric.setKeyable(true);
    numeric.setStorable(true);
    numeric.setDefault(defaults[0], defaults[1], defaults[2]);
    numeric.setUsedAsColor(true);
    return compound;
}

// A readable, visible output that cannot be set.
MObject outputColor(MFnNumericAttribute& numeric, const char* longName, const char* shortName,
                    MObject& r, MObject& g, MObject& b, const char* const childNames[6]) {
    const float zero[3] = {0.0f, 0.0f, 0.0f};
    MObject compound = floatTriple(numeric, longName, shortName, r, g, b, childNames, zero);
    numeric.setHidden(false);
    numeric.setReadable(true);
    numeric.setWritable(false);
    return compound;
}

// Sample geometry from the renderer: hidden and not saved.
MObject sampleVector(MFnNumericAttribute& numeric, const char* longName, const char* shortName,
                     MObject& x, MObject& y, MObject& z, const char* const childNames[6]) {
    const float one[3] = {1.0f, 1.0f, 1.0f};
    MObject compound = floatTriple(numeric, longName, shortName, x, y, z, childNames, one);
    numeric.setStorable(false);
    numeric.setDefault(1.0f, 1.0f, 1.0f);
    numeric.setHidden(true);
    return compound;
}

// The kinds of the attributes of the light array, its members and itself.
enum LightKind { kLightFloat, kLightBoolean, kLightTriple, kLightPointer, kLightData };

// An attribute of the light array. A triple's children are the three
// attributes listed just before it.
struct LightAttribute {
    MObject* handle;
    const char* longName;
    const char* shortName;
    LightKind kind;
    float defaultValue;  // a float's; a boolean's as 0 or 1; each child's of a triple
};

const LightAttribute lightAttributes[] = {
    {&vorlane::lightDirectionX, "lightDirectionX", "ldx", kLightFloat, 1.0f},
    {&vorlane::lightDirectionY, "lightDirectionY", "ldy", kLightFloat, 1.0f},
    {&vorlane::lightDirectionZ, "lightDirectionZ", "ldz", kLightFloat, 1.0f},
    {&vorlane::lightDirection, "lightDirection", "ld", kLightTriple, 1.0f},
    {&vorlane::lightIntensityR, "lightIntensityR", "lir", kLightFloat, 1.0f},
    {&vorlane::lightIntensityG, "lightIntensityG", "lig", kLightFloat, 1.0f},
    {&vorlane::lightIntensityB, "lightIntensityB", "lib", kLightFloat, 1.0f},
    {&vorlane::lightIntensity, "lightIntensity", "li", kLightTriple, 1.0f},
    {&vorlane::lightAmbient, "lightAmbient", "la", kLightBoolean, 1.0f},
    {&vorlane::lightDiffuse, "lightDiffuse", "ldf", kLightBoolean, 1.0f},
    {&vorlane::lightSpecular, "lightSpecular", "ls", kLightBoolean, 0.0f},
    {&vorlane::lightShadowFraction, "lightShadowFraction", "lsf", kLightFloat, 1.0f},
    {&vorlane::preShadowIntensity, "preShadowIntensity", "psi", kLightFloat, 1.0f},
    {&vorlane::lightBlindData, "lightBlindData", "lbld", kLightPointer, 0.0f},
    {&vorlane::lightDataArray, "lightDataArray", "ltd", kLightData, 0.0f},
};

// The host calls whose status is tested while the light array is made.
enum LightCall {
    kCreate,
    kSetStorable,
    kSetHidden,
    kSetReadable,
    kSetWritable,
    kSetArray,
    kSetDefault
};

// One tested call on one attribute, in call order. Each step has a source
// line of its own, which a failure report gives: the line names the
// attribute and the call that the host refused.
struct LightStep {
    int line;
    MObject* handle;
    LightCall call;
};

const LightStep lightSteps[] = {
    {__LINE__, &vorlane::lightDirectionX, kCreate},
    {__LINE__, &vorlane::lightDirectionX, kSetStorable},
    {__LINE__, &vorlane::lightDirectionX, kSetHidden},
    {__LINE__, &vorlane::lightDirectionX, kSetReadable},
    {__LINE__, &vorlane::lightDirectionX, kSetWritable},
    {__LINE__, &vorlane::lightDirectionX, kSetDefault},
    {__LINE__, &vorlane::lightDirectionY, kCreate},
    {__LINE__, &vorlane::lightDirectionY, kSetStorable},
    {__LINE__, &vorlane::lightDirectionY, kSetHidden},
    {__LINE__, &vorlane::lightDirectionY, kSetReadable},
    {__LINE__, &vorlane::lightDirectionY, kSetWritable},
    {__LINE__, &vorlane::lightDirectionY, kSetDefault},
    {__LINE__, &vorlane::lightDirectionZ, kCreate},
    {__LINE__, &vorlane::lightDirectionZ, kSetStorable},
    {__LINE__, &vorlane::lightDirectionZ, kSetHidden},
    {__LINE__, &vorlane::lightDirectionZ, kSetReadable},
    {__LINE__, &vorlane::lightDirectionZ, kSetWritable},
    {__LINE__, &vorlane::lightDirectionZ, kSetDefault},
    {__LINE__, &vorlane::lightDirection, kCreate},
    {__LINE__, &vorlane::lightDirection, kSetStorable},
    {__LINE__, &vorlane::lightDirection, kSetHidden},
    {__LINE__, &vorlane::lightDirection, kSetReadable},
    {__LINE__, &vorlane::lightDirection, kSetWritable},
    {__LINE__, &vorlane::lightDirection, kSetDefault},
    {__LINE__, &vorlane::lightIntensityR, kCreate},
    {__LINE__, &vorlane::lightIntensityR, kSetStorable},
    {__LINE__, &vorlane::lightIntensityR, kSetHidden},
    {__LINE__, &vorlane::lightIntensityR, kSetReadable},
    {__LINE__, &vorlane::lightIntensityR, kSetWritable},
    {__LINE__, &vorlane::lightIntensityR, kSetDefault},
    {__LINE__, &vorlane::lightIntensityG, kCreate},
    {__LINE__, &vorlane::lightIntensityG, kSetStorable},
    {__LINE__, &vorlane::lightIntensityG, kSetHidden},
    {__LINE__, &vorlane::lightIntensityG, kSetReadable},
    {__LINE__, &vorlane::lightIntensityG, kSetWritable},
    {__LINE__, &vorlane::lightIntensityG, kSetDefault},
    {__LINE__, &vorlane::lightIntensityB, kCreate},
    {__LINE__, &vorlane::lightIntensityB, kSetStorable},
    {__LINE__, &vorlane::lightIntensityB, kSetHidden},
    {__LINE__, &vorlane::lightIntensityB, kSetReadable},
    {__LINE__, &vorlane::lightIntensityB, kSetWritable},
    {__LINE__, &vorlane::lightIntensityB, kSetDefault},
    {__LINE__, &vorlane::lightIntensity, kCreate},
    {__LINE__, &vorlane::lightIntensity, kSetStorable},
    {__LINE__, &vorlane::lightIntensity, kSetHidden},
    {__LINE__, &vorlane::lightIntensity, kSetReadable},
    {__LINE__, &vorlane::lightIntensity, kSetWritable},
    {__LINE__, &vorlane::lightIntensity, kSetDefault},
    {__LINE__, &vorlane::lightAmbient, kCreate},
    {__LINE__, &vorlane::lightAmbient, kSetStorable},
    {__LINE__, &vorlane::lightAmbient, kSetHidden},
    {__LINE__, &vorlane::lightAmbient, kSetReadable},
    {__LINE__, &vorlane::lightAmbient, kSetWritable},
    {__LINE__, &vorlane::lightAmbient, kSetDefault},
    {__LINE__, &vorlane::lightDiffuse, kCreate},
    {__LINE__, &vorlane::lightDiffuse, kSetStorable},
    {__LINE__, &vorlane::lightDiffuse, kSetHidden},
    {__LINE__, &vorlane::lightDiffuse, kSetReadable},
    {__LINE__, &vorlane::lightDiffuse, kSetWritable},
    {__LINE__, &vorlane::lightDiffuse, kSetDefault},
    {__LINE__, &vorlane::lightSpecular, kCreate},
    {__LINE__, &vorlane::lightSpecular, kSetStorable},
    {__LINE__, &vorlane::lightSpecular, kSetHidden},
    {__LINE__, &vorlane::lightSpecular, kSetReadable},
    {__LINE__, &vorlane::lightSpecular, kSetWritable},
    {__LINE__, &vorlane::lightSpecular, kSetDefault},
    {__LINE__, &vorlane::lightShadowFraction, kCreate},
    {__LINE__, &vorlane::lightShadowFraction, kSetStorable},
    {__LINE__, &vorlane::lightShadowFraction, kSetHidden},
    {__LINE__, &vorlane::lightShadowFraction, kSetReadable},
    {__LINE__, &vorlane::lightShadowFraction, kSetWritable},
    {__LINE__, &vorlane::lightShadowFraction, kSetDefault},
    {__LINE__, &vorlane::preShadowIntensity, kCreate},
    {__LINE__, &vorlane::preShadowIntensity, kSetStorable},
    {__LINE__, &vorlane::preShadowIntensity, kSetHidden},
    {__LINE__, &vorlane::preShadowIntensity, kSetReadable},
    {__LINE__, &vorlane::preShadowIntensity, kSetWritable},
    {__LINE__, &vorlane::preShadowIntensity, kSetDefault},
    {__LINE__, &vorlane::lightBlindData, kCreate},
    {__LINE__, &vorlane::lightBlindData, kSetStorable},
    {__LINE__, &vorlane::lightBlindData, kSetHidden},
    {__LINE__, &vorlane::lightBlindData, kSetReadable},
    {__LINE__, &vorlane::lightBlindData, kSetWritable},
    {__LINE__, &vorlane::lightDataArray, kCreate},
    {__LINE__, &vorlane::lightDataArray, kSetArray},
    {__LINE__, &vorlane::lightDataArray, kSetStorable},
    {__LINE__, &vorlane::lightDataArray, kSetHidden},
    {__LINE__, &vorlane::lightDataArray, kSetDefault},
};

// The number of entries of a table.
template <class T, std::size_t count>
std::size_t countOf(const T (&)[count]) {
    return count;
}

// Makes an attribute of the light array, with the function set of its kind.
MObject create(std::size_t index, MFnNumericAttribute& numeric, MFnLightDataAttribute& lightData,
               MStatus& status) {
    const LightAttribute& a = lightAttributes[index];
    switch (a.kind) {
        case kLightFloat:
            return numeric.create(a.longName, a.shortName, MFnNumericData::kFloat, 0.0, &status);
        case kLightBoolean:
            return numeric.create(a.longName, a.shortName, MFnNumericData::kBoolean, 0.0, &status);
        case kLightTriple:
            return numeric.create(a.longName, a.shortName, *lightAttributes[index - 3].handle,
                                  *lightAttributes[index - 2].handle,
                                  *lightAttributes[index - 1].handle, &status);
        case kLightPointer:
            return numeric.createAddr(a.longName, a.shortName, NULL, &status);
        case kLightData:
            break;
    }
    return lightData.create(a.longName, a.shortName, vorlane::lightDirection,
                            vorlane::lightIntensity, vorlane::lightAmbient, vorlane::lightDiffuse,
                            vorlane::lightSpecular, vorlane::lightShadowFraction,
                            vorlane::preShadowIntensity, vorlane::lightBlindData, &status);
}

MStatus setDefault(const LightAttribute& a, MFnNumericAttribute& numeric,
                   MFnLightDataAttribute& lightData) {
    switch (a.kind) {
        case kLightFloat:
            return numeric.setDefault(a.defaultValue);
        case kLightBoolean:
            return numeric.setDefault(a.defaultValue != 0.0f);
        case kLightTriple:
            return numeric.setDefault(a.defaultValue, a.defaultValue, a.defaultValue);
        case kLightPointer:
            break;  // created with its default, null
        case kLightData:
            // An element starts with no direction and no light: ambient and
            // diffuse on, specular off, unshadowed.
            return lightData.setDefault(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, true, true, false, 1.0f,
                                        1.0f, NULL);
    }
    return MStatus::kNotImplemented;
}

// Makes one step. A creation binds the function set of the attribute's kind
// to the new attribute; the calls after it apply to that attribute.
MStatus makeStep(const LightStep& step, MFnNumericAttribute& numeric,
                 MFnLightDataAttribute& lightData, MStatus& status) {
    std::size_t index = 0;
    while (lightAttributes[index].handle != step.handle) {
        ++index;
    }
    const LightAttribute& a = lightAttributes[index];
    MFnAttribute& attribute =
        a.kind == kLightData ? static_cast<MFnAttribute&>(lightData) : numeric;
    switch (step.call) {
        case kCreate:
            *a.handle = create(index, numeric, lightData, status);
            return status;
        case kSetStorable:
            return attribute.setStorable(false);
        case kSetHidden:
            return attribute.setHidden(true);
        case kSetReadable:
            return attribute.setReadable(true);
        case kSetWritable:
            return attribute.setWritable(false);
        case kSetArray:
            return attribute.setArray(true);
        case kSetDefault:
            break;
    }
    return setDefault(a, numeric, lightData);
}

}  // namespace

MStatus vorlane::initialize() {
    MFnNumericAttribute numeric;
    MFnEnumAttribute enumeration;
    MFnLightDataAttribute lightData;

    // Rows 1 to 39: material settings, outputs and sample geometry. These
    // calls are not tested: a failure leaves the handle as the host gave it.
    const char* const colorNames[6] = {"colorR", "cr", "colorG", "cg", "colorB", "cb"};
    const float colorDefault[3] = {0.309f, 0.397f, 0.708f};
    color = materialColor(numeric, "color", "c", colorR, colorG, colorB, colorNames, colorDefault);

    const float zero[3] = {0.0f, 0.0f, 0.0f};
    const char* const transparencyNames[6] = {"transparencyR", "itr",           "transparencyG",
                                              "itg",           "transparencyB", "itb"};
    transparency = materialColor(numeric, "transparency", "it", transparencyR, transparencyG,
                                 transparencyB, transparencyNames, zero);

    const char* const ambientNames[6] = {"ambientColorR", "ambCR",         "ambientColorG",
                                         "ambCG",         "ambientColorB", "ambCB"};
    ambientColor = materialColor(numeric, "ambientColor", "ambC", ambientColorR, ambientColorG,
                                 ambientColorB, ambientNames, zero);

    const char* const incandescenceNames[6] = {"incandescenceR", "ir", "incandescenceG", "ig",
                                               "incandescenceB", "ib"};
    incandescence = materialColor(numeric, "incandescence", "ic", incandescenceR, incandescenceG,
                                  incandescenceB, incandescenceNames, zero);

    diffuse = numeric.create("diffuse", "dfl", MFnNumericData::kFloat, 0.0);
    numeric.setKeyable(true);
    numeric.setStorable(true);
    numeric.setDefault(0.8f);
    numeric.setSoftMin(0.0);
    numeric.setSoftMax(1.0);

    specularRollOff = numeric.create("specularRollOff", "sro", MFnNumericData::kFloat, 0.0);
    numeric.setKeyable(true);
    numeric.setStorable(true);
    numeric.setDefault(5.0f);
    numeric.setSoftMin(0.0);
    numeric.setSoftMax(20.0);

    const char* const specularNames[6] = {"specularColorR", "spcr",           "specularColorG",
                                          "spcg",           "specularColorB", "spcb"};
    const float half[3] = {0.5f, 0.5f, 0.5f};
    specularColor = materialColor(numeric, "specularColor", "spc", specularColorR, specularColorG,
                                  specularColorB, specularNames, half);

    specOutput = enumeration.create("specOutput", "sout", 0);
    for (int field = 0; field < vorlane_shading::presetFieldCount(); ++field) {
        enumeration.addField(vorlane_shading::presetFieldName(field),
                             vorlane_shading::presetFieldValue(field));
    }
    enumeration.setStorable(true);
    enumeration.setKeyable(true);

    const char* const outColorNames[6] = {"outColorR", "ocr",       "outColorG",
                                          "ocg",       "outColorB", "ocb"};
    outColor =
        outputColor(numeric, "outColor", "oc", outColorR, outColorG, outColorB, outColorNames);
    const char* const outTransparencyNames[6] = {
        "outTransparencyR", "otr", "outTransparencyG", "otg", "outTransparencyB", "otb"};
    outTransparency = outputColor(numeric, "outTransparency", "ot", outTransparencyR,
                                  outTransparencyG, outTransparencyB, outTransparencyNames);

    const char* const pointNames[6] = {"pointCameraX", "px",           "pointCameraY",
                                       "py",           "pointCameraZ", "pz"};
    pointCamera = sampleVector(numeric, "pointCamera", "pc", pointCameraX, pointCameraY,
                               pointCameraZ, pointNames);
    const char* const normalNames[6] = {"normalCameraX", "nx", "normalCameraY", "ny",
                                        "normalCameraZ", "nz"};
    normalCamera = sampleVector(numeric, "normalCamera", "n", normalCameraX, normalCameraY,
                                normalCameraZ, normalNames);

    // Rows 40 to 54: the light array. Every status is tested and reported.
    MStatus status;
    for (std::size_t i = 0; i < countOf(lightSteps); ++i) {
        const MStatus result = makeStep(lightSteps[i], numeric, lightData, status);
        if (result != MStatus::kSuccess) {
            reportFailure(result, lightSteps[i].line);
        }
    }

    // The attributes of the node type; float triples bring their children,
    // and the light members are added one by one before the array.
    const MObject* const nodeAttributes[] = {
        &color,          &transparency,        &ambientColor,       &incandescence,
        &diffuse,        &specularRollOff,     &specularColor,      &specOutput,
        &outColor,       &outTransparency,     &pointCamera,        &normalCamera,
        &lightDirection, &lightIntensity,      &lightAmbient,       &lightDiffuse,
        &lightSpecular,  &lightShadowFraction, &preShadowIntensity, &lightBlindData,
        &lightDataArray};
    for (std::size_t i = 0; i < countOf(nodeAttributes); ++i) {
        addAttribute(*nodeAttributes[i]);
    }

    // Transparency affects both outputs; every other input only outColor.
    // The light intensity is declared too, so that a changed intensity never
    // leaves a stale colour.
    const MObject* const colorInputs[] = {&colorR, &colorG, &colorB, &color};
    for (std::size_t i = 0; i < countOf(colorInputs); ++i) {
        attributeAffects(*colorInputs[i], outColor);
    }
    const MObject* const transparencyInputs[] = {&transparencyR, &transparencyG, &transparencyB,
                                                 &transparency};
    for (std::size_t i = 0; i < countOf(transparencyInputs); ++i) {
        attributeAffects(*transparencyInputs[i], outTransparency);
    }
    const MObject* const shadingInputs[] = {
        &transparencyR,   &transparencyG,   &transparencyB,       &transparency,
        &ambientColorR,   &ambientColorG,   &ambientColorB,       &ambientColor,
        &incandescenceR,  &incandescenceG,  &incandescenceB,      &incandescence,
        &diffuse,         &specularRollOff, &specularColorR,      &specularColorG,
        &specularColorB,  &specularColor,   &specOutput,          &pointCamera,
        &pointCameraX,    &pointCameraY,    &pointCameraZ,        &normalCameraX,
        &normalCameraY,   &normalCameraZ,   &normalCamera,        &lightDirectionX,
        &lightDirectionY, &lightDirectionZ, &lightDirection,      &lightAmbient,
        &lightSpecular,   &lightDiffuse,    &lightShadowFraction, &preShadowIntensity,
        &lightBlindData,  &lightDataArray,  &lightIntensityR,     &lightIntensityG,
        &lightIntensityB, &lightIntensity};
    for (std::size_t i = 0; i < countOf(shadingInputs); ++i) {
        attributeAffects(*shadingInputs[i], outColor);
    }
    return MStatus::kSuccess;
}
