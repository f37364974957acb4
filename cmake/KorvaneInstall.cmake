# Installing: the program and its data in one folder (lib/korvane), a launcher link in bin/, and
# what the desktop needs to list it: the desktop entry, the icon in the hicolor theme and the
# AppStream metainfo, and the manual page. `cpack -G DEB` packs the same tree for Debian.
set(KORVANE_INSTALL_DIR lib/korvane)
set(KORVANE_DESKTOP_SOURCE ${CMAKE_SOURCE_DIR}/data/desktop)
set(KORVANE_DESKTOP_OUT ${CMAKE_BINARY_DIR}/desktop)

install(TARGETS korvane korvane-probe korvane-probe-worker RUNTIME DESTINATION ${KORVANE_INSTALL_DIR})
install(DIRECTORY ${KORVANE_BIN_DIR}/ DESTINATION ${KORVANE_INSTALL_DIR}
  FILES_MATCHING PATTERN "*.txt" PATTERN "*.JPG" PATTERN "*.jpg" PATTERN "*.html" PATTERN "*.png"
  PATTERN "images/*" PATTERN "icons/*" PATTERN "help/*")
install(CODE "file(MAKE_DIRECTORY \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin)
  file(CREATE_LINK ../${KORVANE_INSTALL_DIR}/korvane \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/korvane SYMBOLIC)")

# The theme's bitmap size is rendered from the same drawing as the scalable icon.
add_custom_command(OUTPUT ${KORVANE_DESKTOP_OUT}/korvane.png
  COMMAND korvane-skin ${KORVANE_DESKTOP_SOURCE} ${KORVANE_DESKTOP_OUT}
  DEPENDS korvane-skin ${KORVANE_DESKTOP_SOURCE}/korvane.svg ${KORVANE_DESKTOP_SOURCE}/skin.txt
  COMMENT "Rendering the launcher icon" VERBATIM)
add_custom_target(korvane_desktop ALL DEPENDS ${KORVANE_DESKTOP_OUT}/korvane.png)

# The manual page, compressed as Debian keeps them (no name or time stamp in the archive).
set(KORVANE_MAN_OUT ${CMAKE_BINARY_DIR}/man/korvane.1.gz)
add_custom_command(OUTPUT ${KORVANE_MAN_OUT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
  COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${CMAKE_SOURCE_DIR}/data/man/korvane.1
    ${KORVANE_MAN_OUT}
  DEPENDS ${CMAKE_SOURCE_DIR}/data/man/korvane.1
  COMMENT "Compressing the manual page" VERBATIM)
add_custom_target(korvane_man ALL DEPENDS ${KORVANE_MAN_OUT})
install(FILES ${KORVANE_MAN_OUT} DESTINATION share/man/man1)

install(FILES ${KORVANE_DESKTOP_SOURCE}/korvane.desktop DESTINATION share/applications)
install(FILES ${KORVANE_DESKTOP_SOURCE}/korvane.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${KORVANE_DESKTOP_OUT}/korvane.png DESTINATION share/icons/hicolor/256x256/apps)
install(FILES ${KORVANE_DESKTOP_SOURCE}/io.github.korvane.Korvane.metainfo.xml
  DESTINATION share/metainfo)

set(CPACK_PACKAGE_NAME korvane)
set(CPACK_PACKAGE_VENDOR "The Korvane developers")
set(CPACK_PACKAGE_CONTACT "The Korvane developers <korvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Skinned media player with a playlist of thumbnails")
set(CPACK_PACKAGE_DESCRIPTION
  "Korvane plays audio and video files and video DVDs in its own skinned window, with a playlist of thumbnails described by the decoder.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://korvane.invalid/")
# The libraries the program links come from dpkg-shlibdeps; these are what it loads or runs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "vlc-plugin-base, vlc-plugin-video-output, qt6-qpa-plugins, ffmpeg, mpgtx")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libvlc-bin, dbus-user-session")
set(CPACK_GENERATOR DEB)
include(CPack)

if(KORVANE_TESTS)
  # The installed tree as the desktop reads it, and the installed player driven over MPRIS.
  add_test(NAME InstalledPlayerEndToEnd
    COMMAND ${CMAKE_SOURCE_DIR}/tests/app/installed_player_e2e.sh ${CMAKE_BINARY_DIR}
      ${KORVANE_BIN_DIR}/sample.mp4)
  set_tests_properties(InstalledPlayerEndToEnd PROPERTIES TIMEOUT 120 LABELS system)
endif()
