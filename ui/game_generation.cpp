// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Generation settings and the new game a generation brings.
#include "game_controller.h"
#include "texts.h"

#include "engine/generator/generation.h"
#include "engine/scale/levels.h"

namespace vemo::ui {

namespace {

const QColor kWaitingColour{0xA6, 0xCA, 0xF0};

// Language texts of the band names (Facile..Aléatoire, then the scale's
// Diabolique and Démoniaque) and symmetry names.
constexpr int kBandTexts[] = {62, 61, 60, 59, 58, 721, 722};
constexpr int kSymmetryTexts[] = {54, 537, 538, 539};
constexpr int kVariantTexts[] = {89, 90, 91, 93};

} // namespace

void GameController::ChooseDifficulty(int band) {
    if (band < kFacile || band > kDemoniaque) return;
    difficultyBand_ = band;
    engine_.SetDifficulty(band);
    difficultyLabel_ = texts_.Text(kBandTexts[band]) + QStringLiteral("  ");
    emit commandsChanged();
}

void GameController::ChooseSymmetry(int symmetry) {
    if (symmetry < 0 || symmetry > 3) return;
    engine_.SymmetryChoice = symmetry;
    symmetryLabel_ = QStringLiteral("(") + texts_.Text(kSymmetryTexts[symmetry]) +
                     (symmetry == 0 ? QStringLiteral(" )") : QStringLiteral(")"));
    emit commandsChanged();
}

QString GameController::GenerateHint() const {
    return captionSuffix_ + QLatin1Char(' ') + variantLabel_ + QLatin1Char('\n') +
           difficultyLabel_ + QLatin1Char('\n') + symmetryLabel_;
}

QString GameController::Caption() const {
    if (caption_.isNull()) return QStringLiteral(" Vemo Tarn :") + WithoutMnemonic(texts_.Text(51));
    return caption_;
}

void GameController::Retranslate() {
    // The explanation on show, in the new language.
    if (explained_ && !explanation_.isEmpty()) {
        explanation_ = ExplainFound(*explained_, explainedLevel_);
        emit explanationChanged();
    }
    ShowCount();
    ChooseSymmetry(engine_.SymmetryChoice);
    ChooseDifficulty(difficultyBand_);
    variantLabel_ = TrimLeft(texts_.Text(kVariantTexts[engine_.VariantChoice]));
    emit pagesChanged();
    emit commandsChanged();
    emit boardChanged();
    emit captionChanged();
}

Engine GameController::BeginGeneration() {
    backup_ = std::make_unique<Backup>(Backup{enabled_, statusMessage_, statusColour_, caption_,
                                              clockText_, clockTimer_.isActive(), board_, filter_});
    generating_ = true;
    // The attempts run on a copy; the board keeps showing the game until the
    // new puzzle is there.
    Engine settings = engine_;
    settings.VariantKind = settings.VariantChoice;
    settings.XSudoku = settings.XSudokuChoice;
    settings.MessagePump = nullptr;
    variantLabel_ = TrimLeft(texts_.Text(kVariantTexts[settings.VariantChoice]));
    captionSuffix_ = settings.XSudoku == 1 ? QStringLiteral(" X") : QString();

    HideChooser();
    ResetPlayControls();
    clockText_.clear();
    StopClock();
    emit clockChanged();
    statusMessage_ = texts_.Text(82);
    statusColour_ = kWaitingColour;
    messageTimer_.stop();
    emit statusChanged();
    caption_ = QString(); // the new-puzzle caption, in the language in use
    emit captionChanged();
    emit commandsChanged();
    return settings;
}

void GameController::GenerationProgress(int attempts) {
    if (!generating_) return;
    statusMessage_ =
        texts_.Text(82) + QStringLiteral("   ") + texts_.Text(548) + QString::number(attempts);
    emit statusChanged();
}

void GameController::CancelGeneration() {
    if (!backup_) return;
    enabled_ = backup_->enabled;
    statusMessage_ = backup_->statusMessage;
    statusColour_ = backup_->statusColour;
    caption_ = backup_->caption;
    clockText_ = backup_->clockText;
    board_ = backup_->board;
    filter_ = backup_->filter;
    if (backup_->clockRunning) StartClock();
    variantLabel_ = TrimLeft(texts_.Text(kVariantTexts[engine_.VariantChoice]));
    captionSuffix_ = engine_.XSudokuChoice == 1 ? QStringLiteral(" X") : QString();
    backup_.reset();
    generating_ = false;
    emit clockChanged();
    emit statusChanged();
    emit captionChanged();
    emit commandsChanged();
    emit boardChanged();
}

void GameController::FinishGeneration(const Engine& generated) {
    backup_.reset();
    proposedSavePath_.clear();
    // The new game with its analysis; the window's own hooks stay.
    const auto pump = engine_.MessagePump;
    engine_ = generated;
    engine_.MessagePump = pump;
    engine_.Generating = false;
    engine_.HistoryLevel = 0;
    ClearHighlights();
    board_.HandEntry = 0;
    board_.ActiveRow = board_.ActiveColumn = 4;
    Enable(Command::CopyPosition, engine_.VariantKind == kClassic);
    ChooseVariant(engine_.VariantKind);

    emit solutionChanged();
    engine_.ComputeCandidates();
    history_.Reset(CurrentPosition());
    engine_.PuzzleFixed = true;
    statusColour_ = ButtonFaceColour();
    ShowCount();
    emit pagesChanged();
    EnableHints(true);
    generating_ = false;
    emit boardChanged();
    emit solutionChanged();
    HideChooser();
    emit pageRequested(kBoardPage);
    StartClockAfresh();
    emit commandsChanged();
}

} // namespace vemo::ui
