#include "pages/signalling/FiveTonePage.h"

#include <QKeyEvent>

#include "model/FamilyModel.h"
#include "pages/PageBase.h"
#include "pages/signalling/FiveToneDialogs.h"

namespace {

using namespace five_tone_page;

constexpr int kColWidths[tone_grid::kCols] = {2000, 1200, 1200, 1200, 1200, 1200};
constexpr int kCentreTop = 3;
constexpr int kRightCentre = 7;
constexpr int kEditorLength = 4;
constexpr int kToneDigitMode = 2;

}  // namespace

CFiveTonePage::CFiveTonePage(Family family, int templateId)
    : CScrollablePage(templateId, QSize(365, 300), nullptr, 9), family_(family) {}

std::string CFiveTonePage::CellText(int row, int col) const {
  return family_ == kMobile ? ToneGridText(g_mobileModel.records.fiveToneCodes, row, col)
                            : ToneGridText(g_portableModel.records.fiveToneTones, row, col);
}

bool CFiveTonePage::Editable(int row, int col) const {
  return family_ == kMobile ? ToneGridEditable(g_mobileModel.records.fiveToneCodes, row, col)
                            : ToneGridEditable(g_portableModel.records.fiveToneTones, row, col);
}

bool CFiveTonePage::EditableColumn(int col) const {
  return family_ == kMobile ? col >= 1 && col <= tone_grid::kUserCol : col == tone_grid::kUserCol;
}

bool CFiveTonePage::OnInitDialog() {
  CScrollablePage::OnInitDialog();
  auto* common = Place<QPushButton>(kCommonSystem, 110, 267, 57, 18);
  common->setText(QStringLiteral("Common/System"));
  encodeDecode_ = Place<QPushButton>(kEncodeDecode, 186, 267, 57, 18);
  encodeDecode_->setText(QStringLiteral("Encode/Decode"));
  grid_ = Place<CFlexGrid>(kGrid, 1, 30, 362, 206);
  editor_ = Place<CFiveToneEdit>(kEditor, 0, 242, 31, 14);
  editor_->m_inputMode = kToneDigitMode;
  editor_->setMaxLength(kEditorLength);
  UpperCaseAsTyped(editor_);
  cellEditor_ = new CGridCellEditor(editor_, [this](CFlexGrid&, int row, int col, const QString& text) {
    // A refused entry stores nothing; either way the cell shows the record.
    if (family_ == kMobile) {
      ToneGridCommit(g_mobileModel.records.fiveToneCodes, row, col, text.toStdString());
    } else {
      ToneGridCommit(g_portableModel.records.fiveToneTones, row, col, text.toStdString());
    }
    WriteCell(row, col);
  });
  connect(common, &QPushButton::clicked, this, [this] { OnCommonSystem(); });
  connect(encodeDecode_, &QPushButton::clicked, this, [this] { OnEncodeDecode(); });
  grid_->onKeyPress = [this](QChar c) { OnKeyPressGrid(c); };
  grid_->onGridEvent = [this](QEvent* event) {
    return event->type() == QEvent::MouseButtonDblClick && HandleGridDoubleClick();
  };
  RefreshFromData();
  return true;
}

void CFiveTonePage::OnDestroyWindow() {
  // A value being typed reaches its cell before the window goes.
  if (cellEditor_ != nullptr) cellEditor_->Commit();
}

void CFiveTonePage::WriteCell(int row, int col) {
  if (grid_ != nullptr && row >= 1 && col >= 1) grid_->SetTextMatrix(row, col, QString::fromStdString(CellText(row, col)));
}

void CFiveTonePage::RefreshFromData() {
  if (grid_ == nullptr) return;
  grid_->setUpdatesEnabled(false);
  grid_->SetShape(tone_grid::kRows, tone_grid::kCols, 1, 1);
  for (int c = 0; c < tone_grid::kCols; ++c) {
    grid_->SetColWidth(c, kColWidths[c]);
    grid_->SetColAlignment(c, c == 0 ? kCentreTop : kRightCentre);
    grid_->SetFixedAlignment(c, kCentreTop);
    grid_->SetTextMatrix(0, c, QString::fromLatin1(tone_grid::kHeads[c]));
  }
  for (int r = 1; r < tone_grid::kRows; ++r) {
    grid_->SetTextMatrix(r, 0, QString::fromLatin1(tone_grid::kRowLabels[r]));
    for (int c = 1; c < tone_grid::kCols; ++c) WriteCell(r, c);
  }
  // The user's heading ("NATEL/USER") is wider than its twips in this font.
  grid_->FitColumnToText(tone_grid::kCols - 1);
  grid_->SetCurrent(1, 0);
  grid_->setUpdatesEnabled(true);
}

