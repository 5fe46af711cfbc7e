# Runs the same samples through two vorlane-probe programs and requires the
# same answers, byte for byte, one per sample line, and no failed sample.
# Usage: cmake -DNATIVE_PROBE=<program> -DWINDOWS_PROBE=<program> [-DEMULATOR=<runner>]
#              -DSAMPLES=<file.jsonl> -P compare_probes.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT EXISTS "${NATIVE_PROBE}")
    message(FATAL_ERROR "no native probe at ${NATIVE_PROBE}: build the release preset first")
endif()

function(run_probe out_var)
    execute_process(COMMAND ${ARGN} ${SAMPLES}
        OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "'${ARGN}' exited with ${rc}:\n${errors}\n${output}")
    endif()
    set(${out_var} "${output}" PARENT_SCOPE)
endfunction()

run_probe(native ${NATIVE_PROBE})
run_probe(windows ${EMULATOR} ${WINDOWS_PROBE})

file(STRINGS ${SAMPLES} samples)
list(LENGTH samples sample_count)
string(REGEX MATCHALL "\n" feeds "${native}")
list(LENGTH feeds answer_count)
if(NOT answer_count EQUAL sample_count)
    message(FATAL_ERROR "${sample_count} samples but ${answer_count} native answers")
endif()

if(NOT native STREQUAL windows)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/probe_native.jsonl "${native}")
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/probe_windows.jsonl "${windows}")
    message(FATAL_ERROR "the answers differ; see probe_native.jsonl and probe_windows.jsonl in "
                        "${CMAKE_CURRENT_BINARY_DIR}")
endif()
message(STATUS "${sample_count} samples answered identically")
