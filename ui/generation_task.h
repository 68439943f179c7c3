// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A generation on a worker thread with an engine of its own, so that the
// window keeps painting and answering while the attempts run, and can cancel
// them. The window's engine is never touched from the worker.
#pragma once

#include "engine/engine.h"

#include <QObject>

#include <atomic>
#include <functional>
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
    // Starts looking for a puzzle that practises `technique`
    // (practice::GenerateForPractice), with the symmetry and random state of
    // `settings`, among at most PracticeBudget() puzzles; past it GaveUp()
    // says so. Every puzzle made on the way is shown to `made` with the
    // technique it is kept for, on the worker.
    bool StartPractice(const Engine& settings, int technique,
                       std::function<void(const Engine&, int technique)> made = {});
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
    void SetPracticeBudget(long long generations) { practiceBudget_ = generations; }
    long long PracticeBudget() const { return practiceBudget_; }
    // The budget of the generation running or last run (scale or practice).
    long long Budget() const { return practiceRun_ ? practiceBudget_ : scaleBudget_; }

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
    // Runs `generate` on the worker; it returns whether it made a puzzle.
    bool Launch(const Engine& settings,
                std::function<bool(Engine&, const std::function<void(long long)>&)> generate);
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
    long long practiceBudget_ = 600;
    bool practiceRun_ = false;
    std::thread thread_;
};

} // namespace vemo::ui
