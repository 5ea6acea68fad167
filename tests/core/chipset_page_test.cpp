#include "core/chipset_page.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/chipset_record.h"

TEST(ChipSetPage, GridCellsShowTheirTiles) {
  struct Row {
    int tab, index, id;
  };
  // Water and terrain in their palette form (+49), animated tiles at their first frame,
  // then the plain chips from 5000 and the upper chips from 10000.
  for (const Row& r : std::vector<Row>{{ctLower, 0, 49},
                                       {ctLower, 1, 1049},
                                       {ctLower, 2, 2049},
                                       {ctLower, 3, 3000},
                                       {ctLower, 5, 3100},
                                       {ctLower, 6, 4049},
                                       {ctLower, 17, 4599},
                                       {ctLower, 18, 5000},
                                       {ctLower, 161, 5143},
                                       {ctUpper, 0, 10000},
                                       {ctUpper, 143, 10143}})
    EXPECT_EQ(ChipGridTileId(r.tab, r.index), r.id) << r.tab << "/" << r.index;

  EXPECT_EQ(ChipAtPixel(ctLower, 191, 863), 161);
  EXPECT_EQ(ChipAtPixel(ctLower, 40, 33), 7);
  EXPECT_EQ(ChipAtPixel(ctLower, 192, 0), -1);
  EXPECT_EQ(ChipAtPixel(ctLower, -1, 0), -1);
  EXPECT_EQ(ChipAtPixel(ctUpper, 0, 768), -1);
  EXPECT_EQ(ChipHoverPos(ctUpper, {31, 31}), (TPoint{-1, -1}));
  EXPECT_EQ(ChipHoverPos(ctUpper, {32, 0}), (TPoint{32, 0}));
  EXPECT_EQ(ChipHoverPos(ctLower, {0, 0}), (TPoint{0, 0}));
}

TEST(ChipSetPage, PassingClicksKeepTheBitsTheStatesDoNotName) {
  // (The page's tests run the four-state cycles through clicks.) A partly open chip counts
  // as a circle; the counter bit rides along.
  EXPECT_EQ(NextPassability(0x05, true, false), 0x00);
  EXPECT_EQ(NextPassability(0x45, false, false), 0x55);
  EXPECT_EQ(NextPassability(0x70, true, true), 0x4F);
  EXPECT_EQ(NextPassability(0x50, false, false), 0x40);
  for (int index : {0, 5, 6, 17, 18})
    EXPECT_EQ(SquareAllowed(ctLower, index), index >= 6 && index <= 17) << index;
  EXPECT_FALSE(SquareAllowed(ctUpper, 10));
}

TEST(ChipSetPage, TheDiagonalsCutACellIntoFourTriangles) {
  struct Row {
    int x, y;
    uint8_t bit;
  };
  for (const Row& r : std::vector<Row>{{16, 2, PassUp},
                                       {30, 16, PassRight},
                                       {2, 16, PassLeft},
                                       {16, 30, PassDown},
                                       {10, 10, PassLeft},
                                       {20, 12, PassRight},
                                       {16, 16, PassDown}})
    EXPECT_EQ(TriangleBit(r.x, r.y), r.bit) << r.x << "," << r.y;
}

TEST(ChipSetPage, OverlaysPlaceDigitsAndSymbols) {
  const auto sources = [](const TChipOverlay& o) {
    std::vector<int> v;
    for (int k = 0; k < o.Count; ++k) {
      const TChipLabel& l = o.Labels[size_t(k)];
      v.insert(v.end(), {l.Source.Left, l.Source.Top, l.Dest.X, l.Dest.Y, l.Highlight});
    }
    return v;
  };
  // Terrain ids stand centred, 8 pixels below the cell top; nothing below 1.
  EXPECT_EQ(sources(ChipOverlay(TChipEditMode::Terrain, 7, 32, 64, false, 0)),
            (std::vector<int>{56, 0, 44, 72, 0}));
  EXPECT_EQ(sources(ChipOverlay(TChipEditMode::Terrain, 205, 0, 0, true, 0)),
            (std::vector<int>{16, 0, 4, 8, 1, 0, 0, 12, 8, 1, 40, 0, 20, 8, 1}));
  EXPECT_EQ(ChipOverlay(TChipEditMode::Terrain, 1234, 0, 0, false, 0).Labels[0].Dest.X, 0);
  EXPECT_EQ(ChipOverlay(TChipEditMode::Terrain, 0, 0, 0, false, 0).Count, 0);
  // Passing: square over star over circle over X.
  struct Row {
    TChipEditMode mode;
    int flags;
    int symbol;
  };
  for (const Row& r : std::vector<Row>{{TChipEditMode::Passing, 0x3F, csSquare},
                                       {TChipEditMode::Passing, 0x1F, csStar},
                                       {TChipEditMode::Passing, 0x02, csCircle},
                                       {TChipEditMode::Passing, 0x40, csCross},
                                       {TChipEditMode::Counter, 0x40, csCounter},
                                       {TChipEditMode::Counter, 0x0F, csClosed}}) {
    const TChipOverlay o = ChipOverlay(r.mode, r.flags, 0, 0, false, 0);
    ASSERT_EQ(o.Count, 1);
    EXPECT_EQ(o.Labels[0].Source, SymbolRect(r.symbol)) << r.flags;
    EXPECT_EQ(o.Labels[0].Dest, (TPoint{8, 8}));
  }
  EXPECT_EQ(SymbolRect(csRight), (TRect{32, 32, 48, 48}));
  // Four directions: the arrow when open, the closed mark when not; only the arrow of the
  // triangle under the mouse is highlighted.
  EXPECT_EQ(
      sources(ChipOverlay(TChipEditMode::FourDirections, PassDown | PassUp, 0, 0, true, PassLeft)),
      (std::vector<int>{0, 32, 8, 16, 0, 64, 32, 0, 8, 1, 64, 32, 16, 8, 0, 48, 32, 8, 0, 0}));
}
