# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack on the staged files, before it packs them; each package's
# files are staged in a folder of their own.
file(GLOB programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*
     ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/usr/bin/*
     ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/libexec/quillon/*
     ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/usr/libexec/quillon/*)
foreach(program IN LISTS programs)
    execute_process(
        COMMAND ${CPACK_QUILLON_STRIP} --remove-section=.comment --remove-section=.note ${program}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
if(NOT programs)
    message(FATAL_ERROR "no programs to strip under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
