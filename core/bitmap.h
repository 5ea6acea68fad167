// The bitmap container that every image reader fills and every writer saves: pixels in
// one of six formats, rows top to bottom, each row padded to a multiple of four bytes.
//
// Pixel layouts: pf1bit and pf4bit pack palette indexes from the most significant bit;
// pf8bit holds one palette index a byte; pf16bit holds little-endian RGB565 words;
// pf24bit holds blue, green, red; pf32bit blue, green, red and an unused byte.
// The palette always has 256 entries; the indexed formats use its first 2, 16 or 256.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/errors.h"

enum class TPixelFormat : uint8_t { pf1bit, pf4bit, pf8bit, pf16bit, pf24bit, pf32bit };

int BitsPerPixel(TPixelFormat format);
inline bool IsIndexed(TPixelFormat format) {
  return BitsPerPixel(format) <= 8;
}

struct TPaletteEntry {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  uint8_t Flags = 0;
  friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};
using TPalette = std::array<TPaletteEntry, 256>;

// Readers refuse images beyond these sizes before allocating anything: far above any game
// graphic, and small enough that a hostile header cannot exhaust memory.
inline constexpr int kMaxImageSide = 16384;
inline constexpr int64_t kMaxImagePixels = int64_t(1) << 24;
// True for 1..kMaxImageSide on both sides and at most kMaxImagePixels in all.
bool ImageSizeAllowed(int64_t width, int64_t height);

// For a resize of a pixel store: negative sizes become 0; false when the size stays the
// same; EOutOfMemory for a size beyond the caps.
bool CheckNewSize(int& width, int& height, int oldWidth, int oldHeight);

// A scan line asked for outside the bitmap.
class EInvalidGraphicOperation : public Exception {
public:
  EInvalidGraphicOperation();
};

// Row Y of pixel memory whose rows lie Pitch elements apart; raises
// EInvalidGraphicOperation outside 0..Height-1.
template <class T> T* CheckedRow(T* base, int y, int height, size_t pitch) {
  if (y < 0 || y >= height) throw EInvalidGraphicOperation();
  return base + size_t(y) * pitch;
}

// Colours are packed as 0x00RRGGBB wherever a whole colour is passed around.
inline uint32_t PackRgb(uint8_t r, uint8_t g, uint8_t b) {
  return uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}
// The 5-6-5 channels of a colour widened back to 8 bits (0..31 -> 0..255).
uint32_t Rgb565ToColor(uint16_t pixel);
uint16_t ColorToRgb565(uint32_t color);

class TBitmap {
public:
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TPixelFormat PixelFormat() const { return format_; }
  // Bytes from one row to the next.
  int RowBytes() const { return row_bytes_; }

  // New size with every pixel zeroed (a same size keeps the pixels). Negative sizes count
  // as 0; sizes beyond the caps raise EOutOfMemory.
  void SetSize(int width, int height);
  // Starts afresh: Format, the size, every pixel zeroed and an all-black palette. Raises
  // EOutOfMemory beyond the caps.
  void Reset(TPixelFormat format, int width, int height);
  // Converts every pixel to Format. Indexed to indexed keeps the indexes (a narrower
  // format takes the nearest of its palette entries for an index it cannot hold); direct
  // colour to pf8bit uses ReduceToPalette below; everything to direct colour is exact up
  // to the target's precision.
  void SetPixelFormat(TPixelFormat format);

  uint8_t* ScanLine(int y);
  const uint8_t* ScanLine(int y) const;
  const std::vector<uint8_t>& Pixels() const { return pixels_; }

  TPalette& Palette() { return palette_; }
  const TPalette& Palette() const { return palette_; }

  // The colour of a pixel as 0x00RRGGBB (indexed formats through the palette).
  uint32_t ColorAt(int x, int y) const;
  // The palette index of a pixel of an indexed bitmap (0 for direct colour).
  uint8_t IndexAt(int x, int y) const;
  void SetIndexAt(int x, int y, uint8_t index);

private:
  int width_ = 0;
  int height_ = 0;
  int row_bytes_ = 0;
  TPixelFormat format_ = TPixelFormat::pf24bit;
  std::vector<uint8_t> pixels_;
  TPalette palette_{};
};

// The deterministic 24-bit to 8-bit conversion. When the image has at most 256 distinct
// colours, the palette lists them in order of first appearance (rows top to bottom, each
// left to right) and the rest of the palette is black, so no colour changes. Otherwise
// the palette is chosen from the image by median cut: up to 256 entries, each the mean of
// a group of neighbouring colours, and every pixel takes the entry of its group.
// Colours is a row-major list of 0x00RRGGBB values; Indexes receives one byte a pixel.
void ReduceToPalette(const std::vector<uint32_t>& colors, std::vector<uint8_t>& indexes,
                     TPalette& palette);
