# Reads the export and import tables of a Windows file with the cross objdump.
set(WINDOWS_MINGW_RUNTIME_DLLS "^(libgcc_s|libstdc\\+\\+|libwinpthread|libssp|libgomp)")

# Sets `exports_out` to the sorted exported names of `file` and `imports_out`
# to the DLLs it imports.
function(windows_pe_tables objdump file exports_out imports_out)
    execute_process(COMMAND ${objdump} -p ${file} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0 OR NOT dump MATCHES "PE32\\+|pei-x86-64")
        message(FATAL_ERROR "${objdump} -p failed on ${file} or it is no 64-bit Windows file")
    endif()
    # The names follow the line "[Ordinal/Name Pointer] Table" (or, in newer
    # binutils, "[Name Pointer/Ordinal] Table") as "[   0] name".
    set(exports)
    string(REGEX MATCH "\\[(Ordinal/Name Pointer|Name Pointer/Ordinal)\\] Table[^\n]*\n(.*)" names "${dump}")
    if(names)
        string(REGEX MATCHALL "\n[ \t]*\\[ *[0-9]+\\] [A-Za-z_][A-Za-z0-9_@?$]*" entries "${CMAKE_MATCH_2}")
        foreach(entry IN LISTS entries)
            string(REGEX REPLACE ".*\\] " "" name "${entry}")
            list(APPEND exports ${name})
        endforeach()
    endif()
    list(SORT exports)
    string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
    set(imports)
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "DLL Name: " "" dll "${line}")
        string(STRIP "${dll}" dll)
        list(APPEND imports ${dll})
    endforeach()
    set(${exports_out} ${exports} PARENT_SCOPE)
    set(${imports_out} ${imports} PARENT_SCOPE)
endfunction()
