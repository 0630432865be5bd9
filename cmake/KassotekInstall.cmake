# Where `cmake --install` puts the program, the tool, the help and the desktop integration.
include(GNUInstallDirs)

set(KASSOTEK_APP_ID de.kassotek.Kassotek)
set(KASSOTEK_RELEASE_DATE 2026-12-10)
set(KASSOTEK_DIST ${PROJECT_SOURCE_DIR}/dist)
# The installed program recognises this folder beside its "bin" (settings/program_paths).
set(KASSOTEK_DATA_DIR ${CMAKE_INSTALL_DATADIR}/kassotek)
set(KASSOTEK_HELP_DIR ${CMAKE_INSTALL_FULL_DATADIR}/kassotek/help)

install(TARGETS kassotek-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The manual pages; the tool's commands come from its own --help.
configure_file(${KASSOTEK_DIST}/kassotek.1.in ${PROJECT_BINARY_DIR}/man/kassotek.1 @ONLY)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/man/kassotek-tool.1
  COMMAND ${CMAKE_COMMAND} -DTOOL=$<TARGET_FILE:kassotek-tool> -DTEMPLATE=${KASSOTEK_DIST}/kassotek-tool.1.in
          -DOUTPUT=${PROJECT_BINARY_DIR}/man/kassotek-tool.1 -DPROJECT_VERSION=${PROJECT_VERSION}
          -DKASSOTEK_RELEASE_DATE=${KASSOTEK_RELEASE_DATE} -DKASSOTEK_HELP_DIR=${KASSOTEK_HELP_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/ToolManPage.cmake
  DEPENDS kassotek-tool ${KASSOTEK_DIST}/kassotek-tool.1.in ${PROJECT_SOURCE_DIR}/cmake/ToolManPage.cmake
  COMMENT "Manual page of kassotek-tool"
  VERBATIM)
add_custom_target(kassotek-man ALL DEPENDS ${PROJECT_BINARY_DIR}/man/kassotek-tool.1)
install(FILES ${PROJECT_BINARY_DIR}/man/kassotek-tool.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(KASSOTEK_GUI)
  install(TARGETS kassotek RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_BINARY_DIR}/man/kassotek.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/gui/help/pages/ DESTINATION ${KASSOTEK_DATA_DIR}/help)
  install(FILES ${KASSOTEK_DIST}/${KASSOTEK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  configure_file(${KASSOTEK_DIST}/${KASSOTEK_APP_ID}.metainfo.xml.in
                 ${PROJECT_BINARY_DIR}/dist/${KASSOTEK_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/dist/${KASSOTEK_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${KASSOTEK_DIST}/kassotek-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME ${KASSOTEK_APP_ID}.xml)
  install(FILES ${KASSOTEK_DIST}/icons/kassotek.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${KASSOTEK_APP_ID}.svg)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${KASSOTEK_DIST}/icons/kassotek-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${KASSOTEK_APP_ID}.png)
  endforeach()
else()
  # The tool alone still marks its installation, so that it reads the user's settings.
  install(DIRECTORY DESTINATION ${KASSOTEK_DATA_DIR})
endif()
