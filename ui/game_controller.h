// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The life of one game over an engine: modes, move history, filters, input,
// status messages and the clock. No painting here; the window listens to the
// signals and redraws.
#pragma once

#include "board_state.h"
#include "candidate_filter.h"
#include "commands.h"
#include "key_input.h"
#include "move_history.h"

#include "engine/engine.h"
#include "io/grid_text.h"
#include "io/saved_game.h"
#include "io/settings.h"
#include "print/game_state.h"

#include <QColor>
#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

namespace vemo::ui {

class TextSource;
struct HintDisplay;

enum Page : int { kBoardPage = 0, kCharacteristicsPage = 1, kSolutionPage = 2 };

inline const QColor kAlarmColour{237, 122, 116};

// The pop-up chooser of a cell: its items and where the "Exclure" section starts.
struct Chooser {
    bool visible = false;
    int cell = 0;
    QStringList items;
    int excludeIndex = 0; // 1 + the number of candidates of the "Jouer" section
};

class GameController : public QObject {
    Q_OBJECT

  public:
    explicit GameController(const TextSource& texts, QObject* parent = nullptr);

    Engine& Game() { return engine_; }
    const Engine& Game() const { return engine_; }
    const BoardState& Board() const { return board_; }
    const CandidateFilter& Filter() const { return filter_; }
    const MoveHistory& History() const { return history_; }
    const Chooser& CellChooser() const { return chooser_; }
    const TextSource& Texts() const { return texts_; }

    bool IsEnabled(Command c) const { return enabled_[Index(c)]; }
    bool HandEntry() const { return board_.HandEntry == 1; }
    const QString& StatusMessage() const { return statusMessage_; }
    const QColor& StatusColour() const { return statusColour_; }
    const QString& ClockText() const { return clockText_; }
    // The window caption: " Vemo Tarn :" and text 51 without its "&" for a
    // generated, started or pasted puzzle, else the puzzle file's name.
    QString Caption() const;
    const QString& VariantLabel() const { return variantLabel_; }
    const QString& CaptionSuffix() const { return captionSuffix_; }
    bool MessageTimerActive() const { return messageTimer_.isActive(); }
    bool ClockRunning() const { return clockTimer_.isActive(); }
    const QDateTime& StartTime() const { return startTime_; }

    int ErrorsMade = 0;
    int HintsShown = 0;
    int CompleteHintsShown = 0;
    int HintsPlayed = 0;
    int LoadFailed = 0;

    // Game control.
    void ResetPlayControls();
    // Clears the board's own per-cell state before a puzzle is read in.
    void ClearBoardState();
    // The puzzle is in level 0, Givens and SolutionGrid; ValidityStatus holds
    // the loader's check.
    void InstallPuzzle();
    // True when the last InstallPuzzle set a game up for play.
    bool InstallStarted() const { return installStarted_; }
    void OpenBlankGrid();
    void StartGame();
    void RestartGame();
    void ChooseVariant(int kind);
    void ToggleXSudoku();
    void SetCandidateDisplay(int mode);

    // Puzzle files and the clipboard. A file or a text that cannot be read
    // changes nothing but the status message.
    // The open command once a file is chosen: load, install, type command.
    void OpenFile(const QString& path);
    // The same for a file name as the system gives it, in any encoding.
    // `followType`: the type menu takes the file's type.
    void OpenFilePath(const std::string& path, bool followType = true);
    // What the save dialog proposes: the current file's name as a Sudoku file
    // beside it, or the example's name alone; empty for a puzzle that came
    // from no file.
    const QString& ProposedSavePath() const { return proposedSavePath_; }
    // After a file that was not set up for play: hand entry on the grid as it
    // is shown (the refused grid, or the empty one), ready to be corrected and
    // started.
    void StayInHandEntry();
    // An example puzzle: loaded and installed like a file, without touching
    // the recent files or the type menu.
    void OpenExample(const QString& path);
    // Hand entry is over (the examples command ends it, whatever is chosen).
    void EndHandEntry() { board_.HandEntry = 0; }
    // The recent entry k (1..5): dropped silently when its file is gone.
    void OpenRecent(int k);
    // Writes the save file; false with the reason when it cannot be written.
    bool SaveFile(const QString& path, QString* error);
    // The text of "Copier Sudoku" (false) or "Copier position actuelle" (true).
    QString CopyText(bool positionOnly) const;
    // Shows the copy message (509 or 510).
    void Copied(bool positionOnly);
    // "Coller": a puzzle from clipboard text, started like a loaded file.
    void Paste(const QString& text);
    // Asked once a new grid has been read and would replace the game in
    // progress; false keeps the game. None: the grid always replaces it.
    std::function<bool()> MayReplaceGame;
    io::RecentList RecentFiles{};

