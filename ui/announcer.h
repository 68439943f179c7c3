// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the game says to a screen reader without moving the keyboard focus:
// a notification object that is shown again with each new text, which the
// screen readers of this desktop read at once, and the texts it says (a cell
// by its spoken label, a move, a unit's state) in the interface's language.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

namespace vemo {
class Engine;
}

namespace vemo::ui {

class TextSource;
struct Snapshot;

// The cell's label as the interface's language writes it: row letter, row,
// column letter, column ("L5C6", "R5C6", "Z5S6"). Without the two letters in
// the language file, the French ones.
QString SpokenCellLabel(const TextSource& texts, int cell);

// "L5C6 : 7 placé" and "L5C6 : 4 retiré".
QString PlacedSpeech(const TextSource& texts, int cell, int digit);
QString RemovedSpeech(const TextSource& texts, int cell, int digit);

// What a move or a step changed between two positions: the digits placed
// ("L1C2 : 5 placé"); without any, the candidates removed cell by cell
// ("L3C4 : 1 7 retirés, L3C5 : 1 retiré"). Empty when nothing changed.
QString ChangesSpeech(const TextSource& texts, const Snapshot& before, const Snapshot& after);

// The row, the column and the box of the cell with their filled counts:
// "ligne 5 : 6 chiffres placés, colonne 6 : 4 chiffres placés, bloc 5 : 5 chiffres placés".
QString UnitsSpeech(const TextSource& texts, const Engine& engine, int cell);

// A notification for screen readers: what Say() is given is shown anew as
// its name once the event at hand is handled, the texts of one event joined
// (a move and the end of the game it completes), since a screen reader reads
// the name when it comes to the notification, not when it was shown. It takes
// no room and no click, and never takes the focus.
class Announcer : public QWidget {
    Q_OBJECT

  public:
    explicit Announcer(QWidget* parent = nullptr);

    void Say(const QString& text);
    // The last text shown, and how many were shown.
    const QString& LastSaid() const { return said_; }
    int SaidCount() const { return count_; }

  private:
    void Show();

    QStringList pending_;
    QString said_;
    int count_ = 0;
};

} // namespace vemo::ui
