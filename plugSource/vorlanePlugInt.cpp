// The node's attributes: creation, flags, defaults, the attributes added to
// the node type, and which inputs affect which output.
#include <vorlane/linux_symbol_versions.h>

#include <maya/MFnEnumAttribute.h>
#include <maya/MFnLightDataAttribute.h>
#include <maya/MFnNumericAttribute.h>

#include <cstdio>

#include <vorlane/model/presets.h>

#include "vorlanePlugInt.h"

namespace {

// Reports a failed host call of the light array and lets the caller go on:
// the source, the line of the check, then the host's own description.
// Written through the C library rather than iostreams, whose insertion of a
// C string and std::endl need C++ runtime versions newer than GCC 4.1.2's;
// flushed, so that it comes before the host's description, whichever stream
// the host writes that to.
void reportFailure(const MStatus& status, int line) {
    std::fprintf(stderr, "\nAPI error detected in plugSource/vorlanePlugInt at line %d\n", line);
    std::fflush(stderr);
    status.perror("");
}

// Tests the status of one host call of the light array where it is made, as
// the host's CHECK_MSTATUS does, and reports a failure at this line.
#define CHECK_STATUS(call)                    \
    {                                         \
        const MStatus checked = (call);       \
        if (checked != MStatus::kSuccess) {   \
            reportFailure(checked, __LINE__); \
        }                                     \
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

}  // namespace

MStatus vorlane::initialize() {
    MFnNumericAttribute numeric;
    MFnEnumAttribute enumeration;
    MFnLightDataAttribute lightData;

    // The material's settings, the outputs and the sample geometry. These
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
    const vorlane_model::PresetField* const fields = vorlane_model::presetDeclarationOrder();
    for (int field = 0; field < vorlane_model::kPresetCount; ++field) {
        enumeration.addField(fields[field].name, fields[field].index);
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

    // The light array, its members first. Every status is tested where the
    // call is made; a failure is reported and the work goes on.
    MStatus status;
    lightDirectionX =
        numeric.create("lightDirectionX", "ldx", MFnNumericData::kFloat, 0.0, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(1.0f));

    lightDirectionY =
        numeric.create("lightDirectionY", "ldy", MFnNumericData::kFloat, 0.0, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(1.0f));

    lightDirectionZ =
        numeric.create("lightDirectionZ", "ldz", MFnNumericData::kFloat, 0.0, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(1.0f));

    lightDirection = numeric.create("lightDirection", "ld", lightDirectionX, lightDirectionY,
                                    lightDirectionZ, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(1.0f, 1.0f, 1.0f));

    lightIntensityR =
        numeric.create("lightIntensityR", "lir", MFnNumericData::kFloat, 0.0, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(1.0f));

    lightIntensityG =
        numeric.create("lightIntensityG", "lig", MFnNumericData::kFloat, 0.0, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(1.0f));

    lightIntensityB =
        numeric.create("lightIntensityB", "lib", MFnNumericData::kFloat, 0.0, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(1.0f));

    lightIntensity = numeric.create("lightIntensity", "li", lightIntensityR, lightIntensityG,
                                    lightIntensityB, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(1.0f, 1.0f, 1.0f));

    lightAmbient = numeric.create("lightAmbient", "la", MFnNumericData::kBoolean, 0.0, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(true));

    lightDiffuse = numeric.create("lightDiffuse", "ldf", MFnNumericData::kBoolean, 0.0, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(true));

    lightSpecular = numeric.create("lightSpecular", "ls", MFnNumericData::kBoolean, 0.0, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(false));

    lightShadowFraction =
        numeric.create("lightShadowFraction", "lsf", MFnNumericData::kFloat, 0.0, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(1.0f));

    preShadowIntensity =
        numeric.create("preShadowIntensity", "psi", MFnNumericData::kFloat, 0.0, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    CHECK_STATUS(numeric.setDefault(1.0f));

    lightBlindData = numeric.createAddr("lightBlindData", "lbld", NULL, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(numeric.setStorable(false));
    CHECK_STATUS(numeric.setHidden(true));
    CHECK_STATUS(numeric.setReadable(true));
    CHECK_STATUS(numeric.setWritable(false));
    // Its default, null, is given at creation.

    lightDataArray = lightData.create(
        "lightDataArray", "ltd", lightDirection, lightIntensity, lightAmbient, lightDiffuse,
        lightSpecular, lightShadowFraction, preShadowIntensity, lightBlindData, &status);
    CHECK_STATUS(status);
    CHECK_STATUS(lightData.setArray(true));
    CHECK_STATUS(lightData.setStorable(false));
    CHECK_STATUS(lightData.setHidden(true));
    // An element starts with no direction and no light: ambient and diffuse
    // on, specular off, unshadowed.
    status = lightData.setDefault(0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, true, true, false, 1.0f, 1.0f,
                                  NULL);
    CHECK_STATUS(status);

    // The attributes of the node type; float triples bring their children,
    // and the light members are added one by one before the array.
    addAttribute(color);
    addAttribute(transparency);
    addAttribute(ambientColor);
    addAttribute(incandescence);
    addAttribute(diffuse);
    addAttribute(specularRollOff);
    addAttribute(specularColor);
    addAttribute(specOutput);
    addAttribute(outColor);
    addAttribute(outTransparency);
    addAttribute(pointCamera);
    addAttribute(normalCamera);
    addAttribute(lightDirection);
    addAttribute(lightIntensity);
    addAttribute(lightAmbient);
    addAttribute(lightDiffuse);
    addAttribute(lightSpecular);
    addAttribute(lightShadowFraction);
    addAttribute(preShadowIntensity);
    addAttribute(lightBlindData);
    addAttribute(lightDataArray);

    // Transparency affects both outputs; every other input only outColor.
    // The light intensity is declared too, so that a changed intensity never
    // leaves a stale colour.
    attributeAffects(colorR, outColor);
    attributeAffects(colorG, outColor);
    attributeAffects(colorB, outColor);
    attributeAffects(color, outColor);
    attributeAffects(transparencyR, outTransparency);
    attributeAffects(transparencyG, outTransparency);
    attributeAffects(transparencyB, outTransparency);
    attributeAffects(transparency, outTransparency);
    attributeAffects(transparencyR, outColor);
    attributeAffects(transparencyG, outColor);
    attributeAffects(transparencyB, outColor);
    attributeAffects(transparency, outColor);
    attributeAffects(ambientColorR, outColor);
    attributeAffects(ambientColorG, outColor);
    attributeAffects(ambientColorB, outColor);
    attributeAffects(ambientColor, outColor);
    attributeAffects(incandescenceR, outColor);
    attributeAffects(incandescenceG, outColor);
    attributeAffects(incandescenceB, outColor);
    attributeAffects(incandescence, outColor);
    attributeAffects(diffuse, outColor);
    attributeAffects(specularRollOff, outColor);
    attributeAffects(specularColorR, outColor);
    attributeAffects(specularColorG, outColor);
    attributeAffects(specularColorB, outColor);
    attributeAffects(specularColor, outColor);
    attributeAffects(specOutput, outColor);
    attributeAffects(pointCamera, outColor);
    attributeAffects(pointCameraX, outColor);
    attributeAffects(pointCameraY, outColor);
    attributeAffects(pointCameraZ, outColor);
    attributeAffects(normalCameraX, outColor);
    attributeAffects(normalCameraY, outColor);
    attributeAffects(normalCameraZ, outColor);
    attributeAffects(normalCamera, outColor);
    attributeAffects(lightDirectionX, outColor);
    attributeAffects(lightDirectionY, outColor);
    attributeAffects(lightDirectionZ, outColor);
    attributeAffects(lightDirection, outColor);
    attributeAffects(lightAmbient, outColor);
    attributeAffects(lightSpecular, outColor);
    attributeAffects(lightDiffuse, outColor);
    attributeAffects(lightShadowFraction, outColor);
    attributeAffects(preShadowIntensity, outColor);
    attributeAffects(lightBlindData, outColor);
    attributeAffects(lightDataArray, outColor);
    attributeAffects(lightIntensityR, outColor);
    attributeAffects(lightIntensityG, outColor);
    attributeAffects(lightIntensityB, outColor);
    attributeAffects(lightIntensity, outColor);
    return MStatus::kSuccess;
}
