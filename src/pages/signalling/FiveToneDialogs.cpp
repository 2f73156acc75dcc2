#include "pages/signalling/FiveToneDialogs.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <span>

#include "model/FamilyModel.h"
#include "pages/PageBase.h"
#include "platform/ControlIds.h"

namespace {

using namespace five_tone_dlg;

constexpr int kCommonHelp = 15904;
constexpr int kCodesHelp = kEncodeGrid;
constexpr int kMsLength = 4;
constexpr int kShownLength = 16;
constexpr int kDigitInputMode = 1;  // digits, the point and the space
constexpr int kToneDigitMode = 2;
constexpr int kNameMode = 6;
constexpr int kCodeLength = kFiveToneCodeDigits;
constexpr int kTagLength = kFiveToneTagLength;

// Grid layouts: column widths in twips and the heading rows.
constexpr int kEncodeWidths[] = {1000, 800, 2000, 700, 600, 700, 400, 400, 400, 400, 400};
constexpr int kDecodeWidths[] = {1000, 800, 2000, 700, 700, 700, 700};
constexpr int kSpecialWidths[] = {1000, 800};
constexpr const char* kEncodeHeads[2][11] = {
    {"", "Code", "Tag", "Mute", "Select", "1st", "Input Digit", "Input Digit", "Input Digit", "Input Digit",
     "Input Digit"},
    {"", "", "", "Mode", "", "Ext", "1", "2", "3", "4", "5"}};
constexpr const char* kDecodeHeads[2][7] = {{"", "Code", "Tag", "Beep", "Beep", "LED", "PTT"},
                                            {"", "", "", "Tone", "Mode", "Blink", ""}};
constexpr const char* kSpecialNames[] = {"STUN", "KILL", "REVIVE"};
constexpr int kEncodeRows = kFiveToneRows;
constexpr int kDecodeRows = 5;
constexpr int kSpecialFirst = 5;  // the table row of "STUN"
constexpr int kHeadRows = 2;
constexpr int kLeftTop = 0, kCentreTop = 3, kRightCentre = 7;

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// A grid sized to show all of its cells without scroll bars.
void FitGrid(CFlexGrid* grid) {
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  int width = 2 * grid->frameWidth();
  for (int c = 0; c < grid->Cols(); ++c) width += grid->columnWidth(c);
  int height = 2 * grid->frameWidth();
  for (int r = 0; r < grid->Rows(); ++r) height += grid->rowHeight(r);
  grid->setFixedSize(width, height);
}

}  // namespace

// ===========================================================================

CFiveToneDialog::CFiveToneDialog(Family family, QWidget* parent, int helpContext)
    : QDialog(parent), family_(family), dataModifiedAtOpen_(g_dataModified), helpContext_(helpContext) {
  setWindowTitle(QStringLiteral("5-Tone"));
}

