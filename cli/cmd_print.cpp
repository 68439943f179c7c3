// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// print and sheet: the printed pages as PDF files, A4 at 300 dpi or the --dpi
// given, drawn by the same layouts as the window's prints.
#include "commands.h"
#include "generation_options.h"
#include "pdf_usage.h"
#include "texts.h"

#include "io/checked_writer.h"
#include "io/puzzle_file.h"
#include "print/print_layout.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <charconv>
#include <iostream>
#include <map>
#include <memory>

namespace vemo::cli {

namespace {

int RunPrint(const std::vector<std::string>& given);
int RunSheet(const std::vector<std::string>& given);

const Command kPrint{"print", kPrintUsage, kPrintSummary, RunPrint};
const Command kSheet{"sheet", kSheetUsage, kSheetSummary, RunSheet};

// The page's resolution unless --dpi gives another.
constexpr int kDefaultResolution = 300;
constexpr int kMinResolution = 72;
constexpr int kMaxResolution = 4800;

// Takes "--dpi N" out of the arguments; false with `error` set when N is not a
// whole number of dots per inch in the range the pages are drawn for.
bool TakeResolution(std::vector<std::string>& args, int& dpi, std::string& error) {
    dpi = kDefaultResolution;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--dpi") continue;
        if (i + 1 >= args.size()) {
            error = "--dpi needs a value";
            return false;
        }
        const std::string& value = args[i + 1];
        int n = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (ec != std::errc() || end != value.data() + value.size() || n < kMinResolution ||
            n > kMaxResolution) {
            error = "--dpi takes a whole number from " + std::to_string(kMinResolution) + " to " +
                    std::to_string(kMaxResolution) + ", not '" + value + "'";
            return false;
        }
        dpi = n;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return true;
}

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

// An A4 page drawn into memory and then written by the checked writer, so
// that a failure at any step, the last flush included, is seen and leaves an
// older file of that name as it was.
struct Pdf {
    explicit Pdf(int resolution) {
        buffer.open(QIODevice::WriteOnly);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(resolution);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("Vemo Tarn"));
    }
    QBuffer buffer;
    QPdfWriter writer{&buffer};
};

int CannotWrite(const std::string& reason) {
    std::cerr << "vemotarn-cli: " << ProgramTexts().Text(io::kTextCannotWrite) << reason << '\n';
    return kExitBadInput;
}

int Finish(QPainter& painter, Pdf& pdf, const std::string& path) {
    if (!painter.end()) return CannotWrite(path + ": the page could not be drawn");
    std::string error;
    const QByteArray& bytes = pdf.buffer.data();
    if (!io::WriteFileChecked(
            path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            &error))
        return CannotWrite(error);
    return kExitOk;
}

int RunPrint(const std::vector<std::string>& given) {
    std::vector<std::string> args = given;
    int resolution = kDefaultResolution;
    if (std::string error; !TakeResolution(args, resolution, error))
        return UsageError(kPrint, error);
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
    Pdf pdf(resolution);
    QPainter painter;
    if (!painter.begin(&pdf.writer)) return CannotWrite(out + ": the page could not be drawn");
    print::PaintSingleGrid(painter, pdf.writer.width(), pdf.writer.height(), resolution, engine,
                           kinds.at(what), print::MakeTitleTexts(engine, Text));
    return Finish(painter, pdf, out);
}

int RunSheet(const std::vector<std::string>& given) {
    std::vector<std::string> args = given;
    std::string error;
    int resolution = kDefaultResolution;
    if (!TakeResolution(args, resolution, error)) return UsageError(kSheet, error);
    const auto request = ParseRequest(args, error);
    if (!request) return UsageError(kSheet, error);
    const Request r = *request;
    if (r.out.empty()) return UsageError(kSheet, "sheet needs --out");
    if (r.count != 1 || r.jobs != 1 || r.json)
        return UsageError(kSheet, "sheet always prints four puzzles");

    const auto gui = StartGui();
    Pdf pdf(resolution);
    QPainter painter;
    if (!painter.begin(&pdf.writer)) return CannotWrite(r.out + ": the page could not be drawn");
    const std::uint64_t base = BaseSeed(r);
    for (int k = 0; k < 4; ++k) {
        Engine engine;
        GenerateOne(engine, r, base, k);
        print::PaintSheetGrid(painter, pdf.writer.width(), pdf.writer.height(), resolution, k,
                              engine, print::MakeTitleTexts(engine, Text));
    }
    return Finish(painter, pdf, r.out);
}

const bool kRegistered = RegisterCommand(kPrint) && RegisterCommand(kSheet);

} // namespace

} // namespace vemo::cli
