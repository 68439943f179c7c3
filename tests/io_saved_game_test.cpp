// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The saved game and the records: text round trips, and every damaged,
// empty, foreign or newer file refused with its reason, never half read.
#include "io/data_folder.h"
#include "io/records.h"
#include "io/saved_game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace vemo::io {
namespace {

namespace fs = std::filesystem;

// A game with three levels, an undone move and a logged step.
SavedGame SampleGame() {
    SavedGame g;
    g.variantKind = 2;
    g.xSudoku = 1;
    for (int c = 0; c < 81; ++c) {
        g.solution[c] = 1 + (c * 7 + c / 9) % 9;
        g.givens[c] = c % 3 == 0 ? g.solution[c] : 0;
        g.parity[c] = 1 + c % 2;
        g.neighbours[c] = {c % 3, c % 9 == 8 ? -1 : 1, c >= 72 ? -1 : 0, c % 9 == 0 ? -1 : 0,
                           c < 9 ? -1 : 1};
    }
    g.techniqueCounters[0] = 31;
    g.techniqueCounters[18] = 97;
    g.ratingDone = 1;
    g.stepCount = 3;
    g.solutionCount = 1;
    g.steps[0].technique = 1;
    g.steps[0].record[1] = 40;
    g.steps[0].record[17] = 5;
    g.steps[1].technique = 3;
    g.steps[1].record[0] = -1;
    g.caption = " Vemo Tarn : grille été.sku";
    g.elapsedSeconds = 754;
    g.errorsMade = 2;
    g.hintsShown = 1;
    g.completeHintsShown = 3;
    g.hintsPlayed = 4;
    SavedLevel start;
    start.cells = g.givens;
    start.filledCount = 27;
    for (int c = 0; c < 81; ++c) start.candidates[c] = g.givens[c] ? 0 : (c * 37) % 512;
    SavedLevel second = start;
    second.cells[1] = g.solution[1];
    second.filledCount = 28;
    second.candidates[1] = 0;
    SavedLevel third = second;
    third.candidates[2] &= ~1;
    start.moveKind = 1;
    start.moveCell = 1;
    start.moveDigit = g.solution[1];
    second.moveKind = 2;
    second.moveCell = 2;
    second.moveDigit = 1;
    g.levels = {start, second, third};
    g.level = 2; // the removal was undone
    return g;
}

TEST(SavedGame, RoundTripKeepsEveryValue) {
    const SavedGame game = SampleGame();
    const std::string text = SavedGameText(game);
    EXPECT_EQ(text.rfind("VemoTarn saved game 1\n", 0), 0u) << "the version line comes first";
    const SavedGameRead read = ParseSavedGame(text);
    ASSERT_EQ(read.status, SavedGameStatus::kOk) << read.error << " line " << read.line;
    ASSERT_TRUE(read.game);
    EXPECT_EQ(*read.game, game);
}

// Every kind of move the window records, a played hint included (it names
// no cell and no digit), comes back as it was written.
TEST(SavedGame, EveryKindOfMoveReadsBack) {
    SavedGame game = SampleGame();
    SavedLevel fourth = game.levels[2];
    fourth.candidates[3] = 0;
    game.levels[2].moveKind = kSavedHintMove;
    game.levels[2].moveCell = -1;
    game.levels[2].moveDigit = 0;
    game.levels.push_back(fourth);
    game.level = 4;
    const std::string text = SavedGameText(game);
    EXPECT_NE(text.find("\nmove 3 3 -1 0\n"), std::string::npos) << text;
    const SavedGameRead read = ParseSavedGame(text);
    ASSERT_EQ(read.status, SavedGameStatus::kOk) << read.error << " line " << read.line;
    EXPECT_EQ(*read.game, game);
    // A placement or a removal still needs its cell and digit.
    for (const char* bad : {"move 1 1 -1 0", "move 2 2 -1 0", "move 3 3 4 5"}) {
        std::string damaged = text;
        const std::string key = std::string(bad).substr(0, 7);
        const std::size_t at = damaged.find("\n" + key) + 1;
        damaged.replace(at, damaged.find('\n', at) - at, bad);
        EXPECT_EQ(ParseSavedGame(damaged).status, SavedGameStatus::kCorrupt) << bad;
    }
}

// Whatever the writer writes, the reader reads: a clock or a counter beyond
// what the reader takes is written at its limit.
TEST(SavedGame, ValuesAtTheLimitsStayReadable) {
    SavedGame game = SampleGame();
    const SavedGameRead limit = ParseSavedGame([&] {
        std::string t = SavedGameText(game);
        const std::size_t at = t.find("\nclock ") + 1;
        return t.replace(at, t.find('\n', at) - at, "clock 3153600000");
    }());
    ASSERT_EQ(limit.status, SavedGameStatus::kOk) << "a century of play is the limit";
    game = *limit.game;
    game.elapsedSeconds += 7; // resumed at the limit and played on
    game.errorsMade = 2'000'000'000;
    const SavedGameRead read = ParseSavedGame(SavedGameText(game));
    ASSERT_EQ(read.status, SavedGameStatus::kOk) << read.error << " line " << read.line;
    EXPECT_EQ(read.game->elapsedSeconds, limit.game->elapsedSeconds);
    EXPECT_EQ(read.game->errorsMade, 1'000'000'000);
}

// As many levels as the window's history holds, and not one more.
TEST(SavedGame, LevelLimitIsTheHistorysOwn) {
    SavedGame game = SampleGame();
    SavedLevel step = game.levels[0];
    game.levels.assign(kSavedLevelLimit, step);
    game.level = kSavedLevelLimit;
    game.levels.back().moveKind = 0;
    EXPECT_EQ(ParseSavedGame(SavedGameText(game)).status, SavedGameStatus::kOk);
    game.levels.back().moveKind = 1;
    game.levels.push_back(step);
    game.levels.back().moveKind = 0;
    EXPECT_EQ(ParseSavedGame(SavedGameText(game)).status, SavedGameStatus::kCorrupt);
}

// A caption is read as the writer writes it: a control character is a blank.
TEST(SavedGame, CaptionReadsAsWritten) {
    std::string text = SavedGameText(SampleGame());
    const std::size_t at = text.find("\ncaption ") + 1;
    text.replace(at, text.find('\n', at) - at, "caption  Vemo\tTarn : x\ry");
    const SavedGameRead read = ParseSavedGame(text);
    ASSERT_EQ(read.status, SavedGameStatus::kOk) << read.error;
    EXPECT_EQ(read.game->caption, " Vemo Tarn : x y");
    EXPECT_EQ(*ParseSavedGame(SavedGameText(*read.game)).game, *read.game);
}

TEST(SavedGame, ByteOrderMarkIsAccepted) {
    const SavedGameRead read = ParseSavedGame("\xEF\xBB\xBF" + SavedGameText(SampleGame()));
    ASSERT_EQ(read.status, SavedGameStatus::kOk) << read.error;
    EXPECT_EQ(*read.game, SampleGame());
    Records r;
    AddFinishedGame(r, 0, 0, 0, 61, HintUse::kShown);
    const RecordsRead records = ParseRecords("\xEF\xBB\xBF" + RecordsText(r));
    ASSERT_EQ(records.status, RecordsStatus::kOk) << records.error;
    EXPECT_EQ(records.records, r);
}

TEST(SavedGame, CrLfLinesAndBlankLinesRead) {
    std::string text = SavedGameText(SampleGame());
    std::string crlf;
    for (const char ch : text) {
        if (ch == '\n')
            crlf += "\r\n\r\n";
        else
            crlf += ch;
    }
    const SavedGameRead read = ParseSavedGame(crlf);
    ASSERT_EQ(read.status, SavedGameStatus::kOk) << read.error;
    EXPECT_EQ(*read.game, SampleGame());
}

TEST(SavedGame, EmptyForeignAndNewerRefused) {
    EXPECT_EQ(ParseSavedGame("").status, SavedGameStatus::kEmpty);
    EXPECT_EQ(ParseSavedGame("[Divers]\nLangue=English.lng\n").status, SavedGameStatus::kForeign);
    EXPECT_EQ(ParseSavedGame(std::string("\0\1\2\3", 4)).status, SavedGameStatus::kForeign);
    std::string newer = SavedGameText(SampleGame());
    newer.replace(0, newer.find('\n'), "VemoTarn saved game 2");
    const SavedGameRead read = ParseSavedGame(newer);
    EXPECT_EQ(read.status, SavedGameStatus::kNewerVersion);
    EXPECT_FALSE(read.game);
}

// Each damage gives kCorrupt and names the faulty line.
TEST(SavedGame, DamagedLinesRefused) {
    const std::string good = SavedGameText(SampleGame());
    const auto lineOf = [&](const std::string& key) {
        const std::size_t at = good.find("\n" + key + " ") + 1;
        return std::make_pair(at, good.find('\n', at));
    };
    const auto replaced = [&](const std::string& key, const std::string& line) {
        const auto [from, to] = lineOf(key);
        return good.substr(0, from) + line + good.substr(to);
    };
    const std::string digits81(81, '1');
    const struct {
        std::string text;
        const char* what;
    } cases[] = {
        {good.substr(0, good.size() / 2), "cut in the middle"},
        {good.substr(0, good.find("end\n")), "no end line"},
        {good + "variant 0 0\n", "text after the end"},
        {replaced("variant", "variant 4 0"), "unknown variant"},
        {replaced("variant", "variant 0 2"), "X flag 2"},
        {replaced("variant", "variant 0"), "value missing"},
        {replaced("givens", "givens " + digits81.substr(1)), "80 givens"},
        {replaced("givens", "givens " + digits81.substr(1) + "a"), "letter in the givens"},
        {replaced("parity", "parity " + std::string(81, '0')), "parity 0"},
        {replaced("clock", "clock -5"), "negative clock"},
        {replaced("clock", "clock 99999999999999999999999"), "overflowing clock"},
        {replaced("counts", "counts 1 2 3 x"), "counter not a number"},
        {replaced("current", "current 4"), "current level not saved"},
        {replaced("current", "current 0"), "level 0"},
        {replaced("move 1", "move 1 1 81 5"), "cell 81"},
        {replaced("move 1", "move 1 1 1 0"), "digit 0"},
        {replaced("move 2", "bogus 2 2 2 1"), "unknown line, move missing"},
        {replaced("level 3", "level 3 28 " + digits81 + " " + std::string(243, '0')),
         "filled count off"},
        {replaced("level 2", "level 2 28 " + std::string(81, '0').replace(0, 28, 28, '1') + " " +
                                 std::string(242, '0') + "8"),
         "candidate digit 8"},
        {replaced("level 2", "level 9 28 x y"), "level gap"},
        {good.substr(0, lineOf("current").first) + "current 1\n" +
             good.substr(lineOf("current").first),
         "current twice"},
        {replaced("step 1", "step 101 1" + std::string(64, ' ').replace(1, 63, 63, '0')),
         "step 101"},
    };
    for (const auto& c : cases) {
        const SavedGameRead read = ParseSavedGame(c.text);
        EXPECT_EQ(read.status, SavedGameStatus::kCorrupt) << c.what;
        EXPECT_FALSE(read.game) << c.what;
        EXPECT_GT(read.line, 0) << c.what;
        EXPECT_FALSE(read.error.empty()) << c.what;
    }
}

class DataFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("vemo_data_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(DataFiles, DataFolderFollowsXdgDataHome) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_DATA_HOME", folder_.c_str(), 1);
    EXPECT_EQ(DataFolder(), (folder_ / "VemoTarn").string());
    // A relative value is not a data home: the default under HOME is used.
    ::setenv("XDG_DATA_HOME", "relative/place", 1);
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    if (!home.empty()) {
        EXPECT_EQ(DataFolder(), home + "/.local/share/VemoTarn");
    }
    if (old)
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

TEST_F(DataFiles, WrittenGameReadsBackAndMissingIsQuiet) {
    const std::string path = (folder_ / "VemoTarn" / kSavedGameFile).string();
    EXPECT_EQ(ReadSavedGame(path).status, SavedGameStatus::kMissing);
    std::string error;
    ASSERT_TRUE(WriteSavedGame(path, SampleGame(), &error)) << error;
    const SavedGameRead read = ReadSavedGame(path);
    ASSERT_EQ(read.status, SavedGameStatus::kOk) << read.error;
    EXPECT_EQ(*read.game, SampleGame());
}

TEST_F(DataFiles, BoundedReadRefusesHugeAndFolders) {
    const std::string path = (folder_ / kSavedGameFile).string();
    {
        std::ofstream out(path, std::ios::binary);
        out << SavedGameText(SampleGame());
        out << std::string(kSavedGameReadLimit, '\n');
    }
    EXPECT_EQ(ReadSavedGame(path).status, SavedGameStatus::kUnreadable);
    fs::remove(path);
    fs::create_directories(path);
    EXPECT_EQ(ReadSavedGame(path).status, SavedGameStatus::kUnreadable);
}

TEST_F(DataFiles, SetAsideKeepsTheFileForInspection) {
    const std::string path = (folder_ / kSavedGameFile).string();
    std::ofstream(path) << "garbage";
    std::string error;
    ASSERT_TRUE(SetAside(path, &error)) << error;
    EXPECT_FALSE(fs::exists(path));
    std::ifstream in(path + ".bad");
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "garbage");
    EXPECT_FALSE(SetAside(path, &error)) << "nothing left to move";
}

TEST(Records, BandsFollowTheScore) {
    EXPECT_EQ(ScoreBand(0), 0);
    EXPECT_EQ(ScoreBand(105), 0);
    EXPECT_EQ(ScoreBand(106), 1);
    EXPECT_EQ(ScoreBand(320), 1);
    EXPECT_EQ(ScoreBand(321), 2);
    EXPECT_EQ(ScoreBand(650), 2);
    EXPECT_EQ(ScoreBand(651), 3);
    EXPECT_EQ(ScoreBand(9000), 3);
}

TEST(Records, FinishedGamesUpdateTheirOwnRow) {
    Records r;
    RecordNews news = AddFinishedGame(r, 1, 1, 2, 600, HintUse::kNone);
    EXPECT_TRUE(news.bestBeaten) << "the first time of a row is a record";
    EXPECT_TRUE(news.bestWithoutHintsBeaten);
    EXPECT_EQ(r.At(1, 1, 2), (RecordRow{1, 600, 600}));
    // Every other row is untouched.
    Records only;
    only.At(1, 1, 2) = {1, 600, 600};
    EXPECT_EQ(r, only);

    news = AddFinishedGame(r, 1, 1, 2, 500, HintUse::kShown); // faster, hints shown
    EXPECT_TRUE(news.bestBeaten);
    EXPECT_FALSE(news.bestWithoutHintsBeaten);
    EXPECT_EQ(r.At(1, 1, 2), (RecordRow{2, 500, 600}));

    news = AddFinishedGame(r, 1, 1, 2, 550, HintUse::kNone); // beats only the no-hint time
    EXPECT_FALSE(news.bestBeaten);
    EXPECT_TRUE(news.bestWithoutHintsBeaten);
    EXPECT_EQ(r.At(1, 1, 2), (RecordRow{3, 500, 550}));

    news = AddFinishedGame(r, 1, 1, 2, 500, HintUse::kNone); // equal is no record
    EXPECT_FALSE(news.bestBeaten);
    EXPECT_EQ(r.At(1, 1, 2).finished, 4);
    EXPECT_EQ(r.At(1, 0, 2), RecordRow{}) << "without X is another row";
}

// A game solved by played hints is finished, but it sets no time at all.
TEST(Records, PlayedHintsSetNoTime) {
    Records r;
    RecordNews news = AddFinishedGame(r, 0, 0, 1, 6, HintUse::kPlayed);
    EXPECT_FALSE(news.bestBeaten);
    EXPECT_EQ(r.At(0, 0, 1), (RecordRow{1, -1, -1}));
    news = AddFinishedGame(r, 0, 0, 1, 236, HintUse::kNone);
    EXPECT_TRUE(news.bestBeaten) << "the first real game of the row";
    news = AddFinishedGame(r, 0, 0, 1, 5, HintUse::kPlayed);
    EXPECT_FALSE(news.bestBeaten);
    EXPECT_EQ(r.At(0, 0, 1), (RecordRow{3, 236, 236}));
    const RecordsRead read = ParseRecords(RecordsText(r));
    ASSERT_EQ(read.status, RecordsStatus::kOk) << read.error;
    Records hinted;
    AddFinishedGame(hinted, 0, 0, 1, 6, HintUse::kPlayed);
    EXPECT_EQ(ParseRecords(RecordsText(hinted)).records, hinted) << "a row without a time";
}

// A later version's file gives what this version understands, and says so.
TEST(Records, NewerFileReadAsFarAsUnderstood) {
    const RecordsRead read = ParseRecords("VemoTarn records 2\nrecord 0 0 0 3 61 70\n"
                                          "record 0 0 1 2 61 70 extra\nstreak 0 0 0 5\nend\n");
    EXPECT_EQ(read.status, RecordsStatus::kNewerVersion);
    EXPECT_EQ(read.records.At(0, 0, 0), (RecordRow{3, 61, 70}));
    EXPECT_EQ(read.records.At(0, 0, 1), RecordRow{});
}

TEST(Records, RoundTripAndDamage) {
    Records r;
    AddFinishedGame(r, 0, 0, 0, 61, HintUse::kShown);
    AddFinishedGame(r, 3, 1, 3, 3600, HintUse::kNone);
    const std::string text = RecordsText(r);
    const RecordsRead read = ParseRecords(text);
    ASSERT_EQ(read.status, RecordsStatus::kOk) << read.error;
    EXPECT_EQ(read.records, r);
    EXPECT_EQ(ParseRecords(RecordsText(Records{})).status, RecordsStatus::kOk);

    EXPECT_EQ(ParseRecords("").status, RecordsStatus::kEmpty);
    EXPECT_EQ(ParseRecords("hello\n").status, RecordsStatus::kForeign);
    EXPECT_EQ(ParseRecords("VemoTarn records 7\nend\n").status, RecordsStatus::kNewerVersion);
    for (const char* bad : {
             "VemoTarn records 1\nrecord 0 0 0 1 61 -\n",       // no end line
             "VemoTarn records 1\nrecord 4 0 0 1 61 -\nend\n",  // variant 4
             "VemoTarn records 1\nrecord 0 0 4 1 61 -\nend\n",  // band 4
             "VemoTarn records 1\nrecord 0 0 0 -1 61 -\nend\n", // negative count
             "VemoTarn records 1\nrecord 0 0 0 0 61 -\nend\n",  // time with no game
             "VemoTarn records 1\nrecord 0 0 0 2 90 60\nend\n", // best slower
             "VemoTarn records 1\nrecord 0 0 0 1 x -\nend\n",   // not a number
             "VemoTarn records 1\nrecord 0 0 0 1 6 -\nrecord 0 0 0 1 6 -\nend\n", // twice
             "VemoTarn records 1\nend\nrecord 0 0 0 1 6 -\n",                     // after the end
         }) {
        const RecordsRead damaged = ParseRecords(bad);
        EXPECT_EQ(damaged.status, RecordsStatus::kCorrupt) << bad;
        EXPECT_TRUE(damaged.records.Empty()) << bad;
    }
}

TEST_F(DataFiles, RecordsWrittenAndReadBack) {
    const std::string path = (folder_ / "sub" / kRecordsFile).string();
    EXPECT_EQ(ReadRecords(path).status, RecordsStatus::kMissing);
    Records r;
    AddFinishedGame(r, 2, 0, 1, 125, HintUse::kNone);
    std::string error;
    ASSERT_TRUE(WriteRecords(path, r, &error)) << error;
    const RecordsRead read = ReadRecords(path);
    ASSERT_EQ(read.status, RecordsStatus::kOk);
    EXPECT_EQ(read.records, r);
    {
        std::ofstream out(path, std::ios::binary);
        out << std::string(kRecordsReadLimit + 1, 'x');
    }
    const RecordsRead huge = ReadRecords(path);
    EXPECT_EQ(huge.status, RecordsStatus::kUnreadable);
    EXPECT_NE(huge.error.find("larger than 64 KB"), std::string::npos) << huge.error;
}

} // namespace
} // namespace vemo::io
