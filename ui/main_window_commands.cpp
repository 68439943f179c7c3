// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's commands that reach beyond the game: settings, language, files,
// the clipboard and the generation worker.
#include "board_widget.h"
#include "generation_task.h"
#include "main_window.h"
#include "pool_filler.h"
#include "translator.h"

#include "engine/generator/generation.h"
#include "io/checked_writer.h"
#include "io/data_folder.h"
#include "io/puzzle_file.h"
#include "io/records.h"
#include "io/saved_game.h"
#include "io/settings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

namespace vemo::ui {

namespace {

// No screen is larger: a stored size beyond it is cut before any use.
constexpr int kLargestSide = 16384;

// The pool and the levels of the scale.
constexpr int kTextPoolSetAside = 930;
constexpr int kTextPoolUnwritable = 931;
constexpr int kTextScaleGaveUp = 932;

// The band of a stored "Difficulté": its lower bound; the levels of the
// scale, beyond the five bands, by their lowest ER in hundredths (6.00, 8.00),
// which no band's bound is.
constexpr int kBandScoreMin[] = {0, 106, 321, 651, 120, 600, 800};

QString FromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

void MainWindow::Run(Command c) {
    if (QAction* action = Action(c); action && action->isEnabled()) action->trigger();
}

void MainWindow::ReadSettings() {
    settings_ = settingsPath_.isEmpty() ? io::ParseSettings("")
                                        : io::ReadSettingsFile(settingsPath_.toStdString());
    game_->RecentFiles = settings_.RecentFiles;
    // What a run killed in the middle of a write left behind.
    if (!dataFolder_.isEmpty()) io::RemoveStaleTemporaries(dataFolder_.toStdString());
    if (!settingsPath_.isEmpty())
        io::RemoveStaleTemporaries(QFileInfo(settingsPath_).absolutePath().toStdString());
    TakeGameLock();
    if (settings_.Left >= 0 && settings_.Top >= 0)
        rememberedPosition_ = {settings_.Left, settings_.Top};
    if (settings_.Width > 0 && settings_.Height > 0)
        rememberedSize_ = QSize(std::min(settings_.Width, kLargestSide),
                                std::min(settings_.Height, kLargestSide));
}

void MainWindow::TakeGameLock() {
    if (dataFolder_.isEmpty() || gameLock_) return;
    io::MakeFolders(dataFolder_.toStdString());
    gameLock_ = std::make_unique<QLockFile>(dataFolder_ + QLatin1Char('/') +
                                            QString::fromUtf8(io::kSavedGameFile) +
                                            QStringLiteral(".lock"));
    // Held for as long as the window is open, however long: only the owner's
    // end (its process gone) makes a lock stale, never its age.
    gameLock_->setStaleLockTime(0);
    if (gameLock_->tryLock(0)) return;
    // A folder where no lock can be made is kept as before; a lock that
    // another living window holds leaves its game alone.
    anotherKeepsGame_ = gameLock_->error() == QLockFile::LockFailedError;
    if (!anotherKeepsGame_) {
        std::fprintf(stderr, "vemotarn: %s: cannot lock the kept game\n",
                     qPrintable(gameLock_->fileName()));
    }
}

void MainWindow::ReleaseGameLock() {
    // The game is kept by now: the next window may take it.
    if (gameLock_ && gameLock_->isLocked()) gameLock_->unlock();
}

void MainWindow::ApplyStoredSettings() {
    for (int band = 0; band < 7; ++band)
        if (settings_.Difficulty == kBandScoreMin[band]) game_->ChooseDifficulty(band);
    if (settings_.Symmetry >= 0 && settings_.Symmetry <= 3)
        game_->ChooseSymmetry(settings_.Symmetry);
    if (settings_.CandidateDisplay >= 0 && settings_.CandidateDisplay <= 2)
        game_->SetCandidateDisplay(settings_.CandidateDisplay);
    // An unknown type is taken as the classic one.
    const int type =
        settings_.Type >= kClassic && settings_.Type <= kOddEven ? settings_.Type : kClassic;
    game_->Game().VariantKind = type;
    game_->ChooseVariant(type);
    const int x = settings_.XSudoku == 1 ? 1 : 0;
    game_->Game().XSudokuChoice = 1 - x;
    game_->ToggleXSudoku();
    if (explanationsAction_) explanationsAction_->setChecked(settings_.Explanations == 1);
    // The size it had when closed, never below the smallest one and never
    // beyond what the screen can show: a size from the settings is only a
    // wish, however large it was written.
    const QScreen* screen =
        rememberedPosition_.x() >= 0 ? QGuiApplication::screenAt(rememberedPosition_) : nullptr;
    const QScreen* shown = screen ? screen : QGuiApplication::primaryScreen();
    const QRect room = shown ? shown->availableGeometry() : QRect();
    if (rememberedSize_.isValid()) {
        QSize size = rememberedSize_;
        if (room.isValid()) size = size.boundedTo(room.size());
        resize(size.expandedTo(minimumSize()));
    }
    // Where it was closed, as long as that is still on a screen.
    if (screen) move(rememberedPosition_);
}

void MainWindow::WriteSettings() {
    if (settingsPath_.isEmpty()) return;
    settings_.RecentFiles = game_->RecentFiles;
    settings_.Language = texts_.LanguageFile().toStdString();
    settings_.Left = pos().x();
    settings_.Top = pos().y();
    // A maximised window keeps the size it comes back to.
    const QSize size = isMaximized() || isFullScreen() ? normalGeometry().size() : this->size();
    settings_.Width = size.width();
    settings_.Height = size.height();
    settings_.Difficulty = kBandScoreMin[game_->DifficultyBand()];
    settings_.Symmetry = game_->Game().SymmetryChoice;
    settings_.CandidateDisplay = game_->Board().CandidateDisplay;
    settings_.Type = game_->Game().VariantKind;
    settings_.XSudoku = game_->Game().XSudoku;
    std::string error;
    if (!io::WriteSettingsFile(settingsPath_.toStdString(), settings_, &error)) {
        const QString message =
            texts_.Text(549) + (error.empty() ? QString() : ": " + QString::fromStdString(error));
        std::fprintf(stderr, "vemotarn: %s\n", message.toUtf8().constData());
        // At shut-down the status bar goes with the window: the user is told
        // in the program's error box, in the current language, before it closes.
        if (ReportError) ReportError(message);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (sessionEnded_) { // the game and the settings are kept already
        QMainWindow::closeEvent(event);
        return;
    }
    // With resuming on the game is kept, so closing loses nothing and asks
    // nothing. While another window keeps the folder's game, this one's game
    // is not kept: closing loses it, and asks.
    if ((settings_.ResumeGame == 0 || anotherKeepsGame_) && !MayAbandonGame()) {
        event->ignore();
        return;
    }
    if (generation_->Running()) CancelGenerateCommand();
    WriteSettings();
    KeepGame();
    ReleaseGameLock();
    QMainWindow::closeEvent(event);
}

bool MainWindow::MayAbandonGame() {
    if (!game_->MovesWouldBeLost() || settings_.AskBeforeAbandon == 0 || !AskAbandon) return true;
    bool dontAsk = false;
    const bool yes = AskAbandon(&dontAsk);
    if (yes && dontAsk) settings_.AskBeforeAbandon = 0;
    if (askBeforeAbandon_) askBeforeAbandon_->setChecked(settings_.AskBeforeAbandon != 0);
    return yes;
}

QString MainWindow::SavedGamePath() const {
    if (dataFolder_.isEmpty()) return {};
    return dataFolder_ + QLatin1Char('/') + QString::fromUtf8(io::kSavedGameFile);
}

QString MainWindow::RecordsPath() const {
    if (dataFolder_.isEmpty()) return {};
    return dataFolder_ + QLatin1Char('/') + QString::fromUtf8(io::kRecordsFile);
}

void MainWindow::ResumeSavedGame() {
    // A newcomer's first start: a game of the default level, at once.
    const bool newcomer = firstStart_;
    firstStart_ = false;
    const auto startNewcomer = [this, newcomer] {
        if (!newcomer || game_->Game().PuzzleFixed) return;
        greetNewcomer_ = true;
        GenerateCommand();
    };
    if (dataFolder_.isEmpty() || settings_.ResumeGame == 0) return startNewcomer();
    if (anotherKeepsGame_) {
        game_->Alarm(texts_.Text(589));
        return;
    }
    const std::string path = SavedGamePath().toStdString();
    const io::SavedGameRead read = io::ReadSavedGame(path);
    if (read.status == io::SavedGameStatus::kMissing) return startNewcomer();
    if (read.status == io::SavedGameStatus::kOk && game_->Resume(*read.game)) {
        game_->Notice(texts_.Text(558), ButtonFaceColour());
        SyncCommands();
        board_->Redraw();
        solution_->Redraw();
        return;
    }
    // Kept aside for inspection, and never read again.
    std::fprintf(stderr, "vemotarn: %s: %s%s\n", path.c_str(),
                 read.error.empty() ? "the game does not fit the board" : read.error.c_str(),
                 read.line > 0 ? (" (line " + std::to_string(read.line) + ")").c_str() : "");
    std::string error;
    if (!io::SetAside(path, &error)) std::fprintf(stderr, "vemotarn: %s\n", error.c_str());
    game_->Alarm(texts_.Text(read.status == io::SavedGameStatus::kNewerVersion ? 556 : 555));
}

bool MainWindow::KeepGame() {
    if (dataFolder_.isEmpty() || settings_.ResumeGame == 0 || game_->GenerationRunning() ||
        anotherKeepsGame_)
        return true;
    const std::string path = SavedGamePath().toStdString();
    // The game an earlier run kept is not replaced by one without a move.
    if (keptGameStays_ && !game_->HasMoves()) return true;
    if (!game_->GameInProgress()) {
        // A finished or abandoned game is not resumed. A start with a file
        // argument leaves a game kept earlier where it is.
        if (!startedWithArgument_) std::remove(path.c_str());
        return true;
    }
    std::string error;
    if (io::WriteSavedGame(path, game_->SavedState(), &error)) {
        keptGameStays_ = false; // the kept game is this one now
        return true;
    }
    const QString message = texts_.Text(559) + QString::fromStdString(error);
    std::fprintf(stderr, "vemotarn: %s\n", message.toUtf8().constData());
    if (ReportError) ReportError(message);
    return false;
}

io::Records MainWindow::LoadRecords(bool* writable) {
    if (writable) *writable = !dataFolder_.isEmpty();
    if (dataFolder_.isEmpty()) return {};
    const std::string path = RecordsPath().toStdString();
    const io::RecordsRead read = io::ReadRecords(path);
    if (read.status == io::RecordsStatus::kOk) return read.records;
    if (read.status == io::RecordsStatus::kNewerVersion) {
        // A later version's file stays as it is: shown as far as it is
        // understood, never written over.
        if (writable) *writable = false;
        return read.records;
    }
    if (read.status != io::RecordsStatus::kMissing) {
        std::fprintf(stderr, "vemotarn: %s: %s\n", path.c_str(), read.error.c_str());
        io::SetAside(path);
        game_->Alarm(texts_.Text(557));
    }
    return {};
}

void MainWindow::CountFinishedGame() {
    recordNotice_.clear();
    if (dataFolder_.isEmpty() || !game_->FirstFinish()) return;
    // Read just before the write, so that what another run wrote meanwhile is
    // kept and this game is added to it.
    bool writable = true;
    io::Records records = LoadRecords(&writable);
    if (!writable) return;
    const Engine& e = game_->Game();
    const io::HintUse hints = game_->HintsPlayed > 0 ? io::HintUse::kPlayed
                              : game_->HintsShown + game_->CompleteHintsShown > 0
                                  ? io::HintUse::kShown
                                  : io::HintUse::kNone;
    const io::RecordNews news =
        io::AddFinishedGame(records, e.VariantKind, e.XSudoku, io::ScoreBand(e.PuzzleScore()),
                            game_->ShownSeconds(), hints);
    std::string error;
    if (!io::WriteRecords(RecordsPath().toStdString(), records, &error)) {
        // Nothing was kept: no record to announce, and the player is told in
        // the program's error box, before the congratulations.
        const QString message = texts_.Text(567) + QString::fromStdString(error);
        std::fprintf(stderr, "vemotarn: %s\n", message.toUtf8().constData());
        if (ReportError) ReportError(message);
        return;
    }
    if (news.bestBeaten || news.bestWithoutHintsBeaten) recordNotice_ = texts_.Text(554);
}

bool MainWindow::SwitchLanguage(const QString& name) {
    // A language is a file of the language folder, named without any folder.
    if (!io::IsPlainFileName(name.toStdString())) return false;
    const io::LanguageLoadReport report =
        texts_.Load(programFolder_ + QStringLiteral("Langues/") + name);
    if (!report.ok) {
        // A file that is there but malformed is reported; a missing one is not.
        if (report.line > 0) {
            languageAlarm_ = texts_.Text(io::kTextBadLanguageLine) + QString::number(report.line);
            game_->Alarm(languageAlarm_);
        }
        return false;
    }
    Translate();
    return true;
}

namespace {

// The language of Qt's own texts (standard buttons, file and print dialogs)
// for a language file; empty for English, Qt's own language.
QString QtLanguageOf(const QString& languageFile) {
    static const std::map<QString, QString> languages = {
        {QString::fromUtf8(io::kDefaultLanguage), QStringLiteral("fr")},
        {QStringLiteral("Deutsch.lng"), QStringLiteral("de")},
        {QString::fromUtf8("Español.lng"), QStringLiteral("es")},
        {QStringLiteral("Italiano.lng"), QStringLiteral("it")},
    };
    const auto found = languages.find(languageFile);
    return found == languages.end() ? QString() : found->second;
}

} // namespace

void MainWindow::TranslateQtDialogs() {
    const QString language = QtLanguageOf(texts_.LanguageFile());
    if (qtTranslator_) {
        QCoreApplication::removeTranslator(qtTranslator_.get());
        qtTranslator_.reset();
    }
    if (language.isEmpty()) return;
    auto translator = std::make_unique<QTranslator>();
    // Without the translations installed, Qt's dialogs stay in English.
    if (translator->load(QStringLiteral("qtbase_") + language,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator.get());
        qtTranslator_ = std::move(translator);
    }
}

void MainWindow::Translate() {
    TranslateQtDialogs();
    TranslateWindow(this, io::Window::kMain, texts_);
    for (const ToolButtonInfo& b : kCommandButtons)
        Action(b.id)->setToolTip(texts_.Text(b.hintText, 1));
    for (int d = 1; d <= 9; ++d) filterButtons_[d]->setToolTip(texts_.Text(26 - d, 1));
    filterButtons_[10]->setToolTip(texts_.Text(16, 1));
    filterButtons_[11]->setToolTip(texts_.Text(15, 1));
    // The filter buttons show only their pictures; their hints name them for
    // screen readers.
    for (int k = 1; k <= 11; ++k) filterButtons_[k]->setText(filterButtons_[k]->toolTip());
    SizeStatusBar();
    if (askBeforeAbandon_) askBeforeAbandon_->setText(texts_.Text(586));
    if (explanationsAction_) explanationsAction_->setText(texts_.Text(900));
    if (explanationPanel_) explanationPanel_->setAccessibleName(texts_.Text(901));
    if (cancelGeneration_) cancelGeneration_->setText(texts_.Text(547));
    if (waitingCancel_) waitingCancel_->setText(texts_.Text(547));
    TranslatePracticeMenu();
    Action(Command::French)
        ->setChecked(texts_.LanguageFile() == QString::fromUtf8(io::kDefaultLanguage));
    Action(Command::English)->setChecked(texts_.LanguageFile() == QStringLiteral("English.lng"));
    for (QAction* language : extraLanguages_)
        language->setChecked(language->data().toString() == texts_.LanguageFile());
    game_->Retranslate();
    TranslateDialogs();
    SyncCommands();
}

void MainWindow::RefreshRecentMenu() {
    for (int k = 1; k <= io::kRecentCount; ++k) {
        QAction* entry = Action(static_cast<Command>(Index(Command::Recent1) + k - 1));
        const QString path = FromUtf8(game_->RecentFiles[k - 1]);
        // "&" in a path is no accelerator.
        entry->setText(QString(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
        entry->setVisible(true);
    }
    // With no recent file the entry cannot open an empty list.
    bool any = false;
    for (const std::string& path : game_->RecentFiles) any = any || !path.empty();
    for (QObject* owner : Action(Command::Recent1)->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(owner)) menu->menuAction()->setEnabled(any);
}

void MainWindow::OpenCommand() {
    pages_->setCurrentIndex(kBoardPage);
    const QString path = ChooseOpenPath ? ChooseOpenPath() : QString();
    if (path.isEmpty()) return; // cancelled: nothing changes
    game_->OpenFile(path);
    SyncCommands();
}

void MainWindow::SaveCommand() {
    const QString path = ChooseSavePath ? ChooseSavePath() : QString();
    if (path.isEmpty()) return;
    QString error;
    if (!game_->SaveFile(path, &error) && ReportError)
        ReportError(texts_.Text(io::kTextCannotWrite) + error);
}

void MainWindow::CopyCommand(bool positionOnly) {
    QApplication::clipboard()->setText(game_->CopyText(positionOnly));
    game_->Copied(positionOnly);
}

void MainWindow::PasteCommand() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    game_->Paste(data && data->hasText() ? data->text() : QString());
    SyncCommands();
}

void MainWindow::SetGenerationLock(bool locked) {
    for (QMenu* menu : menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        const QString name = menu->objectName();
        if (name == QStringLiteral("Fichier1") || name == QStringLiteral("Edition1") ||
            name == QStringLiteral("affichage1"))
            menu->menuAction()->setEnabled(!locked);
    }
    Action(Command::Examples)->setEnabled(!locked);
    commandBar_->setEnabled(!locked);
    filterBar_->setEnabled(!locked);
    cancelGeneration_->setVisible(locked);
    if (locked) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void MainWindow::GenerateCommand() {
    if (generation_->Running()) return;
    const Engine settings = game_->BeginGeneration();
    SetGenerationLock(true);
    // A ready puzzle of this setting when the pool holds one.
    std::optional<Engine> ready = pool_ ? pool_->Take(settings) : std::nullopt;
    if (ready) {
        generation_->Deliver(std::move(*ready));
    } else {
        // A level of the scale takes many random puzzles: the player sees
        // how far the search is and may give it up.
        if (settings.ScaleLevel != 0 && !PrintingSheet()) ShowScaleWaiting(true);
        generation_->Start(settings);
    }
    if (fillPool_) pool_->Fill(settings);
}

void MainWindow::ShowScaleWaiting(bool shown) {
    scaleWaiting_ = shown;
    waitingCancel_->setVisible(shown);
    if (!shown) {
        waitingPanel_->hide();
        waitingText_->setText(texts_.Text(82));
        return;
    }
    pages_->setCurrentIndex(0);
    waitingPanel_->move((pages_->currentWidget()->width() - waitingPanel_->width()) / 2,
                        (pages_->currentWidget()->height() - waitingPanel_->height()) / 2);
    sheetProgress_->setValue(0);
    ShowScaleProgress(0);
    waitingPanel_->show();
    waitingPanel_->raise();
}

void MainWindow::ShowScaleProgress(int generations) {
    const long long budget = std::max<long long>(1, generation_->Budget());
    sheetProgress_->setValue(
        static_cast<int>(std::min<long long>(100, generations * 100 / budget)));
    waitingText_->setText(texts_.Text(82) + QLatin1Char('\n') + SearchText() +
                          QString::number(generations));
}

void MainWindow::PoolProblem(const QString& detail) {
    // Set aside as ".bad", as a damaged saved game is; otherwise not writable.
    const int text =
        detail.contains(QStringLiteral(".bad")) ? kTextPoolSetAside : kTextPoolUnwritable;
    // During a generation the new game's own message would hide it: it is
    // told once the game is there.
    if (generation_->Running()) {
        pendingPoolProblem_ = text;
        return;
    }
    game_->Alarm(texts_.Text(text));
}

void MainWindow::CancelGenerateCommand() {
    if (!generation_->Running()) return;
    generation_->Cancel();
}

void MainWindow::GenerationDone(bool generated) {
    SetGenerationLock(false);
    if (scaleWaiting_) ShowScaleWaiting(false);
    if (PrintingSheet()) {
        // The sheet's puzzle goes on paper only; the game stays as it was.
        if (generated) {
            SheetGridGenerated();
        } else {
            EndSheet(false);
        }
        return;
    }
    const int practised = practiceTechnique_;
    practiceTechnique_ = 0;
    if (generated) {
        game_->FinishGeneration(generation_->Result());
        if (practised != 0) {
            // The first hint is the technique: the game starts where it is needed.
            game_->AdvanceToTechnique(practised);
        } else if (greetNewcomer_) {
            game_->ShowStartTip();
        }
    } else {
        game_->CancelGeneration();
        // No puzzle of that level, or for that technique, within the budget:
        // said, not hung on. A technique with example files is played from
        // one of them instead.
        if (generation_->GaveUp() && practised == 0) {
            game_->Alarm(texts_.Text(kTextScaleGaveUp));
        } else if (generation_->GaveUp() && !PlayPracticeExample(practised)) {
            game_->Alarm(
                texts_.Text(938).replace(QStringLiteral("%1"), game_->StepName(practised)));
        }
    }
    greetNewcomer_ = false;
    if (pendingPoolProblem_ != 0) {
        game_->Alarm(texts_.Text(pendingPoolProblem_));
        pendingPoolProblem_ = 0;
    }
    SyncCommands();
    board_->Redraw();
    solution_->Redraw();
}

} // namespace vemo::ui