void CFiveTonePage::BeginCellEdit(const QString& text) {
  const int row = grid_->Row();
  const int col = grid_->Col();
  if (!Editable(row, col) || !EditableColumn(col)) return;
  // The cell's text is padded to its width; the editor takes the number.
  cellEditor_->Open(*grid_, row, col, text.trimmed());
}

bool CFiveTonePage::HandleGridKey(QKeyEvent* event) {
  const int col = grid_->Col();
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (EditableColumn(col)) {
        BeginCellEdit(grid_->Text());
        WriteCell(grid_->Row(), col);
      }
      return true;
    case Qt::Key_Space:
      if (col != tone_grid::kUserCol) return true;
      WriteCell(grid_->Row(), col);
      return false;
    case Qt::Key_Escape:
      return true;
    default:
      return false;
  }
}

bool CFiveTonePage::HandleGridDoubleClick() {
  // A heading or a column no key opens: nothing.
  if (grid_->MouseRow() < grid_->FixedRows() || !EditableColumn(grid_->Col())) return true;
  BeginCellEdit(grid_->Text());
  WriteCell(grid_->Row(), grid_->Col());
  return true;
}

void CFiveTonePage::OnKeyPressGrid(QChar c) {
  if (!grid_->hasFocus()) return;
  const int row = grid_->Row();
  const int col = grid_->Col();
  const bool cell = family_ == kMobile
                        ? col == tone_grid::kUserCol || (col >= 1 && col < tone_grid::kUserCol && row >= tone_grid::kPeriodRow)
                        : col == tone_grid::kUserCol;
  if (!cell) return;
  if (c.isDigit()) BeginCellEdit(QString(c));
  // Further digits go after the typed one.
  if (cellEditor_->IsOpen()) editor_->deselect();
}

bool CFiveTonePage::PreviewKey(QKeyEvent* event) {
  QWidget* focus = QApplication::focusWidget();
  const int key = event->key();
  if (key == Qt::Key_Tab && focus != nullptr && focus == encodeDecode_) {
    grid_->SetCurrent(1, tone_grid::kUserCol);
    grid_->setFocus(Qt::TabFocusReason);
    return true;
  }
  if (focus != nullptr && focus == editor_ && cellEditor_ != nullptr && cellEditor_->IsOpen()) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      cellEditor_->Commit();
      return true;
    }
    if (key == Qt::Key_Escape) {
      cellEditor_->Cancel(grid_->TextMatrix(cellEditor_->EditRow(), cellEditor_->EditCol()).trimmed());
      return true;
    }
  }
  if (focus != nullptr && focus == grid_ && HandleGridKey(event)) return true;
  if (key == Qt::Key_Escape) return true;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return false;
  return CScrollablePage::PreviewKey(event);
}

namespace {
// Runs a dialog of the page modally over the main window, so it stays above it.
template <class Dlg>
void RunOverMainWindow(QWidget* fallback) {
  Dlg dlg(g_pMainDlg != nullptr ? g_pMainDlg->Window() : fallback);
  dlg.exec();
}
}  // namespace

void CFiveTonePage::OnCommonSystem() {
  if (family_ == kMobile) {
    RunOverMainWindow<CMobileFiveToneCommonPage>(window());
  } else {
    RunOverMainWindow<CPortableFiveToneCommonPage>(window());
  }
}

void CFiveTonePage::OnEncodeDecode() {
  if (family_ == kMobile) {
    RunOverMainWindow<CMobileFiveToneCodePage>(window());
  } else {
    RunOverMainWindow<CPortableFiveToneCodePage>(window());
  }
}
