// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How the window's thread fares while generations run on the worker: the
// longest wait of a 1 ms timer (what a repaint or a key press would wait), and
// the cost of the worker round trip against a generation run directly.
#include "engine/generator/generation.h"
#include "ui/generation_task.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

vemo::Engine Settings(int difficulty, std::uint64_t seed) {
    vemo::Engine e;
    e.SetDifficulty(difficulty);
    e.SymmetryChoice = 1;
    e.Rng.Seed(seed);
    return e;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Seconds from Start to the Finished signal on this thread.
double ThroughTheWorker(vemo::ui::GenerationTask& task, const vemo::Engine& settings) {
    QEventLoop loop;
    const auto connection =
        QObject::connect(&task, &vemo::ui::GenerationTask::Finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    task.Start(settings);
    loop.exec();
    QObject::disconnect(connection);
    return clock.nsecsElapsed() / 1e9;
}

double Direct(const vemo::Engine& settings) {
    vemo::Engine e = settings;
    const auto start = std::chrono::steady_clock::now();
    e.GeneratePuzzle();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 21;
    vemo::ui::GenerationTask task;

    // 1. Event-loop gaps while extreme generations run back to back.
    std::vector<qint64> gaps;
    QElapsedTimer clock;
    qint64 last = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        gaps.push_back(now - last);
        last = now;
    });
    clock.start();
    tick.start(1);
    for (int i = 0; i < runs; ++i) ThroughTheWorker(task, Settings(vemo::kExtreme, 100 + i));
    tick.stop();
    std::sort(gaps.begin(), gaps.end());
    const double p99 = gaps[gaps.size() * 99 / 100] / 1e6;
    const double worst = gaps.back() / 1e6;
    std::printf("window thread during %d extreme generations: %zu ticks of 1 ms, 99th percentile "
                "wait %.2f ms, longest %.2f ms (goal: under 50 ms)\n",
                runs, gaps.size(), p99, worst);

    // 2. Moyen through the worker against the engine alone, same seeds.
    std::vector<double> worker, direct;
    for (int i = 0; i < runs; ++i) {
        worker.push_back(ThroughTheWorker(task, Settings(vemo::kMoyen, 500 + i)));
        direct.push_back(Direct(Settings(vemo::kMoyen, 500 + i)));
    }
    const double w = Median(worker), d = Median(direct);
    std::printf("moyen: median %.4f s through the worker, %.4f s direct, ratio %.2f (goal: within "
                "1.20)\n",
                w, d, w / d);
    return 0;
}
