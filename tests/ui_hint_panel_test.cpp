// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The hint panel in the real window offscreen: the three hints in words, the
// advanced steps where the seventeen techniques stop, the panel remembered
// between two runs and read out, and a step of the listing shown on the board.
#include "ui/announcer.h"
#include "ui/board_state.h"
#include "ui/characteristics_page.h"
#include "ui/game_controller.h"
#include "ui/language_texts.h"
#include "ui/move_history.h"
#include "ui/texts.h"
#include "ui_window_fixture.h"

#include "engine/advanced/ids.h"
#include "engine/techniques/catalogue.h"
#include "io/explanations.h"
#include "io/settings.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTextBrowser>

#include <regex>
#include <set>

namespace vemo::ui {
namespace {

// The cells a text names, in either notation, as "2,4".
std::set<std::string> NamedCells(const QString& text) {
    std::set<std::string> cells;
    const std::string s = text.toStdString();
    static const std::regex cell("[LR]([1-9])C([1-9])");
    for (auto it = std::sregex_iterator(s.begin(), s.end(), cell); it != std::sregex_iterator();
         ++it)
        cells.insert((*it)[1].str() + "," + (*it)[2].str());
    return cells;
}

class HintPanel : public Window {
  protected:
    QTextBrowser* Panel() const { return window_->ExplanationPanel(); }
    QString PanelText() const { return Panel()->toPlainText(); }
    void ShowPanel(bool on) {
        if (window_->ExplanationsAction()->isChecked() != on)
            window_->ExplanationsAction()->trigger();
    }
    // A game whose position is replaced by an empty grid in which the 4 and
    // the 7 of row 2 remain only in R2C4 and R2C8: a hidden pair is the
    // first step of the seventeen techniques.
    void HiddenPairPosition() {
        Open(Write("p.sku", kPuzzle));
        ASSERT_TRUE(E().PuzzleFixed);
        test::LoadPuzzle(E(), std::string(81, '.'));
        for (int c = 9; c < 18; ++c)
            if (c != 12 && c != 16) {
                E().CandidateTable.Remove(c, 4);
                E().CandidateTable.Remove(c, 7);
            }
    }
    // Plays hints until the next one comes from the advanced catalogue.
    bool PlayUntilAdvanced() {
        for (int n = 0; n < 81 && E().FilledCount < 81; ++n) {
            Engine probe = E();
            probe.AdvancedLayer = true;
            probe.FindNextTechnique();
            if (probe.HintTechnique >= advanced::kFirstAdvanced) return true;
            window_->Run(Command::PlayHint);
        }
        return false;
    }
    // Every empty cell keeps its solution digit among its candidates.
    void ExpectSolutionKept() {
        for (int c = 0; c < 81; ++c) {
            const int digit = kSolved[static_cast<std::size_t>(c)] - '0';
            if (E().CellGrid[0][c] == 0)
                EXPECT_TRUE(E().CandidateTable.Has(c, digit)) << "cell " << c;
            else
                EXPECT_EQ(E().CellGrid[0][c], digit) << "cell " << c;
        }
    }
};

TEST_F(HintPanel, HiddenPairInFrenchAndEnglishAtTheThreeLevels) {
    ShowPanel(true);
    HiddenPairPosition();
    const QString name = TechniqueName(window_->Texts(), kHiddenPair);

    // F6: the technique and its unit, no cell; the status line as before.
    window_->Run(Command::Hint);
    EXPECT_EQ(Status(), name);
    EXPECT_TRUE(PanelText().contains(name)) << PanelText().toStdString();
    EXPECT_TRUE(PanelText().contains(QStringLiteral("ligne 2"))) << PanelText().toStdString();
    EXPECT_TRUE(NamedCells(PanelText()).empty()) << PanelText().toStdString();

    // F7: the two cells, the two digits, the row.
    window_->Run(Command::CompleteHint);
    EXPECT_EQ(Status(),
              name + QStringLiteral(" ") + window_->Texts().Text(536) + QStringLiteral(" : 4 7"));
    const QString full = PanelText();
    EXPECT_EQ(NamedCells(full), (std::set<std::string>{"2,4", "2,8"})) << full.toStdString();
    EXPECT_TRUE(full.contains(QStringLiteral("4")) && full.contains(QStringLiteral("7")));
    EXPECT_TRUE(full.contains(QStringLiteral("ligne 2"))) << full.toStdString();

    // In English, the same step in English words and notation.
    ASSERT_TRUE(window_->SwitchLanguage(QStringLiteral("English.lng")));
    window_->Run(Command::CompleteHint);
    const QString english = PanelText();
    EXPECT_EQ(NamedCells(english), (std::set<std::string>{"2,4", "2,8"})) << english.toStdString();
    EXPECT_TRUE(english.contains(QStringLiteral("R2C4")) &&
                english.contains(QStringLiteral("row 2")))
        << english.toStdString();
    EXPECT_FALSE(english.contains(QStringLiteral("L2C4"))) << english.toStdString();
    EXPECT_NE(english, full);

    // F8: played, and the panel says what it did to the board.
    window_->Run(Command::PlayHint);
    EXPECT_EQ(E().CandidateTable.Count(12), 2);
    EXPECT_EQ(E().CandidateTable.Count(16), 2);
    const QString played = PanelText();
    EXPECT_TRUE(NamedCells(played).contains("2,4") && NamedCells(played).contains("2,8"))
        << played.toStdString();
    EXPECT_NE(played, english);
}

TEST_F(HintPanel, AdvancedStepWhereTheSeventeenStopAndNoTrial) {
    ShowPanel(true);
    Open(Write("p.sku", kPuzzle));
    ASSERT_TRUE(PlayUntilAdvanced());
    ExpectSolutionKept();
    const QString bruteForce = TechniqueName(window_->Texts(), kBruteForce);
    window_->Run(Command::CompleteHint);
    const int id = E().HintTechnique;
    ASSERT_GE(id, advanced::kFirstAdvanced);
    const QString advancedName =
        QString::fromStdString(io::AdvancedTechniqueName(id, window_->Texts().Table()));
    EXPECT_TRUE(Status().startsWith(advancedName)) << Status().toStdString();
    EXPECT_FALSE(Status().contains(bruteForce));
    const QString fr = PanelText();
    EXPECT_TRUE(fr.contains(advancedName)) << fr.toStdString();
    EXPECT_FALSE(NamedCells(fr).empty()) << fr.toStdString();
    EXPECT_TRUE(fr.contains(QStringLiteral("L"))) << fr.toStdString();
    // The cells it shows on the board are highlighted.
    int highlighted = 0;
    for (int c = 0; c < 81; ++c) highlighted += Game().Board().CellHighlight[c] == kHintCell;
    EXPECT_GT(highlighted, 0);

    ASSERT_TRUE(window_->SwitchLanguage(QStringLiteral("English.lng")));
    window_->Run(Command::CompleteHint);
    const QString en = PanelText();
    EXPECT_TRUE(en.contains(
        QString::fromStdString(io::AdvancedTechniqueName(id, window_->Texts().Table()))))
        << en.toStdString();
    EXPECT_EQ(NamedCells(en), NamedCells(fr)) << en.toStdString();
    EXPECT_NE(en, fr);

    // Played: the advanced step's eliminations keep every solution digit.
    const Snapshot before{E().CellGrid[0], E().CandidateTable, E().FilledCount};
    window_->Run(Command::PlayHint);
    EXPECT_TRUE(E().CellGrid[0] != before.cells || !(E().CandidateTable == before.candidates));
    ExpectSolutionKept();
    // Played through to the end, no hint needs a trial.
    for (int n = 0; n < 200 && E().FilledCount < 81; ++n) {
        window_->Run(Command::CompleteHint);
        ASSERT_NE(E().HintTechnique, kBruteForce) << "step " << n;
        window_->Run(Command::PlayHint);
        ExpectSolutionKept();
    }
    EXPECT_EQ(E().FilledCount, 81);
}

TEST_F(HintPanel, ClearsAtTheNextMoveAndAtEscape) {
    ShowPanel(true);
    Open(Write("p.sku", kPuzzle));
    window_->Board()->setFocus();
    window_->Run(Command::CompleteHint);
    ASSERT_FALSE(PanelText().isEmpty());
    Key(Qt::Key_Escape);
    EXPECT_TRUE(PanelText().isEmpty());

    window_->Run(Command::CompleteHint);
    ASSERT_FALSE(PanelText().isEmpty());
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(kSolved[static_cast<std::size_t>(cell)] - '0');
    EXPECT_NE(E().CellGrid[0][cell], 0);
    EXPECT_TRUE(PanelText().isEmpty());

    window_->Run(Command::Hint);
    ASSERT_FALSE(PanelText().isEmpty());
    Open(Write("q.sku", kPuzzle));
    EXPECT_TRUE(PanelText().isEmpty());
}

// The explanation on show when the language changes is said again in the new
// language: the same words as the hint asked for there, and after F8 what the
// step did, from the position before it.
TEST_F(HintPanel, AChangeOfLanguageSaysTheShownStepAgainInTheNewOne) {
    ShowPanel(true);
    HiddenPairPosition();
    window_->Run(Command::CompleteHint);
    const QString french = PanelText();
    ASSERT_TRUE(french.contains(QStringLiteral("ligne 2"))) << french.toStdString();
    ASSERT_TRUE(window_->SwitchLanguage(QStringLiteral("English.lng")));
    const QString switched = PanelText();
    EXPECT_TRUE(switched.contains(QStringLiteral("row 2")) &&
                switched.contains(QStringLiteral("R2C4")))
        << switched.toStdString();
    window_->Run(Command::CompleteHint);
    EXPECT_EQ(PanelText(), switched);

    window_->Run(Command::PlayHint);
    const QString playedEnglish = PanelText();
    ASSERT_TRUE(window_->SwitchLanguage(QString::fromUtf8(io::kDefaultLanguage)));
    const QString playedFrench = PanelText();
    EXPECT_TRUE(playedFrench.contains(QStringLiteral("L2C4"))) << playedFrench.toStdString();
    EXPECT_NE(playedFrench, playedEnglish);
    // Worked out again from the position before the step: the same words
    // when the language comes back.
    ASSERT_TRUE(window_->SwitchLanguage(QStringLiteral("English.lng")));
    EXPECT_EQ(PanelText(), playedEnglish);
}

TEST_F(HintPanel, ReadOutWhenShownAndRememberedAcrossARestart) {
    Open(Write("p.sku", kPuzzle));
    // Hidden: not on the page, not read out beyond the status line.
    EXPECT_FALSE(Panel()->isVisible());
    window_->Run(Command::CompleteHint);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_FALSE(window_->Speech()->LastSaid().contains(Game().Explanation()));

    const int height = window_->minimumHeight();
    const int side = window_->Board()->width();
    const int width = window_->width();
    ShowPanel(true);
    QApplication::processEvents();
    EXPECT_TRUE(Panel()->isVisible());
    // Beside the board, not below it: the window grows no taller.
    EXPECT_EQ(window_->minimumHeight(), height);
    EXPECT_LE(window_->height(), window_->screen()->availableGeometry().height());
    // Wider instead, where the screen has room, so the board keeps its size.
    if (window_->frameGeometry().right() < window_->screen()->availableGeometry().right()) {
        EXPECT_GT(window_->width(), width);
        EXPECT_GE(window_->Board()->width(), side - 2);
    }
    ShowPanel(false);
    QApplication::processEvents();
    EXPECT_LE(window_->width(), std::max(width, window_->minimumWidth()));
    ShowPanel(true);
    QApplication::processEvents();
    // At the smallest size, the board and the panel side by side on the page.
    window_->resize(window_->minimumSize());
    QApplication::processEvents();
    const QRect board = window_->Board()->parentWidget()->geometry();
    const QRect panel = Panel()->geometry();
    EXPECT_GE(panel.left(), board.right());
    EXPECT_LE(panel.right(), Panel()->parentWidget()->width());
    EXPECT_GE(panel.width(), 10 * Panel()->fontMetrics().averageCharWidth());
    EXPECT_GE(window_->Board()->width(), kLeastBoardSide);
    window_->Run(Command::CompleteHint);
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_FALSE(PanelText().isEmpty());
    EXPECT_TRUE(window_->Speech()->LastSaid().contains(PanelText()))
        << window_->Speech()->LastSaid().toStdString();

    window_->WriteSettings();
    window_.reset();
    window_ = Make();
    EXPECT_TRUE(window_->ExplanationsAction()->isChecked());
    EXPECT_TRUE(Panel()->isVisible());
    ShowPanel(false);
    window_->WriteSettings();
    window_.reset();
    window_ = Make();
    EXPECT_FALSE(window_->ExplanationsAction()->isChecked());
    EXPECT_FALSE(Panel()->isVisible());
}

TEST_F(HintPanel, AForeignValueInTheSettingsStillLoads) {
    window_.reset();
    Write(QStringLiteral("VemoTarn.ini"), "[Divers]\r\nExplications=zz\r\nLangue=English.lng\r\n");
    window_ = Make();
    EXPECT_FALSE(window_->ExplanationsAction()->isChecked());
    EXPECT_EQ(window_->Texts().LanguageFile(), QStringLiteral("English.lng"));
    window_.reset();
    Write(QStringLiteral("VemoTarn.ini"), "[Divers]\r\nExplications=7\r\n");
    window_ = Make();
    EXPECT_TRUE(window_->ExplanationsAction()->isChecked());
}

TEST_F(HintPanel, DoubleClickShowsThePositionBeforeTheStepUntilEscape) {
    ShowPanel(true);
    Open(Write("p.sku", kPuzzle));
    // A move of the game first, so that its position differs from the start.
    window_->Run(Command::PlayHint);
    const Snapshot game{E().CellGrid[0], E().CandidateTable, E().FilledCount};
    const int level = Game().History().MoveLevel();
    const QString status = Status();
    const bool undo = Game().IsEnabled(Command::Undo);

    QTableWidget* listing = window_->Characteristics()->Listing();
    constexpr int kRow = 4; // step 5 of the logged solve
    const StepEntry step = E().StepLog[kRow + 1];
    ASSERT_NE(step.technique, 0);
    window_->Pages()->setCurrentIndex(kCharacteristicsPage);
    listing->scrollToTop();
    const QRect rect = listing->visualRect(listing->model()->index(kRow, 1));
    // A double click as the desktop sends it: a click, then the second press.
    QTest::mouseClick(listing->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(listing->viewport(), Qt::LeftButton, {}, rect.center());
    ASSERT_TRUE(Game().ShowingStep());
    EXPECT_EQ(window_->Pages()->currentIndex(), kBoardPage);
    // The position after the first four steps of the solve from the givens:
    // four steps never fill more than four cells beyond them.
    int givens = 0;
    for (int c = 0; c < 81; ++c) givens += E().Givens[c] != 0;
    EXPECT_LE(E().FilledCount, givens + 4);
    EXPECT_EQ(E().HintTechnique, step.technique);
    // The step is shown as a hint: its cells highlighted, its words in the panel.
    if (step.technique == kNakedSingle || step.technique == kHiddenSingle) {
        EXPECT_EQ(E().CellGrid[0][step.record.cells[0]], 0);
        EXPECT_EQ(Game().Board().CellHighlight[step.record.cells[0]], kHintCell);
    }
    EXPECT_FALSE(PanelText().isEmpty());
    EXPECT_TRUE(Status().startsWith(TechniqueName(window_->Texts(), step.technique)));
    // The board takes no digit meanwhile.
    const Grid shown = E().CellGrid[0];
    Digit(5);
    EXPECT_EQ(E().CellGrid[0], shown);

    Key(Qt::Key_Escape);
    EXPECT_FALSE(Game().ShowingStep());
    EXPECT_EQ(E().CellGrid[0], game.cells);
    EXPECT_TRUE(E().CandidateTable == game.candidates);
    EXPECT_EQ(E().FilledCount, game.filledCount);
    EXPECT_EQ(Game().History().MoveLevel(), level);
    EXPECT_EQ(Status(), status);
    EXPECT_EQ(Game().IsEnabled(Command::Undo), undo);
    EXPECT_TRUE(PanelText().isEmpty());
}

TEST_F(HintPanel, TheListingNamesTheAdvancedStepsAndTheScale) {
    Open(Write("p.sku", kPuzzle));
    CharacteristicsPage* page = window_->Characteristics();
    page->FinishAnalysis();
    ASSERT_TRUE(page->AnalysisShown());
    // The logged rows are kept as they are; below them a heading and the
    // steps without guessing, none of them a trial.
    int logged = 0, firstTrial = 0;
    for (int n = 1; n < E().StepCount; ++n) {
        ++logged;
        if (firstTrial == 0 && E().StepLog[n].technique == kBruteForce) firstTrial = n;
    }
    ASSERT_GT(firstTrial, 0) << "this puzzle needs a trial in the logged solve";
    QTableWidget* listing = page->Listing();
    ASSERT_GT(listing->rowCount(), logged + 1);
    EXPECT_EQ(listing->item(logged, 1)->text(), window_->Texts().Text(902));
    EXPECT_EQ(listing->item(logged + 1, 0)->text(), QString::number(firstTrial));
    const QString bruteForce = TechniqueName(window_->Texts(), kBruteForce);
    bool anyAdvanced = false;
    for (int r = logged + 1; r < listing->rowCount(); ++r) {
        EXPECT_NE(listing->item(r, 1)->text(), bruteForce) << r;
        bool withoutGuessing = false;
        EXPECT_GT(page->StepOfRow(r, &withoutGuessing), 0);
        EXPECT_TRUE(withoutGuessing);
        for (int id = advanced::kFirstAdvanced; id < advanced::kAdvancedEnd; ++id)
            anyAdvanced |=
                listing->item(r, 1)->text() ==
                QString::fromStdString(io::AdvancedTechniqueName(id, window_->Texts().Table()));
    }
    EXPECT_TRUE(anyAdvanced);
    // A step of the solve without guessing shows on the board too.
    ASSERT_TRUE(window_->ShowStepOnBoard(firstTrial, true));
    EXPECT_GE(E().HintTechnique, advanced::kFirstAdvanced);
    window_->LeaveStepOnBoard();
    EXPECT_FALSE(Game().ShowingStep());

    // The scale beside the score: three ratings and the hardest step.
    const QString scale = page->ScaleText()->toPlainText();
    EXPECT_TRUE(scale.startsWith(window_->Texts().Text(903))) << scale.toStdString();
    EXPECT_TRUE(std::regex_search(scale.toStdString(),
                                  std::regex("[0-9]+\\.[0-9]/[0-9]+\\.[0-9]/[0-9]+\\.[0-9]")))
        << scale.toStdString();
    EXPECT_TRUE(scale.contains(window_->Texts().Text(904)));
}

// The hardest step of the scale in the interface's language: a colouring
// example whose hardest step is two strong links.
TEST_F(HintPanel, TheHardestStepIsNamedInTheInterfacesLanguage) {
    Open(QStringLiteral(VEMO_SOURCE_DIR "/data/exemples/couleur1.sku"));
    CharacteristicsPage* page = window_->Characteristics();
    page->FinishAnalysis();
    ASSERT_TRUE(page->AnalysisShown());
    const QString french = page->ScaleText()->toPlainText();
    EXPECT_TRUE(french.endsWith(window_->Texts().Text(904) + QStringLiteral("Deux liens forts")))
        << french.toStdString();
    EXPECT_FALSE(french.contains(QStringLiteral("strong"))) << french.toStdString();
    ASSERT_TRUE(window_->SwitchLanguage(QStringLiteral("English.lng")));
    page->FinishAnalysis();
    const QString english = page->ScaleText()->toPlainText();
    EXPECT_TRUE(english.endsWith(QStringLiteral("Hardest step: Two strong links")))
        << english.toStdString();
    EXPECT_EQ(page->ScaleText()->accessibleName(), english);
}

// The hardest puzzles take seconds to rate: the page says that the rating is
// being worked out, then names the nested chain it needed.
TEST_F(HintPanel, TheScaleSaysItIsWorkedOutThenNamesANestedChain) {
    Open(Write("forum.sku", test::ReadCollection("forum_hardest_1106.txt").front()));
    CharacteristicsPage* page = window_->Characteristics();
    page->Refill();
    const TextSource& texts = window_->Texts();
    EXPECT_EQ(page->ScaleText()->toPlainText(), texts.Text(903) + texts.Text(954));
    EXPECT_EQ(page->ScaleText()->accessibleName(), page->ScaleText()->toPlainText());
    page->FinishAnalysis();
    ASSERT_TRUE(page->AnalysisShown());
    const QString scale = page->ScaleText()->toPlainText();
    EXPECT_FALSE(scale.contains(texts.Text(954))) << scale.toStdString();
    EXPECT_TRUE(std::regex_search(scale.toStdString(), std::regex("^[^0-9]*1[0-9]\\.[0-9]/")))
        << scale.toStdString();
    EXPECT_TRUE(scale.contains(QStringLiteral("imbriquée"))) << scale.toStdString();
    // The steps without guessing are listed below the logged solve.
    EXPECT_GT(page->Listing()->rowCount(), E().StepCount - 1);
}

TEST_F(HintPanel, APuzzleWithoutTrialKeepsItsListing) {
    // Singles only: the listing is the logged solve alone.
    Open(Write("easy.sku", test::ReadCollection("17clue.txt").at(0)));
    CharacteristicsPage* page = window_->Characteristics();
    page->FinishAnalysis();
    ASSERT_TRUE(page->AnalysisShown());
    bool trial = false;
    for (int n = 1; n < E().StepCount; ++n) trial |= E().StepLog[n].technique == kBruteForce;
    if (trial) GTEST_SKIP() << "the first 17-clue puzzle needs a trial";
    EXPECT_EQ(page->Listing()->rowCount(), E().StepCount - 1);
    EXPECT_FALSE(page->ScaleText()->toPlainText().isEmpty());
}

} // namespace
} // namespace vemo::ui
