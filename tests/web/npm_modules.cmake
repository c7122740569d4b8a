# The browser driver and axe-core, exactly as package-lock.json pins them, installed by `npm ci`
# once per change of the lock file.
#   cmake -DFOLDER=tests/web -P npm_modules.cmake
set(stamp ${FOLDER}/node_modules/.installed-from-lock)
if(EXISTS ${stamp})
    file(SHA256 ${stamp} installed)
    file(SHA256 ${FOLDER}/package-lock.json wanted)
    if(installed STREQUAL wanted)
        return()
    endif()
endif()
execute_process(COMMAND npm ci --no-audit --no-fund --loglevel=error WORKING_DIRECTORY ${FOLDER} COMMAND_ERROR_IS_FATAL ANY)
file(COPY_FILE ${FOLDER}/package-lock.json ${stamp})
