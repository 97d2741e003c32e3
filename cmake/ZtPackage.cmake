# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by CPack from this build's install rules, so the
# package holds exactly what `cmake --install` installs, laid out for /usr, and
# no second build is needed (scripts/package). The package-only files (copyright,
# changelog, compressed manual pages) are added by ZtDebianFiles.cmake in the
# staging folder before the archive is made.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zemko-tovik")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Zemko Tovik Configurator developers")
set(CPACK_PACKAGE_CONTACT "Zemko Tovik Configurator developers <linux@zemko.example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration program of the Zemko Tovik wireless gaming mouse")
# The extended description, below the summary; CPack indents its lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads every setting of the Zemko Tovik wireless gaming mouse and its charging
dock into one skinned window: button assignments, sensitivity stages, polling
rate, lift-off range and surface calibration, lighting, power saving, profiles
and macros, and writes back exactly what changed.
.
It ships an emulator of the device server with emulated devices, managed with
the zemko-tovik-devices command, and a tray companion that shows the battery
and switches profiles for the focused program.")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.zemko.example.com/")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
# Depends: the shared libraries the executables link (dpkg-shlibdeps), plus what
# they need at run time without linking it: fonts with Arial's metrics and CJK
# glyphs for the skin's texts, and xdg-open for the manual and web pages. Qt's
# translations and its Wayland support make the program better where present.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-wqy-microhei, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
set(CPACK_DEBIAN_COMPRESSION_TYPE "gzip")
set(CPACK_STRIP_FILES ON)
# The install runs with the prefix /usr under a staging DESTDIR, so rules that
# decide by the prefix (the autostart entry goes to /etc/xdg/autostart) see /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX "/usr")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
# The autostart entry is configuration the administrator may change: dpkg keeps
# their changes on upgrade.
file(WRITE "${CMAKE_BINARY_DIR}/package-control/conffiles" "/etc/xdg/autostart/zemko-tovik-tray.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_BINARY_DIR}/package-control/conffiles")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/ZtDebianFiles.cmake")
set(CPACK_ZT_RELEASE_DATE "${ZT_RELEASE_DATE}")
set(CPACK_ZT_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
include(CPack)
