// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window: menus and toolbars built from the command table, the three
// pages, the status bar, and the routing of keys and clicks to the game.
#pragma once

#include "commands.h"
#include "game_controller.h"
#include "language_texts.h"
#include "look.h"

#include "io/records.h"
#include "print/print_job.h"

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QFrame;
class QLabel;
class QLockFile;
class QPainter;
class QPrinter;
class QProgressBar;
class QPushButton;
class QToolButton;
class QTabWidget;
class QToolBar;
class QTextBrowser;
class QTranslator;

namespace vemo::ui {

class Announcer;
class BoardWidget;
class CharacteristicsPage;
class ChooserWidget;
class StatusPanel;
class GenerationTask;
class PoolFiller;
class PracticeFiller;
class AboutDialog;
class CongratulationsDialog;
class ExamplesDialog;
class RecordsDialog;

// The executable's folder when the data folders are beside it, else the
// installed data folder (../share/vemotarn/), with a trailing "/".
QString DefaultProgramFolder();

// Where the window finds its data and keeps its settings.
struct StartOptions {
    // The folder of "Langues", "exemples" and "Divers"; the executable's
    // folder (or the installed data folder) when empty.
    QString programFolder;
    // The settings file; empty: none is read or written.
    QString settingsPath;
    // The folder of the game in progress and the records (io::DataFolder());
    // empty: no game is kept and no record is counted.
    QString dataFolder;
    // Ready puzzles are generated into the data folder's pool while the
    // window is idle (the program does it; tests only take from the pool).
    bool fillPool = false;
    // A first start, with no settings file and no game kept, opens a game of
    // the default level at once (the program does it; tests start empty).
    bool newGameAtFirstStart = false;
};

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(const StartOptions& options = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The look in use; choosing one remembers it in the settings.
    LookKind CurrentLookKind() const { return look_; }
    void ChooseLook(LookKind kind);

    // The first command-line argument, a file name as the system gives it: a
    // puzzle file, installed for play when it is valid, and then put first in
    // the recent files; otherwise hand entry on the grid shown. A game kept by
    // an earlier run is left as it is while the new one has no move.
    void OpenArgument(const std::string& path);
    // A later start handed its argument over: the window comes to the front
    // and opens the file as the open command does, asking first.
    void TakeHandedArgument(const std::optional<QByteArray>& argument);
    // The session ends (SIGTERM, SIGHUP): closes as "Quitter" does, with no
    // question, keeping the game and the settings.
    void EndSession();

    // The program folder with a trailing "/", and the settings file.
    const QString& ProgramFolder() const { return programFolder_; }
    const QString& SettingsPath() const { return settingsPath_; }
    const QString& DataFolder() const { return dataFolder_; }
    QString SavedGamePath() const;
    QString RecordsPath() const;

    // At a start without a file argument: the game kept at the last closing
    // comes back, when resuming is on. A damaged or foreign file is set aside
    // with a status message. While another window keeps its game on the same
    // data folder, nothing is resumed and the status bar says so.
    // At a first start with no game kept, a new game
    // of the default level is generated.
    void ResumeSavedGame();
    // At closing: the game in progress is kept (resuming on), or the kept one
    // removed when there is none. False, with the reason reported, when the
    // file cannot be written. A window whose data folder is kept by another
    // window neither writes nor removes the kept game.
    bool KeepGame();
    // True while another window (of this program or another run) keeps its
    // game in the same data folder: this one plays a game that is not kept.
    bool AnotherWindowKeepsGame() const { return anotherKeepsGame_; }
    // The records as the file holds them; a damaged file is reported, set
    // aside and read as empty. `writable` becomes false for a file of a later
    // version, which is never written over.
    io::Records LoadRecords(bool* writable = nullptr);
    // "Nouveau record !" when the last finished game beat a record, else empty.
    const QString& RecordNotice() const { return recordNotice_; }
    // The language files of the "Langues" folder beyond French and English,
    // with their menu entries.
    const std::vector<QAction*>& ExtraLanguageActions() const { return extraLanguages_; }
    RecordsDialog* Statistics() const { return statistics_; }
    QAction* AskBeforeAbandonAction() const { return askBeforeAbandon_; }
    io::Settings& CurrentSettings() { return settings_; }
    LanguageTexts& Texts() { return texts_; }
    // Reads the language file `name` ("Français.lng", "English.lng") from the
    // program's "Langues" folder and applies it; false keeps the language.
    bool SwitchLanguage(const QString& name);
    void WriteSettings();

    // Replaceable for tests: the file dialogs, the error box and the clipboard.
    std::function<QString()> ChooseOpenPath;
    std::function<QString()> ChooseSavePath;
    std::function<void(const QString& message)> ReportError;
    // Shows the examples dialog: 1..16, or -1 when cancelled.
    std::function<int()> ChooseExample;
    // Asks "Abandonner la partie en cours ?"; true to go on. `dontAsk`
    // receives the state of "Ne plus demander".
    std::function<bool(bool* dontAsk)> AskAbandon;
    // True when the command may go on: no game in progress, the question
    // turned off, or the player agrees to abandon it.
    bool MayAbandonGame();
    // Shows the print dialog for `printer`; false when the user cancels.
    std::function<bool(QPrinter& printer)> ChoosePrinter;

    // The commands, callable directly.
    void Run(Command c);
    GenerationTask& Generation() { return *generation_; }
    // The pool of ready puzzles; none without a data folder.
    PoolFiller* Pool() { return pool_.get(); }
    // The practice pool; none without a data folder.
    PracticeFiller* Practice() { return practice_.get(); }
    // Options › "S'entraîner" and the toolbar's button with the same menu: an
    // entry per technique, its data the technique (1..17 or an advanced id).
    QMenu* PracticeMenu() const { return practiceMenu_; }
    QToolButton* PracticeButton() const { return practiceButton_; }
    // A game whose hardest step is `technique`, from the practice pool or
    // looked for meanwhile with the waiting panel, taken to the position
    // where the technique is needed.
    void PracticeCommand(int technique);
    QPushButton* CancelGenerationButton() const { return cancelGeneration_; }
    QFrame* WaitingPanel() const { return waitingPanel_; }
    QProgressBar* SheetProgress() const { return sheetProgress_; }
    QPushButton* WaitingCancelButton() const { return waitingCancel_; }
    bool PrintingSheet() const { return sheetIndex_ >= 0; }
    CongratulationsDialog* Congratulations() const { return congratulations_; }
    AboutDialog* About() const { return about_; }
    ExamplesDialog* Examples() const { return examples_; }

    // What FinishGame shows; a test replaces the modal box.
    void SetFinishHandler(std::function<void()> handler) { finishHandler_ = std::move(handler); }

    GameController& Game() { return *game_; }
    QAction* Action(Command c) const { return actions_[Index(c)]; }
    QAction* FilterButton(int digit) const { return filterButtons_[digit]; }
    QAction* PairsButton() const { return filterButtons_[10]; }
    BoardWidget* Board() const { return board_; }
    BoardWidget* SolutionPicture() const { return solution_; }
    ChooserWidget* CellChooser() const { return chooser_; }
    CharacteristicsPage* Characteristics() const { return characteristics_; }
    QTabWidget* Pages() const { return pages_; }
    StatusPanel* StatusMessagePanel() const { return statusPanel_; }
    QLabel* ClockPanel() const { return clockPanel_; }
    QToolBar* CommandBar() const { return commandBar_; }
    QToolBar* FilterBar() const { return filterBar_; }
    // What the window says to screen readers without moving the focus.
    Announcer* Speech() const { return announcer_; }
    // The hint panel beside the board, and Affichage › "Explications".
    QTextBrowser* ExplanationPanel() const { return explanationPanel_; }
    QAction* ExplanationsAction() const { return explanationsAction_; }
    // Step `step` of the listing on the board (the position before it, the
    // step shown as a hint) until Échap; `withoutGuessing` for the steps of
    // the solve without guessing. False when there is no such step.
    bool ShowStepOnBoard(int step, bool withoutGuessing);
    // Échap: the game back as it was, the hint put away.
    void LeaveStepOnBoard();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolbars();
    void BuildPages(QWidget* central);
    void BuildStatusBar();
    void SizeStatusBar();
    void FitMinimumSize();
    QSize AroundBoardPage() const;
    QSize PreferredSize() const;
    void FitToScreen();
    void ApplyLook(LookKind kind);
    bool RouteKey(QObject* watched, QKeyEvent& event);
    bool SwitchPageKey(QObject* watched, const QKeyEvent& event);
    // After the last menu closed with Escape: the keys back to the page.
    void LeaveMenuBar();
    void OpenMenuBar();
    // While a menu of the bar is open the bar holds the keys: going from one
    // menu to the next, Qt hands them for a moment to the widget that holds
    // them, and a board holding them would be read out before each menu.
    // Once no menu is open they go back where they were.
    void HoldKeysOnMenuBar();
    void GiveBackKeysAfterMenu();
    // The active cell as the board reads it, once the board has the keys.
    void SayActiveCell(bool withUnits);
    void BindHandlers();
    void SyncCommands();
    void SyncChooser();
    void ShowFinish();
    void OpenArgumentFile(const std::string& path);
    void ReadSettings();
    void TakeGameLock();
    void ReleaseGameLock();
    // The input events of this window and of its menus and dialogs, not those
    // of another window of the same program.
    bool Owns(const QObject* watched) const;
    void ApplyStoredSettings();
    void Translate();
    void TranslateQtDialogs();
    void SetFrenchCaptions();
    void RefreshRecentMenu();
    void OpenCommand();
    void SaveCommand();
    void CopyCommand(bool positionOnly);
    void PasteCommand();
    void GenerateCommand();
    void CancelGenerateCommand();
    void GenerationDone(bool generated);
    // The waiting panel while a level of the scale is looked for.
    void ShowScaleWaiting(bool shown);
    void ShowScaleProgress(int generations);
    // The pool file was damaged or foreign and set aside, or cannot be written.
    void PoolProblem(const QString& detail);
    // The same for the practice pool.
    void PracticeProblem(const QString& detail);
    // A technique too rare to be met in the search's budget is played from
    // its example files when it has some; false when it has none.
    bool PlayPracticeExample(int technique);
    // Options › "S'entraîner" and its toolbar button.
    void BuildPracticeMenu(QMenu* options);
    void AddPracticeButton();
    void TranslatePracticeMenu();
    // The waiting panel's line while a search runs: the practice's or the scale's.
    QString SearchText() const;
    void SetGenerationLock(bool locked);
    void CreateDialogs();
    void TranslateDialogs();
    void ExamplesCommand();
    void AboutCommand();
    void StatisticsCommand();
    void AddLanguageFiles(QMenu* menu, QActionGroup* group);
    void AddAbandonQuestionEntry(QMenu* options);
    void AddExplanationsEntry();
    void ShowExplanations(bool on);
    void ShowExplanation();
    // The board, and the hint panel beside it when shown, on the board's page.
    void LayOutBoardPage(QWidget& page);
    // The width the hint panel and its gap take beside the board when shown:
    // the least, or the one it was laid out for; 0 when hidden.
    int PanelRoom(bool preferred) const;
    void CountFinishedGame();
    void PrintCommand(int kind);
    void CopyImageCommand();
    void PrintFourCommand();
    void GenerateSheetGrid();
    void SheetGridGenerated();
    void EndSheet(bool completed);

    QString programFolder_;
    QString settingsPath_;
    QString dataFolder_;
    bool startedWithArgument_ = false;
    bool keptGameStays_ = false;
    // No settings file was there when the window came up.
    bool firstStart_ = false;
    // The first game of a first start: its status line says how to start.
    bool greetNewcomer_ = false;
    bool sessionEnded_ = false;
    // Held while this window keeps the data folder's game: one window at a
    // time resumes, writes or removes it.
    std::unique_ptr<QLockFile> gameLock_;
    bool anotherKeepsGame_ = false;
    QString recordNotice_;
    std::vector<QAction*> extraLanguages_;
    // Options: the abandon question, turned back on after "Ne plus demander".
    QAction* askBeforeAbandon_ = nullptr;
    QMenu* displayMenu_ = nullptr;
    QAction* explanationsAction_ = nullptr;
    QTextBrowser* explanationPanel_ = nullptr;
    RecordsDialog* statistics_ = nullptr;
    io::Settings settings_;
    QString languageAlarm_; // the report of a malformed language file, if any
    LookKind look_ = LookKind::Light;
    // Alt pressed and released with no other key opens the menu bar.
    bool altAlone_ = false;
    QPoint rememberedPosition_{-1, -1};
    QSize rememberedSize_;
    LanguageTexts texts_;
    // Qt's own texts in the interface's language, while installed.
    std::unique_ptr<QTranslator> qtTranslator_;
    std::unique_ptr<GameController> game_;
    std::array<QAction*, kCommandCount> actions_{};
    std::array<std::function<void()>, kCommandCount> handlers_{};
    // Indexes 1..9 the digit toggles, 10 the pairs toggle, 11 the cancel button.
    std::array<QAction*, 12> filterButtons_{};
    QWidget* central_ = nullptr;
    Announcer* announcer_ = nullptr;
    // The widget that held the keys when a menu of the bar opened.
    QPointer<QWidget> keysBeforeMenu_;
    QToolBar* commandBar_ = nullptr;
    QToolBar* filterBar_ = nullptr;
    QTabWidget* pages_ = nullptr;
    BoardWidget* board_ = nullptr;
    BoardWidget* solution_ = nullptr;
    ChooserWidget* chooser_ = nullptr;
    CharacteristicsPage* characteristics_ = nullptr;
    StatusPanel* statusPanel_ = nullptr;
    QLabel* clockPanel_ = nullptr;
    QPushButton* cancelGeneration_ = nullptr;
    // Before the generation, which may hand it puzzles until it is gone.
    std::unique_ptr<PracticeFiller> practice_;
    std::unique_ptr<GenerationTask> generation_;
    std::unique_ptr<PoolFiller> pool_;
    QMenu* practiceMenu_ = nullptr;
    QToolButton* practiceButton_ = nullptr;
    int practiceTechnique_ = 0; // the technique of the game being generated, if any
    bool fillPool_ = false;
    CongratulationsDialog* congratulations_ = nullptr;
    AboutDialog* about_ = nullptr;
    ExamplesDialog* examples_ = nullptr;
    QFrame* waitingPanel_ = nullptr;
    QProgressBar* sheetProgress_ = nullptr;
    QLabel* waitingText_ = nullptr;
    QPushButton* waitingCancel_ = nullptr;
    bool scaleWaiting_ = false;
    int pendingPoolProblem_ = 0; // a pool text to tell after the generation
    // The four-grid sheet while its puzzles are generated.
    std::unique_ptr<QPrinter> sheetPrinter_;
    std::unique_ptr<print::PageTarget> sheetTarget_;
    std::unique_ptr<QPainter> sheetPainter_;
    // The settings of the sheet's generations; the game in progress stays
    // on the board, untouched, meanwhile.
    std::unique_ptr<Engine> sheetSettings_;
    int sheetIndex_ = -1;
    std::function<void()> finishHandler_;
};

} // namespace vemo::ui
