// Language files and the lookup of texts.
#include "io/language.h"
#include "io/text_file.h"
#include "io/ui_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace vemo::io {
namespace {

TEST(LanguageFile, OneEntryAndWhatIsMissing) {
    LanguageTable t;
    std::vector<std::string> reports;
    t.DebugReport = [&](const std::string& m) { reports.push_back(m); };
    ASSERT_TRUE(t.LoadText("#0051 0000  Nouveau\r\n").ok);
    EXPECT_TRUE(t.Loaded());
    EXPECT_EQ(t.LookupText(51, 0), "Nouveau");
    EXPECT_EQ(t.LookupText(51, 1), "");
    EXPECT_EQ(t.LookupText(52, 0), "");
    EXPECT_TRUE(reports.empty()); // DebugMode is off
    t.DebugMode = true;
    EXPECT_EQ(t.LookupText(51, 1), ""); // hints are never reported
    EXPECT_EQ(t.LookupText(52, 0), "");
    EXPECT_EQ(t.LookupText(51, 7), "");
    EXPECT_EQ(reports, (std::vector<std::string>{"Translation 52, 0 not found.",
                                                 "Translation 51, 7 not found."}));
    EXPECT_EQ(t.LookupText(-3, 0), "");
}

TEST(LanguageFile, CommentsBlanksReplacementsAndSeparators) {
    LanguageTable t;
    const std::string text = "Language file for tests\r\n"
                             "\r\n"
                             "#0003 0000  Grille\r\n"
                             "  #0003 0000  not an entry: it does not start with #\r\n"
                             "#0003/0000--Grid\r\n" // any separators
                             "#0206 0001  Cliquez\r\n"
                             "#0112 0000     Annuler  \r\n" // blanks kept
                             "#0500 0002  \r\n"             // empty text, slot 2 only
                             "#0007 0000\n"                 // no text at all
                             "#9999 0000  last";
    ASSERT_TRUE(t.LoadText(text).ok);
    EXPECT_EQ(t.LookupText(3, 0), "Grid");
    EXPECT_EQ(t.LookupText(206, 1), "Cliquez");
    EXPECT_EQ(t.LookupText(206, 0), "");
    EXPECT_EQ(t.LookupText(112, 0), "   Annuler  ");
    EXPECT_EQ(t.LookupText(500, 2), "");
    EXPECT_EQ(t.LookupText(7, 0), "");
    EXPECT_EQ(t.LookupText(9999, 0), "last");
}

TEST(LanguageFile, EightBitAndUtf8) {
    LanguageTable t;
    ASSERT_TRUE(t.LoadText("#0002 0000  Caract\xe9ristiques\r\n#0059 0000  Extr\xeame\r\n").ok);
    EXPECT_EQ(t.LookupText(2, 0), "Caractéristiques");
    EXPECT_EQ(t.LookupText(59, 0), "Extrême");
    ASSERT_TRUE(t.LoadText("\xEF\xBB\xBF#0002 0000  Caractéristiques\r\n").ok);
    EXPECT_EQ(t.LookupText(2, 0), "Caractéristiques");
    // A separator outside ASCII does not shift the fields.
    ASSERT_TRUE(t.LoadText("#0002\xe9"
                           "0000\xe9\xe9Texte\r\n")
                    .ok);
    EXPECT_EQ(t.LookupText(2, 0), "Texte");
}

TEST(LanguageFile, MalformedLineKeepsThePreviousLanguage) {
    LanguageTable t;
    ASSERT_TRUE(t.LoadText("#0051 0000  Nouveau\r\n").ok);
    for (const char* bad :
         {"#0052 0000  ok\r\n#00x3 0000  bad\r\n", "#12\r\n", "#0052 00a0  x\r\n", "#"}) {
        const LanguageLoadReport r = t.LoadText(bad);
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_GT(r.line, 0);
        EXPECT_FALSE(r.error.empty());
        EXPECT_EQ(t.LookupText(51, 0), "Nouveau") << bad;
        EXPECT_EQ(t.LookupText(52, 0), "") << bad;
        EXPECT_TRUE(t.Loaded());
    }
    EXPECT_EQ(t.LoadText("#0052 0000  ok\r\n#00x3 0000  bad\r\n").line, 2);
    EXPECT_FALSE(t.Load("/nonexistent/English.lng").ok);
    EXPECT_EQ(t.LookupText(51, 0), "Nouveau");
}

// The two files beside the program hold every text the windows and the code
// look up, under the same identifiers.
class ShippedLanguageFiles : public ::testing::TestWithParam<const char*> {};

std::string LanguagePath(const char* name) {
    return std::string(VEMO_SOURCE_DIR) + "/data/Langues/" + name;
}

TEST_P(ShippedLanguageFiles, HoldEveryIdentifier) {
    const std::string path = LanguagePath(GetParam());
    if (!std::filesystem::exists(path)) GTEST_FAIL() << path << " is missing";
    LanguageTable t;
    const LanguageLoadReport r = t.Load(path);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(t.LanguageFile(), GetParam());
    for (const TextBinding& b : TextBindings()) {
        if (b.element.starts_with("MF0")) continue; // recent files show their paths
        const int sub = b.kind == ElementKind::kToolButton ? 1 : 0;
        EXPECT_FALSE(t.LookupText(b.identifier, sub).empty()) << GetParam() << " " << b.identifier;
    }
    for (const int id : CodeTextIdentifiers())
        EXPECT_FALSE(t.LookupText(id, 0).empty() && t.LookupText(id, 1).empty())
            << GetParam() << " " << id;
    for (const int id : {6, 7, 8}) EXPECT_FALSE(t.LookupText(id, 1).empty()) << id;

    // 8-bit text with CR LF line ends.
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "line end at byte " << i;
        }
    }
}

