#include "core/chipset_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/chip_palette.h"
#include "core/chip_set_graphic.h"
#include "core/chipset_record.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"

int ChipGridRows(int tab) {
  return tab == ctUpper ? UpperChipRows : LowerChipRows;
}

int ChipGridTileId(int tab, int index) {
  if (tab == ctUpper) return UpperChipId + index;
  if (index < 3) return index * 1000 + PaletteFormVariant;
  if (index < AutoTileBlockFirst) return AnimatedChipId + 50 * (index - AnimatedBlockFirst);
  if (index < LowerChipBlockFirst)
    return AutoTileChipId + PaletteFormVariant + 50 * (index - AutoTileBlockFirst);
  return ChipIndexToId(index);
}

int ChipAtPixel(int tab, int x, int y) {
  if (x < 0 || y < 0 || x >= ChipGridWidth) return -1;
  const int row = y / ChipCellSize;
  if (row >= ChipGridRows(tab)) return -1;
  return row * ChipGridColumns + x / ChipCellSize;
}

TPoint ChipHoverPos(int tab, TPoint pos) {
  if (tab == ctUpper && pos.X >= 0 && pos.Y >= 0 && pos.X < ChipCellSize && pos.Y < ChipCellSize)
    return TPoint{-1, -1};
  return pos;
}

bool SquareAllowed(int tab, int index) {
  return tab == ctLower && index >= AutoTileBlockFirst && index < LowerChipBlockFirst;
}

uint8_t NextPassability(uint8_t flags, bool leftButton, bool squareAllowed) {
  constexpr uint8_t directions = PassAllDirections;
  constexpr uint8_t starAndSquare = PassStar | PassSquare;
  if (flags & PassSquare) {
    flags &= uint8_t(~starAndSquare);
    return leftButton ? uint8_t(flags | directions) : uint8_t(flags | directions | PassStar);
  }
  if (flags & PassStar) {
    if (!leftButton) return uint8_t(flags & ~(directions | PassStar));
    if (squareAllowed) return uint8_t((flags & ~directions) | starAndSquare);
    return uint8_t(flags & ~PassStar);
  }
  if ((flags & directions) == 0)
    return leftButton ? uint8_t(flags | directions | PassStar) : uint8_t(flags | directions);
  if (leftButton) return uint8_t(flags & ~directions);
  if (squareAllowed) return uint8_t((flags & ~directions) | starAndSquare);
  return uint8_t(flags | PassStar);
}

uint8_t TriangleBit(int x, int y) {
  if (y < x) return y < ChipCellSize - x ? PassUp : PassRight;
  return y < ChipCellSize - x ? PassLeft : PassDown;
}

TRect DigitRect(int digit) {
  return Bounds(digit * 8, 0, 8, 16);
}

TRect SymbolRect(int symbol) {
  return Bounds((symbol % 5) * 16, 16 + (symbol / 5) * 16, 16, 16);
}

TChipOverlay ChipOverlay(TChipEditMode mode, int value, int x, int y, bool hovered,
                         uint8_t hoverBit) {
  TChipOverlay overlay;
  const auto add = [&](const TRect& source, int dx, int dy, bool highlight) {
    overlay.Labels[size_t(overlay.Count++)] = TChipLabel{source, TPoint{x + dx, y + dy}, highlight};
  };
  switch (mode) {
  case TChipEditMode::Terrain: {
    if (value < 1) break;
    char digits[12];
    const int n = std::snprintf(digits, sizeof digits, "%d", value);
    const int count = std::min(n, int(overlay.Labels.size()));
    // Right-aligned on the cell's middle, four digits filling it.
    const int left = std::max(0, (4 - count) * 4);
    for (int k = 0; k < count; ++k)
      add(DigitRect(digits[k] - '0'), left + k * 8, 8, hovered);
    break;
  }
  case TChipEditMode::Passing: {
    int symbol = csCross;
    if (value & PassSquare)
      symbol = csSquare;
    else if (value & PassStar)
      symbol = csStar;
    else if (value & PassAllDirections)
      symbol = csCircle;
    add(SymbolRect(symbol), 8, 8, hovered);
    break;
  }
  case TChipEditMode::FourDirections: {
    struct TArrow {
      uint8_t Bit;
      int Symbol;
      int Dx, Dy;
    };
    static constexpr TArrow arrows[] = {{PassDown, csDown, 8, 16},
                                        {PassLeft, csLeft, 0, 8},
                                        {PassRight, csRight, 16, 8},
                                        {PassUp, csUp, 8, 0}};
    for (const TArrow& a : arrows)
      add(SymbolRect(value & a.Bit ? a.Symbol : csClosed), a.Dx, a.Dy,
          hovered && hoverBit == a.Bit);
    break;
  }
  case TChipEditMode::Counter:
    add(SymbolRect(value & PassCounter ? csCounter : csClosed), 8, 8, hovered);
    break;
  }
  return overlay;
}

void DrawChipCell(TGlimraBoard& board, TXelChipSetGraphic& graphic, const TXelChipSetItem& item,
                  int tab, TChipEditMode mode, int index, TPoint hover, TGlimraSheet& labels,
                  TGlimraSheet& highlight) {
  const int column = index % ChipGridColumns;
  const int row = index / ChipGridColumns;
  if (index < 0 || row >= ChipGridRows(tab)) return;
  const int x = column * ChipCellSize;
  const int y = row * ChipCellSize;
  if (x + ChipCellSize > board.GetWidth() || y + ChipCellSize > board.GetHeight()) return;
  // A graphic that draws nothing must not leave the cell's last picture behind.
  for (int k = 0; k < ChipCellSize; ++k)
    std::memset(board.GetRow(y + k) + x, 0, ChipCellSize * sizeof(uint16_t));
  graphic.SetTransparent(false);
  graphic.DrawChip(board, x, y, ChipGridTileId(tab, index), 0, false, ChipCellSize);
  std::memset(board.GetRow(y + ChipCellSize - 1) + x, 0, ChipCellSize * sizeof(uint16_t));
  for (int k = 0; k < ChipCellSize; ++k)
    board.GetRow(y + k)[x + ChipCellSize - 1] = 0;

  int value;
  if (mode == TChipEditMode::Terrain)
    value = tab == ctLower ? item.GetChipTerrain(index) : 0;
  else
    value = tab == ctLower ? item.GetLowerPassability(index) : item.GetUpperPassability(index);
  const bool hovered =
      hover.X >= x && hover.X < x + ChipCellSize && hover.Y >= y && hover.Y < y + ChipCellSize;
  const uint8_t hoverBit = hovered ? TriangleBit(hover.X - x, hover.Y - y) : 0;
  const TChipOverlay overlay = ChipOverlay(mode, value, x, y, hovered, hoverBit);
  for (int k = 0; k < overlay.Count; ++k) {
    const TChipLabel& label = overlay.Labels[size_t(k)];
    board.DrawSheet(label.Dest.X, label.Dest.Y, label.Highlight ? highlight : labels, label.Source);
  }
}