    // Generation settings and their labels. `band` is a Difficulty of the
    // generator (kFacile..kAleatoire) or a level of the scale (kDiabolique,
    // kDemoniaque).
    void ChooseDifficulty(int band);
    void ChooseSymmetry(int symmetry);
    int DifficultyBand() const { return difficultyBand_; }
    // The tooltip of "Nouveau (Généré)": suffix, type, band and symmetry.
    QString GenerateHint() const;
    // Relabels what the program composes itself after a language switch.
    void Retranslate();

    // "Générer": the settings of the attempts (variant and X choices applied)
    // for a worker's engine; the window shows the waiting state meanwhile.
    Engine BeginGeneration();
    // The worker's puzzle becomes the new game.
    void FinishGeneration(const Engine& generated);
    // The generation was cancelled: the game on the board comes back as it was.
    void CancelGeneration();
    bool GenerationRunning() const { return generating_; }
    // The attempt count of the running generation, in the status bar.
    void GenerationProgress(int attempts);

    // A status message in the printing colour (texts 511, 512).
    void PrintedNotice(int text);
    // A message in `colour` for two seconds.
    void Notice(const QString& message, const QColor& colour);

    // Hints: F6, F7, F8. Nothing happens unless a puzzle is being played.
    // Where the seventeen techniques find nothing, the step comes from the
    // advanced catalogue rather than from a trial.
    void ShowHint();
    void ShowCompleteHint();
    void PlayHint();
    // Practice: the game just installed is taken to the position where
    // `technique` is first needed. The steps before it, as the hints would
    // give them, are played as one move that "Annuler" takes back; the next
    // hint is then that technique. Says so in the status bar and returns the
    // number of steps played, or -1 (nothing changed) when the puzzle never
    // comes to the technique. For a technique that the hint order pre-empts
    // (practice::PreemptersOf), the hint at that position, and again whenever
    // the game comes back to it, is the technique's own step.
    int AdvanceToTechnique(int technique);
    // The name of a step, basic or advanced, in the window's language.
    QString StepName(int technique) const;

    // The last hint in words (the hint panel): the technique and its unit
    // (F6), the whole reasoning (F7), or what playing it did (F8). Empty once
    // the next move is made, a new game starts or it is put away.
    const QString& Explanation() const { return explanation_; }
    void ClearExplanation();
    // The position before step `step` (1..) of the logged solve, or of the
    // solve without guessing when `withoutGuessing`, with that step shown as
    // a complete hint; the game is kept aside until LeaveStep() puts it back
    // exactly. False, with nothing changed, when there is no such step.
    bool ShowLoggedStep(int step, bool withoutGuessing);
    void LeaveStep();
    bool ShowingStep() const { return stepBackup_ != nullptr; }

    // The drawing of a step over the board (BoardState::Drawing), until the
    // next move, the next hint or Esc; the board is redrawn.
    void SetHintDrawing(const advanced::HintDrawing& drawing);
    void ClearHintDrawing();

    // Move history.
    void PushMove(int kind, int cell, int digit);
    void Undo();
    void Redo();

    // Filters.
    void FilterDigit(int digit);
    void FilterPairs();
    void CancelFilter();

    // Input.
    void HandleKey(const KeyInput& key);
    // Moves the active cell by an arrow key without playing: the solution
    // picture read cell by cell.
    void MoveActiveCell(KeyInput::Kind arrow);
    void PointerOverBoard(int x, int y);
    void PointerOffBoard();
    void BoardPressed(int x, int y, bool shift);
    void ChooseItem(int index);
    void HideChooser();

    // A game in progress: a fixed puzzle, not finished, with at least one move
    // (done or undone) or one second played.
    bool GameInProgress() const;
    // At least one move made (done or undone) in the game on the board.
    bool HasMoves() const { return history_.MoveLevel() > 1 || history_.CanRedo(); }
    // A game in progress with at least one move, done or undone: what
    // abandoning it would lose.
    bool MovesWouldBeLost() const;
    // The whole game as it is kept between two runs.
    io::SavedGame SavedState() const;
    // Puts a kept game back: puzzle, marks, analysis, history, clock and
    // counters. False, and nothing changes, when the game does not fit.
    bool Resume(const io::SavedGame& game);
    // Seconds since the game's clock started.
    long long ElapsedSeconds() const;
    // The seconds the clock shows: at the last tick, and once the game is
    // finished its final time.
    long long ShownSeconds() const { return shownSeconds_; }
    // True the first time a finished game asks, until the next game starts:
    // a game counts once in the records, however often it is completed by redo.
    bool FirstFinish();

    // The standing message: language text 502 and the filled-cell count.
    void ShowCount();
    // On the empty board of the start: how to begin (text 584).
    void ShowHowToStart();
    // The status line of a newcomer's first game: how to start another.
    void ShowStartTip();
    void Alarm(const QString& message);
    void SetStatusColourToNormal();

