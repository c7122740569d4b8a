# The release files as a user meets them: SHA256SUMS checks out; the zip holds the program and
# the two texts, these with Windows line ends; its quadrell.exe passes the executable's checks and
# stays under 1 MiB; the installer can start on Windows 7.
#   cmake -DDIST=FOLDER -DUNPACKED=FOLDER -DVERSION=V -DCHECKS=tests/win32 -P release_files.cmake
# (UNPACKED: the win32 zip unpacked.)

# run(COMMAND...): runs a command, its output shown; fails the check when it fails.
cmake_minimum_required(VERSION 3.25)
function(run)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${DIST} RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "FAIL: ${ARGN} (status ${status})")
    endif()
endfunction()

run(sha256sum -c SHA256SUMS)

set(zip ${DIST}/quadrell-${VERSION}-win32.zip)
execute_process(COMMAND unzip -Z1 ${zip} OUTPUT_VARIABLE listed COMMAND_ERROR_IS_FATAL ANY)
if(NOT listed STREQUAL "quadrell.exe\nLICENSE.txt\nREADME.txt\n")
    message(FATAL_ERROR "FAIL: the zip holds ${listed}")
endif()
foreach(text LICENSE.txt README.txt)
    # Read as bytes: CMake reads text without its CRs. Every line, the last one too, ends in
    # CR LF: with those taken out, no LF is left, and the text ends with one.
    file(READ ${UNPACKED}/${text} hex HEX)
    string(REGEX REPLACE "(..)" " \\1" bytes "${hex}")
    string(REPLACE " 0d 0a" "" bare "${bytes}")
    if(bare MATCHES " 0a" OR NOT bytes MATCHES " 0d 0a$")
        message(FATAL_ERROR "FAIL: ${text} has lines without CRLF")
    endif()
endforeach()
message("ok: the zip holds quadrell.exe, LICENSE.txt and README.txt, the texts with CRLF line ends")

run(${CMAKE_COMMAND} -DEXE=${UNPACKED}/quadrell.exe -DBITS=32 -P ${CHECKS}/check_executable.cmake)
file(SIZE ${UNPACKED}/quadrell.exe size)
if(size GREATER_EQUAL 1048576)
    message(FATAL_ERROR "FAIL: quadrell.exe is ${size} bytes, 1 MiB or more")
endif()
message("ok: quadrell.exe is ${size} bytes, under 1 MiB")

message("The installer:")
set(setup ${DIST}/quadrell-${VERSION}-setup.exe)
run(file -b ${setup})
include(${CHECKS}/pe_checks.cmake)
pe_check_windows7(${setup})
pe_checks_done("The installer can start on Windows 7")

file(GLOB files ${DIST}/*)
message("Release files, in bytes:")
foreach(file IN LISTS files)
    file(SIZE ${file} size)
    message("${size} ${file}")
endforeach()
