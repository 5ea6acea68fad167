#include "framework/controls/scroll_frame.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/wheel_master.h"
#include "framework/harness/widget_harness.h"

TEST(ScrollFrameBar, PositionStaysWithinRangeMinusPageAndAFullPageDisablesTheBar) {
  TScrollFrame frame;
  QSignalSpy changes(&frame, &TScrollFrame::Change);
  TScrollFrameBar* bar = frame.HorzScrollBar();
  bar->SetRange(100);
  bar->SetPageSize(30);
  bar->SetPosition(90);
  EXPECT_EQ(bar->Position(), 70);
  EXPECT_EQ(frame.horizontalScrollBar()->value(), 70);
  EXPECT_EQ(frame.horizontalScrollBar()->maximum(), 70);
  EXPECT_TRUE(frame.horizontalScrollBar()->isEnabled());
  EXPECT_EQ(changes.count(), 3);

  bar->SetPosition(-5);
  EXPECT_EQ(bar->Position(), 0);
  bar->SetPosition(40);
  bar->SetPageSize(100);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_FALSE(frame.horizontalScrollBar()->isEnabled());
  bar->SetRange(-3);
  EXPECT_EQ(bar->Range(), 0);
}

TEST(ScrollFrameBar, AHiddenBarKeepsItsValuesAndStillScrolls) {
  TScrollFrame frame;
  frame.resize(200, 150);
  frame.show();
  TScrollFrameBar* bar = frame.VertScrollBar();
  bar->SetRange(500);
  bar->SetPageSize(100);
  bar->SetPosition(120);
  bar->SetVisible(false);
  EXPECT_FALSE(frame.verticalScrollBar()->isVisible());
  EXPECT_EQ(bar->Range(), 500);
  EXPECT_EQ(bar->PageSize(), 100);
  EXPECT_EQ(bar->Position(), 120);
  frame.ScrollBy(0, 1000);
  EXPECT_EQ(bar->Position(), 400);
  bar->SetVisible(true);
  EXPECT_TRUE(frame.verticalScrollBar()->isVisible());
  EXPECT_EQ(frame.verticalScrollBar()->value(), 400);
}

TEST(ScrollFrameBar, LineAndPageStepsOfTheBarGoThroughThePositionSetter) {
  TScrollFrame frame;
  frame.resize(200, 150);
  frame.show();
  TScrollFrameBar* bar = frame.HorzScrollBar();
  bar->SetIncrement(10);
  bar->SetRange(300);
  bar->SetPageSize(120);
  QSignalSpy changes(&frame, &TScrollFrame::Change);
  QScrollBar* qbar = frame.horizontalScrollBar();
  qbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar->Position(), 10);
  qbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar->Position(), 130);
  qbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar->Position(), 180);
  qbar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(bar->Position(), 170);
  EXPECT_EQ(changes.count(), 4);
}

TEST(ScrollFrame, FixedBarsAreSixteenPixelsAndTheFrameOpensAt185By129) {
  TScrollFrame frame;
  EXPECT_EQ(frame.size(), QSize(185, 129));
  frame.SetBarSizeFixed(true);
  frame.show();
  EXPECT_EQ(frame.horizontalScrollBar()->height(), 16);
  EXPECT_EQ(frame.verticalScrollBar()->width(), 16);
}

TEST(OpaquePaintBox, PaintsThroughItsOwnerAndReportsRightDoubleClicks) {
  TOpaquePaintBox box;
  EXPECT_EQ(box.size(), QSize(105, 105));
  EXPECT_TRUE(box.testAttribute(Qt::WA_OpaquePaintEvent));
  QObject::connect(&box, &TOpaquePaintBox::Paint,
                   [](QPainter& canvas) { canvas.fillRect(0, 0, 10, 10, Qt::red); });
  const QImage image = box.grab().toImage();
  EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::red));
  box.SetOpaque(false);
  EXPECT_FALSE(box.testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_EQ(box.grab().toImage().pixelColor(50, 50), AppWorkSpaceColor());

  QSignalSpy right(&box, &TOpaquePaintBox::RightDblClick);
  QSignalSpy left(&box, &TOpaquePaintBox::DblClick);
  QTest::mouseDClick(&box, Qt::RightButton);
  QTest::mouseDClick(&box, Qt::LeftButton);
  EXPECT_EQ(right.count(), 1);
  EXPECT_EQ(left.count(), 1);
}

