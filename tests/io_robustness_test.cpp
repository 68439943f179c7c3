// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every reader fed thousands of mutated and random inputs: no crash, and a
// rejected input leaves what was loaded before exactly as it was.
#include "engine/random.h"
#include "io/grid_text.h"
#include "io/language.h"
#include "io/puzzle_file.h"
#include "io/settings.h"
#include "io/text_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vemo::io {
namespace {

class Mutator {
  public:
    explicit Mutator(std::uint64_t seed) : rng_(seed) {}

    std::string Mutate(std::string text, const std::string& alphabet) {
        if (rng_.Below(10) == 0) { // now and then pure noise
            text.clear();
            for (int k = rng_.Below(400); k > 0; --k) text += static_cast<char>(rng_.Below(256));
            return text;
        }
        for (int k = rng_.Below(16); k > 0; --k) {
            const std::size_t at = text.empty() ? 0 : rng_.Below(static_cast<int>(text.size()));
            const char ch = alphabet[rng_.Below(static_cast<int>(alphabet.size()))];
            switch (rng_.Below(4)) {
            case 0:
                if (!text.empty()) text[at] = ch;
                break;
            case 1:
                text.insert(text.begin() + static_cast<long>(at), ch);
                break;
            case 2:
                if (!text.empty()) text.erase(at, 1);
                break;
            default: // cut the text short
                text.resize(at);
            }
        }
        return text;
    }
    int Below(int n) { return rng_.Below(n); }

  private:
    Random rng_;
};

const std::string kPuzzle =
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";

std::string Snapshot(const Engine& e) {
    std::string s =
        test::TextOf(e.CellGrid[0]) + test::TextOf(e.Givens) + test::TextOf(e.SolutionGrid);
    s += std::to_string(e.VariantKind) + std::to_string(e.XSudoku) +
         std::to_string(e.ValidityStatus);
    for (const auto& m : e.NeighbourMarks)
        for (const int v : m) s += std::to_string(v);
    for (const int v : e.ParityMarks) s += std::to_string(v);
    for (int c = 0; c < 81; ++c) s += test::CandidateString(e, c);
    return s;
}

TEST(Robustness, PuzzleFilesIntoTheEngine) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("vemo_fuzz_" + std::to_string(::getpid()) + ".sku");
    Engine e;
    Engine original;
    ASSERT_TRUE(InstallParsedPuzzle(ReadFreeLayout(kPuzzle).puzzle, original).empty());
    std::string record = "3x3:d:c";
    for (int c = 0; c < 81; ++c) record += ":" + std::to_string(c % 7 == 0 ? 1283 : c % 3);
    record += ":\r\n";
    const std::string seeds[] = {record, kPuzzle + "\r\n", "3x3: :o:256:260:7:0:0:0:\r\n"};
    Mutator m(7);
    for (int i = 0; i < 3000; ++i) {
        const std::string bytes = m.Mutate(seeds[i % 3], "0123456789:.xX 3|-+*\r\ncdo\xe9");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        e = original;
        const std::string before = Snapshot(e);
        const LoadReport r = LoadPuzzleFile(path.string(), e);
        if (r.outcome != LoadOutcome::kInstalled) {
            ASSERT_EQ(Snapshot(e), before) << bytes;
            ASSERT_FALSE(r.messages.empty());
        } else {
            ASSERT_EQ(r.messages, ValidityMessages(e.ValidityStatus));
            for (int c = 0; c < 81; ++c) ASSERT_LE(e.CellGrid[0][c], 9);
            // Whatever was read, a save of it reads back to the same givens.
            Engine back;
            if (e.ValidityStatus == 0) {
                const ReadResult again = ReadPuzzleFile(PuzzleFileText(e));
                ASSERT_EQ(again.outcome, ReadOutcome::kOk);
                ASSERT_EQ(again.puzzle.cells, e.Givens);
            }
        }
    }
    std::filesystem::remove(path);
}

