// The texts a plug-in exports for the host to check on load, defined in the
// one file of a plug-in that includes this header (through <maya/MFnPlugin.h>)
// without defining MNoVersionString first: MApiVersion, the API version the
// plug-in is built for as text ("850"), and from 2018 the signature
// ADSK_PLUGIN_SIGNATURE beside it. Both have C linkage.
#pragma once

#include <maya/MTypes.h>

#if !defined(MNoVersionString)
extern "C" {
PLUGIN_EXPORT char MApiVersion[] = OPENMAYA_STRINGIFY(MAYA_API_VERSION);
#if MAYA_API_VERSION >= 20180000
// The host's signing fills in its own; the stand-in host checks none.
PLUGIN_EXPORT char ADSK_PLUGIN_SIGNATURE[] = "";
#endif
}
#endif
