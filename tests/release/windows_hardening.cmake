# The Windows binaries' hardening, read from their headers:
# - the PE flags: both programs and the zip's are relocatable at random (DYNAMIC_BASE with a
#   .reloc section), keep data from running (NX_COMPAT), are TERMINAL_SERVICE_AWARE and under
#   1 MiB, the 64-bit one with HIGH_ENTROPY_VA; the installer has DYNAMIC_BASE and NX_COMPAT;
# - the stand-ins that end at their first line (scripts/lib/planted-dlls.sh), which the planted-DLL
#   checks run to tell Wine's own loads from a binary's, import what the 32-bit program and the
#   installer import, and nothing more but msvcrt, which the C runtime brings and which is a
#   KnownDLL.
# Every finding is printed; the check fails when any failed.
#   cmake -DSOURCE=TREE -DSCRATCH=FOLDER -DEXE32=.. -DEXE64=.. -DZIP_EXE=.. -DSETUP=.. -P windows_hardening.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../win32/pe_checks.cmake)
set(pe_failed)

# imported_dlls(OUT FILE): the DLLs a Windows binary imports, in lower case, sorted.
function(imported_dlls out file)
    pe_headers(headers ${file})
    pe_imported_dlls(dlls "${headers}")
    set(${out} "${dlls}" PARENT_SCOPE)
endfunction()

# pe_flags(OUT FILE): the header's DLL characteristics, and RELOC when a .reloc section lets the
# loader move the file.
function(pe_flags out file)
    pe_headers(headers ${file})
    pe_dll_characteristics(flags "${headers}")
    execute_process(COMMAND ${PE_OBJDUMP} -h ${file} OUTPUT_VARIABLE sections COMMAND_ERROR_IS_FATAL ANY)
    if(sections MATCHES " \\.reloc ")
        list(APPEND flags RELOC)
    endif()
    set(${out} "${flags}" PARENT_SCOPE)
endfunction()

message("== The stand-ins that end at their first line import what their binaries import")
execute_process(COMMAND bash -c "source scripts/lib/planted-dlls.sh && build_stand_ins 32 \"$1\"" - ${SCRATCH}/stand-ins-32
                WORKING_DIRECTORY ${SOURCE} COMMAND_ERROR_IS_FATAL ANY)
foreach(pair "stand_in_program.exe;${EXE32}" "stand_in_installer.exe;${SETUP}")
    list(GET pair 0 stand_in)
    list(GET pair 1 binary)
    imported_dlls(theirs ${SCRATCH}/stand-ins-32/${stand_in})
    imported_dlls(ours ${binary})
    set(missing ${ours})
    list(REMOVE_ITEM missing ${theirs})
    set(more ${theirs})
    list(REMOVE_ITEM more ${ours} msvcrt.dll)
    pe_check("${stand_in} imports as ${binary} does (missing: ${missing}; more: ${more})" NOT missing AND NOT more)
endforeach()

message("== PE flags")
set(program_flags DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE RELOC)
# NSIS's stub, as Debian builds it, has its relocations stripped: the installer cannot move.
foreach(subject "${EXE32};${program_flags}" "${ZIP_EXE};${program_flags}" "${EXE64};${program_flags};HIGH_ENTROPY_VA"
                "${SETUP};DYNAMIC_BASE;NX_COMPAT;TERMINAL_SERVICE_AWARE")
    list(POP_FRONT subject file)
    pe_flags(flags ${file})
    message("${file}: ${flags}")
    foreach(flag IN LISTS subject)
        pe_check("${file}: ${flag}" ${flag} IN_LIST flags)
    endforeach()
endforeach()
foreach(exe ${EXE32} ${EXE64} ${ZIP_EXE})
    file(SIZE ${exe} size)
    pe_check("${exe}: under 1 MiB (${size} bytes)" size LESS 1048576)
endforeach()

pe_checks_done("Windows hardening")
