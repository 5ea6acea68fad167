// Our own integer rasteriser for 16-bit surfaces. Shapes that end up as stored data (map
// cells marked through a shape mask) are drawn here so that they are exact and the same
// on every platform. Rectangles follow the Windows convention: Right and Bottom are
// outside the shape. Everything is clipped to the surface.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/geometry.h"

// A view of 16-bit pixels: Top is the address of row 0, rows are Stride bytes apart
// (negative for a bottom-up surface).
struct TSurface16 {
  uint8_t* Top = nullptr;
  ptrdiff_t Stride = 0;
  int Width = 0;
  int Height = 0;

  uint16_t* Row(int y) const { return reinterpret_cast<uint16_t*>(Top + Stride * y); }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};

// Fills the rectangle with Value.
void FillRect(const TSurface16& surface, const TRect& rect, uint16_t value);

// The horizontal span [Left, Right) of row Y (counted from Rect.Top) of the ellipse that
// fills Rect; empty when Left >= Right. A pixel belongs to the ellipse when its centre
// (dx, dy), measured in half pixels from the centre of Rect, satisfies
//   dx² H² + dy² W² <= W² H² - W² - H²   (W, H the width and height of Rect),
// which is the inscribed ellipse pulled in by about half a pixel, so that a 3 x 3 ellipse
// is a plus sign and every ellipse touches all four sides of Rect. Ellipses no more than
// 2 pixels wide or high are their whole rectangle. The shape is symmetric about both
// axes of Rect by construction.
struct TSpan {
  int Left = 0;
  int Right = 0;
};
TSpan EllipseSpan(const TRect& rect, int64_t y);

// Fills the ellipse inscribed in Rect with Fill and draws its one-pixel outline (the
// pixels of the shape with a neighbour outside it, across or up and down) with Outline.
void DrawEllipse(const TSurface16& surface, const TRect& rect, uint16_t outline, uint16_t fill);

// Gives Value to every pixel that has the colour Surface and is connected to (X, Y)
// across or up and down; nothing when (X, Y) is outside or has another colour. Iterative,
// so any region size is safe.
void FloodFillSurface(const TSurface16& surface, int x, int y, uint16_t surfaceValue,
                      uint16_t value);

// A pen and a brush over a surface: the drawing calls that the editor makes on a
// drawing surface's canvas.
class TRasterCanvas {
public:
  TSurface16 Surface;
  uint16_t PenColor = 0;
  uint16_t BrushColor = 0xFFFF;

  // The pixel value, 0 outside the surface; writes outside are ignored.
  uint16_t GetPixel(int x, int y) const;
  void SetPixel(int x, int y, uint16_t value);
  // The brush over the rectangle (no outline).
  void FillRect(const TRect& rect) const { ::FillRect(Surface, rect, BrushColor); }
  // Outline with the pen, inside with the brush.
  void Rectangle(const TRect& rect) const;
  void Ellipse(const TRect& rect) const { DrawEllipse(Surface, rect, PenColor, BrushColor); }
  // The brush over the region of colour SurfaceValue connected to (X, Y).
  void FloodFill(int x, int y, uint16_t surfaceValue) const {
    FloodFillSurface(Surface, x, y, surfaceValue, BrushColor);
  }
};
