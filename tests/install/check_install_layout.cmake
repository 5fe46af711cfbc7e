# Installs the build twice and checks the kit each time: once into PREFIX
# (emptied first), and once staged, with DESTDIR set, for a final prefix that
# the install must not touch. Each kit has the shader library in shaders/ with
# its declaration beside it, both Attribute Editor templates in
# scripts/, the licence, change log and reference in doc/, the module
# description's template and the step that writes it, both deliverables'
# sources in source/ with the script that builds the plug-in, the module
# description at the top naming the final prefix (not in a cross build, which
# cannot know it), and nothing else: no plug-in binary, no tool, and no
# library named like the host's or the renderer's.
# Then installs the tools component into PREFIX, which adds the TOOLS in
# tools/bin with the TOOL_LIBRARIES they run on in TOOL_LIBRARY_DIR and the
# plug-in, built against the stand-in host, in tools/plug-ins; moves the
# tree and runs the tools from it (through EMULATOR, if given): they must find
# the moved deliverables and show no path of the build in --help.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" TOOLS "${TOOLS}")
string(REPLACE "|" ";" TOOL_LIBRARIES "${TOOL_LIBRARIES}")

get_filename_component(plugin_name ${PLUGIN} NAME)
get_filename_component(shader_name ${SHADER_LIBRARY} NAME)
if(shader_name MATCHES "\\.dll$")
    set(script_suffix bat)
else()
    set(script_suffix sh)
endif()
set(expected
    build-plugin.${script_suffix}
    doc/CHANGELOG.md
    doc/LICENSE
    doc/reference.md
    install.${script_suffix}
    scripts/AEvorlaneTemplate.mel
    scripts/AEzq4v_vorlaneTemplate.mel
    shaders/${shader_name}
    shaders/zq4v_vorlane.mi
    vorlane.mod.in)
if(NOT CROSSCOMPILING)
    list(APPEND expected vorlane.mod)
