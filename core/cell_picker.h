// The graphic-cell pickers without their widgets: where each character, face and chip
// lies on the sheets and on the preview boards, which cell a click hits, the chip pages,
// and how values from the data that lie outside their ranges are shown.
#pragma once

#include "core/geometry.h"

// Walk graphics: 8 characters of 3 patterns x 4 directions of 24 x 32 cells, shown at
// twice their size, 4 to a row, on a 192 x 128 board.
inline constexpr int CharCount = 8;
inline constexpr int CharCellWidth = 24;
inline constexpr int CharCellHeight = 32;
inline constexpr int CharViewWidth = 192;
inline constexpr int CharViewHeight = 128;
inline constexpr int DirectionCount = 4; // up, right, down, left
inline constexpr int PatternCount = 3;   // left, middle, right
inline constexpr int DefaultDirection = 2;
inline constexpr int DefaultPattern = 1;
// Face graphics: 16 faces of 48 x 48, 4 to a row, on a 192 x 192 sheet.
inline constexpr int FaceCount = 16;
inline constexpr int FaceSize = 48;
inline constexpr int FaceViewSize = 192;
// Upper-layer chips: 3 pages of 6 x 8; a layer's whole palette is 6 x 24 chips.
inline constexpr int ChipSize = 32;
inline constexpr int ChipColumns = 6;
inline constexpr int ChipsPerPage = 48;
inline constexpr int ChipPageCount = 3;
inline constexpr int ChipCount = 144;
inline constexpr int ChipPageWidth = ChipColumns * ChipSize;                 // 192
inline constexpr int ChipPageHeight = ChipsPerPage / ChipColumns * ChipSize; // 256
inline constexpr int ChipPaletteHeight = ChipCount / ChipColumns * ChipSize; // 768

// The cell of a character with a pattern and a direction on a walk graphic sheet.
TRect CharCellRect(int charIndex, int pattern, int direction);
// Where a character is shown on the walk graphic board.
TRect CharViewRect(int charIndex);
// The character under a point of the board; -1 outside it.
int CharIndexAt(int x, int y);

TRect FaceRect(int faceIndex);
int FaceIndexAt(int x, int y);

// The chip page (0..2) that shows ChipId; a ChipId outside 0..143 shows the first.
int ChipPageOf(int chipId);
// ChipId as the chip views show and frame it: itself within 0..143, else 0.
int ShownChipId(int chipId);
// ChipId after the author turns to Page: the same place on the new page.
int ChipIdOnPage(int page, int chipId);
// The tile id of the chip at (Column, Row) of a page of upper-layer chips.
int PageChipTileId(int page, int column, int row);
// Where a chip (already brought into range) lies on its page's board, or (for Page -1)
// on the whole palette.
TRect ChipRectOnPage(int chipId, int page);
// The chip under a point of a page's board (-1 outside), or of the palette for Page -1.
int ChipIdAt(int page, int x, int y);

// The chip-replacement picker's chips: tile ids of the lower (Layer 0) or upper layer.
int PaletteChipTileId(int layer, int chipIndex);
// The palette's scroll position that puts ChipIndex's row four rows below the top,
// within 0 .. (the palette's height - ViewHeight).
int PaletteScrollFor(int chipIndex, int viewHeight);

// A value from the data brought into its range only to be shown.
int ShownIndex(int value, int count);
