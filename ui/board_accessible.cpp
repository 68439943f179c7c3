// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_accessible.h"

#include "announcer.h"

#include "board_widget.h"
#include "characteristics.h"
#include "game_controller.h"
#include "texts.h"

#include "engine/engine.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <vector>

namespace vemo::ui {

QString SpokenCellName(const Engine& engine, const BoardState& board, const TextSource& texts,
                       int cell, bool solution) {
    QString name = SpokenCellLabel(texts, cell);
    const bool given = engine.Givens[cell] != 0;
    const int digit = solution ? engine.SolutionGrid[cell] : engine.Position()[cell];
    if (digit != 0) {
        name += QLatin1Char(' ') + QString::number(digit);
        if (given) name += QLatin1Char(' ') + texts.Text(601);
    } else {
        name += QLatin1Char(' ') + texts.Text(600);
        if (!solution && engine.CandidateTable.Count(cell) > 0) {
            name += QStringLiteral(", ") + texts.Text(602);
            for (int d = 1; d <= 9; ++d)
                if (engine.CandidateTable.Has(cell, d))
                    name += QLatin1Char(' ') + QString::number(d);
        }
    }
    if (!solution) {
        const int mark = board.CellHighlight[cell];
        if (IsHintMark(mark)) name += QStringLiteral(", ") + texts.Text(603);
        if (mark == kFilteredCell) name += QStringLiteral(", ") + texts.Text(604);
    }
    return name;
}

namespace {

class CellAccessible final : public QAccessibleInterface {
  public:
    CellAccessible(BoardWidget* board, int cell) : board_(board), cell_(cell) {}

    bool isValid() const override { return !board_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return board_ ? board_->window()->windowHandle() : nullptr; }
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(board_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!board_ || t != QAccessible::Name) return {};
        return board_->CellName(cell_);
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!board_) return {};
        const QPoint topLeft =
            board_->FromPicture(QPoint((cell_ % 9) * kCellSize, (cell_ / 9) * kCellSize));
        const QPoint bottomRight =
            board_->FromPicture(QPoint((cell_ % 9 + 1) * kCellSize, (cell_ / 9 + 1) * kCellSize));
        return QRect(board_->mapToGlobal(topLeft), board_->mapToGlobal(bottomRight) - QPoint(1, 1));
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!board_) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.readOnly = board_->IsSolution();
        s.invisible = !board_->isVisible();
        if (board_->ActiveCell() == cell_) {
            s.active = true;
            s.focused = board_->hasFocus();
        }
        return s;
    }

  private:
    QPointer<BoardWidget> board_;
    int cell_;
};

class BoardAccessible final : public QAccessibleWidget {
  public:
    explicit BoardAccessible(BoardWidget* board) : QAccessibleWidget(board, QAccessible::Table) {}

    ~BoardAccessible() override {
        for (const QAccessible::Id id : ids_)
            if (id) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return 81; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= 81) return nullptr;
        if (!ids_[index]) {
            ids_[index] = QAccessible::registerAccessibleInterface(
                new CellAccessible(static_cast<BoardWidget*>(widget()), index));
        }
        return QAccessible::accessibleInterface(ids_[index]);
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        for (int i = 0; i < 81; ++i)
            if (ids_[i] && QAccessible::accessibleInterface(ids_[i]) == c) return i;
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        const auto* board = static_cast<BoardWidget*>(widget());
        return board->hasFocus() ? child(board->ActiveCell()) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const auto* board = static_cast<BoardWidget*>(widget());
        const QPoint local = board->mapFromGlobal(QPoint(x, y));
        if (!board->rect().contains(local)) return nullptr;
        const QPoint at = board->ToPicture(local);
        const int row = std::min(at.y() / kCellSize, 8);
        const int column = std::min(at.x() / kCellSize, 8);
        return child(row * 9 + column);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<BoardWidget*>(widget())->AccessibleTitle();
        return QAccessibleWidget::text(t);
    }

  private:
    mutable std::array<QAccessible::Id, 81> ids_{};
};

QAccessibleInterface* BoardFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("vemo::ui::BoardWidget") && object && object->isWidgetType())
        return new BoardAccessible(static_cast<BoardWidget*>(object));
    return nullptr;
}

} // namespace

namespace {
AnnouncementListener listener = nullptr;
} // namespace

void Announce(QAccessibleEvent& event) {
    if (listener) listener(&event);
    QAccessible::updateAccessibility(&event);
}

void Overhear(QAccessibleEvent& event) {
    if (listener) listener(&event);
}

void SetAnnouncementListener(AnnouncementListener l) {
    listener = l;
}

void InstallBoardAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(BoardFactory);
        return true;
    }();
    (void)installed;
}

void AnnounceBoardChanges(BoardWidget& board, std::array<QString, 81>& before, int& activeBefore) {
    QAccessibleInterface* table = nullptr;
    for (int cell = 0; cell < 81; ++cell) {
        QString name = board.CellName(cell);
        if (name == before[cell]) continue;
        const bool known = !before[cell].isNull();
        before[cell] = std::move(name);
        if (!known) continue;
        if (!table) table = QAccessible::queryAccessibleInterface(&board);
        if (!table) return;
        QAccessibleEvent changed(table->child(cell), QAccessible::NameChanged);
        Announce(changed);
    }
    const int active = board.ActiveCell();
    if (active == activeBefore) return;
    activeBefore = active;
    if (!board.hasFocus()) return;
    if (!table) table = QAccessible::queryAccessibleInterface(&board);
    if (!table) return;
    QAccessibleEvent focus(table->child(active), QAccessible::Focus);
    Announce(focus);
}

} // namespace vemo::ui
