// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "print/print_job.h"

#include <QPainter>
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

bool PrintSingleGrid(QWidget* parent, const Engine& game, PrintKind kind, const TitleTexts& texts,
                     const PrintColours& colours) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    PrintSingleGridOn(printer, game, kind, texts, colours);
    return true;
}

} // namespace vemo::print
