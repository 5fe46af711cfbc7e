// The project's version, defined once: the plug-in's version text, the tools'
// --version answer and the build's project version are all read from here.
#pragma once

#define VORLANE_VERSION "1.0"
