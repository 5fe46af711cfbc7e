# Installs the build into PREFIX (emptied first) and checks the layout: the
# plug-in in plug-ins/, the shader library in shaders/ with its declaration in
# shaders/include/, the Attribute Editor template in scripts/ and the module
# description at the top, each the built or source file itself; the TOOLS in
# bin/ with the TOOL_LIBRARIES they run on in TOOL_LIBRARY_DIR. Then moves the
# tree and runs the tools from it (through EMULATOR, if given): they must find
# the moved deliverables and show no path of the build in --help.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" TOOLS "${TOOLS}")
string(REPLACE "|" ";" TOOL_LIBRARIES "${TOOL_LIBRARIES}")

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
foreach(file ${TOOLS})
    get_filename_component(name ${file} NAME)
    list(APPEND expected bin/${name})
endforeach()
foreach(file ${TOOL_LIBRARIES})
    get_filename_component(name ${file} NAME)
    list(APPEND expected ${TOOL_LIBRARY_DIR}/${name})
endforeach()
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

if(NOT TOOLS)
    return()
endif()

# The tools in a moved tree: nothing may lead them back to the build.
set(moved ${PREFIX}-moved)
file(REMOVE_RECURSE ${moved})
file(RENAME ${PREFIX} ${moved})

function(run_tool out_var expected_rc)
    execute_process(COMMAND ${EMULATOR} ${ARGN} WORKING_DIRECTORY ${moved}
        OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE rc)
    if(NOT rc EQUAL expected_rc)
        message(FATAL_ERROR "'${ARGN}' exited with ${rc}, not ${expected_rc}:\n${errors}\n${output}")
    endif()
    set(${out_var} "${output}" PARENT_SCOPE)
endfunction()

foreach(file ${TOOLS})
    get_filename_component(name ${file} NAME)
    set(tool ${moved}/bin/${name})
    run_tool(help 0 ${tool} --help)
    foreach(build_path ${BUILD_DIR} ${SOURCE_DIR})
        string(FIND "${help}" "${build_path}" at)
        if(NOT at EQUAL -1)
            message(FATAL_ERROR "${name} --help shows the build path ${build_path}:\n${help}")
        endif()
    endforeach()
    if(name MATCHES "^vorlane-probe")
        set(probe ${tool})
    elseif(name MATCHES "^vorlane-render")
        run_tool(rendered 0 ${tool} --size 8 --spp 1 --preset 0 --output ${moved}/check.png)
        if(NOT EXISTS ${moved}/check.png)
            message(FATAL_ERROR "${name} wrote no image from the moved tree")
        endif()
    endif()
endforeach()

# One sample of each deliverable; with the plug-in gone from the moved tree
# the host sample fails, naming where the probe looked for it.
file(WRITE ${moved}/samples.jsonl "{\"node\": {}}\n{\"shader\": {}}\n")
run_tool(answers 0 ${probe} samples.jsonl)
if(NOT answers MATCHES "^{\"status\": 0, \"value\": [^\n]*}\r?\n{\"result\": [^\n]*}\r?\n$")
    message(FATAL_ERROR "the probe in the moved tree answered:\n${answers}")
endif()
file(REMOVE ${moved}/plug-ins/${plugin_name})
run_tool(answers 1 ${probe} samples.jsonl)
if(NOT answers MATCHES "plug-ins[/\\\\]+${plugin_name}")
    message(FATAL_ERROR "without its plug-in the moved probe answered:\n${answers}")
endif()
message(STATUS "the tools ran from ${moved}")
