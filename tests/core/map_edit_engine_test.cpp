// The map editor's work on the layers: autotiles (expected ids worked out by hand from the
// neighbour codes), pen, shapes, seed fill, selection, clipboard block 562 and undo.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/chip_palette.h"
#include "core/errors.h"
#include "core/map.h"
#include "core/map_edit_engine.h"
#include "core/map_region_clip.h"

namespace {

constexpr int kPlain = 5000; // the plain chip every test map starts with
constexpr int kWall = 5001;
constexpr int kPaint = 5100;

using Picture = std::vector<std::string>;

class MapEdit : public ::testing::Test {
protected:
  void SetUp() override { Make(20, 15); }

  void Make(int w, int h, uint8_t scroll_type = 0) {
    map_.SetWidth(w);
    map_.SetHeight(h);
    map_.SetScrollType(scroll_type);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        map_.LowerLayer.SetCell(x, y, kPlain);
    engine_.SetMap(&map_);
    engine_.SetMode(emLowerLayer);
    Pen(4049);
  }
  // '#' walls, '.' floor, from the top-left corner.
  void Draw(const Picture& p) {
    Make(int(p[0].size()), int(p.size()));
    for (int y = 0; y < int(p.size()); ++y)
      for (int x = 0; x < int(p[0].size()); ++x)
        map_.LowerLayer.SetCell(x, y, p[y][x] == '#' ? kWall : kPlain);
  }
  // 'o' painted, '#' wall, '.' floor.
  Picture Read() const {
    Picture p(map_.Height(), std::string(map_.Width(), '?'));
    for (int y = 0; y < map_.Height(); ++y)
      for (int x = 0; x < map_.Width(); ++x) {
        const int id = Lower(x, y);
        p[y][x] = id == kPaint ? 'o' : id == kWall ? '#' : id == kPlain ? '.' : '?';
      }
    return p;
  }
  void Pen(int id) {
    engine_.Pen().SetSize(1, 1);
    engine_.Pen().SetCell(0, 0, uint16_t(id));
  }
  int Lower(int x, int y) const { return map_.LowerLayer.GetCell(x, y); }
  void PutAt(int x, int y) {
    engine_.BeginStroke({x, y}, {0, 0});
    engine_.PutPen(x, y);
    engine_.EndStroke();
  }
  void Rectangle(TPoint a, TPoint b) {
    engine_.BeginStroke(a, {0, 0});
    engine_.DrawShape(false, ShapeRect(a, b), {});
    engine_.EndStroke();
  }
  void Fill(int x, int y) {
    engine_.BeginStroke({x, y}, {0, 0});
    engine_.SeedFill(x, y);
    engine_.EndStroke();
  }
  std::vector<uint16_t> Bytes() const {
    std::vector<uint16_t> b = map_.LowerLayer.Cells();
    b.insert(b.end(), map_.UpperLayer.Cells().begin(), map_.UpperLayer.Cells().end());
    return b;
  }

