// The statistics lines of the congratulations box, built from the clock text
// and the game's counters.
#pragma once

#include "ui/dialogs/text_lookup.h"

#include <QString>
#include <QStringList>

namespace vemo::ui {

struct GameStatistics {
    QString clockText; // the clock panel of the main window, ending in "hh:mm:ss"
    int hintsShown = 0;
    int completeHintsShown = 0;
    int hintsPlayed = 0;
    int errorsMade = 0;
    QString recordText; // "Nouveau record !" when a record was beaten, else empty
};

// "01 h", "05 min12 s", "07 s": each part of the clock's last eight
// characters, two digits, only when it is above 0.
QString ElapsedText(const QString& clockText);

// Text 514 + " : " + the elapsed text.
QString TimeLine(const QString& timeLabel, const QString& clockText);

// The five lines from top to bottom: time, hints shown, complete hints shown,
// hints played, errors.
QStringList StatisticsLines(const GameStatistics& statistics, const TextLookup& text);

} // namespace vemo::ui
