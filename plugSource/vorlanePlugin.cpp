// The plug-in's entry points: register the node type on load, remove it on
// unload, and refresh the host's node-creation window around both. The one
// file of the plug-in that includes <maya/MFnPlugin.h> without MNoVersionString,
// so that the header defines MApiVersion here (and DllMain on Windows).
#include <vorlane/linux_symbol_versions.h>

#include <maya/MGlobal.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <vorlane/version.h>

#include "vorlanePlugInt.h"

// The exports. On Windows the host looks the entry points up by their plain
// names, which the linker gives them (/export:, or the MinGW module-definition
// file). On Linux it looks them up by their C++ names, and the plug-in is
// built with hidden visibility: the entry points are exported as declared,
// with default visibility, and so is everything the plug-in header defines
// for export (MApiVersion, and in later releases a signature as well), which
// that header does not mark for export itself in every release.
#if defined(__GNUC__) && !defined(_WIN32)
#define VORLANE_ENTRY_POINT __attribute__((visibility("default")))
#pragma GCC visibility push(default)
#include <maya/MFnPlugin.h>
#pragma GCC visibility pop
#else
#define VORLANE_ENTRY_POINT
#include <maya/MFnPlugin.h>
#endif

namespace {

const char* const kVendor = "vorlane measured-material shader";
const char* const kClassification = "shader/surface";
const char* const kRefreshPrefix =
    "if( `window -exists createRenderNodeWindow` )  {refreshCreateRenderNodeWindow(\"";
const char* const kRefreshSuffix = "\");}\n";

// The refresh command for the classification, run with display and undo off.
void refreshNodeCreationWindow(const MString& classification, MString command) {
    command += classification;
    command += kRefreshSuffix;
    MGlobal::executeCommand(command, false, false);
}

}  // namespace

// Not marked PLUGIN_EXPORT here: on Windows that would export the decorated
// name beside the plain one the linker gives. (From 2018 the plug-in header
// declares them with PLUGIN_EXPORT itself.)
VORLANE_ENTRY_POINT MStatus initializePlugin(MObject obj) {
    const MString classification(kClassification);
    const MString command(kRefreshPrefix);
    MFnPlugin plugin(obj, kVendor, VORLANE_VERSION, "Any");
    // A refused registration is reported by the host itself.
    plugin.registerNode("vorlane", vorlane::id, vorlane::creator, vorlane::initialize,
                        MPxNode::kDependNode, &classification);
    refreshNodeCreationWindow(classification, command);
    return MStatus::kSuccess;
}

VORLANE_ENTRY_POINT MStatus uninitializePlugin(MObject obj) {
    const MString classification(kClassification);
    const MString command(kRefreshPrefix);
    MFnPlugin plugin(obj, "Unknown", "Unknown", "Any");
    plugin.deregisterNode(vorlane::id);
    refreshNodeCreationWindow(classification, command);
    return MStatus::kSuccess;
}
