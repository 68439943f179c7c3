// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the printed sheets change in the game.
#include "game_controller.h"
#include "texts.h"

namespace vemo::ui {

namespace {

const QColor kPrintedColour{0xE0, 0xFF, 0xFF};

} // namespace

void GameController::RestoreAfterSheet(const print::GameState& saved, bool puzzleFixed) {
    print::RestoreGameState(saved, engine_);
    ChooseVariant(engine_.VariantKind);
    captionSuffix_ = engine_.XSudoku == 1 ? QStringLiteral(" X") : QString();
    Enable(Command::CopyPosition, engine_.VariantKind == kClassic);
    history_.SaveLevel(history_.MoveLevel(), CurrentPosition());
    StartClock();
    emit pagesChanged();
    emit solutionChanged();
    engine_.PuzzleFixed = puzzleFixed;
    if (!puzzleFixed) {
        StopClock();
        EnableHints(false);
    }
    PrintedNotice(512);
    emit commandsChanged();
    emit boardChanged();
}

void GameController::PrintedNotice(int text) {
    Notice(texts_.Text(text), kPrintedColour);
}

} // namespace vemo::ui
