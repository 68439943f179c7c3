// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Ready puzzles for the generation command: the pool file of the data folder,
// and idle-priority worker threads, each with an engine of its own, that
// generate into it while the window has nothing to do, the setting in use
// first. The window's engine is never touched from a worker.
#pragma once

#include "engine/engine.h"
#include "io/puzzle_pool.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

namespace vemo::ui {

// The calling thread runs only when the machine has nothing else to do.
void LowerThreadPriority();

class PoolFiller : public QObject {
    Q_OBJECT

  public:
    explicit PoolFiller(const QString& poolPath, QObject* parent = nullptr);
    ~PoolFiller() override; // stops the workers and waits for them

    // The next ready puzzle of the setting `settings` is about to generate
    // for (VariantKind, XSudoku, SymmetryChoice, band), set up in a copy of
    // `settings` with its analysis; nothing when the pool holds none.
    std::optional<Engine> Take(const Engine& settings);

    // Starts `threads` workers (once; 0: one fewer than the processors, at
    // least one), or tells running ones which setting the window's engine
    // generates for next (its variant and X choices): it is filled first.
    void Fill(const Engine& window, int threads = 0);
    // Stops the workers at once: a generation under way is abandoned.
    void Stop();
    bool Filling() const { return !workers_.empty(); }

    io::PuzzlePool& Pool() { return pool_; }

  signals:
    // A damaged or foreign pool file was set aside, or the file cannot be
    // written; on the window's thread.
    void Problem(const QString& message);
    // A worker put a puzzle into the pool; on the window's thread.
    void Added(int settingIndex);

  private:
    void Work(unsigned seed);
    void Report(const std::string& problem);
    // The setting a worker fills next, or -1 when every pool is full.
    int NextSetting();

    io::PuzzlePool pool_;
    std::unique_ptr<Engine> base_; // the window's engine when Fill() was called
    std::atomic<int> preferred_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::set<int> busy_; // settings a worker generates for right now
    std::string lastProblem_;
    std::vector<std::thread> workers_;
};

} // namespace vemo::ui
