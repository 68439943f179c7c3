// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A potential is one candidate taken as true (on) or false (off). A chain
// starts from one potential and draws its consequences breadth first: an "on"
// candidate turns off every candidate it sees; an "off" candidate turns on the
// other candidate of a cell left with two, and the other place of a digit left
// with two places in a unit. Each potential keeps the potentials it came from;
// the complexity of a conclusion is the number of its distinct ancestors.
//
// In a dynamic chain, every potential turned off is taken out of the grid, so
// that later steps see the singles it leaves; such a step also rests on the
// candidates taken out before it (its hidden parents). From level 1, a chain
// that has nothing left to draw asks other techniques for eliminations on its
// grid (its inner steps), and takes all those of the first kind that gives
// any:
//   level 1 ("+"): the simple techniques (locked candidates, subsets, fish);
//   level 2 (nested): then the forcing X-chains, then the forcing XY-chains;
//   level 3: then the multiple forcing chains (cell and unit, no new
//            placements along the way);
//   level 4: then the dynamic forcing chains.
// Each level adds the chains of the level below the dynamic ones, one kind at
// a time, so the inner chains never nest themselves. The cycles are left out:
// what a loop removes, a forcing chain from the removed candidate reaches too.
// An inner chain runs on the outer chain's grid; its eliminations rest on the
// candidates of the outer chain that it used: those taken out of a cell or a
// unit whose last candidates or places one of its strong links reads. The
// complexity of an elimination drawn by an inner chain adds that chain's own
// complexity, once, to every conclusion that descends from it.
#include "chaining.h"

namespace vemo::scale {

namespace {

constexpr int kSlots = 1458;
constexpr int kPool = 30000;
constexpr int kMadePool = 32768;
// A parent above kSlots is a potential of the outer chain, for an inner one.
constexpr int kOuter = kSlots;

int Slot(int cell, int digit, bool on) {
    return ((cell * 9 + digit - 1) << 1) | (on ? 1 : 0);
}
int SlotCell(int s) {
    return (s >> 1) / 9;
}
int SlotDigit(int s) {
    return (s >> 1) % 9 + 1;
}
bool SlotOn(int s) {
    return (s & 1) != 0;
}

// The potentials of one chain, in the order they were reached.
struct Branch {
    std::array<std::uint8_t, kSlots> has{};
    std::array<std::int32_t, kSlots> first{};
    std::array<std::uint16_t, kSlots> count{};
    // The complexity of the inner chain that drew the potential (0 for most).
    std::array<std::int32_t, kSlots> extra{};
    std::array<std::int16_t, kSlots> order{};
    int size = 0;
    std::array<std::int16_t, kPool> pool{};
    int used = 0;

    void Clear() {
        for (int i = 0; i < size; ++i) has[order[i]] = 0;
        size = 0;
        used = 0;
    }
    bool Add(int s, const std::int16_t* parents, int n, int nested = 0) {
        if (has[s]) return false;
        if (used + n > kPool) n = kPool - used;
        has[s] = 1;
        first[s] = used;
        count[s] = static_cast<std::uint16_t>(n);
        extra[s] = nested;
        for (int i = 0; i < n; ++i) pool[used++] = parents[i];
        order[size++] = static_cast<std::int16_t>(s);
        return true;
    }
};

// Potentials just drawn, with their parents, before they join a branch.
struct Made {
    int slot = 0;
    int first = 0;
    int count = 0;
    int extra = 0;
};
struct MadeList {
    std::array<Made, 729> items{};
    int n = 0;
    std::array<std::int16_t, kMadePool> pool{};
    int used = 0;

    void Clear() {
        n = 0;
        used = 0;
    }
    bool Contains(int slot) const {
        for (int i = 0; i < n; ++i)
            if (items[i].slot == slot) return true;
        return false;
    }
    // Starts a potential with one parent; more may follow with AddParent.
    void Push(int slot, int parent) {
        if (n >= static_cast<int>(items.size()) || used >= kMadePool) return;
        items[n++] = {slot, used, 1, 0};
        pool[used++] = static_cast<std::int16_t>(parent);
    }
    void PushNoParent(int slot) {
        if (n >= static_cast<int>(items.size())) return;
        items[n++] = {slot, used, 0, 0};
    }
    void AddParent(int parent) {
        if (used >= kMadePool) return;
        pool[used++] = static_cast<std::int16_t>(parent);
        ++items[n - 1].count;
    }
    const std::int16_t* Parents(const Made& m) const { return &pool[m.first]; }
};

struct Queue {
    std::array<std::int16_t, kSlots> items{};
    int head = 0, tail = 0;
    void Clear() { head = tail = 0; }
    bool Empty() const { return head == tail; }
    void Push(int s) {
        if (tail < kSlots) items[tail++] = static_cast<std::int16_t>(s);
    }
    int Pop() { return items[head++]; }
};

} // namespace

// The walk of the loops: every "off" potential reached, with the "on" one it
// came from, and for every "on" potential the entry it came from.
constexpr int kCycleEntries = 24000;
struct CycleWalk {
    std::array<std::int16_t, kCycleEntries> offSlot{};
    std::array<std::int16_t, kCycleEntries> offParent{};
    std::array<std::int32_t, kSlots> onEntry{};
    int entries = 0;
};

// The eliminations of an inner chain, by candidate (cell * 9 + digit - 1),
// each with the easiest chain that gives it and the outer potentials it uses.
constexpr int kSinkPool = 65536;
struct InnerFound {
    int difficulty = 0;
    int complexity = 0;
    int first = 0;
    int count = 0;
};
struct InnerSink {
    std::array<std::uint8_t, 729> has{};
    std::array<InnerFound, 729> found{};
    std::array<std::int16_t, 729> order{};
    int n = 0;
    std::array<std::int16_t, kSinkPool> pool{};
    int used = 0;

