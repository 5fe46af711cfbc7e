# The deliverables' build against an installed host with its devkit at
# MAYA_LOCATION: the host's <maya/...> headers and its OpenMaya and Foundation
# libraries (import libraries on Windows), and the renderer's <shader.h> under
# devkit/mentalray/include. The targets take the names of the stand-ins they
# replace, so the deliverables' own build files serve both builds.
if(NOT EXISTS ${MAYA_LOCATION}/include/maya/MFnPlugin.h)
    message(FATAL_ERROR "MAYA_LOCATION=${MAYA_LOCATION} has no include/maya/MFnPlugin.h")
endif()
# The release the devkit is of, as its <maya/MTypes.h> gives it.
file(STRINGS ${MAYA_LOCATION}/include/maya/MTypes.h vorlane_api_version_line
    REGEX "^#define MAYA_API_VERSION [0-9]+$")
if(NOT vorlane_api_version_line)
    message(FATAL_ERROR "MAYA_LOCATION=${MAYA_LOCATION}: include/maya/MTypes.h defines no MAYA_API_VERSION")
endif()
string(REGEX REPLACE ".* " "" MAYA_API_VERSION "${vorlane_api_version_line}")
foreach(library OpenMaya Foundation)
    find_library(MAYA_${library}_LIBRARY NAMES ${library}
        PATHS ${MAYA_LOCATION}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    add_library(${library} UNKNOWN IMPORTED)
    set_target_properties(${library} PROPERTIES
        IMPORTED_LOCATION ${MAYA_${library}_LIBRARY}
        INTERFACE_INCLUDE_DIRECTORIES ${MAYA_LOCATION}/include)
endforeach()

find_path(MAYA_SHADER_INCLUDE_DIR shader.h
    PATHS ${MAYA_LOCATION}/devkit/mentalray/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
    REQUIRED)
add_library(vorlane_shader_interface INTERFACE IMPORTED)
set_target_properties(vorlane_shader_interface PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${MAYA_SHADER_INCLUDE_DIR})
message(STATUS "Building the deliverables alone against the devkit at ${MAYA_LOCATION}")
