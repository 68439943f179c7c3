// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One window per data folder and desktop: a second start hands its file
// argument (or nothing) to the window already open and ends, so that two
// windows never keep, resume or delete each other's game.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

class QLocalServer;

namespace vemo::ui {

class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // `dataFolder` and the display name the instance: every start on the same
    // folder and desktop meets the same window.
    explicit SingleInstance(const QString& dataFolder, QObject* parent = nullptr);

    // Hands the argument (the raw bytes of a file name; nothing for a start
    // without one) to the window already open. True when that window took it:
    // this start has nothing more to do.
    bool HandOver(const std::optional<QByteArray>& argument, int timeoutMs = 3000);
    // Becomes the window that later starts hand over to; false when it cannot.
    bool Listen();
    const QString& Name() const { return name_; }

  signals:
    // A later start: its file argument, or nothing.
    void handedOver(const std::optional<QByteArray>& argument);

  private:
    void Accept();

    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace vemo::ui