    void Clear() {
        for (int i = 0; i < n; ++i) has[order[i]] = 0;
        n = 0;
        used = 0;
    }
};

// The links of a grid that does not change, as sets of cells by digit, to
// tell quickly what a static chain can reach before it is drawn in full.
struct StaticGraph {
    std::array<Bits81, 81> unitPeers{};
    std::array<std::array<Bits81, 81>, 9> strong{}; // [d - 1][cell]: the other place of a pair
    bool bars = false;
};
// Everything a static chain from one potential reaches, by digit.
struct Closure {
    std::array<Bits81, 9> on{};
    std::array<Bits81, 9> off{};
};

void MakeGraph(const Rules& rules, const Position& pos, StaticGraph& g) {
    g.bars = false;
    for (int c = 0; c < 81; ++c) {
        Bits81 peers = 0;
        for (int k = 0; k < rules.cellUnitCount[c]; ++k) peers |= rules.Unit(rules.cellUnits[c][k]);
        g.unitPeers[c] = peers & ~CellBit(c);
        if (rules.HasBars(c)) g.bars = true;
    }
    for (int d = 1; d <= 9; ++d) {
        auto& strong = g.strong[d - 1];
        strong.fill(0);
        for (int u = 0; u < rules.unitCount; ++u) {
            const Bits81 at = pos.Places(d) & rules.Unit(rules.order[u]);
            if (CountCells(at) != 2) continue;
            const int a = FirstCell(at);
            const int b = FirstCell(at & ~CellBit(a));
            strong[a] |= CellBit(b);
            strong[b] |= CellBit(a);
        }
    }
}

// Draws the closure of `source` by the links of OnToOff and OffToOn (no
// bars); true as soon as it reaches `stop` (-1: never, the closure in full).
bool Close(const Position& pos, const StaticGraph& g, int source, bool y, bool x, int stop,
           Closure& out) {
    out.on.fill(0);
    out.off.fill(0);
    std::array<Bits81, 9> newOn{}, newOff{};
    const int sc = (source >> 1) / 9, sd = (source >> 1) % 9;
    ((source & 1) != 0 ? out.on : out.off)[sd] = CellBit(sc);
    ((source & 1) != 0 ? newOn : newOff)[sd] = CellBit(sc);
    const int tc = stop >= 0 ? (stop >> 1) / 9 : 0, td = stop >= 0 ? (stop >> 1) % 9 : 0;
    const bool tOn = stop >= 0 && (stop & 1) != 0;
    const auto reached = [&] { return stop >= 0 && HasCell((tOn ? out.on : out.off)[td], tc); };
    bool any = true;
    while (any) {
        any = false;
        for (int d = 0; d < 9; ++d) {
            const Bits81 fr = newOn[d];
            if (fr == 0) continue;
            newOn[d] = 0;
            ForEachCell(fr, [&](int c) {
                const Bits81 n = g.unitPeers[c] & pos.places[d] & ~out.off[d];
                out.off[d] |= n;
                newOff[d] |= n;
                if (!y) return;
                unsigned m = pos.mask[c] & ~(1u << d);
                while (m != 0) {
                    const int e = std::countr_zero(m);
                    m &= m - 1;
                    if (HasCell(out.off[e], c)) continue;
                    out.off[e] |= CellBit(c);
                    newOff[e] |= CellBit(c);
                }
            });
        }
        if (reached()) return true;
        for (int d = 0; d < 9; ++d) {
            const Bits81 fr = newOff[d];
            if (fr == 0) continue;
            newOff[d] = 0;
            any = true;
            ForEachCell(fr, [&](int c) {
                if (x) {
                    const Bits81 n = g.strong[d][c] & ~out.on[d];
                    out.on[d] |= n;
                    newOn[d] |= n;
                }
                if (y) {
                    const unsigned m = pos.mask[c];
                    if (Count(m) != 2 || ((m >> d) & 1) == 0) return;
                    const int e = std::countr_zero(m & ~(1u << d));
                    if (HasCell(out.on[e], c)) return;
                    out.on[e] |= CellBit(c);
                    newOn[e] |= CellBit(c);
                }
            });
        }
        if (reached()) return true;
        for (int d = 0; d < 9 && !any; ++d) any = newOn[d] != 0;
    }
    return false;
}

struct ChainWork {
    CycleWalk cycle;
    std::array<Branch, 9> cell;
    std::array<Branch, 9> region;
    Branch off;
    Branch unary;
    MadeList made;
    MadeList advanced;
    Queue on, offQueue;
    std::array<std::uint32_t, kSlots> seen{};
    std::uint32_t stamp = 0;
    std::array<std::int16_t, kSlots> stack{};
    // An inner chain: the outer potentials its conclusion uses.
    std::array<std::int16_t, kSlots> outerList{};
    int outerCount = 0;
    std::array<std::uint32_t, kSlots> outerSeen{};
    std::uint32_t outerStamp = 0;
    // The inner chains of a nested one, made at the first need.
    std::unique_ptr<ChainWork> inner;
    InnerSink sink;
    ScaleStep innerBest;
    StaticGraph graph;
    Closure closure;
    const std::atomic<bool>* stop = nullptr;
    std::array<Closure, 729> onClosure{}; // by candidate, cell * 9 + digit - 1
};

namespace {

struct Mode {
    bool multiple = false;
    bool dynamic = false;
    bool nishio = false;
    int level = 0;
};

class Chainer {
  public:
    Chainer(const Rules& rules, const Position& pos, ChainWork& w, Mode mode, ScaleStep& best)
        : rules_(rules), pos_(pos), w_(w), mode_(mode), best_(best) {}

