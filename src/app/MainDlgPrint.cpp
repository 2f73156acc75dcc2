// The main window's "&Print" commands.
#include <QApplication>
#include <QTabBar>
#include <QToolBar>

#include "app/MainDlg.h"
#include "app/PageSet.h"
#include "app/PrintDriver.h"
#include "framework/QtPrintCanvas.h"
#include "model/GlobalRecordText.h"

namespace {

std::optional<PrintKind> PrintKindOf(int command) {
  switch (command) {
    case kCmdPrintGlobal: return PrintKind::kGlobal;
    case kCmdPrintZone: return PrintKind::kZone;
    case kCmdPrintRfChannels: return PrintKind::kRfChannels;
    case kCmdPrintDtmf: return PrintKind::kDtmf;
    case kCmdPrintFiveToneTable: return PrintKind::kFiveToneTable;
    case kCmdPrintFiveToneCodes: return PrintKind::kFiveToneCodes;
    default: return std::nullopt;
  }
}

}  // namespace

void CMainDlg::OnPrintTable(int command) {
  const auto kind = PrintKindOf(command);
  if (!kind) return;
  const CFamilyModel& model = CurrentModel();
  const PrintRoutine routine = PrintRoutineOf(*kind, model);
  if (!routine) return;
  // The Global 1 page would show the password read from its bytes, and a
  // password switches Clone off; the print shows what the page would.
  if (*kind == PrintKind::kGlobal) TakePasswordFromBytes(CurrentModel().global);
  // The Encode/Decode dialog keeps its tables in the image; the lists print
  // what it stored there.
  if (*kind == PrintKind::kFiveToneCodes && g_pRadioImage != nullptr) {
    CurrentModel().fiveToneEncode.Load(g_pRadioImage);
    CurrentModel().fiveToneDecode.Load(g_pRadioImage);
  }
  PrintDocument(PrintPointTenths(*kind), routine);
}

void CMainDlg::PrintKeyPageBitmap() {
  g_printingKeyPage = true;
  const int previous = CurrentTab();
  const int keyTab = TabPosition(CurrentFamily(), TabKind::kKeyAssign).value_or(previous);
  if (previous != keyTab) SelectTab(keyTab);
  // The page with the lines and the tab row above it, laid out as shown;
  // the menu and the toolbar stay out of the picture.
  QApplication::sendPostedEvents();
  QApplication::processEvents();
  int top = 0;
  if (auto* bar = findChild<QToolBar*>()) top = bar->geometry().bottom() + 1;
  const QImage picture = grab(QRect(0, top, width(), height() - top)).toImage();
  const PrintImage image = ToPrintImage(picture);
  PrintDocument(kTablePointTenths, [&image](IPrintCanvas& canvas, const PrintLayout&) { PrintPicture(canvas, image); });
  if (previous != keyTab) SelectTab(previous);
  g_printingKeyPage = false;
}