void CFiveToneDialog::AddButtons(QLayout* body) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  SetControlId(ok_, kOk);
  SetControlId(cancel_, kCancel);
  // Enter is the dialog's to judge (PreviewKey): no default button.
  for (QPushButton* b : {ok_.data(), cancel_.data()}) {
    b->setAutoDefault(false);
    b->setDefault(false);
    row->addWidget(b);
  }
  connect(ok_, &QPushButton::clicked, this, [this] { OnOk(); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  static_cast<QBoxLayout*>(body)->addLayout(row);
}

bool CFiveToneDialog::PreviewKey(QKeyEvent* event) {
  QWidget* focus = QApplication::focusWidget();
  const int key = event->key();
  if (key == Qt::Key_F1) {
    // The focused control's help; OK and Cancel have the dialog's.
    int id = focus != nullptr ? ControlId(focus) : 0;
    if (id == kOk || id == kCancel || HelpIsTheDialogs(id)) id = helpContext_;
    if (g_pMainDlg != nullptr) g_pMainDlg->ShowHelp(id);
    return true;
  }
  if (OwnKey(event)) return true;
  if (IsEnter(key)) {
    // Enter presses a focused OK or Cancel; on a check box it ticks or clears it.
    if (focus != nullptr && focus == ok_) {
      OnOk();
    } else if (focus != nullptr && focus == cancel_) {
      reject();
    } else if (auto* box = qobject_cast<QCheckBox*>(focus)) {
      box->toggle();
    }
    return true;
  }
  return false;
}

void CFiveToneDialog::reject() {
  Restore();
  g_dataModified = dataModifiedAtOpen_;
  QDialog::reject();
}

// ===========================================================================
// Common/System

CFiveToneCommonDlg::CFiveToneCommonDlg(Family family, QWidget* parent)
    : CFiveToneDialog(family, parent, kCommonHelp), record_(ModelOf(family).fiveToneCommon) {
  // Whatever the record holds now is what a Cancel gives back.
  static_cast<CFiveToneCommonRecord&>(atOpen_) = record_;
  if (g_pRadioImage != nullptr) record_.Unpack(g_pRadioImage);

  auto* body = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout;
  body->addLayout(columns);
  QGridLayout* grids[2] = {new QGridLayout, new QGridLayout};
  int rows[2] = {0, 0};
  for (QGridLayout* g : grids) columns->addLayout(g);
  for (const FiveToneCommonItem& item : FiveToneCommonItems()) {
    QGridLayout* grid = grids[item.column];
    int& row = rows[item.column];
    switch (item.kind) {
      case FiveToneCommonKind::kList: {
        auto* label = new QLabel(QString::fromLatin1(item.label), this);
        auto* combo = new QComboBox(this);
        SetControlId(combo, item.ids[0]);
        binder_.Bind({combo, item.choices, item.fallback, FieldRef(&(record_.*item.field), kWholeByte), 0, {}});
        if (item.hidden) {
          label->hide();
          combo->hide();
          break;
        }
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row++, 1);
        break;
      }
      case FiveToneCommonKind::kDigits: {
        auto* box = new QGroupBox(QString::fromLatin1(item.label), this);
        auto* line = new QHBoxLayout(box);
        auto& elements = record_.*item.digits;
        for (std::size_t i = 0; i < elements.size(); ++i) {
          auto* check = new QCheckBox(QString::number(i + 1), box);
          SetControlId(check, item.ids[i]);
          check->setChecked(elements[i] == 0);
          line->addWidget(check);
          digits_.push_back({check, &elements[i]});
        }
        grid->addWidget(box, row++, 0, 1, 2);
        break;
      }
      case FiveToneCommonKind::kMilliseconds: {
        auto* edit = new CFilterEdit(this);
        SetControlId(edit, item.ids[0]);
        edit->m_filterMode = kDigitInputMode;
        edit->m_maxLength = kMsLength;
        edit->setText(QString::fromStdString(FiveToneMsText(record_.*item.field)));
        edit->installEventFilter(this);
        msFields_.push_back({edit, &(record_.*item.field)});
        grid->addWidget(new QLabel(QString::fromLatin1(item.label), this), row, 0);
        grid->addWidget(edit, row++, 1);
        break;
      }
    }
  }
  for (QGridLayout* g : grids) g->setRowStretch(std::max(rows[0], rows[1]), 1);
  binder_.Refresh();
  AddButtons(body);
}

bool CFiveToneCommonDlg::OwnKey(QKeyEvent* event) {
  // The field has just seen this Enter and ended its edit, but the key stops
  // at the dialog and never reaches it: store the value now.
  if (IsEnter(event->key())) CommitMsFields();
  return false;
}

bool CFiveToneCommonDlg::eventFilter(QObject* watched, QEvent* event) {
  // A field's own handling ends an edit on these; its value is stored after.
  switch (event->type()) {
    case QEvent::FocusOut:
    case QEvent::MouseButtonDblClick:
      QTimer::singleShot(0, this, [this] { CommitMsFields(); });
      break;
    default:
      break;
  }
  return CFiveToneDialog::eventFilter(watched, event);
}

