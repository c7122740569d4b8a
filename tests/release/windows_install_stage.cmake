# Stages what the Windows install check hands its guest, in OUT: setup.exe, the zip unpacked in a
# folder whose name has spaces and letters beyond ASCII, and the 32-bit stand-ins for the
# planted-DLL checks (scripts/lib/planted-dlls.sh). The guest, booted after this, copies every
# .exe and .dll under OUT onto its own disk at the same path (tests/win32/guest/serve.sh); OUT/guest,
# its command channel, is left alone.
#   cmake -DSETUP=FILE -DZIP=FILE -DOUT=FOLDER -DSOURCE=TREE -P windows_install_stage.cmake
cmake_minimum_required(VERSION 3.25)
# An older run's files would reach the guest too.
file(GLOB old ${OUT}/*)
list(REMOVE_ITEM old ${OUT}/guest)
if(old)
    file(REMOVE_RECURSE ${old})
endif()
file(MAKE_DIRECTORY ${OUT}/zip)
file(COPY_FILE ${SETUP} ${OUT}/setup.exe)
# Spaces, accented Italian letters and a letter no Western code page has.
file(ARCHIVE_EXTRACT INPUT ${ZIP} DESTINATION "${OUT}/zip/Prove di Quadrell – perché è così Łódź")
execute_process(COMMAND bash -c "source scripts/lib/planted-dlls.sh && build_stand_ins 32 \"$1\"" - ${OUT}/stand-ins
                WORKING_DIRECTORY ${SOURCE} COMMAND_ERROR_IS_FATAL ANY)
