# Checks that no built program or DLL in DIRECTORY needs a MinGW runtime DLL
# at load time: the runtime is linked statically into each of them.
# Usage: cmake -DOBJDUMP=<objdump> -DDIRECTORY=<dir> -P check_windows_runtime.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/windows_pe_tables.cmake)

file(GLOB files ${DIRECTORY}/*.exe ${DIRECTORY}/*.dll ${DIRECTORY}/*.mll)
list(LENGTH files count)
if(count LESS 4)
    message(FATAL_ERROR "only ${count} Windows files in ${DIRECTORY}")
endif()
foreach(file IN LISTS files)
    windows_pe_tables(${OBJDUMP} ${file} exports imports)
    foreach(dll IN LISTS imports)
        string(TOLOWER "${dll}" dll)
        if(dll MATCHES "${WINDOWS_MINGW_RUNTIME_DLLS}")
            message(FATAL_ERROR "${file} needs the MinGW runtime DLL ${dll}")
        endif()
    endforeach()
endforeach()
message(STATUS "${count} files, none needs a MinGW runtime DLL")
