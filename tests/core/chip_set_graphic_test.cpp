// Tiles drawn from a chipset image made by the test: every drawn 16 x 16 block is turned
// back into palette indexes and compared with pieces cut from the image at the places
// worked out by hand from the chipset layout.
#include <gtest/gtest.h>

#include <vector>

#include "core/chip_set_graphic.h"
#include "core/editor_mode.h"
#include "core/glimra_board.h"
#include "core/image_file.h"
#include "file_test_env.h"
#include "game_sheets.h"

namespace {

using Grid = std::vector<std::vector<int>>;
using Quarters = std::vector<std::pair<int, int>>; // 8-pixel units, from the image's corner

class ChipSetGraphic : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    ProjectPath = Path("proj/");
    image_ = MakeGameBitmap(480, 256, 7);
    FillPiece(image_, 192, 0, 16, 16, 0);        // lower chip 0 (id 5000): empty
    image_.SetIndexAt(208 + 3, 5, 0);            // lower chip 1: neither empty nor filled
    FillPiece(image_, 288, 128, 16, 16, 0);      // upper chip 0: empty
    CopyPiece(image_, 0, 128, 16, 128, 16, 16);  // block 6's second tile = its first
    CopyPiece(image_, 48, 192, 64, 128, 16, 16); // block 7's second tile = block 9's first
    CopyPiece(image_, 48, 192, 144, 0, 16, 16);  // ... and so is block 11's first
    Mkdir("proj/ChipSet");
    SaveBitmapToImageFile(image_, Path("proj/ChipSet/Meadow.png"));
    item_.Graphic = "Meadow";
    board_.SetSize(64, 64);
    FillBoard(board_, kBoardMarker);
  }

  // The palette indexes of the Size x Size square at (X, Y); -1 for a pixel that is not
  // a neutral game colour (the marker, or a toned colour).
  Grid Drawn(int x, int y, int size) {
    Grid g(size, std::vector<int>(size));
    for (int r = 0; r < size; ++r)
      for (int c = 0; c < size; ++c)
        g[r][c] = GameIndexOf(board_.GetRow(y + r)[x + c]).value_or(-1);
    return g;
  }
  // The 16 x 16 tile composed of four 8 x 8 quarters of the image.
  Grid Composed(const Quarters& q) {
    Grid g(16, std::vector<int>(16));
    for (int i = 0; i < 4; ++i)
      for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
          g[(i / 2) * 8 + r][(i % 2) * 8 + c] =
              image_.IndexAt(q[i].first * 8 + c, q[i].second * 8 + r);
    return g;
  }
  Grid Tile(int px, int py) {
    return Composed(
        {{px / 8, py / 8}, {px / 8 + 1, py / 8}, {px / 8, py / 8 + 1}, {px / 8 + 1, py / 8 + 1}});
  }
  Grid DrawAt(TXelChipSetGraphic& g, int id, int counter = 0, int size = 16) {
    FillBoard(board_, kBoardMarker);
    g.DrawChip(board_, 8, 8, id, counter, false, size);
    return Drawn(8, 8, size);
  }

  TBitmap image_;
  TXelChipSetItem item_{1};
  TGlimraBoard board_;
};

} // namespace

TEST_F(ChipSetGraphic, PlainLowerAndUpperChipsComeFromTheirColumns) {
  TXelChipSetGraphic g;
  g.SetChipSet(&item_);
  ASSERT_TRUE(g.IsLoaded());
  EXPECT_EQ(DrawAt(g, 5005), Tile(192 + 5 * 16, 0));
  EXPECT_EQ(DrawAt(g, 5006), Tile(192, 16));       // the next row of the first column
  EXPECT_EQ(DrawAt(g, 5000 + 95), Tile(272, 240)); // the last chip of the first column
  EXPECT_EQ(DrawAt(g, 5000 + 96), Tile(288, 0));
  EXPECT_EQ(DrawAt(g, 5143), Tile(368, 112));
  EXPECT_EQ(DrawAt(g, 10001), Tile(304, 128)); // upper chips follow in the second column
  EXPECT_EQ(DrawAt(g, 10047), Tile(368, 240));
  EXPECT_EQ(DrawAt(g, 10048), Tile(384, 0));
  EXPECT_EQ(DrawAt(g, 10143), Tile(464, 240));
  EXPECT_EQ(DrawAt(g, 19999), Tile(464, 240)); // upper ids clamp to the last chip
  // The opaque sheet draws an empty chip in colour 0.
  EXPECT_EQ(DrawAt(g, 5000), Grid(16, std::vector<int>(16, 0)));
}

