// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The scale rater against the ratings stored in exchange_diabolical_rated
// (agreement: exact ER, within 0.3, Spearman, confusion by band, the hardest
// steps where they differ) and its speed on one thread, on that file and on
// top1465 (p50/p90/p99/max by ER band).
//
// vemo_bench_scale [sample]: every line when sample is 0 (the default), else
// that many lines spread evenly over the file. Then samples of the forum's
// hardest puzzles, one line in 25 of forum_hardest_1106 and in 4000 of
// forum_hardest_1905_11plus (vemo_bench_scale forum [N1 [N2]]: those alone,
// one line in N1, 15 by default, and in N2, 2000 by default).
#include "bench_support.h"
#include "engine/scale/levels.h"
#include "engine/scale/scale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace {

// The CPU time of the calling thread, in seconds: the machine is shared, so
// wall-clock times say little.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

struct Rated {
    vemo::Grid grid{};
    int stored = 0; // tenths
};

std::vector<Rated> ReadRated(const std::string& fileName) {
    std::ifstream in(std::string(VEMO_SHARED_DATA) + "/" + fileName);
    std::vector<Rated> out;
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 83) continue;
        Rated r;
        for (int c = 0; c < 81; ++c)
            if (line[c] >= '1' && line[c] <= '9')
                r.grid[c] = static_cast<std::uint8_t>(line[c] - '0');
        r.stored = static_cast<int>(std::lround(std::atof(line.c_str() + 82) * 10));
        out.push_back(r);
    }
    return out;
}

std::vector<double> Ranks(const std::vector<int>& v) {
    std::vector<int> idx(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) idx[i] = static_cast<int>(i);
    std::sort(idx.begin(), idx.end(), [&](int a, int b) { return v[a] < v[b]; });
    std::vector<double> rank(v.size());
    for (std::size_t i = 0; i < idx.size();) {
        std::size_t j = i;
        while (j < idx.size() && v[idx[j]] == v[idx[i]]) ++j;
        for (std::size_t k = i; k < j; ++k) rank[idx[k]] = (i + j - 1) / 2.0;
        i = j;
    }
    return rank;
}

double Spearman(const std::vector<int>& a, const std::vector<int>& b) {
    const auto ra = Ranks(a), rb = Ranks(b);
    const double n = static_cast<double>(a.size());
    double ma = 0, mb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) ma += ra[i], mb += rb[i];
    ma /= n, mb /= n;
    double sab = 0, saa = 0, sbb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sab += (ra[i] - ma) * (rb[i] - mb);
        saa += (ra[i] - ma) * (ra[i] - ma);
        sbb += (rb[i] - mb) * (rb[i] - mb);
    }
    return sab / std::sqrt(saa * sbb);
}

// Bands of one unit: 5 = 5.0-5.9 ... 9, 10 for 10.0 and above, 0 for nothing found.
int Band(int tenths) {
    if (tenths >= vemo::scale::kNothingFound) return 0;
    return std::min(tenths / 10, 10);
}

double Percentile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t i =
        std::min(v.size() - 1, static_cast<std::size_t>(q * (v.size() - 1) + 0.5));
    return v[i];
}

