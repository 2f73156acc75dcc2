#pragma once
// The print command's printer and job: the print dialog behind a port like
// the message boxes (the program installs Qt's dialog, tests answer with a
// PDF file), and one print job per command on the chosen printer.
#include <string>

#include "app/PrintTables.h"

class QPrinter;

class IPrinterChooser {
public:
  virtual ~IPrinterChooser() = default;
  // Sets the printer up as the user chose it; false when the user cancelled.
  virtual bool Choose(QPrinter& printer) = 0;
};

// nullptr restores the default, which cancels every print.
void SetPrinterChooser(IPrinterChooser* chooser);
IPrinterChooser* GetPrinterChooser();
// The print dialog: no page numbers, no selection.
void InstallQtPrintDialog();

// The document name of every print job.
inline constexpr const char* kPrintDocumentName = "RP58 Printing";
inline constexpr const char* kNothingToPrint = "Nothing to print";

// Asks for a printer and prints the routine's document on it, the tables
// scaled to fit the paintable area. A document that draws nothing starts no
// job and says "Nothing to print"; a job that cannot start says why. True
// when something was printed.
bool PrintDocument(int pointTenths, const PrintRoutine& routine);
