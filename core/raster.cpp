#include "core/raster.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

uint64_t IntegerSqrt(uint64_t n) {
  using Wide = unsigned __int128; // squares near 2^64 must not wrap
  uint64_t r = static_cast<uint64_t>(std::sqrt(static_cast<long double>(n)));
  while (r > 0 && Wide(r) * r > n)
    --r;
  while (Wide(r + 1) * (r + 1) <= n)
    ++r;
  return r;
}

} // namespace

void FillRect(const TSurface16& surface, const TRect& rect, uint16_t value) {
  const TRect r = Intersect(rect, TRect{0, 0, surface.Width, surface.Height});
  if (r.IsEmpty()) return;
  for (int y = r.Top; y < r.Bottom; ++y)
    std::fill(surface.Row(y) + r.Left, surface.Row(y) + r.Right, value);
}

TSpan EllipseSpan(const TRect& rect, int64_t y) {
  const int64_t w = int64_t(rect.Right) - rect.Left, h = int64_t(rect.Bottom) - rect.Top;
  if (w <= 0 || h <= 0 || y < 0 || y >= h) return {};
  if (w <= 2 || h <= 2) return {rect.Left, rect.Right};
  using Wide = __int128;
  const int64_t dy = 2 * y + 1 - h;
  const Wide budget = Wide(w) * w * h * h - Wide(w) * w - Wide(h) * h - Wide(dy) * dy * w * w;
  if (budget < 0) return {};
  // The widest |dx| with dx² h² <= budget, of the parity every dx has in this width.
  int64_t m = int64_t(IntegerSqrt(uint64_t(budget / (Wide(h) * h))));
  if ((m & 1) != ((w - 1) & 1)) --m;
  if (m < 0) return {};
  const int64_t left = rect.Left + (w - 1 - m) / 2;
  return {int(left), int(left + m + 1)};
}

void DrawEllipse(const TSurface16& surface, const TRect& rect, uint16_t outline, uint16_t fill) {
  if (rect.IsEmpty()) return;
  const int first = std::max(rect.Top, 0), last = std::min(rect.Bottom, surface.Height);
  for (int y = first; y < last; ++y) {
    const int64_t row = int64_t(y) - rect.Top;
    const TSpan span = EllipseSpan(rect, row);
    if (span.Left >= span.Right) continue;
    const TSpan above = EllipseSpan(rect, row - 1), below = EllipseSpan(rect, row + 1);
    // Inside both neighbouring rows' spans a pixel is interior; elsewhere it is outline.
    const int innerLeft = std::max({above.Left, below.Left, span.Left + 1});
    const int innerRight = std::min({above.Right, below.Right, span.Right - 1});
    uint16_t* p = surface.Row(y);
    const int from = std::max(span.Left, 0), to = std::min(span.Right, surface.Width);
    for (int x = from; x < to; ++x)
      p[x] = (x >= innerLeft && x < innerRight) ? fill : outline;
  }
}

void FloodFillSurface(const TSurface16& surface, int x, int y, uint16_t surfaceValue,
                      uint16_t value) {
  if (!surface.Contains(x, y) || surface.Row(y)[x] != surfaceValue || surfaceValue == value) return;
  // Scanline fill: each popped seed fills its whole run and seeds the runs above and below.
  std::vector<TPoint> seeds{{x, y}};
  while (!seeds.empty()) {
    const TPoint seed = seeds.back();
    seeds.pop_back();
    uint16_t* row = surface.Row(seed.Y);
    if (row[seed.X] != surfaceValue) continue;
    int left = seed.X, right = seed.X + 1;
    while (left > 0 && row[left - 1] == surfaceValue)
      --left;
    while (right < surface.Width && row[right] == surfaceValue)
      ++right;
    std::fill(row + left, row + right, value);
    for (const int ny : {seed.Y - 1, seed.Y + 1}) {
      if (ny < 0 || ny >= surface.Height) continue;
      const uint16_t* next = surface.Row(ny);
      for (int nx = left; nx < right; ++nx) {
        if (next[nx] != surfaceValue) continue;
        seeds.push_back({nx, ny});
        while (nx + 1 < right && next[nx + 1] == surfaceValue)
          ++nx;
      }
    }
  }
}

uint16_t TRasterCanvas::GetPixel(int x, int y) const {
  return Surface.Contains(x, y) ? Surface.Row(y)[x] : 0;
}

void TRasterCanvas::SetPixel(int x, int y, uint16_t value) {
  if (Surface.Contains(x, y)) Surface.Row(y)[x] = value;
}

void TRasterCanvas::Rectangle(const TRect& rect) const {
  if (rect.IsEmpty()) return;
  ::FillRect(Surface, rect, PenColor);
  ::FillRect(Surface, TRect{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1},
             BrushColor);
}
