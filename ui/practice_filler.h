// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Ready puzzles for practice by technique: the practice pool of the data
// folder, and one idle-priority worker thread with an engine of its own that
// fills it while the window has nothing to do, the technique last asked for
// first. Every puzzle the worker makes goes to the technique that is its
// hardest step when that one has room, so none is wasted. A technique that
// stays out of reach for a long stretch is left until it is asked for again.
#pragma once

#include "engine/engine.h"
#include "io/puzzle_pool.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

namespace vemo::ui {

class PracticeFiller : public QObject {
    Q_OBJECT

  public:
    explicit PracticeFiller(const QString& poolPath, QObject* parent = nullptr);
    ~PracticeFiller() override; // stops the worker and waits for it

    // The next ready puzzle of `technique`, set up in a copy of `settings`
    // with its analysis; nothing when the pool holds none.
    std::optional<Engine> Take(const Engine& settings, int technique);
    // Keeps a puzzle made elsewhere (a search in the window) for its hardest
    // step `technique` when that one has room and the puzzle is of its kind
    // of grid; safe on any thread.
    void Keep(const Engine& puzzle, int technique);

    // Starts the worker (once), or tells it which technique was asked for:
    // it is filled first.
    void Fill(const Engine& window, int technique);
    // Stops the worker at once.
    void Stop();
    bool Filling() const { return worker_.joinable(); }

    io::PuzzlePool& Pool() { return pool_; }

  signals:
    // A damaged or foreign file was set aside, or the file cannot be
    // written; on the window's thread.
    void Problem(const QString& message);
    // A puzzle of `technique` was put into the pool; on the window's thread.
    void Added(int technique);

  private:
    void Work(unsigned seed);
    void Report(const std::string& problem);
    // The technique the worker looks for next, or 0 when none wants filling.
    int NextTechnique();

    io::PuzzlePool pool_;
    std::unique_ptr<Engine> base_;
    std::atomic<int> preferred_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::set<int> outOfReach_; // looked for long enough without one found
    std::string lastProblem_;
    std::thread worker_;
};

} // namespace vemo::ui
