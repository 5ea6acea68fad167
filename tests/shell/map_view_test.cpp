// The map view without its window: coordinates, the event map, the boards brought up to
// scroll positions, the tile cache against direct drawing, and drawing that never raises.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "shell/map/board_frames.h"
#include "shell/map/chip_tile_cache.h"
#include "shell/map/event_map.h"
#include "shell/map/map_view_geometry.h"
#include "shell/map/map_view_painter.h"
#include "shell/map_view_scene.h"

namespace {

TEST(MapViewGeometry, CellsPixelsAndLayout) {
  // Scale 16, scroll 8: the first cell shows its right half.
  EXPECT_EQ(CellOfPixel(7, 8, 16), 0);
  EXPECT_EQ(CellOfPixel(8, 8, 16), 1);
  EXPECT_EQ(CellOfPixel(-9, 8, 16), -1);
  EXPECT_EQ(CellOfPixel(-25, 8, 16), -2);
  EXPECT_EQ(NearestCorner(7, 8, 16), 1);
  EXPECT_EQ(NearestCorner(-9, 0, 16), -1);
  EXPECT_EQ(CellsToPixels(TRect{1, 2, 3, 4}, TPoint{8, 0}, 16), (TRect{8, 32, 40, 64}));

  const TMapViewLayout centred = LayoutMapView(20, 15, 32, TPoint{800, 600});
  EXPECT_EQ(centred.Visible, (TPoint{640, 480}));
  EXPECT_EQ(centred.Offset, (TPoint{80, 60}));
  EXPECT_EQ(centred.Range, (TPoint{640, 480}));
  EXPECT_EQ(PasteTopLeft(TPoint{640, 480}, TPoint{40, 0}, 32, 30, 5), (TPoint{-4, 5}));
  const TMapViewLayout clipped = LayoutMapView(20, 15, 32, TPoint{400, 300});
  EXPECT_EQ(clipped.Visible, (TPoint{400, 300}));
  EXPECT_EQ(clipped.Offset, (TPoint{0, 0}));
}

TEST(MapViewGeometry, ZoomKeepsTheViewCentre) {
  // 1/1 -> 1/2 -> 1/1 with an odd view position: the scroll positions follow the view, and
  // the frame reporting the position it was given moves the view by nothing.
  const int view = 1001, client = 800;
  const int full = ScrollForView(view, client, 32);
  const int half = ScrollForView(view, client, 16);
  EXPECT_EQ(full, 1001);
  EXPECT_EQ(half, 300); // (1401 * 16) div 32 - 400
  EXPECT_EQ(ViewAfterScroll(view, half, half, 16), view);
  EXPECT_EQ(ScrollForView(ViewAfterScroll(view, half, half, 16), client, 32), full);
  EXPECT_EQ(ViewAfterScroll(view, 300, 310, 16), 1021);
  EXPECT_EQ(ViewAfterScroll(view, 300, 290, 8), 961);
  EXPECT_EQ(ViewAfterScroll(view, 300, 777, 32), 777);
  EXPECT_EQ(ScrollForView(0, 801, 4), -350); // floor: (400 * 4) div 32 - 400
}

TEST(MapViewGeometry, LoopingMapsRepaintTheWrappedCopies) {
  using Rects = std::vector<TRect>;
  EXPECT_EQ(LoopedCellRects(TRect{-1, 2, 2, 3}, 20, 15, true, false),
            (Rects{{0, 2, 2, 3}, {19, 2, 20, 3}}));
  EXPECT_EQ(LoopedCellRects(TRect{-1, 2, 2, 3}, 20, 15, false, true), (Rects{{0, 2, 2, 3}}));
  EXPECT_EQ(LoopedCellRects(TRect{19, 14, 21, 16}, 20, 15, true, true),
            (Rects{{19, 14, 20, 15}, {0, 14, 1, 15}, {19, 0, 20, 1}, {0, 0, 1, 1}}));
}

TEST(BoardFrames, AreaAndPointFrames) {
  TGlimraBoard board;
  board.SetSize(20, 20);
  FillRect(board.Surface(), TRect{0, 0, 20, 20}, 0x1234);
  DrawAreaFrame(board, TRect{7, 7, 13, 13});
  const uint16_t yellow = 0xFFF0, grey = 0x2104; // 0x80FFFF and 0x202020 as RGB565
  const uint16_t row[] = {yellow, grey, 0x1234, 0x1234, 0x1234, yellow, grey, 0x1234};
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(board.GetRow(10)[x], row[x]) << x;
  EXPECT_EQ(board.GetRow(19)[10], yellow);
  DrawPointFrame(board, TRect{7, 7, 13, 13});
  EXPECT_EQ(board.GetRow(3)[10], grey);
  EXPECT_EQ(board.GetRow(4)[10], 0xFFFF);
  EXPECT_EQ(board.GetRow(6)[10], grey);
  EXPECT_EQ(board.GetRow(7)[10], 0x1234);
}

class MapView : public MapViewScene {
protected:
  void SetUp() override {
    MapViewScene::SetUp();
    map_ = MakeMap(100, 80, 300);
  }

