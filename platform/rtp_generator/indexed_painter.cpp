#include "platform/rtp_generator/indexed_painter.h"

#include <algorithm>

uint32_t PixelHash(uint32_t x, uint32_t y, uint32_t seed) {
  uint32_t h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

TIndexedPainter::TIndexedPainter(int width, int height) {
  bitmap_.Reset(TPixelFormat::pf8bit, width, height);
}

void TIndexedPainter::SetColor(int index, uint32_t rgb) {
  TPaletteEntry& e = bitmap_.Palette()[static_cast<uint8_t>(index)];
  e.Red = static_cast<uint8_t>(rgb >> 16);
  e.Green = static_cast<uint8_t>(rgb >> 8);
  e.Blue = static_cast<uint8_t>(rgb);
}

void TIndexedPainter::SetRamp(int first, int count, uint32_t dark, uint32_t light) {
  for (int i = 0; i < count; ++i) {
    const int den = std::max(1, count - 1);
    uint32_t rgb = 0;
    for (int shift : {16, 8, 0}) {
      const int a = (dark >> shift) & 0xFF;
      const int b = (light >> shift) & 0xFF;
      rgb |= static_cast<uint32_t>(a + (b - a) * i / den) << shift;
    }
    SetColor(first + i, rgb);
  }
}

void TIndexedPainter::Pixel(int x, int y, int index) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  bitmap_.SetIndexAt(x, y, static_cast<uint8_t>(index));
}

uint8_t TIndexedPainter::IndexAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  return bitmap_.IndexAt(x, y);
}

void TIndexedPainter::FillRect(int x, int y, int w, int h, int index) {
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px)
      Pixel(px, py, index);
}

void TIndexedPainter::FrameRect(int x, int y, int w, int h, int index) {
  FillRect(x, y, w, 1, index);
  FillRect(x, y + h - 1, w, 1, index);
  FillRect(x, y, 1, h, index);
  FillRect(x + w - 1, y, 1, h, index);
}

void TIndexedPainter::FillEllipse(int x, int y, int w, int h, int index) {
  if (w <= 0 || h <= 0) return;
  // Pixel centres and the ellipse in doubled coordinates, so everything stays integral.
  const int64_t ww = int64_t(w) * w, hh = int64_t(h) * h;
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px) {
      const int64_t dx = 2 * (px - x) + 1 - w;
      const int64_t dy = 2 * (py - y) + 1 - h;
      if (dx * dx * hh + dy * dy * ww <= ww * hh) Pixel(px, py, index);
    }
}

void TIndexedPainter::Speckle(int x, int y, int w, int h, int first, int count, uint32_t seed,
                              int period) {
  for (int py = y; py < y + h; ++py)
    for (int px = x; px < x + w; ++px) {
      const uint32_t r = PixelHash(px % period, py % period, seed) % 100;
      // Roughly: 60% the first index, then a halving share for each further one.
      int k = 0;
      for (uint32_t limit = 60, step = 20; k + 1 < count && r >= limit; ++k, step /= 2)
        limit += std::max<uint32_t>(step, 1);
      Pixel(px, py, first + k);
    }
}

void TIndexedPainter::VerticalGradient(int x, int y, int w, int h, int first, int count) {
  for (int py = 0; py < h; ++py)
    FillRect(x, y + py, w, 1, first + py * count / h);
}

void TIndexedPainter::CopyRect(int sx, int sy, int w, int h, int dx, int dy) {
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px)
      Pixel(dx + px, dy + py, IndexAt(sx + px, sy + py));
}
