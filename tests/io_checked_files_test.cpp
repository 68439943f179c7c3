// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The checked writer and the bounded reader: a failed write keeps the old
// file, a link is written through, and a read never takes more than its cap,
// never waits on a pipe and refuses what is not a regular file.
#include "full_disk.h"
#include "io/checked_writer.h"
#include "io/language.h"
#include "io/puzzle_file.h"
#include "io/settings.h"
#include "io/text_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime (its header is not always installed).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace vemo::io {
namespace {

namespace fs = std::filesystem;

const std::string kPuzzle =
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";

class CheckedFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("vemo_checked_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The names in a folder, sorted.
    static std::vector<std::string> Names(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
};

using test::WithFullDisk;

TEST_F(CheckedFiles, EveryWriterKeepsTheOldFileOnAFullDisk) {
    Engine e;
    ASSERT_EQ(LoadPuzzleFile(Write("p.sku", kPuzzle), e).outcome, LoadOutcome::kInstalled);
    const std::string old = "old bytes that must survive\n";
    const std::string target = Write("target", old);
    for (const rlim_t room : {rlim_t{0}, rlim_t{5}}) {
        std::string error;
        EXPECT_FALSE(WithFullDisk(
            room, [&] { return WriteFileChecked(target, std::string(100, 'x'), &error); }));
        EXPECT_NE(error.find("File too large"), std::string::npos) << error;
        EXPECT_FALSE(WithFullDisk(room, [&] { return SavePuzzleFile(target, e, &error); }));
        EXPECT_FALSE(WithFullDisk(room, [&] {
            return WriteSettingsFile(target, ParseSettings("[Divers]\nType=3\n"), &error);
        }));
        EXPECT_EQ(Read(target), old);
        EXPECT_EQ(Names(folder_), (std::vector<std::string>{"p.sku", "target"}));
    }
    // With room the same writes succeed.
    EXPECT_TRUE(WriteFileChecked(target, "new"));
    EXPECT_EQ(Read(target), "new");
}

TEST_F(CheckedFiles, AWriteKeepsThePermissionsAndRefusesWhatIsNoFile) {
    const std::string target = Write("kept", "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileChecked(target, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    fs::create_directories(folder_ / "sub");
    std::string error;
    EXPECT_FALSE(WriteFileChecked(Path("sub"), "x", &error));
    EXPECT_TRUE(fs::is_directory(folder_ / "sub"));
    EXPECT_FALSE(WriteFileChecked(Path("missing/x"), "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Names(folder_), (std::vector<std::string>{"kept", "sub"}));
}

TEST_F(CheckedFiles, SavingOverALinkWritesItsTarget) {
    Engine e;
    ASSERT_EQ(LoadPuzzleFile(Write("p.sku", kPuzzle), e).outcome, LoadOutcome::kInstalled);
    fs::create_directories(folder_ / "real");
    const std::string real = Write("real/grid.sku", "old");
    // A relative link, read from its own folder, and a link to that link.
    fs::create_directories(folder_ / "links");
    fs::create_symlink("../real/grid.sku", folder_ / "links" / "grid.sku");
    fs::create_symlink(folder_ / "links" / "grid.sku", folder_ / "second.sku");

    ASSERT_TRUE(SavePuzzleFile(Path("second.sku"), e));
    EXPECT_TRUE(fs::is_symlink(folder_ / "second.sku"));
    EXPECT_TRUE(fs::is_symlink(folder_ / "links" / "grid.sku"));
    EXPECT_NE(Read(real), "old");
    EXPECT_EQ(Read(real), Read(Path("second.sku")));
    // The temporary lived in the target's folder and is gone.
    EXPECT_EQ(Names(folder_ / "real"), (std::vector<std::string>{"grid.sku"}));

    // The settings file likewise.
    const std::string ini = Write("real/VemoTarn.ini", "[Divers]\r\nType=0\r\n");
    fs::create_symlink(ini, folder_ / "VemoTarn.ini");
    Settings s = ReadSettingsFile(Path("VemoTarn.ini"));
    s.Type = 3;
    ASSERT_TRUE(WriteSettingsFile(Path("VemoTarn.ini"), s));
    EXPECT_TRUE(fs::is_symlink(folder_ / "VemoTarn.ini"));
    EXPECT_EQ(ReadSettingsFile(ini).Type, 3);

    // A loop of links is refused.
    fs::create_symlink("loop-b", folder_ / "loop-a");
    fs::create_symlink("loop-a", folder_ / "loop-b");
    std::string error;
    EXPECT_FALSE(WriteFileChecked(Path("loop-a"), "x", &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(CheckedFiles, ReadsRefuseDevicesPipesFoldersAndOversizedFiles) {
    std::string error;
    EXPECT_FALSE(ReadWholeFile("/dev/zero", &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;

    // A FIFO without a writer: the read must not wait for one.
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(ReadWholeFile(Path("fifo"), &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;

    EXPECT_FALSE(ReadWholeFile(folder_.string(), &error));
    EXPECT_NE(error.find("is a directory"), std::string::npos) << error;

    const std::string atLimit = Write("at", std::string(kReadLimit, '.'));
    EXPECT_EQ(ReadWholeFile(atLimit).value_or("").size(), kReadLimit);
    const std::string over = Write("over", std::string(kReadLimit + 1, '.'));
    EXPECT_FALSE(ReadWholeFile(over, &error));
    EXPECT_NE(error.find("larger than 4 MB"), std::string::npos) << error;

    Engine e;
    const Engine before = e;
    for (const std::string& path : {std::string("/dev/zero"), Path("fifo"), over}) {
        const LoadReport r = LoadPuzzleFile(path, e);
        EXPECT_EQ(r.outcome, LoadOutcome::kCannotRead) << path;
        EXPECT_FALSE(r.detail.empty());
    }
    EXPECT_EQ(e.CellGrid[0], before.CellGrid[0]);
}

TEST(LanguageName, OnlyAPlainFileNameInTheLanguageFolder) {
    EXPECT_EQ(ParseSettings("[Divers]\nLangue=../../../../dev/zero\n").Language, kDefaultLanguage);
    EXPECT_EQ(ParseSettings("[Divers]\nLangue=/etc/passwd\n").Language, kDefaultLanguage);
    EXPECT_EQ(ParseSettings("[Divers]\nLangue=..\n").Language, kDefaultLanguage);
    EXPECT_EQ(ParseSettings("[Divers]\nLangue=a\\b.lng\n").Language, kDefaultLanguage);
    EXPECT_EQ(ParseSettings("[Divers]\nLangue=English.lng\n").Language, "English.lng");
    EXPECT_EQ(ParseSettings("[Divers]\nLangue=..English.lng\n").Language, "..English.lng");
}

// Bytes the heap hands out right now.
std::size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

TEST(LanguageMemory, FollowsTheFileNotItsNumbers) {
    // 37 KB of entries at the highest sub-index of 2650 identifiers.
    std::string text;
    for (int id = 1000; id < 3650; ++id) text += "#" + std::to_string(id) + " 9999  x\n";
    ASSERT_LT(text.size(), 40000u);
    LanguageTable table;
    const std::size_t before = HeapInUse();
    ASSERT_TRUE(table.LoadText(text).ok);
    const std::size_t grown = HeapInUse() - before;
    EXPECT_LT(grown, 2u * 1024 * 1024) << grown << " bytes for a " << text.size() << "-byte file";
    EXPECT_EQ(table.LookupText(3649, 9999), "x");
    EXPECT_TRUE(table.Has(1000, 9999));
    EXPECT_FALSE(table.Has(1000, 0));
    EXPECT_EQ(table.LookupText(1000, 5), ""); // a slot the file leaves out
}

TEST(LanguageFileWithoutEntries, CountsAsMissing) {
    LanguageTable table;
    ASSERT_TRUE(table.LoadText("#0051 0000  Nouveau\n").ok);
    for (const std::string& text : {std::string(), std::string("just a comment\r\n\r\n"),
                                    std::string("\x01\x02\xff garbage without entries")}) {
        const LanguageLoadReport r = table.LoadText(text);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.line, 0);                       // nothing malformed to report
        EXPECT_EQ(table.LookupText(51), "Nouveau"); // the language in use stays
    }
}

// A writer killed in the middle leaves its temporary; the next write to the
// folder removes it, and only it: a temporary still being written, a fresh
// one, and every file that is not the program's own stay.
TEST_F(CheckedFiles, StaleTemporariesOfKilledWritersAreRemoved) {
    const auto old = [&](const std::string& name) {
        const std::string path = Write(name, "left by a killed writer");
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(5));
        return path;
    };
    old("partie.txt.tmp-vemotarn-a1B2c3");
    old("grille.sku.tmp-vemotarn-Zz9yX8");
    const std::string held = old("records.txt.tmp-vemotarn-HeLd00");
    const int writer = ::open(held.c_str(), O_RDONLY);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0) << "a living writer holds its temporary";
    Write("VemoTarn.ini.tmp-vemotarn-fresh1", "written right now");
    old("grille.sku.abc123");
    old("notes.tmp-vemotarn-");
    old("notes.tmp-vemotarn-toolong");
    fs::create_directory(folder_ / "dir.tmp-vemotarn-folder");

    std::string error;
    ASSERT_TRUE(WriteFileChecked(Path("new.sku"), "puzzle", &error)) << error;
    EXPECT_EQ(Names(folder_),
              (std::vector<std::string>{"VemoTarn.ini.tmp-vemotarn-fresh1",
                                        "dir.tmp-vemotarn-folder", "grille.sku.abc123", "new.sku",
                                        "notes.tmp-vemotarn-", "notes.tmp-vemotarn-toolong",
                                        "records.txt.tmp-vemotarn-HeLd00"}));
    ::close(writer);
    EXPECT_EQ(RemoveStaleTemporaries(folder_.string()), 1) << "its writer is gone now";
}

} // namespace
} // namespace vemo::io
