// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game kept between two runs: what is saved when the window closes and
// put back at the next start.
#include "game_controller.h"
#include "texts.h"

namespace vemo::ui {

// The saved game holds exactly what the history can: its levels and its moves.
static_assert(MoveHistory::kTopLevel == io::kSavedLevelLimit);
static_assert(kPlayedHint == io::kSavedHintMove);

namespace {

std::array<int, 81> ToInts(const Grid& grid) {
    std::array<int, 81> values{};
    for (int c = 0; c < 81; ++c) values[c] = grid[c];
    return values;
}

Grid ToGrid(const std::array<int, 81>& values) {
    Grid grid;
    for (int c = 0; c < 81; ++c) grid[c] = static_cast<std::uint8_t>(values[c]);
    return grid;
}

io::SavedLevel ToSavedLevel(const Snapshot& s) {
    io::SavedLevel level;
    level.cells = ToInts(s.cells);
    for (int c = 0; c < 81; ++c) level.candidates[c] = static_cast<int>(s.candidates.Mask(c));
    level.filledCount = s.filledCount;
    return level;
}

Snapshot ToSnapshot(const io::SavedLevel& level) {
    Snapshot s;
    s.cells = ToGrid(level.cells);
    s.candidates = Candidates{};
    for (int c = 0; c < 81; ++c)
        for (int d = 1; d <= 9; ++d)
            if ((level.candidates[c] >> (d - 1) & 1) != 0) s.candidates.Add(c, d);
    s.filledCount = level.filledCount;
    return s;
}

} // namespace

long long GameController::ElapsedSeconds() const {
    if (!startTime_.isValid()) return 0;
    return std::max<qint64>(0, startTime_.secsTo(QDateTime::currentDateTime()));
}

bool GameController::FirstFinish() {
    if (finishCounted_) return false;
    finishCounted_ = true;
    return true;
}

bool GameController::GameInProgress() const {
    if (!engine_.PuzzleFixed || generating_ || board_.HandEntry == 1 || engine_.FilledCount >= 81)
        return false;
    return history_.MoveLevel() > 1 || history_.CanRedo() || ElapsedSeconds() >= 1;
}

bool GameController::MovesWouldBeLost() const {
    return GameInProgress() && (history_.MoveLevel() > 1 || history_.CanRedo());
}

io::SavedGame GameController::SavedState() const {
    io::SavedGame g;
    g.variantKind = engine_.VariantKind;
    g.xSudoku = engine_.XSudoku;
    g.givens = ToInts(engine_.Givens);
    g.solution = ToInts(engine_.SolutionGrid);
    g.parity = engine_.ParityMarks;
    g.neighbours = engine_.NeighbourMarks;
    g.techniqueCounters = engine_.TechniqueCounters;
    g.ratingDone = engine_.RatingDone;
    g.stepCount = engine_.StepCount;
    g.solutionCount = engine_.SolutionCount;
    for (int k = 1; k <= kStepLogSize; ++k) {
        g.steps[k - 1].technique = engine_.StepLog[k].technique;
        g.steps[k - 1].record = engine_.StepLog[k].record.Flatten();
    }
    g.caption = caption_.isNull() ? std::string() : caption_.toStdString();
    g.elapsedSeconds = ElapsedSeconds();
    g.errorsMade = ErrorsMade;
    g.hintsShown = HintsShown;
    g.completeHintsShown = CompleteHintsShown;
    g.hintsPlayed = HintsPlayed;
    const int last = history_.LastLevel();
    for (int level = 1; level <= last; ++level) {
        io::SavedLevel saved = ToSavedLevel(history_.At(level));
        if (level < last) {
            const MoveRecord& move = history_.Record(level);
            saved.moveKind = move.kind;
            saved.moveCell = move.cell;
            saved.moveDigit = move.digit;
        }
        g.levels.push_back(saved);
    }
    g.level = history_.MoveLevel();
    return g;
}

bool GameController::Resume(const io::SavedGame& g) {
    std::vector<Snapshot> levels;
    std::vector<MoveRecord> moves;
    for (std::size_t k = 0; k < g.levels.size(); ++k) {
        levels.push_back(ToSnapshot(g.levels[k]));
        if (k + 1 < g.levels.size())
            moves.push_back({g.levels[k].moveKind, g.levels[k].moveCell, g.levels[k].moveDigit});
    }
    MoveHistory history = history_;
    if (!history.Load(levels, moves, g.level)) return false;
    const Snapshot& current = history.Current();
    if (current.filledCount >= 81) return false; // a finished game is not resumed

    HideChooser();
    ResetPlayControls();
    ClearHighlights();
    history_ = history;
    engine_.HistoryLevel = 0;
    engine_.VariantKind = g.variantKind;
    engine_.XSudoku = g.xSudoku;
    engine_.Givens = ToGrid(g.givens);
    engine_.SolutionGrid = ToGrid(g.solution);
    engine_.ParityMarks = g.parity;
    engine_.NeighbourMarks = g.neighbours;
    engine_.TechniqueCounters = g.techniqueCounters;
    engine_.RatingDone = g.ratingDone;
    engine_.StepCount = g.stepCount;
    engine_.SolutionCount = g.solutionCount;
    engine_.StepLog.fill(StepEntry{});
    for (int k = 1; k <= kStepLogSize; ++k) {
        const io::SavedStep& step = g.steps[k - 1];
        StepEntry& entry = engine_.StepLog[k];
        entry.technique = step.technique;
        const auto& r = step.record;
        entry.record.diagonal = r[0];
        for (int i = 0; i < 14; ++i) entry.record.cells[i] = r[1 + i];
        entry.record.count = r[15];
        entry.record.spare = r[16];
        for (int i = 0; i < 15; ++i) entry.record.digits[i] = r[17 + i];
    }
    Restore(current);
    engine_.PuzzleFixed = true;
    board_.HandEntry = 0;
    ChooseVariant(engine_.VariantKind);
    captionSuffix_ = engine_.XSudoku == 1 ? QStringLiteral(" X") : QString();
    caption_ = g.caption.empty() ? QString() : QString::fromStdString(g.caption);

    EnableHints(true);
    Enable(Command::CopyPosition, engine_.VariantKind == kClassic);
    Enable(Command::Undo, history_.CanUndo());
    Enable(Command::Redo, history_.CanRedo());
    Enable(Command::Restart, history_.CanUndo());
    Enable(Command::Start, false);

    startTime_ = QDateTime::currentDateTime().addSecs(-g.elapsedSeconds);
    finishCounted_ = false;
    ErrorsMade = g.errorsMade;
    HintsShown = g.hintsShown;
    CompleteHintsShown = g.completeHintsShown;
    HintsPlayed = g.hintsPlayed;
    StartClock();

    emit commandsChanged();
    emit captionChanged();
    emit pagesChanged();
    emit solutionChanged();
    board_.ActiveCellShown = 1; // the frame of the active cell, as in a new game
    emit boardChanged();
    ShowCount();
    return true;
}

} // namespace vemo::ui
