#include "framework/controls/canvas_helpers.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <gtest/gtest.h>
#include <set>

#include "core/glimra_board.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"

namespace {

QImage Canvas(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::green);
  return image;
}

} // namespace

TEST(CanvasHelpers, RectangleArithmetic) {
  EXPECT_EQ(CellRectFromCorners({5, 2}, {1, 7}), (TRect{1, 2, 6, 8}));
  EXPECT_EQ(CellRectFromCorners({3, 3}, {3, 3}), (TRect{3, 3, 4, 4}));
  EXPECT_EQ(ScaleRect({1, 2, 6, 8}, 16), (TRect{16, 32, 96, 128}));
  EXPECT_EQ(FitRectKeepingAspect(160, 160, 320, 240), Bounds(0, 20, 160, 120));
  EXPECT_EQ(FitRectKeepingAspect(160, 160, 100, 50), Bounds(30, 55, 100, 50));
  EXPECT_EQ(FitRectKeepingAspect(160, 100, 100, 400), Bounds(67, 0, 25, 100));
  EXPECT_EQ(FitRectKeepingAspect(160, 160, 0, 400), Bounds(80, 80, 0, 0));
}

TEST(CanvasHelpers, SelectionFrameIsBlackColourWhiteBlackFromTheEdgeIn) {
  TGlimraBoard board;
  board.SetSize(14, 14);
  DrawSelectionFrame(board, QColor(255, 0, 0), TRect{1, 1, 13, 13});
  const uint16_t* row = board.GetRow(6);
  const uint16_t expected[14] = {0, 0x0000, 0xF800, 0xFFFF, 0x0000, 0,      0,
                                 0, 0,      0x0000, 0xFFFF, 0xF800, 0x0000, 0};
  for (int x = 0; x < 14; ++x)
    EXPECT_EQ(row[x], expected[x]) << "x " << x;
  EXPECT_EQ(board.GetRow(0)[6], 0);
  EXPECT_EQ(board.GetRow(1)[6], 0x0000);
  EXPECT_EQ(board.GetRow(2)[6], 0xF800);
  EXPECT_EQ(board.GetRow(12)[6], 0x0000);
  // A frame running off the board is cut at its edges.
  DrawSelectionFrame(board, Qt::blue, TRect{-2, -2, 30, 30});
  EXPECT_EQ(board.GetRow(0)[6], 0xFFFF);
}

TEST(CanvasHelpers, AutoScrollStepIsHalfTheDistanceUpToTwenty) {
  EXPECT_EQ(AutoScrollStep(50), 20);
  EXPECT_EQ(AutoScrollStep(41), 20);
  EXPECT_EQ(AutoScrollStep(7), 3);
  EXPECT_EQ(AutoScrollStep(0), 0);
  EXPECT_EQ(AutoScrollStep(-9), 0);
}

TEST(CanvasHelpers, FormatIntRange) {
  EXPECT_EQ(FormatIntRange(4, 4), "4");
  EXPECT_EQ(FormatIntRange(3, 7), "3-7");
  EXPECT_EQ(FormatIntRange(-2, 5), "-2-5");
}

TEST(CanvasHelpers, EnableControlsBlanksTheInactiveAlternative) {
  QWidget dialog;
  auto* label = new QLabel("Variable", &dialog);
  auto* dial = new TDialEdit(&dialog);
  auto* over = new TOverEdit(&dialog);
  auto* combo = new QComboBox(&dialog);
  auto* box = new TDashBox(&dialog);
  auto* list = new QListWidget(&dialog);
  combo->addItems({"Set", "Add"});
  combo->setCurrentIndex(1);
  dial->SetValue(17);
  over->setText("name");
  box->SetText("0001:Switch");
  const QColor window = QApplication::palette().color(QPalette::Active, QPalette::Base);
  const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);

  EnableControls({label, dial, over, combo, box, list}, false);
  for (QWidget* w : std::initializer_list<QWidget*>{label, dial, over, combo, box, list})
    EXPECT_FALSE(w->isEnabled());
  EXPECT_EQ(label->text(), "Variable");
  EXPECT_EQ(dial->text(), "");
  EXPECT_EQ(dial->Value(), 17); // the value it held reads back
  EXPECT_EQ(over->text(), "");
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_EQ(box->Text(), "");
  EXPECT_EQ(dial->palette().color(QPalette::Base), face);
  EXPECT_EQ(list->palette().color(QPalette::Base), face);

  EnableControls({label, dial, over, combo, box, list}, true);
  EXPECT_TRUE(dial->isEnabled());
  EXPECT_EQ(dial->text(), ""); // empty until a value is set
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_EQ(dial->palette().color(QPalette::Base), window);
  EXPECT_EQ(box->palette().color(QPalette::Base), window);
  dial->SetValue(17);
  EXPECT_EQ(dial->text(), "17");
}