// The entries of a file: (identifier, sub-index) to the raw text.
std::map<std::pair<int, int>, std::string> Entries(const std::string& path) {
    std::map<std::pair<int, int>, std::string> entries;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with('#') && line.size() >= 10)
            entries[{std::stoi(line.substr(1, 4)), std::stoi(line.substr(6, 4))}] =
                line.size() > 12 ? line.substr(12) : std::string();
    }
    return entries;
}

// Every language file of the folder, those added later included, holds
// exactly the entries of the French file, each one filled where the French
// one is, in Windows-1252 rather than UTF-8.
TEST(ShippedLanguageFilesAgree, EveryFileHoldsTheFrenchIdentifiers) {
    const auto french = Entries(LanguagePath("Français.lng"));
    ASSERT_FALSE(french.empty());
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(VEMO_SOURCE_DIR) + "/data/Langues")) {
        if (entry.path().extension() != ".lng") continue;
        ++files;
        const std::string name = entry.path().filename().string();
        const auto other = Entries(entry.path().string());
        for (const auto& [key, text] : french) {
            const auto found = other.find(key);
            ASSERT_NE(found, other.end()) << name << " lacks " << key.first << ", " << key.second;
            if (!text.empty()) {
                EXPECT_FALSE(found->second.empty()) << name << " " << key.first;
            }
        }
        for (const auto& [key, text] : other)
            EXPECT_TRUE(french.contains(key)) << name << " has " << key.first << " of its own";
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        EXPECT_TRUE(ascii || !IsUtf8(bytes)) << name << " is UTF-8, not Windows-1252";
        LanguageTable t;
        EXPECT_TRUE(t.Load(entry.path().string()).ok) << name;
    }
    EXPECT_GE(files, 5);
}

// The technique names the players of each language know, the same in the
// examples dialog and the characteristics page (both read these entries).
TEST(ShippedLanguageFilesAgree, TechniqueNames) {
    const struct {
        const char* file;
        int id;
        const char* text; // UTF-8
    } names[] = {
        {"Deutsch.lng", 101, "Nackter Einzelner"}, {"Deutsch.lng", 102, "Versteckter Einzelner"},
        {"Deutsch.lng", 107, "Nackter Zwilling"},  {"Deutsch.lng", 110, "Versteckter Zwilling"},
        {"Español.lng", 107, "Par desnudo"},       {"Español.lng", 110, "Par oculto"},
        {"Italiano.lng", 107, "Coppia nuda"},      {"Italiano.lng", 110, "Coppia nascosta"},
    };
    for (const auto& n : names) {
        LanguageTable t;
        ASSERT_TRUE(t.Load(LanguagePath(n.file)).ok) << n.file;
        EXPECT_EQ(t.LookupText(n.id), n.text) << n.file << " " << n.id;
    }
}

TEST(ShippedLanguageFilesAgree, FrenchHoldsTheBuiltInCaptions) {
    LanguageTable t;
    ASSERT_TRUE(t.Load(LanguagePath("Français.lng")).ok);
    for (const TextBinding& b : TextBindings()) {
        if (b.builtIn.empty()) continue;
        const int sub = b.kind == ElementKind::kToolButton ? 1 : 0;
        EXPECT_EQ(t.LookupText(b.identifier, sub), b.builtIn) << b.identifier;
    }
}

INSTANTIATE_TEST_SUITE_P(All, ShippedLanguageFiles,
                         ::testing::Values("Français.lng", "English.lng", "Deutsch.lng",
                                           "Español.lng", "Italiano.lng"));

} // namespace
} // namespace vemo::io
