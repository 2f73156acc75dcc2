#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>

#include "framework/QtPrintCanvas.h"
#include "model/Digits.h"

namespace {

constexpr QRgb kGrey = 0xFF808080;

QImage Sheet(int w = 120, int h = 120) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(kGrey);
  return image;
}

// The box around every pixel darker than mid grey; empty when there is none.
QRect Ink(const QImage& image) {
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 100) ink |= QRect(x, y, 1, 1);
  return ink;
}

}  // namespace

TEST(QtPrintCanvas, ABoxIsOutlinedWithThePenAndFilledWhiteWithinItsCorners) {
  QImage image = Sheet();
  {
    QtPrintCanvas canvas(&image);
    canvas.Rectangle({10, 10, 30, 20});
    EXPECT_EQ(canvas.SelectPen({4, PenStyle::kSolid, 0x0000FF}), PrintPen{});
    canvas.Rectangle({50, 50, 90, 80});
  }
  // The thin box: right and bottom are outside it, as the corners say.
  for (const QPoint p : {QPoint(10, 10), QPoint(29, 10), QPoint(10, 19), QPoint(29, 19)})
    EXPECT_EQ(image.pixel(p), 0xFF000000) << p.x() << "," << p.y();
  EXPECT_EQ(image.pixel(20, 15), 0xFFFFFFFF);
  EXPECT_EQ(image.pixel(30, 15), kGrey);
  EXPECT_EQ(image.pixel(20, 20), kGrey);
  // The wide blue pen straddles the edge.
  for (int x = 49; x <= 51; ++x) EXPECT_EQ(image.pixel(x, 65), 0xFF0000FF) << x;
  EXPECT_EQ(image.pixel(70, 65), 0xFFFFFFFF);
  EXPECT_EQ(image.pixel(45, 65), kGrey);
}

TEST(QtPrintCanvas, TextHangsFromItsPointAndTurnsDownThePage) {
  QImage across = Sheet(300, 300);
  QImage down = Sheet(300, 300);
  const PrintFont font{"MS Sans Serif", 200, 0};
  const PrintFont turned{"MS Sans Serif", 200, -900};
  PrintTextMetrics m;
  {
    QtPrintCanvas canvas(&across);
    canvas.SelectFont(font);
    m = canvas.TextMetrics();
    int y = 100;
    PrintTextLine(canvas, 100, y, m.height, "Zone No. 001", 1);
  }
  {
    QtPrintCanvas canvas(&down);
    EXPECT_EQ(canvas.SelectFont(turned), PrintFont{});
    EXPECT_EQ(canvas.SelectFont(turned), turned);
    canvas.TextOut(100, 100, "Zone No. 001");
  }
  const QRect a = Ink(across);
  ASSERT_FALSE(a.isEmpty());
  EXPECT_GE(a.left(), 100);
  EXPECT_GE(a.top(), 100);
  EXPECT_LT(a.bottom(), 100 + m.height);
  EXPECT_GT(a.width(), 4 * a.height());
  // Turned clockwise about the point: the line runs down, its lower side faces left.
  const QRect d = Ink(down);
  ASSERT_FALSE(d.isEmpty());
  EXPECT_LE(d.right(), 100);
  EXPECT_GE(d.left(), 100 - m.height);
  EXPECT_GE(d.top(), 100);
  EXPECT_NEAR(d.height(), a.width(), 3);
  EXPECT_NEAR(d.width(), a.height(), 3);
}

TEST(QtPrintCanvas, FontsArePointSizesOnTheDevicesResolution) {
  QImage image = Sheet(800, 1000);
  image.setDotsPerMeterX(23622);  // 600 dpi
  image.setDotsPerMeterY(23622);
  QtPrintCanvas canvas(&image);
  const PrintPageMetrics page = canvas.PageMetrics();
  EXPECT_EQ(page.width, 800);
  EXPECT_EQ(page.height, 1000);
  EXPECT_EQ(page.dotsPerInchX, 600);
  EXPECT_EQ(page.dotsPerInchY, 600);
  canvas.SelectFont({"MS Sans Serif", 90, 0});
  const PrintTextMetrics nine = canvas.TextMetrics();
  // 9 points are 75 dots at 600 dpi; the font's own ascent and descent add a little.
  EXPECT_GE(nine.height, 70);
  EXPECT_LE(nine.height, 110);
  EXPECT_GT(nine.averageCharWidth, 15);
  canvas.SelectFont({"MS Sans Serif", 180, 0});
  EXPECT_NEAR(canvas.TextMetrics().height, 2 * nine.height, 6);
}

TEST(QtPrintCanvas, AnImageIsStretchedOverItsTargetPixelForPixel) {
  QImage source(2, 2, QImage::Format_RGB32);
  source.setPixel(0, 0, 0xFFFF0000);
  source.setPixel(1, 0, 0xFF00FF00);
  source.setPixel(0, 1, 0xFF0000FF);
  source.setPixel(1, 1, 0xFFFFFFFF);
  const PrintImage picture = ToPrintImage(source);
  EXPECT_EQ(picture.width, 2);
  EXPECT_EQ(picture.height, 2);
  EXPECT_EQ(picture.pixels, (std::vector<std::uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));

  QImage image = Sheet(40, 40);
  {
    QtPrintCanvas canvas(&image);
    canvas.DrawImage({10, 10, 30, 30}, picture);
    canvas.DrawImage({0, 0, 5, 5}, PrintImage{4, 4, {0x000000}});  // too few pixels: nothing
  }
  EXPECT_EQ(image.pixel(10, 10), 0xFFFF0000);
  EXPECT_EQ(image.pixel(19, 19), 0xFFFF0000);
  EXPECT_EQ(image.pixel(20, 10), 0xFF00FF00);
  EXPECT_EQ(image.pixel(10, 29), 0xFF0000FF);
  EXPECT_EQ(image.pixel(29, 29), 0xFFFFFFFF);
  EXPECT_EQ(image.pixel(9, 9), kGrey);
  EXPECT_EQ(image.pixel(30, 30), kGrey);
  EXPECT_EQ(image.pixel(2, 2), kGrey);
}

TEST(QtPrintCanvas, EachStartedPageAfterTheFirstIsANewSheet) {
  const auto pagesPrinted = [](int pages) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
      QPdfWriter writer(&pdf);
      QtPrintCanvas canvas(&writer);
      EXPECT_TRUE(canvas.IsActive());
      canvas.EndPage();  // none open: harmless
      for (int i = 0; i < pages; ++i) {
        canvas.StartPage();
        canvas.TextOut(100, 100, "Zone No. 00" + std::to_string(i + 1));
        canvas.EndPage();
      }
      canvas.EndPage();
    }
    return pdf.data().count("/Type /Page\n") + pdf.data().count("/Type /Page ") + pdf.data().count("/Type /Page/");
  };
  EXPECT_EQ(pagesPrinted(1), 1);
  EXPECT_EQ(pagesPrinted(3), 3);
}
