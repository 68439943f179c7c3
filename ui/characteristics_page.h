// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The "Caractéristiques" page: the listing of the logged solve
// (grillelisting) and the grid of techniques used (Gridaid).
#pragma once

#include "step_analysis.h"

#include <QWidget>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class QLabel;
class QTextBrowser;
class QTableWidget;

namespace vemo::ui {

class GameController;

class CharacteristicsPage : public QWidget {
    Q_OBJECT

  public:
    CharacteristicsPage(const GameController& game, QWidget* parent = nullptr);
    ~CharacteristicsPage() override;

    // FillTechniqueGrid and FillListing from the last analysis.
    void Refill();
    void FillTechniqueGrid();
    void FillListing();

    QTableWidget* TechniqueGrid() const { return gridaid_; }
    QTableWidget* Listing() const { return listing_; }
    // The rating on the community's scale and the hardest step, under the
    // technique grid.
    QTextBrowser* ScaleText() const { return scaleLabel_; }
    // The solve without guessing below the logged steps and the scale, once
    // worked out (off the window's thread); true when they are shown for the
    // puzzle of the last Refill().
    bool AnalysisShown() const { return analysisShown_; }
    // Waits for the analysis of the last Refill() and shows it.
    void FinishAnalysis();
    // The step a listing row shows, 0 for none: its number and whether it is
    // a step of the solve without guessing.
    int StepOfRow(int row, bool* withoutGuessing) const;

  signals:
    // A row of the listing was double-clicked (or Enter pressed on it).
    void stepChosen(int step, bool withoutGuessing);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void LayOut();
    void MeasureListing();
    void FitListing();
    void StartAnalysis();
    void ShowSteps(const StepAnalysis& steps);
    void ShowAnalysis(const StepAnalysis& analysis);
    void StopWorker();
    // Stops the worker early (the scale rating of the hardest puzzles takes
    // seconds), then joins it.
    void CancelWorker();
    // The steps without guessing below the logged ones, the rows above kept.
    void AppendGuessFreeRows();

    const GameController& game_;
    QLabel* listingLabel_;
    QLabel* techniquesLabel_;
    QTableWidget* listing_;
    QTableWidget* gridaid_;
    QTextBrowser* scaleLabel_;
    int gridHeight_ = 0; // the technique grid's rows and frame
    int loggedRows_ = 0; // the listing's rows of the logged solve
    // The listing's column widths for all its rows and for the logged ones.
    std::vector<int> listingNatural_;
    std::vector<int> listingLogged_;
    int firstGuessFree_ = 0; // the number of the first step without guessing
    bool analysisShown_ = false;
    bool stepsShown_ = false; // the steps without guessing, before the rating
    StepAnalysis analysis_;
    // The worker of the analysis, and the number of the Refill() it is for.
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::shared_ptr<StepAnalysis> pending_;
    int serial_ = 0;
};

} // namespace vemo::ui
