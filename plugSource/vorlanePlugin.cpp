// The plug-in's entry points: register the node type on load, remove it on
// unload, and refresh the host's node-creation window around both. The one
// file of the plug-in that includes <maya/MFnPlugin.h> without MNoVersionString,
// so that the header defines MApiVersion here (and DllMain on Windows).
#include <vorlane/linux_symbol_versions.h>

#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <vorlane/version.h>

#include "vorlanePlugInt.h"

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

// The entry points are not marked PLUGIN_EXPORT: the build's linker settings
// export them under their plain names (see CMakeLists.txt), and a marked C++
// function would be exported under its decorated name as well.
MStatus initializePlugin(MObject obj) {
    const MString classification(kClassification);
    const MString command(kRefreshPrefix);
    MFnPlugin plugin(obj, kVendor, VORLANE_VERSION, "Any");
    // A refused registration is reported by the host itself.
    plugin.registerNode("vorlane", vorlane::id, vorlane::creator, vorlane::initialize,
                        MPxNode::kDependNode, &classification);
    refreshNodeCreationWindow(classification, command);
    return MStatus::kSuccess;
}

MStatus uninitializePlugin(MObject obj) {
    const MString classification(kClassification);
    const MString command(kRefreshPrefix);
    MFnPlugin plugin(obj, "Unknown", "Unknown", "Any");
    plugin.deregisterNode(vorlane::id);
    refreshNodeCreationWindow(classification, command);
    return MStatus::kSuccess;
}
