#include "framework/controls/smart_splitter.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "framework/controls/align_layout.h"
#include "framework/harness/widget_harness.h"

TEST(SplitterPanelSize, RoundsTheShareAndKeepsBothSidesAtLeastMinSize) {
  EXPECT_EQ(SplitterPanelSize(600, 50.0, 30), 300);
  EXPECT_EQ(SplitterPanelSize(601, 50.0, 30), 300); // 300.5 rounds to even
  EXPECT_EQ(SplitterPanelSize(600, 33.4, 30), 200);
  EXPECT_EQ(SplitterPanelSize(600, 99.0, 30), 570);
  EXPECT_EQ(SplitterPanelSize(600, 1.0, 30), 30);
  // No room for both minimums: the panel keeps its minimum.
  EXPECT_EQ(SplitterPanelSize(40, 50.0, 30), 30);
}

namespace {

// A container docked the way the main window's columns are: a panel on one side, the
// splitter beside it and the rest filling the remainder.
class SplitterForm : public ::testing::Test {
protected:
  void Build(TAlign side) {
    layout = new TAlignLayout(&form);
    panel = new QWidget(&form);
    panel->setObjectName("Panel");
    rest = new QWidget(&form);
    const bool vertical = side == alTop || side == alBottom;
    panel->resize(vertical ? 10 : 120, vertical ? 120 : 10);
    layout->AddControl(panel, side);
    splitter = new TSmartSplitter(&form, side);
    layout->AddControl(splitter, side);
    layout->AddControl(rest, alClient);
    // 600 pixels of room besides the 4-pixel splitter.
    form.resize(vertical ? 300 : 604, vertical ? 604 : 300);
    form.show();
  }

  QWidget form;
  TAlignLayout* layout;
  QWidget* panel;
  QWidget* rest;
  TSmartSplitter* splitter;
};

} // namespace

TEST_F(SplitterForm, ALeftPanelKeepsItsShareWhenTheFormGrows) {
  Build(alLeft);
  EXPECT_EQ(splitter->Neighbour(), panel);
  EXPECT_EQ(splitter->Extent(), 600);
  EXPECT_EQ(panel->width(), 300);
  EXPECT_EQ(splitter->x(), 300);
  EXPECT_EQ(rest->geometry(), QRect(304, 0, 300, 300));
  form.resize(804, 300);
  EXPECT_EQ(panel->width(), 400);
  EXPECT_EQ(rest->x(), 404);
}

TEST_F(SplitterForm, WithoutAutoResizeThePanelKeepsItsSizeAndTheShareFollows) {
  Build(alLeft);
  splitter->SetAutoResize(false);
  form.resize(804, 300);
  EXPECT_EQ(panel->width(), 300);
  EXPECT_DOUBLE_EQ(splitter->Percentage(), 37.5);
  // Shrinking below the panel's size still leaves MinSize for the rest.
  form.resize(204, 300);
  EXPECT_EQ(panel->width(), 170);
}

TEST_F(SplitterForm, DraggingStopsAtMinSizeOnEitherSideAndReportsTheMove) {
  Build(alLeft);
  QSignalSpy moved(splitter, &TSmartSplitter::Moved);
  QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(2, 10));
  QTest::mouseMove(splitter, QPoint(-50, 10));
  EXPECT_EQ(panel->width(), 248);
  // The splitter moved with the panel, so the next move counts from there.
  QTest::mouseMove(splitter, QPoint(-400, 10));
  EXPECT_EQ(panel->width(), 30);
  EXPECT_EQ(moved.count(), 0);
  QTest::mouseRelease(splitter, Qt::LeftButton, {}, QPoint(-400, 10));
  EXPECT_EQ(moved.count(), 1);
  EXPECT_DOUBLE_EQ(splitter->Percentage(), 5.0);
  splitter->MoveBy(900, 0);
  EXPECT_EQ(panel->width(), 570);
}

TEST_F(SplitterForm, ABottomPanelKeepsItsLowerEdgeInPlace) {
  Build(alBottom);
  splitter->SetMinSize(52);
  EXPECT_EQ(splitter->Neighbour(), panel);
  EXPECT_EQ(panel->geometry(), QRect(0, 304, 300, 300));
  splitter->MoveBy(0, 100);
  EXPECT_EQ(panel->geometry(), QRect(0, 404, 300, 200));
  EXPECT_EQ(splitter->y(), 400);
  splitter->MoveBy(0, 1000);
  EXPECT_EQ(panel->height(), 52);
  EXPECT_EQ(panel->geometry().bottom(), 603);
}

TEST_F(SplitterForm, AHiddenSplitterEndsItsDrag) {
  Build(alLeft);
  QTest::mousePress(splitter, Qt::LeftButton, {}, QPoint(2, 10));
  splitter->hide();
  splitter->show();
  QTest::mouseMove(splitter, QPoint(-50, 10));
  EXPECT_EQ(panel->width(), 300);
}
