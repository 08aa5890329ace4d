# The install, in the layout of a Debian game (paths relative to the prefix):
#   games/zorpy-nibbo, games/zorpy-nibbo-skin-check   the simulator and the skin checker
#   share/games/zorpy-nibbo/                          the game folder, as the build made it
#   share/applications/, share/metainfo/              menu entry, AppStream metainfo
#   share/icons/hicolor/NxN/apps/zorpy-nibbo.png      the icon at each theme size
#   share/man/man6/                                   the manual pages
#   share/doc/zorpy-nibbo/                            copyright, changelog
# The simulator finds its game folder as ../share/games/zorpy-nibbo from its own folder, so
# any prefix works. CPack turns the install into a .deb.
set(ZN_INSTALL_GAMES_DIR games)
set(ZN_INSTALL_DATA_DIR share/games/zorpy-nibbo)
set(ZN_APPSTREAM_ID org.example.zorpy_nibbo)

# packaging/changelog is the package's history: its latest entry must be this version, and
# its date is the release date the manual pages and the metainfo show.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^zorpy-nibbo \\(([^)]+)\\) ")
  message(FATAL_ERROR "packaging/changelog does not start with a 'zorpy-nibbo (VERSION) ...' entry")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog's latest entry is ${CMAKE_MATCH_1}, but project() says "
                      "${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION}")
endif()
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog changelog_trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT changelog_trailer MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog: no date in the latest entry's ' -- ' line")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
if(month LESS 10)
  set(month 0${month})
endif()
set(ZN_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})

# The manual pages and the metainfo carry the version and the date; the manual pages and the
# changelog are installed compressed (gzip -n: no time stamp, the same bytes every build).
set(pkg_dir ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/packaging/zorpy-nibbo.metainfo.xml.in
               ${pkg_dir}/${ZN_APPSTREAM_ID}.metainfo.xml @ONLY)
set(gz_outputs)
foreach(page zorpy-nibbo.6 zorpy-nibbo-skin-check.6)
  configure_file(${CMAKE_SOURCE_DIR}/docs/${page}.in ${pkg_dir}/src/${page} @ONLY)
  list(APPEND gz_sources ${pkg_dir}/src/${page})
endforeach()
list(APPEND gz_sources ${CMAKE_SOURCE_DIR}/packaging/changelog)
foreach(source IN LISTS gz_sources)
  get_filename_component(name ${source} NAME)
  add_custom_command(
    OUTPUT ${pkg_dir}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${pkg_dir}/${name}
    COMMAND gzip -9nf ${pkg_dir}/${name}
    DEPENDS ${source}
    COMMENT "Compressing ${name}"
    VERBATIM)
  list(APPEND gz_outputs ${pkg_dir}/${name}.gz)
endforeach()
add_custom_target(zn_package_docs ALL DEPENDS ${gz_outputs})

# The game folder is installed as the build made it, so an install or a package from an
# unbuilt or half-built folder would be incomplete: refuse it with a clear message.
install(CODE "
  foreach(f Config.ini icon.png Readme.txt Whatsnew.txt
            Sound/Bonus.wav Sound/Energiz.wav Sound/Ghost.wav Sound/Miss.wav Sound/Pill.wav
            Sound/Pill_alt.wav Sound/Stage.wav Sound/Start.wav
            Graphics/Skin/background.png Graphics/Skin/background@2x.png Graphics/Backdrop/backdrop.png
            Graphics/Dialogs/splash_background.png Graphics/Dialogs/splash_box.jpg
            Graphics/Icons/16x16/apps/zorpy-nibbo.png Graphics/Icons/256x256/apps/zorpy-nibbo.png)
    if(NOT EXISTS \"${ZN_GAME_DIR}/\${f}\")
      message(FATAL_ERROR \"${ZN_GAME_DIR}/\${f} is missing: build the project before installing it\")
    endif()
  endforeach()
")
install(TARGETS zorpy-nibbo zorpy-nibbo-skin-check RUNTIME DESTINATION ${ZN_INSTALL_GAMES_DIR})
install(DIRECTORY ${ZN_GAME_DIR}/ DESTINATION ${ZN_INSTALL_DATA_DIR}
        PATTERN "*.png.preview" EXCLUDE
        PATTERN "zorpy-nibbo" EXCLUDE)
install(FILES packaging/zorpy-nibbo.desktop DESTINATION share/applications)
install(FILES ${pkg_dir}/${ZN_APPSTREAM_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size IN LISTS ZN_ICON_SIZES)
  install(FILES ${ZN_ICON_THEME_DIR}/${size}x${size}/apps/zorpy-nibbo.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${pkg_dir}/zorpy-nibbo.6.gz ${pkg_dir}/zorpy-nibbo-skin-check.6.gz DESTINATION share/man/man6)
install(FILES packaging/copyright ${pkg_dir}/changelog.gz DESTINATION share/doc/zorpy-nibbo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorpy-nibbo)
set(CPACK_PACKAGE_CONTACT "Zorpy Nibbo Simulator team <zorpy-nibbo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator of the Zorpy Nibbo handheld LCD maze game")
set(CPACK_PACKAGE_DESCRIPTION
    "Zorpy Nibbo (Korvent, Plimquad) was a pocket LCD game: a maze of fixed figures,
pills and energizers, ghosts, bonus stars and extra lives, in four games. This
simulator shows a picture of the device, lights its figures as the device's
screen would, plays its sounds and runs the four games with the device's
timings. Seven configurable keys, game controllers (d-pad or left stick,
Start, Back and Guide or A, X and Y; several at once) or the mouse; a shaped
window that zooms from 50 % to 400 %, or full screen; and skins that replace
the device's picture and layout.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zorpy-nibbo.example.org/)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Arial's stand-in for the dialogs' texts; the simulator runs without it, in another font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
