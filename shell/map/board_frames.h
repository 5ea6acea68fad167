// Frames drawn around a pixel rectangle on a board: a plain one-pixel frame, and the two
// styles the map views mark places with. Style colours are given as 0x00BBGGRR.
#pragma once

#include <cstdint>
#include <vector>

#include "core/geometry.h"

class TGlimraBoard;

// A one-pixel frame along the inside of Rect, clipped to the board.
void FrameBoardRect(TGlimraBoard& board, const TRect& rect, uint16_t color);
// The RGB565 value of a 0x00BBGGRR colour.
uint16_t BgrToRgb565(uint32_t bgr);
// One-pixel frames of a style, from the outside in; Color is 0x00BBGGRR. Canvases other
// than boards draw the styles from these.
struct TFrameRing {
  TRect Rect;
  uint32_t Color;
};
std::vector<TFrameRing> AreaFrameRings(const TRect& rect);
std::vector<TFrameRing> PointFrameRings(const TRect& rect);

// Around Rect, from the outside in: 0x80FFFF, 0x202020, three pixels left as they are,
// 0x80FFFF, 0x202020. The map editor outlines a chosen area with it; the area maker too.
void DrawAreaFrame(TGlimraBoard& board, const TRect& rect);
// Around Rect, from the outside in: 0x202020, 0xFFFFFF twice, 0x202020 (the position
// picker's cell).
void DrawPointFrame(TGlimraBoard& board, const TRect& rect);
