#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QWidget>

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
