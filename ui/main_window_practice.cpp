// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Practice by technique: Options › "S'entraîner" and its toolbar button list
// every technique that can be practised, simplest first; choosing one plays a
// puzzle whose hardest step is that technique, taken to the position where it
// is needed, so that the first hint is that technique.
#include "game_controller.h"
#include "generation_task.h"
#include "icons.h"
#include "main_window.h"
#include "practice_filler.h"

#include "engine/advanced/ids.h"
#include "engine/advanced/practice.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace vemo::ui {

namespace {

constexpr int kTextPractice = 934;
constexpr int kTextPracticeHint = 935;
constexpr int kTextPracticeSearch = 937;
constexpr int kTextPracticeGaveUp = 938;
constexpr int kMostExamplesPerTechnique = 9;
constexpr int kTextPracticeSetAside = 939;
constexpr int kTextPracticeUnwritable = 940;
constexpr int kTextBasicTechniques = 941;
constexpr int kTextAdvancedTechniques = 942;

} // namespace

void MainWindow::BuildPracticeMenu(QMenu* options) {
    practiceMenu_ = new QMenu(texts_.Text(kTextPractice), options);
    practiceMenu_->setObjectName(QStringLiteral("Entrainement1"));
    practiceMenu_->setIcon(PracticeIcon());
    options->insertMenu(options->actions().isEmpty() ? nullptr : options->actions().first(),
                        practiceMenu_);
    bool advancedSeen = false;
    practiceMenu_->addSection(texts_.Text(kTextBasicTechniques));
    for (const practice::PracticeTechnique& entry : practice::PracticeTechniques()) {
        if (entry.technique >= advanced::kFirstAdvanced && !advancedSeen) {
            practiceMenu_->addSection(texts_.Text(kTextAdvancedTechniques));
            advancedSeen = true;
        }
        QAction* action = practiceMenu_->addAction(game_->StepName(entry.technique));
        action->setData(entry.technique);
        const int technique = entry.technique;
        connect(action, &QAction::triggered, this, [this, technique] {
            if (game_->ShowingStep()) game_->LeaveStep();
            // A new game, as "Générer" makes one: the game in progress asks first.
            if (MayAbandonGame()) PracticeCommand(technique);
            SyncCommands();
        });
    }
}

void MainWindow::AddPracticeButton() {
    practiceButton_ = new QToolButton(commandBar_);
    practiceButton_->setObjectName(QStringLiteral("Entrainement"));
    practiceButton_->setIcon(PracticeIcon());
    practiceButton_->setMenu(practiceMenu_);
    practiceButton_->setPopupMode(QToolButton::InstantPopup);
    practiceButton_->setToolTip(texts_.Text(kTextPracticeHint));
    practiceButton_->setAccessibleName(texts_.Text(kTextPracticeHint));
    commandBar_->addWidget(practiceButton_);
}

void MainWindow::TranslatePracticeMenu() {
    if (!practiceMenu_) return;
    practiceMenu_->setTitle(texts_.Text(kTextPractice));
    bool advancedSeen = false;
    for (QAction* action : practiceMenu_->actions()) {
        if (action->isSeparator()) {
            action->setText(
                texts_.Text(advancedSeen ? kTextAdvancedTechniques : kTextBasicTechniques));
            advancedSeen = true;
            continue;
        }
        action->setText(game_->StepName(action->data().toInt()));
    }
    if (practiceButton_) {
        practiceButton_->setToolTip(texts_.Text(kTextPracticeHint));
        practiceButton_->setAccessibleName(texts_.Text(kTextPracticeHint));
    }
}

void MainWindow::PracticeCommand(int technique) {
    if (generation_->Running() || practice::PracticeEntry(technique) == nullptr) return;
    const Engine settings = game_->BeginGeneration();
    SetGenerationLock(true);
    practiceTechnique_ = technique;
    std::optional<Engine> ready = practice_ ? practice_->Take(settings, technique) : std::nullopt;
    if (ready) {
        generation_->Deliver(std::move(*ready));
    } else {
        // The puzzles made on the way that suit another technique are kept.
        PracticeFiller* keeper = practice_.get();
        ShowScaleWaiting(true);
        generation_->StartPractice(settings, technique,
                                   [keeper, technique](const Engine& made, int kept) {
                                       if (keeper != nullptr && kept != technique)
                                           keeper->Keep(made, kept);
                                   });
    }
    if (fillPool_ && practice_) practice_->Fill(settings, technique);
}

QString MainWindow::SearchText() const {
    if (practiceTechnique_ != 0)
        return texts_.Text(kTextPracticeSearch)
            .replace(QStringLiteral("%1"), game_->StepName(practiceTechnique_));
    return texts_.Text(933);
}

bool MainWindow::PlayPracticeExample(int technique) {
    const practice::PracticeTechnique* entry = practice::PracticeEntry(technique);
    if (entry == nullptr || entry->stem == nullptr) return false;
    QStringList paths;
    for (int n = 1; n <= kMostExamplesPerTechnique; ++n) {
        const QString path = programFolder_ + QStringLiteral("exemples/") +
                             QString::fromUtf8(entry->stem) + QString::number(n) +
                             QStringLiteral(".sku");
        if (QFileInfo::exists(path)) paths.push_back(path);
    }
    if (paths.isEmpty()) return false;
    game_->OpenExample(paths[game_->Game().rnd(static_cast<int>(paths.size()))]);
    return game_->AdvanceToTechnique(technique) >= 0;
}

void MainWindow::PracticeProblem(const QString& detail) {
    const int text =
        detail.contains(QStringLiteral(".bad")) ? kTextPracticeSetAside : kTextPracticeUnwritable;
    if (generation_->Running()) {
        pendingPoolProblem_ = text;
        return;
    }
    game_->Alarm(texts_.Text(text));
}

} // namespace vemo::ui
