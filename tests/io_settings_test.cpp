// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings file and the recent-files list.
#include "io/settings.h"
#include "io/text_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace vemo::io {
namespace {

namespace fs = std::filesystem;

RecentList List(const char* a, const char* b, const char* c, const char* d, const char* e) {
    return {a, b, c, d, e};
}

TEST(RecentFiles, OrdersOfOpeningAndChoosing) {
    RecentList r = List("1", "2", "3", "4", "5");
    UpdateRecentFiles(r, "3"); // already entry 3
    EXPECT_EQ(r, List("3", "1", "2", "4", "5"));
    UpdateRecentFiles(r, "3"); // entry 1: nothing moves
    EXPECT_EQ(r, List("3", "1", "2", "4", "5"));
    UpdateRecentFiles(r, "6"); // a sixth file drops the oldest
    EXPECT_EQ(r, List("6", "3", "1", "2", "4"));
    UpdateRecentFiles(r, "/other/folder/3"); // another folder is another file
    EXPECT_EQ(r, List("/other/folder/3", "6", "3", "1", "2"));

    // Equal entries: the last one counts.
    r = List("a", "x", "b", "x", "c");
    UpdateRecentFiles(r, "x");
    EXPECT_EQ(r, List("x", "a", "x", "b", "c"));

    // Choosing an entry whose file is gone: moved to the front, then dropped.
    r = List("1", "2", "gone", "4", "5");
    UpdateRecentFiles(r, "gone");
    DropFirstRecentFile(r);
    EXPECT_EQ(r, List("1", "2", "4", "5", ""));
    // Choosing an empty entry changes nothing visible.
    r = List("1", "2", "", "", "");
    UpdateRecentFiles(r, "");
    DropFirstRecentFile(r);
    EXPECT_EQ(r, List("1", "2", "", "", ""));
}

TEST(SettingsFile, DefaultsForMissingAndBadValues) {
    const Settings empty = ParseSettings("");
    EXPECT_EQ(empty.Language, "Français.lng");
    EXPECT_EQ(empty.Left, -1);
    EXPECT_EQ(empty.Top, -1);
    EXPECT_EQ(empty.Width, -1);
    EXPECT_EQ(empty.Height, -1);
    EXPECT_EQ(empty.Difficulty, -1);
    EXPECT_EQ(empty.Symmetry, -1);
    EXPECT_EQ(empty.CandidateDisplay, 0);
    EXPECT_EQ(empty.Type, 0);
    EXPECT_EQ(empty.XSudoku, 0);
    EXPECT_EQ(empty.RecentFiles, RecentList{});

    const Settings bad = ParseSettings("[Divers]\nLeft=12px\nTop=\nType=3.5\nXSudoku=99999999999\n"
                                       "Symétrie= 2 \nAffichagecandidats=+1\n");
    EXPECT_EQ(bad.Left, -1);
    EXPECT_EQ(bad.Top, -1);
    EXPECT_EQ(bad.Type, 0);
    EXPECT_EQ(bad.XSudoku, 0);
    EXPECT_EQ(bad.Symmetry, 2);
    EXPECT_EQ(bad.CandidateDisplay, 1);

    // Binary junk is read as defaults too.
    const Settings junk = ParseSettings(std::string("\0\xff[\x01=\n=\n[", 9));
    EXPECT_EQ(junk.Left, -1);
}

TEST(SettingsFile, CaseAndCodePage) {
    // A legacy file in the Western European code page, keys in any case.
    const Settings s = ParseSettings("[FICHIERS]\r\nfic2=C:\\Sudoku\\caf\xe9.sku\r\n"
                                     "[divers]\r\nDIFFICULT\xc9=651\r\nsym\xe9trie=3\r\n"
                                     "xsudoku=1\r\nlangue=English.lng\r\n");
    EXPECT_EQ(s.RecentFiles[1], "C:\\Sudoku\\café.sku");
    EXPECT_EQ(s.Difficulty, 651);
    EXPECT_EQ(s.Symmetry, 3);
    EXPECT_EQ(s.XSudoku, 1);
    EXPECT_EQ(s.Language, "English.lng");
    // The same in UTF-8.
    EXPECT_EQ(ParseSettings("[Divers]\nDifficulté=321\n").Difficulty, 321);
    // A key of another section does not count.
    EXPECT_EQ(ParseSettings("[Fichiers]\nType=3\n").Type, 0);
}

TEST(SettingsFile, WrittenKeysInOrderAndOthersKept) {
    Settings s = ParseSettings(
        "; my notes\r\n[Divers]\r\nVersionUrl=http://example.org/v.txt\r\nType=2\r\n");
    s.RecentFiles = List("/a.sku", "/b.sku", "", "", "");
    s.Language = "English.lng";
    s.Left = 10;
    s.Top = 20;
    s.Width = 800;
    s.Height = 900;
    s.Difficulty = 106;
    s.Symmetry = 0;
    s.CandidateDisplay = 2;
    s.Type = 3;
    s.XSudoku = 1;
    s.ResumeGame = 0;
    s.AskBeforeAbandon = 0;
    const std::string text = SettingsText(s);
    EXPECT_NE(text.find("; my notes\r\n"), std::string::npos);
    EXPECT_NE(text.find("VersionUrl=http://example.org/v.txt\r\n"), std::string::npos);
    EXPECT_NE(text.find("Xsudoku=1\r\n"), std::string::npos); // that spelling
    EXPECT_EQ(text.find("Type=2"), std::string::npos);
    EXPECT_LT(text.find("VersionUrl"), text.find("Type=3")); // set where it stood

    // A fresh file: the keys in their written order.
    Settings fresh = s;
    fresh.Original.clear();
    EXPECT_EQ(SettingsText(fresh),
              "[Fichiers]\r\nFic1=/a.sku\r\nFic2=/b.sku\r\nFic3=\r\nFic4=\r\nFic5=\r\n"
              "\r\n[Divers]\r\nLangue=English.lng\r\nLeft=10\r\nTop=20\r\n"
              "Width=800\r\nHeight=900\r\nDifficulté=106\r\nSymétrie=0\r\nAffichagecandidats="
              "2\r\nType=3\r\n"
              "Xsudoku=1\r\nReprendre=0\r\nDemander=0\r\n");
    // And it reads back.
    const Settings back = ParseSettings(text);
    EXPECT_EQ(back.RecentFiles, s.RecentFiles);
    EXPECT_EQ(back.Language, "English.lng");
    EXPECT_EQ(back.Left, 10);
    EXPECT_EQ(back.Width, 800);
    EXPECT_EQ(back.Height, 900);
    EXPECT_EQ(back.Difficulty, 106);
    EXPECT_EQ(back.CandidateDisplay, 2);
    EXPECT_EQ(back.Type, 3);
    EXPECT_EQ(back.XSudoku, 1);
    EXPECT_EQ(back.ResumeGame, 0);
    EXPECT_EQ(back.AskBeforeAbandon, 0);
    // Both are on unless the file turns them off.
    EXPECT_EQ(ParseSettings("").ResumeGame, 1);
    EXPECT_EQ(ParseSettings("[Divers]\r\nDemander=x\r\n").AskBeforeAbandon, 1);
    EXPECT_EQ(FindSetting(text, "divers", "versionurl").value_or(""), "http://example.org/v.txt");
}

TEST(SettingsFile, TheHintPanelIsWrittenOnceChosen) {
    Settings s = ParseSettings("");
    EXPECT_EQ(s.Explanations, -1);
    EXPECT_EQ(SettingsText(s).find("Explications"), std::string::npos);
    for (const int on : {1, 0}) {
        s.Explanations = on;
        const std::string text = SettingsText(s);
        EXPECT_NE(text.find("Explications=" + std::to_string(on) + "\r\n"), std::string::npos)
            << text;
        EXPECT_EQ(ParseSettings(text).Explanations, on);
    }
    // A value that is no number is as if none were written; any other number shows it.
    EXPECT_EQ(ParseSettings("[Divers]\r\nExplications=oui\r\n").Explanations, -1);
    EXPECT_EQ(ParseSettings("[Divers]\r\nExplications=5\r\n").Explanations, 1);
    EXPECT_EQ(ParseSettings("[Divers]\r\nExplications=-3\r\n").Explanations, -1);
}

class SettingsPlace : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("vemo_settings_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "program");
        const char* old = std::getenv("XDG_CONFIG_HOME");
        oldXdg_ = old ? old : "";
        hadXdg_ = old != nullptr;
        ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    }
    void TearDown() override {
        if (hadXdg_)
            ::setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        fs::permissions(root_ / "program", fs::perms::owner_all);
        fs::remove_all(root_);
    }
    fs::path root_;
    std::string oldXdg_;
    bool hadXdg_ = false;
};

