#include "app/RomEditDlg.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "app/MainDlg.h"
#include "app/OpenDataFile.h"
#include "framework/ButtonsAndLists.h"
#include "model/ConfigFile.h"
#include "model/FreshStart.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"
#include "platform/Beep.h"
#include "platform/ControlIds.h"

int g_romEditBlock;  // set by the fresh start below

namespace {
void FreshRomEditBlock() { g_romEditBlock = 0; }
const FreshStartReset kFreshStart(&FreshRomEditBlock);

// The widget shows each line without its "\r": one column less per line end.
constexpr int kWidgetLineLength = kDumpLineLength - 1;

QPushButton* AddButton(QBoxLayout* row, QPushButton* button, int id, const char* text) {
  button->setText(QString::fromLatin1(text));
  button->setAutoDefault(false);
  SetControlId(button, id);
  row->addWidget(button);
  return button;
}

// The column heading. Its text is the template's, made for a proportional
// font; each column number is drawn where the dump's own text layout puts
// that column (a character width times the column drifts off the dump, whose
// advances are not whole pixels).
class CDumpHeading : public QLabel {
public:
  CDumpHeading(CHexEntryEdit* dump, QWidget* parent)
      : QLabel(QStringLiteral("          00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F"), parent), dump_(dump) {
    setFont(dump->font());
    setMinimumHeight(QFontMetrics(font()).height() + 2);
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const QStringList columns = text().simplified().split(QLatin1Char(' '));
    const QTextBlock firstLine = dump_->document()->firstBlock();
    for (int k = 0; k < columns.size() && k < 16; ++k) {
      QTextCursor at(firstLine);
      at.setPosition(firstLine.position() + kDumpFirstDigitColumn + 3 * k);
      const QPoint column = dump_->viewport()->mapTo(window(), dump_->cursorRect(at).topLeft());
      const int x = column.x() - mapTo(window(), QPoint()).x();
      painter.drawText(x, metrics.ascent() + 1, columns[k]);
    }
  }

private:
  CHexEntryEdit* dump_;
};

}  // namespace

CHexEntryEdit::CHexEntryEdit(QWidget* parent) : QPlainTextEdit(parent) {
  MessageBeep();
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // Eight lines of 55 characters always fit: no scroll bars.
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const QFontMetrics metrics(font());
  const int margins = 2 * (frameWidth() + static_cast<int>(document()->documentMargin())) + 4;
  setMinimumSize(metrics.horizontalAdvance(QString(kWidgetLineLength, QLatin1Char('0'))) + margins,
                 metrics.lineSpacing() * kDumpLines + margins);
}

int CHexEntryEdit::DumpCaret() const {
  const QTextCursor cursor = textCursor();
  return cursor.blockNumber() * kDumpLineLength + cursor.positionInBlock();
}

void CHexEntryEdit::SetDumpCaret(int caret) {
  const int row = caret / kDumpLineLength;
  const int column = std::min(caret % kDumpLineLength, kWidgetLineLength - 1);
  QTextCursor cursor = textCursor();
  cursor.setPosition(std::min(row * kWidgetLineLength + column, document()->characterCount() - 1));
  setTextCursor(cursor);
  ensureCursorVisible();
}

void CHexEntryEdit::SetDumpText(const std::string& text) {
  QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  shown.remove(QLatin1Char('\r'));
  if (shown.endsWith(QLatin1Char('\n'))) shown.chop(1);
  setPlainText(shown);
}

void CHexEntryEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool printable = typed.size() == 1 && typed[0].isPrint() &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (printable) {
    emit HexKeyTyped(typed[0].toLatin1());
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

CRomEditDlg::CRomEditDlg(CMainDlg& main) : QDialog(&main), m_main(main) {
  setWindowTitle(QStringLiteral("RB036 ROM EDIT"));
  auto* layout = new QVBoxLayout(this);

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("Block No."), this));
  m_blockEdit = new QLineEdit(this);
  m_blockEdit->setReadOnly(true);
  m_blockEdit->setMaximumWidth(60);
  SetControlId(m_blockEdit, kRomEditBlockId);
  top->addWidget(m_blockEdit);
  top->addStretch();
  layout->addLayout(top);

  m_dump = new CHexEntryEdit(this);
  SetControlId(m_dump, kRomEditDumpId);
  layout->addWidget(new CDumpHeading(m_dump, this));
  layout->addWidget(m_dump);

  auto* steps = new QHBoxLayout;
  m_up = new CRepeatButton(this);
  m_down = new CRepeatButton(this);
  AddButton(steps, m_up, kRomEditUpId, "UP");
  AddButton(steps, m_down, kRomEditDownId, "DOWN");
  auto* topButton = AddButton(steps, new QPushButton(this), kRomEditTopId, "TOP");
  auto* bottomButton = AddButton(steps, new QPushButton(this), kRomEditBottomId, "BOTTOM");
  layout->addLayout(steps);
  auto* actions = new QHBoxLayout;
  auto* read = AddButton(actions, new QPushButton(this), kRomEditReadId, "Read from Radio");
  auto* send = AddButton(actions, new QPushButton(this), kRomEditSendId, "Send to Radio");
  auto* load = AddButton(actions, new QPushButton(this), kRomEditLoadId, "FILE LOAD");
  auto* save = AddButton(actions, new QPushButton(this), kRomEditSaveId, "FILE SAVE");
  layout->addLayout(actions);
  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch();
  auto* close = AddButton(closeRow, new QPushButton(this), kRomEditCloseId, "CLOSE");
  layout->addLayout(closeRow);

  connect(m_up, &QPushButton::clicked, this, &CRomEditDlg::OnUp);
  connect(m_down, &QPushButton::clicked, this, &CRomEditDlg::OnDown);
  connect(topButton, &QPushButton::clicked, this, &CRomEditDlg::OnTop);
  connect(bottomButton, &QPushButton::clicked, this, &CRomEditDlg::OnBottom);
  connect(read, &QPushButton::clicked, this, &CRomEditDlg::OnReadFromRadio);
  connect(send, &QPushButton::clicked, this, &CRomEditDlg::OnSendToRadio);
  connect(load, &QPushButton::clicked, this, &CRomEditDlg::OnFileLoad);
  connect(save, &QPushButton::clicked, this, &CRomEditDlg::OnFileSave);
  connect(close, &QPushButton::clicked, this, &CRomEditDlg::reject);
  connect(m_dump, &CHexEntryEdit::HexKeyTyped, this, &CRomEditDlg::OnHexKey);

  // OnInitDialog: block 0, the repeat buttons stepping it inside the layout.
  g_romEditBlock = 0;
  m_up->SetupRepeat(this, &g_romEditBlock, 0, true, 1, 0, LastBlock());
  m_down->SetupRepeat(this, &g_romEditBlock, 0, false, 1, 0, LastBlock());
  ShowBlock();
}