  void Show(TMapViewPainter& painter, TXelMap& map, int scale, TPoint client, bool cache = true) {
    painter.UseTileCache = cache;
    painter.SetMap(&tree_, &map);
    painter.SetScale(scale);
    painter.SetViewSize(LayoutMapView(map.Width(), map.Height(), scale, client).Visible);
    painter.RepaintAll();
  }

  std::unique_ptr<TXelMap> map_;
};

TEST_F(MapView, EventMapCells) {
  TXelMap map(7);
  map.Events.GetOrCreate(1)->X = 3, map.Events.GetOrCreate(1)->Y = 3;
  map.Events.GetOrCreate(2)->X = 5, map.Events.GetOrCreate(2)->Y = 5;
  map.Events.GetOrCreate(3)->X = 50; // outside the map
  map.Events.GetOrCreate(70000)->X = 6, map.Events.GetOrCreate(70000)->Y = 6;
  TXelMapTree tree;
  tree.StartPosition.SetMapId(0, 7);
  tree.StartPosition.SetX(0, 3), tree.StartPosition.SetY(0, 3);
  tree.StartPosition.SetMapId(1, 8); // another map's boat
  tree.StartPosition.SetX(1, 4), tree.StartPosition.SetY(1, 4);
  tree.StartPosition.SetMapId(3, 7);
  tree.StartPosition.SetX(3, 20), tree.StartPosition.SetY(3, 0); // just outside
  TXelEventMap events;
  EXPECT_EQ(events.Get(0, 0), -1); // nothing built yet
  events.Build(&tree, &map);
  EXPECT_EQ(events.Get(3, 3), 60001);
  EXPECT_EQ(events.Get(5, 5), 2);
  EXPECT_EQ(events.Get(6, 6), 0);
  EXPECT_EQ(events.Get(4, 4), 0);
  int marked = 0;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x)
      marked += events.Get(x, y) != 0;
  EXPECT_EQ(marked, 2);
  for (const TPoint p : {TPoint{-1, 0}, TPoint{20, 0}, TPoint{0, 15}})
    EXPECT_EQ(events.Get(p.X, p.Y), -1);
}

TEST_F(MapView, EventMarksAtEveryScale) {
  TXelEventMap events;
  TStartPosMark marks;
  // Id drawn by the event map against Mark drawn directly, at (2, 2) of a fresh board.
  auto same_as_mark = [&](int id, bool dim, int size, int mark) {
    TGlimraBoard board, expected;
    board.SetSize(40, 40);
    expected.SetSize(40, 40);
    events.Draw(board, 2, 2, dim, id, size);
    if (mark >= 0) marks.Draw(expected, 2, 2, size, mark, dim);
    return Pixels(board) == Pixels(expected);
  };
  EXPECT_TRUE(same_as_mark(1, false, 32, -1)); // no map: nothing
  map_->Events.GetOrCreate(1)->Pages.Items(0)->GraphicName = "Folk";
  map_->Events.GetOrCreate(2)->Pages.Items(0)->GraphicName.clear();
  events.Build(&tree_, map_.get());
  for (const int size : {8, 4}) // small scales show the plain mark even in event mode
    for (const bool dim : {false, true})
      EXPECT_TRUE(same_as_mark(1, dim, size, TStartPosMark::smEvent)) << size;
  EXPECT_TRUE(same_as_mark(60003, true, 32, TStartPosMark::smShip));
  for (const int id : {1, 2}) { // a character, a tile: framed in white
    TGlimraBoard board;
    board.SetSize(32, 32);
    events.Draw(board, 0, 0, false, id, 32);
    EXPECT_EQ(board.GetRow(4)[4], 0xFFFF);
    EXPECT_EQ(board.GetRow(26)[26], 0xFFFF);
    EXPECT_EQ(board.GetRow(3)[3], 0);
    EXPECT_NE(board.GetRow(10)[10], 0);
  }
  map_->Events.DeleteById(1); // an event that is gone shows the plain mark
  EXPECT_TRUE(same_as_mark(1, false, 32, TStartPosMark::smEvent));
}

