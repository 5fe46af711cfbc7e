// Function set on the plug-in object that the host hands to initializePlugin.
#pragma once

#include <maya/MObject.h>
#include <maya/MPxNode.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>
#include <maya/MTypes.h>

// Marks a plug-in's exports for the Windows linker; elsewhere every symbol the
// plug-in's build leaves visible is exported. It gives no C linkage: the
// plug-in's build exports the entry points under their plain names.
#if defined(_WIN32)
#define PLUGIN_EXPORT __declspec(dllexport)
#else
#define PLUGIN_EXPORT
#endif

// The API version the plug-in is built for, which the host checks on load.
// Defined in the one file of a plug-in that includes this header without
// defining MNoVersionString first.
#if !defined(MNoVersionString)
extern "C" {
PLUGIN_EXPORT char MApiVersion[] = "850";
}
#endif

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