TEST_F(ChipSetGraphic, ChipsScaleToTheSquareAndEmptyOnesVanishWhenTransparent) {
  TXelChipSetGraphic g;
  g.SetChipSet(&item_);
  const Grid tile = Tile(192 + 32, 0);
  Grid big = DrawAt(g, 5002, 0, 32), small = DrawAt(g, 5002, 0, 8);
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 32; ++c)
      ASSERT_EQ(big[r][c], tile[r / 2][c / 2]) << r << "," << c;
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c)
      ASSERT_EQ(small[r][c], tile[r * 2][c * 2]) << r << "," << c;

  g.SetTransparent(true);
  EXPECT_TRUE(g.Sheet.Transparent);
  DrawAt(g, 5000);
  EXPECT_TRUE(BoardUntouched(board_));
  DrawAt(g, 10000);
  EXPECT_TRUE(BoardUntouched(board_));
  // A chip with a few clear pixels is drawn, leaving the board under them.
  Grid part = DrawAt(g, 5001);
  EXPECT_EQ(part[5][3], -1);
  EXPECT_EQ(part[5][4], image_.IndexAt(208 + 4, 5));

  g.SetOpacityLevel(2);
  EXPECT_EQ(g.Sheet.Opacity, 195);
}

TEST_F(ChipSetGraphic, AnimatedTilesStepDownTheirColumnEverySixCounts) {
  TXelChipSetGraphic g;
  g.SetChipSet(&item_);
  EXPECT_EQ(DrawAt(g, 3000, 0), Tile(48, 64));
  EXPECT_EQ(DrawAt(g, 3000, 5), Tile(48, 64));
  EXPECT_EQ(DrawAt(g, 3000, 6), Tile(48, 80));
  EXPECT_EQ(DrawAt(g, 3049, 12), Tile(48, 96));
  EXPECT_EQ(DrawAt(g, 3050, 18), Tile(64, 112));
  EXPECT_EQ(DrawAt(g, 3149, 24), Tile(80, 64));
}

