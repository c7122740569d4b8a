# Builds quadrell.exe in the win32 and win64 presets' trees, for the checks of its hardening.
#   cmake -DSOURCE=TREE -P build_windows.cmake
cmake_minimum_required(VERSION 3.25)
foreach(preset win32 win64)
    foreach(step "--preset;${preset}" "--build;--preset;${preset};--target;quadrell")
        execute_process(COMMAND ${CMAKE_COMMAND} ${step} WORKING_DIRECTORY ${SOURCE} OUTPUT_QUIET
                        RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "cmake ${step} failed: ${status}")
        endif()
    endforeach()
endforeach()
