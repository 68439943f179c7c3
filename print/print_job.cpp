#include "print/print_job.h"

#include "io/checked_writer.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace vemo::print {

void PrintSingleGridOn(QPrinter& printer, const Engine& game, PrintKind kind,
                       const TitleTexts& texts, const PrintColours& colours) {
    // The page is the printable area, its origin at the area's top-left corner.
    QPainter painter(&printer);
    PaintSingleGrid(painter, printer.width(), printer.height(), printer.logicalDpiY(), game, kind,
                    texts, colours);
}

bool PrintsToFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

bool PrintSingleGridToFile(const QPrinter& printer, const Engine& game, PrintKind kind,
                           const TitleTexts& texts, const PrintColours& colours,
                           std::string* error) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(printer.pageLayout());
    writer.setResolution(printer.resolution());
    writer.setCreator(QStringLiteral("Vemo Tarn"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error) *error = printer.outputFileName().toStdString() + ": cannot draw the page";
        return false;
    }
    PaintSingleGrid(painter, writer.width(), writer.height(), writer.logicalDpiY(), game, kind,
                    texts, colours);
    painter.end();
    const QByteArray& bytes = buffer.data();
    return io::WriteFileChecked(printer.outputFileName().toStdString(),
                                std::string_view(bytes.constData(), bytes.size()), error);
}

bool PrintSingleGrid(QWidget* parent, const Engine& game, PrintKind kind, const TitleTexts& texts,
                     const PrintColours& colours) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    PrintSingleGridOn(printer, game, kind, texts, colours);
    return true;
}

} // namespace vemo::print
