# Installs the build twice and checks the kit each time: once into PREFIX
# (emptied first), and once staged, with DESTDIR set, for a final prefix that
# the install must not touch. Each kit has the plug-in in plug-ins/, the shader
# library in shaders/ with its declaration in shaders/include/, both Attribute
# Editor templates in scripts/, the licence, change log and reference in doc/,
# and at the top the module description, naming the final prefix.
cmake_minimum_required(VERSION 3.25)

get_filename_component(plugin_name ${PLUGIN} NAME)
get_filename_component(shader_name ${SHADER_LIBRARY} NAME)
set(expected
    doc/CHANGELOG.md
    doc/LICENSE
    doc/reference.md
    plug-ins/${plugin_name}
    scripts/AEvorlaneTemplate.mel
    scripts/AEzq4v_vorlaneTemplate.mel
    shaders/${shader_name}
    shaders/include/zq4v_vorlane.mi
    vorlane.mod)
list(SORT expected)

function(install_kit prefix)
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
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

# Checks the kit whose files are in `root`, to be used from `final_prefix`.
function(check_kit root final_prefix)
    file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
    list(SORT installed)
    if(NOT installed STREQUAL expected)
        message(FATAL_ERROR "installed '${installed}' in ${root}, expected '${expected}'")
    endif()

    # Installing rewrites an ELF library's run path, so only Windows libraries
    # arrive byte for byte as built.
    if(plugin_name MATCHES "\\.(mll|dll)$")
        require_same(${root} plug-ins/${plugin_name} ${PLUGIN})
        require_same(${root} shaders/${shader_name} ${SHADER_LIBRARY})
    endif()
    require_same(${root} shaders/include/zq4v_vorlane.mi ${SOURCE_DIR}/shader/zq4v_vorlane.mi)
    require_same(${root} scripts/AEvorlaneTemplate.mel
                 ${SOURCE_DIR}/plugSource/scripts/AEvorlaneTemplate.mel)
    require_same(${root} scripts/AEzq4v_vorlaneTemplate.mel
                 ${SOURCE_DIR}/shader/scripts/AEzq4v_vorlaneTemplate.mel)
    require_same(${root} doc/LICENSE ${SOURCE_DIR}/LICENSE)
    require_same(${root} doc/CHANGELOG.md ${SOURCE_DIR}/CHANGELOG.md)
    require_same(${root} doc/reference.md ${SOURCE_DIR}/docs/reference.md)

    # The one form of module description that every host version reads: a
    # single line with the module's name, version and absolute path, under
    # which the host itself finds plug-ins/ and scripts/.
    file(READ ${root}/vorlane.mod module)
    set(line "+ vorlane ${VERSION} ${final_prefix}\n")
    if(NOT module STREQUAL line)
        message(FATAL_ERROR "vorlane.mod of the kit in ${root} is\n${module}\nexpected\n${line}")
    endif()

    # The declaration as installed: a fixed node id in the locally reserved
    # range, and the node factory's hints.
    file(STRINGS ${root}/shaders/include/zq4v_vorlane.mi node_ids REGEX "^ *#: nodeid ")
    if(NOT node_ids MATCHES "^ *#: nodeid [0-9]+$")
        message(FATAL_ERROR "the declaration needs one '#: nodeid' line, has '${node_ids}'")
    endif()
    string(REGEX REPLACE "^ *#: nodeid " "" node_id "${node_ids}")
    if(node_id GREATER 524287 OR node_id EQUAL 165651)
        message(FATAL_ERROR "node id ${node_id}: outside 0 to 0x7ffff or the plug-in's own")
    endif()
    file(READ ${root}/shaders/include/zq4v_vorlane.mi declaration)
    foreach(hint
            "\"diffuse\"[^\n]*#: shortname \"dfl\" softmin 0 softmax 1\n"
            "\"specularRollOff\"[^\n]*#: shortname \"sro\" softmin 0 softmax 20\n"
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
