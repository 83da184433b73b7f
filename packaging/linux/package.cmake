# Installing callcfg and callsim with their desktop entry, icon, AppStream metainfo and man
# pages, and the Debian package that CPack makes of them (cmake --build BUILD --target package).

include(GNUInstallDirs)

set(CALLCFG_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(CALLCFG_APP_ID cn.mingyu.callcfg)

install(TARGETS callcfg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET callsim)
  install(TARGETS callsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${CALLCFG_PACKAGING_DIR}/${CALLCFG_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CALLCFG_PACKAGING_DIR}/${CALLCFG_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CALLCFG_PACKAGING_DIR}/${CALLCFG_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Man pages go compressed, as Debian keeps them.
foreach(page callcfg.1 callsim.1)
  add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz
    COMMAND gzip -9n -c ${CALLCFG_PACKAGING_DIR}/${page} > ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz
    DEPENDS ${CALLCFG_PACKAGING_DIR}/${page}
    VERBATIM)
  list(APPEND CALLCFG_MAN_PAGES ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz)
endforeach()
add_custom_target(callcfg_man_pages ALL DEPENDS ${CALLCFG_MAN_PAGES})
install(FILES ${CALLCFG_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME callcfg)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "callcfg maintainers <callcfg@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "programme the host unit of a restaurant wireless calling system")
set(CPACK_PACKAGE_DESCRIPTION
    "callcfg (鸣玉配置软件) talks to the host unit of a restaurant wireless calling system \
over a serial port: pagers, table callers, urge units, repeaters, receivers, work mode, \
display-unit type and voice prompts, and a full read, listing, hex view, backup, restore and \
verification of its 8 KiB memory, in a window or from the command line. callsim serves a \
simulated host unit on a pseudo-terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins are loaded, not linked: the window needs xcb on a desktop. Qt's own
# Chinese texts (the boxes' buttons, the dialogs) come from Debian's translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-arphic-ukai, fonts-arphic-uming")
include(CPack)
