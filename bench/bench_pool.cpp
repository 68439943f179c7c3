// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Ready puzzles: the time from the generation command's call to its
// Finished signal when the pool holds a puzzle of the setting (taken out of a
// full pool file, set up with its analysis) against a generation on the
// worker, and the rate at which one worker fills the pool of a setting.
#include "engine/generator/generation.h"
#include "engine/scale/levels.h"
#include "io/puzzle_pool.h"
#include "ui/generation_task.h"
#include "ui/pool_filler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Setting {
    const char* label;
    vemo::io::PoolSetting setting;
};

const Setting kSettings[] = {
    {"classic Facile central", {vemo::kClassic, 0, vemo::kFacile, 1}},
    {"classic Extreme central", {vemo::kClassic, 0, vemo::kExtreme, 1}},
    {"non-consecutive Difficile none", {vemo::kNonConsecutive, 0, vemo::kDifficile, 0}},
    {"non-consecutive Extreme central", {vemo::kNonConsecutive, 0, vemo::kExtreme, 1}},
    {"non-consecutive X Extreme reflective", {vemo::kNonConsecutive, 1, vemo::kExtreme, 3}},
    {"consecutive Moyen axial", {vemo::kConsecutive, 0, vemo::kMoyen, 2}},
    {"odd/even X Aleatoire central", {vemo::kOddEven, 1, vemo::kAleatoire, 1}},
    {"classic Diabolique central", {vemo::kClassic, 0, vemo::kDiabolique, 1}},
    {"classic Demoniaque central", {vemo::kClassic, 0, vemo::kDemoniaque, 1}},
    {"X Diabolique none", {vemo::kClassic, 1, vemo::kDiabolique, 0}},
    {"non-consecutive Demoniaque central", {vemo::kNonConsecutive, 0, vemo::kDemoniaque, 1}},
    {"consecutive Diabolique axial", {vemo::kConsecutive, 0, vemo::kDiabolique, 2}},
    {"odd/even Demoniaque central", {vemo::kOddEven, 0, vemo::kDemoniaque, 1}},
};

bool OnScale(const vemo::io::PoolSetting& s) {
    return s.band == vemo::kDiabolique || s.band == vemo::kDemoniaque;
}

// A puzzle of the setting as a worker makes it: for a level of the scale,
// random puzzles until one rates in it.
void Make(vemo::Engine& e, const vemo::io::PoolSetting& s) {
    if (OnScale(s)) {
        thread_local vemo::scale::ScaleRater rater;
        vemo::scale::GenerateOnScale(e, s.band, rater);
    } else {
        e.GeneratePuzzle();
    }
}

// The levels of the scale cost far more a puzzle: fewer runs of them.
int RunsOf(const vemo::io::PoolSetting& s, int runs) {
    return OnScale(s) ? std::max(4, runs / 3) : runs;
}

vemo::Engine SettingsOf(const vemo::io::PoolSetting& s, std::uint64_t seed) {
    vemo::Engine e;
    e.VariantKind = e.VariantChoice = s.variant;
    e.XSudoku = e.XSudokuChoice = s.xSudoku;
    e.SymmetryChoice = s.symmetry;
    e.SetDifficulty(s.band);
    e.Rng.Seed(seed);
    return e;
}

struct Spread {
    double p50, p95, max;
};

Spread SpreadOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const auto at = [&](double q) {
        return v[std::min(v.size() - 1,
                          static_cast<std::size_t>(q * static_cast<double>(v.size())))];
    };
    return {at(0.5), at(0.95), v.back()};
}

