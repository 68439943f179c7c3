// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The box shown when the grid is complete: a blinking title, the game's
// statistics and a piece of music.
#pragma once

#include "ui/dialogs/music_player.h"
#include "ui/dialogs/statistics_lines.h"
#include "ui/dialogs/text_lookup.h"

#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QFrame;

namespace vemo::ui {

class CongratulationsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CongratulationsDialog(QWidget* parent = nullptr);
    ~CongratulationsDialog() override;

    void Retranslate(const TextLookup& text);

    // The folder holding Musique1.mid .. Musique5.mid ("Divers" beside the
    // program unless told otherwise).
    void SetMusicFolder(const QString& folder) { musicFolder_ = folder; }
    void SetMusicOutput(const MusicOutput& output) { music_.SetOutput(output); }
    void SetSoundFonts(std::vector<std::string> soundFonts) {
        music_.SetSoundFonts(std::move(soundFonts));
    }

    // Draws the piece number 1..5: QRandomGenerator unless the window hands
    // in the program's own generator.
    void SetPieceChooser(std::function<int()> chooser) { choosePiece_ = std::move(chooser); }

    // Fills the statistics lines; they stay until the next call.
    void SetStatistics(const GameStatistics& statistics);
    // SetStatistics, then shows the box modally; returns its result.
    int ShowStatistics(const GameStatistics& statistics);

    QStringList StatisticsText() const;
    // The record line under the statistics; empty and hidden when no record fell.
    QString RecordText() const;
    QColor TitleColour() const { return titleColour_; }
    QString MusicFile() const { return musicFile_; }
    MusicState Music() const { return music_.State(); }

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  public:
    // The statistics panel's heading.
    QLabel* Heading() const { return heading_; }

  private:
    void Blink();
    void Recolour();
    void PaintTitle(const QColor& colour);
    void PlaceTexts();
    // Lines, panel, button and box as large as the type needs: the designed
    // sizes at the usual type, larger so that nothing overlaps at a larger one.
    void Arrange(bool record);

    TextLookup text_;
    GameStatistics statistics_;
    QString musicFolder_;
    QString musicFile_;
    std::function<int()> choosePiece_;
    MusicPlayer music_;
    QTimer blink_;
    QColor titleColour_;

    QLabel* title_;
    QFrame* panel_;
    QLabel* heading_;
    QLabel* record_;
    std::array<QLabel*, 5> lines_{};
    QPushButton* ok_;
};

} // namespace vemo::ui