    bool Unary();
    bool Multiple();
    // The forcing chains of Unary (no cycles), of one pass.
    bool ForcingChains(bool y, bool x);
    // Makes this chainer an inner one: its conclusions go to sink, with the
    // potentials of the outer chain (grid init, branch b) that they use.
    void Inside(const Position& init, const Branch& b, InnerSink& sink) {
        outerInit_ = &init;
        outerBranch_ = &b;
        sink_ = &sink;
    }

  private:
    const Rules& rules_;
    const Position& pos_;
    ChainWork& w_;
    Mode mode_;
    ScaleStep& best_;
    bool found_ = false;
    const Position* outerInit_ = nullptr;
    const Branch* outerBranch_ = nullptr;
    InnerSink* sink_ = nullptr;

    void OnToOff(const Position& cur, int p, bool y, MadeList& out) const;
    void OffToOn(const Position& cur, const Position& init, const Branch& b, int p, bool y, bool x,
                 MadeList& out) const;
    void Advanced(const Position& cur, const Position& init, const Branch& b, MadeList& out);
    void InnerChains(const Position& cur, const Position& init, const Branch& b, MadeList& out);
    void BeginConclusion() {
        ++w_.outerStamp;
        w_.outerCount = 0;
    }
    void NoteOuter(int slot) {
        if (w_.outerSeen[slot] == w_.outerStamp) return;
        w_.outerSeen[slot] = w_.outerStamp;
        w_.outerList[w_.outerCount++] = static_cast<std::int16_t>(slot);
    }
    void Collect(int difficulty, int complexity, int cell, int digit);
    int DoChaining(Branch& b);
    int Ancestors(const Branch& b, int slot);
    int AncestorsOfMade(const Branch& b, const MadeList& list, const Made& m);
    // Counts the slots reached from the `top` slots on the stack, all marked
    // with `stamp`, plus `n` counted already.
    int CountWalk(const Branch& b, std::uint32_t stamp, int top, int n);
    void Offer(int technique, int level, int difficulty, int complexity, int target);
    void OfferStep(const ScaleStep& step);

