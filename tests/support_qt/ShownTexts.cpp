#include "ShownTexts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include "framework/TextFit.h"

namespace {

std::string Cut(const QWidget* control, const QString& text, int needs, int room) {
  return control->objectName().toStdString() + " \"" + text.toStdString() + "\" needs " + std::to_string(needs) +
         " px, has " + std::to_string(room);
}

void CheckTexts(const QWidget* control, QStringList texts, int room, std::vector<std::string>& cut) {
  const QFontMetrics fm = control->fontMetrics();
  for (const QString& text : texts)
    if (fm.horizontalAdvance(text) > room) cut.push_back(Cut(control, text, fm.horizontalAdvance(text), room));
}

}  // namespace

std::vector<std::string> CutTexts(const QWidget* window) {
  std::vector<std::string> cut;
  for (const QWidget* control : window->findChildren<QWidget*>()) {
    if (!control->isVisible()) continue;
    QStringList texts = control->property(kFitTextsProperty).toStringList();
    int room = -1;
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
      if (label->wordWrap() || label->text().isEmpty()) continue;
      texts.append(label->text());
      room = label->contentsRect().width();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
      if (button->text().isEmpty() || button->text().contains(QLatin1Char('\n'))) continue;
      texts.append(button->text());
      QStyleOptionButton option;
      option.initFrom(button);
      room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    } else if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
      for (int i = 0; i < combo->count(); ++i) texts.append(combo->itemText(i));
      QStyleOptionComboBox option;
      option.initFrom(combo);
      room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).width();
    } else {
      continue;
    }
    if (control->font().pointSizeF() < 7)
      cut.push_back(control->objectName().toStdString() + " at " + std::to_string(control->font().pointSizeF()) + " pt");
    CheckTexts(control, texts, room, cut);
  }
  return cut;
}

std::vector<std::string> CutListRows(const QListWidget* list) {
  std::vector<std::string> cut;
  if (list->horizontalScrollBar()->isVisible()) cut.emplace_back("a horizontal scroll bar");
  QStringList rows;
  for (int r = 0; r < list->count(); ++r) rows.append(list->item(r)->text());
  // The item view's own text margin on each side.
  const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
  CheckTexts(list, rows, list->viewport()->width() - 2 * margin, cut);
  return cut;
}
