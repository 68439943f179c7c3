// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The end of a desktop session or of the terminal: SIGTERM and SIGHUP are
// turned into a signal of the event loop, so that the window can end as
// "Quitter" does, with its game and settings kept.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace vemo::ui {

class SessionSignals : public QObject {
    Q_OBJECT

  public:
    // Catches SIGTERM and SIGHUP from now on; one object per program.
    explicit SessionSignals(QObject* parent = nullptr);
    ~SessionSignals() override;

  signals:
    // On the event loop's thread, once per signal received.
    void endRequested(int signal);

  private:
    void Read();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace vemo::ui
