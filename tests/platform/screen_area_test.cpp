// Dialogs shown on a screen of a given size: on the screen where they fit,
// and with their buttons on it where they are larger than the screen.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "platform/ScreenArea.h"

namespace {

class ScreenAreaTest : public ::testing::Test {
protected:
  void TearDown() override { SetAvailableScreenArea(QRect()); }
};

// A dialog of a fixed body with OK and Cancel below it on the right, or
// beside it at the top, as the dialog templates lay them out.
std::unique_ptr<QDialog> MakeDialog(QSize body, bool buttonsBeside) {
  auto dialog = std::make_unique<QDialog>();
  QBoxLayout* layout = buttonsBeside ? static_cast<QBoxLayout*>(new QHBoxLayout(dialog.get()))
                                     : static_cast<QBoxLayout*>(new QVBoxLayout(dialog.get()));
  auto* content = new QWidget(dialog.get());
  content->setFixedSize(body);
  layout->addWidget(content);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                   buttonsBeside ? Qt::Vertical : Qt::Horizontal, dialog.get());
  layout->addWidget(box, 0, buttonsBeside ? Qt::AlignTop : Qt::Alignment());
  return dialog;
}

QRect GlobalRect(const QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

}  // namespace

TEST_F(ScreenAreaTest, AShownDialogKeepsItsButtonsOnTheScreen) {
  struct Case {
    QRect screen;
    QSize body;
    bool buttonsBeside;
    bool whole;  // the dialog fits the screen
  };
  const Case cases[] = {
      {QRect(0, 0, 640, 480), QSize(700, 300), false, false},       // wider than the screen
      {QRect(0, 0, 640, 480), QSize(300, 520), false, false},       // taller, buttons below
      {QRect(0, 0, 640, 480), QSize(700, 520), true, false},        // both, buttons beside
      {QRect(1000, 200, 640, 480), QSize(700, 520), false, false},  // a screen away from the origin
      {QRect(1000, 200, 640, 480), QSize(300, 200), false, true},   // fits: shown whole
      {QRect(0, 0, 1600, 1200), QSize(300, 200), true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.body.width() << "x" << c.body.height() << " on " << c.screen.x() << ","
                                    << c.screen.y() << " " << c.screen.width() << "x" << c.screen.height());
    SetAvailableScreenArea(c.screen);
    for (int shown = 0; shown < 2; ++shown) {  // and again after a hide
      auto dialog = MakeDialog(c.body, c.buttonsBeside);
      dialog->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
      if (shown == 1) {
        dialog->hide();
        dialog->show();
      }
      for (QPushButton* button : dialog->findChildren<QPushButton*>())
        EXPECT_TRUE(c.screen.contains(GlobalRect(button))) << button->text().toStdString();
      // As much of it on the screen as the screen holds.
      const QRect frame = dialog->frameGeometry();
      const QRect seen = frame & c.screen;
      EXPECT_EQ(seen.width(), std::min(frame.width(), c.screen.width()));
      EXPECT_EQ(seen.height(), std::min(frame.height(), c.screen.height()));
      EXPECT_EQ(seen == frame, c.whole);
    }
  }
}
