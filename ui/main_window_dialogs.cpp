// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The three dialogs of the window: congratulations, About and the examples.
#include "main_window.h"

#include "dialogs/about_dialog.h"
#include "dialogs/congratulations_dialog.h"
#include "dialogs/example_files.h"
#include "dialogs/examples_dialog.h"
#include "records_dialog.h"
#include "translator.h"

#include "io/records.h"

#include "io/settings.h"

#include <QTabWidget>

namespace vemo::ui {

void MainWindow::CreateDialogs() {
    congratulations_ = new CongratulationsDialog(this);
    congratulations_->SetMusicFolder(programFolder_ + QStringLiteral("Divers"));
    congratulations_->SetPieceChooser([this] { return 1 + game_->Game().rnd(5); });
    about_ = new AboutDialog(this);
    if (const auto url = io::FindSetting(settings_.Original, "Divers", "VersionUrl");
        url && !url->empty())
        about_->SetVersionUrl(QUrl(QString::fromStdString(*url)));
    examples_ = new ExamplesDialog(this);
    statistics_ = new RecordsDialog(texts_, this);
    statistics_->RecordsReset = [this](const io::Records& records) {
        bool writable = true;
        LoadRecords(&writable);
        if (!writable) return; // a later version's file, or no data folder
        std::string error;
        if (!io::WriteRecords(RecordsPath().toStdString(), records, &error) && ReportError)
            ReportError(texts_.Text(567) + QString::fromStdString(error));
    };

    finishHandler_ = [this] {
        GameStatistics statistics;
        statistics.clockText = game_->ClockText();
        statistics.hintsShown = game_->HintsShown;
        statistics.completeHintsShown = game_->CompleteHintsShown;
        statistics.hintsPlayed = game_->HintsPlayed;
        statistics.errorsMade = game_->ErrorsMade;
        statistics.recordText = recordNotice_;
        congratulations_->ShowStatistics(statistics);
    };
    ChooseExample = [this] { return examples_->Choose(); };
    TranslateDialogs();
}

void MainWindow::TranslateDialogs() {
    if (!congratulations_) return;
    const TextLookup text = [this](int id, int sub) { return texts_.Text(id, sub); };
    congratulations_->Retranslate(text);
    about_->Retranslate(text);
    examples_->Retranslate(text);
    statistics_->Retranslate();
}

void MainWindow::ExamplesCommand() {
    game_->EndHandEntry(); // even when the dialog is cancelled
    pages_->setCurrentIndex(kBoardPage);
    repaint();
    const int result = ChooseExample ? ChooseExample() : -1;
    if (result < 1 || result > 16) { // cancelled: the board stays as it was
        SyncCommands();
        return;
    }
    const int n = 1 + game_->Game().rnd(ExampleCount(result));
    const QString path = programFolder_ + QStringLiteral("exemples/") +
                         QString::fromStdString(ExampleFileName(result, n));
    game_->OpenExample(path);
    SyncCommands();
}

void MainWindow::StatisticsCommand() {
    statistics_->SetRecords(LoadRecords());
    statistics_->exec();
    activateWindow();
}

void MainWindow::AboutCommand() {
    about_->exec();
    activateWindow();
}

} // namespace vemo::ui
