// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window tests run without a display: one application on the offscreen
// platform for every test of the executable.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
