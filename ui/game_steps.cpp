// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A step of the listing on the board: the position before it, with the step
// shown as a complete hint, while the game waits aside untouched.
#include "game_controller.h"
#include "hint_display.h"
#include "step_analysis.h"
#include "texts.h"

#include "engine/advanced/drawing.h"
#include "io/explanations.h"

namespace vemo::ui {

bool GameController::ShowLoggedStep(int step, bool withoutGuessing) {
    if (!engine_.PuzzleFixed || step < 1 || generating_) return false;
    Engine replay = ShowingStep() ? stepBackup_->engine : engine_;
    if (!ReplaySteps(replay, step - 1, withoutGuessing)) return false;
    replay.AdvancedLayer = withoutGuessing;
    replay.HintTechnique = 0;
    replay.FindNextTechnique();
    replay.AdvancedLayer = false;
    if (replay.HintTechnique == 0) return false;
    // The logged solve must give the step the listing shows.
    if (!withoutGuessing &&
        (step >= engine_.StepCount || replay.StepLog[step].technique != replay.HintTechnique))
        return false;

    if (!ShowingStep())
        stepBackup_ = std::make_unique<StepBackup>(
            StepBackup{engine_, board_, filter_, enabled_, statusMessage_, statusColour_, false});
    HideChooser();
    engine_ = std::move(replay);
    ClearHighlights();
    filter_.Cancel(board_.CellHighlight);
    const HintDisplay hint = FindHintShown();
    for (const HintDisplay::ChainCell& c : hint.chainCells)
        board_.CellHighlight[c.cell] = kChainCell + c.shade;
    for (const int c : hint.cells) board_.CellHighlight[c] = kHintCell;
    for (const int d : hint.digits) filter_.PressButton(d);
    board_.Drawing = advanced::DrawHint(engine_);
    emit pageRequested(kBoardPage);
    Notice(HintText(hint), HintColour(hint.technique));
    messageTimer_.stop(); // the step stays named until it is put away
    emit spoken(statusMessage_);
    Explain(static_cast<int>(io::HintLevel::kFull));
    emit commandsChanged();
    emit boardChanged();
    return true;
}

void GameController::LeaveStep() {
    if (!ShowingStep()) return;
    const std::unique_ptr<StepBackup> saved = std::move(stepBackup_);
    engine_ = saved->engine;
    board_ = saved->board;
    filter_ = saved->filter;
    enabled_ = saved->enabled;
    statusMessage_ = saved->statusMessage;
    statusColour_ = saved->statusColour;
    ClearExplanation();
    emit statusChanged();
    emit commandsChanged();
    emit boardChanged();
}

} // namespace vemo::ui