void CFiveToneCommonDlg::CommitMsFields() {
  for (const MsField& f : msFields_) {
    if (f.edit->m_committed == 0) continue;
    f.edit->m_committed = 0;
    *f.field = FiveToneMsFromText(f.edit->text().toStdString());
    f.edit->setMaxLength(kShownLength);  // the limit is the typing's, not the shown text's
    f.edit->setText(QString::fromStdString(FiveToneMsText(*f.field)));
    g_dataModified = true;
  }
}

void CFiveToneCommonDlg::OnOk() {
  CommitMsFields();
  for (const DigitBox& d : digits_) {
    const bool ticked = d.box->isChecked();
    if (ticked == (*d.element == 0)) continue;
    *d.element = ticked ? 0 : 1;
    g_dataModified = true;
  }
  if (g_pRadioImage != nullptr) record_.Pack(g_pRadioImage);
  accept();
}

void CFiveToneCommonDlg::Restore() {
  binder_.Clear();
  record_ = atOpen_;
}

// ===========================================================================
// Encode/Decode

CFiveToneCodeDlg::CFiveToneCodeDlg(Family family, QWidget* parent)
    : CFiveToneDialog(family, parent, kCodesHelp),
      encodeTable_(ModelOf(family).fiveToneEncode),
      decodeTable_(ModelOf(family).fiveToneDecode),
      encodeAtOpen_(encodeTable_.rows),
      decodeAtOpen_(decodeTable_.rows) {
  if (g_pRadioImage != nullptr) {
    encodeTable_.Load(g_pRadioImage);
    decodeTable_.Load(g_pRadioImage);
  }
  const std::size_t f = family == kPortable ? 1 : 0;
  auto* body = new QVBoxLayout(this);
  body->addWidget(new QLabel(QStringLiteral("Encode List"), this));
  encode_ = new CFlexGrid(this);
  SetControlId(encode_, kEncodeGrid);
  body->addWidget(encode_);
  body->addWidget(new QLabel(QStringLiteral("Decode List"), this));
  auto* lower = new QHBoxLayout;
  decode_ = new CFlexGrid(this);
  special_ = new CFlexGrid(this);
  SetControlId(decode_, kDecodeGrid[f]);
  SetControlId(special_, kSpecialGrid[f]);
  lower->addWidget(decode_, 0, Qt::AlignTop);
  lower->addWidget(special_, 0, Qt::AlignTop);
  lower->addStretch();
  body->addLayout(lower);
  editor_ = new CFiveToneEdit(this);
  SetControlId(editor_, kEditor);
  UpperCaseAsTyped(editor_);
  cellEditor_ = new CGridCellEditor(editor_, [this](CFlexGrid& grid, int row, int col, const QString& text) {
    const int tableRow = TableRow(&grid, row);
    if (tableRow < 0) return;
    TableOf(&grid).SetCellText(tableRow, col, text.toStdString());
    WriteCell(&grid, row, col);
  });
  for (CFlexGrid* grid : {encode_.data(), decode_.data(), special_.data()}) {
    BuildGrid(grid);
    grid->onKeyPress = [this, grid](QChar c) { OnKeyPressGrid(grid, c); };
    grid->onGridEvent = [this, grid](QEvent* event) {
      return event->type() == QEvent::MouseButtonDblClick && OnGridDoubleClick(grid);
    };
  }
  AddButtons(body);
}

CFiveToneCodeDlg::~CFiveToneCodeDlg() {
  // The grids go with the dialog: nothing may commit into them after this.
  if (cellEditor_ != nullptr) cellEditor_->Commit();
  if (editor_ != nullptr && cellEditor_ != nullptr) editor_->removeEventFilter(cellEditor_);
}

CFiveToneCodeTable& CFiveToneCodeDlg::TableOf(const CFlexGrid* grid) const {
  return grid == encode_ ? encodeTable_ : decodeTable_;
}

