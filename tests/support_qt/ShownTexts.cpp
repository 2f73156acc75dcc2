#include "ShownTexts.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>

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

int CaretX(const QLineEdit* edit) { return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(); }

// Whether the edit shows its whole text unscrolled wherever its caret
// stands: it scrolls (as it paints) only a text it cannot show whole.
bool ShowsWhole(QLineEdit* edit) {
  const int caret = edit->cursorPosition();
  const int selStart = edit->selectionStart();
  const int selLength = static_cast<int>(edit->selectedText().size());
  edit->setCursorPosition(0);
  edit->grab();
  const int start = CaretX(edit);
  edit->setCursorPosition(static_cast<int>(edit->text().size()));
  edit->grab();
  edit->setCursorPosition(0);
  const bool whole = CaretX(edit) == start;
  // As it was: the caret at its end of the selection.
  if (selLength == 0)
    edit->setCursorPosition(caret);
  else if (caret == selStart)
    edit->setSelection(selStart + selLength, -selLength);
  else
    edit->setSelection(selStart, selLength);
  edit->grab();
  return whole;
}

// A shown sibling stacked above the edit that covers part of it (one that
// holds it whole, a frame around it, does not; neighbours may share an edge
// pixel).
const QWidget* CoveringSibling(const QLineEdit* edit) {
  const QWidget* parent = edit->parentWidget();
  if (parent == nullptr) return nullptr;
  const QRect mine = edit->geometry().adjusted(1, 1, -1, -1);
  const QObjectList& stack = parent->children();  // bottom to top
  for (qsizetype i = stack.indexOf(const_cast<QLineEdit*>(edit)) + 1; i < stack.size(); ++i) {
    const auto* other = qobject_cast<const QWidget*>(stack[i]);
    if (other == nullptr || !other->isVisible()) continue;
    const QRect g = other->geometry();
    if (g.intersects(mine) && !g.contains(edit->geometry())) return other;
  }
  return nullptr;
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
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
      if (edit->text().isEmpty()) continue;
      const std::string what = edit->objectName().toStdString() + " \"" + edit->text().toStdString() + "\"";
      if (!ShowsWhole(const_cast<QLineEdit*>(edit))) cut.push_back(what + " scrolls");
      if (const QWidget* other = CoveringSibling(edit))
        cut.push_back(what + " is partly under " + other->objectName().toStdString());
      continue;
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

bool RanElsewhereAtDpi(int dpi) {
  const int here = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch());
  constexpr char kChild[] = "RP58_DPI_CHILD";
  if (here == dpi) return false;
  if (qEnvironmentVariableIsSet(kChild)) {
    ADD_FAILURE() << "the screen has " << here << " dpi, not " << dpi;
    return true;
  }
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const QString name = QString::fromLatin1(test->test_suite_name()) + '.' + QString::fromLatin1(test->name());
  QTemporaryDir dir;
  const QString config = dir.filePath(QStringLiteral("screen.json"));
  QFile file(config);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral(R"({"screens": [{"name": "OffscreenScreen", "x": 0, "y": 0, "width": 800, "height": 600,
                "logicalDpi": %1, "logicalBaseDpi": 96, "dpr": 1}]})")
                 .arg(dpi)
                 .toUtf8());
  file.close();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
  // Qt's own scaling off: the fonts grow in pixels, as the page's units do.
  env.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"), QStringLiteral("0"));
  env.insert(QString::fromLatin1(kChild), QStringLiteral("1"));
  QProcess child;
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + name});
  const bool finished = child.waitForFinished(180000);
  if (!finished) child.kill();
  child.waitForFinished();
  const QByteArray output = child.readAll();
  EXPECT_TRUE(finished) << name.toStdString() << " at " << dpi << " dpi did not finish";
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  // A filter that matched nothing would pass without running anything.
  EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
  return true;
}
