# SPDX-FileCopyrightText: 2026 Vemo Tarn developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The three dialogs and the music player, offscreen; the version check talks to
# a local server.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(vemo_dialogs_tests ui_dialogs_test.cpp)
target_link_libraries(vemo_dialogs_tests PRIVATE vemo_dialogs vemo_io Qt6::Test GTest::gtest)
target_compile_definitions(vemo_dialogs_tests PRIVATE VEMO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                                     VEMO_PROJECT_VERSION="${VemoTarn_VERSION}")
gtest_discover_tests(vemo_dialogs_tests DISCOVERY_TIMEOUT 60
                     PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# Pictures of the dialogs in French and English, for a look under Xvfb.
add_executable(vemo_dialog_shots ui_dialog_shots.cpp)
target_link_libraries(vemo_dialog_shots PRIVATE vemo_dialogs vemo_io)
target_compile_definitions(vemo_dialog_shots PRIVATE VEMO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
