// The shading node `vorlane`: a measured-material surface shader. The node
// keeps no state of its own; its class-wide attribute handles are assigned
// once by initialize and only read afterwards, so compute may run on many
// threads at once. It tells the host so in the form of the host release it
// is built for (MAYA_API_VERSION): setMPSafe(true) in postConstructor up to
// 2018, and from 2016 by answering schedulingType() with kParallel.
#pragma once

#include <maya/MDataBlock.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MPxNode.h>
#include <maya/MStatus.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

class vorlane : public MPxNode {
  public:
    vorlane();
    ~vorlane();
    void postConstructor();
    MStatus compute(const MPlug& plug, MDataBlock& block);
#if MAYA_API_VERSION >= 201600
    SchedulingType schedulingType() const;
#endif

    static void* creator();
    static MStatus initialize();

    static const MTypeId id;

    // Material settings.
    static MObject colorR;
    static MObject colorG;
    static MObject colorB;
    static MObject color;
    static MObject transparencyR;
    static MObject transparencyG;
    static MObject transparencyB;
    static MObject transparency;
    static MObject ambientColorR;
    static MObject ambientColorG;
    static MObject ambientColorB;
    static MObject ambientColor;
    static MObject incandescenceR;
    static MObject incandescenceG;
    static MObject incandescenceB;
    static MObject incandescence;
    static MObject diffuse;
    static MObject specularRollOff;
    static MObject specularColorR;
    static MObject specularColorG;
    static MObject specularColorB;
    static MObject specularColor;
    static MObject specOutput;

    // Outputs.
    static MObject outColorR;
    static MObject outColorG;
    static MObject outColorB;
    static MObject outColor;
    static MObject outTransparencyR;
    static MObject outTransparencyG;
    static MObject outTransparencyB;
    static MObject outTransparency;

    // Sample geometry, filled by the renderer.
    static MObject pointCameraX;
    static MObject pointCameraY;
    static MObject pointCameraZ;
    static MObject pointCamera;
    static MObject normalCameraX;
    static MObject normalCameraY;
    static MObject normalCameraZ;
    static MObject normalCamera;

    // The light array and the members of its elements.
    static MObject lightDirectionX;
    static MObject lightDirectionY;
    static MObject lightDirectionZ;
    static MObject lightDirection;
    static MObject lightIntensityR;
    static MObject lightIntensityG;
    static MObject lightIntensityB;
    static MObject lightIntensity;
    static MObject lightAmbient;
    static MObject lightDiffuse;
    static MObject lightSpecular;
    static MObject lightShadowFraction;
    static MObject preShadowIntensity;
    static MObject lightBlindData;
    static MObject lightDataArray;
};
