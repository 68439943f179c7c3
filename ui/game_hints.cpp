// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The three hint commands: name the next technique, show its cells and digits,
// or play it as a move of the game.
#include "announcer.h"
#include "game_controller.h"
#include "hint_display.h"
#include "texts.h"

#include "engine/techniques/catalogue.h"

namespace vemo::ui {

namespace {

QColor TechniqueColour(int technique) {
    const Rgb& c = TechniqueColours[technique];
    return QColor(c.red, c.green, c.blue);
}

} // namespace

QString GameController::HintText(const HintDisplay& hint) const {
    return QString::fromStdString(CompleteHintText(
        hint, TechniqueName(texts_, hint.technique).toStdString(), texts_.Text(536).toStdString()));
}

void GameController::ShowHint() {
    if (!engine_.PuzzleFixed || engine_.FilledCount >= 81) return;
    emit pageRequested(kBoardPage); // a hint is shown on the board
    ClearHintDrawing();             // a new hint
    engine_.HintTechnique = 0;
    engine_.FindNextTechnique();
    const int id = engine_.HintTechnique;
    if (id == 0) return; // nothing found: the position stays as it is
    ++HintsShown;
    Notice(TechniqueName(texts_, id), TechniqueColour(id));
    emit spoken(statusMessage_);
}

void GameController::ShowCompleteHint() {
    if (!engine_.PuzzleFixed || engine_.FilledCount >= 81) return;
    emit pageRequested(kBoardPage); // a hint is shown on the board
    ClearHighlights();
    engine_.HintTechnique = 0;
    engine_.FindNextTechnique();
    const HintDisplay hint = DescribeHint(engine_);
    if (hint.technique == 0) {
        emit boardChanged();
        return;
    }
    filter_.Cancel(board_.CellHighlight);
    // The chains first, so that the cells losing the digit show as targets.
    for (const HintDisplay::ChainCell& c : hint.chainCells)
        board_.CellHighlight[c.cell] = kChainCell + c.shade;
    for (const int c : hint.cells) board_.CellHighlight[c] = kHintCell;
    for (const int d : hint.digits) filter_.PressButton(d);
    board_.Drawing = advanced::DrawHint(engine_);
    ++CompleteHintsShown;
    Notice(HintText(hint), TechniqueColour(hint.technique));
    emit spoken(statusMessage_);
    emit commandsChanged();
    emit boardChanged();
}

void GameController::PlayHint() {
    if (!engine_.PuzzleFixed || engine_.FilledCount >= 81) return;
    emit pageRequested(kBoardPage); // a hint is shown on the board
    engine_.HintTechnique = 0;
    engine_.FindNextTechnique();
    const HintDisplay hint = DescribeHint(engine_);
    if (hint.technique == 0) return;
    filter_.Cancel(board_.CellHighlight);
    const Snapshot before = CurrentPosition();
    engine_.ApplyStep(hint.technique);
    ClearHighlights();
    filter_.Reset(board_.CellHighlight);
    emit boardChanged();

    history_.Push({kPlayedHint, -1, 0}, CurrentPosition());
    Enable(Command::Undo, true);
    Enable(Command::Restart, true);
    Enable(Command::Start, false);
    Enable(Command::Redo, false);
    ++HintsPlayed;
    Notice(HintText(hint), TechniqueColour(hint.technique));
    // The hint, then what playing it did.
    emit spoken(statusMessage_ + QStringLiteral(". ") +
                ChangesSpeech(texts_, before, CurrentPosition()));
    emit commandsChanged();
    if (engine_.FilledCount == 81) FinishGame();
}

void GameController::SetHintDrawing(const advanced::HintDrawing& drawing) {
    board_.Drawing = drawing;
    emit boardChanged();
}

void GameController::ClearHintDrawing() {
    if (board_.Drawing.Empty()) return;
    board_.Drawing = {};
    emit boardChanged();
}

} // namespace vemo::ui
