// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real window offscreen, with its data folders from the source tree and
// its settings in a temporary folder, driven by keys, clicks and commands.
#pragma once

#include "engine/advanced/ids.h"
#include "engine/techniques/catalogue.h"
#include "test_support.h"
#include "ui/board_widget.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFont>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace vemo::ui {

inline const std::string kPuzzle =
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";
inline const std::string kSolved =
    "468931527751624839392578461134756298289413675675289314846192753513867942927345186";
inline const QColor kAlarm(237, 122, 116);

// WCAG 2 contrast of two colours, computed here from their sRGB values rather
// than by the program's own helper.
inline double WcagContrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every technique a hint can name: the seventeen basic ones and the advanced
// ones, each of which shades the cells of its hint in its own colour.
inline std::vector<int> EveryHintTechnique() {
    std::vector<int> out;
    for (int t = 1; t <= kTechniqueCount; ++t) out.push_back(t);
    for (int t = advanced::kFirstAdvanced; t < advanced::kAdvancedEnd; ++t) out.push_back(t);
    return out;
}

class Window : public ::testing::Test {
  protected:
    void SetUp() override { window_ = Make(); }

    // `realFinish`: the window shows its own congratulations box.
    std::unique_ptr<MainWindow> Make(bool realFinish = false) {
        StartOptions options;
        options.programFolder = QStringLiteral(VEMO_SOURCE_DIR "/data/");
        options.settingsPath = folder_.filePath(QStringLiteral("VemoTarn.ini"));
        auto w = std::make_unique<MainWindow>(options);
        if (!realFinish) w->SetFinishHandler([this] { ++finished_; });
        w->ReportError = [this](const QString& m) { errors_ << m; };
        // "Abandonner la partie en cours ?" answered yes without a box.
        w->AskAbandon = [this](bool*) {
            ++asked_;
            return true;
        };
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    QString Write(const QString& name, const std::string& content) {
        const QString path = folder_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content.data(), static_cast<qint64>(content.size()));
        return path;
    }

    void Open(const QString& path) {
        window_->ChooseOpenPath = [path] { return path; };
        window_->Run(Command::Open);
    }

    GameController& Game() { return window_->Game(); }
    Engine& E() { return window_->Game().Game(); }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window_->Board(), key, modifiers);
    }

    // Moves the active cell with the arrow keys. At most eight steps each way:
    // keys that do not move it (the window not active) fail, not hang.
    void GoTo(int cell) {
        ASSERT_TRUE(cell >= 0 && cell < 81) << cell;
        for (int n = 0; n < 8 && Game().Board().ActiveRow < cell / 9; ++n) Key(Qt::Key_Down);
        for (int n = 0; n < 8 && Game().Board().ActiveRow > cell / 9; ++n) Key(Qt::Key_Up);
        for (int n = 0; n < 8 && Game().Board().ActiveColumn < cell % 9; ++n) Key(Qt::Key_Right);
        for (int n = 0; n < 8 && Game().Board().ActiveColumn > cell % 9; ++n) Key(Qt::Key_Left);
        ASSERT_EQ(Game().Board().ActiveRow * 9 + Game().Board().ActiveColumn, cell);
    }

    void Digit(int d, Qt::KeyboardModifiers modifiers = Qt::KeypadModifier) {
        Key(static_cast<Qt::Key>(Qt::Key_0 + d), modifiers);
    }

    QString Status() const { return window_->Game().StatusMessage(); }
    QString Count() { return window_->Texts().Text(502) + QString::number(E().FilledCount); }

    int FirstEmpty() {
        for (int c = 0; c < 81; ++c)
            if (E().CellGrid[0][c] == 0) return c;
        return -1;
    }

    QTemporaryDir folder_;
    std::unique_ptr<MainWindow> window_;
    int finished_ = 0;
    int asked_ = 0;
    QStringList errors_;
};

// The window made with the application's type at the size the test is given,
// in points; the type comes back afterwards.
template <typename Points>
class SizedTypeWindow : public Window, public ::testing::WithParamInterface<Points> {
  protected:
    void SetUp() override {
        saved_ = QApplication::font();
        QFont font = saved_;
        font.setPointSizeF(static_cast<double>(this->GetParam()));
        QApplication::setFont(font);
        Window::SetUp();
    }
    void TearDown() override {
        window_.reset();
        QApplication::setFont(saved_);
    }
    QFont saved_;
};

} // namespace vemo::ui
