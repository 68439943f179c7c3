// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_controller.h"

#include "announcer.h"
#include "texts.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTime>

namespace vemo::ui {

namespace {

constexpr int kVariantTexts[4] = {89, 90, 91, 93};

} // namespace

GameController::GameController(const TextSource& texts, QObject* parent)
    : QObject(parent), texts_(texts), statusColour_(ButtonFaceColour()) {
    enabled_.fill(true);
    messageTimer_.setSingleShot(true);
    messageTimer_.setInterval(2000);
    clockTimer_.setInterval(1000);
    connect(&messageTimer_, &QTimer::timeout, this, &GameController::MessageTimerFired);
    connect(&clockTimer_, &QTimer::timeout, this, &GameController::ClockTick);

    // Start-up: hand entry on an empty grid with empty statistics.
    variantLabel_ = TrimLeft(texts_.Text(kVariantTexts[kClassic]));
    ResetPlayControls();
    engine_.ClearPuzzle();
    engine_.PuzzleFixed = false;
    ClearAnalysis();
    engine_.ComputeCandidates();
    ShowCount();
}

// ---- Helpers -------------------------------------------------------------------

void GameController::Enable(Command c, bool on) {
    enabled_[Index(c)] = on;
}

void GameController::EnableHints(bool on) {
    Enable(Command::Hint, on);
    Enable(Command::CompleteHint, on);
    Enable(Command::PlayHint, on);
}

void GameController::ClearAnalysis() {
    engine_.TechniqueCounters.fill(0);
    engine_.StepLog.fill(StepEntry{});
    engine_.StepCount = kStepLogSize;
    engine_.SolutionCount = 0;
}

void GameController::StartClock() {
    clockTimer_.start();
    ClockTick();
}

void GameController::StopClock() {
    clockTimer_.stop();
}

void GameController::StartClockAfresh() {
    practiceFocus_ = {}; // a new game is no practice until taken to its technique
    startTime_ = QDateTime::currentDateTime();
    finishCounted_ = false;
    StartClock();
    ZeroCounters();
}

void GameController::ZeroCounters() {
    HintsShown = CompleteHintsShown = HintsPlayed = ErrorsMade = 0;
}

Snapshot GameController::CurrentPosition() const {
    return {engine_.Position(), engine_.CandidateTable, engine_.FilledCount};
}

void GameController::Restore(const Snapshot& s) {
    engine_.Position() = s.cells;
    engine_.CandidateTable = s.candidates;
    engine_.FilledCount = s.filledCount;
}

void GameController::ShowCount() {
    statusMessage_ = texts_.Text(502) + QString::number(engine_.FilledCount);
    // A normal message on the normal ground: an alarm's colour goes with it.
    statusColour_ = ButtonFaceColour();
    messageTimer_.stop();
    emit statusChanged();
}

void GameController::ShowHowToStart() {
    if (!HandEntry() || engine_.FilledCount != 0) return;
    ShowCount();
    statusMessage_ = texts_.Text(584);
    emit statusChanged();
}

void GameController::ShowStartTip() {
    ShowCount();
    statusMessage_ = texts_.Text(584);
    emit statusChanged();
}

void GameController::Alarm(const QString& message) {
    statusMessage_ = message;
    statusColour_ = kAlarmColour;
    messageTimer_.start();
    emit statusChanged();
    emit spoken(message);
}

void GameController::SetStatusColourToNormal() {
    statusColour_ = ButtonFaceColour();
    emit statusChanged();
}

void GameController::MessageTimerFired() {
    ShowCount();
    emit boardChanged();
    statusColour_ = ButtonFaceColour();
    messageTimer_.stop();
    emit statusChanged();
}

void GameController::ClockTick() {
    // Only the time of day of the elapsed time is shown, so a game past 24
    // hours wraps to zero hours.
    const qint64 seconds = std::max<qint64>(0, startTime_.secsTo(QDateTime::currentDateTime()));
    shownSeconds_ = seconds;
    const QTime elapsed = QTime(0, 0).addSecs(static_cast<int>(seconds % 86400));
    clockText_ = texts_.Text(514) + QStringLiteral(" : ") + QLatin1Char(' ') +
                 elapsed.toString(QStringLiteral("hh:mm:ss"));
    emit clockChanged();
}

// ---- Game control ----------------------------------------------------------------

void GameController::ResetPlayControls() {
    Enable(Command::Undo, false);
    Enable(Command::Redo, false);
    EnableHints(false);
    Enable(Command::Start, false);
    Enable(Command::Restart, false);
    filter_.Cancel(board_.CellHighlight);
    emit commandsChanged();
}

void GameController::ClearBoardState() {
    HideChooser();
    ClearHighlights();
    board_.ActiveRow = 4;
    board_.ActiveColumn = 4;
}

void GameController::InstallPuzzle() {
    ClearExplanation();
    installStarted_ = false;
    emit pageRequested(kBoardPage); // the new puzzle, not its solution
    ResetPlayControls();
    ClearAnalysis();
    history_.Rewind();
    emit pagesChanged();
    emit solutionChanged();

    if (LoadFailed == 1 || engine_.ValidityStatus != 0) {
        LoadFailed = 0;
        engine_.ValidityStatus = 0;
        return;
    }

    engine_.AnalysePuzzle();
    if (HasNoSolution()) {
        KeepForHandEntry(texts_.Text(504) + texts_.Text(583));
        return;
    }
    emit pagesChanged();
    emit solutionChanged();
    engine_.ComputeCandidates();
    emit boardChanged();

    board_.HandEntry = 0;
    engine_.PuzzleFixed = true;
    installStarted_ = true;
    EnableHints(true);
    emit commandsChanged();

    StartClockAfresh();
    history_.Reset(CurrentPosition());

    if (engine_.SearchAbandoned) {
        Alarm(texts_.Text(504)); // no answer within the search's budget
    } else if (engine_.SolutionCount < 2) {
        ShowCount();
    } else {
        Alarm(texts_.Text(504) + texts_.Text(505));
    }
}

void GameController::OpenBlankGrid() {
    ClearExplanation();
    engine_.VariantKind = engine_.VariantChoice;
    ChooseVariant(engine_.VariantChoice);
    Enable(Command::CopyPosition, engine_.VariantKind == kClassic);
    engine_.XSudoku = engine_.XSudokuChoice;
    // Flipped here and back by the command, which refreshes its label.
    engine_.XSudokuChoice = 1 - engine_.XSudokuChoice;
    ToggleXSudoku();

    HideChooser();
    emit pageRequested(kBoardPage);
    ResetPlayControls();

    engine_.ClearPuzzle();
    proposedSavePath_.clear(); // an empty grid is no file's
    ClearHighlights();
    board_.ActiveRow = 4;
    board_.ActiveColumn = 4;
    board_.HandEntry = 1;
    engine_.PuzzleFixed = false;
    engine_.ResetNeighbourMarks();
    engine_.ResetParityMarks();

    engine_.ComputeCandidates();
    ShowCount();
    // Hand entry says so, and how to start the grid.
    statusMessage_ = texts_.Text(585);
    emit statusChanged();
    ClearAnalysis();
    emit pagesChanged();

    clockText_.clear();
    StopClock();
    emit clockChanged();
    emit boardChanged();
    emit solutionChanged();
}

void GameController::StartGame() {
    ClearExplanation();
    engine_.ValidityGrid = engine_.Position();
    engine_.CheckValidity();
    if (engine_.ValidityStatus != 0) {
        QString message = texts_.Text(504);
        if (engine_.ValidityStatus == 2) message += texts_.Text(505);
        if (engine_.ValidityStatus == 3) message += texts_.Text(506);
        Alarm(message);
        ResetPlayControls();
        return;
    }

    // Fixed while it is analysed: the unshaded cells of an odd/even grid are odd.
    engine_.PuzzleFixed = true;
    engine_.AnalysePuzzle();
    if (HasNoSolution()) {
        // The grid stays as entered, to be mended.
        engine_.PuzzleFixed = false;
        engine_.SolutionGrid = engine_.Position();
        ClearAnalysis();
        emit pagesChanged();
        emit solutionChanged();
        engine_.ComputeCandidates();
        ResetPlayControls();
        Enable(Command::Start, true);
        emit commandsChanged();
        emit boardChanged();
        Alarm(texts_.Text(504) + texts_.Text(583));
        return;
    }
    board_.HandEntry = 0;
    engine_.PuzzleFixed = true;
    emit solutionChanged();
    history_.Rewind();
    engine_.ComputeCandidates();
    emit boardChanged();
    emit pagesChanged();
    EnableHints(true);
    Enable(Command::Start, false);
    emit commandsChanged();
    StartClockAfresh();
    history_.Reset(CurrentPosition());

    caption_ = QString(); // the new-puzzle caption, in the language in use
    proposedSavePath_.clear();
    emit captionChanged();

    if (engine_.SearchAbandoned)
        Alarm(texts_.Text(504)); // no answer within the search's budget
    else if (engine_.SolutionCount > 1)
        Alarm(texts_.Text(504) + texts_.Text(505));
}

void GameController::RestartGame() {
    ClearExplanation();
    if (!engine_.PuzzleFixed) return;
    emit pageRequested(kBoardPage);
    engine_.Position() = engine_.Givens;
    engine_.ComputeCandidates();
    ShowCount();

    ResetPlayControls();
    EnableHints(true);
    emit commandsChanged();

    const PracticeFocus focus = practiceFocus_; // the same game: still a practice
    StartClockAfresh();
    practiceFocus_ = focus;

    // Level 1 is saved again: after a very long game the oldest levels, the
    // starting one among them, may have been dropped.
    history_.Reset(CurrentPosition());
    ClearHighlights();
    emit boardChanged();
}

void GameController::FinishGame() {
    EnableHints(false);
    emit commandsChanged();
    StopClock();
    // The final time on the clock is the one the records keep.
    ClockTick();
    emit spoken(texts_.Text(711) + QLatin1Char(' ') + clockText_);
    emit gameFinished();
}

void GameController::ChooseVariant(int kind) {
    if (kind < kClassic || kind > kOddEven) return;
    engine_.VariantChoice = kind;
    if (!engine_.PuzzleFixed) {
        engine_.VariantKind = kind;
        Enable(Command::CopyPosition, kind == kClassic);
        engine_.ComputeCandidates();
        emit boardChanged();
    }
    variantLabel_ = TrimLeft(texts_.Text(kVariantTexts[kind]));
    emit commandsChanged();
}

void GameController::ToggleXSudoku() {
    engine_.XSudokuChoice = 1 - engine_.XSudokuChoice;
    captionSuffix_ = engine_.XSudokuChoice == 1 ? QStringLiteral(" X") : QString();
    if (!engine_.PuzzleFixed) {
        engine_.XSudoku = engine_.XSudokuChoice;
        engine_.ComputeCandidates();
        emit boardChanged();
    }
    emit commandsChanged();
}

void GameController::SetCandidateDisplay(int mode) {
    if (mode < kShowNoCandidates || mode > kShowActiveCell) return;
    board_.CandidateDisplay = mode;
    emit commandsChanged();
    emit boardChanged();
}

// ---- Move history ----------------------------------------------------------------

void GameController::PushMove(int kind, int cell, int digit) {
    board_.Drawing = {}; // the move's caller redraws the board
    ClearExplanation();
    history_.Push({kind, cell, digit}, CurrentPosition());
    Enable(Command::Undo, true);
    Enable(Command::Restart, true);
    Enable(Command::Start, false);
    Enable(Command::Redo, false);
    emit commandsChanged();
    if (kind == kPlacedDigit) ShowCount();
}

void GameController::Undo() {
    ClearExplanation();
    if (!history_.CanUndo()) return;
    ClearHighlights();
    HideChooser();
    filter_.Reset(board_.CellHighlight);
    const Snapshot left = CurrentPosition();
    history_.Undo();
    Enable(Command::Redo, true);
    Enable(Command::Restart, true);
    Enable(Command::Start, false);
    EnableHints(true);
    // A completed game's clock starts again from the game's own start time.
    StartClock();
    if (history_.MoveLevel() == 1) {
        Enable(Command::Undo, false);
        Enable(Command::Start, false);
        Enable(Command::Restart, false);
    }
    emit commandsChanged();
    Restore(history_.Current());
    ShowCount();
    emit boardChanged();
    emit spoken(texts_.Text(705) + ChangesSpeech(texts_, history_.Current(), left));
}

void GameController::Redo() {
    ClearExplanation();
    if (!history_.CanRedo()) return;
    board_.Drawing = {};
    filter_.Reset(board_.CellHighlight);
    HideChooser();
    const Snapshot left = CurrentPosition();
    history_.Redo();
    Enable(Command::Undo, true);
    Enable(Command::Restart, true);
    if (!history_.CanRedo()) Enable(Command::Redo, false);
    emit commandsChanged();
    Restore(history_.Current());
    ShowCount();
    emit boardChanged();
    emit spoken(texts_.Text(706) + ChangesSpeech(texts_, left, history_.Current()));
    if (engine_.FilledCount == 81) FinishGame();
}

// ---- Filters ---------------------------------------------------------------------

void GameController::FilterDigit(int digit) {
    filter_.ToggleDigit(digit, board_.CellHighlight, engine_.CandidateTable);
    emit commandsChanged();
    emit boardChanged();
}

void GameController::FilterPairs() {
    filter_.TogglePairs(board_.CellHighlight, engine_.CandidateTable);
    emit commandsChanged();
    emit boardChanged();
}

void GameController::CancelFilter() {
    filter_.Cancel(board_.CellHighlight);
    emit commandsChanged();
    emit boardChanged();
}

// ---- Input -----------------------------------------------------------------------

void GameController::PlacementMove(int cell, int digit) {
    engine_.PlaceDigit(cell, digit);
    ClearHighlights();
    filter_.Reset(board_.CellHighlight);
    emit commandsChanged();
    PushMove(kPlacedDigit, cell, digit);
    emit spoken(PlacedSpeech(texts_, cell, digit));
}

void GameController::MoveActiveCell(KeyInput::Kind arrow) {
    if (arrow == KeyInput::Kind::Down && board_.ActiveRow < 8) ++board_.ActiveRow;
    if (arrow == KeyInput::Kind::Up && board_.ActiveRow > 0) --board_.ActiveRow;
    if (arrow == KeyInput::Kind::Right && board_.ActiveColumn < 8) ++board_.ActiveColumn;
    if (arrow == KeyInput::Kind::Left && board_.ActiveColumn > 0) --board_.ActiveColumn;
    emit boardChanged();
    emit solutionChanged();
}

void GameController::HandleKey(const KeyInput& key) {
    emit pageRequested(kBoardPage);
    board_.ActiveCellShown = 1;
    if (key.kind == KeyInput::Kind::Shift) {
        emit boardChanged();
        return;
    }
    HideChooser();
    switch (key.kind) {
    case KeyInput::Kind::Down:
        if (board_.ActiveRow < 8) ++board_.ActiveRow;
        break;
    case KeyInput::Kind::Up:
        if (board_.ActiveRow > 0) --board_.ActiveRow;
        break;
    case KeyInput::Kind::Right:
        if (board_.ActiveColumn < 8) ++board_.ActiveColumn;
        break;
    case KeyInput::Kind::Left:
        if (board_.ActiveColumn > 0) --board_.ActiveColumn;
        break;
    default:
        break;
    }
    const int cell = board_.ActiveRow * 9 + board_.ActiveColumn;
    if (engine_.PuzzleFixed && !HandEntry()) {
        PlayKey(key, cell);
    } else if (HandEntry()) {
        HandEntryKey(key, cell);
    }
    emit boardChanged();
    emit solutionChanged();
}

void GameController::PlayKey(const KeyInput& key, int cell) {
    bool placed = false;
    if (key.kind == KeyInput::Kind::Enter) {
        if (engine_.CandidateTable.Count(cell) == 1) {
            PlacementMove(cell, engine_.CandidateTable.LowestDigit(cell));
            placed = true;
        }
    } else if (key.kind == KeyInput::Kind::Digit && key.digit >= 1) {
        const int d = key.digit;
        if (!key.ctrl) {
            if (engine_.SolutionGrid[cell] == d && engine_.Position()[cell] == 0) {
                PlacementMove(cell, d);
                placed = true;
            } else if (engine_.Position()[cell] == 0) {
                Alarm(texts_.Text(507));
                ++ErrorsMade;
            } else {
                Alarm(texts_.Text(508));
            }
        } else if (engine_.SolutionGrid[cell] == d || !engine_.CandidateTable.Has(cell, d)) {
            Alarm(texts_.Text(507));
            ++ErrorsMade;
        } else {
            engine_.CandidateTable.Remove(cell, d);
            PushMove(kRemovedCandidate, cell, d);
            emit spoken(RemovedSpeech(texts_, cell, d));
        }
    }
    emit boardChanged();
    // Only the move that fills the grid finishes the game; an arrow key on a
    // completed grid does not show the congratulations again.
    if (placed && engine_.FilledCount == 81) FinishGame();
}

void GameController::HandEntryKey(const KeyInput& key, int cell) {
    Grid& grid = engine_.Position();
    if (key.kind == KeyInput::Kind::Enter) {
        if (engine_.CandidateTable.Count(cell) == 1) {
            engine_.PlaceDigit(cell, engine_.CandidateTable.LowestDigit(cell));
            emit boardChanged();
        }
        return;
    }
    int v = -1;
    if (key.kind == KeyInput::Kind::Digit) v = key.digit;
    if (key.kind == KeyInput::Kind::Delete) v = 0;
    if (v < 0) return;
    const bool accepted = grid[cell] != 0 || (v >= 1 && engine_.CandidateTable.Has(cell, v));
    if (!accepted) return;

    const auto write = [&](int value) {
        grid[cell] = engine_.Givens[cell] = engine_.SolutionGrid[cell] =
            static_cast<std::uint8_t>(value);
    };
    const int old = grid[cell];
    write(v);
    // An odd digit keeps the mark the cell had; a refused even digit keeps its
    // mark too, as the entry is undone on the grids only.
    if (v >= 2 && v % 2 == 0) engine_.ParityMarks[cell] = 2;
    if (v == 0) engine_.ParityMarks[cell] = 1;
    emit solutionChanged();
    engine_.ComputeCandidates();
    Enable(Command::Start, true);
    emit commandsChanged();

    engine_.ValidityGrid = grid;
    engine_.CheckValidity();
    if (engine_.ValidityStatus == 1) write(old);
    if (engine_.ValidityStatus == 3) {
        write(0);
        engine_.ComputeCandidates();
        emit boardChanged();
        Alarm(texts_.Text(504) + texts_.Text(506));
        return;
    }
    engine_.ComputeCandidates();
    emit boardChanged();
    ShowCount();
}

void GameController::PointerOverBoard(int x, int y) {
    board_.ActiveCellShown = 1;
    board_.ActiveColumn = std::clamp(x / kCellSize, 0, 8);
    board_.ActiveRow = std::clamp(y / kCellSize, 0, 8);
    emit boardChanged();
}

void GameController::PointerOffBoard() {
    board_.ActiveCellShown = 0;
    emit boardChanged();
}

void GameController::HideChooser() {
    if (!chooser_.visible && !board_.ChooserVisible) return;
    chooser_.visible = false;
    board_.ChooserVisible = false;
    emit chooserChanged();
}

void GameController::ToggleBar(int cell, int direction) {
    static constexpr int kOffsets[5] = {0, 1, 9, -1, -9};
    const int neighbour = cell + kOffsets[direction];
    const int opposite = (direction + 1) % 4 + 1;
    NeighbourRecord& a = engine_.NeighbourMarks[cell];
    NeighbourRecord& b = engine_.NeighbourMarks[neighbour];
    if (a[direction] == 0) {
        a[direction] = b[opposite] = 1;
        ++a[0];
        ++b[0];
    } else {
        a[direction] = b[opposite] = 0;
        --a[0];
        --b[0];
    }
}

void GameController::BoardPressed(int x, int y, bool shift) {
    const int row = std::clamp(y / kCellSize, 0, 8);
    const int column = std::clamp(x / kCellSize, 0, 8);
    const int cell = row * 9 + column;
    const Candidates& cands = engine_.CandidateTable;

    const auto open = [&](QStringList items, int excludeIndex) {
        chooser_ = {true, cell, std::move(items), excludeIndex};
        board_.ChooserVisible = true;
        emit chooserChanged();
        emit boardChanged();
    };
    QStringList digits;
    for (int d = 1; d <= 9; ++d)
        if (cands.Has(cell, d)) digits << QString::number(d);

    if (engine_.PuzzleFixed && !HandEntry()) {
        chooser_.cell = cell;
        if (engine_.Position()[cell] != 0) {
            HideChooser();
            return;
        }
        QStringList items{QStringLiteral(" -"), QStringLiteral("Jouer")};
        items << digits << QStringLiteral("Exclure") << digits;
        open(items, 1 + static_cast<int>(digits.size()));
        return;
    }
    if (!HandEntry()) return;

    chooser_.cell = cell;
    const int kind = engine_.VariantKind;
    if (kind == kClassic || kind == kNonConsecutive || !shift) {
        QStringList items{QStringLiteral(" -"), QStringLiteral("Candidats")};
        items << digits;
        open(items, 0);
        return;
    }
    if (kind == kConsecutive) {
        const int xi = x - column * kCellSize;
        const int yi = y - row * kCellSize;
        const int s = kCellSize;
        const bool midY = 10 < yi && yi < s - 10;
        const bool midX = 10 < xi && xi < s - 10;
        if (xi < 10 && midY && column > 0)
            ToggleBar(cell, 3);
        else if (xi > s - 10 && midY && column < 8)
            ToggleBar(cell, 1);
        else if (yi < 10 && midX && row > 0)
            ToggleBar(cell, 4);
        else if (yi > s - 10 && midX && row < 8)
            ToggleBar(cell, 2);
    } else {
        engine_.ParityMarks[cell] = 2;
    }
    Enable(Command::Start, true);
    emit commandsChanged();
    engine_.ComputeCandidates();
    emit boardChanged();
}

void GameController::ClearHandCell(int cell) {
    engine_.Position()[cell] = engine_.Givens[cell] = engine_.SolutionGrid[cell] = 0;
}

void GameController::ChooseItem(int index) {
    if (!chooser_.visible || index < 0 || index >= chooser_.items.size()) return;
    const QString t = chooser_.items[index];
    const int cell = chooser_.cell;
    bool placed = false;
    const bool label = t == QLatin1String(" -") || t == QLatin1String("Jouer") ||
                       t == QLatin1String("Exclure") || t == QLatin1String("Candidats");

    if (engine_.PuzzleFixed && !HandEntry()) {
        if (!label) {
            const int d = t.toInt();
            if (index >= chooser_.excludeIndex + 1) {
                if (engine_.SolutionGrid[cell] == d) {
                    Alarm(texts_.Text(507));
                    ++ErrorsMade;
                } else {
                    engine_.CandidateTable.Remove(cell, d);
                    PushMove(kRemovedCandidate, cell, d);
                    emit spoken(RemovedSpeech(texts_, cell, d));
                }
            } else if (engine_.SolutionGrid[cell] != d) {
                Alarm(texts_.Text(507));
                ++ErrorsMade;
            } else {
                PlacementMove(cell, d);
                placed = true;
            }
        }
    } else if (HandEntry()) {
        if (!label) {
            const int d = t.toInt();
            engine_.PlaceDigit(cell, d);
            engine_.Givens[cell] = engine_.SolutionGrid[cell] = static_cast<std::uint8_t>(d);
            if (d % 2 == 0) engine_.ParityMarks[cell] = 2;
            emit solutionChanged();
            Enable(Command::Start, true);
            emit commandsChanged();
            engine_.ValidityGrid = engine_.Position();
            engine_.CheckValidity();
            if (engine_.ValidityStatus == 3) {
                ClearHandCell(cell);
                engine_.ComputeCandidates();
                emit boardChanged();
                Alarm(texts_.Text(504) + texts_.Text(506));
                HideChooser();
                return;
            }
            engine_.ComputeCandidates();
            ShowCount();
        } else if (t == QLatin1String(" -")) {
            ClearHandCell(cell);
            engine_.ParityMarks[cell] = 1;
            engine_.ComputeCandidates();
            ShowCount();
        }
    }
    HideChooser();
    emit boardChanged();
    emit solutionChanged();
    // A full grid finishes a game being played; completing a hand-entered grid
    // is no victory.
    if (placed && engine_.FilledCount == 81) FinishGame();
}

} // namespace vemo::ui