// Seconds from the command's call to the Finished signal on this thread: the
// pool's puzzle when there is one, else a generation on the worker.
double Command(vemo::ui::GenerationTask& task, vemo::ui::PoolFiller* pool,
               const vemo::Engine& settings) {
    QEventLoop loop;
    const auto connection =
        QObject::connect(&task, &vemo::ui::GenerationTask::Finished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    std::optional<vemo::Engine> ready = pool ? pool->Take(settings) : std::nullopt;
    if (ready) {
        task.Deliver(std::move(*ready));
    } else {
        task.Start(settings);
    }
    loop.exec();
    QObject::disconnect(connection);
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(4, std::atoi(argv[1])) : 21;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("reserve.txt"));

    // Fill: one thread generates `runs` puzzles per setting into the pool
    // (the bound lifted), timed as a worker would spend them.
    std::printf("fill rate, one thread, %d puzzles per setting\n", runs);
    vemo::io::PuzzlePool filling(path.toStdString(), 1000);
    for (const Setting& s : kSettings) {
        QElapsedTimer clock;
        clock.start();
        const int n = RunsOf(s.setting, runs);
        for (int i = 0; i < n; ++i) {
            vemo::Engine e = SettingsOf(s.setting, 4000 + static_cast<std::uint64_t>(i));
            Make(e, s.setting);
            filling.Add(vemo::io::PooledFromEngine(e, s.setting));
        }
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        std::printf("  %-38s %7.2f puzzles/s  (%.1f s for a setting's %d; %d made)\n", s.label,
                    n / seconds, vemo::io::kPoolPerSetting * seconds / n, vemo::io::kPoolPerSetting,
                    n);
    }
    // Every other setting full as well: the file a long-used pool has.
    for (int index = 0; index < vemo::io::kPoolSettings; ++index) {
        vemo::io::PooledPuzzle p = vemo::io::PooledFromEngine(
            SettingsOf(vemo::io::PoolSettingAt(index), 0), vemo::io::PoolSettingAt(index));
        for (int id = 0; id < vemo::io::kPoolPerSetting; ++id) {
            p.givens.fill(0);
            for (int c = 0; c < 20; ++c) p.givens[c] = 1 + (c + id) % 9;
            filling.Add(p);
        }
    }
    std::printf("pool file: %lld bytes\n", static_cast<long long>(QFileInfo(path).size()));

    // Its two parts, on puzzles of the same settings: the file alone (read,
    // take out, checked write) and the set-up with its analysis.
    std::printf("\nthe parts of a take, %d runs per setting (p50 / p95 / max, ms)\n", runs);
    vemo::io::PuzzlePool parts(path.toStdString(), 1000);
    for (const Setting& s : kSettings) {
        std::vector<vemo::io::PooledPuzzle> puzzles;
        std::vector<double> file, analysis;
        const int n = RunsOf(s.setting, runs);
        for (int i = 0; i < n; ++i) {
            vemo::Engine e = SettingsOf(s.setting, 7000 + static_cast<std::uint64_t>(i));
            Make(e, s.setting);
            parts.Add(vemo::io::PooledFromEngine(e, s.setting));
        }
        for (int i = 0; i < n; ++i) {
            QElapsedTimer clock;
            clock.start();
            const auto p = parts.Take(s.setting);
            file.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e9);
            vemo::Engine e = SettingsOf(s.setting, 1);
            clock.restart();
            vemo::io::InstallPooled(e, *p);
            analysis.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        }
        const Spread a = SpreadOf(file), b = SpreadOf(analysis);
        std::printf("  %-38s file %6.1f / %6.1f / %6.1f   analysis %7.1f / %7.1f / %7.1f\n",
                    s.label, 1e3 * a.p50, 1e3 * a.p95, 1e3 * a.max, 1e3 * b.p50, 1e3 * b.p95,
                    1e3 * b.max);
    }

    vemo::ui::GenerationTask task;
    vemo::ui::PoolFiller pool(path);
    std::printf("\nthe command to its new game, %d runs per setting (p50 / p95 / max, ms)\n", runs);
    for (const Setting& s : kSettings) {
        std::vector<double> taken, generated;
        const int n = RunsOf(s.setting, runs);
        for (int i = 0; i < n; ++i) {
            const vemo::Engine settings =
                SettingsOf(s.setting, 9000 + static_cast<std::uint64_t>(i));
            taken.push_back(Command(task, &pool, settings));
            generated.push_back(Command(task, nullptr, settings));
        }
        const Spread a = SpreadOf(taken), b = SpreadOf(generated);
        std::printf("  %-38s pool %6.1f / %6.1f / %6.1f   generated %7.1f / %7.1f / %7.1f\n",
                    s.label, 1e3 * a.p50, 1e3 * a.p95, 1e3 * a.max, 1e3 * b.p50, 1e3 * b.p95,
                    1e3 * b.max);
    }
    return 0;
}
