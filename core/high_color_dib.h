// THighColorDIB: a plain 16-bit bottom-up bitmap (5-5-5 pixels, the uncompressed 16-bit
// layout) for drawing with the rasteriser and reading pixels back, such as the map
// editor's shape mask. Rows are RowBytes = (2 x Width + 3) and not 3 bytes apart and the
// last row in memory is row 0.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/bitmap.h" // EInvalidGraphicOperation
#include "core/errors.h"
#include "core/raster.h"

// The surface could not be made (a negative or oversized size).
class EOutOfResources : public Exception {
public:
  EOutOfResources();
};

// The 40-byte info header that describes the bitmap.
struct TBitmapInfoHeader {
  uint32_t Size = 40;
  int32_t Width = 0;
  int32_t Height = 0; // positive: bottom-up
  uint16_t Planes = 0;
  uint16_t BitCount = 0;
  uint32_t Compression = 0;
};

class THighColorDIB {
public:
  THighColorDIB() = default;
  THighColorDIB(const THighColorDIB&) = delete;
  THighColorDIB& operator=(const THighColorDIB&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int RowBytes() const { return row_bytes_; }
  const TBitmapInfoHeader& Header() const { return header_; }
  // Start of the pixel memory (the bottom row); null when there is no bitmap.
  uint8_t* Bits() { return bits_.empty() ? nullptr : reinterpret_cast<uint8_t*>(bits_.data()); }

  // When the size differs, the old bitmap is freed and, for a non-zero area, a zeroed
  // one made. Negative or oversized sizes raise EOutOfResources.
  void SetSize(int width, int height);
  // Row Y counted from the top: Bits + (Height - 1 - Y) x RowBytes. Raises
  // EInvalidGraphicOperation outside 0..Height-1 or without a bitmap.
  uint16_t* GetScanLine(int y);
  // Zeroes every pixel.
  void Clear();
  // A canvas over the bitmap, made on first use and following later size changes.
  TRasterCanvas& GetCanvas();
  // Frees the canvas and the bitmap.
  void FreeBitmap();

  // A 5-5-5 pixel of the colour r, g, b (0..255 each).
  static uint16_t PixelOf(uint8_t r, uint8_t g, uint8_t b) {
    return uint16_t((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
  }

private:
  TSurface16 Surface();

  int width_ = 0;
  int height_ = 0;
  int row_bytes_ = 0;
  TBitmapInfoHeader header_;
  std::vector<uint16_t> bits_;
  std::unique_ptr<TRasterCanvas> canvas_;
};
