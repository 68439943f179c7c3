// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The chaining techniques of the scale: cycles and forcing X, Y and XY chains,
// Nishio, multiple and dynamic forcing chains, with the simple techniques
// inside at level 1.
#pragma once

#include "position.h"

#include <atomic>
#include <memory>

namespace vemo::scale {

struct ChainWork;

class Chaining {
  public:
    Chaining();
    ~Chaining();
    Chaining(const Chaining&) = delete;
    Chaining& operator=(const Chaining&) = delete;

    // Cycles and forcing chains of one or both kinds of link: the easiest into
    // best. True when one was found.
    bool FindUnary(const Rules& rules, const Position& pos, ScaleStep& best);
    // Nishio (nishio), multiple (!dynamic) or dynamic forcing chains, the
    // simple techniques inside from level 1.
    bool FindMultiple(const Rules& rules, const Position& pos, bool multiple, bool dynamic,
                      bool nishio, int level, ScaleStep& best);

    // The nested chains (levels 2 to 4) give up, finding nothing, once *stop
    // is true: they may take seconds on the hardest puzzles.
    void SetStop(const std::atomic<bool>* stop);

  private:
    std::unique_ptr<ChainWork> work_;
};

} // namespace vemo::scale
