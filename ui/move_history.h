// The game as a stack of whole positions, one per move: undo and redo copy a
// stored snapshot back, nothing is replayed.
#pragma once

#include "engine/candidates.h"
#include "engine/grid.h"

#include <array>
#include <vector>

namespace vemo::ui {

enum MoveKind : int { kNoMove = 0, kPlacedDigit = 1, kRemovedCandidate = 2, kPlayedHint = 3 };

struct MoveRecord {
    int kind = kNoMove;
    int cell = 0;
    int digit = 0;
};

struct Snapshot {
    Grid cells;
    Candidates candidates = Candidates::Full();
    int filledCount = 0;
};

class MoveHistory {
  public:
    // Snapshot slots 0..150 and move records 0..149; level 0 is never used.
    static constexpr int kSnapshotSlots = 151;
    static constexpr int kRecordSlots = 150;
    // A push from level L writes records L and L + 1, so the records bound the
    // highest level a game can reach.
    static constexpr int kTopLevel = kRecordSlots - 1;

    // A new game: no record, level 1 holds the starting position.
    void Reset(const Snapshot& start);
    // Clears the records and returns to level 1 without touching its snapshot.
    void Rewind();
    void SaveLevel(int level, const Snapshot& position) { snapshots_[level] = position; }

    // Records the move from the current level and saves the position it led to
    // as the level above. At the top level the oldest level is dropped first,
    // so that a long game keeps its most recent moves.
    void Push(const MoveRecord& move, const Snapshot& position);
    // Steps down or up; false (and nothing changes) when there is no level.
    bool Undo();
    bool Redo();

    bool CanUndo() const { return level_ > 1; }
    bool CanRedo() const { return records_[level_].kind > kNoMove; }
    int MoveLevel() const { return level_; }
    const Snapshot& Current() const { return snapshots_[level_]; }
    const MoveRecord& Record(int level) const { return records_[level]; }
    const Snapshot& At(int level) const { return snapshots_[level]; }
    // The highest level that redo can reach from the current one.
    int LastLevel() const;
    // A kept game's history: levels 1..levels.size(), moves[k - 1] leading from
    // level k to k + 1, and the level on the board. False, and nothing
    // changes, when they do not fit.
    bool Load(const std::vector<Snapshot>& levels, const std::vector<MoveRecord>& moves, int level);

  private:
    void DropOldestLevel();

    std::array<Snapshot, kSnapshotSlots> snapshots_{};
    std::array<MoveRecord, kRecordSlots> records_{};
    int level_ = 1;
};

} // namespace vemo::ui
