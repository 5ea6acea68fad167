// Tile ids against palette indexes and palette cells.
//
// The palette shows one page per editing mode, 6 cells wide: page 0 the 162 lower-layer
// entries (water 0..2, animated 3..5, terrain autotiles 6..17, plain chips 18..161),
// pages 1 and 2 the 144 upper chips, page 3 nothing. A palette cell stands for an
// autotile in its palette form: the base id plus 49. The autotile engine turns any stored
// variant back into its palette index with ChipIdToIndex.
#pragma once

#include "core/geometry.h"

// Where the kinds of tile id begin, and the variant that marks an autotile's palette form.
inline constexpr int AnimatedChipId = 3000;
inline constexpr int AutoTileChipId = 4000;
inline constexpr int LowerChipId = 5000;
inline constexpr int UpperChipId = 10000;
inline constexpr int PaletteFormVariant = 49;

inline constexpr int PaletteColumns = 6;
inline constexpr int PalettePageCount = 4;

// Rows of palette page Page (27, 24, 24, 0); 0 for any other page.
int PaletteRows(int page);

// The palette index of a tile id; every variant of an autotile gives its block. -1 for a
// negative id; ids beyond the plain chips give indexes past the page (5144 -> 162).
int ChipIdToIndex(int id);
// The base id of a palette index: water i * 1000, animated 3000 + 50 steps, autotiles
// 4000 + 50 steps, plain chips i + 4982.
int ChipIndexToId(int index);

// The tile id that palette cell (X, Y) of Page stands for; -1 outside the page.
int PaletteCellToChipId(int page, int x, int y);
// The palette cell that shows tile Id on Page, (-1, -1) when none does: autotile variants
// other than the palette form, and ids whose index lies outside their own part of the page
// (plain chips from 5144, upper chips outside 10000..10143, animated ids from 3150,
// terrain ids from 4600) have no cell.
TPoint ChipIdToPaletteCell(int page, int id);

// The selection of a palette drag from cell Anchor to cell Cell of Page: the rectangle
// spanned by both (included), Cell clamped to the page and its row to Anchor's +-5, so a
// block is at most 6 x 6; the event page (2) keeps the one anchor cell.
TRect PaletteDragSelection(int page, TPoint anchor, TPoint cell);

// The palette form of a lower-layer id that a pick from the map gives: water
// (id div 1000) * 1000 + 49, animated and autotiles (id div 50) * 50 + 49, others as they
// are.
int ChipPaletteForm(int id);
// The base form of a lower-layer id (below 5000 rounded down to a multiple of 50): what a
// lifted block leaves behind.
int ChipBaseForm(int id);
