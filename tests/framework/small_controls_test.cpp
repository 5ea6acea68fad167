#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "framework/controls/color_bar.h"
#include "framework/controls/fixed_memo.h"
#include "framework/controls/group_frames.h"
#include "framework/controls/image_buttons.h"
#include "framework/controls/list_boxes.h"
#include "framework/controls/resource_pictures.h"
#include "framework/harness/widget_harness.h"

namespace {

// A memo with room for exactly four lines of its font.
class FixedMemo : public ::testing::Test {
protected:
  void SetUp() override {
    const int line = QFontMetrics(memo.font()).height();
    memo.resize(240, 6 + 4 * line + line / 2);
    ShowAndActivate(&memo);
    memo.setFocus();
    ASSERT_EQ(memo.MaxLines(), 4);
  }
  TFixedMemo memo;
};

QImage Solid(int width, int height, QRgb color) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

} // namespace

TEST_F(FixedMemo, TypingThatNeedsAFifthLineIsRefused) {
  QTest::keyClicks(&memo, "one");
  for (const char* word : {"two", "three", "four"}) {
    QTest::keyClick(&memo, Qt::Key_Return);
    QTest::keyClicks(&memo, word);
  }
  EXPECT_EQ(memo.LineCount(), 4);
  QTest::keyClick(&memo, Qt::Key_Return);
  EXPECT_EQ(memo.Text(), "one\ntwo\nthree\nfour");
  EXPECT_EQ(memo.textCursor().position(), memo.Text().size());
  // A long word on the last line wraps into a fifth line: refused from there on.
  for (int i = 0; i < 200; ++i)
    QTest::keyClick(&memo, Qt::Key_W);
  EXPECT_LE(memo.LineCount(), 4);
  EXPECT_TRUE(memo.Text().startsWith("one\ntwo\nthree\nfourw"));
  EXPECT_LT(memo.Text().count(QLatin1Char('w')), 200);
}

TEST_F(FixedMemo, PasteIsTriedFirstAndATrailingBreakMayGo) {
  memo.PasteText("1\n2\n3\n4\n5");
  EXPECT_EQ(memo.Text(), "");
  // Three lines and a break make four lines; the break that takes the last line goes.
  memo.PasteText("1\r\n2\r\n3\r\n");
  EXPECT_EQ(memo.Text(), "1\n2\n3");
  EXPECT_EQ(memo.textCursor().position(), 5);
  // Pasted over the selection.
  QTextCursor cursor = memo.textCursor();
  cursor.setPosition(2);
  cursor.setPosition(3, QTextCursor::KeepAnchor);
  memo.setTextCursor(cursor);
  memo.PasteText("x\ny");
  EXPECT_EQ(memo.Text(), "1\nx\ny\n3");
  memo.PasteText("z\n");
  EXPECT_EQ(memo.Text(), "1\nx\ny\n3");
}

TEST_F(FixedMemo, TakesOnlyWhatTheCodePageHolds) {
  for (const QString& typed :
       {QStringLiteral("\u03A9"), QStringLiteral("m"), QStringLiteral("\u00E9")})
    QTest::sendKeyEvent(QTest::Click, &memo, Qt::Key_unknown, typed, Qt::NoModifier);
  memo.PasteText(QStringLiteral("\u03A9x\u2028y\U0001F600"));
  EXPECT_EQ(memo.Text(), QStringLiteral("m\u00E9x\ny"));
}

