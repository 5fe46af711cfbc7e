// Function set on the plug-in object that the host hands to initializePlugin.
#pragma once

#include <maya/MObject.h>
#include <maya/MPxNode.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

// The API version the plug-in is built for, which the host checks on load
// (and from 2018 the plug-in's signature), defined in the one file of a
// plug-in that includes this header without defining MNoVersionString first.
#include <maya/MApiVersion.h>

// The Windows loader's entry point of the plug-in: it records the plug-in's
// instance and succeeds for every notification.
#if defined(_WIN32) && defined(NT_PLUGIN) && !defined(MNoPluginEntry)
#include <windows.h>

HINSTANCE MhInstPlugin;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    MhInstPlugin = instance;
    return TRUE;
}
#endif

typedef void* (*MCreatorFunction)();
typedef MStatus (*MInitializeFunction)();

OPENMAYA_MAJOR_NAMESPACE_OPEN

class OPENMAYA_EXPORT MFnPlugin {
  public:
    MFnPlugin(MObject& object, const char* vendor = "Unknown", const char* version = "Unknown",
              const char* requiredApiVersion = "Any", MStatus* status = NULL);
    ~MFnPlugin();

    MStatus registerNode(const MString& typeName, const MTypeId& typeId,
                         MCreatorFunction creatorFunction, MInitializeFunction initFunction,
                         MPxNode::Type type = MPxNode::kDependNode,
                         const MString* classification = NULL);
    MStatus deregisterNode(const MTypeId& typeId);

    MString vendor(MStatus* status = NULL) const;
    MString version(MStatus* status = NULL) const;
    MString apiVersion(MStatus* status = NULL) const;

  private:
    void* plugin_;
};

OPENMAYA_NAMESPACE_CLOSE
OPENMAYA_USING(MFnPlugin)

// From 2018 the header declares the plug-in's entry points, for export.
#if MAYA_API_VERSION >= 20180000
PLUGIN_EXPORT MStatus initializePlugin(MObject obj);
PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj);
#endif
