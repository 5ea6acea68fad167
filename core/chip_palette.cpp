#include "core/chip_palette.h"

#include <algorithm>

#include "core/chip_set_graphic.h"

namespace {

TPoint CellOfIndex(int index, int rows) {
  if (index < 0 || index >= PaletteColumns * rows) return {-1, -1};
  return {index % PaletteColumns, index / PaletteColumns};
}

} // namespace

int PaletteRows(int page) {
  switch (page) {
  case 0:
    return LowerChipCount / PaletteColumns;
  case 1:
  case 2:
    return UpperChipCount / PaletteColumns;
  default:
    return 0;
  }
}

int ChipIdToIndex(int id) {
  if (id < 0) return -1;
  if (id < AnimatedChipId) return id / 1000;
  if (id < AutoTileChipId) return (id - AnimatedChipId) / 50 + AnimatedBlockFirst;
  if (id < LowerChipId) return (id - AutoTileChipId) / 50 + AutoTileBlockFirst;
  return id - LowerChipId + LowerChipBlockFirst;
}

int ChipIndexToId(int index) {
  if (index < AnimatedBlockFirst) return index * 1000;
  if (index < AutoTileBlockFirst) return (index - AnimatedBlockFirst) * 50 + AnimatedChipId;
  if (index < LowerChipBlockFirst) return (index - AutoTileBlockFirst) * 50 + AutoTileChipId;
  return index - LowerChipBlockFirst + LowerChipId;
}

int PaletteCellToChipId(int page, int x, int y) {
  if (x < 0 || x >= PaletteColumns || y < 0 || y >= PaletteRows(page)) return -1;
  const int i = x + PaletteColumns * y;
  if (page != 0) return i + UpperChipId;
  // Water and terrain autotiles show their palette form; animated tiles and plain chips
  // are their base id.
  const bool autotile =
      i < AnimatedBlockFirst || (i >= AutoTileBlockFirst && i < LowerChipBlockFirst);
  return ChipIndexToId(i) + (autotile ? PaletteFormVariant : 0);
}

TPoint ChipIdToPaletteCell(int page, int id) {
  const int rows = PaletteRows(page);
  if (page == 1 || page == 2)
    return id >= UpperChipId ? CellOfIndex(id - UpperChipId, rows) : TPoint{-1, -1};
  if (page != 0 || id < 0) return {-1, -1};
  const int index = ChipIdToIndex(id);
  if (id < AnimatedChipId) return {index, 0};
  if (id < AutoTileChipId) return index < AutoTileBlockFirst ? TPoint{index, 0} : TPoint{-1, -1};
  if (id < LowerChipId) {
    if (id % 50 != PaletteFormVariant || index > AutoTileBlockLast) return {-1, -1};
    return CellOfIndex(index, rows);
  }
  return CellOfIndex(index, rows);
}

TRect PaletteDragSelection(int page, TPoint anchor, TPoint cell) {
  constexpr int kReach = 5;
  if (page != 0 && page != 1) return Bounds(anchor.X, anchor.Y, 1, 1);
  cell.X = std::clamp(cell.X, 0, PaletteColumns - 1);
  cell.Y = std::clamp(std::clamp(cell.Y, 0, std::max(PaletteRows(page) - 1, 0)), anchor.Y - kReach,
                      anchor.Y + kReach);
  return TRect{std::min(anchor.X, cell.X), std::min(anchor.Y, cell.Y),
               std::max(anchor.X, cell.X) + 1, std::max(anchor.Y, cell.Y) + 1};
}

int ChipPaletteForm(int id) {
  if (id < 0) return id;
  if (id < AnimatedChipId) return id / 1000 * 1000 + PaletteFormVariant;
  if (id < LowerChipId) return id / 50 * 50 + PaletteFormVariant;
  return id;
}

int ChipBaseForm(int id) {
  return id >= 0 && id < LowerChipId ? id / 50 * 50 : id;
}
