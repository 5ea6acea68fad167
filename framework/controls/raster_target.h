// Where a paint lands in memory: a widget painted through a 32-bit raster backing store
// can have its pixels written straight into that store, skipping a copy through an image.
#pragma once

#include <QSize>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/geometry.h"

class QPainter;

struct TRasterTarget {
  // Row 0 of the store; pixel (x, y) of the widget is at Rows[(y + Offset.Y) * Stride +
  // x + Offset.X].
  uint32_t* Rows = nullptr;
  ptrdiff_t Stride = 0;
  TPoint Offset;
  // The parts of the widget (in its own co-ordinates) the paint may touch: within its
  // Size, the store and the paint's clip.
  std::vector<TRect> Rects;
};

// The store Canvas paints a widget of Size into, when it is a raster image of opaque
// 32-bit pixels at one device pixel per pixel, placed a whole number of pixels off and
// without a clip of the painter's own; nothing otherwise (the paint then goes through
// the painter).
std::optional<TRasterTarget> RasterTargetOf(QPainter& canvas, QSize size);
