// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A generation on a worker thread with an engine of its own, so that the
// window keeps painting and answering while the attempts run, and can cancel
// them. The window's engine is never touched from the worker.
#pragma once

#include "engine/engine.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>

namespace vemo::ui {

class GenerationTask : public QObject {
    Q_OBJECT

  public:
    explicit GenerationTask(QObject* parent = nullptr);
    ~GenerationTask() override; // cancels a running generation and waits for it

    // Starts generating on a copy of `settings` (band, symmetry, variant, X
    // flag and random state as they stand). False while one is running.
    bool Start(const Engine& settings);
    // Hands over a puzzle made earlier as if it had just been generated:
    // Finished(true) follows from the event loop, with it in Result(). False
    // while a generation is running.
    bool Deliver(Engine ready);
    // Asks the worker to stop; Finished(false) follows.
    void Cancel();
    bool Running() const { return running_; }

    // A level of the scale (ScaleLevel of the settings) is looked for among
    // at most this many random puzzles; past it the generation ends without
    // a puzzle and GaveUp() says so.
    void SetScaleBudget(long long generations) { scaleBudget_ = generations; }
    long long ScaleBudget() const { return scaleBudget_; }
    // The last generation ended without a puzzle because its budget was spent.
    bool GaveUp() const { return gaveUp_; }

    // The engine of the last generation that finished with a puzzle: the new
    // puzzle with its analysis, and the random state after it.
    const Engine& Result() const { return *result_; }

  signals:
    // Attempts begun so far (random puzzles made, for a level of the scale),
    // delivered on the window's thread.
    void Progress(int attempts);
    // On the window's thread once the worker is done: true with a puzzle in
    // Result(), false when cancelled.
    void Finished(bool generated);

  private:
    void Join();
    // On the window's thread: keeps the worker's engine as the result unless
    // cancelled, and says so.
    void Finish(bool generated);

    std::unique_ptr<Engine> work_;
    std::unique_ptr<Engine> result_ = std::make_unique<Engine>();
    std::atomic<bool> cancel_{false};
    std::atomic<bool> spent_{false};
    bool running_ = false;
    bool gaveUp_ = false;
    long long scaleBudget_ = 3000;
    std::thread thread_;
};

} // namespace vemo::ui
