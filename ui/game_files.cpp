// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The file and clipboard commands of the game: what happens once the dialog
// has given a path or the clipboard a text.
#include "game_controller.h"
#include "texts.h"

#include "io/puzzle_file.h"
#include "io/text_file.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace vemo::ui {

namespace {

const QColor kCopiedColour{224, 255, 255};

} // namespace

void GameController::ShowMessages(const std::vector<int>& messages, const QString& detail) {
    QString text;
    for (const int id : messages) text += texts_.Text(id);
    Alarm(text + detail);
}

void GameController::Notice(const QString& message, const QColor& colour) {
    statusMessage_ = message;
    statusColour_ = colour;
    messageTimer_.start();
    emit statusChanged();
}

void GameController::OpenFile(const QString& path) {
    OpenFilePath(path.toStdString());
}

void GameController::OpenFilePath(const std::string& path, bool followType) {
    installStarted_ = false;
    emit pageRequested(kBoardPage);
    if (!LoadAndInstall(path)) return;
    if (followType) ChooseVariant(engine_.VariantKind);
    // Only a file that opened as a game is a recent one.
    if (engine_.PuzzleFixed) io::UpdateRecentFiles(RecentFiles, path);
}

void GameController::OpenExample(const QString& path) {
    emit pageRequested(kBoardPage);
    // Saved, it goes where the player chooses, not among the examples.
    if (LoadAndInstall(path.toStdString()))
        proposedSavePath_ = QFileInfo(path).completeBaseName() + QStringLiteral(".sku");
}

void GameController::StayInHandEntry() {
    HideChooser();
    ResetPlayControls();
    engine_.PuzzleFixed = false;
    StopClock();
    board_.HandEntry = 1;
    engine_.HistoryLevel = 0;
    engine_.ComputeCandidates();
    Enable(Command::Start, engine_.FilledCount > 0);
    emit commandsChanged();
    emit boardChanged();
}

bool GameController::LoadAndInstall(const std::string& path) {
    Engine loaded = engine_; // the load is tried on a copy: a refusal keeps the game
    const io::LoadReport report = io::LoadPuzzleFile(path, loaded);
    if (report.outcome != io::LoadOutcome::kInstalled) {
        ShowMessages(report.messages, report.outcome == io::LoadOutcome::kCannotRead
                                          ? QString::fromStdString(report.detail)
                                          : QString());
        return false;
    }
    // The game is thrown away only now, for a grid that was read.
    if (MayReplaceGame && !MayReplaceGame()) return false;
    board_.HandEntry = 0;
    engine_ = std::move(loaded);
    captionSuffix_ = engine_.XSudoku == 1 ? QStringLiteral(" X") : QString();
    Enable(Command::CopyPosition, engine_.VariantKind == kClassic);
    caption_ = QStringLiteral(" Vemo Tarn : ") + QString::fromStdString(report.caption);
    const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(path)));
    proposedSavePath_ =
        file.absolutePath() + QLatin1Char('/') + file.completeBaseName() + QStringLiteral(".sku");
    emit captionChanged();
    ClearBoardState();
    emit boardChanged();
    emit solutionChanged();
    if (!report.messages.empty()) {
        QString message;
        for (const int id : report.messages) message += texts_.Text(id);
        KeepForHandEntry(message);
        return true;
    }
    InstallPuzzle();
    return true;
}

void GameController::KeepForHandEntry(const QString& message) {
    emit pageRequested(kBoardPage);
    StopClock();
    clockText_.clear();
    emit clockChanged();
    engine_.PuzzleFixed = false;
    board_.HandEntry = 1;
    // As if typed by hand: every digit is a given, and the solution page shows them.
    engine_.Givens = engine_.Position();
    engine_.SolutionGrid = engine_.Position();
    engine_.HistoryLevel = 0;
    history_.Rewind();
    ClearAnalysis();
    ResetPlayControls();
    Enable(Command::Start, true);
    emit commandsChanged();
    emit pagesChanged();
    engine_.ComputeCandidates();
    emit boardChanged();
    emit solutionChanged();
    Alarm(message);
}

