#include <gtest/gtest.h>

#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <string>

#include "platform/KeyPreview.h"

namespace {
std::string g_trace;

class PreviewWidget : public QWidget, public KeyPreview {
public:
  PreviewWidget(char name, Qt::Key swallow, QWidget* parent = nullptr) : QWidget(parent), name_(name), swallow_(swallow) {}
  bool PreviewKey(QKeyEvent* e) override {
    g_trace += name_;
    return e->key() == swallow_;
  }

private:
  char name_;
  Qt::Key swallow_;
};

class PreviewEdit : public QLineEdit, public KeyPreview {
public:
  explicit PreviewEdit(QWidget* parent) : QLineEdit(parent) {}
  bool PreviewKey(QKeyEvent* e) override {
    g_trace += 'e';
    return e->key() == Qt::Key_X;
  }
};
}  // namespace

TEST(KeyPreview, KeysGoFromTheControlOutwardsUntilOneSwallowsThem) {
  PreviewWidget outer('o', Qt::Key_F5);
  PreviewWidget inner('i', Qt::Key_Return, &outer);
  auto* plain = new QWidget(&inner);  // windows without a preview are skipped
  auto* edit = new PreviewEdit(plain);

  struct Case {
    Qt::Key key;
    const char* trace;
    const char* text;
  } cases[] = {
      {Qt::Key_X, "e", ""},         // the control swallows it: nobody else sees it
      {Qt::Key_Return, "ei", ""},   // the inner window swallows it
      {Qt::Key_F5, "eio", ""},      // the outer window swallows it
      {Qt::Key_A, "eio", "a"},      // nobody swallows it: the edit gets it
  };
  for (const auto& c : cases) {
    g_trace.clear();
    edit->clear();
    QTest::keyClick(edit, c.key);
    EXPECT_EQ(g_trace, c.trace) << c.key;
    EXPECT_EQ(edit->text().toStdString(), c.text) << c.key;
  }
}

TEST(KeyPreview, TheWalkStopsAtTheControlsWindow) {
  PreviewWidget mainWindow('m', Qt::Key_unknown);
  // A separate top-level window owned by the main window (like a modal dialog).
  auto* dialog = new PreviewWidget('d', Qt::Key_unknown, &mainWindow);
  dialog->setWindowFlags(Qt::Dialog);
  auto* edit = new QLineEdit(dialog);
  g_trace.clear();
  QTest::keyClick(edit, Qt::Key_F2);
  EXPECT_EQ(g_trace, "d");
}

TEST(KeyPreview, AnOpenMenuKeepsItsKeys) {
  // The window swallows Enter and Esc as the main window does; its menus must
  // still take them (choose the item, close the menu).
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    PreviewWidget window('w', key);
    auto* bar = new QMenuBar(&window);
    QMenu* menu = bar->addMenu(QStringLiteral("&Help"));
    QAction* about = menu->addAction(QStringLiteral("&About"));
    int chosen = 0;
    QObject::connect(about, &QAction::triggered, [&chosen] { ++chosen; });
    window.show();
    menu->popup(window.mapToGlobal(QPoint(0, 0)));
    menu->setActiveAction(about);
    g_trace.clear();
    QTest::keyClick(menu, key);
    EXPECT_EQ(g_trace, "") << key;
    EXPECT_EQ(chosen, key == Qt::Key_Return ? 1 : 0) << key;
    EXPECT_FALSE(menu->isVisible()) << key;
  }
}

TEST(Rp58Application, TheWheelDoesNotChangeAComboWithoutTheFocus) {
  QWidget window;
  auto* combo = new QComboBox(&window);
  combo->addItems({"a", "b", "c"});
  combo->setCurrentIndex(1);
  window.show();
  QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(combo, &wheel);
  EXPECT_EQ(combo->currentIndex(), 1);
}

TEST(Rp58Application, TheWheelOverAComboWithoutTheFocusScrollsThePage) {
  QScrollArea page;
  auto* body = new QWidget;
  body->resize(200, 2000);
  auto* combo = new QComboBox(body);
  combo->addItems({"a", "b", "c"});
  combo->setCurrentIndex(1);
  combo->move(10, 10);
  page.setWidget(body);
  page.resize(220, 200);
  page.show();
  QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(combo, &wheel);
  EXPECT_EQ(combo->currentIndex(), 1);
  EXPECT_GT(page.verticalScrollBar()->value(), 0);
}
