// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "single_instance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace vemo::ui {

namespace {

// One message each way: "open " and the name, or "show", then a line end;
// the answer "ok".
constexpr int kMessageLimit = 64 * 1024;

} // namespace

SingleInstance::SingleInstance(const QString& dataFolder, QObject* parent) : QObject(parent) {
    // One desktop of one account: the data folder and the display the window
    // opens on.
    const QByteArray desktop = qgetenv("WAYLAND_DISPLAY") + '/' + qgetenv("DISPLAY");
    const QByteArray key =
        QCryptographicHash::hash(dataFolder.toUtf8() + '\n' + desktop, QCryptographicHash::Sha1);
    name_ = QStringLiteral("vemotarn-") + QString::fromLatin1(key.toHex().left(16));
}

bool SingleInstance::HandOver(const std::optional<QByteArray>& argument, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    QByteArray message = argument ? "open " + argument->toHex() : QByteArray("show");
    socket.write(message + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(timeoutMs)) return false;
    return socket.readLine().trimmed() == "ok";
}

bool SingleInstance::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // Left by a window that was killed: nobody answers on it.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::Accept);
    return true;
}

void SingleInstance::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMessageLimit) socket->abort();
                return;
            }
            const QByteArray line = socket->readLine(kMessageLimit).trimmed();
            socket->write("ok\n");
            socket->flush();
            socket->disconnectFromServer();
            if (line.startsWith("open ")) {
                emit handedOver(QByteArray::fromHex(line.mid(5)));
            } else {
                emit handedOver(std::nullopt);
            }
        });
    }
}

} // namespace vemo::ui
