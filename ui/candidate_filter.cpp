// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "candidate_filter.h"

#include "board_state.h"

namespace vemo::ui {

namespace {

void ClearFilterMarks(CandidateFilter::Highlights& highlight) {
    for (int& h : highlight)
        if (h == kFilteredCell) h = kNoMark;
}

} // namespace

void CandidateFilter::ToggleDigit(int digit, Highlights& highlight, const Candidates& candidates) {
    if (digit < 1 || digit > 9) return;
    pairsPressed_ = false;
    if (pressed_[digit] && digits_[digit] == 0) {
        // Shown pressed by a hint without being in the filter: a fresh
        // filter of this digit.
        digits_.fill(0);
        digits_[digit] = 1;
        count_ = 1;
    } else if (digits_[digit] == 1) {
        pressed_[digit] = false;
        digits_[digit] = 0;
        --count_;
    } else {
        pressed_[digit] = true;
        digits_[digit] = 1;
        ++count_;
    }
    Apply(highlight, candidates);
}

void CandidateFilter::Apply(Highlights& highlight, const Candidates& candidates) {
    for (int cell = 0; cell < 81; ++cell) {
        if (IsHintMark(highlight[cell])) continue;
        highlight[cell] = kNoMark;
        int matching = 0;
        for (int d = 1; d <= 9; ++d)
            if (digits_[d] == 1 && candidates.Has(cell, d)) ++matching;
        // An empty filter picks out nothing.
        if (count_ > 0 && matching == count_) highlight[cell] = kFilteredCell;
    }
    for (int d = 1; d <= 9; ++d) pressed_[d] = digits_[d] == 1;
}

void CandidateFilter::TogglePairs(Highlights& highlight, const Candidates& candidates) {
    ClearFilterMarks(highlight);
    if (pairsPressed_) {
        pairsPressed_ = false;
        return;
    }
    digits_.fill(0);
    pressed_.fill(false);
    pairsPressed_ = true;
    count_ = 0;
    for (int cell = 0; cell < 81; ++cell)
        if (!IsHintMark(highlight[cell]) && candidates.Count(cell) == 2)
            highlight[cell] = kFilteredCell;
}

void CandidateFilter::Cancel(Highlights& highlight) {
    ClearFilterMarks(highlight);
    pressed_.fill(false);
    pairsPressed_ = false;
    count_ = 0;
    digits_.fill(0);
}

} // namespace vemo::ui
