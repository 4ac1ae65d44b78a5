# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` (or scripts/package) builds quillon_VERSION_ARCH.deb.
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "The Quillon developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch file renamer with a preview and an undo script")
# One string: a CMake list would reach the control file with ";" between its
# parts. Lines stay under 80 columns, as Debian's policy wants them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quillon renames many files at once: search and replace, reformatting by\n"
    "fields, numbering, Smart title case, with a checkable preview of the new\n"
    "names and an undo script left in the folder.\n"
    "quillon-cli runs the same renames from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Quillon developers <maintainers@quillon.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillon.org/")
# dpkg-shlibdeps finds the exact Qt and ICU libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Stripped as Debian's dh_strip does it: symbols and the .comment and .note
# sections go (cpack's own stripping keeps the sections).
set(CPACK_QUILLON_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/StripPackage.cmake)
include(CPack)
