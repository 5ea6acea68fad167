// The tile palette, offscreen: drag selections driven by QTest with the timer ticks
// called by hand, pages keeping their own scroll and selection, the wheel and the width
// rule.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/harness/widget_harness.h"
#include "shell/map/chip_selector.h"
#include "shell/map/map_view_painter.h"
#include "shell/map_view_scene.h"

namespace {

class ChipSelector : public MapViewScene {
protected:
  void SetUp() override {
    MapViewScene::SetUp();
    map_ = MakeMap(20, 15, 0);
    palette_.SetMap(map_.get());
    palette_.resize(palette_.width(), 400);
    palette_.show();
    QApplication::processEvents();
    palette_.OnSelectionMade = [this](TChipSelectorDock*) { ++changes_; };
    palette_.SetPage(0);
    changes_ = 0;
    box_ = FindControl<QWidget>(&palette_, "PaintBox");
    frame_ = FindControl<TScrollFrame>(&palette_, "ScrollFrame1");
  }
  // The centre of a palette cell, in the paint box at the current scroll position.
  QPoint At(int x, int y) const {
    return QPoint(x * 32 + 16 - palette_.ScrollPos().X, y * 32 + 16 - palette_.ScrollPos().Y);
  }
  void Drag(TPoint from, TPoint to, bool wait = true) {
    QTest::mousePress(box_, Qt::LeftButton, {}, At(from.X, from.Y));
    if (wait) palette_.Timer1Timer();
    QTest::mouseMove(box_, At(to.X, to.Y));
    QTest::mouseRelease(box_, Qt::LeftButton, {}, At(to.X, to.Y));
  }

  TScriptedMessageBoxes boxes_;
  std::unique_ptr<TXelMap> map_;
  TFormChipSelector palette_;
  QWidget* box_ = nullptr;
  TScrollFrame* frame_ = nullptr;
  int changes_ = 0;
};

TEST_F(ChipSelector, DragsSelectBlocksOfAtMostSixRows) {
  frame_->ScrollBy(0, 200);
  Drag({2, 10}, {4, 20});
  EXPECT_EQ(palette_.GetSelection(), (TRect{2, 10, 5, 16}));
  EXPECT_EQ(changes_, 1);
  EXPECT_FALSE(palette_.Dragging());
  // Upwards and to the left, beyond the page: columns stay on it.
  Drag({1, 12}, {-3, 3});
  EXPECT_EQ(palette_.GetSelection(), (TRect{0, 7, 2, 13}));
  // Moves before the pick delay has passed are ignored.
  Drag({3, 12}, {5, 13}, false);
  EXPECT_EQ(palette_.GetSelection(), (TRect{3, 12, 4, 13}));
  // The event page keeps one cell.
  palette_.SetPage(2);
  Drag({1, 1}, {4, 4});
  EXPECT_EQ(palette_.GetSelection(), (TRect{1, 1, 2, 2}));
}

TEST_F(ChipSelector, AnotherButtonCancelsAndDeactivationEndsTheDrag) {
  palette_.SetSelection(TRect{0, 0, 2, 2});
  QTest::mousePress(box_, Qt::LeftButton, {}, At(3, 3));
  palette_.Timer1Timer();
  QTest::mouseMove(box_, At(5, 5));
  EXPECT_EQ(palette_.GetSelection(), (TRect{3, 3, 6, 6}));
  QTest::mousePress(box_, Qt::RightButton, {}, At(5, 5));
  QTest::mouseRelease(box_, Qt::LeftButton, {}, At(5, 5));
  EXPECT_EQ(palette_.GetSelection(), (TRect{0, 0, 2, 2}));
  EXPECT_EQ(changes_, 0);

  QTest::mousePress(box_, Qt::LeftButton, {}, At(4, 1));
  palette_.EndDrag(); // the application was deactivated
  EXPECT_FALSE(palette_.Dragging());
  EXPECT_EQ(changes_, 1);
  QTest::mouseRelease(box_, Qt::LeftButton, {}, At(4, 1));
  EXPECT_EQ(changes_, 1);
}

TEST_F(ChipSelector, PagesKeepTheirScrollAndSelection) {
  frame_->ScrollBy(0, 100);
  palette_.SetSelection(TRect{1, 5, 3, 6});
  palette_.SetPage(1);
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(palette_.ScrollPos(), (TPoint{0, 0}));
  EXPECT_EQ(palette_.GetSelection(), (TRect{0, 0, 1, 1}));
  frame_->ScrollBy(0, 40);
  palette_.SetSelection(TRect{4, 4, 5, 5});
  palette_.SetPage(0);
  EXPECT_EQ(palette_.ScrollPos(), (TPoint{0, 100}));
  EXPECT_EQ(palette_.GetSelection(), (TRect{1, 5, 3, 6}));
  palette_.SetPage(1);
  EXPECT_EQ(palette_.ScrollPos(), (TPoint{0, 40}));
  EXPECT_EQ(frame_->VertScrollBar()->Position(), 40);
  palette_.Reset();
  EXPECT_EQ(palette_.Page(), 3);
  palette_.SetPage(0);
  EXPECT_EQ(palette_.ScrollPos(), (TPoint{0, 0}));
}

TEST_F(ChipSelector, TheWheelScrollsSixteenPixelsANotch) {
  // Qt passes a wheel turn that the page and the frame leave on to the form only when it
  // comes from the system; a test hands it to the form.
  QWheelEvent down(QPointF(10, 10), box_->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -240),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&palette_, &down);
  EXPECT_EQ(palette_.ScrollPos().Y, 32);
  palette_.AutoScrollFrom(QPoint(50, -20)); // above the page: half the distance, at most 20
  EXPECT_EQ(palette_.ScrollPos().Y, 14);
}

TEST_F(ChipSelector, TheFrameIsExactlyAsWideAsThePageWhenTheFormAllows) {
  const int border = frame_->width() - frame_->ClientSize().width();
  EXPECT_EQ(frame_->ClientSize().width(), 192);
  EXPECT_EQ(palette_.width(), frame_->width());
  palette_.resize(border + 300, 400);
  EXPECT_EQ(frame_->ClientSize().width(), 192);
  EXPECT_EQ(frame_->height(), 400);
  palette_.resize(150, 400);
  EXPECT_EQ(frame_->width(), 150);
  EXPECT_TRUE(frame_->HorzScrollBar()->Visible());
}

// The paint shows the board's rows in view in the colours an RGB16 image would take.
TEST_F(ChipSelector, ThePaintShowsTheBoardAtTheScrollPosition) {
  for (const int scroll : {0, 77}) {
    frame_->VertScrollBar()->SetPosition(scroll);
    ASSERT_EQ(palette_.ScrollPos().Y, scroll);
    const QImage shown = box_->grab().toImage();
    ASSERT_EQ(shown.size(), box_->size());
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        ASSERT_EQ(shown.pixel(x, y), ScreenColor(palette_.Board().GetRow(y + scroll)[x]))
            << scroll << " " << x << " " << y;
  }
}

TEST_F(ChipSelector, AnUnboundChipsetDrawsBlankCells) {
  palette_.Redraw();
  const uint16_t drawn = palette_.Board().GetRow(48)[48];
  map_->Graphics().ReloadChipSet(nullptr);
  palette_.Rebuild();
  EXPECT_NE(drawn, 0);
  EXPECT_EQ(palette_.Board().GetRow(48)[48], 0);
  EXPECT_TRUE(boxes_.Boxes().empty());
}

} // namespace