  TXelMap map_;
  TMapEditEngine engine_;
};

TEST_F(MapEdit, PenBlockStopsOutsideItsSixBySix) {
  TXelCurrentChip chip;
  chip.SetCell(5, 5, 4049);
  EXPECT_EQ(chip.GetCell(5, 5), 4049);
  for (const TPoint p : {TPoint{6, 0}, TPoint{0, 6}, TPoint{-1, 0}, TPoint{0, -1}}) {
    EXPECT_THROW(chip.SetCell(p.X, p.Y, 1), EAssertionFailed);
    EXPECT_THROW(chip.GetCell(p.X, p.Y), EAssertionFailed);
  }
  try {
    chip.GetCell(0, 6);
  } catch (const EAssertionFailed& e) {
    EXPECT_NE(std::string(e.what()).find("Assertion failure (MapEditUtils"), std::string::npos);
  }
}

TEST_F(MapEdit, TerrainAloneAndInABlock) {
  PutAt(5, 5);
  EXPECT_EQ(Lower(5, 5), 4046); // every neighbour differs: code 255
  // A 3 x 3 block, whichever way it is drawn: the codes of its cells (N 32, NW 1 ...)
  // give variants 34 20 36 / 16 0 24 / 40 28 38.
  const int expected[3][3] = {{4034, 4020, 4036}, {4016, 4000, 4024}, {4040, 4028, 4038}};
  for (int way = 0; way < 3; ++way) {
    Make(20, 15);
    if (way == 0) Rectangle({10, 5}, {12, 7});
    if (way == 1) {
      engine_.Pen().SetSize(3, 3);
      for (int i = 0; i < 9; ++i)
        engine_.Pen().SetCell(i % 3, i / 3, 4049);
      PutAt(10, 5);
    }
    if (way == 2)
      for (int i = 0; i < 9; ++i)
        PutAt(10 + (i * 5) % 3, 5 + (i * 7) % 9 / 3); // one cell at a time, mixed order
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(Lower(10 + x, 5 + y), expected[y][x]) << "way " << way << " at " << x << "," << y;
  }
}

TEST_F(MapEdit, WaterCornersBesideDeepWater) {
  for (const TPoint p : {TPoint{4, 4}, TPoint{5, 4}, TPoint{4, 5}})
    map_.LowerLayer.SetCell(p.X, p.Y, 2000);
  Pen(49);
  PutAt(5, 5);
  // Deep water joins (block 2 matches 0), plain chips differ: code 206, variant 38, and the
  // north-west corner is open towards deep water: + 50.
  EXPECT_EQ(Lower(5, 5), 88);
  PutAt(10, 10);
  EXPECT_EQ(Lower(10, 10), 46);
}

TEST_F(MapEdit, ShiftPutsTheExactIdAndLeavesNeighbours) {
  Rectangle({10, 5}, {12, 7});
  const auto before = Bytes();
  engine_.RawFlag = true;
  Pen(4046);
  PutAt(11, 6);
  auto after = Bytes();
  EXPECT_EQ(Lower(11, 6), 4046);
  after[size_t(6 * 20 + 11)] = before[size_t(6 * 20 + 11)];
  EXPECT_EQ(after, before);
}

TEST_F(MapEdit, CtrlGivesTheMapEdgeABorder) {
  for (const bool edge : {false, true}) {
    Make(20, 15);
    engine_.EdgeFlag = edge;
    Fill(7, 7);
    EXPECT_EQ(Lower(0, 0), edge ? 4034 : 4000);
    EXPECT_EQ(Lower(5, 0), edge ? 4020 : 4000);
    EXPECT_EQ(Lower(19, 14), edge ? 4038 : 4000);
    EXPECT_EQ(Lower(7, 7), 4000);
  }
}

TEST_F(MapEdit, JoinsAcrossTheSeamOfALoopingMap) {
  Make(20, 15, 2); // loops horizontally
  PutAt(0, 3);
  EXPECT_EQ(Lower(0, 3), 4046); // its west neighbour is (19, 3), a plain chip
  PutAt(19, 3);
  EXPECT_EQ(Lower(0, 3), 4045);  // code 239: only the west side joins
  EXPECT_EQ(Lower(19, 3), 4043); // code 191: only the east side joins
  // A tile put beyond the seam wraps too.
  engine_.PutChipWrapped(-1, 8, true, true, 255, kPaint);
  EXPECT_EQ(Lower(19, 8), kPaint);
}

TEST_F(MapEdit, PenRepeatsFromTheStrokeOrigin) {
  engine_.Pen().SetSize(2, 3);
  for (int i = 0; i < 6; ++i)
    engine_.Pen().SetCell(i % 2, i / 2, uint16_t(5010 + i));
  engine_.BeginStroke({4, 5}, {1, 1}); // origin (3, 4)
  struct Row {
    int x, y, id;
  };
  for (const Row& r : {Row{3, 4, 5010},
                       {4, 4, 5011},
                       {2, 4, 5011},
                       {3, 5, 5012},
                       {3, 3, 5014},
                       {-1, 7, 5010},
                       {6, 2, 5013}})
    EXPECT_EQ(engine_.PenTile(r.x, r.y), r.id) << r.x << "," << r.y;
}

TEST_F(MapEdit, PenLineWalksBresenham) {
  struct Line {
    TPoint p, q;
    Picture cells;
  };
  for (const Line& l : {Line{{0, 0}, {5, 2}, {"oo....", "..oo..", "....oo"}},
                        Line{{1, 4}, {0, 0}, {"o.", "o.", ".o", ".o", ".o"}}}) {
    Draw(Picture(l.cells.size(), std::string(l.cells[0].size(), '.')));
    Pen(kPaint);
    engine_.BeginStroke(l.p, {0, 0});
    engine_.PenLine(l.p, l.q);
    EXPECT_EQ(Read(), l.cells);
  }
}

TEST_F(MapEdit, RectangleDraggedBackRestoresFromTheStrokeBase) {
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x)
      map_.LowerLayer.SetCell(x, y, uint16_t(5000 + (x * 3 + y) % 40));
  const auto base = map_.LowerLayer.Cells();
  Pen(kPaint);
  engine_.BeginStroke({2, 2}, {0, 0});
  engine_.DrawShape(false, TRect{2, 2, 9, 7}, {});
  engine_.DrawShape(false, TRect{2, 2, 5, 4}, TRect{2, 2, 9, 7});
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(Lower(x, y), (TRect{2, 2, 5, 4}.Contains(x, y) ? kPaint : base[size_t(y * 20 + x)]))
          << x << "," << y;
}