TEST_F(ChipSetGraphic, TerrainAutoTilesComposeQuartersOfEveryBlock) {
  TXelChipSetGraphic g;
  g.SetChipSet(&item_);
  // Origins of blocks 6..17 in 8-pixel units.
  const std::pair<int, int> origins[12] = {{0, 16},  {6, 16},  {0, 24},  {6, 24},
                                           {12, 0},  {18, 0},  {12, 8},  {18, 8},
                                           {12, 16}, {18, 16}, {12, 24}, {18, 24}};
  // Patterns and their quarters relative to the block.
  const std::pair<int, Quarters> patterns[] = {
      {0, {{2, 4}, {3, 4}, {2, 5}, {3, 5}}},  {15, {{4, 0}, {5, 0}, {4, 1}, {5, 1}}},
      {19, {{0, 4}, {5, 0}, {0, 5}, {5, 1}}}, {27, {{4, 0}, {5, 4}, {4, 1}, {5, 5}}},
      {33, {{2, 2}, {3, 2}, {2, 7}, {3, 7}}}, {37, {{4, 2}, {5, 2}, {4, 1}, {5, 3}}},
      {46, {{0, 2}, {5, 2}, {0, 7}, {5, 7}}}, {49, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
  };

  for (int b = 0; b < 12; ++b)
    for (const auto& [pattern, rel] : patterns) {
      Quarters q;
      for (auto [x, y] : rel)
        q.push_back({origins[b].first + x, origins[b].second + y});
      EXPECT_EQ(DrawAt(g, 4000 + 50 * b + pattern), Composed(q))
          << "block " << b + 6 << " pattern " << pattern;
    }
  // At 32 pixels each quarter fills a 16 x 16 square.
  Grid big = DrawAt(g, 4000 + 46, 0, 32);
  const Grid small = Composed({{0, 18}, {5, 18}, {0, 23}, {5, 23}});
  for (int r = 0; r < 32; ++r)
    for (int c = 0; c < 32; ++c)
      ASSERT_EQ(big[r][c], small[r / 2][c / 2]);
}

TEST_F(ChipSetGraphic, WaterTilesTakeEdgeQuartersAndTheSeaAnimation) {
  TXelChipSetGraphic g;
  g.SetChipSet(&item_);
  // Block 1, pattern 5 (0,6 1,8 0,9 1,7 shifted right by 6 where y < 8), edge mask 5
  // (quarters 0 and 2 from the edge quarters 0,10 and 0,11); counter 24 is the second
  // frame, two units to the right.
  EXPECT_EQ(DrawAt(g, 1000 + 5 * 50 + 5, 24), Composed({{2, 10}, {3, 8}, {2, 11}, {9, 7}}));
  // Block 2, pattern 16 (0,2 1,8 0,3 1,9 moved down by 6 where y >= 8), mask 8 (quarter 3
  // from 1,13); fast "1-2-3" sea: counter 48 is step 4 mod 3 = 1.
  item_.SeaAnimationType = 1;
  item_.SeaAnimationSpeed = 1;
  EXPECT_EQ(DrawAt(g, 2000 + 8 * 50 + 16, 48), Composed({{2, 2}, {3, 14}, {2, 3}, {3, 13}}));
  // Block 2's pattern 49 is its own whole tile; mask bit 16 counts for nothing.
  EXPECT_EQ(DrawAt(g, 2000 + 16 * 50 + 49, 0), Tile(0, 96));
  // Block 0's edge quarters.
  EXPECT_EQ(DrawAt(g, 15 * 50 + 3, 0), Composed({{0, 10}, {1, 10}, {0, 11}, {1, 11}}));
  // Slow "1-2-3-2": frames 0, 2, 4, 2 units right, one every 24 counts.
  item_.SeaAnimationType = 0;
  item_.SeaAnimationSpeed = 0;
  const int steps[] = {0, 0, 2, 4, 2, 0};
  const int counters[] = {0, 23, 24, 48, 72, 96};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(DrawAt(g, 0, counters[i]), Tile(steps[i] * 8, 64)) << counters[i];
}

TEST_F(ChipSetGraphic, MatchingBlocksAndFilledAndEmptyFlags) {
  TXelChipSetGraphic g;
  g.SetChipSet(&item_);
  EXPECT_EQ(g.GetMatchingBlock(6), 6);
  EXPECT_EQ(g.GetMatchingBlock(7), 9); // 9 and 11 both match; the first wins
  EXPECT_EQ(g.GetMatchingBlock(8), -1);
  EXPECT_EQ(g.GetMatchingBlock(2), 0);
  EXPECT_EQ(g.GetMatchingBlock(18), -1);
  EXPECT_EQ(g.GetMatchingBlock(-1), -1);
  EXPECT_TRUE(g.Blocks[0].Filled);
  EXPECT_TRUE(g.Blocks[5].Filled);
  EXPECT_TRUE(g.Blocks[17].Filled);
  EXPECT_TRUE(g.Blocks[18].Empty);
  EXPECT_FALSE(g.Blocks[18].Filled);
  EXPECT_FALSE(g.Blocks[19].Empty);
  EXPECT_FALSE(g.Blocks[19].Filled);
  EXPECT_TRUE(g.Blocks[20].Filled);
  EXPECT_TRUE(g.UpperChips[0].Empty);
  EXPECT_FALSE(g.UpperChips[1].Empty);

  // A hole in the deep water unfills the three water blocks and nothing else.
  image_.SetIndexAt(40, 100, 0);
  SaveBitmapToImageFile(image_, Path("proj/ChipSet/Sea.png"));
  g.LoadGraphic("Sea");
  EXPECT_FALSE(g.Blocks[1].Filled);
  EXPECT_TRUE(g.Blocks[3].Filled);

  // An unloaded graphic has the flags that a scan of a clear image gives.
  FillPiece(image_, 0, 0, 480, 256, 0);
  SaveBitmapToImageFile(image_, Path("proj/ChipSet/Clear.png"));
  TXelChipSetGraphic scanned, unloaded;
  scanned.LoadGraphic("Clear");
  ASSERT_TRUE(scanned.IsLoaded());
  for (int b = 0; b < LowerChipCount; ++b) {
    EXPECT_EQ(scanned.Blocks[b].MatchingBlock, unloaded.Blocks[b].MatchingBlock) << b;
    EXPECT_EQ(scanned.Blocks[b].Empty, unloaded.Blocks[b].Empty) << b;
    EXPECT_EQ(scanned.Blocks[b].Filled, unloaded.Blocks[b].Filled) << b;
  }
  for (int i = 0; i < UpperChipCount; ++i)
    EXPECT_EQ(scanned.UpperChips[i].Empty, unloaded.UpperChips[i].Empty) << i;
}

TEST_F(ChipSetGraphic, TheDimmedSheetExistsAndDrawsOnlyInEditorMode) {
  {
    TXelChipSetGraphic plain;
    EXPECT_EQ(plain.DimSheet, nullptr);
    plain.SetChipSet(&item_);
    EXPECT_EQ(DrawAt(plain, 5005), Tile(272, 0));
    plain.DrawChip(board_, 8, 8, 5005, 0, true, 16); // dimmed is ignored
    EXPECT_EQ(Drawn(8, 8, 16), Tile(272, 0));
  }
  TApplicationTagScope editor(EditorModeTag);
  TXelChipSetGraphic g;
  ASSERT_NE(g.DimSheet, nullptr);
  g.SetChipSet(&item_);
  // The dimmed colours: tone 90 and saturation 60 over the same palette.
  TGlimraSheet reference;
  reference.Palette() = image_.Palette();
  reference.Tone1.SetTone(90, 90, 90, 60);
  FillBoard(board_, kBoardMarker);
  g.DrawChip(board_, 8, 8, 5005, 0, true, 16);
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c)
      ASSERT_EQ(board_.GetRow(8 + r)[8 + c], reference.ColorTable()[image_.IndexAt(272 + c, r)]);
  EXPECT_EQ(DrawAt(g, 5005), Tile(272, 0));
}

