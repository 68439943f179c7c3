# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# `make package`: a Debian package of the program, its data folders and its
# desktop integration, built by CPack from the install rules.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vemotarn")
set(CPACK_PACKAGE_VENDOR "The Vemo Tarn team")
set(CPACK_PACKAGE_CONTACT "The Vemo Tarn team <contact@vemotarn.example.org>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sudoku for one player, with hints that name the technique")
# The extended description, in lines of at most 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Vemo Tarn generates Sudoku puzzles at five difficulties and four symmetries,\n"
    "rates them by the human techniques a logical solver needs, gives hints that\n"
    "name the next technique, shows the solution and a step-by-step solve listing,\n"
    "and plays X-Sudoku, consecutive, non-consecutive and odd/even grids. It prints\n"
    "puzzles and sheets of four, in French or English. A command-line tool counts,\n"
    "solves, rates and generates puzzles.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
# A game: the section "games", with the programs in /usr/games and their
# manual pages in section 6, as Debian's policy has it for games.
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vemotarn.example.org")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies from the binaries; the sound font by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

# The documents a distribution expects: the copyright file (machine-readable),
# CHANGELOG.md as the Debian changelog of this native package, and the manual
# pages, compressed as Debian wants them (gzip -9n: no name or time stamp, so
# that builds are reproducible).
find_program(VEMO_GZIP gzip REQUIRED)
set(VEMO_DOCS_DIR ${CMAKE_BINARY_DIR}/docs-gz)
add_custom_command(OUTPUT ${VEMO_DOCS_DIR}/changelog
                   COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/CHANGELOG.md
                           -DOUTPUT=${VEMO_DOCS_DIR}/changelog -DPACKAGE=${CPACK_PACKAGE_NAME}
                           -DMAINTAINER=${CPACK_PACKAGE_CONTACT}
                           -P ${CMAKE_SOURCE_DIR}/cmake/DebianChangelog.cmake
                   DEPENDS ${CMAKE_SOURCE_DIR}/CHANGELOG.md
                           ${CMAKE_SOURCE_DIR}/cmake/DebianChangelog.cmake
                   VERBATIM)
set(compressed)
foreach(pair "${VEMO_DOCS_DIR}/changelog:changelog.gz"
             "${CMAKE_SOURCE_DIR}/man/vemotarn.6:vemotarn.6.gz"
             "${CMAKE_SOURCE_DIR}/man/vemotarn-cli.6:vemotarn-cli.6.gz")
    string(REPLACE ":" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 target)
    add_custom_command(OUTPUT ${VEMO_DOCS_DIR}/${target}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${VEMO_DOCS_DIR}
                       COMMAND sh -c "${VEMO_GZIP} -9n -c \"$1\" > \"$2\"" sh ${source}
                               ${VEMO_DOCS_DIR}/${target}
                       DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${VEMO_DOCS_DIR}/${target})
endforeach()
add_custom_target(vemo_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_SOURCE_DIR}/cmake/copyright ${VEMO_DOCS_DIR}/changelog.gz
        DESTINATION share/doc/vemotarn)
install(FILES ${VEMO_DOCS_DIR}/vemotarn.6.gz ${VEMO_DOCS_DIR}/vemotarn-cli.6.gz
        DESTINATION share/man/man6)

include(CPack)
