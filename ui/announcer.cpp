// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include "board_accessible.h"
#include "move_history.h"
#include "texts.h"

#include "engine/engine.h"
#include "engine/tables.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

namespace vemo::ui {

namespace {

// Language texts of the spoken words.
constexpr int kRowLetter = 700;
constexpr int kColumnLetter = 701;
constexpr int kPlacedWord = 702;
constexpr int kRemovedWord = 703;
constexpr int kRemovedMany = 704;
constexpr int kRowWord = 707;
constexpr int kColumnWord = 708;
constexpr int kBoxWord = 709;
constexpr int kFilledWords = 710;

QString TextOr(const TextSource& texts, int identifier, const char* fallback) {
    const QString t = texts.Text(identifier);
    return t.isEmpty() ? QString::fromUtf8(fallback) : t;
}

// The notification as screen readers see it: its text is its name.
class NotificationAccessible final : public QAccessibleWidget {
  public:
    explicit NotificationAccessible(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name || t == QAccessible::Description)
            return static_cast<Announcer*>(widget())->LastSaid();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.focusable = false;
        return s;
    }
};

QAccessibleInterface* NotificationFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("vemo::ui::Announcer") && object && object->isWidgetType())
        return new NotificationAccessible(static_cast<Announcer*>(object));
    return nullptr;
}

} // namespace

QString SpokenCellLabel(const TextSource& texts, int cell) {
    return TextOr(texts, kRowLetter, "L") + QString::number(cell / 9 + 1) +
           TextOr(texts, kColumnLetter, "C") + QString::number(cell % 9 + 1);
}

QString PlacedSpeech(const TextSource& texts, int cell, int digit) {
    return SpokenCellLabel(texts, cell) + QStringLiteral(" : ") + QString::number(digit) +
           QLatin1Char(' ') + TextOr(texts, kPlacedWord, "placé");
}

QString RemovedSpeech(const TextSource& texts, int cell, int digit) {
    return SpokenCellLabel(texts, cell) + QStringLiteral(" : ") + QString::number(digit) +
           QLatin1Char(' ') + TextOr(texts, kRemovedWord, "retiré");
}

QString ChangesSpeech(const TextSource& texts, const Snapshot& before, const Snapshot& after) {
    QStringList parts;
    for (int cell = 0; cell < 81; ++cell)
        if (before.cells[cell] == 0 && after.cells[cell] != 0)
            parts << PlacedSpeech(texts, cell, after.cells[cell]);
    // A placement takes its digit from the cell's peers as well: those follow
    // from it and are not read out.
    if (!parts.isEmpty()) return parts.join(QStringLiteral(", "));
    for (int cell = 0; cell < 81; ++cell) {
        if (before.cells[cell] != 0 || after.cells[cell] != 0) continue;
        QStringList digits;
        for (int d = 1; d <= 9; ++d)
            if (before.candidates.Has(cell, d) && !after.candidates.Has(cell, d))
                digits << QString::number(d);
        if (digits.isEmpty()) continue;
        parts << SpokenCellLabel(texts, cell) + QStringLiteral(" : ") +
                     digits.join(QLatin1Char(' ')) + QLatin1Char(' ') +
                     (digits.size() == 1 ? TextOr(texts, kRemovedWord, "retiré")
                                         : TextOr(texts, kRemovedMany, "retirés"));
    }
    return parts.join(QStringLiteral(", "));
}

QString UnitsSpeech(const TextSource& texts, const Engine& engine, int cell) {
    const Grid& grid = engine.Position();
    const auto filled = [&grid](const std::array<int, 9>& unit) {
        int n = 0;
        for (const int c : unit) n += grid[c] != 0 ? 1 : 0;
        return n;
    };
    const QString words = TextOr(texts, kFilledWords, "chiffres placés");
    const int row = cell / 9, column = cell % 9, box = row / 3 * 3 + column / 3;
    const auto part = [&](int word, const char* fallback, int index, int count) {
        return TextOr(texts, word, fallback) + QLatin1Char(' ') + QString::number(index + 1) +
               QStringLiteral(" : ") + QString::number(count) + QLatin1Char(' ') + words;
    };
    return part(kRowWord, "ligne", row, filled(RowCells[row])) + QStringLiteral(", ") +
           part(kColumnWord, "colonne", column, filled(ColumnCells[column])) +
           QStringLiteral(", ") + part(kBoxWord, "bloc", box, filled(BoxCells[box]));
}

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(NotificationFactory);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("Announcer"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // One pixel in the window's corner, painted by nothing: it shows only to
    // screen readers.
    setGeometry(0, 0, 1, 1);
    hide();
}

void Announcer::Say(const QString& text) {
    // The same words twice in one breath (the board reached twice as a menu
    // closes) are said once.
    if (text.isEmpty() || pending_.contains(text)) return;
    if (pending_.isEmpty()) QTimer::singleShot(0, this, &Announcer::Show);
    pending_ << text;
}

void Announcer::Show() {
    if (pending_.isEmpty()) return;
    // One sentence after the other.
    QString text = pending_.takeFirst();
    for (const QString& next : std::as_const(pending_)) {
        const QChar last = text.back();
        text += last == QLatin1Char('.') || last == QLatin1Char('!') || last == QLatin1Char('?')
                    ? QStringLiteral(" ")
                    : QStringLiteral(". ");
        text += next;
    }
    pending_.clear();
    said_ = text;
    ++count_;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Newer stacks carry announcements of their own.
    show();
    QAccessibleAnnouncementEvent announcement(this, text);
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    Announce(announcement);
#else
    // Shown again with its new name: the screen reader reads the notification
    // where the focus stays.
    hide();
    setAccessibleName(text);
    show();
    raise();
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    Overhear(shown);
#endif
}

} // namespace vemo::ui
