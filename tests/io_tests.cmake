# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Tests of the io library.
add_executable(vemo_io_tests
    io_record_test.cpp
    io_files_test.cpp
    io_grid_text_test.cpp
    io_settings_test.cpp
    io_language_test.cpp
    io_explanations_test.cpp
    io_robustness_test.cpp
    io_checked_files_test.cpp
    io_saved_game_test.cpp
    io_puzzle_pool_test.cpp
    test_support.cpp
)
target_link_libraries(vemo_io_tests PRIVATE vemo_io GTest::gtest_main)
target_compile_definitions(vemo_io_tests PRIVATE VEMO_SHARED_DATA="${VEMO_SHARED_DATA}"
                                                VEMO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(vemo_io_tests DISCOVERY_TIMEOUT 60)
