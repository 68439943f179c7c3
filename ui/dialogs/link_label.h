// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A label that acts as a link: hand cursor, one colour at rest and another
// while the pointer is over it, a signal on a left click.
#pragma once

#include <QColor>
#include <QLabel>

namespace vemo::ui {

class LinkLabel : public QLabel {
    Q_OBJECT

  public:
    LinkLabel(const QColor& rest, const QColor& hover, QWidget* parent = nullptr);

    QColor CurrentColour() const { return current_; }
    // The colours at rest and under the pointer.
    void SetColours(const QColor& rest, const QColor& hover);

  signals:
    void Clicked();

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Enter or Space on the focused link acts as a click.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void Paint(const QColor& colour);

    QColor rest_;
    QColor hover_;
    QColor current_;
};

} // namespace vemo::ui
