// Drawing on an 8-bit palettised bitmap, for the materials of the default run-time
// package. Everything is integer arithmetic and a fixed hash, so the same calls give the
// same pixels on every machine and every build.
#pragma once

#include <cstdint>

#include "core/bitmap.h"

// A well-mixed 32-bit value of a position and a seed.
uint32_t PixelHash(uint32_t x, uint32_t y, uint32_t seed);

class TIndexedPainter {
public:
  // A pf8bit bitmap of the size, every pixel index 0, the palette black.
  TIndexedPainter(int width, int height);

  TBitmap& Bitmap() { return bitmap_; }
  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }

  void SetColor(int index, uint32_t rgb);
  // Count entries from First, running evenly from Dark to Light.
  void SetRamp(int first, int count, uint32_t dark, uint32_t light);

  // All drawing is clipped to the bitmap.
  void Pixel(int x, int y, int index);
  uint8_t IndexAt(int x, int y) const;
  void FillRect(int x, int y, int w, int h, int index);
  void FrameRect(int x, int y, int w, int h, int index);
  // The ellipse inscribed in the rectangle.
  void FillEllipse(int x, int y, int w, int h, int index);
  // Every pixel takes one of Count indexes from First, chosen by the hash of its position
  // within a Period x Period tile (so the texture repeats seamlessly) and Seed; the first
  // index is the most frequent, the last the rarest.
  void Speckle(int x, int y, int w, int h, int first, int count, uint32_t seed, int period = 16);
  // Rows step from index First (top) to First + Count - 1 (bottom).
  void VerticalGradient(int x, int y, int w, int h, int first, int count);
  void CopyRect(int sx, int sy, int w, int h, int dx, int dy);

private:
  TBitmap bitmap_;
};
