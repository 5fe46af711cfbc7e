#include <maya/MGlobal.h>

#include "../core/host_state.h"

using vorlane::host::core::HostState;

MStatus MGlobal::executeCommand(const MString& command, bool, bool) {
    HostState* host = HostState::current();
    return host != nullptr ? host->executeCommand(command.asChar()) : MStatus::kFailure;
}

void MGlobal::displayInfo(const MString& text) {
    if (HostState* host = HostState::current()) {
        host->errors() << "// " << text.asChar() << std::endl;
    }
}

void MGlobal::displayWarning(const MString& text) {
    if (HostState* host = HostState::current()) {
        host->errors() << "// Warning: " << text.asChar() << std::endl;
    }
}

void MGlobal::displayError(const MString& text) {
    if (HostState* host = HostState::current()) {
        host->errors() << "// Error: " << text.asChar() << std::endl;
    }
}
