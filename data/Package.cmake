# SPDX-License-Identifier: MIT
# The Debian package, built by CPack from the install set (scripts/package drives it):
#   vitalune_<version>_amd64.deb, installing under /usr.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vitalune)
set(CPACK_PACKAGE_VENDOR Lumenfold)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Lumenfold <vitalune@lumenfold.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "biorhythm chart plug-in for the D-Bus session bus")
# Lines of the control file's long description; CPack indents them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Vitalune charts a person's physical (23 days), emotional (28 days) and"
  "intellectual (33 days) biorhythm cycles for one month, with three dials"
  "for the selected day, and prints that month and the next on one page."
  "Its window is in Portuguese."
  "."
  "Host programs start it over the D-Bus session bus (bus name"
  "Orvane.clsPluginInterface) and open it for the person their form shows;"
  "the package includes the reference host, vitalune-host.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_LIST_DIR}/../LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Install with the real prefix into a staging DESTDIR: the service file's Exec= line is
# written at install time from the prefix and must name /usr/bin/vitalune.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.lumenfold.com/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the shared libraries: the platform plug-ins (X11 and offscreen) the windows need.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# The printed page's fixed-width face, and the desktop's opener for help and web page.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Debian wants a changelog in every package's documentation folder; a package without a
# Debian revision in its version is a native one, whose changelog is changelog.gz.
option(VITALUNE_DEBIAN_CHANGELOG "Install the Debian changelog (for the package)" OFF)
if(VITALUNE_DEBIAN_CHANGELOG)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian-changelog.in
                 ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
    COMMAND ${VITALUNE_GZIP} -9 -n -f -k ${CMAKE_BINARY_DIR}/debian/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog VERBATIM)
  add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
  install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

include(CPack)
