// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pool_filler.h"

#include "engine/generator/generation.h"
#include "engine/scale/levels.h"

#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace vemo::ui {

namespace {

// Random puzzles a worker makes and rates for a level of the scale before it
// turns to the next setting that wants filling.
constexpr long long kScaleGenerationsPerTurn = 200;

} // namespace

// The calling thread runs only when the machine has nothing else to do.
void LowerThreadPriority() {
#if defined(__linux__)
    sched_param param{};
    param.sched_priority = 0;
    if (pthread_setschedparam(pthread_self(), SCHED_IDLE, &param) != 0)
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 19);
#endif
}

PoolFiller::PoolFiller(const QString& poolPath, QObject* parent)
    : QObject(parent), pool_(poolPath.toStdString()) {}

PoolFiller::~PoolFiller() {
    Stop();
}

std::optional<Engine> PoolFiller::Take(const Engine& settings) {
    const std::optional<io::PoolSetting> setting = io::SettingOfEngine(settings);
    if (!setting) return std::nullopt;
    std::string problem;
    const std::optional<io::PooledPuzzle> puzzle = pool_.Take(*setting, &problem);
    if (!problem.empty()) Report(problem);
    if (!puzzle) return std::nullopt;
    Engine ready = settings;
    ready.MessagePump = nullptr;
    io::InstallPooled(ready, *puzzle);
    wake_.notify_all(); // room again in that setting
    return ready;
}

void PoolFiller::Fill(const Engine& window, int threads) {
    // The variant and X choices are those of the next generation.
    Engine settings = window;
    settings.VariantKind = settings.VariantChoice;
    settings.XSudoku = settings.XSudokuChoice;
    if (const auto setting = io::SettingOfEngine(settings))
        preferred_ = io::PoolSettingIndex(*setting);
    if (!workers_.empty() || stop_) {
        wake_.notify_all();
        return;
    }
    base_ = std::make_unique<Engine>(settings);
    base_->MessagePump = nullptr;
    if (threads <= 0)
        threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
    std::random_device device;
    for (int i = 0; i < threads; ++i) {
        const unsigned seed = device();
        workers_.emplace_back([this, seed] { Work(seed); });
    }
}

void PoolFiller::Stop() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_)
        if (worker.joinable()) worker.join();
    workers_.clear();
}

void PoolFiller::Report(const std::string& problem) {
    {
        // The same trouble is said once, not at every turn of a worker.
        const std::lock_guard<std::mutex> lock(mutex_);
        if (problem == lastProblem_) return;
        lastProblem_ = problem;
    }
    std::fprintf(stderr, "vemotarn: %s\n", problem.c_str());
    const QString message = QString::fromStdString(problem);
    const QPointer<PoolFiller> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, message] {
            if (self) emit self->Problem(message);
        },
        Qt::QueuedConnection);
}

int PoolFiller::NextSetting() {
    std::string problem;
    const auto counts = pool_.Counts(&problem);
    if (!problem.empty()) Report(problem);
    if (!counts) return -1; // a file that must not be written
    const std::lock_guard<std::mutex> lock(mutex_);
    const int first = preferred_;
    for (int step = 0; step < io::kPoolSettings; ++step) {
        const int index = (first + step) % io::kPoolSettings;
        if ((*counts)[static_cast<std::size_t>(index)] < pool_.PerSetting() &&
            !busy_.contains(index)) {
            busy_.insert(index);
            return index;
        }
    }
    return -1;
}

void PoolFiller::Work(unsigned seed) {
    LowerThreadPriority();
    std::uint64_t draws = seed;
    bool pause = false;
    while (!stop_) {
        const int index = pause ? -1 : NextSetting();
        pause = false;
        if (index < 0) {
            // Every pool full, or the file not writable: wait for a take.
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait_for(lock, std::chrono::seconds(5), [this] { return stop_.load(); });
            continue;
        }
        const io::PoolSetting setting = io::PoolSettingAt(index);
        Engine work = *base_;
        work.VariantKind = setting.variant;
        work.XSudoku = setting.xSudoku;
        work.SymmetryChoice = setting.symmetry;
        work.SetDifficulty(setting.band);
        work.Rng.Seed(draws++ * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(index));
        bool generated = false;
        if (work.ScaleLevel != 0) {
            // A level of the scale: many random puzzles made and rated for
            // one kept; a bounded turn, so that the other settings get theirs.
            thread_local scale::ScaleRater rater;
            // A puzzle that needs nested chains takes seconds to rate: the
            // rating stops too when the window closes.
            rater.SetStop(&stop_);
            generated = scale::GenerateOnScale(work, work.ScaleLevel, rater, &stop_,
                                               kScaleGenerationsPerTurn) > 0;
        } else {
            generated = work.GeneratePuzzle({}, &stop_);
        }
        if (generated && !stop_) {
            std::string problem;
            if (pool_.Add(io::PooledFromEngine(work, setting), &problem)) {
                const QPointer<PoolFiller> self(this);
                QMetaObject::invokeMethod(
                    this,
                    [self, index] {
                        if (self) emit self->Added(index);
                    },
                    Qt::QueuedConnection);
            } else if (!problem.empty()) {
                Report(problem);
                pause = true;
            }
        }
        const std::lock_guard<std::mutex> lock(mutex_);
        busy_.erase(index);
    }
}

} // namespace vemo::ui