TEST_F(SettingsPlace, BesideTheProgramOrInTheUsersConfiguration) {
    EXPECT_EQ(SettingsPath((root_ / "program").string()),
              (root_ / "program" / "VemoTarn.ini").string());
    EXPECT_EQ(SettingsPath((root_ / "program").string() + "/"),
              (root_ / "program" / "VemoTarn.ini").string());
    // A program folder that cannot be written to (here: not there at all).
    const std::string fallback = SettingsPath((root_ / "nowhere").string());
    EXPECT_EQ(fallback, (root_ / "config" / "VemoTarn" / "VemoTarn.ini").string());
    // The first write creates the folder, and the file reads back.
    Settings s = ReadSettingsFile(fallback); // missing: all defaults
    EXPECT_EQ(s.Language, "Français.lng");
    s.Left = 33;
    std::string error;
    ASSERT_TRUE(WriteSettingsFile(fallback, s, &error)) << error;
    EXPECT_EQ(ReadSettingsFile(fallback).Left, 33);

    if (::geteuid() != 0) { // permissions do not bind the superuser
        fs::permissions(root_ / "program", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(SettingsPath((root_ / "program").string()), fallback);
    }
}

TEST_F(SettingsPlace, AnEmptyOrUnreadableFileGivesDefaults) {
    const fs::path path = root_ / "program" / "VemoTarn.ini";
    std::ofstream(path).close();
    EXPECT_EQ(ReadSettingsFile(path.string()).Type, 0);
    fs::create_directories(root_ / "program" / "dir.ini");
    EXPECT_EQ(ReadSettingsFile((root_ / "program" / "dir.ini").string()).Language, "Français.lng");
    std::string error;
    EXPECT_FALSE(WriteSettingsFile((root_ / "program" / "dir.ini").string(), Settings{}, &error));
    EXPECT_TRUE(fs::is_directory(root_ / "program" / "dir.ini"));
}

} // namespace
} // namespace vemo::io