TEST_F(FixedMemo, CtrlEnterAndEscapeAreTheDialogsAndTypeNothing) {
  QSignalSpy ok(&memo, &TFixedMemo::CtrlReturn);
  QSignalSpy cancel(&memo, &TFixedMemo::Cancel);
  QTest::keyClicks(&memo, "hi");
  QTest::keyClick(&memo, Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClick(&memo, Qt::Key_Escape);
  EXPECT_EQ(ok.count(), 1);
  EXPECT_EQ(cancel.count(), 1);
  EXPECT_EQ(memo.Text(), "hi");
}

TEST(WrappedLines, BreaksAndWrapsCount) {
  QFont font;
  EXPECT_EQ(CountWrappedLines("", font, 100), 1);
  EXPECT_EQ(CountWrappedLines("a\n", font, 100), 2);
  EXPECT_EQ(CountWrappedLines("a\nb\nc", font, 100), 3);
  const int wide = QFontMetrics(font).horizontalAdvance("word ") * 3;
  EXPECT_EQ(CountWrappedLines("word word word word word word", font, wide), 2);
}

TEST(DeluxeLabel, FourPixelsMakeOneOfFiveGreys) {
  // Ten columns of 2 x 2 blocks with 0, 1, 2, 3 and 4 lit pixels.
  QImage large = Solid(10, 2, qRgb(0, 0, 0));
  const QRgb lit = qRgb(255, 255, 255);
  large.setPixel(2, 0, lit);
  large.setPixel(4, 0, lit);
  large.setPixel(5, 1, qRgb(1, 0, 0)); // any colour but black counts
  for (const QPoint p : {QPoint(6, 0), QPoint(7, 0), QPoint(6, 1)})
    large.setPixel(p, lit);
  for (const QPoint p : {QPoint(8, 0), QPoint(9, 0), QPoint(8, 1), QPoint(9, 1)})
    large.setPixel(p, lit);
  const QImage small = ReduceByLitQuarters(large);
  ASSERT_EQ(small.size(), QSize(5, 1));
  EXPECT_EQ(small.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(small.pixel(1, 0), qRgb(128, 128, 128));
  EXPECT_EQ(small.pixel(2, 0), qRgb(160, 160, 164));
  EXPECT_EQ(small.pixel(3, 0), qRgb(192, 192, 192));
  EXPECT_EQ(small.pixel(4, 0), qRgb(255, 255, 255));
}

TEST(DeluxeLabel, AnEmptyCaptionIsBlackAndACaptionShowsCentred) {
  const QImage empty = DeluxeCaptionImage("", 119, 19);
  ASSERT_EQ(empty.size(), QSize(119, 19));
  EXPECT_EQ(empty, Solid(119, 19, qRgb(0, 0, 0)));
  const QImage caption = DeluxeCaptionImage("Hero", 119, 19);
  int left = 119, right = -1;
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 119; ++x)
      if ((caption.pixel(x, y) & 0xFFFFFF) != 0) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  ASSERT_GE(right, left);
  EXPECT_LE(std::abs((left + right) - 118), 4); // centred within a couple of pixels
}

TEST(FakeGroupBox, ADisabledFrameEmbossesItsCaptionAndKeepsItsFrame) {
  QWidget window;
  auto* group = new TFakeGroupBox("Options", &window);
  group->setGeometry(0, 0, 150, 80);
  ShowAndActivate(&window);
  const QImage enabled = group->grab().toImage();
  group->setEnabled(false);
  const QImage disabled = group->grab().toImage();
  // The right and bottom of the frame look the same; the caption does not.
  EXPECT_EQ(enabled.copy(140, 20, 10, 60), disabled.copy(140, 20, 10, 60));
  EXPECT_NE(enabled.copy(8, 0, 40, 12), disabled.copy(8, 0, 40, 12));
  const QColor light = group->palette().color(QPalette::Active, QPalette::Light);
  bool embossed = false;
  for (int y = 0; y < 14; ++y)
    for (int x = 8; x < 60; ++x)
      if (disabled.pixelColor(x, y) == light) embossed = true;
  EXPECT_TRUE(embossed);
}

TEST(ImageAndCaption, PlacementFollowsLayoutMarginAndSpacing) {
  const QRect client(0, 0, 75, 25);
  const QSize image(16, 16), text(30, 13);
  auto p = PlaceImageAndCaption(client, image, text, blGlyphLeft, -1, 4);
  EXPECT_EQ(p.ImagePos, QPoint(13, 5));
  EXPECT_EQ(p.TextRect, QRect(33, 6, 30, 13));
  p = PlaceImageAndCaption(client, image, text, blGlyphRight, -1, 4);
  EXPECT_EQ(p.ImagePos, QPoint(46, 5));
  EXPECT_EQ(p.TextRect.left(), 12);
  p = PlaceImageAndCaption(client, image, text, blGlyphLeft, -1, -1);
  EXPECT_EQ(p.ImagePos.x(), 9);
  EXPECT_EQ(p.TextRect.left(), 34);
  p = PlaceImageAndCaption(client, image, text, blGlyphLeft, 2, -1);
  EXPECT_EQ(p.TextRect.left(), 2 + 16 + 13);
  p = PlaceImageAndCaption(QRect(0, 0, 40, 60), image, text, blGlyphTop, -1, 4);
  EXPECT_EQ(p.ImagePos, QPoint(12, 14));
  EXPECT_EQ(p.TextRect.topLeft(), QPoint(5, 34));
}

TEST(ImageListEx, AStripIsCutIntoSquareCellsMaskedByTheirCornerPixel) {
  QImage strip = Solid(16, 48, qRgb(255, 0, 255));
  strip.setPixel(3, 3, qRgb(0, 0, 255));
  for (int y = 16; y < 32; ++y)
    strip.setPixel(8, y, qRgb(0, 255, 0)); // corner stays magenta
  strip.setPixel(0, 47, qRgb(1, 2, 3));
  TImageListEx images;
  images.LoadFromStrip(strip);
  ASSERT_EQ(images.Count(), 3);
  const QImage first = images.Image(0).toImage();
  EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
  EXPECT_EQ(first.pixel(3, 3), qRgb(0, 0, 255));
  const QImage third = images.Image(2).toImage();
  EXPECT_EQ(qAlpha(third.pixel(0, 15)), 0); // its own corner colour is its mask
  EXPECT_EQ(third.pixel(5, 5), qRgb(255, 0, 255));

  // A disabled image comes from the disabled list when there is one.
  TImageListEx disabled;
  disabled.Add(Solid(16, 16, qRgb(9, 9, 9)), QColor(1, 1, 1));
  images.DisabledImages = &disabled;
  QImage canvas = Solid(16, 16, qRgb(255, 255, 255));
  QPainter painter(&canvas);
  images.Draw(painter, 0, 0, 0, false);
  painter.end();
  EXPECT_EQ(canvas.pixel(4, 4), qRgb(9, 9, 9));
}

TEST(ResourcePictures, EveryDrawnPictureIsPackedAsDrawn) {
  const QDir drawn(qEnvironmentVariable("VELMORA_SOURCE_DIR") + "/resources/images");
  const QStringList files = drawn.entryList({"*.png"}, QDir::Files);
  ASSERT_FALSE(files.isEmpty()) << drawn.path().toStdString();
  for (const QString& file : files) {
    const QImage packed = ResourcePicture(file.toLatin1().constData());
    EXPECT_FALSE(packed.isNull()) << file.toStdString();
    EXPECT_EQ(packed, QImage(drawn.filePath(file))) << file.toStdString();
  }
}

TEST(MenuButton, ADropDownOpensBelowTheLeftEdgeOnPressAndComesBackUp) {
  QWidget window;
  auto* button = new TMenuButton(&window);
  button->move(30, 40);
  QMenu menu;
  menu.addAction("First");
  button->SetDropdownMenu(&menu);
  ShowAndActivate(&window);
  QSignalSpy clicks(button, &TMenuButton::Clicked);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(menu.isVisible());
  EXPECT_EQ(menu.pos(), button->mapToGlobal(QPoint(0, button->height())));
  EXPECT_EQ(button->State(), TMenuButton::bsDown);
  menu.hide();
  EXPECT_EQ(button->State(), TMenuButton::bsUp);
  EXPECT_EQ(clicks.count(), 0);
}

TEST(MenuButton, ClicksNeedTheReleaseOnTheButtonAndDownStaysPushed) {
  QWidget window;
  window.resize(100, 100);
  auto* button = new TMenuButton(&window);
  ShowAndActivate(&window);
  QSignalSpy clicks(button, &TMenuButton::Clicked);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks.count(), 1);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(button->State(), TMenuButton::bsDown);
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(50, 5));
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_EQ(button->State(), TMenuButton::bsUp);

  button->SetDown(true);
  EXPECT_EQ(button->State(), TMenuButton::bsExclusive);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(50, 5));
  EXPECT_EQ(button->State(), TMenuButton::bsExclusive);
  QSignalSpy doubles(button, &TMenuButton::DblClick);
  QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_GE(doubles.count(), 1);
}