TEST(WheelPanStep, SpeedGrowsWithDistanceBeyondEightPixels) {
  // 1.2^(10-8) = 1.44 and 1.2^(30-8) = 55.2.
  TWheelPanStep step = WheelPanStep(10, 0, true, true);
  EXPECT_EQ(step.X, 1);
  EXPECT_EQ(step.Y, 0);
  EXPECT_EQ(step.Cursor, wcE);
  step = WheelPanStep(30, 0, true, true);
  EXPECT_EQ(step.X, 55);
  EXPECT_EQ(step.Cursor, wcE);
  step = WheelPanStep(-5, 6, true, true);
  EXPECT_EQ(step.X, 0);
  EXPECT_EQ(step.Y, 0);
  EXPECT_EQ(step.Cursor, wcNSWE);
  // Up and to the left at 45 degrees: 1.2^(28.28-8) = 40.4 along the diagonal, 28.6 a side.
  step = WheelPanStep(-20, -20, true, true);
  EXPECT_EQ(step.Cursor, wcNW);
  EXPECT_EQ(step.X, -29);
  EXPECT_EQ(step.Y, -29);
  EXPECT_EQ(WheelPanStep(0, 20, true, true).Cursor, wcS);
  EXPECT_EQ(WheelPanStep(-20, 0, true, true).Cursor, wcW);
  EXPECT_EQ(WheelPanStep(20, 20, true, true).Cursor, wcSE);
}

TEST(WheelPanStep, OneAxisViewsMoveOnlyWhenTheirOwnOffsetPassesEightPixels) {
  // Vertical only: 1.2^12 = 8.9 upwards.
  TWheelPanStep step = WheelPanStep(0, -20, false, true);
  EXPECT_EQ(step.Y, -9);
  EXPECT_EQ(step.Cursor, wcN);
  step = WheelPanStep(40, 5, false, true);
  EXPECT_EQ(step.Y, 0);
  EXPECT_EQ(step.Cursor, wcNS);
  step = WheelPanStep(5, 40, true, false);
  EXPECT_EQ(step.X, 0);
  EXPECT_EQ(step.Cursor, wcWE);
  step = WheelPanStep(-12, 0, true, false);
  EXPECT_EQ(step.X, -2);
  EXPECT_EQ(step.Cursor, wcW);
}

TEST(WheelPanStep, FarAwayTargetsStopAtTheEndOfTheScrollRange) {
  // 70 pixels give 1.2^62 (about 81,000 units): the view goes to its end, never past it
  // or around to the other end.
  const TWheelPanStep step = WheelPanStep(70, 0, true, true);
  EXPECT_GT(step.X, 32767);
  EXPECT_EQ(WheelPanTarget(100, step.X, 0, 900), 900);
  EXPECT_EQ(WheelPanTarget(100, -step.X, 0, 900), 0);
  const TWheelPanStep far = WheelPanStep(0, 5000, false, true);
  EXPECT_EQ(WheelPanTarget(10, far.Y, 0, 40), 40);
  EXPECT_EQ(WheelPanTarget(10, -3, 0, 40), 7);
}

namespace {

class WheelPanning : public ::testing::Test {
protected:
  void SetUp() override {
    form.resize(300, 240);
    auto* layout = new QVBoxLayout(&form);
    frame = new TScrollFrame(&form);
    layout->addWidget(frame);
    for (TScrollFrameBar* bar : {frame->HorzScrollBar(), frame->VertScrollBar()}) {
      bar->SetRange(1000);
      bar->SetPageSize(100);
      bar->SetPosition(500);
    }
    ShowAndActivate(&form);
    centre = frame->mapToGlobal(frame->rect().center());
    QCursor::setPos(centre);
  }
  void TearDown() override { master.Stop(); }

