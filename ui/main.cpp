#include "icons.h"
#include "main_window.h"

#include "io/data_folder.h"
#include "io/settings.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

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
    QApplication app(argc, argv);
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
    vemo::ui::MainWindow window(options);
    window.show();
    if (arguments.size() > 1) {
        window.OpenArgument(arguments.at(1));
    } else {
        window.ResumeSavedGame();
    }
    if (const QString shots = qEnvironmentVariable("VEMOTARN_SHOTS"); !shots.isEmpty())
        GrabPagesLater(window, shots);
    return app.exec();
}