endif()
# The source kit: the sources the build lines compile, as laid out in the
# repository.
file(GLOB_RECURSE kit_sources RELATIVE ${SOURCE_DIR}
    ${SOURCE_DIR}/include/vorlane/*.h ${SOURCE_DIR}/model/include/*.h ${SOURCE_DIR}/model/src/*.cpp
    ${SOURCE_DIR}/plugSource/*.cpp ${SOURCE_DIR}/plugSource/*.h
    ${SOURCE_DIR}/shader/src/*.cpp ${SOURCE_DIR}/shader/src/*.h)
if(script_suffix STREQUAL "sh")
    list(APPEND kit_sources shader/exports.map)
endif()
foreach(file ${kit_sources})
    list(APPEND expected source/${file})
endforeach()
list(SORT expected)
set(with_tools ${expected} tools/plug-ins/${plugin_name})
foreach(file ${TOOLS})
    get_filename_component(name ${file} NAME)
    list(APPEND with_tools tools/bin/${name})
endforeach()
foreach(file ${TOOL_LIBRARIES})
    get_filename_component(name ${file} NAME)
    list(APPEND with_tools ${TOOL_LIBRARY_DIR}/${name})
endforeach()
list(SORT with_tools)

# cmake --install with the further arguments given (a component, say).
function(install_kit prefix)
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} ${ARGN}
        OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "cmake --install failed (${rc}):\n${output}${errors}")
    endif()
endfunction()

function(require_same root installed_file original)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${root}/${installed_file}
                            ${original} RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "${installed_file} is not ${original}")
    endif()
endfunction()

function(require_files root wanted)
    file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
    list(SORT installed)
    if(NOT installed STREQUAL wanted)
        message(FATAL_ERROR "installed '${installed}' in ${root}, expected '${wanted}'")
    endif()
endfunction()

# Checks the kit whose files are in `root`, to be used from `final_prefix`.
function(check_kit root final_prefix)
    require_files(${root} "${expected}")

    # Installing rewrites an ELF library's run path, so only Windows libraries
    # arrive byte for byte as built.
    if(shader_name MATCHES "\\.dll$")
        require_same(${root} shaders/${shader_name} ${SHADER_LIBRARY})
    endif()
    foreach(file ${kit_sources})
        require_same(${root} source/${file} ${SOURCE_DIR}/${file})
    endforeach()
    require_same(${root} shaders/zq4v_vorlane.mi ${SOURCE_DIR}/shader/zq4v_vorlane.mi)
    require_same(${root} scripts/AEvorlaneTemplate.mel
                 ${SOURCE_DIR}/plugSource/scripts/AEvorlaneTemplate.mel)
    require_same(${root} scripts/AEzq4v_vorlaneTemplate.mel
                 ${SOURCE_DIR}/shader/scripts/AEzq4v_vorlaneTemplate.mel)
    require_same(${root} doc/LICENSE ${SOURCE_DIR}/LICENSE)
    require_same(${root} doc/CHANGELOG.md ${SOURCE_DIR}/CHANGELOG.md)
    require_same(${root} doc/reference.md ${SOURCE_DIR}/docs/reference.md)

    # The one form of module description that every host version reads: a
    # single line with the module's name, version and absolute path, under
    # which the host itself finds plug-ins/ and scripts/. The template leaves
    # the path to the step that writes it where the kit is used.
    file(READ ${root}/vorlane.mod.in template)
    if(NOT template STREQUAL "+ vorlane ${VERSION} @VORLANE_MODULE_ROOT@\n")
        message(FATAL_ERROR "vorlane.mod.in of the kit in ${root} is\n${template}")
    endif()
    if(NOT CROSSCOMPILING)
        file(READ ${root}/vorlane.mod module)
        set(line "+ vorlane ${VERSION} ${final_prefix}\n")
        if(NOT module STREQUAL line)
            message(FATAL_ERROR "vorlane.mod of the kit in ${root} is\n${module}\nexpected\n${line}")
        endif()
    endif()

    # The declaration as installed: a fixed node id in the locally reserved
    # range, and the node factory's hints.
    file(STRINGS ${root}/shaders/zq4v_vorlane.mi node_ids REGEX "^ *#: nodeid ")
    if(NOT node_ids MATCHES "^ *#: nodeid [0-9]+$")
        message(FATAL_ERROR "the declaration needs one '#: nodeid' line, has '${node_ids}'")
    endif()
    string(REGEX REPLACE "^ *#: nodeid " "" node_id "${node_ids}")
    if(node_id GREATER 524287 OR node_id EQUAL 165651)
        message(FATAL_ERROR "node id ${node_id}: outside 0 to 0x7ffff or the plug-in's own")
    endif()
    file(READ ${root}/shaders/zq4v_vorlane.mi declaration)
    foreach(hint
            "\"diffuse\"[^\n]*#: shortname \"dfl\" default 0\\.8 softmin 0 softmax 1\n"
            "\"specularRollOff\"[^\n]*#: shortname \"sro\" default 5\\. softmin 0 softmax 20\n"
            "\"specOutput\"[^\n]*#: shortname \"sout\" min 0 max 6\n")
        if(NOT declaration MATCHES "${hint}")
            message(FATAL_ERROR "the declaration lacks the hint '${hint}'")
        endif()
    endforeach()
endfunction()

file(REMOVE_RECURSE ${PREFIX})
install_kit(${PREFIX})
check_kit(${PREFIX} ${PREFIX})

# A staged install, as a package build makes one: the files go below DESTDIR,
# the module description names the prefix they will be used from.
set(stage ${PREFIX}-stage)
set(final ${PREFIX}-final)
file(REMOVE_RECURSE ${stage} ${final})
set(ENV{DESTDIR} ${stage})
install_kit(${final})
unset(ENV{DESTDIR})
if(EXISTS ${final})
    message(FATAL_ERROR "the staged install wrote into its final prefix ${final}")
endif()
check_kit(${stage}${final} ${final})
message(STATUS "installed: ${expected}")

if(NOT TOOLS)
    return()
endif()

install_kit(${PREFIX} --component tools)
require_files(${PREFIX} "${with_tools}")

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
    set(tool ${moved}/tools/bin/${name})
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
file(REMOVE ${moved}/tools/plug-ins/${plugin_name})
run_tool(answers 1 ${probe} samples.jsonl)
if(NOT answers MATCHES "plug-ins[/\\\\]+${plugin_name}")
    message(FATAL_ERROR "without its plug-in the moved probe answered:\n${answers}")
endif()
message(STATUS "the tools ran from ${moved}")
