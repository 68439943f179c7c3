// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop_session.h"
#include "icons.h"
#include "main_window.h"
#include "session_signals.h"
#include "single_instance.h"

#include "io/data_folder.h"
#include "io/settings.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <string>

namespace {

// Developer switch: VEMOTARN_SHOTS=folder grabs each page of the window into
// that folder and quits.
void GrabPagesLater(vemo::ui::MainWindow& window, const QString& folder) {
    QTimer::singleShot(300, &window, [&window, folder] {
        QDir().mkpath(folder);
        const QStringList names = {QStringLiteral("grille"), QStringLiteral("caracteristiques"),
                                   QStringLiteral("solution")};
        for (int page = 0; page < 3; ++page) {
            window.Pages()->setCurrentIndex(page);
            QApplication::processEvents();
            window.grab().save(folder + QLatin1Char('/') + names[page] + QStringLiteral(".png"));
        }
        QApplication::quit();
    });
}

} // namespace

int main(int argc, char* argv[]) {
    if (const auto message = vemo::ui::MissingDesktopSession(argc > 0 ? argv[0] : "vemotarn")) {
        std::fputs(message->c_str(), stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // From here on, the end of the session ends the program as "Quitter" does.
    vemo::ui::SessionSignals sessionSignals;
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    QApplication::setWindowIcon(vemo::ui::ApplicationIcon());

    vemo::ui::StartOptions options;
    options.programFolder = vemo::ui::DefaultProgramFolder();
    options.settingsPath = QString::fromStdString(
        vemo::io::SettingsPath(QCoreApplication::applicationDirPath().toStdString()));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1 && arguments.at(1) == QStringLiteral("--self-test")) {
        // For packaging checks: the window comes up and finds its data.
        options.settingsPath.clear();
        vemo::ui::MainWindow window(options);
        const bool loaded = window.Texts().Loaded();
        std::printf("program folder: %s\nlanguage: %s %s\n", qPrintable(window.ProgramFolder()),
                    qPrintable(window.Texts().LanguageFile()), loaded ? "loaded" : "missing");
        return loaded ? 0 : 1;
    }
    options.dataFolder = QString::fromStdString(vemo::io::DataFolder());
    options.fillPool = true;
    options.newGameAtFirstStart = true;
    // The file argument as the system gives it (Qt's own options are taken
    // out of argv by now), whatever its encoding.
    const std::optional<std::string> argument =
        argc > 1 ? std::optional<std::string>(argv[1]) : std::nullopt;
    // One window per data folder: a second start hands its argument over.
    vemo::ui::SingleInstance instance(options.dataFolder);
    if (!options.dataFolder.isEmpty()) {
        const auto handed =
            argument ? std::optional<QByteArray>(QByteArray(argument->c_str())) : std::nullopt;
        if (instance.HandOver(handed)) return 0;
        if (!instance.Listen())
            std::fprintf(stderr, "vemotarn: cannot wait for later starts: %s\n",
                         qPrintable(instance.Name()));
    }
    vemo::ui::MainWindow window(options);
    QObject::connect(&instance, &vemo::ui::SingleInstance::handedOver, &window,
                     &vemo::ui::MainWindow::TakeHandedArgument);
    QObject::connect(&sessionSignals, &vemo::ui::SessionSignals::endRequested, &window, [&window] {
        window.EndSession();
        QApplication::exit(0); // out of any dialog still open
    });
    window.show();
    if (argument) {
        window.OpenArgument(*argument);
    } else {
        window.ResumeSavedGame();
    }
    if (const QString shots = qEnvironmentVariable("VEMOTARN_SHOTS"); !shots.isEmpty())
        GrabPagesLater(window, shots);
    return app.exec();
}