// The forum's hardest puzzles, one line in `every`: the ER histogram, the
// share at 10.0 and above and at 11.0 and above (the reference rater puts all
// of forum_hardest_1106 at 10 and above, all of 1905_11plus above 11.0), and
// the CPU time a puzzle.
void Forum(const char* fileName, std::size_t every, vemo::scale::ScaleRater& rater) {
    const auto all = vemo::bench::ReadGrids(fileName);
    std::vector<vemo::Grid> set;
    for (std::size_t i = 0; i < all.size(); i += every) set.push_back(all[i]);
    vemo::Engine engine;
    std::map<int, int> histogram; // ER in tenths
    std::vector<double> ms;
    int ten = 0, eleven = 0, none = 0;
    for (const auto& g : set) {
        vemo::bench::Install(engine, g);
        const double t0 = CpuSeconds();
        const auto rating = rater.Rate(engine);
        ms.push_back(1000 * (CpuSeconds() - t0));
        ++histogram[rating.er];
        if (rating.er >= vemo::scale::kNothingFound)
            ++none;
        else if (rating.er >= 110)
            ++eleven, ++ten;
        else if (rating.er >= 100)
            ++ten;
    }
    const double n = static_cast<double>(set.size());
    std::printf("%s: %zu of %zu puzzles (1 in %zu)\n", fileName, set.size(), all.size(), every);
    std::printf("  ER >= 10.0: %.1f %%   ER >= 11.0: %.1f %%   nothing found: %.1f %%\n",
                100 * ten / n, 100 * eleven / n, 100 * none / n);
    std::printf("  ER histogram:");
    for (const auto& [er, count] : histogram)
        std::printf(" %s:%d", vemo::scale::FormatScale(er).c_str(), count);
    std::printf("\n  CPU s per puzzle: p50 %.2f  p90 %.2f  max %.2f\n", Percentile(ms, 0.5) / 1000,
                Percentile(ms, 0.9) / 1000,
                ms.empty() ? 0.0 : *std::max_element(ms.begin(), ms.end()) / 1000);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "forum") {
        // vemo_bench_scale forum [N1 [N2]]: the forum sections alone.
        std::setvbuf(stdout, nullptr, _IOLBF, 0);
        vemo::scale::ScaleRater rater;
        Forum("forum_hardest_1106.txt", argc > 2 ? std::atol(argv[2]) : 15, rater);
        Forum("forum_hardest_1905_11plus.txt", argc > 3 ? std::atol(argv[3]) : 2000, rater);
        return 0;
    }
    if (argc > 1 && std::string(argv[1]).size() >= 81) {
        // One puzzle: its steps.
        vemo::Grid g{};
        for (int c = 0; c < 81; ++c)
            if (argv[1][c] >= '1' && argv[1][c] <= '9')
                g[c] = static_cast<std::uint8_t>(argv[1][c] - '0');
        vemo::Engine engine;
        vemo::bench::Install(engine, g);
        vemo::scale::ScaleRater rater;
        const auto r = rater.Rate(engine, [](const vemo::scale::ScaleStep& s) {
            if (s.difficulty < 30) return;
            std::printf("%4.1f  cx %3d  %-36s", s.difficulty / 10.0, s.complexity,
                        vemo::scale::ScaleStepName(s).c_str());
            if (s.placeCell >= 0)
                std::printf(" r%dc%d=%d", s.placeCell / 9 + 1, s.placeCell % 9 + 1, s.placeDigit);
            for (int i = 0; i < s.eliminationCount; ++i)
                std::printf(" r%dc%d-%d", s.eliminations[i].cell / 9 + 1,
                            s.eliminations[i].cell % 9 + 1, s.eliminations[i].digit);
            std::printf("\n");
        });
        std::printf("ER %s EP %s ED %s\n", vemo::scale::FormatScale(r.er).c_str(),
                    vemo::scale::FormatScale(r.ep).c_str(), vemo::scale::FormatScale(r.ed).c_str());
        return 0;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const std::size_t sample = argc > 1 ? static_cast<std::size_t>(std::atol(argv[1])) : 0;
    auto all = ReadRated("exchange_diabolical_rated.txt");
    std::vector<Rated> set;
    if (sample == 0 || sample >= all.size()) {
        set = all;
    } else {
        for (std::size_t i = 0; i < sample; ++i) set.push_back(all[i * all.size() / sample]);
    }
    vemo::Engine engine;
    vemo::scale::ScaleRater rater;
    std::vector<int> ours, theirs;
    std::map<std::pair<int, int>, int> confusion;
    std::map<std::string, int> differs; // our hardest step where ER differs, with the sign
    int exact = 0, near = 0;
    const double start = CpuSeconds();
    for (const Rated& r : set) {
        vemo::bench::Install(engine, r.grid);
        const auto rating = rater.Rate(engine);
        ours.push_back(rating.er);
        theirs.push_back(r.stored);
        ++confusion[{Band(r.stored), Band(rating.er)}];
        if (rating.er == r.stored) ++exact;
        if (std::abs(rating.er - r.stored) <= 3) ++near;
        if (std::getenv("SCALE_LIST") != nullptr && rating.er != r.stored) {
            for (int c = 0; c < 81; ++c) std::printf("%c", r.grid[c] ? '0' + r.grid[c] : '.');
            std::printf(" %s ours %s %s\n", vemo::scale::FormatScale(r.stored).c_str(),
                        vemo::scale::FormatScale(rating.er).c_str(),
                        vemo::scale::ScaleTechniqueName(rating.hardestTechnique));
        }
        if (rating.er != r.stored) {
            const std::string key = std::string(rating.er > r.stored ? "higher: " : "lower:  ") +
                                    vemo::scale::ScaleTechniqueName(rating.hardestTechnique) +
                                    " level " + std::to_string(rating.hardestLevel);
            ++differs[key];
        }
    }
    const double seconds = CpuSeconds() - start;
    const double n = static_cast<double>(set.size());
    std::printf("exchange_diabolical_rated: %zu puzzles%s\n", set.size(),
                sample != 0 ? " (sample spread over the file)" : "");
    std::printf("ER exact %.1f %%   within 0.3 %.1f %%   Spearman %.3f\n", 100 * exact / n,
                100 * near / n, Spearman(ours, theirs));
    std::printf("speed, one thread: %.1f puzzles/s (CPU time)\n", n / seconds);
    std::printf("confusion (rows: stored band, columns: ours; 0 = nothing found)\n      ");
    for (int b = 0; b <= 10; ++b) std::printf("%6d", b);
    std::printf("\n");
    for (int a = 5; a <= 9; ++a) {
        std::printf("%6d", a);
        for (int b = 0; b <= 10; ++b) std::printf("%6d", confusion[{a, b}]);
        std::printf("\n");
    }
    std::printf("where ER differs, our hardest step:\n");
    std::vector<std::pair<int, std::string>> list;
    for (const auto& [k, v] : differs) list.push_back({v, k});
    std::sort(list.rbegin(), list.rend());
    for (const auto& [v, k] : list) std::printf("  %6d  %s\n", v, k.c_str());

    if (argc > 2) return 0; // agreement only
    // top1465, each puzzle timed.
    const auto top = vemo::bench::ReadGrids("top1465.txt");
    std::map<int, std::vector<double>> times;
    std::vector<double> every;
    for (const auto& g : top) {
        vemo::bench::Install(engine, g);
        const double t0 = CpuSeconds();
        const auto rating = rater.Rate(engine);
        const double ms = 1000 * (CpuSeconds() - t0);
        times[Band(rating.er)].push_back(ms);
        every.push_back(ms);
    }
    std::printf("top1465: %zu puzzles, CPU ms per puzzle by our ER band\n", top.size());
    std::printf("  band   count     p50     p90     p99     max\n");
    const auto row = [](const char* name, const std::vector<double>& v) {
        std::printf("  %-5s %6zu %7.2f %7.2f %7.2f %7.2f\n", name, v.size(), Percentile(v, 0.5),
                    Percentile(v, 0.9), Percentile(v, 0.99),
                    v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()));
    };
    for (const auto& [b, v] : times) {
        const std::string name = b == 0 ? "none" : std::to_string(b);
        row(name.c_str(), v);
    }
    row("all", every);

    // The hardest puzzles: the nested chains.
    Forum("forum_hardest_1106.txt", 25, rater);
    Forum("forum_hardest_1905_11plus.txt", 4000, rater);

    // The two levels beyond the bands: generations a puzzle costs, and time.
    const int runs =
        std::getenv("SCALE_LEVEL_RUNS") ? std::atoi(std::getenv("SCALE_LEVEL_RUNS")) : 3;
    std::printf("levels on the scale: %d puzzles each, generations and CPU seconds a puzzle\n",
                runs);
    std::printf("  %-22s %-11s %8s %8s %8s\n", "variant", "level", "gen.avg", "gen.max", "s.avg");
    struct VariantCase {
        const char* name;
        int kind;
        int x;
    };
    const VariantCase cases[] = {{"classic", vemo::kClassic, 0},
                                 {"X-Sudoku", vemo::kClassic, 1},
                                 {"non-consecutive", vemo::kNonConsecutive, 0},
                                 {"consecutive", vemo::kConsecutive, 0},
                                 {"odd/even", vemo::kOddEven, 0}};
    for (const auto& v : cases)
        for (const int level : {vemo::kDiabolique, vemo::kDemoniaque}) {
            long long total = 0, most = 0;
            int made = 0;
            const double t0 = CpuSeconds();
            for (int i = 0; i < runs; ++i) {
                vemo::Engine e;
                e.Rng.Seed(1000 + i);
                e.VariantKind = v.kind;
                e.XSudoku = v.x;
                const long long n = vemo::scale::GenerateOnScale(e, level, rater, nullptr, 3000);
                if (n == 0) continue;
                ++made;
                total += n;
                most = std::max(most, n);
            }
            const double s = CpuSeconds() - t0;
            std::printf("  %-22s %-11s %8.1f %8lld %8.2f%s\n", v.name,
                        level == vemo::kDiabolique ? "Diabolique" : "Demoniaque",
                        made ? static_cast<double>(total) / made : 0.0, most, made ? s / made : s,
                        made < runs ? " (some not found within 3000 generations)" : "");
        }
    return 0;
}
