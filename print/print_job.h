// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Printing one grid through the system's print dialog (its "Print to File"
// makes a PDF).
#pragma once

#include "print/print_layout.h"

#include <memory>
#include <string>

class QBuffer;
class QPaintDevice;
class QPdfWriter;
class QPrinter;
class QWidget;

namespace vemo::print {

// Paints the page of `kind` on a printer that is ready to print.
void PrintSingleGridOn(QPrinter& printer, const Engine& game, PrintKind kind,
                       const TitleTexts& texts, const PrintColours& colours = {});

// Shows the print dialog over `parent` and prints one page; false when the
// user cancels.
// True when the printer makes a PDF file (the dialog's "print to file").
bool PrintsToFile(const QPrinter& printer);

// Where a print job paints: the printer itself or, when the printer makes a
// PDF file, a page of the same layout drawn in memory that the checked writer
// puts in the file at the end, so that a failure at any step is seen and an
// older file of that name stays as it was.
class PageTarget {
  public:
    explicit PageTarget(QPrinter& printer);
    ~PageTarget();
    PageTarget(const PageTarget&) = delete;
    PageTarget& operator=(const PageTarget&) = delete;

    QPaintDevice* Device();
    int Width() const;
    int Height() const;
    int ResolutionY() const;
    // After the painter has ended: writes the file of a PDF print. False, with
    // the reason in `error`, when it cannot be written.
    bool Finish(std::string* error);
    // Nothing is printed and no file is written.
    void Abort();

  private:
    QPrinter& printer_;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QPdfWriter> pdf_;
};

// Paints the page of `kind` on the printer, through a PageTarget: false, with
// the reason in `error`, when the page cannot be drawn or its file written.
// A drawing given is printed over the position.
bool PrintSingleGridChecked(QPrinter& printer, const Engine& game, PrintKind kind,
                            const TitleTexts& texts, const PrintColours& colours,
                            std::string* error, const advanced::HintDrawing* drawing = nullptr);

bool PrintSingleGrid(QWidget* parent, const Engine& game, PrintKind kind, const TitleTexts& texts,
                     const PrintColours& colours = {});

} // namespace vemo::print