  QWidget form;
  TScrollFrame* frame;
  TWheelMaster master;
  QPoint centre;
};

} // namespace

TEST_F(WheelPanning, StartShowsTheOriginMarkAndEachTickScrollsTowardsTheMouse) {
  for (int cursor = wcNSWE; cursor <= wcSE; ++cursor) {
    EXPECT_EQ(master.Cursor(TWheelCursor(cursor)).pixmap().size(), QSize(32, 32)) << cursor;
    EXPECT_EQ(master.Cursor(TWheelCursor(cursor)).hotSpot(), QPoint(16, 16)) << cursor;
  }
  master.Start(frame);
  ASSERT_TRUE(master.Panning());
  EXPECT_EQ(master.Timer()->interval(), 100);
  TWheelMasterWindow* origin = master.OriginWindow();
  ASSERT_TRUE(origin);
  EXPECT_TRUE(origin->isVisible());
  EXPECT_EQ(origin->parentWidget(), &form);
  EXPECT_EQ(origin->size(), QSize(7, 7));
  EXPECT_EQ(origin->mapToGlobal(QPoint(3, 3)), centre);
  EXPECT_EQ(QWidget::mouseGrabber(), origin);
  // The first tick ran at once, without moving: the view is where it was.
  EXPECT_EQ(master.CurrentCursor(), wcNSWE);
  EXPECT_EQ(frame->HorzScrollBar()->Position(), 500);

  QCursor::setPos(centre + QPoint(10, 0));
  master.TimerTimer();
  EXPECT_EQ(frame->HorzScrollBar()->Position(), 501);
  EXPECT_EQ(frame->VertScrollBar()->Position(), 500);
  EXPECT_EQ(master.CurrentCursor(), wcE);
  QCursor::setPos(centre + QPoint(0, 30));
  master.TimerTimer();
  EXPECT_EQ(frame->VertScrollBar()->Position(), 555);
  QCursor::setPos(centre + QPoint(-200, 0));
  master.TimerTimer();
  EXPECT_EQ(frame->HorzScrollBar()->Position(), 0);
}

TEST_F(WheelPanning, AKeyOnTheMarkStopsPanningAndRestoresTheCursor) {
  QSignalSpy scrolled(&master, &TWheelMaster::Scrolled);
  master.Start(frame);
  ASSERT_TRUE(master.Panning());
  EXPECT_NE(QApplication::overrideCursor(), nullptr);
  QTest::keyClick(master.OriginWindow(), Qt::Key_Control, Qt::ControlModifier);
  EXPECT_FALSE(master.Panning());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_FALSE(master.OriginWindow()->isVisible());
  EXPECT_EQ(scrolled.count(), 1);
}

TEST_F(WheelPanning, AShortClickKeepsPanningAndAReleaseFarAwayEndsIt) {
  master.Start(frame);
  TWheelMasterWindow* origin = master.OriginWindow();
  QTest::mouseRelease(origin, Qt::MiddleButton, {}, QPoint(3 + 11, 3));
  EXPECT_TRUE(master.Panning());
  QTest::mouseRelease(origin, Qt::MiddleButton, {}, QPoint(3 + 12, 3));
  EXPECT_FALSE(master.Panning());
  master.Start(frame);
  QTest::mousePress(master.OriginWindow(), Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_FALSE(master.Panning());
}

TEST_F(WheelPanning, AViewWithNothingToScrollDoesNotPanAndAHiddenOneStops) {
  frame->HorzScrollBar()->SetPageSize(1000);
  frame->VertScrollBar()->SetPageSize(1000);
  master.Start(frame);
  EXPECT_FALSE(master.Panning());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  frame->VertScrollBar()->SetPageSize(100);
  master.Start(frame);
  ASSERT_TRUE(master.Panning());
  // Only the vertical bar can move: a horizontal offset scrolls nothing.
  QCursor::setPos(centre + QPoint(40, 0));
  master.TimerTimer();
  EXPECT_EQ(master.CurrentCursor(), wcNS);
  frame->hide();
  master.TimerTimer();
  EXPECT_FALSE(master.Panning());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
