// Where the tools find the two deliverables by default: relative to the
// running program, so the same program works in the build tree and in an
// installed tree (the kit's DIR/plug-ins and DIR/shaders, the programs in
// DIR/tools/bin), wherever either was moved, and carries no path of the
// machine that built it.
#pragma once

#include <filesystem>
#include <string>

namespace vorlane::tools {

// The directory of the running program's file; empty when the system cannot
// tell.
std::filesystem::path programDirectory();

// The vorlane host plug-in and the zq4v_vorlane shader library: in an
// installed tree ../../plug-ins and ../../shaders from the program, otherwise
// where the build tree keeps them. When neither exists, the installed place, so
// that the error names where the file was expected.
std::string defaultPluginPath();
std::string defaultShaderLibraryPath();

// The defaults as --help shows them: relative to the program, not resolved.
std::string pluginDefaultText();
std::string shaderLibraryDefaultText();

}  // namespace vorlane::tools
