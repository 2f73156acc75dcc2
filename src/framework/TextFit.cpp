#include "framework/TextFit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "framework/EditControls.h"

void SetFitTexts(QWidget* control, const QStringList& texts) { control->setProperty(kFitTextsProperty, texts); }

namespace {

int WidestText(const QWidget* control, const QString& current) {
  QStringList texts = control->property(kFitTextsProperty).toStringList();
  texts.append(current);
  const QFontMetrics fm = control->fontMetrics();
  int widest = 0;
  for (const QString& text : texts) widest = std::max(widest, fm.horizontalAdvance(text));
  return widest;
}

int LabelMissing(const QLabel* label) {
  if (label->wordWrap() || label->textFormat() == Qt::RichText) return 0;
  const QString text = label->text();
  const int widest = WidestText(label, text);
  if (widest == 0) return 0;
  // What the frame, margins and indent take besides the text itself; a
  // caption without a frame keeps half a character clear of what follows.
  int chrome = std::max(0, label->sizeHint().width() - label->fontMetrics().horizontalAdvance(text));
  if (label->frameWidth() == 0) chrome += label->fontMetrics().averageCharWidth() / 2;
  return std::max(0, widest + chrome - label->width());
}

int ButtonMissing(const QAbstractButton* button) {
  const QString text = button->text();
  if (text.isEmpty() || text.contains(QLatin1Char('\n'))) return 0;
  // The style's frame and margins around the text, without the least width
  // some styles give every button with a text.
  QStyleOptionButton option;
  option.initFrom(button);
  const QFontMetrics fm = button->fontMetrics();
  const int chrome =
      button->style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(0, fm.height()), button).width();
  return std::max(0, fm.horizontalAdvance(text) + chrome - button->width());
}

int ComboMissing(const QComboBox* combo) {
  if (combo->count() == 0) return 0;
  // Measured from the items, not the combo's own size hint, which would
  // build the drop-down list the program makes only when it is opened.
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items.append(combo->itemText(i));
  const QFontMetrics fm = combo->fontMetrics();
  int widest = 0;
  for (const QString& item : items) widest = std::max(widest, fm.horizontalAdvance(item));
  QStyleOptionComboBox option;
  option.initFrom(combo);
  option.editable = combo->isEditable();
  const int chrome =
      combo->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(0, fm.height()), combo).width();
  return std::max(0, widest + chrome - combo->width());
}

// How wide a text the edit shows whole, unscrolled.
int LineEditTextRoom(const QLineEdit* edit) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->rect();
  option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  if (edit->isReadOnly()) option.state |= QStyle::State_ReadOnly;
  const QMargins margins = edit->textMargins();
  const int contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() -
                       margins.left() - margins.right();
  // The edit keeps 2 pixels clear on each side and scrolls a text that
  // leaves no pixel for the caret or the font's overhang.
  const QFontMetrics fm = edit->fontMetrics();
  const int overhang = 2 * std::max(0, -fm.minLeftBearing()) + std::max(0, -fm.minRightBearing());
  return contents - 2 * 2 - 1 - overhang;
}

int EditMissing(const QLineEdit* edit) {
  // Only an edit that knows the longest text it takes: any other one's text
  // at this time says nothing of what it will show.
  const auto* limited = dynamic_cast<const CTextLimitEdit*>(edit);
  if (limited == nullptr) return 0;
  const QString longest = limited->LongestText();
  if (longest.isEmpty()) return 0;
  return std::max(0, edit->fontMetrics().horizontalAdvance(longest) - LineEditTextRoom(edit));
}

}  // namespace

int MissingWidth(const QWidget* control) {
  if (const auto* label = qobject_cast<const QLabel*>(control)) return LabelMissing(label);
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return ButtonMissing(button);
  if (const auto* combo = qobject_cast<const QComboBox*>(control)) return ComboMissing(combo);
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return EditMissing(edit);
  return 0;
}

void FitTextsToContent(QWidget* body) {
  if (body == nullptr) return;
  QList<QWidget*> children = body->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  // Each column (left and right edge) and how much it must grow.
  std::map<std::pair<int, int>, int, std::greater<>> grow;
  const auto edgesOf = [](const QWidget* w) { return std::pair{w->geometry().right() + 1, w->geometry().left()}; };
  std::set<std::pair<int, int>> shown;
  for (const QWidget* child : children)
    if (!child->isHidden()) shown.insert(edgesOf(child));
  for (const QWidget* child : children) {
    // A hidden edit in a column of shown controls is a cell the page shows
    // by state (a zone's ID or its Connect Dial): it is measured too.
    if (child->isHidden() && (qobject_cast<const QLineEdit*>(child) == nullptr || !shown.contains(edgesOf(child))))
      continue;
    const int missing = MissingWidth(child);
    if (missing <= 0) continue;
    int& d = grow[edgesOf(child)];
    d = std::max(d, missing);
  }
  // From the rightmost column leftwards, so each column's edges are still
  // where they were measured when it grows.
  for (const auto& [edges, d] : grow) {
    const int right = edges.first;
    const int left = edges.second;
    for (QWidget* child : children) {
      QRect g = child->geometry();
      // Columns placed in dialog units and rounded to pixels may share an
      // edge pixel: a control that starts on the column's last one stands
      // right of it.
      if (g.left() >= right - 1 && g.left() > left)
        g.translate(d, 0);
      else if (g.left() <= left && g.right() + 1 >= right)
        g.setRight(g.right() + d);  // in the column, or spanning it
      else
        continue;
      child->setGeometry(g);
    }
  }
}

int PickListWidth(const QListWidget* list, int height) {
  const int frame = 2 * list->frameWidth();
  int rows = 0;
  for (int r = 0; r < list->count(); ++r) rows += list->sizeHintForRow(r);
  const bool scrolls = rows > height - frame;
  const int bar = scrolls ? list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list) : 0;
  return list->sizeHintForColumn(0) + frame + bar;
}
