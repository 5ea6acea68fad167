// Game images made by code for the graphics tests and benchmarks: 8-bit bitmaps with
// pseudo-random pixels from a fixed hash, so that no two 8 x 8 pieces of an image are
// alike, over a palette whose colours map one-to-one onto RGB565 values. A pixel drawn
// on a board can therefore be turned back into the palette index it came from.
#pragma once

#include <cstdint>
#include <optional>

#include "core/bitmap.h"
#include "core/glimra_board.h"

// Palette index 1..255 at (X, Y) for image Seed.
inline uint8_t HashedIndex(int x, int y, uint32_t seed) {
  uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u ^ seed * 83492791u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return uint8_t(1 + h % 255);
}

// Entry i: red i mod 32, green (i div 32) x 8, blue 31 - i mod 32 in 5-6-5 terms, so
// the neutral colour table holds GameColor(i).
inline TPaletteEntry GamePaletteEntry(int i) {
  return TPaletteEntry{uint8_t((i & 31) << 3), uint8_t((i >> 5) << 5),
                       uint8_t((31 - (i & 31)) << 3), 0};
}
inline uint16_t GameColor(int i) {
  return uint16_t((i & 31) << 11 | ((i >> 5) * 8) << 5 | (31 - (i & 31)));
}
// The palette index whose neutral colour is Pixel, if any.
inline std::optional<int> GameIndexOf(uint16_t pixel) {
  const int i = (pixel >> 11) | ((pixel >> 5) & 63) / 8 << 5;
  if (GameColor(i) != pixel) return std::nullopt;
  return i;
}

inline TBitmap MakeGameBitmap(int width, int height, uint32_t seed) {
  TBitmap bitmap;
  bitmap.Reset(TPixelFormat::pf8bit, width, height);
  for (int i = 0; i < 256; ++i)
    bitmap.Palette()[i] = GamePaletteEntry(i);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.SetIndexAt(x, y, HashedIndex(x, y, seed));
  return bitmap;
}

// Copies the W x H piece at (SX, SY) of Bitmap to (DX, DY).
inline void CopyPiece(TBitmap& bitmap, int sx, int sy, int dx, int dy, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bitmap.SetIndexAt(dx + x, dy + y, bitmap.IndexAt(sx + x, sy + y));
}

inline void FillPiece(TBitmap& bitmap, int x0, int y0, int w, int h, uint8_t index) {
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x)
      bitmap.SetIndexAt(x, y, index);
}

// A colour that the game palette never makes, to see which pixels a drawing left alone.
inline constexpr uint16_t kBoardMarker = 0xFFFF;

inline void FillBoard(TGlimraBoard& board, uint16_t value) {
  auto canvas = board.GetCanvas();
  canvas.BrushColor = value;
  canvas.FillRect(TRect{0, 0, board.GetWidth(), board.GetHeight()});
}

// Whether every pixel of the board still holds the marker.
inline bool BoardUntouched(const TGlimraBoard& board) {
  for (int y = 0; y < board.GetHeight(); ++y)
    for (int x = 0; x < board.GetWidth(); ++x)
      if (board.GetRow(y)[x] != kBoardMarker) return false;
  return true;
}
