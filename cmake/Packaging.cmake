# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` (or scripts/package) builds two packages from one build:
# quillon-cli_VERSION_ARCH.deb, the command line without Qt, and
# quillon_VERSION_ARCH.deb, the window, which depends on it.
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "The Quillon developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Quillon developers <maintainers@quillon.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillon.org/")
# dpkg-shlibdeps finds the exact Qt and ICU libraries each program links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# quillon depends on quillon-cli of the same version.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_CLI_PACKAGE_NAME quillon-cli)
set(CPACK_DEBIAN_GUI_PACKAGE_NAME quillon)
# The window speaks the desktop's language with Qt's own texts, and runs
# natively on Wayland with Qt's plugin.
set(CPACK_DEBIAN_GUI_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
# One string each: a CMake list would reach the control file with ";" between
# its parts. The first line is the summary; lines stay under 80 columns, as
# Debian's policy wants them.
string(CONCAT CPACK_COMPONENT_CLI_DESCRIPTION
    "batch file renamer for the command line, with an undo script\n"
    "quillon-cli renames many files at once: search and replace, regular\n"
    "expressions, reformatting by fields, numbering, Smart title case, with a\n"
    "dry run, JSON output and an undo script left in the folder.")
string(CONCAT CPACK_COMPONENT_GUI_DESCRIPTION
    "batch file renamer with a preview and an undo script\n"
    "Quillon renames many files at once: search and replace, reformatting by\n"
    "fields, numbering, Smart title case, with a checkable preview of the new\n"
    "names and an undo script left in the folder.")
if(QUILLON_GUI)
    set(CPACK_COMPONENTS_ALL cli gui)
else()
    set(CPACK_COMPONENTS_ALL cli)
endif()
# Stripped as Debian's dh_strip does it: symbols and the .comment and .note
# sections go (cpack's own stripping keeps the sections).
set(CPACK_QUILLON_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/StripPackage.cmake)
include(CPack)
cpack_add_component(cli DISPLAY_NAME "quillon-cli")
cpack_add_component(gui DISPLAY_NAME "Quillon" DEPENDS cli)