int CFiveToneCodeDlg::TableRow(const CFlexGrid* grid, int gridRow) const {
  if (grid == encode_) return gridRow >= kHeadRows && gridRow < kHeadRows + kEncodeRows ? gridRow - kHeadRows : -1;
  if (grid == decode_) return gridRow >= kHeadRows && gridRow < kHeadRows + kDecodeRows ? gridRow - kHeadRows : -1;
  if (grid == special_) return gridRow >= 0 && gridRow < 3 ? gridRow + kSpecialFirst : -1;
  return -1;
}

bool CFiveToneCodeDlg::IsEditableColumn(const CFlexGrid* grid, int col) const {
  return col == 1 || (col == 2 && grid != special_);
}

void CFiveToneCodeDlg::BuildGrid(CFlexGrid* grid) {
  grid->setUpdatesEnabled(false);
  std::span<const int> widths;
  if (grid == special_) {
    grid->SetShape(3, 2, 0, 1);
    widths = kSpecialWidths;
    for (int r = 0; r < 3; ++r) grid->SetTextMatrix(r, 0, QString::fromLatin1(kSpecialNames[r]));
  } else {
    const bool encode = grid == encode_;
    const int rows = encode ? kEncodeRows : kDecodeRows;
    widths = encode ? std::span<const int>(kEncodeWidths) : std::span<const int>(kDecodeWidths);
    grid->SetShape(kHeadRows + rows, static_cast<int>(widths.size()), kHeadRows, 1);
    for (int h = 0; h < kHeadRows; ++h) {
      grid->SetMergeRow(h, true);
      for (int c = 0; c < grid->Cols(); ++c)
        grid->SetTextMatrix(h, c, QString::fromLatin1(encode ? kEncodeHeads[h][c] : kDecodeHeads[h][c]));
    }
    for (int r = 0; r < rows; ++r)
      grid->SetTextMatrix(kHeadRows + r, 0, QStringLiteral("%1 %2").arg(encode ? "Encode" : "Decode").arg(r + 1));
  }
  for (int c = 0; c < grid->Cols(); ++c) {
    grid->SetColWidth(c, widths[static_cast<std::size_t>(c)]);
    grid->SetFixedAlignment(c, kCentreTop);
    if (grid == special_) {
      grid->SetColAlignment(c, c == 0 ? kCentreTop : kRightCentre);
    } else {
      grid->SetColAlignment(c, c == 1 || c == 2 ? kLeftTop : kCentreTop);
    }
  }
  // Columns wide enough for their widest switch text, whatever the font.
  if (grid != special_)
    for (int c = 3; c < grid->Cols(); ++c) grid->SetTextMatrix(grid->FixedRows(), c, QStringLiteral("Disable"));
  grid->FitColumnsToText();
  for (int r = grid->FixedRows(); r < grid->Rows(); ++r)
    for (int c = 1; c < grid->Cols(); ++c) WriteCell(grid, r, c);
  grid->SetCurrent(1, 0);
  FitGrid(grid);
  grid->setUpdatesEnabled(true);
}

void CFiveToneCodeDlg::WriteCell(CFlexGrid* grid, int row, int col) {
  const int tableRow = TableRow(grid, row);
  if (tableRow < 0 || col < 1) return;
  const FiveToneCell cell = FiveToneCodeCell(TableOf(grid), tableRow, col);
  grid->SetTextMatrix(row, col, QString::fromStdString(cell.text));
  grid->SetCellCheck(row, col, cell.check);
}

void CFiveToneCodeDlg::OpenEditor(CFlexGrid* grid, const QString& text) {
  const int row = grid->Row();
  const int col = grid->Col();
  const int tableRow = TableRow(grid, row);
  std::string ignored;
  if (tableRow < 0 || !IsEditableColumn(grid, col) || !TableOf(grid).GetCellText(tableRow, col, ignored)) return;
  const bool code = col == 1;
  editor_->m_inputMode = code ? kToneDigitMode : kNameMode;
  editor_->setMaxLength(code ? kCodeLength : kTagLength);
  cellEditor_->Open(*grid, row, col, text.toUpper());
}

