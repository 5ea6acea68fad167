// The chipset page's grid without its window: which tile each chip cell shows, how a
// click changes a chip's passability, which triangle of a cell the mouse is over, and
// which digits and symbols of the label sheets are drawn over a chip.
//
// The grid is 6 chips wide with 32-pixel cells; chip i sits at row i div 6, column i mod 6.
// The lower tab has 27 rows (162 chips), the upper one 24 (144 chips).
#pragma once

#include <array>
#include <cstdint>

#include "core/geometry.h"

class TGlimraBoard;
class TGlimraSheet;
class TXelChipSetGraphic;
class TXelChipSetItem;

inline constexpr int ChipCellSize = 32;
inline constexpr int ChipGridColumns = 6;
inline constexpr int ChipGridWidth = ChipCellSize * ChipGridColumns;
inline constexpr int LowerChipRows = 27;
inline constexpr int UpperChipRows = 24;
inline constexpr int ChipGridHeight = ChipCellSize * LowerChipRows;

enum TChipTab { ctLower = 0, ctUpper = 1 };
// What a click edits and what is drawn over the chips.
enum class TChipEditMode { Terrain, Passing, FourDirections, Counter };

// The rows of a tab (27 or 24).
int ChipGridRows(int tab);
// The tile id that chip Index of Tab shows: the palette form of a water or terrain tile,
// the first frame of an animated one, the plain chip otherwise.
int ChipGridTileId(int tab, int index);
// The chip under grid pixel (X, Y) of Tab; -1 outside the six columns and the tab's rows.
int ChipAtPixel(int tab, int x, int y);
// The hover position of grid pixel Pos: none ((-1, -1)) inside upper chip 0, which is
// never edited.
TPoint ChipHoverPos(int tab, TPoint pos);
// Whether a chip can take the square mark: lower chips 6..17 only.
bool SquareAllowed(int tab, int index);

// The flags after a "Passing, Block" click: the four states circle (some direction),
// X (none), star (all directions and star) and square (star and square, no directions)
// run circle, X, star[, square] with the left button and backwards with the right.
uint8_t NextPassability(uint8_t flags, bool leftButton, bool squareAllowed);
// The direction bit of the triangle under (X, Y) of a 32-pixel cell, the cell cut by its
// diagonals: up, right, left or down.
uint8_t TriangleBit(int x, int y);

// The label sheets (80 x 48): digits 0..9 of 8 x 16 in the top 16 rows, then ten 16 x 16
// symbols in two rows of five.
enum TChipSymbol {
  csCircle,
  csCross,
  csStar,
  csSquare,
  csCounter,
  csDown,
  csLeft,
  csRight,
  csUp,
  csClosed,
};
inline constexpr int LabelSheetWidth = 80;
inline constexpr int LabelSheetHeight = 48;
inline constexpr int LabelOpacity = 192;
TRect DigitRect(int digit);
TRect SymbolRect(int symbol);

// One piece of a chip's overlay: Source of a label sheet drawn at Dest, from the
// highlight sheet when Highlight is set.
struct TChipLabel {
  TRect Source;
  TPoint Dest;
  bool Highlight = false;
};
struct TChipOverlay {
  std::array<TChipLabel, 5> Labels;
  int Count = 0;
};
// The overlay of a chip whose cell starts at (X, Y): Value is its terrain id in Terrain
// mode, else its passability flags. Hovered tells that the mouse is over the cell, and
// HoverBit the triangle it is over (FourDirections highlights only that arrow).
TChipOverlay ChipOverlay(TChipEditMode mode, int value, int x, int y, bool hovered,
                         uint8_t hoverBit);

// Draws chip Index of Tab onto Board: the tile (opaque, black when the graphic has none),
// its black bottom row and right column, then the overlay of Mode. Hover is the mouse
// position in grid pixels ((-1, -1) for none).
void DrawChipCell(TGlimraBoard& board, TXelChipSetGraphic& graphic, const TXelChipSetItem& item,
                  int tab, TChipEditMode mode, int index, TPoint hover, TGlimraSheet& labels,
                  TGlimraSheet& highlight);
