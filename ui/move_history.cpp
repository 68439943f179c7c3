// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "move_history.h"

#include <algorithm>

namespace vemo::ui {

void MoveHistory::Reset(const Snapshot& start) {
    Rewind();
    snapshots_[1] = start;
}

void MoveHistory::Rewind() {
    // Every record, not only those of the first hundred levels: an old game's
    // records above the new game's top must not come back through redo.
    records_.fill(MoveRecord{});
    level_ = 1;
}

void MoveHistory::DropOldestLevel() {
    std::move(snapshots_.begin() + 2, snapshots_.begin() + kTopLevel + 1, snapshots_.begin() + 1);
    std::move(records_.begin() + 2, records_.begin() + kTopLevel + 1, records_.begin() + 1);
    records_[kTopLevel] = MoveRecord{};
    --level_;
}

void MoveHistory::Push(const MoveRecord& move, const Snapshot& position) {
    if (level_ >= kTopLevel) DropOldestLevel();
    records_[level_] = move;
    ++level_;
    records_[level_].kind = kNoMove;
    snapshots_[level_] = position;
}

bool MoveHistory::Undo() {
    if (!CanUndo()) return false;
    --level_;
    return true;
}

bool MoveHistory::Redo() {
    if (!CanRedo()) return false;
    ++level_;
    return true;
}

} // namespace vemo::ui
