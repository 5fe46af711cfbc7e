// The node class: identifier, class-wide handles, construction.
#include <vorlane/linux_symbol_versions.h>

#include "vorlanePlugInt.h"

const MTypeId vorlane::id(0x28713);

MObject vorlane::colorR;
MObject vorlane::colorG;
MObject vorlane::colorB;
MObject vorlane::color;
MObject vorlane::transparencyR;
MObject vorlane::transparencyG;
MObject vorlane::transparencyB;
MObject vorlane::transparency;
MObject vorlane::ambientColorR;
MObject vorlane::ambientColorG;
MObject vorlane::ambientColorB;
MObject vorlane::ambientColor;
MObject vorlane::incandescenceR;
MObject vorlane::incandescenceG;
MObject vorlane::incandescenceB;
MObject vorlane::incandescence;
MObject vorlane::diffuse;
MObject vorlane::specularRollOff;
MObject vorlane::specularColorR;
MObject vorlane::specularColorG;
MObject vorlane::specularColorB;
MObject vorlane::specularColor;
MObject vorlane::specOutput;
MObject vorlane::outColorR;
MObject vorlane::outColorG;
MObject vorlane::outColorB;
MObject vorlane::outColor;
MObject vorlane::outTransparencyR;
MObject vorlane::outTransparencyG;
MObject vorlane::outTransparencyB;
MObject vorlane::outTransparency;
MObject vorlane::pointCameraX;
MObject vorlane::pointCameraY;
MObject vorlane::pointCameraZ;
MObject vorlane::pointCamera;
MObject vorlane::normalCameraX;
MObject vorlane::normalCameraY;
MObject vorlane::normalCameraZ;
MObject vorlane::normalCamera;
MObject vorlane::lightDirectionX;
MObject vorlane::lightDirectionY;
MObject vorlane::lightDirectionZ;
MObject vorlane::lightDirection;
MObject vorlane::lightIntensityR;
MObject vorlane::lightIntensityG;
MObject vorlane::lightIntensityB;
MObject vorlane::lightIntensity;
MObject vorlane::lightAmbient;
MObject vorlane::lightDiffuse;
MObject vorlane::lightSpecular;
MObject vorlane::lightShadowFraction;
MObject vorlane::preShadowIntensity;
MObject vorlane::lightBlindData;
MObject vorlane::lightDataArray;

vorlane::vorlane() {}

vorlane::~vorlane() {}

// setMPSafe is deprecated from 2019, where schedulingType() alone says it.
void vorlane::postConstructor() {
#if MAYA_API_VERSION < 20190000
    setMPSafe(true);
#endif
}

// The evaluation manager of 2016 and later runs the node concurrently with
// others only when it answers kParallel.
#if MAYA_API_VERSION >= 201600
MPxNode::SchedulingType vorlane::schedulingType() const {
    return kParallel;
}
#endif

void* vorlane::creator() {
    return new vorlane();
}