TEST_F(MapEdit, EllipsesAreSymmetricInsideTheirRectangle) {
  for (int w = 1; w <= 9; ++w)
    for (int h = 1; h <= 9; ++h) {
      Draw(Picture(h, std::string(w, '.'))); // the map is the ellipse's rectangle
      Pen(kPaint);
      engine_.BeginStroke({0, 0}, {0, 0});
      engine_.DrawShape(true, TRect{0, 0, w, h}, {});
      const Picture p = Read();
      std::string left;
      for (int y = 0; y < h; ++y) {
        EXPECT_EQ(p[y], std::string(p[y].rbegin(), p[y].rend())) << w << "x" << h;
        EXPECT_EQ(p[y], p[h - 1 - y]) << w << "x" << h;
        left += p[y][0];
      }
      // Touching all four sides (by the symmetry, top and left suffice); no more than 2 wide
      // or high: the whole rectangle.
      EXPECT_TRUE(p[0].find('o') != std::string::npos && left.find('o') != std::string::npos);
      if (w <= 2 || h <= 2) {
        EXPECT_EQ(p, Picture(h, std::string(w, 'o'))) << w << "x" << h;
      }
    }
}

TEST_F(MapEdit, SeedFill) {
  struct Case {
    Picture map;
    TPoint start;
    Picture filled;
  };
  const Picture spiral = {".........", "########.", ".......#.", ".#####.#.", ".#...#.#.",
                          ".#.###.#.", ".#.....#.", ".#######.", "........."};
  Picture spiral_filled = spiral;
  for (auto& row : spiral_filled)
    for (char& c : row)
      if (c == '.') c = 'o';
  const Picture ring = {".......", ".####..", ".#..#..", ".#..#..", "..###..", "......."};
  const Picture checker = {".#.#", "#.#.", ".#.#"};
  for (const Case& c : {
           Case{Picture(15, std::string(20, '.')), {3, 3}, Picture(15, std::string(20, 'o'))},
           Case{spiral, {3, 4}, spiral_filled},
           Case{checker, {0, 0}, {"o#.#", "#.#.", ".#.#"}},
           // A ring closed only diagonally at its lower left keeps the fill inside.
           Case{ring, {2, 2}, {".......", ".####..", ".#oo#..", ".#oo#..", "..###..", "......."}},
           // A start outside the map (a pen hanging over the edge) fills nothing.
           Case{ring, {-1, 2}, ring},
           Case{ring, {7, 0}, ring},
       }) {
    Draw(c.map);
    Pen(kPaint);
    Fill(c.start.X, c.start.Y);
    EXPECT_EQ(Read(), c.filled);
  }
}

