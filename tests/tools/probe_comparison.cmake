# Windows build: the Windows vorlane-probe, run through the emulator, must
# answer the shared samples exactly as the native build's probe does.
set(VORLANE_NATIVE_PROBE "" CACHE FILEPATH
    "The native build's vorlane-probe, whose answers the Windows probe must equal")
if(NOT VORLANE_NATIVE_PROBE)
    message(WARNING "VORLANE_NATIVE_PROBE not set: the probe comparison is not tested")
    return()
endif()
add_test(NAME probe_matches_native
    COMMAND ${CMAKE_COMMAND}
            -DNATIVE_PROBE=${VORLANE_NATIVE_PROBE}
            -DWINDOWS_PROBE=$<TARGET_FILE:vorlane-probe>
            -DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}
            -DSAMPLES=${CMAKE_CURRENT_SOURCE_DIR}/samples/shared.jsonl
            -P ${CMAKE_CURRENT_SOURCE_DIR}/compare_probes.cmake)
