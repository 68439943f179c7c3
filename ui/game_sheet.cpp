// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the printed sheets say in the status bar.
#include "game_controller.h"
#include "texts.h"

namespace vemo::ui {

namespace {

const QColor kPrintedColour{0xE0, 0xFF, 0xFF};

} // namespace

void GameController::PrintedNotice(int text) {
    Notice(texts_.Text(text), kPrintedColour);
}

} // namespace vemo::ui