// A fill gives the tiles of putting the pen on its cells one by one, each with its
// neighbours, after the region took the pen's blocks: on a maze and on a ragged region of
// mixed water, animated, terrain and plain walls, with and without Ctrl and a looping map.
TEST_F(MapEdit, SeedFillResolvesAsCellsOneByOne) {
  std::mt19937 rng(56);
  const auto wall = [&rng] {
    const int kinds[] = {int(rng() % 3000), 3000 + int(rng() % 150), 4000 + int(rng() % 600),
                         5000 + int(rng() % 144)};
    return kinds[rng() % 4];
  };
  for (int shape = 0; shape < 2; ++shape)
    for (const uint8_t scroll_type : {0, 3})
      for (const bool edge : {false, true}) {
        const int w = 31, h = 23;
        Make(w, h, scroll_type);
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            // Maze: corridors one cell wide on the even rows and columns. Ragged: 65 % open
            // at random, and every fourth row, so that the region reaches far.
            const bool open =
                shape == 0 ? x % 2 == 0 || y % 2 == 0 : y % 4 == 0 || rng() % 100 < 65;
            map_.LowerLayer.SetCell(x, y, uint16_t(open ? 4300 + rng() % 50 : wall()));
          }
        map_.LowerLayer.SetCell(4, 4, 4300);
        engine_.Pen().SetSize(2, 2);
        const uint16_t pen[] = {4049, 1049, 4149, 4049};
        for (int i = 0; i < 4; ++i)
          engine_.Pen().SetCell(i % 2, i / 2, pen[i]);
        engine_.EdgeFlag = edge;
        TXelMap reference;
        reference.SetWidth(w);
        reference.SetHeight(h);
        reference.SetScrollType(scroll_type);
        reference.LowerLayer.Assign(map_.LowerLayer);
        Fill(4, 4);

        TMapEditEngine one_by_one;
        one_by_one.SetMap(&reference);
        one_by_one.SetMode(emLowerLayer);
        one_by_one.Pen() = engine_.Pen();
        one_by_one.EdgeFlag = edge;
        one_by_one.BeginStroke({4, 4}, {0, 0});
        int filled = 0;
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) {
            if (!engine_.MaskAt(x, y)) continue;
            ++filled;
            const int block = ChipIndexToId(ChipIdToIndex(one_by_one.PenTile(x, y)));
            if (ChipIndexToId(ChipIdToIndex(reference.LowerLayer.GetCell(x, y))) != block)
              reference.LowerLayer.SetCell(x, y, uint16_t(block + 48));
          }
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x)
            if (engine_.MaskAt(x, y)) one_by_one.PutChipAndNeighbours(x, y);
        EXPECT_GT(filled, w * h / 2);
        EXPECT_EQ(map_.LowerLayer.Cells(), reference.LowerLayer.Cells())
            << "shape " << shape << " loop " << int(scroll_type) << " edge " << edge;
      }
}

TEST_F(MapEdit, ThreeStrokesUndoneRestoreTheExactLayers) {
  const auto start = Bytes();
  PutAt(3, 3);
  Rectangle({6, 6}, {9, 8});
  Fill(0, 14);
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(engine_.UndoLast());
  EXPECT_EQ(Bytes(), start);
  EXPECT_FALSE(engine_.UndoLast());
  EXPECT_EQ(Bytes(), start);
}

TEST_F(MapEdit, EachMapSetStartsAfreshAtItsOwnSize) {
  // The same size again, larger, smaller: each map starts with nothing to undo and a clear
  // mask whatever the previous one left, and its strokes undo or cancel to its own layers.
  for (const TPoint size : {TPoint{20, 15}, TPoint{20, 15}, TPoint{33, 21}, TPoint{9, 7}}) {
    Rectangle({1, 1}, {4, 3});
    Make(size.X, size.Y);
    EXPECT_FALSE(engine_.UndoLast());
    int masked = 0;
    for (int y = 0; y < size.Y; ++y)
      for (int x = 0; x < size.X; ++x)
        masked += engine_.MaskAt(x, y) != 0;
    EXPECT_EQ(masked, 0);
    const auto start = Bytes();
    engine_.BeginStroke({2, 2}, {0, 0});
    engine_.DrawShape(true, ShapeRect({0, 0}, {5, 4}), {});
    EXPECT_NE(Bytes(), start);
    engine_.CancelStroke();
    EXPECT_EQ(Bytes(), start);
    PutAt(size.X - 1, size.Y - 1);
    Rectangle({0, 0}, {size.X - 1, 2});
    EXPECT_TRUE(engine_.UndoLast());
    EXPECT_TRUE(engine_.UndoLast());
    EXPECT_EQ(Bytes(), start) << size.X;
  }
}

TEST_F(MapEdit, UndoAfterPasteClearAndMove) {
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x)
      map_.UpperLayer.SetCell(x, y, uint16_t(10000 + (x + y) % 144));
  const auto start = Bytes();
  for (int step = 0; step < 3; ++step) {
    engine_.Lift(TRect{2, 2, 6, 5});
    if (step == 0) engine_.Paste(*ParseMapRegionClip(engine_.CopySelection()), {10, 8});
    if (step == 1) engine_.ClearSelection();
    if (step == 2) {
      engine_.BeginMove();
      engine_.MoveSelection(3, 1);
      engine_.MoveSelection(-1, 2);
    }
    EXPECT_NE(Bytes(), start) << step;
    EXPECT_TRUE(engine_.UndoLast());
    EXPECT_EQ(Bytes(), start) << step;
  }
}

TEST_F(MapEdit, ClearLeavesTheLowerPensBaseTile) {
  engine_.Lift(TRect{2, 2, 5, 4});
  engine_.ClearSelection();
  for (int y = 2; y < 4; ++y)
    for (int x = 2; x < 5; ++x)
      EXPECT_EQ(std::make_pair(Lower(x, y), map_.UpperLayer.GetCell(x, y)),
                std::make_pair(4000, 10000));
  EXPECT_TRUE(map_.Modified);
}

