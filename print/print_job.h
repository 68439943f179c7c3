// Printing one grid through the system's print dialog (its "Print to File"
// makes a PDF).
#pragma once

#include "print/print_layout.h"

#include <string>

class QWidget;
class QPrinter;

namespace vemo::print {

// Paints the page of `kind` on a printer that is ready to print.
void PrintSingleGridOn(QPrinter& printer, const Engine& game, PrintKind kind,
                       const TitleTexts& texts, const PrintColours& colours = {});

// Shows the print dialog over `parent` and prints one page; false when the
// user cancels.
// True when the printer makes a PDF file (the dialog's "print to file").
bool PrintsToFile(const QPrinter& printer);

// The print as a PDF drawn in memory on the printer's page and written to its
// output file by the checked writer: false, with the reason in `error`, when
// the file cannot be written; an older file then stays as it was.
bool PrintSingleGridToFile(const QPrinter& printer, const Engine& game, PrintKind kind,
                           const TitleTexts& texts, const PrintColours& colours,
                           std::string* error);

bool PrintSingleGrid(QWidget* parent, const Engine& game, PrintKind kind, const TitleTexts& texts,
                     const PrintColours& colours = {});

} // namespace vemo::print
