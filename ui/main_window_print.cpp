// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Printing: the three single-grid prints, the four-grid sheet and the board
// picture on the clipboard.
#include "board_widget.h"
#include "generation_task.h"
#include "main_window.h"

#include "print/print_job.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QTabWidget>

namespace vemo::ui {

namespace {

print::PrintColours Colours() {
    print::PrintColours colours;
    colours.cellLines = QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
    return colours;
}

} // namespace

void MainWindow::PrintCommand(int kind) {
    pages_->setCurrentIndex(kBoardPage);
    QPrinter printer(QPrinter::HighResolution);
    if (!ChoosePrinter || !ChoosePrinter(printer)) {
        repaint();
        return;
    }
    repaint();
    const Engine& game = game_->Game();
    const print::TitleTexts titles =
        print::MakeTitleTexts(game, [this](int id) { return texts_.Text(id); });
    // A PDF file goes through the checked writer: a failure is reported and
    // an older file of that name stays as it was.
    std::string error;
    // The position prints with the hint's drawing while it is shown.
    const advanced::HintDrawing& drawing = game_->Board().Drawing;
    if (!print::PrintSingleGridChecked(printer, game, static_cast<print::PrintKind>(kind), titles,
                                       Colours(), &error, drawing.Empty() ? nullptr : &drawing))
        game_->Alarm(texts_.Text(544) + QString::fromStdString(error));
    repaint();
}

void MainWindow::CopyImageCommand() {
    pages_->setCurrentIndex(kBoardPage);
    board_->Redraw();
    // The 512-pixel picture stretched to 516, as the clipboard picture is.
    const QImage picture =
        board_->LogicalPicture().scaled(516, 516, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage exact = picture;
    exact.setDevicePixelRatio(1.0);
    QApplication::clipboard()->setImage(exact);
    game_->PrintedNotice(511);
}

void MainWindow::PrintFourCommand() {
    if (PrintingSheet() || generation_->Running()) return;
    pages_->setCurrentIndex(kBoardPage);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!ChoosePrinter || !ChoosePrinter(*printer)) {
        repaint(); // cancelled: nothing changes
        return;
    }
    repaint();
    sheetPrinter_ = std::move(printer);
    sheetTarget_ = std::make_unique<print::PageTarget>(*sheetPrinter_);
    sheetPainter_ = std::make_unique<QPainter>();
    if (!sheetPainter_->begin(sheetTarget_->Device())) {
        sheetPainter_.reset();
        sheetTarget_.reset();
        sheetPrinter_.reset();
        if (ReportError) ReportError(texts_.Text(544));
        return;
    }
    // The sheet's puzzles come from generations of their own, with the menu's
    // band, symmetry, type and X choices: never from the ready puzzles kept
    // for the board, and never installed on it.
    sheetSettings_ = std::make_unique<Engine>(game_->Game());
    sheetSettings_->VariantKind = sheetSettings_->VariantChoice;
    sheetSettings_->XSudoku = sheetSettings_->XSudokuChoice;
    sheetSettings_->MessagePump = nullptr;
    waitingPanel_->move((pages_->currentWidget()->width() - waitingPanel_->width()) / 2,
                        (pages_->currentWidget()->height() - waitingPanel_->height()) / 2);
    waitingPanel_->show();
    waitingPanel_->raise();
    sheetIndex_ = 0;
    sheetProgress_->setValue(0);
    QApplication::processEvents();
    GenerateSheetGrid();
}

void MainWindow::GenerateSheetGrid() {
    SetGenerationLock(true);
    generation_->Start(*sheetSettings_);
}

void MainWindow::SheetGridGenerated() {
    const Engine& game = generation_->Result();
    // The next puzzle goes on from this one's random state.
    sheetSettings_->Rng = game.Rng;
    print::PaintSheetGrid(*sheetPainter_, sheetTarget_->Width(), sheetTarget_->Height(),
                          sheetTarget_->ResolutionY(), sheetIndex_, game,
                          print::MakeTitleTexts(game, [this](int id) { return texts_.Text(id); }),
                          Colours());
    ++sheetIndex_;
    if (sheetIndex_ == 4) {
        EndSheet(true);
        return;
    }
    sheetProgress_->setValue(25 * sheetIndex_);
    GenerateSheetGrid();
}

void MainWindow::EndSheet(bool completed) {
    std::string error;
    bool written = true;
    if (completed) {
        sheetPainter_->end();
        written = sheetTarget_->Finish(&error);
    } else {
        sheetTarget_->Abort(); // a cancelled generation prints nothing
        sheetPainter_->end();
    }
    sheetPainter_.reset();
    sheetTarget_.reset();
    sheetPrinter_.reset();
    sheetIndex_ = -1;
    waitingPanel_->hide();
    // The next new game does not repeat a printed puzzle.
    game_->Game().Rng = sheetSettings_->Rng;
    sheetSettings_.reset();
    if (!written) {
        game_->Alarm(texts_.Text(544) + QString::fromStdString(error));
    } else if (completed) {
        game_->PrintedNotice(512);
    }
    SyncCommands();
    board_->setFocus();
}

} // namespace vemo::ui
