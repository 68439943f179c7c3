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

int MoveHistory::LastLevel() const {
    int last = level_;
    while (last < kTopLevel && records_[last].kind > kNoMove) ++last;
    return last;
}

bool MoveHistory::Load(const std::vector<Snapshot>& levels, const std::vector<MoveRecord>& moves,
                       int level) {
    const int count = static_cast<int>(levels.size());
    if (count < 1 || count > kTopLevel || static_cast<int>(moves.size()) != count - 1 ||
        level < 1 || level > count)
        return false;
    for (const MoveRecord& move : moves)
        if (move.kind <= kNoMove) return false;
    records_.fill(MoveRecord{});
    for (int k = 1; k <= count; ++k) snapshots_[k] = levels[k - 1];
    for (int k = 1; k < count; ++k) records_[k] = moves[k - 1];
    level_ = level;
    return true;
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