TEST_F(ChipSetGraphic, IdsWithoutAPictureAndMissingGraphicsDrawNothing) {
  TXelChipSetGraphic g;
  for (int id : {0, 5005, 10005})
    g.DrawChip(board_, 8, 8, id, 0, false, 16); // nothing bound
  EXPECT_TRUE(BoardUntouched(board_));
  g.SetChipSet(&item_);
  for (int id : {-1, 3150, 3999, 4600, 4999, 5144, 9999, 20000, 65535})
    g.DrawChip(board_, 8, 8, id, 0, false, 16);
  for (int size : {0, -16})
    g.DrawChip(board_, 8, 8, 5005, 0, false, size);
  EXPECT_TRUE(BoardUntouched(board_));

  // A missing image: outside editor mode the error reaches the caller, in editor mode
  // it is swallowed; either way nothing draws afterwards.
  item_.Graphic = "Nowhere";
  EXPECT_THROW(g.SetChipSet(&item_), EFileError);
  EXPECT_FALSE(g.IsLoaded());
  g.DrawChip(board_, 8, 8, 5005, 0, false, 16);
  EXPECT_TRUE(BoardUntouched(board_));
  Put("proj/ChipSet/Broken.xyz", "XYZ1 not an image");
  {
    TApplicationTagScope editor(EditorModeTag);
    g.LoadGraphic("Broken");
    EXPECT_FALSE(g.IsLoaded());
    g.DrawChip(board_, 8, 8, 4000, 0, true, 16);
  }
  EXPECT_TRUE(BoardUntouched(board_));
  // A name with a folder part never reaches a file outside the chipset folder.
  Put("proj/Escape.png", Get("proj/ChipSet/Meadow.png"));
  EXPECT_THROW(g.LoadGraphic("../Escape"), EFileError);
  EXPECT_FALSE(g.IsLoaded());

  // Clear unbinds; the same chipset loads again afterwards.
  item_.Graphic = "Meadow";
  g.Clear();
  EXPECT_EQ(g.ChipSet, nullptr);
  EXPECT_EQ(g.FileName, "");
  g.SetChipSet(&item_);
  EXPECT_TRUE(g.IsLoaded());
  EXPECT_EQ(DrawAt(g, 5005), Tile(272, 0));
}
