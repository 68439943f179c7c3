// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/statistics_lines.h"

namespace vemo::ui {

namespace {

// The two characters ending at `end` (counted from the end of the text, 1 for
// the last character), as a number; 0 when they are not there.
int ClockPart(const QString& clockText, int fromEnd) {
    const qsizetype start = clockText.size() - fromEnd - 1;
    if (start < 0) return 0;
    bool ok = false;
    const int value = clockText.mid(start, 2).trimmed().toInt(&ok);
    return ok ? value : 0;
}

QString TwoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString ElapsedText(const QString& clockText) {
    // With L the length, the parts start at L-7, L-4 and L-1 (1-based): the
    // last eight characters read "hh:mm:ss".
    const int hours = ClockPart(clockText, 7);
    const int minutes = ClockPart(clockText, 4);
    const int seconds = ClockPart(clockText, 1);
    QString text;
    if (hours > 0) text += TwoDigits(hours) + QStringLiteral(" h");
    if (minutes > 0) text += TwoDigits(minutes) + QStringLiteral(" min");
    if (seconds > 0) text += TwoDigits(seconds) + QStringLiteral(" s");
    return text;
}

QString TimeLine(const QString& timeLabel, const QString& clockText) {
    return timeLabel + QStringLiteral(" : ") + ElapsedText(clockText);
}

QStringList StatisticsLines(const GameStatistics& statistics, const TextLookup& text) {
    const auto counter = [&](int identifier, const char* builtIn, int value) {
        return TextOr(text, identifier, 1, QString::fromUtf8(builtIn)) + QStringLiteral(" : ") +
               QString::number(value);
    };
    return {
        TimeLine(TextOr(text, 514, 0, QStringLiteral("Temps")), statistics.clockText),
        counter(8, "Indice", statistics.hintsShown),
        counter(7, "Indice complet", statistics.completeHintsShown),
        counter(6, "Jouer Indice", statistics.hintsPlayed),
        TextOr(text, 518, 0, QStringLiteral("Erreurs : ")) + QString::number(statistics.errorsMade),
    };
}

} // namespace vemo::ui
