// Tile ids against palette indexes and palette cells, over every id range.
#include <gtest/gtest.h>

#include "core/chip_palette.h"

namespace {

TEST(ChipPalette, IdsAndIndexes) {
  struct Row {
    int id, index;
  };
  for (const Row& r : {Row{-1, -1},
                       {0, 0},
                       {999, 0},
                       {1000, 1},
                       {2999, 2},
                       {3000, 3},
                       {3149, 5},
                       {4000, 6},
                       {4049, 6},
                       {4599, 17},
                       {5000, 18},
                       {5143, 161},
                       {5144, 162}})
    EXPECT_EQ(ChipIdToIndex(r.id), r.index) << r.id;
  for (const Row& r :
       {Row{0, 0}, {2000, 2}, {3000, 3}, {3100, 5}, {4000, 6}, {4550, 17}, {5000, 18}, {5143, 161}})
    EXPECT_EQ(ChipIndexToId(r.index), r.id) << r.index;
}

TEST(ChipPalette, CellsToIds) {
  struct Row {
    int page, x, y, id;
  };
  for (const Row& r : {Row{0, 0, 0, 49},
                       {0, 1, 0, 1049},
                       {0, 2, 0, 2049},
                       {0, 3, 0, 3000},
                       {0, 5, 0, 3100},
                       {0, 0, 1, 4049},
                       {0, 5, 2, 4599},
                       {0, 0, 3, 5000},
                       {0, 5, 26, 5143},
                       {0, 0, 27, -1},
                       {0, 6, 0, -1},
                       {0, -1, 0, -1},
                       {1, 0, 0, 10000},
                       {2, 5, 23, 10143},
                       {1, 0, 24, -1},
                       {3, 0, 0, -1}})
    EXPECT_EQ(PaletteCellToChipId(r.page, r.x, r.y), r.id) << r.page << " " << r.x << " " << r.y;
}

TEST(ChipPalette, IdsToCells) {
  const TPoint none{-1, -1};
  for (int id = 4001; id <= 4048; ++id)
    EXPECT_EQ(ChipIdToPaletteCell(0, id), none) << id; // autotile variants have no cell
  for (int id = 0; id < 3000; ++id)
    EXPECT_EQ(ChipIdToPaletteCell(0, id), (TPoint{id / 1000, 0})) << id;
  struct Row {
    int page, id;
    TPoint cell;
  };
  for (const Row& r :
       {Row{0, 4049, {0, 1}},
        {0, 3000, {3, 0}},
        {0, 3149, {5, 0}},
        {0, 4599, {5, 2}},
        {0, 5000, {0, 3}},
        {0, 5143, {5, 26}},
        {1, 10000, {0, 0}},
        {2, 10143, {5, 23}},
        // Outside their own part of the page: no cell, so a pick clears the selection.
        {0, 3150, none},
        {0, 4649, none},
        {0, 5144, none},
        {0, 9999, none},
        {0, 65535, none},
        {1, 9999, none},
        {1, 10144, none},
        {2, 20000, none},
        {3, 10000, none},
        {0, -1, none}})
    EXPECT_EQ(ChipIdToPaletteCell(r.page, r.id), r.cell) << r.page << " " << r.id;
  // Every cell of every page comes back from its own id.
  for (int page = 0; page < PalettePageCount; ++page)
    for (int y = 0; y < PaletteRows(page); ++y)
      for (int x = 0; x < PaletteColumns; ++x)
        EXPECT_EQ(ChipIdToPaletteCell(page, PaletteCellToChipId(page, x, y)), (TPoint{x, y}));
}

TEST(ChipPalette, DragSelection) {
  struct Row {
    int page;
    TPoint anchor, cell;
    TRect selection;
  };
  for (const Row& r :
       {Row{0, {2, 10}, {2, 20}, {2, 10, 3, 16}}, // at most six rows
        Row{0, {2, 10}, {9, 4}, {2, 5, 6, 11}}, Row{1, {3, 2}, {-4, -9}, {0, 0, 4, 3}},
        Row{0, {0, 25}, {0, 40}, {0, 25, 1, 27}},
        Row{2, {3, 2}, {5, 6}, {3, 2, 4, 3}}}) // the event page: one cell
    EXPECT_EQ(PaletteDragSelection(r.page, r.anchor, r.cell), r.selection) << r.page;
}

TEST(ChipPalette, PickAndLiftForms) {
  struct Row {
    int id, palette, base;
  };
  for (const Row& r : {Row{4046, 4049, 4000},
                       {1234, 1049, 1200},
                       {49, 49, 0},
                       {3075, 3099, 3050},
                       {5010, 5010, 5010},
                       {10003, 10003, 10003}})
    EXPECT_EQ(std::make_pair(ChipPaletteForm(r.id), ChipBaseForm(r.id)),
              std::make_pair(r.palette, r.base))
        << r.id;
}

} // namespace
