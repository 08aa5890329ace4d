# Desktop install: the game folder under share/zorpy-nibbo, a launcher in bin, a menu
# entry and an icon; CPack turns it into a .deb.
include(GNUInstallDirs)

# The game folder is installed as the build made it, so an install or a package from an
# unbuilt or half-built folder would be incomplete: refuse it with a clear message.
install(CODE "
  foreach(f zorpy-nibbo Config.ini icon.png Readme.txt Whatsnew.txt
            Sound/Bonus.wav Sound/Energiz.wav Sound/Ghost.wav Sound/Miss.wav Sound/Pill.wav
            Sound/Pill_alt.wav Sound/Stage.wav Sound/Start.wav
            Graphics/Skin/background.png Graphics/Backdrop/backdrop.png
            Graphics/Dialogs/splash_background.png Graphics/Dialogs/splash_box.jpg)
    if(NOT EXISTS \"${ZN_GAME_DIR}/\${f}\")
      message(FATAL_ERROR \"${ZN_GAME_DIR}/\${f} is missing: build the project before installing it\")
    endif()
  endforeach()
")
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
        RENAME zorpy-nibbo.png)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorpy-nibbo)
set(CPACK_PACKAGE_CONTACT "Zorpy Nibbo Simulator team <zorpy-nibbo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Simulator of the Zorpy Nibbo handheld LCD maze game")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Arial's stand-in for the dialogs' texts; the simulator runs without it, in another font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
