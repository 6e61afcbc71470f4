# The Debian package (scripts/package): the program, its desktop entry and icons, the
# operator's guide, the copyright file and the changelog. The libraries it links are found
# from the binary; what it needs only at run time is named here.
include(GNUInstallDirs)

install(FILES packaging/vorsela.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES app/help/OperatorGuide.txt DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME "Помощь.txt")

# Manual pages are kept compressed too.
set(manual_gz ${CMAKE_BINARY_DIR}/packaging/vorsela.1.gz)
add_custom_command(OUTPUT ${manual_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/vorsela.1 > ${manual_gz}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/vorsela.1)
add_custom_target(vorsela_manual ALL DEPENDS ${manual_gz})
install(FILES ${manual_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian keeps the changelog compressed, reproducibly (no name or time in the header).
set(changelog_gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/changelog > ${changelog_gz}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog)
add_custom_target(vorsela_changelog ALL DEPENDS ${changelog_gz})
install(FILES ${changelog_gz} DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorsela)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "vorsela team <team@vorsela.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "driving school certificates printed onto blanks")
set(CPACK_PACKAGE_DESCRIPTION "An operator types one graduate's data into a single window and prints it onto
a pre-printed A5 certificate blank, so that every field lands in its box. A
printer test page and a page-settings dialog calibrate the margins.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window system plug-in, the fonts the windows and templates name, the printing client
# and its library (loaded when printing first needs it, so the library scan cannot see it),
# the database driver of the register's default SQLite file.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, fonts-liberation, fonts-liberation2, fonts-wine, cups-client, libcups2, libqt6sql6-sqlite")
# A register shared by several desks is a PostgreSQL database.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libqt6sql6-psql")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
