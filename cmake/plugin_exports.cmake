# The module-definition file of a plug-in built with MinGW for the Windows
# host, which looks its entry points up by their plain names: each name in
# ARGN mapped onto the C++ function `MStatus name(MObject)`. From 2018 the API
# classes live in a namespace of the release (Autodesk::Maya::OpenMaya20220000
# in 2022, its version without the update), which the C++ names carry.
# MAYA_API_VERSION says the release.
function(vorlane_plugin_exports_def file)
    set(mobject 7MObject)
    if(MAYA_API_VERSION GREATER_EQUAL 20180000)
        math(EXPR major "${MAYA_API_VERSION} / 10000 * 10000")
        set(mobject N8Autodesk4Maya16OpenMaya${major}7MObjectE)
    endif()
    set(text "EXPORTS\n")
    foreach(entry IN LISTS ARGN)
        string(LENGTH ${entry} length)
        string(APPEND text "    ${entry} = _Z${length}${entry}${mobject}\n")
    endforeach()
    file(CONFIGURE OUTPUT ${file} CONTENT "${text}")
endfunction()
