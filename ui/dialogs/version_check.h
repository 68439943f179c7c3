// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The version check of the About box: one HTTP GET of a small text file, kept
// in memory, with a deadline so that a silent server cannot leave the box
// waiting.
#pragma once

#include "ui/dialogs/text_lookup.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <chrono>

namespace vemo::ui {

struct VersionReply {
    bool ok = false; // false: the request failed or ran out of time
    QByteArray body;
};

// The link's text for a reply: 515 when nothing usable came back, 516 when the
// body is byte for byte our version, 517 followed by the body otherwise.
QString VersionCheckText(const VersionReply& reply, const QByteArray& version,
                         const TextLookup& text);

class VersionCheck : public QObject {
    Q_OBJECT

  public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{10000};

    explicit VersionCheck(QObject* parent = nullptr);
    ~VersionCheck() override;

    void SetTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

    // Starts a request; ignored while one is running.
    void Start(const QUrl& url);
    // Drops the running request without reporting it.
    void Cancel();
    bool Running() const { return reply_ != nullptr; }

  signals:
    void Finished(const vemo::ui::VersionReply& reply);

  private:
    void Done();

    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    QTimer deadline_;
    std::chrono::milliseconds timeout_ = kDefaultTimeout;
};

} // namespace vemo::ui
