#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "ShownTexts.h"
#include "framework/EditControls.h"
#include "framework/TextFit.h"

namespace {

// A label column, a column of two cells, a button spanning the cells'
// column and a control right of everything.
struct Form {
  QWidget body;
  QLabel* label = new QLabel(QStringLiteral("Go"), &body);
  QLabel* cell1 = new QLabel(QStringLiteral("On"), &body);
  QLabel* cell2 = new QLabel(QStringLiteral("Off"), &body);
  QPushButton* span = new QPushButton(&body);
  QLabel* right = new QLabel(&body);
  Form() {
    label->setGeometry(0, 0, 50, 20);
    cell1->setGeometry(60, 0, 40, 20);
    cell2->setGeometry(60, 30, 40, 20);
    span->setGeometry(60, 60, 150, 20);
    right->setGeometry(110, 0, 40, 20);
  }
};

}  // namespace

// A text too wide for its control widens its whole column, a control that
// spans the column widens with it, what stands right of it moves over, and
// nothing else changes.
TEST(TextFit, AColumnGrowsForItsWidestTextAndWhatStandsRightMovesOver) {
  Form f;
  const QString longLabel = QStringLiteral("Sub Audible Signaling (Rx)");
  f.label->setText(longLabel);
  FitTextsToContent(&f.body);
  const int labelGrows = f.label->width() - 50;
  EXPECT_GE(f.label->contentsRect().width(), f.label->fontMetrics().horizontalAdvance(longLabel));
  EXPECT_EQ(f.label->geometry(), QRect(0, 0, 50 + labelGrows, 20));
  EXPECT_EQ(f.cell1->geometry(), QRect(60 + labelGrows, 0, 40, 20));
  EXPECT_EQ(f.span->geometry(), QRect(60 + labelGrows, 60, 150, 20));
  EXPECT_EQ(f.right->x(), 110 + labelGrows);

  // A cell's choice wider than the cell: both cells and the spanning button grow.
  Form g;
  const QString choice = QStringLiteral("Busy Lockout Incorrect");
  SetFitTexts(g.cell2, {QStringLiteral("Disable"), choice});
  FitTextsToContent(&g.body);
  const int cellGrows = g.cell2->width() - 40;
  EXPECT_GE(g.cell2->contentsRect().width(), g.cell2->fontMetrics().horizontalAdvance(choice));
  EXPECT_EQ(g.cell1->geometry(), QRect(60, 0, 40 + cellGrows, 20));
  EXPECT_EQ(g.span->geometry(), QRect(60, 60, 150 + cellGrows, 20));
  EXPECT_EQ(g.right->x(), 110 + cellGrows);
  EXPECT_EQ(g.label->geometry(), QRect(0, 0, 50, 20));
}

// Cells placed in dialog units, rounded to pixels, may share an edge pixel
// with the next column: the next column still moves over by the whole growth.
TEST(TextFit, AColumnMovesTheNextOverThoughTheyShareAnEdgePixel) {
  QWidget body;
  auto* wide = new QLabel(QStringLiteral("Busy Lockout Incorrect"), &body);
  auto* below = new QLabel(QStringLiteral("On"), &body);
  auto* next = new QLabel(QStringLiteral("Off"), &body);
  wide->setGeometry(60, 0, 41, 20);  // pixels 60-100
  below->setGeometry(60, 30, 41, 20);
  next->setGeometry(100, 0, 41, 20);  // from pixel 100 on
  FitTextsToContent(&body);
  const int grows = wide->width() - 41;
  EXPECT_GT(grows, 0);
  EXPECT_EQ(below->geometry(), QRect(60, 30, 41 + grows, 20));
  EXPECT_EQ(next->geometry(), QRect(100 + grows, 0, 41, 20));
}

// An edit narrower than the longest text it takes grows to show it whole,
// and what stands right of it moves over: a tag typed full of any letter or
// digit, a dial typed full of any dial digit, whatever the font makes widest.
TEST(TextFit, AnEditGrowsForTheLongestTextItTakes) {
  QWidget body;
  auto* tag = new CUpperEdit(&body);
  tag->SetEditLimits(nullptr, 8);
  tag->AddAllowedChar(' ');
  auto* dial = new CNameEdit(&body);
  dial->SetEditLimits(nullptr, 15);
  for (const char c : {'*', '#'}) dial->AddAllowedChar(c);
  for (const char c : {'e', 'f', 'E', 'F'}) dial->AddRejectedChar(c);
  auto* right = new QLabel(QStringLiteral("x"), &body);
  tag->setGeometry(0, 0, 30, 20);
  dial->setGeometry(40, 30, 30, 20);
  right->setGeometry(80, 0, 20, 20);
  FitTextsToContent(&body);
  body.resize(1000, 100);
  body.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&body));
  const int tagGrows = tag->width() - 30;
  const int dialGrows = dial->width() - 30;
  EXPECT_GT(tagGrows, 0);
  EXPECT_GT(dialGrows, 0);
  EXPECT_EQ(dial->x(), 40 + tagGrows);
  EXPECT_EQ(right->x(), 80 + tagGrows + dialGrows);

  const auto typeFull = [](QLineEdit* edit, const QString& chars, int length) {
    for (const QChar c : chars) {
      edit->clear();
      QTest::keyClicks(edit, QString(length, c));
      EXPECT_EQ(edit->text(), QString(length, c.toUpper()));
      EXPECT_EQ(CutTexts(edit->parentWidget()), std::vector<std::string>{}) << c.toLatin1();
    }
  };
  typeFull(tag, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZmw0123456789"), 8);
  typeFull(dial, QStringLiteral("0123456789ABCDabcd*#"), 15);
}