TEST(SmartListBox, ARightClickSelectsTheEntryBeforeTheMenuOpens) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* list = new TSmartListBox(&window);
  layout->addWidget(list);
  list->addItems({"0001:Mira", "0002:Tobin", "0003:Wren"});
  list->setCurrentRow(0);
  QMenu menu;
  menu.addAction("Copy");
  list->SetPopupMenu(&menu);
  ShowAndActivate(&window);
  QSignalSpy clicks(list, &TSmartListBox::Click);
  const QPoint at = list->visualItemRect(list->item(2)).center();
  QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
  EXPECT_EQ(list->currentRow(), 2);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_FALSE(menu.isVisible());
  QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
  EXPECT_TRUE(menu.isVisible());
  EXPECT_EQ(menu.pos(), list->viewport()->mapToGlobal(at));
  menu.hide();

  // The same entry again: no second Click; below the last entry nothing changes.
  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
  EXPECT_EQ(clicks.count(), 1);
  menu.hide();
  list->AutoPopup = false;
  QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                    QPoint(5, list->viewport()->height() - 2));
  EXPECT_EQ(list->currentRow(), 2);
  EXPECT_FALSE(menu.isVisible());
}

TEST(IconListBox, TheGlyphIsCutAndTheTextCentredAfterAFontChange) {
  TIconListBox list;
  list.SetGlyph(QPixmap::fromImage(Solid(20, 20, qRgb(1, 2, 3))));
  EXPECT_EQ(list.Glyph().size(), QSize(14, 14));
  EXPECT_EQ(list.TextOffset(), 0);
  QFont font = list.font();
  font.setPixelSize(10);
  list.setFont(font);
  EXPECT_EQ(list.TextOffset(), (16 - QFontMetrics(font).height()) / 2);
}

