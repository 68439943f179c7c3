// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The "Caractéristiques" page: the listing of the logged solve
// (grillelisting) and the grid of techniques used (Gridaid).
#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;

namespace vemo::ui {

class GameController;

class CharacteristicsPage : public QWidget {
    Q_OBJECT

  public:
    CharacteristicsPage(const GameController& game, QWidget* parent = nullptr);

    // FillTechniqueGrid and FillListing from the last analysis.
    void Refill();
    void FillTechniqueGrid();
    void FillListing();

    QTableWidget* TechniqueGrid() const { return gridaid_; }
    QTableWidget* Listing() const { return listing_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void LayOut();

    const GameController& game_;
    QLabel* listingLabel_;
    QLabel* techniquesLabel_;
    QTableWidget* listing_;
    QTableWidget* gridaid_;
    int gridHeight_ = 0; // the technique grid's rows and frame
};

} // namespace vemo::ui
