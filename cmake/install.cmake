# Desktop install: the game folder under share/zorpy-nibbo, a launcher in bin, a menu
# entry and an icon; CPack turns it into a .deb.
include(GNUInstallDirs)
set(ZN_INSTALL_GAME_DIR ${CMAKE_INSTALL_FULL_DATADIR}/zorpy-nibbo)

install(DIRECTORY ${ZN_GAME_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zorpy-nibbo
        USE_SOURCE_PERMISSIONS
        PATTERN "*.png.preview" EXCLUDE)
# The launcher is made at install time so that it names the prefix actually used
# (cmake --install DIR --prefix P).
install(CODE "
  set(game_dir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/zorpy-nibbo\")
  file(READ \"${CMAKE_SOURCE_DIR}/packaging/zorpy-nibbo.sh.in\" launcher)
  string(REPLACE \"@ZN_INSTALL_GAME_DIR@\" \"\${game_dir}\" launcher \"\${launcher}\")
  file(WRITE \"${CMAKE_BINARY_DIR}/zorpy-nibbo.launcher\" \"\${launcher}\")
")
install(PROGRAMS ${CMAKE_BINARY_DIR}/zorpy-nibbo.launcher DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME zorpy-nibbo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/zorpy-nibbo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZN_GAME_DIR}/icon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
        RENAME zorpy-nibbo.png OPTIONAL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorpy-nibbo)
set(CPACK_PACKAGE_CONTACT "Zorpy Nibbo Simulator team <zorpy-nibbo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Simulator of the Zorpy Nibbo handheld LCD maze game")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
