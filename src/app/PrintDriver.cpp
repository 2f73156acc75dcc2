#include "app/PrintDriver.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <stdexcept>

#include "framework/QtPrintCanvas.h"
#include "model/MessageBox.h"

namespace {

// Device units of the printed tables: their fixed offsets (-20, +5, the
// 4-unit pen) are laid out for about 600 per inch.
constexpr int kPrintResolution = 600;

IPrinterChooser* g_chooser = nullptr;

class QtPrintDialogChooser : public IPrinterChooser {
public:
  bool Choose(QPrinter& printer) override {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
  }
};

// Why a printer would not start its job.
std::string CannotStartText(const QPrinter& printer) {
  if (!printer.outputFileName().isEmpty())
    return "Cannot write the print file\n    " + printer.outputFileName().toStdString();
  return "The printer " + printer.printerName().toStdString() + " cannot start printing.";
}

struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void SetPrinterChooser(IPrinterChooser* chooser) { g_chooser = chooser; }
IPrinterChooser* GetPrinterChooser() { return g_chooser; }

void InstallQtPrintDialog() {
  static QtPrintDialogChooser chooser;
  SetPrinterChooser(&chooser);
}

bool PrintDocument(int pointTenths, const PrintRoutine& routine) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setResolution(kPrintResolution);
  printer.setDocName(QString::fromLatin1(kPrintDocumentName));
  if (g_chooser == nullptr || !g_chooser->Choose(printer)) return false;
  printer.setResolution(kPrintResolution);

  try {
    PrintPlan plan;
    {
      const WaitCursor wait;
      QtMeasureCanvas measure(&printer);
      plan = PlanPrint(measure, pointTenths, routine);
    }
    if (plan.pages == 0) {
      ShowMessageBox(kNothingToPrint);
      return false;
    }
    bool started = false;
    {
      const WaitCursor wait;
      QtPrintCanvas canvas(&printer);
      started = canvas.IsActive();
      if (started) DrawPrint(canvas, pointTenths, plan, routine);
    }
    if (!started || printer.printerState() == QPrinter::Error) {
      ShowMessageBox(CannotStartText(printer));
      return false;
    }
  } catch (const std::runtime_error& e) {
    // What the picture print refuses, such as a page that could not be grabbed.
    ShowMessageBox(e.what());
    return false;
  }
  return true;
}
