// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

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

PageTarget::PageTarget(QPrinter& printer) : printer_(printer) {
    if (!PrintsToFile(printer)) return;
    buffer_ = std::make_unique<QBuffer>();
    buffer_->open(QIODevice::WriteOnly);
    pdf_ = std::make_unique<QPdfWriter>(buffer_.get());
    pdf_->setPageLayout(printer.pageLayout());
    pdf_->setResolution(printer.resolution());
    pdf_->setCreator(QStringLiteral("Vemo Tarn"));
}

PageTarget::~PageTarget() = default;

QPaintDevice* PageTarget::Device() {
    if (pdf_) return pdf_.get();
    return &printer_;
}

int PageTarget::Width() const {
    return pdf_ ? pdf_->width() : printer_.width();
}

int PageTarget::Height() const {
    return pdf_ ? pdf_->height() : printer_.height();
}

int PageTarget::ResolutionY() const {
    return pdf_ ? pdf_->logicalDpiY() : printer_.logicalDpiY();
}

bool PageTarget::Finish(std::string* error) {
    if (!pdf_) return true;
    const QByteArray& bytes = buffer_->data();
    return io::WriteFileChecked(printer_.outputFileName().toStdString(),
                                std::string_view(bytes.constData(), bytes.size()), error);
}

void PageTarget::Abort() {
    if (!pdf_) printer_.abort();
    pdf_.reset();
    buffer_.reset();
}

bool PrintSingleGridChecked(QPrinter& printer, const Engine& game, PrintKind kind,
                            const TitleTexts& texts, const PrintColours& colours,
                            std::string* error, const advanced::HintDrawing* drawing) {
    PageTarget target(printer);
    QPainter painter;
    if (!painter.begin(target.Device())) {
        if (error) *error = printer.outputFileName().toStdString() + ": cannot draw the page";
        return false;
    }
    PaintSingleGrid(painter, target.Width(), target.Height(), target.ResolutionY(), game, kind,
                    texts, colours, drawing);
    painter.end();
    return target.Finish(error);
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
