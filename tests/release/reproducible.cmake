# The release files are reproducible: scripts/release runs again in a clone of the last commit at
# another path, with another umask and time zone than the release files in DIST were made with
# (the release-files fixture's, in the tree itself), and must give the same files, byte for byte;
# a file that differs fails the check with its name and diffoscope's account of the difference.
# Each release builds the commit afresh, in a folder of its own.
#   cmake -DSOURCE=TREE -DDIST=FOLDER -DSCRATCH=FOLDER -P reproducible.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND git rev-parse HEAD WORKING_DIRECTORY ${SOURCE} OUTPUT_VARIABLE commit
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${SCRATCH})

# release_in_clone(DIR UMASK TZ): a fresh clone of the commit in DIR, and its release files.
function(release_in_clone dir umask tz)
    string(TIMESTAMP started "%s")
    execute_process(COMMAND git clone -q --no-checkout ${SOURCE} ${dir} COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND git -C ${dir} checkout -q ${commit} COMMAND_ERROR_IS_FATAL ANY)
    # A umask is the shell's to set.
    execute_process(COMMAND sh -c "umask ${umask} && exec bash scripts/release" WORKING_DIRECTORY ${dir}
                    OUTPUT_FILE ${dir}/release.log ERROR_FILE ${dir}/release.log RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        file(READ ${dir}/release.log log)
        message(FATAL_ERROR "${log}\nscripts/release failed in ${dir}")
    endif()
    string(TIMESTAMP ended "%s")
    math(EXPR seconds "${ended} - ${started}")
    message("scripts/release in ${dir}, umask ${umask}, TZ=${tz}: ${seconds} s")
endfunction()

set(second ${SCRATCH}/another-clone)
set(ENV{TZ} Pacific/Kiritimati)
release_in_clone(${second} 077 Pacific/Kiritimati)

file(GLOB files RELATIVE ${DIST} ${DIST}/*)
file(GLOB other_files RELATIVE ${second}/dist ${second}/dist/*)
if(NOT files STREQUAL other_files OR NOT "SHA256SUMS" IN_LIST files)
    message(FATAL_ERROR "FAIL: the release files were ${files}, the clone made ${other_files}")
endif()
set(differing 0)
foreach(file IN LISTS files)
    file(SHA256 ${DIST}/${file} a)
    file(SHA256 ${second}/dist/${file} b)
    if(a STREQUAL b)
        file(SIZE ${DIST}/${file} size)
        message("same: ${file}, ${size} bytes")
    else()
        message("DIFFERS: ${file}")
        execute_process(COMMAND diffoscope --text - ${DIST}/${file} ${second}/dist/${file}
                        OUTPUT_VARIABLE account ERROR_VARIABLE account)
        string(SUBSTRING "${account}" 0 40000 account)
        message("${account}")
        math(EXPR differing "${differing} + 1")
    endif()
endforeach()
if(differing GREATER 0)
    message(FATAL_ERROR "FAIL: ${differing} release files differ between two builds of ${commit}")
endif()