    // The timers' work, callable directly.
    void MessageTimerFired();
    void ClockTick();

  signals:
    void boardChanged();
    void solutionChanged();
    void statusChanged();
    void commandsChanged();
    void pagesChanged();
    void pageRequested(int page);
    void chooserChanged();
    void captionChanged();
    void clockChanged();
    void gameFinished();
    // A result to be read out at once by a screen reader.
    void spoken(const QString& text);
    // The hint panel's text changed (it may be empty).
    void explanationChanged();

  private:
    void Enable(Command c, bool on);
    void ShowMessages(const std::vector<int>& messages, const QString& detail = {});
    // True when the file's grid is on the board: in play, or in hand entry
    // when it cannot be played.
    bool LoadAndInstall(const std::string& path);
    // A grid that cannot be played stays on the board in hand entry, with the
    // reason in the status bar, to be mended and started with "Commencer".
    void KeepForHandEntry(const QString& message);
    // True when the analysis proved that the grid has no solution.
    bool HasNoSolution() const { return engine_.SolutionCount == 0 && !engine_.SearchAbandoned; }
    // The status text of a complete or played hint.
    QString HintText(const HintDisplay& hint) const;
    void EnableHints(bool on);
    void ClearAnalysis();
    void StartClock();
    void StopClock();
    // A game starts: the clock from now and the four counters at 0.
    void StartClockAfresh();
    void ZeroCounters();
    Snapshot CurrentPosition() const;
    void Restore(const Snapshot& s);
    void PlacementMove(int cell, int digit);
    void FinishGame();
    void HandEntryKey(const KeyInput& key, int cell);
    void PlayKey(const KeyInput& key, int cell);
    void ToggleBar(int cell, int direction);
    void ClearHandCell(int cell);
    // The hint's highlights and its drawing go together.
    void ClearHighlights() {
        board_.CellHighlight.fill(kNoMark);
        board_.Drawing = {};
    }
    // The next step on the board: the seventeen techniques, then the advanced
    // catalogue, then a trial. The step in HintTechnique, as described for
    // the complete hint.
    HintDisplay FindHint();
    // The step already found in HintTechnique, as the complete hint shows it.
    HintDisplay FindHintShown() const;
    // The explanation of the step just found in `position`, at `level`
    // (io::HintLevel).
    QString ExplainFound(const Engine& position, int level) const;
    // Shows the explanation of the step just found, at `level`, and keeps
    // the position it was found in, so that a change of language says it
    // again in the new one (after F8 the step is played, and what it did is
    // told from the position before it).
    void Explain(int level);
    void Explain(const Engine& position, int level);
    // The step's colour: its technique's, basic or advanced.
    QColor HintColour(int technique) const;

    const TextSource& texts_;
    Engine engine_;
    BoardState board_;
    CandidateFilter filter_;
    MoveHistory history_;
    Chooser chooser_;
    std::array<bool, kCommandCount> enabled_{};
    QString statusMessage_;
    QColor statusColour_;
    QString explanation_;
    // The position and level the explanation was worked out from.
    std::shared_ptr<const Engine> explained_;
    int explainedLevel_ = 0;
    // Where a practice game's first hint asks a pre-empted technique's finder
    // rather than the hint order: the game and its position there.
    struct PracticeFocus {
        int technique = 0; // 0: none
        Grid givens{};
        Grid cells{};
        Candidates candidates = Candidates::Full();
    };
    PracticeFocus practiceFocus_;
    // True, with the step in HintTechnique and AdvancedHint, when the board
    // stands at the practice focus and the technique finds its step there.
    bool FindFocusedHint();
    // The game put aside while a step of the listing is shown.
    struct StepBackup {
        Engine engine;
        BoardState board;
        CandidateFilter filter;
        std::array<bool, kCommandCount> enabled;
        QString statusMessage;
        QColor statusColour;
        bool clockRunning;
    };
    std::unique_ptr<StepBackup> stepBackup_;
    QString clockText_;
    // Null for the new-puzzle caption, which follows the language.
    QString caption_ = QStringLiteral(" Vemo Tarn");
    QString proposedSavePath_;
    QString variantLabel_;
    QString captionSuffix_;
    QDateTime startTime_;
    long long shownSeconds_ = 0;
    int difficultyBand_ = 0;
    QString difficultyLabel_;
    QString symmetryLabel_;
    // What a cancelled generation puts back.
    struct Backup {
        std::array<bool, kCommandCount> enabled;
        QString statusMessage;
        QColor statusColour;
        QString caption;
        QString clockText;
        bool clockRunning;
        BoardState board;
        CandidateFilter filter;
    };
    std::unique_ptr<Backup> backup_;
    bool generating_ = false;
    bool finishCounted_ = false;
    bool installStarted_ = false;
    QTimer messageTimer_;
    QTimer clockTimer_;
};

} // namespace vemo::ui
