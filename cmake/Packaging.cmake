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
set(CPACK_PACKAGE_DESCRIPTION
    "Vemo Tarn generates Sudoku puzzles at five difficulties and four symmetries, rates them by the\n"
    "human techniques a logical solver needs, gives hints that name the next technique, shows the\n"
    "solution and a step-by-step solve listing, and plays X-Sudoku, consecutive, non-consecutive and\n"
    "odd/even grids. It prints puzzles and sheets of four, in French or English.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vemotarn.example.org")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies from the binaries; the sound font by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
include(CPack)
