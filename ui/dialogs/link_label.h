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

  signals:
    void Clicked();

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void Paint(const QColor& colour);

    const QColor rest_;
    const QColor hover_;
    QColor current_;
};

} // namespace vemo::ui
