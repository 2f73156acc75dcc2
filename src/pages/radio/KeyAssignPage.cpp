#include "pages/radio/KeyAssignPage.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "framework/ChoiceHelpers.h"
#include "model/FamilyModel.h"
#include "platform/Beep.h"

namespace {

// A plain drawing of the radio's front with its programmable keys named as
// the page names them.
class CKeyPanelPicture : public QWidget {
public:
  CKeyPanelPicture(Family family, QWidget* parent) : QWidget(parent), family_(family) {}

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1.5));
    if (family_ == kMobile) {
      DrawMobile(p);
    } else {
      DrawPortable(p);
    }
  }

private:
  // Proportions of the picture: x and y in hundredths of its size.
  QRectF At(double x, double y, double w, double h) const {
    return {width() * x / 100, height() * y / 100, width() * w / 100, height() * h / 100};
  }
  void Key(QPainter& p, const QRectF& r, const QString& name) const {
    p.drawRoundedRect(r, 3, 3);
    p.drawText(r, Qt::AlignCenter, name);
  }
  void DrawMobile(QPainter& p) const {
    p.drawRoundedRect(At(2, 4, 96, 92), 10, 10);
    p.drawEllipse(At(6, 22, 12, 48));  // the knob
    p.drawRect(At(24, 14, 44, 34));    // the display
    Key(p, At(71, 14, 9, 15), QStringLiteral("Up"));
    Key(p, At(71, 33, 9, 15), QStringLiteral("Down"));
    for (int j = 0; j < 4; ++j) Key(p, At(24 + 11.5 * j, 62, 9, 18), QStringLiteral("P%1").arg(j + 1));
    p.drawEllipse(At(86, 58, 7, 24));  // the microphone socket
  }
  void DrawPortable(QPainter& p) const {
    // The 16-key radio on the left, the 4-key radio on the right.
    for (const double x : {6.0, 56.0}) {
      p.drawRoundedRect(At(x, 14, 38, 82), 8, 8);
      p.drawRect(At(x + 2, 0, 6, 14));  // the antenna
      p.drawRect(At(x + 6, 20, 26, 16));  // the display
      Key(p, At(x - 5, 28, 5, 10), QStringLiteral("1"));
      Key(p, At(x - 5, 42, 5, 10), QStringLiteral("2"));
      const char* keys[] = {"A", "B", "C", "D"};
      for (int j = 0; j < 4; ++j) Key(p, At(x + 4 + 7.5 * j, 40, 6, 7), QString::fromLatin1(keys[j]));
    }
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 3; ++col) p.drawRect(At(14 + 8 * col, 52 + 9 * row, 6, 6));
    p.drawText(At(0, 88, 50, 10), Qt::AlignCenter, QStringLiteral("Side switches 1, 2"));
  }

  Family family_;
};

// A key button whose caption wraps onto a second line, as the long function
// names need; its text stays the function's name.
class CKeyButton : public CFlatButton {
public:
  explicit CKeyButton(QWidget* parent) : CFlatButton(parent) {}

protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);
    p.drawItemText(rect().adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                   QPalette::ButtonText);
  }
};

}  // namespace

CKeyAssignPage::CKeyAssignPage(Family family, int templateId)
    : CScrollablePage(templateId, QSize(365, 300), nullptr, KeyPageLayoutOf(family).fontPoints),
      layout_(KeyPageLayoutOf(family)),
      model_(family, ModelOf(family).keys) {
  walk_.setSingleShot(true);
  walk_.setInterval(kKeyFocusWalkMs);
  connect(&walk_, &QTimer::timeout, this, [this] { WalkFocus(); });
}