    void DoCycles(Branch& b, int source, bool y, bool x);
    void DoForcingChains(Branch& b, int source, bool y, bool x);
    void CycleHint(int source, int lastEntry, bool y, bool x);
    bool OnTheWay(int source, int on, int slot) const;
    void RegionChainings(int cell, int digit, Branch& onBranch);
    int BaseDifficulty() const {
        if (mode_.nishio) return 75;
        if (!mode_.dynamic) return 80;
        return 85 + 5 * mode_.level;
    }
    int Level() const { return mode_.dynamic && !mode_.nishio ? 1 + mode_.level : 0; }
};

void Chainer::OnToOff(const Position& cur, int p, bool y, MadeList& out) const {
    out.Clear();
    const int c = SlotCell(p);
    const int d = SlotDigit(p);
    if (y)
        for (int e = 1; e <= 9; ++e)
            if (e != d && cur.Has(c, e)) out.Push(Slot(c, e, false), p);
    Bits81 done = CellBit(c);
    for (int k = 0; k < rules_.cellUnitCount[c]; ++k) {
        const Bits81 at = cur.Places(d) & rules_.Unit(rules_.cellUnits[c][k]) & ~done;
        done |= at;
        ForEachCell(at, [&](int x) { out.Push(Slot(x, d, false), p); });
    }
    if (!rules_.HasBars(c)) return;
    for (int k = 1; k <= 4; ++k) {
        if (rules_.board->bars[c][k] < 0) continue;
        const int n = c + NeighbourOffsets[k];
        for (int e = 1; e <= 9; ++e)
            if (e != d && cur.Has(n, e) && rules_.board->Sees(c, d, n, e))
                out.Push(Slot(n, e, false), p);
    }
}

void Chainer::OffToOn(const Position& cur, const Position& init, const Branch& b, int p, bool y,
                      bool x, MadeList& out) const {
    out.Clear();
    const int c = SlotCell(p);
    const int d = SlotDigit(p);
    if (y) {
        const unsigned m = cur.mask[c];
        if (Count(m) == 2 && (m & Bit(d)) != 0) {
            const int other = FirstDigit(m & ~Bit(d));
            out.Push(Slot(c, other, true), p);
            const unsigned gone = init.mask[c] & ~m;
            for (int v = 1; v <= 9; ++v)
                if (((gone >> (v - 1)) & 1) != 0 && b.has[Slot(c, v, false)])
                    out.AddParent(Slot(c, v, false));
            if (outerInit_ != nullptr) {
                const unsigned outerGone = outerInit_->mask[c] & ~init.mask[c];
                for (int v = 1; v <= 9; ++v)
                    if (((outerGone >> (v - 1)) & 1) != 0 && outerBranch_->has[Slot(c, v, false)])
                        out.AddParent(kOuter + Slot(c, v, false));
            }
        }
    }
    if (x) {
        for (int k = 0; k < rules_.cellUnitCount[c]; ++k) {
            const Bits81 unit = rules_.Unit(rules_.cellUnits[c][k]);
            const Bits81 at = cur.Places(d) & unit;
            if (CountCells(at) != 2 || !HasCell(at, c)) continue;
            const int other = FirstCell(at & ~CellBit(c));
            const int s = Slot(other, d, true);
            if (out.Contains(s)) continue;
            out.Push(s, p);
            ForEachCell(init.Places(d) & unit & ~at, [&](int g) {
                if (b.has[Slot(g, d, false)]) out.AddParent(Slot(g, d, false));
            });
            if (outerInit_ != nullptr)
                ForEachCell(outerInit_->Places(d) & unit & ~init.Places(d), [&](int g) {
                    if (outerBranch_->has[Slot(g, d, false)])
                        out.AddParent(kOuter + Slot(g, d, false));
                });
        }
    }
}

void Chainer::Advanced(const Position& cur, const Position& init, const Branch& b, MadeList& out) {
    out.Clear();
    const auto collect = [&](const ScaleStep& step) {
        for (int i = 0; i < step.eliminationCount; ++i) {
            const auto& e = step.eliminations[i];
            const int s = Slot(e.cell, e.digit, false);
            if (out.Contains(s)) continue;
            out.PushNoParent(s);
            ForEachCell(step.basisCells, [&](int c) {
                const unsigned gone = init.mask[c] & ~cur.mask[c] & step.basisDigits;
                for (int v = 1; v <= 9; ++v)
                    if (((gone >> (v - 1)) & 1) != 0 && b.has[Slot(c, v, false)])
                        out.AddParent(Slot(c, v, false));
            });
        }
        return false;
    };
    if (FindLocked(rules_, cur, true, false, collect) || out.n > 0) {}
    if (out.n == 0) FindLocked(rules_, cur, false, false, collect);
    for (int size = 2; size <= 4 && out.n == 0; ++size) {
        FindHiddenSubset(rules_, cur, size, false, collect);
        if (out.n == 0) FindNakedSubset(rules_, cur, size, collect);
        if (out.n == 0) FindFish(rules_, cur, size, collect);
    }
    if (out.n == 0 && mode_.level >= 2) InnerChains(cur, init, b, out);
}

void Chainer::InnerChains(const Position& cur, const Position& init, const Branch& b,
                          MadeList& out) {
    if (!w_.inner) w_.inner = std::make_unique<ChainWork>();
    ChainWork& iw = *w_.inner;
    InnerSink& sink = w_.sink;
    // Runs one kind of inner chain on the outer grid; takes its eliminations.
    const auto run = [&](Mode mode, auto&& find) {
        sink.Clear();
        Chainer inner(rules_, cur, iw, mode, iw.innerBest);
        inner.Inside(init, b, sink);
        find(inner);
        for (int i = 0; i < sink.n; ++i) {
            const int k = sink.order[i];
            const InnerFound& f = sink.found[k];
            const int before = out.n;
            out.PushNoParent(Slot(k / 9, k % 9 + 1, false));
            if (out.n == before) break;
            out.items[out.n - 1].extra = f.complexity;
            for (int j = 0; j < f.count; ++j) out.AddParent(sink.pool[f.first + j]);
        }
        return out.n > 0;
    };
    if (run(Mode{}, [](Chainer& c) { c.ForcingChains(false, true); })) return;
    if (run(Mode{}, [](Chainer& c) { c.ForcingChains(true, true); })) return;
    if (mode_.level >= 3 && run(Mode{true, false, false, 0}, [](Chainer& c) { c.Multiple(); }))
        return;
    if (mode_.level >= 4) run(Mode{true, true, false, 0}, [](Chainer& c) { c.Multiple(); });
}

// An inner chain's elimination of digit in cell: the easiest chain for it.
void Chainer::Collect(int difficulty, int complexity, int cell, int digit) {
    InnerSink& sink = *sink_;
    const int k = cell * 9 + digit - 1;
    InnerFound& f = sink.found[k];
    if (sink.has[k]) {
        if (difficulty > f.difficulty || (difficulty == f.difficulty && complexity >= f.complexity))
            return;
    } else {
        sink.has[k] = 1;
        sink.order[sink.n++] = static_cast<std::int16_t>(k);
    }
    f.difficulty = difficulty;
    f.complexity = complexity;
    f.first = sink.used;
    const int room = kSinkPool - sink.used;
    f.count = w_.outerCount < room ? w_.outerCount : room;
    for (int i = 0; i < f.count; ++i) sink.pool[sink.used++] = w_.outerList[i];
}

int Chainer::Ancestors(const Branch& b, int slot) {
    const std::uint32_t stamp = ++w_.stamp;
    w_.seen[slot] = stamp;
    w_.stack[0] = static_cast<std::int16_t>(slot);
    return CountWalk(b, stamp, 1, 0);
}

int Chainer::AncestorsOfMade(const Branch& b, const MadeList& list, const Made& m) {
    const std::uint32_t stamp = ++w_.stamp;
    int top = 0;
    w_.seen[m.slot] = stamp;
    for (int i = 0; i < m.count; ++i) {
        const int q = list.Parents(m)[i];
        if (q >= kOuter) {
            NoteOuter(q - kOuter);
            continue;
        }
        if (w_.seen[q] == stamp) continue;
        w_.seen[q] = stamp;
        w_.stack[top++] = static_cast<std::int16_t>(q);
    }
    return CountWalk(b, stamp, top, 1);
}

int Chainer::CountWalk(const Branch& b, std::uint32_t stamp, int top, int n) {
    while (top > 0) {
        const int s = w_.stack[--top];
        n += 1 + b.extra[s];
        for (int i = 0; i < b.count[s]; ++i) {
            const int q = b.pool[b.first[s] + i];
            if (q >= kOuter) {
                NoteOuter(q - kOuter);
                continue;
            }
            if (w_.seen[q] == stamp) continue;
            w_.seen[q] = stamp;
            w_.stack[top++] = static_cast<std::int16_t>(q);
        }
    }
    return n;
}

bool Better(int difficulty, int complexity, const ScaleStep& best) {
    return difficulty < best.difficulty ||
           (difficulty == best.difficulty && complexity < best.complexity);
}

void Chainer::OfferStep(const ScaleStep& step) {
    if (step.eliminationCount == 0 || !Better(step.difficulty, step.complexity, best_)) return;
    best_ = step;
    found_ = true;
}

// The conclusion `target`: an "on" potential places its digit (every other
// candidate of its cell goes), an "off" one removes its candidate.
void Chainer::Offer(int technique, int level, int difficulty, int complexity, int target) {
    const int c = SlotCell(target);
    const int d = SlotDigit(target);
    if (sink_ != nullptr) {
        if (SlotOn(target)) {
            for (int e = 1; e <= 9; ++e)
                if (e != d && pos_.Has(c, e)) Collect(difficulty, complexity, c, e);
        } else if (pos_.Has(c, d)) {
            Collect(difficulty, complexity, c, d);
        }
        found_ = true;
        return;
    }
    if (!Better(difficulty, complexity, best_)) return;
    if (SlotOn(target)) {
        if ((pos_.mask[c] & ~Bit(d)) == 0) return;
    } else if (!pos_.Has(c, d)) {
        return;
    }
    best_.technique = technique;
    best_.chainLevel = level;
    best_.difficulty = difficulty;
    best_.complexity = complexity;
    best_.placeCell = -1;
    best_.placeDigit = 0;
    best_.eliminationCount = 0;
    best_.basisCells = 0;
    best_.basisDigits = 0;
    if (SlotOn(target)) {
        for (int e = 1; e <= 9; ++e)
            if (e != d && pos_.Has(c, e)) best_.Eliminate(c, e);
    } else {
        best_.Eliminate(c, d);
    }
    found_ = true;
}

int Chainer::DoChaining(Branch& b) {
    Position cur = pos_;
    const Position& init = pos_;
    Queue& on = w_.on;
    Queue& off = w_.offQueue;
    on.Clear();
    off.Clear();
    for (int i = 0; i < b.size; ++i) (SlotOn(b.order[i]) ? on : off).Push(b.order[i]);
    MadeList& made = w_.made;
    const bool y = !mode_.nishio;
    while (!on.Empty() || !off.Empty()) {
        if (!on.Empty()) {
            const int p = on.Pop();
            OnToOff(cur, p, y, made);
            for (int i = 0; i < made.n; ++i) {
                const Made& m = made.items[i];
                if (b.has[m.slot ^ 1]) {
                    BeginConclusion();
                    return Ancestors(b, m.slot ^ 1) + AncestorsOfMade(b, made, m);
                }
                if (b.Add(m.slot, made.Parents(m), m.count)) off.Push(m.slot);
            }
        } else {
            const int p = off.Pop();
            OffToOn(cur, init, b, p, y, true, made);
            if (mode_.dynamic) cur.Remove(SlotCell(p), SlotDigit(p));
            for (int i = 0; i < made.n; ++i) {
                const Made& m = made.items[i];
                if (b.has[m.slot ^ 1]) {
                    BeginConclusion();
                    return AncestorsOfMade(b, made, m) + Ancestors(b, m.slot ^ 1);
                }
                if (b.Add(m.slot, made.Parents(m), m.count)) on.Push(m.slot);
            }
        }
        if (mode_.level > 0 && on.Empty() && off.Empty()) {
            MadeList& adv = w_.advanced;
            Advanced(cur, init, b, adv);
            for (int i = 0; i < adv.n; ++i) {
                const Made& m = adv.items[i];
                if (b.Add(m.slot, adv.Parents(m), m.count, m.extra)) off.Push(m.slot);
            }
        }
    }
    return -1;
}

// ---- Cycles and forcing chains of one start ----------------------------------

void Chainer::CycleHint(int source, int lastEntry, bool y, bool x) {
    // The loop's potentials, from the last "off" back to the source.
    CycleWalk& walk = w_.cycle;
    std::array<int, kSlots> nodes{};
    int n = 0;
    for (int e = lastEntry; e >= 0 && n + 2 <= kSlots;) {
        nodes[n++] = walk.offSlot[e];
        const int on = walk.offParent[e];
        nodes[n++] = on;
        if (on == source) break;
        e = walk.onEntry[on];
    }
    // Forward, every "on" potential cancels what it sees; backward, every
    // "off" one does. What both directions cancel goes.
    std::array<std::uint8_t, kSlots> forward{};
    std::array<std::uint8_t, kSlots> loop{};
    MadeList& made = w_.made;
    for (int i = 0; i < n; ++i) loop[nodes[i] & ~1] = 1;
    ScaleStep step;
    step.technique = x && y ? kXYCycle : x ? kXCycle : kYCycle;
    // The complexity of a loop: its potentials, the source once.
    const int complexity = n;
    step.complexity = complexity;
    step.difficulty = (x && y ? 70 : 65) + LengthIncrement(complexity);
    if (!Better(step.difficulty, step.complexity, best_)) return;
    for (int i = 0; i < n; ++i) {
        if (!SlotOn(nodes[i])) continue;
        OnToOff(pos_, nodes[i], y, made);
        for (int j = 0; j < made.n; ++j) forward[made.items[j].slot] = 1;
    }
    for (int i = 0; i < n; ++i) {
        if (SlotOn(nodes[i])) continue;
        OnToOff(pos_, nodes[i] | 1, y, made);
        for (int j = 0; j < made.n; ++j) {
            const int t = made.items[j].slot;
            if (forward[t] && !loop[t & ~1]) {
                forward[t] = 0; // once
                step.Eliminate(SlotCell(t), SlotDigit(t));
            }
        }
    }
    OfferStep(step);
}

// True when the "off" potential `slot` is already on the way from the source
// to the "on" potential `on`.
bool Chainer::OnTheWay(int source, int on, int slot) const {
    const CycleWalk& walk = w_.cycle;
    while (on != source) {
        const int e = walk.onEntry[on];
        if (walk.offSlot[e] == slot) return true;
        on = walk.offParent[e];
    }
    return false;
}

// Breadth first from `source`, "on" potentials once each, an "off" one once
// for every way it is reached that does not pass through it already: a loop
// closes when an "off" potential turns the source on again.
void Chainer::DoCycles(Branch& b, int source, bool y, bool x) {
    b.Clear();
    b.Add(source, nullptr, 0);
    CycleWalk& walk = w_.cycle;
    walk.entries = 0;
    Queue& on = w_.on;
    on.Clear();
    on.Push(source);
    MadeList& made = w_.made;
    int length = 0;
    while (!on.Empty()) {
        ++length;
        const int offFirst = walk.entries;
        while (!on.Empty()) {
            const int p = on.Pop();
            OnToOff(pos_, p, y, made);
            for (int i = 0; i < made.n; ++i) {
                const int s = made.items[i].slot;
                if (walk.entries >= kCycleEntries) break;
                if (OnTheWay(source, p, s)) continue;
                walk.offSlot[walk.entries] = static_cast<std::int16_t>(s);
                walk.offParent[walk.entries] = static_cast<std::int16_t>(p);
                ++walk.entries;
            }
        }
        ++length;
        const int offLast = walk.entries;
        for (int e = offFirst; e < offLast; ++e) {
            OffToOn(pos_, pos_, b, walk.offSlot[e], y, x, made);
            // The made list is reused by the hint: keep what this step drew.
            std::array<int, 8> drawn{};
            const int count = made.n < 8 ? made.n : 8;
            for (int i = 0; i < count; ++i) drawn[i] = made.items[i].slot;
            for (int i = 0; i < count; ++i) {
                if (length >= 4 && drawn[i] == source) CycleHint(source, e, y, x);
                if (b.Add(drawn[i], nullptr, 0)) {
                    walk.onEntry[drawn[i]] = static_cast<std::int16_t>(e);
                    on.Push(drawn[i]);
                }
            }
        }
    }
}

void Chainer::DoForcingChains(Branch& b, int source, bool y, bool x) {
    Queue& on = w_.on;
    Queue& off = w_.offQueue;
    on.Clear();
    off.Clear();
    for (int i = 0; i < b.size; ++i) (SlotOn(b.order[i]) ? on : off).Push(b.order[i]);
    MadeList& made = w_.made;
    bool done = false;
    const int tech = x && y ? kForcingXYChain : x ? kForcingXChain : kForcingYChain;
    const int base = x && y ? 70 : 66;
    while (!on.Empty() || !off.Empty()) {
        while (!on.Empty()) {
            const int p = on.Pop();
            OnToOff(pos_, p, y, made);
            for (int i = 0; i < made.n; ++i) {
                const Made& m = made.items[i];
                if ((m.slot ^ 1) == source && !done) {
                    done = true;
                    BeginConclusion();
                    const int cx = AncestorsOfMade(b, made, m);
                    Offer(tech, 0, base + LengthIncrement(cx), cx, m.slot);
                }
                if (b.Add(m.slot, made.Parents(m), m.count)) off.Push(m.slot);
            }
        }
        while (!off.Empty()) {
            const int p = off.Pop();
            OffToOn(pos_, pos_, b, p, y, x, made);
            for (int i = 0; i < made.n; ++i) {
                const Made& m = made.items[i];
                if ((m.slot ^ 1) == source && !done) {
                    done = true;
                    BeginConclusion();
                    const int cx = AncestorsOfMade(b, made, m);
                    Offer(tech, 0, base + LengthIncrement(cx), cx, m.slot);
                }
                if (b.Add(m.slot, made.Parents(m), m.count)) on.Push(m.slot);
            }
        }
    }
}

bool Chainer::Unary() {
    Branch& b = w_.unary;
    static constexpr std::array<std::array<bool, 2>, 3> kPasses = {
        {{false, true}, {true, false}, {true, true}}};
    for (const auto& pass : kPasses) {
        const bool y = pass[0], x = pass[1];
        ForEachCell(pos_.empty, [&](int c) {
            const unsigned m = pos_.mask[c];
            if (Count(m) > 2 && !x) return;
            for (int d = 1; d <= 9; ++d) {
                if (((m >> (d - 1)) & 1) == 0) continue;
                const int on = Slot(c, d, true);
                DoCycles(b, on, y, x);
                if (x) {
                    b.Clear();
                    b.Add(on, nullptr, 0);
                    DoForcingChains(b, on, y, x);
                }
                if (!x) continue; // cell links alone: cycles only
                b.Clear();
                b.Add(on ^ 1, nullptr, 0);
                DoForcingChains(b, on ^ 1, y, x);
            }
        });
    }
    return found_;
}

bool Chainer::ForcingChains(bool y, bool x) {
    Branch& b = w_.unary;
    // A start whose closure never reaches its opposite gives nothing: only
    // the others are drawn with their parents.
    MakeGraph(rules_, pos_, w_.graph);
    const bool filter = !w_.graph.bars;
    ForEachCell(pos_.empty, [&](int c) {
        const unsigned m = pos_.mask[c];
        for (int d = 1; d <= 9; ++d) {
            if (((m >> (d - 1)) & 1) == 0) continue;
            const int on = Slot(c, d, true);
            if (!filter || Close(pos_, w_.graph, on, y, x, on ^ 1, w_.closure)) {
                b.Clear();
                b.Add(on, nullptr, 0);
                DoForcingChains(b, on, y, x);
            }
            if (!filter || Close(pos_, w_.graph, on ^ 1, y, x, on, w_.closure)) {
                b.Clear();
                b.Add(on ^ 1, nullptr, 0);
                DoForcingChains(b, on ^ 1, y, x);
            }
        }
    });
    return found_;
}

// ---- Multiple and dynamic forcing chains -------------------------------------

void Chainer::RegionChainings(int cell, int digit, Branch& onBranch) {
    for (int k = 0; k < rules_.cellUnitCount[cell]; ++k) {
        const Bits81 at = pos_.Places(digit) & rules_.Unit(rules_.cellUnits[cell][k]);
        const int card = CountCells(at);
        if (!(card == 2 || (mode_.multiple && card > 2))) continue;
        if (FirstCell(at) != cell) continue;
        std::array<Branch*, 9> branches{};
        int n = 0;
        ForEachCell(at, [&](int x) {
            if (x == cell) {
                branches[n] = &onBranch;
            } else {
                Branch& r = w_.region[n];
                r.Clear();
                r.Add(Slot(x, digit, true), nullptr, 0);
                DoChaining(r);
                branches[n] = &r;
            }
            ++n;
        });
        for (int pass = 1; pass >= 0; --pass)
            for (int i = 0; i < onBranch.size; ++i) {
                const int s = onBranch.order[i];
                if ((s & 1) != pass) continue;
                bool all = true;
                for (int j = 0; j < n && all; ++j) all = branches[j]->has[s] != 0;
                if (!all) continue;
                BeginConclusion();
                int cx = 0;
                for (int j = 0; j < n; ++j) cx += Ancestors(*branches[j], s);
                Offer(kUnitForcingChains, Level(), BaseDifficulty() + LengthIncrement(cx), cx, s);
            }
    }
}

bool Chainer::Multiple() {
    const bool stoppable = mode_.level >= 2 && w_.stop != nullptr;
    ForEachCell(pos_.empty, [&](int c) {
        if (stoppable && w_.stop->load(std::memory_order_relaxed)) {
            found_ = false;
            return;
        }
        const unsigned m = pos_.mask[c];
        const int card = Count(m);
        if (!(card > 2 || (card > 1 && mode_.dynamic))) return;
        int nv = 0;
        for (int d = 1; d <= 9; ++d) {
            if (((m >> (d - 1)) & 1) == 0) continue;
            Branch& on = w_.cell[nv++];
            const int pOn = Slot(c, d, true);
            const bool doDouble = card >= 3 && !mode_.nishio && mode_.dynamic;
            const bool doContradiction = mode_.dynamic || mode_.nishio;
            const int contraTech = mode_.nishio ? kNishio : kContradictionForcingChains;
            on.Clear();
            on.Add(pOn, nullptr, 0);
            const int c1 = DoChaining(on);
            if (doContradiction && c1 >= 0)
                Offer(contraTech, Level(), BaseDifficulty() + LengthIncrement(c1), c1, pOn ^ 1);
            Branch& off = w_.off;
            off.Clear();
            off.Add(pOn ^ 1, nullptr, 0);
            const int c2 = DoChaining(off);
            if (doContradiction && c2 >= 0)
                Offer(contraTech, Level(), BaseDifficulty() + LengthIncrement(c2), c2, pOn);
            if (doDouble)
                for (int pass = 1; pass >= 0; --pass)
                    for (int i = 0; i < on.size; ++i) {
                        const int s = on.order[i];
                        if ((s & 1) != pass || !off.has[s]) continue;
                        BeginConclusion();
                        const int cx = Ancestors(on, s) + Ancestors(off, s);
                        Offer(kDoubleImplicationForcingChains, Level(),
                              BaseDifficulty() + LengthIncrement(cx), cx, s);
                    }
            if (!mode_.nishio) RegionChainings(c, d, on);
        }
        if (!mode_.nishio && (card == 2 || (mode_.multiple && card > 2))) {
            for (int pass = 1; pass >= 0; --pass)
                for (int i = 0; i < w_.cell[0].size; ++i) {
                    const int s = w_.cell[0].order[i];
                    if ((s & 1) != pass) continue;
                    bool all = true;
                    for (int j = 1; j < nv && all; ++j) all = w_.cell[j].has[s] != 0;
                    if (!all) continue;
                    BeginConclusion();
                    int cx = 0;
                    for (int j = 0; j < nv; ++j) cx += Ancestors(w_.cell[j], s);
                    Offer(kCellForcingChains, Level(), BaseDifficulty() + LengthIncrement(cx), cx,
                          s);
                }
        }
    });
    return found_;
}

} // namespace

Chaining::Chaining() : work_(std::make_unique<ChainWork>()) {}
Chaining::~Chaining() = default;

bool Chaining::FindUnary(const Rules& rules, const Position& pos, ScaleStep& best) {
    Chainer chainer(rules, pos, *work_, Mode{}, best);
    return chainer.Unary();
}

bool Chaining::FindMultiple(const Rules& rules, const Position& pos, bool multiple, bool dynamic,
                            bool nishio, int level, ScaleStep& best) {
    Chainer chainer(rules, pos, *work_, Mode{multiple, dynamic, nishio, level}, best);
    const bool found = chainer.Multiple();
    return found && !(level >= 2 && work_->stop != nullptr && work_->stop->load());
}

void Chaining::SetStop(const std::atomic<bool>* stop) {
    work_->stop = stop;
}

} // namespace vemo::scale