TEST(ColorPicker, ItemTextsAreColourNumbers) {
  EXPECT_EQ(ColorFromColorNumber("255"), QColor(255, 0, 0));
  EXPECT_EQ(ColorFromColorNumber("65280"), QColor(0, 255, 0));
  EXPECT_EQ(ColorFromColorNumber("16711680"), QColor(0, 0, 255));
  EXPECT_EQ(ColorFromColorNumber("red"), QColor(0, 0, 0));

  QWidget window;
  auto* picker = new TColorPicker(&window);
  picker->addItems({"0", "255"});
  picker->setCurrentIndex(1);
  ShowAndActivate(&window);
  const QImage image = picker->grab().toImage();
  EXPECT_EQ(image.pixelColor(picker->width() / 4, picker->height() / 2), QColor(255, 0, 0));
}

TEST(ColorBar, BarsSitSideBySideAndFollowTheTone) {
  TColorBar bars;
  QImage canvas = Solid(TColorBar::BoardWidth, TColorBar::BoardHeight, qRgb(200, 200, 200));
  {
    QPainter painter(&canvas);
    bars.DrawAll(painter);
  }
  // Bar 1 runs from black to red; its last column is full red. Below the bars: black.
  EXPECT_EQ(canvas.pixelColor(2 * 45 - 1, 8), QColor(255, 0, 0));
  EXPECT_EQ(canvas.pixelColor(45, 8), QColor(0, 0, 0));
  EXPECT_EQ(canvas.pixelColor(100, 50), QColor(0, 0, 0));
  bars.SetTone(0, 100, 100, 100);
  {
    QPainter painter(&canvas);
    bars.DrawAll(painter);
  }
  EXPECT_EQ(canvas.pixelColor(2 * 45 - 1, 8).red(), 0);
}
