// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The three hint commands: name the next technique, show its cells and digits,
// or play it as a move of the game; each one also says the step in words.
#include "announcer.h"
#include "board_painter.h"
#include "game_controller.h"
#include "hint_display.h"
#include "language_texts.h"
#include "texts.h"

#include "engine/advanced/catalogue.h"
#include "engine/advanced/practice.h"
#include "engine/techniques/catalogue.h"
#include "io/explanations.h"

namespace vemo::ui {

namespace {

bool IsAdvanced(int technique) {
    return technique >= advanced::kFirstAdvanced && technique < advanced::kAdvancedEnd;
}

// The language table behind the window's texts; before any language file is
// read, an empty one, for which the explanations speak their built-in French.
const io::LanguageTable& TableOf(const TextSource& texts) {
    if (const auto* language = dynamic_cast<const LanguageTexts*>(&texts)) return language->Table();
    static const io::LanguageTable none;
    return none;
}

// The advanced step just found, as the complete hint shows it: the pattern's
// cells and its digits.
HintDisplay DescribeAdvancedHint(const Engine& game) {
    HintDisplay hint;
    const advanced::AdvancedStep& s = game.AdvancedHint;
    hint.technique = game.HintTechnique;
    for (int i = 0; i < std::clamp(s.cellCount, 0, advanced::kMaxStepCells); ++i)
        if (s.cells[i] >= 0 && s.cells[i] < kCells) hint.cells.push_back(s.cells[i]);
    for (int d = 1; d <= 9; ++d)
        if ((s.digits >> (d - 1) & 1) != 0) hint.digits.push_back(d);
    return hint;
}

QString NameOfStep(const TextSource& texts, int technique) {
    if (IsAdvanced(technique))
        return QString::fromStdString(io::AdvancedTechniqueName(technique, TableOf(texts)));
    return TechniqueName(texts, technique);
}

} // namespace

QString GameController::HintText(const HintDisplay& hint) const {
    return QString::fromStdString(CompleteHintText(
        hint, NameOfStep(texts_, hint.technique).toStdString(), texts_.Text(536).toStdString()));
}

QColor GameController::HintColour(int technique) const {
    return StepColour(technique, statusColour_);
}

bool GameController::FindFocusedHint() {
    const PracticeFocus& f = practiceFocus_;
    if (f.technique == 0 || engine_.HistoryLevel != 0 || engine_.Givens != f.givens ||
        engine_.CellGrid[0] != f.cells || engine_.CandidateTable != f.candidates)
        return false;
    advanced::AdvancedStep step;
    if (!practice::FindPracticeStep(engine_, f.technique, step)) return false;
    engine_.TakeAdvancedHint(step);
    return true;
}

HintDisplay GameController::FindHint() {
    // A practice game at the position of its technique: that technique's step,
    // though an earlier one of the order would be found there.
    if (FindFocusedHint()) return FindHintShown();
    engine_.HintTechnique = 0;
    // Only the hints ask for the advanced catalogue: the analysis of the
    // puzzle stays the logged solve that the listing shows.
    engine_.AdvancedLayer = true;
    engine_.FindNextTechnique();
    engine_.AdvancedLayer = false;
    return FindHintShown();
}

HintDisplay GameController::FindHintShown() const {
    if (IsAdvanced(engine_.HintTechnique)) return DescribeAdvancedHint(engine_);
    return DescribeHint(engine_);
}

QString GameController::ExplainFound(const Engine& position, int level) const {
    const auto hintLevel = static_cast<io::HintLevel>(level);
    const io::LanguageTable& table = TableOf(texts_);
    if (IsAdvanced(position.HintTechnique))
        return QString::fromStdString(
            io::ExplainAdvancedStep(position.AdvancedHint, table, hintLevel));
    return QString::fromStdString(io::ExplainHint(position, table, hintLevel));
}

void GameController::Explain(int level) {
    Explain(engine_, level);
}

void GameController::Explain(const Engine& position, int level) {
    explained_ = std::make_shared<const Engine>(position);
    explainedLevel_ = level;
    explanation_ = ExplainFound(position, level);
    emit explanationChanged();
}

void GameController::ClearExplanation() {
    explained_.reset();
    if (explanation_.isEmpty()) return;
    explanation_.clear();
    emit explanationChanged();
}

void GameController::ShowHint() {
    if (!engine_.PuzzleFixed || engine_.FilledCount >= 81 || ShowingStep()) return;
    emit pageRequested(kBoardPage); // a hint is shown on the board
    ClearHintDrawing();             // a new hint
    const HintDisplay hint = FindHint();
    const int id = hint.technique;
    if (id == 0) return; // nothing found: the position stays as it is
    ++HintsShown;
    Notice(NameOfStep(texts_, id), HintColour(id));
    emit spoken(statusMessage_);
    Explain(static_cast<int>(io::HintLevel::kName));
}

void GameController::ShowCompleteHint() {
    if (!engine_.PuzzleFixed || engine_.FilledCount >= 81 || ShowingStep()) return;
    emit pageRequested(kBoardPage); // a hint is shown on the board
    ClearHighlights();
    const HintDisplay hint = FindHint();
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
    Notice(HintText(hint), HintColour(hint.technique));
    emit spoken(statusMessage_);
    Explain(static_cast<int>(io::HintLevel::kFull));
    emit commandsChanged();
    emit boardChanged();
}

void GameController::PlayHint() {
    if (!engine_.PuzzleFixed || engine_.FilledCount >= 81 || ShowingStep()) return;
    emit pageRequested(kBoardPage); // a hint is shown on the board
    const HintDisplay hint = FindHint();
    if (hint.technique == 0) return;
    // Worked out before the step is played: it names what playing it does.
    const Engine unplayed = engine_;
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
    Notice(HintText(hint), HintColour(hint.technique));
    // The hint, then what playing it did.
    emit spoken(statusMessage_ + QStringLiteral(". ") +
                ChangesSpeech(texts_, before, CurrentPosition()));
    Explain(unplayed, static_cast<int>(io::HintLevel::kPlayed));
    emit commandsChanged();
    if (engine_.FilledCount == 81) FinishGame();
}

QString GameController::StepName(int technique) const {
    return NameOfStep(texts_, technique);
}

int GameController::AdvanceToTechnique(int technique) {
    if (!engine_.PuzzleFixed || ShowingStep()) return -1;
    std::vector<advanced::AdvancedStep> steps;
    const practice::HardestStep hardest = practice::FindHardestStep(engine_, &steps);
    // The first step of the technique; for one that the hint order pre-empts,
    // the first step of a technique that takes its place, where its own
    // finder finds one too.
    const bool preempted = !practice::PreemptersOf(technique).empty();
    int first = -1;
    if (preempted) {
        first = practice::PracticeStepIndex(engine_, technique, hardest, steps);
    } else if (hardest.technique != 0) {
        for (std::size_t i = 0; i < steps.size() && first < 0; ++i)
            if (steps[i].technique == technique) first = static_cast<int>(i);
    }
    if (first < 0) return -1;
    // From the givens, as the hints go: each step found by the hint driver is
    // the solve's own, so that the next one is the technique.
    const Snapshot start = CurrentPosition();
    for (int i = 0; i < first; ++i) {
        engine_.AdvancedLayer = true;
        engine_.FindNextTechnique();
        engine_.AdvancedLayer = false;
        if (engine_.HintTechnique != steps[static_cast<std::size_t>(i)].technique) {
            Restore(start); // not the solve's road: the game stays at its start
            return -1;
        }
        engine_.ApplyStep(engine_.HintTechnique);
    }
    ClearExplanation(); // the last game's hint is not this game's
    practiceFocus_ = {};
    if (preempted)
        practiceFocus_ = {technique, engine_.Givens, engine_.CellGrid[0], engine_.CandidateTable};
    ClearHighlights();
    filter_.Reset(board_.CellHighlight);
    if (first > 0) {
        history_.Push({kPlayedHint, -1, 0}, CurrentPosition());
        Enable(Command::Undo, true);
        Enable(Command::Restart, true);
        Enable(Command::Start, false);
        Enable(Command::Redo, false);
    }
    // What the player is practising stays in sight until the next move, as
    // the first game's tip does, rather than for the two seconds of a notice.
    statusMessage_ = texts_.Text(936).replace(QStringLiteral("%1"), StepName(technique));
    statusColour_ = HintColour(technique);
    messageTimer_.stop();
    emit statusChanged();
    emit spoken(statusMessage_);
    emit boardChanged();
    emit commandsChanged();
    return first;
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
