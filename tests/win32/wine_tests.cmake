# How the Windows program's tests run, by QUADRELL_WINDOWS_RUN:
#   wine    under this machine's own Wine (the 64-bit build);
#   guest   under 32-bit Wine in a Debian guest booted under QEMU (the 32-bit build, on machines whose
#           kernel runs no 32-bit code), each test's command sent to the guest as it stands;
#   empty   not at all: the tests are only built.
# Either way a test runs in one Wine prefix, made by the fixture "wine-prefix", on one virtual
# display, started by the fixture "wine-display" and kept until the last test has run. Its
# number is chosen here, from the build folder, so that every test can be told it.
set(QUADRELL_WINDOWS_RUN "" CACHE STRING "Where the Windows tests run: wine, guest or nowhere (empty)")

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(quadrell_bits 32)
else()
    set(quadrell_bits 64)
endif()

if(QUADRELL_WINDOWS_RUN STREQUAL "guest")
    # The guest's prefix is made once, in its image; the tests' other prefixes go beside it, on the
    # guest's own disk, so that they can link to its files rather than copy them.
    set(QUADRELL_WINE_PREFIXES /var/tmp/quadrell)
    set(quadrell_wine_prefix /root/wine32)
    set(QUADRELL_WINE_LAUNCHER bash ${PROJECT_SOURCE_DIR}/tests/win32/guest/in_guest.sh ${CMAKE_BINARY_DIR}/guest)
elseif(QUADRELL_WINDOWS_RUN STREQUAL "wine")
    set(QUADRELL_WINE_PREFIXES ${CMAKE_BINARY_DIR})
    set(quadrell_wine_prefix ${CMAKE_BINARY_DIR}/wine)
    set(QUADRELL_WINE_LAUNCHER)
elseif(NOT QUADRELL_WINDOWS_RUN STREQUAL "")
    message(FATAL_ERROR "QUADRELL_WINDOWS_RUN is wine, guest or empty, not '${QUADRELL_WINDOWS_RUN}'")
endif()

string(SHA1 quadrell_build_hash "${CMAKE_BINARY_DIR}")
string(SUBSTRING "${quadrell_build_hash}" 0 3 quadrell_build_hash)
math(EXPR quadrell_display_number "0x${quadrell_build_hash} % 400 + 500")
# Room for the window at 300 %.
set(quadrell_display_size 1600x1200)

# What every Wine process of the tests is started with: the prefix, the display, a quiet Wine, and
# no .NET or browser engine to install.
set(QUADRELL_WINE_ENVIRONMENT WINEPREFIX=${quadrell_wine_prefix} WINEARCH=win${quadrell_bits} WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml= DISPLAY=:${quadrell_display_number})

# quadrell_wine_test(NAME [GUEST] [ENVIRONMENT VAR=VALUE...] [TIMEOUT SECONDS] COMMAND ARG...): a test
# whose command runs with Wine's environment (and ENVIRONMENT), in the guest where the tests run
# there; `wine` in COMMAND is this machine's or the guest's. The environment is part of the command
# line, not a test property, so that it reaches the guest too. The guest, being emulated, is slow:
# it makes only the tests marked GUEST. Labels: "wine" here, "guest" there.
function(quadrell_wine_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "GUEST" "TIMEOUT" "ENVIRONMENT;COMMAND")
    if(QUADRELL_WINDOWS_RUN STREQUAL "" OR (QUADRELL_WINDOWS_RUN STREQUAL "guest" AND NOT arg_GUEST))
        return()
    endif()
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 300)
    endif()
    if(QUADRELL_WINDOWS_RUN STREQUAL "guest")
        # Emulated, and slower still when the machine is busy.
        math(EXPR arg_TIMEOUT "${arg_TIMEOUT} * 3")
    endif()
    add_test(NAME ${name} COMMAND ${QUADRELL_WINE_LAUNCHER} env ${QUADRELL_WINE_ENVIRONMENT} ${arg_ENVIRONMENT}
                                  ${arg_COMMAND})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "wine-prefix;wine-display" RESOURCE_LOCK wine
                                            TIMEOUT ${arg_TIMEOUT} LABELS "windows;${QUADRELL_WINDOWS_RUN}")
endfunction()

# The fixtures: the display and the prefix, and, in the guest, the guest itself, which the other
# two are made in.
function(quadrell_wine_fixtures)
    if(QUADRELL_WINDOWS_RUN STREQUAL "")
        return()
    endif()
    set(here ${PROJECT_SOURCE_DIR}/tests/win32)
    set(run ${QUADRELL_WINE_LAUNCHER} env ${QUADRELL_WINE_ENVIRONMENT})
    set(in_guest)
    if(QUADRELL_WINDOWS_RUN STREQUAL "guest")
        add_test(NAME guest.start COMMAND bash ${here}/guest/guest_machine.sh start ${CMAKE_BINARY_DIR}/guest
                                          ${PROJECT_SOURCE_DIR})
        add_test(NAME guest.stop COMMAND bash ${here}/guest/guest_machine.sh stop ${CMAKE_BINARY_DIR}/guest)
        # Building the guest's image, the first time, takes minutes.
        set_tests_properties(guest.start PROPERTIES FIXTURES_SETUP guest TIMEOUT 1800)
        set_tests_properties(guest.stop PROPERTIES FIXTURES_CLEANUP guest)
        set(in_guest guest)
    endif()
    add_test(NAME wine.display-start
             COMMAND ${run} bash ${here}/virtual_display.sh start ${quadrell_display_number} ${quadrell_display_size})
    add_test(NAME wine.display-stop COMMAND ${run} bash ${here}/virtual_display.sh stop ${quadrell_display_number})
    set_tests_properties(wine.display-start PROPERTIES FIXTURES_SETUP wine-display FIXTURES_REQUIRED "${in_guest}")
    set_tests_properties(wine.display-stop PROPERTIES FIXTURES_CLEANUP wine-display FIXTURES_REQUIRED "${in_guest}")
    add_test(NAME wine.prefix COMMAND ${run} bash ${here}/wine_prefix.sh)
    set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine-prefix FIXTURES_REQUIRED "${in_guest}" TIMEOUT 600)
    get_property(fixtures DIRECTORY PROPERTY TESTS)
    list(FILTER fixtures INCLUDE REGEX "^(wine|guest)\\.")
    set_tests_properties(${fixtures} PROPERTIES LABELS "windows;${QUADRELL_WINDOWS_RUN}" RESOURCE_LOCK wine)
endfunction()
