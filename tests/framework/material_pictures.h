// Pictures for the material manager's tests, drawn by code.
#pragma once

#include "core/bitmap.h"

// Pixel (x, y) holds index (x + 3y) mod Colours, over a palette of distinct colours.
inline TBitmap IndexedPicture(TPixelFormat format, int width, int height, int colours) {
  TBitmap bitmap;
  bitmap.Reset(format, width, height);
  for (int i = 0; i < colours; ++i)
    bitmap.Palette()[i] = {uint8_t(10 + i), uint8_t(20 + i), uint8_t(30 + i), 0};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bitmap.SetIndexAt(x, y, uint8_t((x + 3 * y) % colours));
  return bitmap;
}

// A 24-bit gradient with far more than 256 colours.
inline TBitmap DirectPicture(int width, int height) {
  TBitmap bitmap;
  bitmap.Reset(TPixelFormat::pf24bit, width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = bitmap.ScanLine(y) + 3 * x;
      p[0] = uint8_t(x * 255 / width);
      p[1] = uint8_t(y * 255 / height);
      p[2] = uint8_t((x + y) & 255);
    }
  return bitmap;
}
