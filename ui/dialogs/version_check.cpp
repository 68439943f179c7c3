// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/version_check.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace vemo::ui {

QString VersionCheckText(const VersionReply& reply, const QByteArray& version,
                         const TextLookup& text) {
    if (!reply.ok || reply.body.isEmpty())
        return TextOr(text, 515, 0, QStringLiteral("Aucune information de version reçue"));
    if (reply.body == version)
        return TextOr(text, 516, 0, QStringLiteral("Vous avez la dernière version"));
    return TextOr(text, 517, 0, QStringLiteral("Nouvelle version disponible : ")) +
           QString::fromUtf8(reply.body);
}

VersionCheck::VersionCheck(QObject* parent) : QObject(parent) {
    deadline_.setSingleShot(true);
    deadline_.setTimerType(Qt::PreciseTimer); // a coarse timer may fire 5 % early
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (reply_) reply_->abort(); // reported as a failure through Done
    });
}

VersionCheck::~VersionCheck() {
    Cancel();
}

void VersionCheck::Start(const QUrl& url) {
    if (reply_) return;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("JEDI-VCL"));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    reply_ = network_.get(request);
    connect(reply_, &QNetworkReply::finished, this, &VersionCheck::Done);
    deadline_.start(timeout_);
}

void VersionCheck::Cancel() {
    deadline_.stop();
    if (!reply_) return;
    QNetworkReply* const reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void VersionCheck::Done() {
    deadline_.stop();
    QNetworkReply* const reply = reply_;
    reply_ = nullptr;
    if (reply == nullptr) return;
    VersionReply result;
    result.ok = reply->error() == QNetworkReply::NoError;
    if (result.ok) result.body = reply->readAll();
    reply->deleteLater();
    emit Finished(result);
}

} // namespace vemo::ui