TEST_F(MapEdit, CopyGivesBlock562) {
  for (int x = 0; x < 2; ++x)
    for (int y = 0; y < 3; ++y) {
      map_.LowerLayer.SetCell(1 + x, 1 + y, uint16_t(0x1400 + 16 * x + y));
      map_.UpperLayer.SetCell(1 + x, 1 + y, uint16_t(0x2700 + 16 * x + y));
    }
  engine_.Lift(TRect{1, 1, 3, 4});
  // Width 2 and height 3, then x outer: (0,0) (0,1) (0,2) (1,0) ..., lower then upper.
  const std::vector<uint8_t> expected = {
      0x02, 0x00, 0x03, 0x00,                                                 //
      0x00, 0x14, 0x00, 0x27, 0x01, 0x14, 0x01, 0x27, 0x02, 0x14, 0x02, 0x27, // x = 0
      0x10, 0x14, 0x10, 0x27, 0x11, 0x14, 0x11, 0x27, 0x12, 0x14, 0x12, 0x27, // x = 1
  };
  EXPECT_EQ(engine_.CopySelection(), expected);
  EXPECT_TRUE(engine_.Selection.IsEmpty());
}

TEST_F(MapEdit, PasteBeyondTheEdgesWritesOnlyInside) {
  TXelMapLayer lower(0), upper(10000);
  lower.Resize(30, 30);
  upper.Resize(30, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      lower.SetCell(x, y, uint16_t(5000 + x + 30 * y));
      upper.SetCell(x, y, uint16_t(10000 + (x + y) % 144));
    }
  engine_.Paste(*ParseMapRegionClip(BuildMapRegionClip(lower, upper)), {-5, -3});
  ASSERT_EQ(map_.LowerLayer.Cells().size(), 20u * 15u);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(Lower(x, y), lower.GetCell(x + 5, y + 3));
  // Moving and clearing the block stay inside the map too.
  engine_.MoveSelection(7, 9);
  EXPECT_EQ(Lower(2, 6), lower.GetCell(0, 0));
  engine_.ClearSelection();
  EXPECT_EQ(Lower(19, 14), kPlain);
}

TEST_F(MapEdit, Block562ThatDoesNotCountChangesNothing) {
  std::vector<uint8_t> good = {1, 0, 2, 0, 1, 0, 2, 0, 3, 0, 4, 0};
  EXPECT_TRUE(ParseMapRegionClip(good).has_value());
  good.push_back(9); // bytes beyond the cells are ignored
  EXPECT_TRUE(ParseMapRegionClip(good).has_value());
  for (const std::vector<uint8_t>& bad : {
           std::vector<uint8_t>{1, 0, 2, 0, 1, 0, 2, 0, 3, 0, 4},    // truncated
           std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4}, // sides far beyond the bytes
           std::vector<uint8_t>{0, 0, 2, 0, 1, 2, 3, 4},             // width 0
           std::vector<uint8_t>{2, 0, 0, 0},                         // height 0
           std::vector<uint8_t>{1, 0, 1},                            // no header
       }) {
    EXPECT_FALSE(IsMapRegionClip(bad));
    EXPECT_FALSE(ParseMapRegionClip(bad).has_value());
  }
}

TEST_F(MapEdit, PickTakesPaletteForms) {
  const TPickDrag left = PickDrag({3, 2}, {0, 2}, 20, 15);
  EXPECT_EQ(left.Rect, (TRect{0, 2, 4, 3}));
  EXPECT_EQ(left.PenOffset, (TPoint{0, 0}));
  const TPickDrag far = PickDrag({3, 2}, {12, 40}, 20, 15); // at most 6 x 6, inside the map
  EXPECT_EQ(far.Rect, (TRect{3, 2, 9, 8}));
  EXPECT_EQ(far.PenOffset, (TPoint{5, 5}));
  map_.LowerLayer.SetCell(0, 0, 4046);
  map_.LowerLayer.SetCell(1, 0, 1234);
  for (const bool exact : {false, true}) {
    engine_.PickPen(TRect{0, 0, 2, 1}, exact);
    EXPECT_EQ(engine_.Pen().Width(), 2);
    EXPECT_EQ(std::make_pair(int(engine_.Pen().GetCell(0, 0)), int(engine_.Pen().GetCell(1, 0))),
              exact ? std::make_pair(4046, 1234) : std::make_pair(4049, 1049));
  }
}

} // namespace