void GameController::OpenRecent(int k) {
    if (k < 1 || k > io::kRecentCount) return;
    const std::string path = RecentFiles[k - 1];
    io::UpdateRecentFiles(RecentFiles, path);
    struct stat info {};
    const bool there = !path.empty() && ::stat(path.c_str(), &info) == 0;
    if (!there || !S_ISREG(info.st_mode)) {
        io::DropFirstRecentFile(RecentFiles);
        // A file that is gone goes quietly; a folder, a pipe or a device in
        // its place is named, once, as it leaves the list.
        if (there)
            Alarm(texts_.Text(io::kTextCannotRead) + QString::fromStdString(path) +
                  (S_ISDIR(info.st_mode) ? QStringLiteral(": is a directory")
                                         : QStringLiteral(": not a regular file")));
        return;
    }
    OpenFilePath(path);
}

bool GameController::SaveFile(const QString& path, QString* error) {
    std::string reason;
    if (!io::SavePuzzleFile(path.toStdString(), engine_, &reason)) {
        if (error) *error = QString::fromStdString(reason);
        ShowMessages({io::kTextCannotWrite}, QString::fromStdString(reason));
        return false;
    }
    caption_ = QStringLiteral(" Vemo Tarn : ") + QFileInfo(path).completeBaseName();
    proposedSavePath_ = QFileInfo(path).absoluteFilePath();
    emit captionChanged();
    io::UpdateRecentFiles(RecentFiles, path.toStdString());
    Notice(texts_.Text(587) + QFileInfo(path).fileName(), kCopiedColour);
    return true;
}

QString GameController::CopyText(bool positionOnly) const {
    return QString::fromStdString(
        io::BuildGridText(engine_, positionOnly, history_.MoveLevel() > 1));
}

void GameController::Copied(bool positionOnly) {
    Notice(texts_.Text(positionOnly ? 510 : 509), kCopiedColour);
}

void GameController::Paste(const QString& text) {
    // The text is read and checked first: a refused one changes nothing
    // but the status message.
    const io::PasteResult read = io::ParsePastedText(text.toStdString());
    if (read.outcome == io::ReadOutcome::kTooFewCells) {
        Alarm(texts_.Text(io::kTextPasteTooShort));
        return;
    }
    if (read.outcome == io::ReadOutcome::kBadField) {
        Alarm(texts_.Text(io::kTextBadField));
        return;
    }
    if (MayReplaceGame && !MayReplaceGame()) return;
    clockText_.clear();
    emit clockChanged();
    HideChooser();
    StopClock();
    board_.HandEntry = 0;
    engine_.PuzzleFixed = false; // the type and X commands apply to the pasted grid
    const io::ParsedPuzzle& p = read.puzzle;
    ChooseVariant(p.record ? p.variantKind : kClassic);
    engine_.XSudokuChoice = 1 - (p.record ? p.xSudoku : 0);
    ToggleXSudoku();
    caption_ = QString(); // the new-puzzle caption, in the language in use
    proposedSavePath_.clear();
    emit captionChanged();

    const std::vector<int> messages = io::InstallParsedPuzzle(p, engine_);
    captionSuffix_ = engine_.XSudoku == 1 ? QStringLiteral(" X") : QString();
    Enable(Command::CopyPosition, engine_.VariantKind == kClassic);
    // The grid stays in SolutionGrid for the solution page until it is solved.
    engine_.SolutionGrid = engine_.ValidityGrid;
    ClearHighlights();
    ClearAnalysis();
    history_.Rewind();
    emit pagesChanged();
    emit solutionChanged();
    emit boardChanged();
    if (!messages.empty()) {
        QString message;
        for (const int id : messages) message += texts_.Text(id);
        KeepForHandEntry(message);
        return;
    }
    engine_.SolutionGrid.Clear();
    InstallPuzzle();
}

} // namespace vemo::ui
