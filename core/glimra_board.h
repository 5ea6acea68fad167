// TGlimraBoard: a 16-bit RGB565 drawing surface onto which sheets are drawn (plain,
// transparent, stretched, toned, translucent) and which is finally shown on screen.
//
// Pixels are little-endian RGB565 words, rows top to bottom, each row padded to a
// multiple of four bytes; Bits() and RowStride() let the editor wrap the board as an
// image for display without copying.
//
// Drawing a sheet maps every index through the sheet's colour table. With the sheet's
// Transparent flag, index 0 leaves the board unchanged. With an Opacity below 255, each
// 5- or 6-bit channel becomes (sheet x a + board x (257 - a)) >> 8 with a = Opacity + 1,
// so opacity 0 still mixes in 1/256 of the sheet. Before drawing, a sheet whose
// Brightness differs from the board's takes the board's and rebuilds its colour table.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "core/geometry.h"
#include "core/raster.h"

class TGlimraSheet;

// A translucent sheet pixel S drawn over D at Alpha (Opacity + 1, 1..256; 256 copies S).
// Every weighted sum stays below 2^16, so the sums are taken in 16 bits: a vectorised loop
// then blends twice the pixels per instruction.
inline uint16_t BlendPixel(uint16_t s, uint16_t d, int alpha) {
  const uint16_t a = uint16_t(alpha), b = uint16_t(257 - alpha);
  const uint16_t r = uint16_t(uint16_t((s >> 11) * a + (d >> 11) * b) >> 8);
  const uint16_t g = uint16_t(uint16_t(((s >> 5) & 63) * a + ((d >> 5) & 63) * b) >> 8);
  const uint16_t bl = uint16_t(uint16_t((s & 31) * a + (d & 31) * b) >> 8);
  return uint16_t(r << 11 | g << 5 | bl);
}

class TGlimraBoard {
public:
  TGlimraBoard() = default;

  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  // Change one side, keeping the pixels the old and new sizes share (new ones are 0).
  void SetWidth(int width) { Resize(width, height_); }
  void SetHeight(int height) { Resize(width_, height); }
  // Any size: every pixel becomes 0 (also when the size is unchanged).
  void SetSize(int width, int height);
  void ClearBoard();

  // Bytes from row 0 to row 1 (0 when the board has fewer than two rows).
  int RowStride() const { return height_ < 2 ? 0 : pitch_ * 2; }
  // Row Y; raises EInvalidGraphicOperation outside the board.
  uint16_t* GetRow(int y);
  const uint16_t* GetRow(int y) const;
  uint8_t* Bits() { return reinterpret_cast<uint8_t*>(pixels_.data()); }
  const uint8_t* Bits() const { return reinterpret_cast<const uint8_t*>(pixels_.data()); }
  // The board as a surface for the rasteriser and for copies.
  TSurface16 Surface();
  // A pen and brush over the board.
  TRasterCanvas GetCanvas() { return TRasterCanvas{Surface()}; }

  int Brightness = 100;

  // Copies the whole board to (X, Y) of an RGB565 surface, clipped only by that surface:
  // a board drawn at a positive offset keeps every one of its columns and rows.
  void Draw(const TSurface16& target, int x, int y) const;
  // Copies the whole board stretched into Rect of an RGB565 surface (nearest pixel).
  void StretchDraw(const TSurface16& target, const TRect& rect) const;
  // Opaque copy of SrcRect of Source (which may be this board) to (X, Y), clipped
  // against both boards.
  void DrawBoard(int x, int y, const TGlimraBoard& source, const TRect& srcRect);
  // SrcRect of the sheet to (X, Y). SrcRect is clipped to the sheet and the destination
  // to the board: a part cut off on one side moves the other's start along with it, so
  // drawing at X = -5 shows the source from its sixth column on at X = 0.
  void DrawSheet(int x, int y, TGlimraSheet& sheet, const TRect& srcRect);
  // SrcRect of the sheet scaled into DestRect: destination column x takes source column
  // SrcRect.Left + (x - DestRect.Left) x SrcWidth div DestWidth, and rows likewise.
  // Equal sizes draw as DrawSheet; empty or inverted rectangles draw nothing; source
  // pixels outside the sheet are not drawn.
  void StretchDrawSheet(const TRect& destRect, TGlimraSheet& sheet, const TRect& srcRect);
  // SrcRect drawn centred on (X, Y) with half sizes scaled by Scale: the destination runs
  // from round(X - HalfWidth x Scale), round(Y - HalfHeight x Scale) to
  // round(X + HalfWidth x Scale), round(Y + HalfHeight x Scale), rounding halves to even.
  // Scale 1 draws unscaled at the top-left corner.
  void DrawSheetCentered(double x, double y, double scale, int halfHeight, int halfWidth,
                         const TRect& srcRect, TGlimraSheet& sheet);

private:
  // Left uninitialised where made without a value: a new block is cleared by SetSize, a
  // large one in bands on spare cores, so that its pages are first touched side by side.
  template <class T> struct TFreshAllocator : std::allocator<T> {
    template <class U> struct rebind { using other = TFreshAllocator<U>; };
    template <class U, class... Args> void construct(U* at, Args&&... args) {
      if constexpr (sizeof...(Args) == 0)
        ::new (static_cast<void*>(at)) U;
      else
        ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
    }
  };

  void Resize(int width, int height);
  void Blit(int x, int y, TGlimraSheet& sheet, const std::vector<int>& columns,
            const std::vector<int>& rows);

  int width_ = 0;
  int height_ = 0;
  int pitch_ = 0; // pixels from one row to the next
  std::vector<uint16_t, TFreshAllocator<uint16_t>> pixels_;
};
