// Function set for the light-data compound: direction, intensity, ambient,
// diffuse, specular, shadow fraction, pre-shadow intensity and blind data.
#pragma once

#include <maya/MFnAttribute.h>
#include <maya/MTypes.h>

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnLightDataAttribute : public MFnAttribute {
  public:
    MFnLightDataAttribute() {}
    explicit MFnLightDataAttribute(const MObject& attribute, MStatus* status = NULL)
        : MFnAttribute(attribute, status) {}
    virtual ~MFnLightDataAttribute();

    MObject create(const MString& fullName, const MString& briefName, const MObject& direction,
                   const MObject& intensity, const MObject& ambient, const MObject& diffuse,
                   const MObject& specular, const MObject& shadowFraction,
                   const MObject& preShadowIntensity, const MObject& blindData,
                   MStatus* status = NULL);

    MStatus setDefault(float directionX, float directionY, float directionZ, float intensityR,
                       float intensityG, float intensityB, bool ambient, bool diffuse,
                       bool specular, float shadowFraction, float preShadowIntensity,
                       void* blindData);
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MFnLightDataAttribute)
