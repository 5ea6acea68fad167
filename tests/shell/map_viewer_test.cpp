// The map viewer window, offscreen: zooming keeps the view, small maps are centred, the
// frame's scrolling reaches the boards, and painting odd maps shows no message box.
#include <QApplication>
#include <gtest/gtest.h>

#include <random>

#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/harness/widget_harness.h"
#include "shell/map/map_view_painter.h"
#include "shell/map/map_viewer.h"
#include "shell/map_view_scene.h"

namespace {

class MapViewer : public MapViewScene {
protected:
  void SetUp() override {
    MapViewScene::SetUp();
    tree_.GetOrCreate(1);
    tree_.ActiveId = 1;
  }
  // A viewer of Map with a frame of Client pixels, shown and painted once.
  std::unique_ptr<TFormMapViewer> Open(TXelMap& map, QSize client) {
    auto viewer = std::make_unique<TFormMapViewer>();
    viewer->SetMapTree(&tree_);
    viewer->SetMap(&map);
    viewer->show();
    TScrollFrame* frame = FindControl<TScrollFrame>(viewer.get(), "MapFrame");
    viewer->resize(viewer->size() + client - frame->ClientSize());
    QApplication::processEvents();
    viewer->MapLoaded();
    QApplication::processEvents();
    return viewer;
  }
  TScriptedMessageBoxes boxes_; // any box fails the test
};

TEST_F(MapViewer, ZoomingOutAndBackKeepsTheViewAndTheScrollPosition) {
  auto map = MakeMap(200, 150, 20);
  tree_.GetActiveItem()->ViewX = 1001;
  tree_.GetActiveItem()->ViewY = 777;
  auto viewer = Open(*map, QSize(640, 480));
  const TPoint scroll = viewer->ScrollPos();
  EXPECT_EQ(scroll, (TPoint{1001, 777}));
  int changes = 0;
  viewer->OnScaleChanged = [&](TFormMapViewer*) { ++changes; };
  viewer->SetScale(16);
  EXPECT_EQ(viewer->ScrollPos(), (TPoint{340, 268})); // (1001 + 320) * 16 div 32 - 320
  viewer->SetScale(16);
  viewer->SetScale(32);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(viewer->ScrollPos(), scroll);
  EXPECT_EQ(viewer->View(), (TPoint{1001, 777}));
  // Scrolling the frame moves the view by the change at full scale.
  viewer->SetScale(8);
  FindControl<TScrollFrame>(viewer.get(), "MapFrame")->ScrollBy(10, -4);
  EXPECT_EQ(viewer->View(), (TPoint{1041, 761}));
}

TEST_F(MapViewer, ASmallMapIsCentredAndCellsCountFromTheScrollPosition) {
  auto map = MakeMap(20, 15, 5);
  auto viewer = Open(*map, QSize(800, 600));
  auto* box = FindControl<TOpaquePaintBox>(viewer.get(), "PaintBox");
  EXPECT_EQ(box->geometry(), QRect(80, 60, 640, 480));
  EXPECT_EQ(FindControl<QWidget>(viewer.get(), "Background")->size(), QSize(800, 600));
  viewer->SetScale(16);
  EXPECT_EQ(box->geometry(), QRect(240, 180, 320, 240));

  auto big = MakeMap(100, 80, 5);
  viewer->SetMap(big.get());
  viewer->MapLoaded();
  FindControl<TScrollFrame>(viewer.get(), "MapFrame")->ScrollBy(8, 0);
  EXPECT_EQ(viewer->ScrollPos().X, 8);
  for (const auto& [pixel, cell] : {std::pair{7, 0}, {8, 1}, {-9, -1}})
    EXPECT_EQ(viewer->CellAt(QPoint(pixel, 0)).X, cell) << pixel;
}

TEST_F(MapViewer, ScrollingTheFrameKeepsTheBoardsEqualToAFullRepaint) {
  std::mt19937 rng(5);
  for (const uint8_t loop : {0, 3}) {
    auto map = MakeMap(90, 70, 100, loop);
    auto viewer = Open(*map, QSize(300, 200));
    auto* frame = FindControl<TScrollFrame>(viewer.get(), "MapFrame");
    for (const int scale : {32, 16, 8, 4}) {
      viewer->SetScale(scale);
      for (int step = 0; step < 12; ++step) {
        const int kinds[] = {1, scale, 300, int(rng() % 50)};
        frame->ScrollBy(kinds[rng() % 4] * (rng() % 2 ? 1 : -1),
                        kinds[rng() % 4] * (int(rng() % 3) - 1));
        viewer->PaintCell(int(rng() % 90), int(rng() % 70));
      }
      TMapViewPainter whole;
      whole.SetMap(&tree_, map.get());
      whole.SetScale(scale);
      whole.SetViewSize(viewer->Painter().ViewSize());
      whole.SetScroll(viewer->ScrollPos());
      whole.RepaintAll();
      EXPECT_EQ(Pixels(viewer->Painter().Front()), Pixels(whole.Front()))
          << "scale " << scale << " loop " << int(loop);
    }
  }
}

TEST_F(MapViewer, ARepaintStaysPendingUntilPainted) {
  auto map = MakeMap(30, 20, 5);
  auto viewer = Open(*map, QSize(300, 200));
  EXPECT_FALSE(viewer->RepaintPending());
  viewer->PaintCell(2, 2);
  EXPECT_TRUE(viewer->RepaintPending());
  FindControl<QWidget>(viewer.get(), "PaintBox")->repaint();
  EXPECT_FALSE(viewer->RepaintPending());
}

TEST_F(MapViewer, OddMapsPaintWithoutAMessage) {
  auto map = MakeMap(40, 30, 50);
  const uint16_t ids[] = {5144, 9999, 20000, 65535};
  for (int i = 0; i < 4; ++i) {
    map->LowerLayer.SetCell(i, 0, ids[i]);
    map->UpperLayer.SetCell(i, 1, ids[i]);
  }
  auto viewer = Open(*map, QSize(300, 200));
  map->Events.Clear(); // the event map is stale now
  for (const int scale : {16, 8, 4, 32}) {
    viewer->SetScale(scale);
    QApplication::processEvents();
  }
  map->Graphics().ReloadChipSet(nullptr); // unbound
  viewer->RepaintAll();
  QApplication::processEvents();
  viewer->SetMap(nullptr);
  viewer->MapLoaded();
  QApplication::processEvents();
  EXPECT_TRUE(boxes_.Boxes().empty());
  EXPECT_FALSE(FindControl<QWidget>(viewer.get(), "PaintBox")->isVisible());
}

} // namespace