void CFiveToneCodeDlg::Toggle(CFlexGrid* grid) {
  // The special codes have nothing to switch.
  if (grid == special_) return;
  const int tableRow = TableRow(grid, grid->Row());
  if (tableRow < 0) return;
  TableOf(grid).ToggleCell(tableRow, grid->Col());
  WriteCell(grid, grid->Row(), grid->Col());
}

void CFiveToneCodeDlg::OnKeyPressGrid(CFlexGrid* grid, QChar c) {
  if (!grid->hasFocus()) return;
  editGrid_ = grid;
  const int col = grid->Col();
  const int ch = c.unicode();
  const bool passes = col == 1 ? FilterFiveToneDigitChar(ch) != 0
                               : IsEditableColumn(grid, col) && FilterAlnumSpaceChar(ch) != 0;
  if (passes) OpenEditor(grid, QString(c));
  // Typing goes on after the character.
  if (cellEditor_->IsOpen()) editor_->deselect();
}

bool CFiveToneCodeDlg::OnGridDoubleClick(CFlexGrid* grid) {
  editGrid_ = grid;
  if (grid->MouseRow() < grid->FixedRows()) return true;
  if (IsEditableColumn(grid, grid->Col())) {
    OpenEditor(grid, grid->Text());
  } else {
    Toggle(grid);
  }
  return true;
}

CFlexGrid* CFiveToneCodeDlg::FocusedGrid() const {
  QWidget* focus = QApplication::focusWidget();
  for (CFlexGrid* grid : {encode_.data(), decode_.data(), special_.data()})
    if (grid != nullptr && focus == grid) return grid;
  return nullptr;
}

bool CFiveToneCodeDlg::OwnKey(QKeyEvent* event) {
  QWidget* focus = QApplication::focusWidget();
  const int key = event->key();
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
    // Cancel, then each grid from its first data cell.
    CFlexGrid* next = focus == cancel_    ? encode_.data()
                      : focus == encode_  ? decode_.data()
                      : focus == decode_  ? special_.data()
                                          : nullptr;
    if (next == nullptr) return false;
    next->SetCurrent(next == special_ ? 0 : kHeadRows, 1);
    next->setFocus(Qt::TabFocusReason);
    return true;
  }
  if (focus != nullptr && focus == editor_ && cellEditor_->IsOpen()) {
    if (IsEnter(key)) {
      cellEditor_->Commit();
      return true;
    }
    if (key == Qt::Key_Escape) {
      // The cell's text goes back and is committed; Esc then cancels the dialog.
      cellEditor_->Cancel(cellEditor_->Grid()->TextMatrix(cellEditor_->EditRow(), cellEditor_->EditCol()));
      return false;
    }
  }
  CFlexGrid* grid = FocusedGrid();
  if (grid == nullptr) return false;
  editGrid_ = grid;
  if (IsEnter(key)) {
    if (IsEditableColumn(grid, grid->Col())) {
      OpenEditor(grid, grid->Text());
      WriteCell(grid, grid->Row(), grid->Col());
    }
    return true;
  }
  if (key == Qt::Key_Space) {
    Toggle(grid);
    return true;
  }
  return false;
}

void CFiveToneCodeDlg::OnOk() {
  if (cellEditor_ != nullptr) cellEditor_->Commit();
  if (g_pRadioImage != nullptr) {
    encodeTable_.Store(g_pRadioImage);
    decodeTable_.Store(g_pRadioImage);
  }
  accept();
}

void CFiveToneCodeDlg::Restore() {
  encodeTable_.rows = encodeAtOpen_;
  decodeTable_.rows = decodeAtOpen_;
}