DumpLayout CRomEditDlg::Layout() const { return DumpLayoutOf(g_config, !g_isPortable); }

int CRomEditDlg::LastBlock() const { return std::max(0, static_cast<int>(g_config.GetBlockCount()) - 1); }

QString CRomEditDlg::BlockText() const { return m_blockEdit->text(); }

void CRomEditDlg::ShowBlock() {
  g_romEditBlock = std::clamp(g_romEditBlock, 0, LastBlock());
  if (g_pRadioImage == nullptr) return;
  m_text = DumpText(Layout(), g_romEditBlock, g_pRadioImage, g_adjustCopy.data());
  const int caret = m_dump->DumpCaret();
  m_dump->SetDumpText(m_text);
  m_dump->SetDumpCaret(caret);
  m_blockEdit->setText(QString::fromStdString(BlockNumberText(g_romEditBlock)));
}

void CRomEditDlg::OnUp() {
  MessageBeep();
  if (g_romEditBlock > 0) --g_romEditBlock;
  ShowBlock();
}

void CRomEditDlg::OnDown() {
  MessageBeep();
  if (g_romEditBlock < LastBlock()) ++g_romEditBlock;
  ShowBlock();
}

void CRomEditDlg::OnTop() {
  MessageBeep();
  g_romEditBlock = 0;
  ShowBlock();
}

void CRomEditDlg::OnBottom() {
  MessageBeep();
  g_romEditBlock = LastBlock();
  ShowBlock();
}

void CRomEditDlg::OnHexKey(char key) {
  if (g_pRadioImage == nullptr) return;
  const int caret = m_dump->DumpCaret();
  const HexKeyResult r = HexKeyToSave(Layout(), g_romEditBlock, caret, key, g_pRadioImage, g_adjustCopy.data());
  if (r.beep) MessageBeep();
  if (r.applied) {
    ApplyHexKey(r, caret, m_text, g_pRadioImage, g_adjustCopy.data());
    g_config.SetRawImageEdited(true);
    g_dataModified = true;
    // The records take the edited image and adjustment copy, as a load gives
    // them, so a packed save or send keeps the edit, and the page shows it.
    UnpackImageToScreens(g_pRadioImage);
    UnpackAdjustmentData(g_pRadioImage, g_adjustCopy.data(), 1);
    m_main.RefreshPage();
    m_dump->SetDumpText(m_text);
  }
  m_dump->SetDumpCaret(r.caret);
}

void CRomEditDlg::OnReadFromRadio() {
  MessageBeep();
  if (m_main.ReadFromRadio(true)) g_romEditBlock = 0;
  ShowBlock();
}

void CRomEditDlg::OnSendToRadio() {
  MessageBeep();
  m_main.SendToRadio(true);
  ShowBlock();
}

void CRomEditDlg::OnFileLoad() {
  MessageBeep();
  if (m_main.ConfirmSaveChanges(AfterNo::kReplace) == 0) return;
  const std::optional<std::string> name = AskOpenDataFile({kMobileDataFilter});
  if (!name) return;
  m_main.LoadFile(*name);
  g_romEditBlock = 0;
  ShowBlock();
}

void CRomEditDlg::OnFileSave() {
  // The main window's save: the loaded family's extension, and a name of the
  // other family refused, since the file would be read as that family.
  m_main.OnSaveFile();
  // The save packs the records into the image: show what the file holds.
  ShowBlock();
}

bool CRomEditDlg::PreviewKey(QKeyEvent* event) {
  const int key = event->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Delete;
}

LParam CRomEditDlg::OnUserMessage(unsigned msg, WParam, LParam lParam) {
  if (msg == UM_REPEAT_STEP) {
    // While held only the number moves; the click that ends the hold shows the block.
    g_romEditBlock = static_cast<int>(lParam);
    m_blockEdit->setText(QString::fromStdString(BlockNumberText(g_romEditBlock)));
    repaint();
  }
  return 0;
}

void CRomEditDlg::customEvent(QEvent* e) {
  if (!DeliverUserMessage(e)) QDialog::customEvent(e);
}

void CRomEditDlg::reject() {
  // "CLOSE" or the window's close box: the window goes and takes the object with it.
  QDialog::reject();
  deleteLater();
}
