#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "framework/Meters.h"

TEST(Meters, ShadesLeaveAComponentAloneRatherThanClip) {
  EXPECT_EQ(LightenColor(QColor(250, 100, 0), 51), QColor(250, 151, 51));
  EXPECT_EQ(DarkenColor(QColor(40, 100, 255), 51), QColor(40, 49, 204));
  EXPECT_EQ(LightenColor(QColor(204, 205, 0), 51), QColor(255, 205, 51));
  EXPECT_EQ(DarkenColor(QColor(51, 50, 0), 51), QColor(0, 50, 0));
}

TEST(Meters, BarHeightIsThePositionsShareOfTheRange) {
  const QRect client(0, 0, 20, 100);
  struct Case {
    int lower, upper, pos, height;
  } cases[] = {
      {0, 200, 0, 0},    {0, 200, 200, 100}, {0, 200, 100, 50}, {0, 3, 1, 33},  // truncated
      {10, 20, 15, 50},  {0, 200, -5, 0},    {0, 0, 0, 0},      {50, 50, 50, 0},  // equal ends: no bar
  };
  for (const auto& c : cases) {
    const QRect bar = MeterBarRect(client, c.lower, c.upper, c.pos);
    EXPECT_EQ(bar.height(), c.height) << c.lower << ".." << c.upper << " at " << c.pos;
    if (c.height > 0) {
      EXPECT_EQ(bar.bottom(), client.bottom());
    }
  }
}

TEST(Meters, ProgressDrawsNothingForAnEmptyBarAndAPlainBoxForAThinOne) {
  CMeterProgress meter;
  meter.resize(20, 100);
  const QColor face = QApplication::palette().color(QPalette::Button);

  meter.setRange(0, 200);
  meter.setValue(0);
  QImage img = meter.grab().toImage();
  EXPECT_EQ(img.pixelColor(10, 99), face);

  meter.setRange(0, 0);  // equal ends: no division, no bar
  img = meter.grab().toImage();
  EXPECT_EQ(img.pixelColor(10, 99), face);

  meter.setRange(0, 100);
  meter.setValue(2);  // a 2-pixel bar: outlined box in the base colour
  img = meter.grab().toImage();
  EXPECT_EQ(img.pixelColor(10, 97), face);
  EXPECT_EQ(img.pixelColor(0, 98), meter.m_dark1);
  EXPECT_EQ(img.pixelColor(19, 99), meter.m_dark1);

  meter.setValue(100);  // full height with the bevel: the middle is the lightest shade
  img = meter.grab().toImage();
  EXPECT_EQ(img.pixelColor(10, 50), meter.m_light3);
  EXPECT_EQ(img.pixelColor(10, 99), meter.m_dark2);  // bottom edge, darkest shade
  EXPECT_EQ(img.pixelColor(10, 98), meter.m_dark1);
  EXPECT_EQ(img.pixelColor(5, 0), meter.m_barColor);  // top edge
}

TEST(Meters, PressedThumbIsDrawnOneShadeDarkerAndComesBack) {
  CMeterSlider slider;
  slider.resize(40, 160);
  slider.setRange(0, 100);
  slider.setValue(50);
  const QColor face = slider.m_thumbColor;
  EXPECT_EQ(slider.DrawnThumbColor(), face);
  slider.setSliderDown(true);
  EXPECT_EQ(slider.DrawnThumbColor(), DarkenColor(face, 51));
  EXPECT_EQ(slider.m_thumbColor, face);  // its own colour is kept
  slider.setSliderDown(false);
  EXPECT_EQ(slider.DrawnThumbColor(), face);

  slider.SetThumbColor(QColor(100, 200, 60));
  EXPECT_EQ(slider.m_light1, QColor(151, 251, 111));
  EXPECT_EQ(slider.m_dark2, QColor(49, 98, 9));  // 49 is below 51 and stays
  slider.SetSelection(20, 60);
  EXPECT_FALSE(slider.grab().isNull());  // draws with a selection without trouble
}