TEST_F(MapView, BoardsBroughtToAScrollPositionEqualAFullRepaint) {
  std::mt19937 rng(7);
  for (const uint8_t scroll_type : {0, 3})
    for (const int scale : {32, 16, 8, 4}) {
      auto map = MakeMap(100, 80, 300, scroll_type);
      for (int i = 0; i < 800; ++i) // tiles without a picture leave their cells to be cleared
        map->LowerLayer.SetCell(int(rng() % 100), int(rng() % 80), 65535);
      TMapViewPainter stepped, whole;
      Show(stepped, *map, scale, TPoint{300, 200});
      Show(whole, *map, scale, TPoint{300, 200});
      const TMapViewLayout layout = LayoutMapView(100, 80, scale, TPoint{300, 200});
      const TPoint max{layout.Range.X - layout.Visible.X, layout.Range.Y - layout.Visible.Y};
      TPoint scroll;
      for (int step = 0; step < 30; ++step) {
        const int kinds[] = {1, scale, layout.Visible.X, int(rng() % 97)};
        const int dx = kinds[rng() % 4] * (rng() % 2 ? 1 : -1);
        const int dy = kinds[rng() % 4] * (rng() % 3 - 1);
        scroll = TPoint{std::clamp(scroll.X + dx, 0, max.X), std::clamp(scroll.Y + dy, 0, max.Y)};
        stepped.SetScroll(scroll);
        stepped.UpdateBoards();
        whole.SetScroll(scroll);
        whole.RepaintAll();
        ASSERT_EQ(Pixels(stepped.Front()), Pixels(whole.Front()))
            << "scale " << scale << " loop " << int(scroll_type) << " step " << step;
      }
      // A change on the left edge repainted through its copy beyond the right edge.
      const int col = scroll.X / scale;
      for (int y = 0; y < 80; ++y)
        map->LowerLayer.SetCell(col, y, 5003);
      stepped.RepaintCells(TRect{col + 100, 0, col + 101, 80});
      whole.RepaintAll();
      EXPECT_EQ(Pixels(stepped.Front()) == Pixels(whole.Front()), scroll_type == 3) << scale;
    }
}

TEST_F(MapView, TileCacheDrawsTheBytesOfDrawChip) {
  TXelChipSetGraphic& graphic = *map_->Graphics().ChipSetGraphic();
  TGlimraBoard direct, cached;
  // Tiles built as cells first draw them, or all in one go before.
  for (const bool in_one_go : {false, true}) {
    TChipTileCache cache;
    for (const int size : {32, 16, 8, 4})
      for (const int brightness : {100, 70})
        for (const int variant : {0, 1, 2, 3}) {
          const bool dimmed = variant & 1, transparent = variant & 2;
          graphic.SetTransparent(transparent);
          graphic.SetOpacityLevel(variant == 3 ? 3 : 0);
          ASSERT_TRUE(cache.Prepare(graphic, 0));
          for (TGlimraBoard* b : {&direct, &cached}) {
            b->SetSize(64 * size, 2 * size);
            b->Brightness = brightness;
            FillRect(b->Surface(), TRect{0, 0, 64 * size, 2 * size}, 0x5A5A);
          }
          if (in_one_go) {
            std::vector<int> ids;
            for (int id = variant; id < 20100; id += 157)
              ids.insert(ids.end(), {id, id}); // repeats are built once
            cache.BuildTiles(graphic, size, ids, brightness);
          }
          for (int id = variant; id < 20100; id += 157)
            for (int i = 0; i < 2; ++i) { // one whole, one cut by the board's edge
              const int x = ((id / 157) % 64) * size - i * size / 2, y = i * size + i * 3;
              graphic.DrawChip(direct, x, y, id, 0, dimmed, size);
              cache.DrawChip(graphic, cached, x, y, id, dimmed, size);
            }
          ASSERT_EQ(Pixels(direct), Pixels(cached))
              << in_one_go << " " << size << " " << brightness << " " << variant;
        }
    EXPECT_GT(cache.TileCount(), 4 * 100); // drawn from the cache, not passed on
  }
  graphic.SetOpacityLevel(0);
  // Whole views through the painter, with and without the cache.
  for (const int scale : {32, 16, 8, 4}) {
    TMapViewPainter with, without;
    Show(with, *map_, scale, TPoint{333, 222}, true);
    Show(without, *map_, scale, TPoint{333, 222}, false);
    EXPECT_EQ(Pixels(with.Front()), Pixels(without.Front())) << scale;
  }
}

