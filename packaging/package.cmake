# What `cmake --install` and the Debian package (scripts/package) put on the system, and how CPack
# makes the package. Included by presentation/qt/CMakeLists.txt, where the quadrell target and
# QUADRELL_APP_ID are defined.
include(GNUInstallDirs)

set(QUADRELL_MAINTAINER "The Quadrell developers <developers@example.org>")
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(icons ${PROJECT_SOURCE_DIR}/presentation/icons)

install(TARGETS quadrell RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (CPack strips) also drops the compilers' notes, as Debian's dh_strip does.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quadrell\"
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
install(FILES ${PROJECT_SOURCE_DIR}/presentation/${QUADRELL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/${QUADRELL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
    install(FILES ${icons}/quadrell-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME quadrell.png)
endforeach()
install(FILES ${icons}/quadrell.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The manual page and the changelog are installed compressed, as Debian expects: gzip -9 without
# a name or time stamp, so that the same text always makes the same file.
set(compressed)
foreach(document quadrell.1 changelog)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${document}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${packaging}/${document} ${CMAKE_CURRENT_BINARY_DIR}/${document}
        COMMAND gzip -9nf ${CMAKE_CURRENT_BINARY_DIR}/${document}
        DEPENDS ${packaging}/${document} VERBATIM)
    list(APPEND compressed ${output})
endforeach()
add_custom_target(quadrell_documents DEPENDS ${compressed})
add_dependencies(quadrell quadrell_documents)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quadrell.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quadrell)
set(CPACK_PACKAGE_VENDOR "The Quadrell developers")
set(CPACK_PACKAGE_CONTACT "${QUADRELL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
file(READ ${packaging}/description CPACK_PACKAGE_DESCRIPTION)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The designed fonts' metric twins, and Qt's Wayland platform so that the window opens natively
# under a Wayland compositor instead of through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-wayland")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
