// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The candidate filter: picks out the cells that could hold every selected
// digit, or the cells with exactly two candidates.
#pragma once

#include "engine/candidates.h"

#include <array>

namespace vemo::ui {

class CandidateFilter {
  public:
    using Highlights = std::array<int, 81>;

    // Toggles digit d (1..9) and picks the cells out again.
    void ToggleDigit(int digit, Highlights& highlight, const Candidates& candidates);
    // Toggles the pairs filter; it excludes the digit filter.
    void TogglePairs(Highlights& highlight, const Candidates& candidates);
    // Clears both filters and their marks; hint cells keep theirs.
    void Cancel(Highlights& highlight);
    // The reset before a placed digit, an undo or a redo: same as Cancel.
    void Reset(Highlights& highlight) { Cancel(highlight); }
    // Shows a digit button pressed without adding the digit to the filter.
    void PressButton(int digit) { pressed_[digit] = true; }

    bool DigitPressed(int digit) const { return pressed_[digit]; }
    bool PairsPressed() const { return pairsPressed_; }
    int FilterCount() const { return count_; }
    bool InFilter(int digit) const { return digits_[digit] != 0; }

  private:
    void Apply(Highlights& highlight, const Candidates& candidates);

    std::array<int, 10> digits_{}; // FilterDigits[1..9]
    int count_ = 0;                // FilterCount
    std::array<bool, 10> pressed_{};
    bool pairsPressed_ = false;
};

} // namespace vemo::ui
