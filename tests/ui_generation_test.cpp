// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Generations on the worker thread: finished in the band, cancelled without a
// trace, and a window thread that stays free meanwhile.
#include "engine/generator/generation.h"
#include "test_support.h"
#include "ui/generation_task.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

namespace vemo::ui {
namespace {

Engine Settings(int difficulty, std::uint64_t seed) {
    Engine e;
    e.SetDifficulty(difficulty);
    e.SymmetryChoice = 1;
    e.Rng.Seed(seed);
    return e;
}

TEST(GenerationTask, EveryBandFinishesWithAUniquePuzzleInTheBand) {
    GenerationTask task;
    QSignalSpy finished(&task, &GenerationTask::Finished);
    QSignalSpy progress(&task, &GenerationTask::Progress);
    for (const int band : {kFacile, kMoyen, kDifficile, kExtreme, kAleatoire}) {
        ASSERT_TRUE(task.Start(Settings(band, 40 + band)));
        EXPECT_TRUE(task.Running());
        EXPECT_FALSE(task.Start(Settings(band, 1))); // one at a time
        ASSERT_TRUE(finished.wait(60000)) << band;
        ASSERT_TRUE(finished.takeFirst().at(0).toBool());
        EXPECT_FALSE(task.Running());
        const Engine& e = task.Result();
        EXPECT_GE(e.PuzzleScore(), kDifficultyBands[band].scoreMin);
        EXPECT_LE(e.PuzzleScore(), kDifficultyBands[band].scoreMax);
        EXPECT_TRUE(e.PuzzleFixed);
        EXPECT_FALSE(e.Generating);
        EXPECT_TRUE(test::IsValidSolution(e.SolutionGrid));
        Engine check = e;
        check.CellGrid[0] = check.Givens;
        check.HistoryLevel = 0;
        check.SolutionCount = 0;
        check.CountSolutions();
        EXPECT_EQ(check.SolutionCount, 1) << band;
    }
    EXPECT_GE(progress.count(), 5); // at least one attempt each
    EXPECT_EQ(progress.first().at(0).toInt(), 1);
}

TEST(GenerationTask, CancellingReportsNoPuzzleAndKeepsTheLastResult) {
    GenerationTask task;
    QSignalSpy finished(&task, &GenerationTask::Finished);
    ASSERT_TRUE(task.Start(Settings(kMoyen, 7)));
    ASSERT_TRUE(finished.wait(60000));
    const std::string kept = test::TextOf(task.Result().Givens);

    ASSERT_TRUE(task.Start(Settings(kExtreme, 8)));
    task.Cancel();
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_FALSE(finished.last().at(0).toBool());
    EXPECT_EQ(test::TextOf(task.Result().Givens), kept);
    EXPECT_FALSE(task.Running());
    // And it can start again.
    ASSERT_TRUE(task.Start(Settings(kFacile, 9)));
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_TRUE(finished.last().at(0).toBool());
}

TEST(GenerationTask, TheCallingThreadStaysFree) {
    GenerationTask task;
    QSignalSpy finished(&task, &GenerationTask::Finished);
    // Timer ticks while extreme generations run: the longest gap between two
    // of them is what a repaint would wait.
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
        ++ticks;
    });
    clock.start();
    timer.start(5);
    // Generations one after the other for at least 200 ms: a single one can
    // end before the first tick.
    for (int seed = 11; clock.elapsed() < 200; ++seed) {
        ASSERT_TRUE(task.Start(Settings(kExtreme, seed)));
        ASSERT_TRUE(finished.wait(60000));
    }
    timer.stop();
    EXPECT_GT(ticks, 0);
    EXPECT_LT(longest, 500); // generous for a loaded test machine; the benchmark measures it
}

TEST(GenerationTask, DestroyedWhileRunning) {
    auto task = std::make_unique<GenerationTask>();
    ASSERT_TRUE(task->Start(Settings(kExtreme, 12)));
    QElapsedTimer clock;
    clock.start();
    task.reset(); // cancels and waits; the queued signals go nowhere
    QCoreApplication::processEvents();
    EXPECT_LT(clock.elapsed(), 10000); // the worker noticed the cancel
}

} // namespace
} // namespace vemo::ui

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
