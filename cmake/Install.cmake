# Installation like any Linux program, and its Debian package (cpack -G DEB):
# the program, its menu entry and icon, the AppStream metainfo, the user
# guide with the pictures the tests took, and a man page made from --help.
include(GNUInstallDirs)

# Placeholders until the program has a web site of its own: the AppStream id
# (reverse domain, also the menu entry's file name) and the page that holds
# the screenshots.
set(MSS_APP_ID "org.example.TarvoltMSSprint" CACHE STRING "AppStream id and desktop file name")
set(MSS_HOMEPAGE "https://tarvolt.example.org" CACHE STRING "The program's web page")
set(MSS_PROJECT_LICENSE "LicenseRef-proprietary" CACHE STRING "SPDX licence of the program")
set(packaging ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS tarvolt-mssprint RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${packaging}/tarvolt-mssprint.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${MSS_APP_ID}.desktop)
configure_file(${packaging}/tarvolt-mssprint.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${MSS_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${MSS_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: drawn as SVG, rendered to the sizes menus ask for.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
install(FILES ${packaging}/tarvolt-mssprint.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(icons)
foreach(size 16 24 32 48 64 128 256)
  set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/tarvolt-mssprint.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} ${packaging}/tarvolt-mssprint.svg -o ${png}
    DEPENDS ${packaging}/tarvolt-mssprint.svg VERBATIM)
  list(APPEND icons ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The man page of the command line, from the program's own --help. The
# sanitizers' leak report would end a test build's run with an error.
find_program(HELP2MAN help2man REQUIRED)
set(manpage ${PROJECT_BINARY_DIR}/tarvolt-mssprint.1)
add_custom_command(OUTPUT ${manpage}.gz
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          ${HELP2MAN} --no-info --section=1 --version-string=${PROJECT_VERSION}
          "--name=contest logger for the 2 m meteor-scatter sprint"
          --include=${packaging}/tarvolt-mssprint.h2m --output=${manpage} $<TARGET_FILE:tarvolt-mssprint>
  COMMAND gzip -n -9 -f ${manpage}
  DEPENDS tarvolt-mssprint ${packaging}/tarvolt-mssprint.h2m VERBATIM)
add_custom_target(mss_install_files ALL DEPENDS ${icons} ${manpage}.gz)
install(FILES ${manpage}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The guide beside the program, with the pictures the tests took.
install(DIRECTORY ${MSS_GUIDE_SOURCE_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tarvolt-mssprint/hilfe)
install(DIRECTORY ${MSS_GUIDE_PICTURES_DIR}/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tarvolt-mssprint/hilfe/bilder
        FILES_MATCHING PATTERN "*.png")

set(CPACK_PACKAGE_NAME tarvolt-mssprint)
set(CPACK_PACKAGE_VENDOR "Tarvolt MSSprint developers")
set(CPACK_PACKAGE_CONTACT "Tarvolt MSSprint developers <tarvolt-mssprint@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "contest logger for the 2 m meteor-scatter sprint")
set(CPACK_PACKAGE_DESCRIPTION
    "Logs the MMMonVHF MS Sprint: contacts typed or from WSJT-X and MSHV, with dupe check, distance and score, and writes the entry files the organisers want.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# Declared rather than found by dpkg-shlibdeps: the platform plugin, the
# country file and the printed lists' font are not linked, yet needed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6widgets6 (>= 6.2), libqt6printsupport6 (>= 6.2), libqt6network6 (>= 6.2), libqt6dbus6 (>= 6.2), qt6-qpa-plugins, libhamlib4, hamradio-files, fonts-liberation, libc6, libstdc++6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libhamlib-utils")
include(CPack)