bool CKeyAssignPage::OnInitDialog() {
  CScrollablePage::OnInitDialog();
  auto* picture = new CKeyPanelPicture(layout_.family, Body());
  SetControlId(picture, kKeyPicture);
  picture->setGeometry(Units().ToPixels(layout_.picture.x(), layout_.picture.y(), layout_.picture.width(),
                                        layout_.picture.height()));
  QFont bold = font();
  bold.setWeight(QFont::Bold);
  for (const KeyPageLayout::Label& l : layout_.labels) {
    auto* label = Place<QLabel>(l.id, l.rect.x(), l.rect.y(), l.rect.width(), l.rect.height());
    if (l.id == 0) label->setObjectName(QString());
    label->setText(QString::fromLatin1(l.text));
    label->setAlignment(l.align);
    label->setWordWrap(true);
    if (layout_.boldLabels) label->setFont(bold);
  }
  for (int k = 0; k < kAssignableKeys; ++k) {
    const QRect& r = layout_.buttons[static_cast<std::size_t>(k)];
    auto* button = Place<CKeyButton>(layout_.buttonIds[static_cast<std::size_t>(k)], r.x(), r.y(), r.width(), r.height());
    connect(button, &QPushButton::clicked, this, [this, k] { OpenList(k); });
    buttons_[static_cast<std::size_t>(k)] = button;
  }
  list_ = Place<CHotListBox>(kKeyPickList, 0, 0, 10, 20);
  list_->hide();
  connect(list_.data(), &QListWidget::itemDoubleClicked, this, [this] { OnKeyFunctionChosen(); });
  connect(list_.data(), &CHotListBox::escaped, this, [this] {
    if (layout_.escapeCloses) CloseList();
  });
  Body()->installEventFilter(this);
  RefreshFromData();
  return true;
}

void CKeyAssignPage::OnDestroyWindow() {
  walk_.stop();
  listCodes_.clear();
}

void CKeyAssignPage::RefreshFromData() {
  for (int k = 0; k < kAssignableKeys; ++k) {
    CFlatButton* button = buttons_[static_cast<std::size_t>(k)];
    if (button == nullptr) continue;
    button->setText(QString::fromStdString(model_.Caption(k)));
    button->setEnabled(model_.IsEnabled(k));
  }
}

int CKeyAssignPage::OpenKey() const { return list_ != nullptr && list_->isVisible() ? currentKey_ : -1; }

void CKeyAssignPage::OpenList(int k) {
  if (list_ == nullptr) return;
  MessageBeep();
  walk_.stop();
  currentKey_ = k;
  listCodes_ = model_.ListFor(k);
  {
    const QSignalBlocker block(list_.data());
    list_->clear();
    for (const std::uint8_t code : listCodes_) list_->addItem(QString::fromStdString(model_.FunctionName(code)));
  }
  const QRect g = buttons_[static_cast<std::size_t>(k)]->geometry();
  ShowPickerList(list_, g.x(), g.y() + g.height(), 2 * g.width(), 3 * g.height(), model_.RowOfCurrent(k, listCodes_),
                 false);
}

void CKeyAssignPage::OnKeyFunctionChosen() {
  if (list_ == nullptr || !list_->isVisible()) return;
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(listCodes_.size())) return;
  MessageBeep();
  model_.Choose(currentKey_, listCodes_[static_cast<std::size_t>(row)]);
  CloseList();
  g_dataModified = true;
}

void CKeyAssignPage::CloseList() {
  if (list_ == nullptr || !list_->isVisible()) return;
  list_->hide();
  RefreshFromData();
  // The keyboard goes back to the first key once the list has gone.
  walk_.start();
}

void CKeyAssignPage::WalkFocus() {
  if (!HasWindow() || (list_ != nullptr && list_->isVisible())) return;
  for (const QPointer<CFlatButton>& button : buttons_)
    if (button != nullptr && button->isEnabled()) button->setFocus(Qt::OtherFocusReason);
  if (buttons_[0] != nullptr) buttons_[0]->setFocus(Qt::OtherFocusReason);
}

int CKeyAssignPage::KeyOfButton(int id) const {
  for (int k = 0; k < kAssignableKeys; ++k)
    if (layout_.buttonIds[static_cast<std::size_t>(k)] == id) return k;
  return -1;
}

LParam CKeyAssignPage::OnUserMessage(unsigned msg, WParam wParam, LParam) {
  const int id = static_cast<int>(wParam);
  if (msg == UM_BUTTON_ENTER) {
    const int k = KeyOfButton(id);
    if (k >= 0) OpenList(k);
  } else if (msg == UM_LIST_CHOSEN && id == kKeyPickList) {
    OnKeyFunctionChosen();
  } else if (msg == UM_LIST_TAB) {
    CloseList();
  }
  return 0;
}

void CKeyAssignPage::showEvent(QShowEvent* event) {
  CScrollablePage::showEvent(event);
  RefreshFromData();
}

void CKeyAssignPage::hideEvent(QHideEvent* event) {
  CScrollablePage::hideEvent(event);
  RefreshFromData();
}

bool CKeyAssignPage::eventFilter(QObject* watched, QEvent* event) {
  // A click beside the list closes it on the mobile page.
  if (watched == Body() && event->type() == QEvent::MouseButtonPress && layout_.escapeCloses) CloseList();
  return CScrollablePage::eventFilter(watched, event);
}
