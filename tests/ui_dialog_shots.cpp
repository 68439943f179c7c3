// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Pictures of the three dialogs in French and in English, for a look by eye:
// vemo_dialog_shots [folder] [points] (default /tmp/shots, the desktop's type
// size).
#include "io/language.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/congratulations_dialog.h"
#include "ui/dialogs/examples_dialog.h"
#include "ui/look.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFont>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

void Save(QWidget& dialog, const QString& path) {
    dialog.show();
    QApplication::processEvents();
    if (!dialog.grab().save(path)) std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    dialog.hide();
}

// A local server announcing a newer version, so that the About box can be
// pictured with the outcome of a check.
void AnswerNewVersion(QTcpServer& server) {
    server.listen(QHostAddress::LocalHost);
    QObject::connect(&server, &QTcpServer::newConnection, [&server] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            socket->readAll();
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 7\r\nConnection: close\r\n\r\n"
                          "1.2.0.0");
            socket->disconnectFromHost();
        });
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots");
    QDir().mkpath(folder);
    if (argc > 2) {
        QFont font = QApplication::font();
        font.setPointSizeF(QString::fromLocal8Bit(argv[2]).toDouble());
        QApplication::setFont(font);
    }
    QTemporaryDir silence; // no music while taking pictures

    for (const char* language : {"Français", "English"}) {
        vemo::io::LanguageTable table;
        table.Load(std::string(VEMO_SOURCE_DIR) + "/data/Langues/" + language + ".lng");
        const vemo::ui::TextLookup text = [&table](int id, int sub) {
            return QString::fromStdString(table.LookupText(id, sub));
        };
        const QString suffix = language[0] == 'E' ? QStringLiteral("en") : QStringLiteral("fr");

        vemo::ui::CongratulationsDialog congratulations;
        congratulations.SetMusicFolder(silence.path());
        congratulations.Retranslate(text);
        congratulations.SetStatistics({"00:05:12", 3, 1, 2, 4, {}});
        Save(congratulations, folder + "/congratulations-" + suffix + ".png");

        vemo::ui::AboutDialog about;
        about.Retranslate(text);
        Save(about, folder + "/about-" + suffix + ".png");
        QTcpServer server;
        AnswerNewVersion(server);
        about.SetVersionUrl(
            QUrl(QStringLiteral("http://127.0.0.1:%1/VersionVemo.txt").arg(server.serverPort())));
        about.show();
        QEventLoop wait;
        QObject::connect(&about, &vemo::ui::AboutDialog::VersionCheckFinished, &wait,
                         &QEventLoop::quit);
        QTimer::singleShot(5000, &wait, &QEventLoop::quit);
        about.CheckVersion();
        wait.exec();
        about.grab().save(folder + "/about-checked-" + suffix + ".png");
        about.hide();

        vemo::ui::ExamplesDialog examples;
        examples.Retranslate(text);
        Save(examples, folder + "/examples-" + suffix + ".png");

        // The boxes with colours of their own, in the dark and high-contrast looks.
        for (const auto& [look, name] : {std::pair{vemo::ui::LookKind::Dark, "dark"},
                                         std::pair{vemo::ui::LookKind::HighContrast, "contrast"}}) {
            vemo::ui::SetCurrentLook(look);
            QApplication::setPalette(vemo::ui::LookPalette(vemo::ui::CurrentLook()));
            congratulations.SetStatistics(
                {"00:05:12", 3, 1, 2, 4, QString::fromStdString(table.LookupText(554, 0))});
            Save(congratulations, folder + "/congratulations-" + name + "-" + suffix + ".png");
            Save(examples, folder + "/examples-" + name + "-" + suffix + ".png");
        }
        vemo::ui::SetCurrentLook(vemo::ui::LookKind::Light);
        QApplication::setPalette(vemo::ui::LookPalette(vemo::ui::CurrentLook()));
    }
    return 0;
}