// The 1:8 view repaints from a picture of the whole map: whatever changed since, a repaint
// shows what drawing every cell anew (without the cache) shows.
TEST_F(MapView, TheSmallMapPictureFollowsEveryChange) {
  TMapViewPainter kept;
  Show(kept, *map_, 4, TPoint{300, 200});
  TXelChipSetGraphic& graphic = *map_->Graphics().ChipSetGraphic();
  const std::function<void()> changes[] = {
      [&] { map_->LowerLayer.SetCell(3, 4, 5003); }, // not reported through RepaintCells
      [&] { map_->UpperLayer.SetCell(5, 6, 10005); },
      [&] { kept.Counter = 6; },
      [&] {
        graphic.Sheet.Palette()[7] = TPaletteEntry{1, 2, 3, 0};
        graphic.Sheet.UpdateColorTable();
      },
      [&] {
        for (int i = 0; i < map_->Events.GetCount(); ++i)
          if (map_->Events.Items(i)->X < 70 && map_->Events.Items(i)->Y < 45) {
            map_->Events.DeleteById(map_->Events.Items(i)->Id);
            break;
          }
        kept.SetMap(&tree_, map_.get());
      },
      [&] {
        kept.SetScroll(TPoint{40, 28});
      },
      [&] { // in view since the scroll only, and cleared
        map_->LowerLayer.SetCell(80, 55, 5000);
        map_->UpperLayer.SetCell(80, 55, 10000);
      },
      [&] { // another map read into the same object
        GenerateMap(*map_, 100, 80, 300, "Folk", &tree_, 7);
        kept.SetMap(&tree_, map_.get());
        kept.CellsReplaced();
      },
      [&] {
        map_->LowerLayer.SetCell(12, 9, 5000);
        map_->UpperLayer.SetCell(12, 9, 10000);
      }};
  for (size_t i = 0; i < std::size(changes); ++i) {
    changes[i]();
    kept.RepaintAll();
    TMapViewPainter fresh;
    fresh.Counter = kept.Counter;
    Show(fresh, *map_, 4, TPoint{300, 200}, false);
    fresh.SetScroll(kept.Scroll());
    fresh.RepaintAll();
    EXPECT_EQ(Pixels(kept.Front()), Pixels(fresh.Front())) << "change " << i;
  }
}

// The canvas shows the painter's 32-bit copy of the board: every RGB565 colour must come out
// as the board drawn as an RGB16 image on a 32-bit surface did.
TEST(MapViewScreen, ScreenColorsAreThoseOfAnRgb16ImageDrawn) {
  QImage board(256, 256, QImage::Format_RGB16);
  for (int i = 0; i < 65536; ++i)
    reinterpret_cast<uint16_t*>(board.scanLine(i / 256))[i % 256] = uint16_t(i);
  QImage screen(256, 256, QImage::Format_RGB32);
  QPainter(&screen).drawImage(0, 0, board);
  for (int i = 0; i < 65536; ++i)
    ASSERT_EQ(ScreenColor(uint16_t(i)), screen.pixel(i % 256, i / 256)) << i;
}

// The 32-bit copy is brought up to date in row bands when a whole tall view is stale, and
// over the stale strips only after a scroll.
TEST_F(MapView, TheScreenCopyFollowsTheBoard) {
  TMapViewPainter painter;
  Show(painter, *map_, 16, TPoint{400, 600});
  for (const TPoint scroll : {TPoint{0, 0}, TPoint{37, 0}, TPoint{37, 300}, TPoint{0, 5}}) {
    painter.SetScroll(scroll);
    painter.UpdateBoards();
    const TMapViewPainter::TScreen screen = painter.Screen();
    const TGlimraBoard& board = painter.Front();
    ASSERT_EQ(screen.Width, board.GetWidth());
    ASSERT_EQ(screen.Height, 600);
    for (int y = 0; y < screen.Height; ++y)
      for (int x = 0; x < screen.Width; ++x)
        ASSERT_EQ(screen.Bits[size_t(y) * size_t(screen.Width) + size_t(x)],
                  ScreenColor(board.GetRow(y)[x]))
            << x << "," << y << " after a scroll to " << scroll.X << "," << scroll.Y;
  }
}

TEST_F(MapView, PaintingNeverRaises) {
  for (const TPoint p : {TPoint{0, 0}, TPoint{1, 0}, TPoint{2, 0}, TPoint{3, 0}}) {
    const uint16_t ids[] = {5144, 9999, 20000, 65535};
    map_->LowerLayer.SetCell(p.X, p.Y, ids[p.X]);
    map_->UpperLayer.SetCell(p.X, p.Y + 1, ids[p.X]);
  }
  TMapViewPainter painter;
  Show(painter, *map_, 32, TPoint{300, 200});
  map_->Events.Clear(); // the event map is stale now
  for (const int scale : {32, 16, 8, 4}) {
    painter.SetScale(scale);
    EXPECT_NO_THROW(painter.RepaintAll());
  }
  map_->Graphics().ReloadChipSet(nullptr); // unbound: the background and the marks only
  EXPECT_NO_THROW(painter.RepaintAll());
  map_->Graphics().ClearChipSetGraphic();
  painter.SetMap(nullptr, nullptr);
  EXPECT_NO_THROW(painter.RepaintAll());
  EXPECT_NO_THROW(painter.RepaintCells(TRect{0, 0, 5, 5}));
}

} // namespace
