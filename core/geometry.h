// Integer points and rectangles. A rectangle follows the Windows convention: Right and
// Bottom lie just outside it, so its width is Right - Left.
#pragma once

#include <algorithm>

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Bounds(int left, int top, int width, int height) {
  return TRect{left, top, left + width, top + height};
}

// The common part of two rectangles; empty (possibly inverted) when they do not meet.
inline TRect Intersect(const TRect& a, const TRect& b) {
  return TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
               std::min(a.Bottom, b.Bottom)};
}

// The smallest rectangle holding both; an empty one adds nothing.
inline TRect Union(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
               std::max(a.Bottom, b.Bottom)};
}