TEST(Robustness, PastedTexts) {
    Engine e;
    InstallParsedPuzzle(ReadFreeLayout(kPuzzle).puzzle, e);
    e.PlaceDigit(1, 1);
    const std::string seeds[] = {BuildGridText(e, false, true), BuildGridText(e, true, true),
                                 "3x3:d:o:256:1:2:3:4:5:6:7:8:9:\r\n:0:0:0:"};
    Mutator m(11);
    for (int i = 0; i < 3000; ++i) {
        const PasteResult r = ParsePastedText(m.Mutate(seeds[i % 3], "0123456789:.xX |-+*\r\ndo"));
        ASSERT_LE(r.cellsRead, 81);
        ASSERT_EQ(r.outcome == ReadOutcome::kOk, r.cellsRead == 81);
        for (int c = 0; c < 81; ++c) ASSERT_LE(r.puzzle.cells[c], 9);
    }
}

TEST(Robustness, SettingsTexts) {
    Settings s;
    s.RecentFiles = {"/a.sku", "/b.sku", "", "", ""};
    s.Language = "English.lng";
    s.Left = 5;
    s.Difficulty = 321;
    const std::string seed = SettingsText(s);
    Mutator m(13);
    for (int i = 0; i < 3000; ++i) {
        const std::string text = m.Mutate(seed, "[]=;#\r\nDiversFichiers0123456789-é\xe9 ");
        Settings read = ParseSettings(text);
        ASSERT_FALSE(read.Language.empty());
        // Whatever was read writes out and reads back the same.
        const Settings back = ParseSettings(SettingsText(read));
        ASSERT_EQ(back.RecentFiles, read.RecentFiles) << text;
        ASSERT_EQ(back.Left, read.Left);
        ASSERT_EQ(back.Top, read.Top);
        ASSERT_EQ(back.Difficulty, read.Difficulty);
        ASSERT_EQ(back.Symmetry, read.Symmetry);
        ASSERT_EQ(back.CandidateDisplay, read.CandidateDisplay);
        ASSERT_EQ(back.Type, read.Type);
        ASSERT_EQ(back.XSudoku, read.XSudoku);
    }
}

TEST(Robustness, LanguageTexts) {
    LanguageTable t;
    ASSERT_TRUE(t.LoadText("#0051 0000  Nouveau\r\n#0003 0000  Grille\r\n").ok);
    const std::string seed =
        "comment\r\n#0051 0000  Nouveau\r\n#0003 0001  Grille\r\n#0500 0002  x\r\n";
    Mutator m(17);
    int accepted = 0;
    for (int i = 0; i < 3000; ++i) {
        LanguageTable copy = t;
        const std::string before = copy.LookupText(51) + "|" + copy.LookupText(3);
        const std::string mutated = m.Mutate(seed, "#0123456789 \r\n\xe9x");
        const LanguageLoadReport r = copy.LoadText(mutated);
        if (!r.ok) {
            ASSERT_EQ(copy.LookupText(51) + "|" + copy.LookupText(3), before);
            // Either a line is named, or no line at all is an entry.
            const bool anyEntry =
                mutated.starts_with('#') || mutated.find("\n#") != std::string::npos;
            ASSERT_TRUE(r.line > 0 || !anyEntry) << mutated;
        } else {
            ++accepted;
        }
        for (int id = 0; id < 600; id += 7) (void)copy.LookupText(id, m.Below(4));
    }
    EXPECT_GT(accepted, 100); // the mutations do not only break lines
}

TEST(Robustness, TextDecodingRoundTrip) {
    Mutator m(19);
    for (int i = 0; i < 2000; ++i) {
        std::string bytes;
        for (int k = m.Below(64); k > 0; --k) bytes += static_cast<char>(m.Below(256));
        const std::string utf8 = Cp1252ToUtf8(bytes);
        ASSERT_TRUE(IsUtf8(utf8));
        ASSERT_EQ(Utf8ToCp1252(utf8), bytes); // every byte comes back
    }
}

} // namespace
} // namespace vemo::io
