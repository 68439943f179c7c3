// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What screen readers get from the board and the solution picture: a table of
// 81 cells, each named by its label ("L3C7") and its state in the interface's
// language, the active cell as the focused child, and a notice when a cell or
// the active cell changes.
#pragma once

#include "board_state.h"

#include <QString>

class QAccessibleEvent;

#include <array>

namespace vemo {
class Engine;
}

namespace vemo::ui {

class TextSource;
class BoardWidget;

// "L3C7 5 donné", "L3C7 5", "L3C7 vide, candidats 1 4 7, indice": the cell's
// label, its digit and whether it is given, or "empty" with its candidates,
// then whether a hint or a filter marks it. The solution picture names the
// digit of the solution.
QString SpokenCellName(const Engine& engine, const BoardState& board, const TextSource& texts,
                       int cell, bool solution);

// Sends an event to assistive technologies, and to the listener if one is set
// (tests listen without a desktop bridge).
void Announce(QAccessibleEvent& event);
using AnnouncementListener = void (*)(QAccessibleEvent* event);
void SetAnnouncementListener(AnnouncementListener listener);
// Tells the listener only, of an event that Qt sends to the desktop itself.
void Overhear(QAccessibleEvent& event);

// Registers the accessible interfaces of the board widgets (once).
void InstallBoardAccessibility();

// Tells assistive technologies which cells changed name since `before`, and
// that the active cell has the focus when it moved; `before` becomes the
// present names.
void AnnounceBoardChanges(BoardWidget& board, std::array<QString, 81>& before, int& activeBefore);

} // namespace vemo::ui