TEST(CanvasHelpers, HatchedBackgroundIsAnEightPixelCrossPatternThatScrolls) {
  const QColor face = QApplication::palette().color(QPalette::Button);
  const QColor shadow = QApplication::palette().color(QPalette::Dark);
  QImage at00 = Canvas(16, 16);
  QImage at30 = Canvas(16, 16);
  {
    QPainter painter(&at00);
    FillHatchedBackground(painter, 0, 0);
  }
  {
    QPainter painter(&at30);
    FillHatchedBackground(painter, 3, 0);
  }
  for (int y = 0; y < 16; ++y) {
    int lines = 0;
    for (int x = 0; x < 16; ++x) {
      const QRgb pixel = at00.pixel(x, y);
      ASSERT_TRUE(pixel == face.rgb() || pixel == shadow.rgb()) << x << "," << y;
      EXPECT_EQ(pixel, at00.pixel(x % 8, y % 8));
      EXPECT_EQ(at30.pixel(x, y), at00.pixel((x + 3) % 16, y)) << "scrolled by 3 at " << x;
      if (pixel == face.rgb()) ++lines;
    }
    // Two diagonals cross every row of every tile.
    EXPECT_EQ(lines, 4) << "row " << y;
  }
}

TEST(CanvasHelpers, HatchedBackgroundFillsOnlyTheClipBox) {
  QImage image = Canvas(20, 20);
  QPainter painter(&image);
  painter.setClipRect(QRect(5, 5, 8, 8));
  FillHatchedBackground(painter, 0, 0);
  painter.end();
  EXPECT_EQ(image.pixel(4, 4), QColor(Qt::green).rgb());
  EXPECT_EQ(image.pixel(13, 13), QColor(Qt::green).rgb());
  EXPECT_NE(image.pixel(5, 5), QColor(Qt::green).rgb());
}

TEST(CanvasHelpers, MarchingAntsStayOnTheOutlineAndRunWithTime) {
  const QRect rect(4, 4, 40, 20);
  auto draw = [&](int time) {
    QImage image = Canvas(50, 30);
    QPainter painter(&image);
    DrawMarchingAntsRect(painter, time, 1024, Qt::white, Qt::black, Qt::DashLine, rect);
    return image;
  };
  const QImage first = draw(0);
  const QImage next = draw(1);
  std::set<QRgb> outline;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 50; ++x) {
      const bool onOutline = rect.contains(x, y) && (x == rect.left() || x == rect.right() ||
                                                     y == rect.top() || y == rect.bottom());
      if (onOutline)
        outline.insert(first.pixel(x, y));
      else
        EXPECT_EQ(first.pixel(x, y), QColor(Qt::green).rgb()) << x << "," << y;
    }
  EXPECT_EQ(outline, (std::set<QRgb>{QColor(Qt::black).rgb(), QColor(Qt::white).rgb()}));
  // The top edge runs from right to left, starting one pixel further each time step.
  for (int x = rect.left() + 1; x <= rect.right(); ++x)
    EXPECT_EQ(next.pixel(x, rect.top()), first.pixel(x - 1, rect.top())) << x;
  // Any time gives the same picture as that time modulo 96 pixels.
  EXPECT_EQ(draw(96 + 5), draw(5));
}
