// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pool of ready puzzles: its file's round trip, a damaged, cut or foreign
// file set aside, a failed write that keeps the old file and hands nothing
// out, two pools on one file at once, the bound per setting, and a pooled
// puzzle set up exactly as the generator left it.
#include "engine/generator/generation.h"
#include "io/puzzle_pool.h"

#include "full_disk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <thread>
#include <unistd.h>

namespace vemo::io {
namespace {

namespace fs = std::filesystem;

// A puzzle of the setting whose givens spell `id`, so that every id differs.
PooledPuzzle Numbered(int id, PoolSetting setting = {}) {
    PooledPuzzle p;
    p.setting = setting;
    p.parity.fill(1);
    for (int c = 0; c < 20; ++c) p.givens[c] = 1 + c % 9;
    for (int c = 0, rest = id; c < 6; ++c, rest /= 10) p.givens[30 + c] = rest % 10;
    if (setting.variant == kOddEven) p.parity[5] = 2;
    if (setting.variant == kConsecutive) p.bars[0] = 3;
    return p;
}

class PuzzlePoolFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("vemo_pool_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        path_ = (folder_ / kPuzzlePoolFile).string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    void Write(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder_;
    std::string path_;
};

TEST_F(PuzzlePoolFile, PuzzlesOfEverySettingComeBackAsTheyWereStored) {
    std::vector<PooledPuzzle> puzzles;
    for (int index = 0; index < kPoolSettings; index += 7)
        puzzles.push_back(Numbered(index, PoolSettingAt(index)));
    const PoolRead read = ParsePool(PoolText(puzzles));
    ASSERT_EQ(read.status, PoolStatus::kOk) << read.error;
    EXPECT_EQ(read.puzzles, puzzles);
    for (int index = 0; index < kPoolSettings; ++index)
        EXPECT_EQ(PoolSettingIndex(PoolSettingAt(index)), index);

    PuzzlePool pool(path_);
    for (const PooledPuzzle& p : puzzles) ASSERT_TRUE(pool.Add(p));
    for (const PooledPuzzle& p : puzzles) {
        const auto taken = pool.Take(p.setting);
        ASSERT_TRUE(taken.has_value());
        EXPECT_EQ(*taken, p);
    }
    EXPECT_EQ(ReadPool(path_).puzzles.size(), 0u);
}

TEST_F(PuzzlePoolFile, APuzzleIsTakenOnceAndTheOldestFirst) {
    PuzzlePool pool(path_);
    const PoolSetting hard{1, 1, kExtreme, 2};
    for (int id = 1; id <= 3; ++id) ASSERT_TRUE(pool.Add(Numbered(id, hard)));
    ASSERT_TRUE(pool.Add(Numbered(9, PoolSetting{})));
    EXPECT_FALSE(pool.Add(Numbered(2, hard))) << "the same puzzle twice";
    for (int id = 1; id <= 3; ++id) EXPECT_EQ(pool.Take(hard), Numbered(id, hard));
    EXPECT_FALSE(pool.Take(hard).has_value());
    EXPECT_EQ((*pool.Counts())[PoolSettingIndex(PoolSetting{})], 1);
}

TEST_F(PuzzlePoolFile, EachSettingHoldsItsBound) {
    PuzzlePool pool(path_, 3);
    const PoolSetting a{0, 0, kFacile, 1};
    const PoolSetting b{2, 1, kMoyen, 3};
    for (int id = 0; id < 5; ++id) EXPECT_EQ(pool.Add(Numbered(id, a)), id < 3);
    EXPECT_TRUE(pool.Add(Numbered(100, b)));
    const auto counts = *pool.Counts();
    EXPECT_EQ(counts[PoolSettingIndex(a)], 3);
    EXPECT_EQ(counts[PoolSettingIndex(b)], 1);
    // Room again once one is taken.
    ASSERT_TRUE(pool.Take(a).has_value());
    EXPECT_TRUE(pool.Add(Numbered(7, a)));

    // A full pool stays within a few hundred kilobytes.
    PuzzlePool full(path_);
    for (int index = 0; index < kPoolSettings; ++index)
        for (int id = 0; id < kPoolPerSetting; ++id)
            full.Add(Numbered(1000 + id, PoolSettingAt(index)));
    EXPECT_EQ(ReadPool(path_).puzzles.size(),
              static_cast<std::size_t>(kPoolSettings * kPoolPerSetting));
    EXPECT_LT(fs::file_size(path_), kPuzzlePoolReadLimit / 2);
}

TEST_F(PuzzlePoolFile, DamagedCutOrForeignFilesAreSetAsideAndReported) {
    const std::string good = PoolText({Numbered(1), Numbered(2)});
    std::mt19937 random(26);
    std::string noise(300, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    const std::vector<std::pair<std::string, PoolStatus>> cases = {
        {noise, PoolStatus::kForeign},
        {"", PoolStatus::kForeign},
        {"VemoTarn saved game 1\n", PoolStatus::kForeign},
        {good.substr(0, good.size() - 40), PoolStatus::kCorrupt},
        {good.substr(0, good.size() - 1), PoolStatus::kCorrupt},
        {good.substr(0, 22), PoolStatus::kCorrupt},
        {std::string(good).replace(good.size() - 30, 1, "x"), PoolStatus::kCorrupt},
        {std::string(good).replace(good.find('\n') + 1, 1, "7"), PoolStatus::kCorrupt},
        {good + good.substr(good.find('\n') + 1), PoolStatus::kCorrupt},
    };
    for (const auto& [bytes, status] : cases) {
        fs::remove(path_ + ".bad");
        Write(bytes);
        EXPECT_EQ(ReadPool(path_).status, status);
        PuzzlePool pool(path_);
        std::string problem;
        EXPECT_FALSE(pool.Take(PoolSetting{}, &problem).has_value());
        EXPECT_TRUE(pool.SetAsideOnce());
        EXPECT_NE(problem.find(".bad"), std::string::npos) << problem;
        EXPECT_EQ(Read(path_ + ".bad"), bytes);
        EXPECT_FALSE(fs::exists(path_));
        // The pool starts again empty and works.
        EXPECT_TRUE(pool.Add(Numbered(5)));
        EXPECT_EQ(pool.Take(PoolSetting{}), Numbered(5));
    }
}

TEST_F(PuzzlePoolFile, ALaterVersionsFileIsLeftAlone) {
    const std::string later = "VemoTarn puzzle pool 2\nwhatever it holds\n";
    Write(later);
    PuzzlePool pool(path_);
    std::string problem;
    EXPECT_FALSE(pool.Add(Numbered(1), &problem));
    EXPECT_FALSE(problem.empty());
    EXPECT_FALSE(pool.Take(PoolSetting{}).has_value());
    EXPECT_FALSE(pool.Counts().has_value()) << "nothing to fill";
    EXPECT_EQ(Read(path_), later);
    EXPECT_FALSE(fs::exists(path_ + ".bad"));
}

TEST_F(PuzzlePoolFile, AFailedWriteKeepsTheFileAndHandsNothingOut) {
    PuzzlePool pool(path_);
    ASSERT_TRUE(pool.Add(Numbered(1)));
    ASSERT_TRUE(pool.Add(Numbered(2)));
    const std::string before = Read(path_);
    std::string problem;
    EXPECT_FALSE(
        test::WithFullDisk(10, [&] { return pool.Take(PoolSetting{}, &problem).has_value(); }));
    EXPECT_FALSE(problem.empty());
    problem.clear();
    EXPECT_FALSE(test::WithFullDisk(10, [&] { return pool.Add(Numbered(3), &problem); }));
    EXPECT_FALSE(problem.empty());
    EXPECT_EQ(Read(path_), before);
    // The puzzle that could not be taken out is still the next one.
    EXPECT_EQ(pool.Take(PoolSetting{}), Numbered(1));

    // A data folder that cannot be made: nothing to take, the reason given.
    std::ofstream(folder_ / "plain") << "a file, not a folder";
    PuzzlePool nowhere((folder_ / "plain" / kPuzzlePoolFile).string());
    problem.clear();
    EXPECT_FALSE(nowhere.Add(Numbered(1), &problem));
    EXPECT_FALSE(problem.empty());
    EXPECT_FALSE(nowhere.Take(PoolSetting{}).has_value());
}

TEST_F(PuzzlePoolFile, TwoPoolsOnOneFileNeitherRepeatNorLose) {
    const PoolSetting s{3, 0, kDifficile, 0};
    constexpr int kEach = 60;
    std::vector<PooledPuzzle> takenA, takenB;
    // Each window adds its own puzzles and takes whatever is there.
    auto window = [&](int first, std::vector<PooledPuzzle>& taken) {
        PuzzlePool pool(path_, 1000);
        for (int i = 0; i < kEach; ++i) {
            ASSERT_TRUE(pool.Add(Numbered(first + i, s)));
            if (i % 2 == 1)
                if (auto p = pool.Take(s)) taken.push_back(*p);
        }
    };
    std::thread a(window, 0, std::ref(takenA));
    std::thread b(window, 10000, std::ref(takenB));
    a.join();
    b.join();
    std::vector<PooledPuzzle> all = takenA;
    all.insert(all.end(), takenB.begin(), takenB.end());
    const std::size_t taken = all.size();
    const std::vector<PooledPuzzle> left = ReadPool(path_).puzzles;
    all.insert(all.end(), left.begin(), left.end());
    EXPECT_EQ(taken, static_cast<std::size_t>(kEach)); // every take found one
    ASSERT_EQ(all.size(), static_cast<std::size_t>(2 * kEach));
    std::set<int> ids;
    for (const PooledPuzzle& p : all) {
        int id = 0;
        for (int c = 5; c >= 0; --c) id = id * 10 + p.givens[30 + c];
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(2 * kEach)) << "a puzzle repeated";
}

// The practice pool: puzzles per technique in a file of its own.
PooledPuzzle OfTechnique(int id, int technique, int variant = kClassic) {
    PooledPuzzle p = Numbered(id, PoolSetting{variant, 0, 0, id % 4});
    p.technique = technique;
    return p;
}

class PracticePoolFile : public PuzzlePoolFile {
  protected:
    void SetUp() override {
        PuzzlePoolFile::SetUp();
        path_ = (folder_ / kPracticePoolFile).string();
    }
};

TEST_F(PracticePoolFile, PuzzlesComeBackByTechniqueOnceTheOldestFirstWithinTheBound) {
    PuzzlePool pool(path_, kPracticePerTechnique, PoolKind::kPractice);
    // 15 is XY-wing, 121 X-Chain, 17 the impossible neighbour on bars.
    for (int i = 0; i < kPracticePerTechnique + 2; ++i) {
        EXPECT_EQ(pool.Add(OfTechnique(i, 121)), i < kPracticePerTechnique) << i;
        EXPECT_EQ(pool.Add(OfTechnique(100 + i, 15)), i < kPracticePerTechnique) << i;
    }
    EXPECT_TRUE(pool.Add(OfTechnique(200, 17, kConsecutive)));
    EXPECT_FALSE(pool.Add(OfTechnique(200, 17, kConsecutive))) << "the same puzzle twice";
    EXPECT_EQ(pool.TechniqueCount(121), kPracticePerTechnique);
    EXPECT_EQ(pool.TechniqueCount(101), 0);
    // A file of its own kind: the reserve reads it as foreign, and back.
    EXPECT_EQ(ReadPool(path_, PoolKind::kPractice).puzzles.size(),
              static_cast<std::size_t>(2 * kPracticePerTechnique + 1));
    EXPECT_EQ(ReadPool(path_).status, PoolStatus::kForeign);
    EXPECT_EQ(Read(path_).substr(0, 25), "VemoTarn practice pool 1\n");
    for (int i = 0; i < kPracticePerTechnique; ++i)
        EXPECT_EQ(pool.TakeTechnique(121), OfTechnique(i, 121));
    EXPECT_FALSE(pool.TakeTechnique(121).has_value()) << "none repeats";
    EXPECT_EQ(pool.TakeTechnique(17), OfTechnique(200, 17, kConsecutive));
    EXPECT_EQ(pool.TakeTechnique(15), OfTechnique(100, 15));
    EXPECT_FALSE(pool.TakeTechnique(101).has_value());
    // Room again once one is taken.
    EXPECT_TRUE(pool.Add(OfTechnique(50, 121)));
}

TEST_F(PracticePoolFile, DamagedOrForeignFilesAreSetAsideAndReported) {
    const std::string good =
        PoolText({OfTechnique(1, 121), OfTechnique(2, 15)}, PoolKind::kPractice);
    const std::vector<std::string> cases = {
        "",
        PoolText({Numbered(1)}), // the reserve's file
        good.substr(0, good.size() - 40),
        // A technique that cannot be practised (the trial, an unknown number).
        std::string(good).replace(good.find('\n') + 1, 3, "16 "),
        std::string(good).replace(good.find('\n') + 1, 3, "199"),
        good + good.substr(good.find('\n') + 1),
    };
    for (const std::string& bytes : cases) {
        fs::remove(path_ + ".bad");
        Write(bytes);
        PuzzlePool pool(path_, kPracticePerTechnique, PoolKind::kPractice);
        std::string problem;
        EXPECT_FALSE(pool.TakeTechnique(121, &problem).has_value()) << bytes;
        EXPECT_TRUE(pool.SetAsideOnce()) << bytes;
        EXPECT_NE(problem.find(".bad"), std::string::npos) << problem;
        EXPECT_EQ(Read(path_ + ".bad"), bytes);
        EXPECT_TRUE(pool.Add(OfTechnique(5, 121)));
        EXPECT_EQ(pool.TakeTechnique(121), OfTechnique(5, 121));
    }
}

TEST_F(PracticePoolFile, AFullDiskKeepsTheFileAndHandsNothingOut) {
    PuzzlePool pool(path_, kPracticePerTechnique, PoolKind::kPractice);
    ASSERT_TRUE(pool.Add(OfTechnique(1, 121)));
    const std::string before = Read(path_);
    std::string problem;
    EXPECT_FALSE(
        test::WithFullDisk(10, [&] { return pool.TakeTechnique(121, &problem).has_value(); }));
    EXPECT_FALSE(problem.empty());
    problem.clear();
    EXPECT_FALSE(test::WithFullDisk(10, [&] { return pool.Add(OfTechnique(2, 121), &problem); }));
    EXPECT_FALSE(problem.empty());
    EXPECT_EQ(Read(path_), before);
    EXPECT_EQ(pool.TakeTechnique(121), OfTechnique(1, 121));
}

TEST_F(PracticePoolFile, TwoPoolsOnOneFileNeitherRepeatNorLose) {
    constexpr int kEach = 40;
    std::vector<PooledPuzzle> taken[2];
    auto window = [&](int first, std::vector<PooledPuzzle>& mine) {
        PuzzlePool pool(path_, 1000, PoolKind::kPractice);
        for (int i = 0; i < kEach; ++i) {
            ASSERT_TRUE(pool.Add(OfTechnique(first + i, 123)));
            if (i % 2 == 1)
                if (auto p = pool.TakeTechnique(123)) mine.push_back(*p);
        }
    };
    std::thread a(window, 0, std::ref(taken[0]));
    std::thread b(window, 10000, std::ref(taken[1]));
    a.join();
    b.join();
    std::vector<PooledPuzzle> all = taken[0];
    all.insert(all.end(), taken[1].begin(), taken[1].end());
    EXPECT_EQ(all.size(), static_cast<std::size_t>(kEach));
    const std::vector<PooledPuzzle> left = ReadPool(path_, PoolKind::kPractice).puzzles;
    all.insert(all.end(), left.begin(), left.end());
    ASSERT_EQ(all.size(), static_cast<std::size_t>(2 * kEach));
    std::set<std::array<int, 81>> distinct;
    for (const PooledPuzzle& p : all) distinct.insert(p.givens);
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(2 * kEach)) << "a puzzle repeated";
}

// A pooled puzzle set up again is the generator's game: the same givens,
// marks, solution, rating and logged solve; the random state is the
// installing engine's own.
TEST(PooledPuzzle, InstallsAsTheGeneratorLeftIt) {
    for (const int kind : {kClassic, kNonConsecutive, kConsecutive, kOddEven}) {
        Engine generated;
        generated.Rng.Seed(2600 + kind);
        generated.SetDifficulty(kind == kClassic ? kAleatoire : kMoyen);
        generated.VariantKind = kind;
        generated.XSudoku = kind % 2;
        generated.SymmetryChoice = kind;
        ASSERT_TRUE(generated.GeneratePuzzle());
        const auto setting = SettingOfEngine(generated);
        ASSERT_TRUE(setting.has_value());
        EXPECT_EQ(setting->band, kind == kClassic ? kAleatoire : kMoyen);
        const PooledPuzzle pooled = PooledFromEngine(generated, *setting);
        const PoolRead read = ParsePool(PoolText({pooled}));
        ASSERT_EQ(read.status, PoolStatus::kOk) << read.error;

        Engine installed;
        installed.Rng.Seed(99);
        installed.SetDifficulty(setting->band);
        const Random rng = installed.Rng;
        InstallPooled(installed, read.puzzles[0]);
        EXPECT_EQ(installed.Givens, generated.Givens);
        EXPECT_EQ(installed.CellGrid[0], generated.CellGrid[0]);
        EXPECT_EQ(installed.SolutionGrid, generated.SolutionGrid);
        EXPECT_EQ(installed.NeighbourMarks, generated.NeighbourMarks);
        if (kind == kOddEven) {
            EXPECT_EQ(installed.ParityMarks, generated.ParityMarks);
        }
        EXPECT_EQ(installed.TechniqueCounters, generated.TechniqueCounters);
        EXPECT_EQ(installed.StepCount, generated.StepCount);
        EXPECT_EQ(installed.VariantKind, kind);
        EXPECT_EQ(installed.XSudoku, kind % 2);
        EXPECT_TRUE(installed.PuzzleFixed);
        EXPECT_FALSE(installed.Generating);
        EXPECT_EQ(installed.Rng.Next(), Random(rng).Next());
    }
}

} // namespace
} // namespace vemo::io
