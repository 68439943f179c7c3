// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/practice_filler.h"

#include "ui/pool_filler.h"

#include "engine/advanced/practice.h"

#include <QMetaObject>
#include <QPointer>

#include <chrono>
#include <cstdio>
#include <random>

namespace vemo::ui {

namespace {

// Puzzles made for one technique before the worker looks at the pool again.
constexpr long long kGenerationsPerTurn = 25;
// Puzzles made for a technique without one found before it is left alone.
constexpr long long kGenerationsBeforeGivingUp = 2000;

} // namespace

PracticeFiller::PracticeFiller(const QString& poolPath, QObject* parent)
    : QObject(parent),
      pool_(poolPath.toStdString(), io::kPracticePerTechnique, io::PoolKind::kPractice) {}

PracticeFiller::~PracticeFiller() {
    Stop();
}

std::optional<Engine> PracticeFiller::Take(const Engine& settings, int technique) {
    std::string problem;
    const std::optional<io::PooledPuzzle> puzzle = pool_.TakeTechnique(technique, &problem);
    if (!problem.empty()) Report(problem);
    if (!puzzle) return std::nullopt;
    Engine ready = settings;
    ready.MessagePump = nullptr;
    io::InstallPooled(ready, *puzzle);
    wake_.notify_all(); // room again for that technique
    return ready;
}

void PracticeFiller::Keep(const Engine& puzzle, int technique) {
    // Each technique on its own kind of grid: a classic one but for the
    // impossible neighbour.
    const practice::PracticeTechnique* entry = practice::PracticeEntry(technique);
    if (entry == nullptr || puzzle.VariantKind != entry->variant || puzzle.XSudoku != 0) return;
    io::PooledPuzzle pooled = io::PooledFromEngine(
        puzzle, io::PoolSetting{puzzle.VariantKind, puzzle.XSudoku, 0, puzzle.SymmetryChoice});
    pooled.technique = technique;
    std::string problem;
    if (pool_.Add(pooled, &problem)) {
        const QPointer<PracticeFiller> self(this);
        QMetaObject::invokeMethod(
            this,
            [self, technique] {
                if (self) emit self->Added(technique);
            },
            Qt::QueuedConnection);
    } else if (!problem.empty()) {
        Report(problem);
    }
}

void PracticeFiller::Fill(const Engine& window, int technique) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        outOfReach_.erase(technique); // asked for again: worth another try
    }
    preferred_ = technique;
    if (worker_.joinable() || stop_) {
        wake_.notify_all();
        return;
    }
    base_ = std::make_unique<Engine>(window);
    base_->MessagePump = nullptr;
    const unsigned seed = std::random_device{}();
    worker_ = std::thread([this, seed] { Work(seed); });
}

void PracticeFiller::Stop() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
}

void PracticeFiller::Report(const std::string& problem) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (problem == lastProblem_) return;
        lastProblem_ = problem;
    }
    std::fprintf(stderr, "vemotarn: %s\n", problem.c_str());
    const QString message = QString::fromStdString(problem);
    const QPointer<PracticeFiller> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, message] {
            if (self) emit self->Problem(message);
        },
        Qt::QueuedConnection);
}

int PracticeFiller::NextTechnique() {
    const auto techniques = practice::PracticeTechniques();
    const int preferred = preferred_;
    int start = 0;
    for (std::size_t i = 0; i < techniques.size(); ++i)
        if (techniques[i].technique == preferred) start = static_cast<int>(i);
    for (std::size_t step = 0; step < techniques.size(); ++step) {
        const int technique = techniques[(start + step) % techniques.size()].technique;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            if (outOfReach_.contains(technique)) continue;
        }
        std::string problem;
        const std::optional<int> count = pool_.TechniqueCount(technique, &problem);
        if (!problem.empty()) Report(problem);
        if (!count) return 0; // a file that must not be written
        if (*count < pool_.PerSetting()) return technique;
    }
    return 0;
}

void PracticeFiller::Work(unsigned seed) {
    LowerThreadPriority();
    std::uint64_t draws = seed;
    int sought = 0;
    long long spent = 0; // generations for `sought` without one found
    while (!stop_) {
        const int technique = NextTechnique();
        if (technique == 0) {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait_for(lock, std::chrono::seconds(5), [this] { return stop_.load(); });
            continue;
        }
        if (technique != sought) {
            sought = technique;
            spent = 0;
        }
        Engine work = *base_;
        work.Rng.Seed(draws++ * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(technique));
        bool found = false;
        practice::GenerateForPractice(work, technique, &stop_, kGenerationsPerTurn, {},
                                      [&](const Engine& made, int kept) {
                                          if (stop_) return;
                                          found = found || kept == technique;
                                          Keep(made, kept);
                                      });
        spent += kGenerationsPerTurn;
        if (found) {
            spent = 0;
        } else if (spent >= kGenerationsBeforeGivingUp) {
            const std::lock_guard<std::mutex> lock(mutex_);
            outOfReach_.insert(technique);
        }
    }
}

} // namespace vemo::ui
