# Header-only libraries of the build machine (Debian packages) serve the target
# of a cross-build too, but their package files point at /usr/include, which
# must never reach the cross compiler (it would find the build machine's C
# library there). vorlane_host_header_package links just the library's own
# header directory into a private include directory and makes the imported
# target from it.
function(vorlane_host_header_package package target header)
    string(REGEX REPLACE "/.*" "" top "${header}")
    find_path(${package}_HOST_INCLUDE_DIR ${header}
        PATHS /usr/include /usr/local/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT ${package}_HOST_INCLUDE_DIR)
        set(${package}_FOUND FALSE PARENT_SCOPE)
        return()
    endif()
    set(staged ${CMAKE_BINARY_DIR}/host-headers/${package})
    file(MAKE_DIRECTORY ${staged})
    if(NOT EXISTS ${staged}/${top})
        file(CREATE_LINK ${${package}_HOST_INCLUDE_DIR}/${top} ${staged}/${top} SYMBOLIC)
    endif()
    if(NOT TARGET ${target})
        add_library(${target} INTERFACE IMPORTED GLOBAL)
        set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${staged})
    endif()
    set(${package}_FOUND TRUE PARENT_SCOPE)
endfunction()
