# Checks a built Windows library with the cross objdump: the names it exports
# are exactly EXPORTS, it imports every DLL in REQUIRED_IMPORTS and none whose
# name matches FORBIDDEN_IMPORTS, nor any MinGW runtime DLL (the runtime is
# linked statically).
# Usage: cmake -DOBJDUMP=<objdump> -DLIBRARY=<file> -DEXPORTS=a,b,c
#              [-DREQUIRED_IMPORTS=x.dll,y.dll] [-DFORBIDDEN_IMPORTS=<regex>]
#              -P check_windows_library.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/windows_pe_tables.cmake)

windows_pe_tables(${OBJDUMP} ${LIBRARY} exported imported)

string(REPLACE "," ";" expected "${EXPORTS}")
list(SORT expected)
if(NOT exported STREQUAL expected)
    message(FATAL_ERROR "${LIBRARY} exports '${exported}', expected '${expected}'")
endif()

string(TOLOWER "${imported}" imported_lower)
string(REPLACE "," ";" required "${REQUIRED_IMPORTS}")
foreach(dll IN LISTS required)
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST imported_lower)
        message(FATAL_ERROR "${LIBRARY} does not import ${dll}; it imports '${imported}'")
    endif()
endforeach()
foreach(dll IN LISTS imported_lower)
    if(dll MATCHES "${WINDOWS_MINGW_RUNTIME_DLLS}")
        message(FATAL_ERROR "${LIBRARY} needs the MinGW runtime DLL ${dll}")
    endif()
    if(FORBIDDEN_IMPORTS AND dll MATCHES "${FORBIDDEN_IMPORTS}")
        message(FATAL_ERROR "${LIBRARY} must not import ${dll}")
    endif()
endforeach()
message(STATUS "exports: ${exported}; imports: ${imported}")
