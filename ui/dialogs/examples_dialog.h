// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The examples dialog ("Aide"): one button per solving technique, grouped by
// level; the chosen button's number is the dialog's result.
#pragma once

#include "ui/dialogs/text_lookup.h"

#include <QDialog>
#include <vector>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace vemo::ui {

class ExamplesDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ExamplesDialog(QWidget* parent = nullptr);

    void Retranslate(const TextLookup& text);

    // Shows the dialog modally: 1..15 for a technique, 16 for the extreme
    // puzzles, −1 when cancelled.
    int Choose();

    // The button that gives `result` (1..16, or −1 for "Annuler").
    QAbstractButton* ButtonFor(int result) const;

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    struct Bound {
        QWidget* widget;
        int identifier;
        QString builtIn;
    };

    QPushButton* AddButton(QWidget* parent, int identifier, const QString& caption, int result);
    QGroupBox* AddGroup(int identifier, const QString& title, const QRect& geometry);
    void PlaceTexts();
    // The groups and the button as large as their captions need: the designed
    // layout at the usual type, pushed apart and widened at a larger one.
    void Arrange();

    std::vector<Bound> bound_;
    std::vector<QPushButton*> results_; // index result − 1; the last one is "Annuler"
    QLabel* click_;
    QLabel* then_;
    QWidget* content_; // the texts and buttons, inside the scroller
    QScrollArea* scroller_;
};

} // namespace vemo::ui
