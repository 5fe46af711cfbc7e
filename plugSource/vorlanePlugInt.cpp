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

// The number of entries of a list of attributes.
template <std::size_t count>
std::size_t countOf(const MObject* const (&)[count]) {
    return count;
}

// Reports a failed host call of the light-array stretch and lets the caller
// go on: the source, the line of the test, then the host's own description.
// Written through the C library rather than iostreams, whose insertion of a
// C string and std::endl need C++ runtime versions newer than GCC 4.1.2's;
// flushed, so that it comes before the host's description, whichever stream
// the host writes that to.
void reportFailure(const MStatus& status, int line) {
    std::fprintf(stderr, "\nAPI error detected in plugSource/vorlanePlugInt at line %d\n", line);
    std::fflush(stderr);
    status.perror("");
}

}  // namespace

// Tests a host status right where the call was made.
#define VORLANE_CHECK(expression)                   \
    do {                                            \
        const MStatus vorlaneStatus = (expression); \
        if (vorlaneStatus != MStatus::kSuccess) {   \
            reportFailure(vorlaneStatus, __LINE__); \
        }                                           \
    } while (false)

namespace {

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

// The flags every light-array member gets: hidden, not saved, read only.
void lightMemberFlags(MFnAttribute& attribute) {
    VORLANE_CHECK(attribute.setStorable(false));
    VORLANE_CHECK(attribute.setHidden(true));
    VORLANE_CHECK(attribute.setReadable(true));
    VORLANE_CHECK(attribute.setWritable(false));
}

// A single float or boolean member: created with 0 (false), then given its
// default by the one-value setDefault of its type.
template <class T>
MObject lightValue(MFnNumericAttribute& numeric, const char* longName, const char* shortName,
                   MFnNumericData::Type type, T defaultValue) {
    MStatus status;
    MObject attribute = numeric.create(longName, shortName, type, 0.0, &status);
    VORLANE_CHECK(status);
    lightMemberFlags(numeric);
    VORLANE_CHECK(numeric.setDefault(defaultValue));
    return attribute;
}

MObject lightFloat(MFnNumericAttribute& numeric, const char* longName, const char* shortName,
                   float defaultValue) {
    return lightValue(numeric, longName, shortName, MFnNumericData::kFloat, defaultValue);
}

MObject lightBoolean(MFnNumericAttribute& numeric, const char* longName, const char* shortName,
                     bool defaultValue) {
    return lightValue(numeric, longName, shortName, MFnNumericData::kBoolean, defaultValue);
}

MObject lightTriple(MFnNumericAttribute& numeric, const char* longName, const char* shortName,
                    const MObject& x, const MObject& y, const MObject& z) {
    MStatus status;
    MObject attribute = numeric.create(longName, shortName, x, y, z, &status);
    VORLANE_CHECK(status);
    lightMemberFlags(numeric);
    VORLANE_CHECK(numeric.setDefault(1.0f, 1.0f, 1.0f));
    return attribute;
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
    lightDirectionX = lightFloat(numeric, "lightDirectionX", "ldx", 1.0f);
    lightDirectionY = lightFloat(numeric, "lightDirectionY", "ldy", 1.0f);
    lightDirectionZ = lightFloat(numeric, "lightDirectionZ", "ldz", 1.0f);
    lightDirection = lightTriple(numeric, "lightDirection", "ld", lightDirectionX, lightDirectionY,
                                 lightDirectionZ);
    lightIntensityR = lightFloat(numeric, "lightIntensityR", "lir", 1.0f);
    lightIntensityG = lightFloat(numeric, "lightIntensityG", "lig", 1.0f);
    lightIntensityB = lightFloat(numeric, "lightIntensityB", "lib", 1.0f);
    lightIntensity = lightTriple(numeric, "lightIntensity", "li", lightIntensityR, lightIntensityG,
                                 lightIntensityB);
    lightAmbient = lightBoolean(numeric, "lightAmbient", "la", true);
    lightDiffuse = lightBoolean(numeric, "lightDiffuse", "ldf", true);
    lightSpecular = lightBoolean(numeric, "lightSpecular", "ls", false);
    lightShadowFraction = lightFloat(numeric, "lightShadowFraction", "lsf", 1.0f);
    preShadowIntensity = lightFloat(numeric, "preShadowIntensity", "psi", 1.0f);

    MStatus status;
    lightBlindData = numeric.createAddr("lightBlindData", "lbld", NULL, &status);
    VORLANE_CHECK(status);
    lightMemberFlags(numeric);

    lightDataArray = lightData.create(
        "lightDataArray", "ltd", lightDirection, lightIntensity, lightAmbient, lightDiffuse,
        lightSpecular, lightShadowFraction, preShadowIntensity, lightBlindData, &status);
    VORLANE_CHECK(status);
    VORLANE_CHECK(lightData.setArray(true));
    VORLANE_CHECK(lightData.setStorable(false));
    VORLANE_CHECK(lightData.setHidden(true));
    // An element starts with no direction and no light: ambient and diffuse
    // on, specular off, unshadowed.
    VORLANE_CHECK(lightData.setDefault(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, true, true, false, 1.0f,
                                       1.0f, NULL));

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
