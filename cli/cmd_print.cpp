// print and sheet: the printed pages as PDF files, A4 at 300 dpi, drawn by the
// same layouts as the window's prints.
#include "commands.h"
#include "generation_options.h"
#include "texts.h"

#include "io/puzzle_file.h"
#include "print/print_layout.h"

#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <iostream>
#include <map>
#include <memory>

namespace vemo::cli {

namespace {

int RunPrint(const std::vector<std::string>& args);
int RunSheet(const std::vector<std::string>& args);

const Command kPrint{"print", "FILE [--what puzzle|position|solution] --out OUT.pdf",
                     "a puzzle file printed as the window prints it, as a PDF page", RunPrint};
const Command kSheet{"sheet",
                     "[--difficulty D] [--symmetry S] [--variant V] [--x] [--seed S] --out OUT.pdf",
                     "four new puzzles on one PDF page", RunSheet};

constexpr int kResolution = 300;

// Fonts need a GUI application; without a display the offscreen platform does.
// Qt's own notices (runtime folders, font fallbacks) are not the tool's output.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "vemotarn-cli: " << message.toStdString() << '\n';
}

std::unique_ptr<QGuiApplication> StartGui() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    static int argc = 1;
    static char name[] = "vemotarn-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

QString Text(int id) {
    return QString::fromStdString(ProgramTexts().Text(id));
}

// An A4 page written through a temporary file, so that a failure leaves an
// older file of that name as it was.
struct Pdf {
    explicit Pdf(const std::string& path) : file(QString::fromStdString(path)) {
        opened = file.open(QIODevice::WriteOnly);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(kResolution);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("Vemo Tarn"));
    }
    QSaveFile file;
    bool opened = false;
    QPdfWriter writer{&file};
};

int CannotWrite(const std::string& path, const QString& reason) {
    std::cerr << "vemotarn-cli: " << ProgramTexts().Text(io::kTextCannotWrite) << path << ": "
              << reason.toStdString() << '\n';
    return kExitBadInput;
}

bool Begin(QPainter& painter, Pdf& pdf) {
    return pdf.opened && painter.begin(&pdf.writer);
}

int Finish(QPainter& painter, Pdf& pdf, const std::string& path) {
    if (!painter.end() || !pdf.file.commit()) return CannotWrite(path, pdf.file.errorString());
    return kExitOk;
}

int RunPrint(const std::vector<std::string>& args) {
    std::string file, what = "puzzle", out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--what" || args[i] == "--out") && i + 1 < args.size()) {
            (args[i] == "--what" ? what : out) = args[i + 1];
            ++i;
        } else if (file.empty() && !args[i].starts_with("--")) {
            file = args[i];
        } else {
            return UsageError(kPrint, "unexpected argument '" + args[i] + "'");
        }
    }
    static const std::map<std::string, print::PrintKind> kinds = {
        {"puzzle", print::PrintKind::kPuzzle},
        {"position", print::PrintKind::kPosition},
        {"solution", print::PrintKind::kSolution}};
    if (file.empty() || out.empty()) return UsageError(kPrint, "print takes a file and --out");
    if (!kinds.contains(what)) return UsageError(kPrint, "unknown value '" + what + "' for --what");

    Engine engine;
    const io::LoadReport report = io::LoadPuzzleFile(file, engine);
    if (report.outcome != io::LoadOutcome::kInstalled) {
        std::cerr << "vemotarn-cli: " << file << ": ";
        for (const int id : report.messages) std::cerr << ProgramTexts().Text(id);
        std::cerr << report.detail << '\n';
        return kExitBadInput;
    }
    if (engine.ValidityStatus == 0) {
        engine.PuzzleFixed = true;
        engine.AnalysePuzzle(); // the score and the solution
        if (engine.SearchAbandoned) {
            std::cerr << "vemotarn-cli: " << file << ": search abandoned after "
                      << engine.TrialBudget << " trials: no answer within the budget\n";
            return kExitBadInput;
        }
    }
    const auto gui = StartGui();
    Pdf pdf(out);
    QPainter painter;
    if (!Begin(painter, pdf)) return CannotWrite(out, pdf.file.errorString());
    print::PaintSingleGrid(painter, pdf.writer.width(), pdf.writer.height(), kResolution, engine,
                           kinds.at(what), print::MakeTitleTexts(engine, Text));
    return Finish(painter, pdf, out);
}

int RunSheet(const std::vector<std::string>& args) {
    std::string error;
    const auto request = ParseRequest(args, error);
    if (!request) return UsageError(kSheet, error);
    const Request r = *request;
    if (r.out.empty()) return UsageError(kSheet, "sheet needs --out");
    if (r.count != 1 || r.jobs != 1 || r.json)
        return UsageError(kSheet, "sheet always prints four puzzles");

    const auto gui = StartGui();
    Pdf pdf(r.out);
    QPainter painter;
    if (!Begin(painter, pdf)) return CannotWrite(r.out, pdf.file.errorString());
    const std::uint64_t base = BaseSeed(r);
    for (int k = 0; k < 4; ++k) {
        Engine engine;
        GenerateOne(engine, r, base, k);
        print::PaintSheetGrid(painter, pdf.writer.width(), pdf.writer.height(), kResolution, k,
                              engine, print::MakeTitleTexts(engine, Text));
    }
    return Finish(painter, pdf, r.out);
}

const bool kRegistered = RegisterCommand(kPrint) && RegisterCommand(kSheet);

} // namespace

} // namespace vemo::cli
