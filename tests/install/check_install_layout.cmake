# Installs the build into PREFIX (emptied first) and checks the layout: the
# plug-in in plug-ins/, the shader library in shaders/ with its declaration in
# shaders/include/, the Attribute Editor template in scripts/ and the module
# description at the top, each the built or source file itself.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${rc}):\n${output}${errors}")
endif()

get_filename_component(plugin_name ${PLUGIN} NAME)
get_filename_component(shader_name ${SHADER_LIBRARY} NAME)
set(expected
    plug-ins/${plugin_name}
    scripts/AEvorlaneTemplate.mel
    shaders/${shader_name}
    shaders/include/zq4v_vorlane.mi
    vorlane.mod)
list(SORT expected)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "installed '${installed}', expected '${expected}'")
endif()

function(require_same installed_file original)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${PREFIX}/${installed_file}
                            ${original} RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "${installed_file} is not ${original}")
    endif()
endfunction()
# Installing rewrites an ELF library's run path, so only Windows libraries
# arrive byte for byte as built.
if(plugin_name MATCHES "\\.(mll|dll)$")
    require_same(plug-ins/${plugin_name} ${PLUGIN})
    require_same(shaders/${shader_name} ${SHADER_LIBRARY})
endif()
require_same(shaders/include/zq4v_vorlane.mi ${SOURCE_DIR}/shader/zq4v_vorlane.mi)
require_same(scripts/AEvorlaneTemplate.mel ${SOURCE_DIR}/plugSource/scripts/AEvorlaneTemplate.mel)

# The module description: one entry per platform, each naming the module's
# own directory and its plug-ins and scripts folders.
file(READ ${PREFIX}/vorlane.mod module)
foreach(platform win64 linux)
    set(entry "+ PLATFORM:${platform} vorlane ${VERSION} .\nplug-ins: plug-ins\nscripts: scripts\n")
    string(FIND "${module}" "${entry}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "vorlane.mod lacks the ${platform} entry:\n${module}")
    endif()
endforeach()
message(STATUS "installed: ${installed}")
