# Install-time part of the host module: writes the module description for the
# prefix being installed to and installs it at the top of that prefix.
#
# The host reads one form of description: `+ <name> <version> <path>`, with the
# module's absolute path, under which it finds plug-ins/ and scripts/ by itself.
# The path is the install prefix, the folder the files will be used from; a
# staged install (DESTDIR) only passes them through its staging directory, so
# the staging directory is never written into the description.
#
# Set by the install rule that runs this script: VORLANE_MODULE_TEMPLATE (the
# description with its version, and @VORLANE_MODULE_ROOT@ for the path) and
# VORLANE_MODULE_FILE (where to write it).
cmake_minimum_required(VERSION 3.25)

# A relative prefix is taken from the directory of the install, as the
# install itself takes it.
cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_PREFIX NORMALIZE OUTPUT_VARIABLE VORLANE_MODULE_ROOT)
string(REGEX REPLACE "([^/:])/+$" "\\1" VORLANE_MODULE_ROOT "${VORLANE_MODULE_ROOT}")
if(VORLANE_MODULE_ROOT MATCHES "[\r\n]")
    message(FATAL_ERROR "the install prefix '${VORLANE_MODULE_ROOT}' cannot be a module path")
endif()

configure_file("${VORLANE_MODULE_TEMPLATE}" "${VORLANE_MODULE_FILE}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}" TYPE FILE FILES "${VORLANE_MODULE_FILE}")
