// The integer rasteriser and the 16-bit DIB it draws on.
#include <gtest/gtest.h>

#include "core/high_color_dib.h"
#include "core/raster.h"

namespace {

struct Grid {
  int w, h;
  std::vector<uint16_t> px;
  Grid(int w_, int h_) : w(w_), h(h_), px(size_t(w_) * h_, 0) {}
  TSurface16 Surface() { return TSurface16{reinterpret_cast<uint8_t*>(px.data()), 2 * w, w, h}; }
  uint16_t At(int x, int y) const { return px[size_t(y) * w + x]; }
  // One string a row; '.' for 0, digits for their value.
  std::vector<std::string> Picture() const {
    std::vector<std::string> rows;
    for (int y = 0; y < h; ++y) {
      std::string r;
      for (int x = 0; x < w; ++x)
        r += At(x, y) ? char('0' + At(x, y)) : '.';
      rows.push_back(r);
    }
    return rows;
  }
};

std::vector<std::string> Ellipse(int w, int h) {
  Grid g(w, h);
  DrawEllipse(g.Surface(), TRect{0, 0, w, h}, 1, 1);
  return g.Picture();
}

} // namespace

TEST(Raster, SmallEllipsesMatchHandDrawnShapes) {
  EXPECT_EQ(Ellipse(3, 3), (std::vector<std::string>{".1.", "111", ".1."}));
  EXPECT_EQ(Ellipse(4, 4), (std::vector<std::string>{".11.", "1111", "1111", ".11."}));
  EXPECT_EQ(Ellipse(5, 5), (std::vector<std::string>{".111.", "11111", "11111", "11111", ".111."}));
  EXPECT_EQ(Ellipse(6, 3), (std::vector<std::string>{".1111.", "111111", ".1111."}));
  EXPECT_EQ(Ellipse(2, 5), (std::vector<std::string>(5, "11"))); // too thin: its rectangle
  Grid g(5, 5);
  DrawEllipse(g.Surface(), TRect{0, 0, 5, 5}, 1, 2);
  EXPECT_EQ(g.Picture(), (std::vector<std::string>{".111.", "12221", "12221", "12221", ".111."}));
}

TEST(Raster, EllipsesAreSymmetricInsideAndTouchEverySide) {
  for (int w = 1; w <= 14; ++w)
    for (int h = 1; h <= 14; ++h) {
      Grid g(w + 4, h + 4);
      const TRect r{2, 2, 2 + w, 2 + h};
      DrawEllipse(g.Surface(), r, 1, 1);
      bool top = false, bottom = false, left = false, right = false;
      for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x) {
          if (!g.At(x, y)) continue;
          ASSERT_TRUE(r.Contains(x, y)) << w << "x" << h << " at " << x << "," << y;
          ASSERT_TRUE(g.At(r.Left + r.Right - 1 - x, y)) << w << "x" << h;
          ASSERT_TRUE(g.At(x, r.Top + r.Bottom - 1 - y)) << w << "x" << h;
          top |= y == r.Top, bottom |= y == r.Bottom - 1;
          left |= x == r.Left, right |= x == r.Right - 1;
        }
      EXPECT_TRUE(top && bottom && left && right) << w << "x" << h;
    }
  // Partly outside the surface: clipped, no fault.
  Grid g(4, 4);
  DrawEllipse(g.Surface(), TRect{-3, -3, 3, 3}, 1, 1);
  EXPECT_EQ(g.At(0, 0), 1);
  EXPECT_EQ(g.At(3, 3), 0);
  DrawEllipse(g.Surface(), TRect{-2000000000, 0, 2000000000, 4}, 1, 1);
}

TEST(Raster, RectanglesExcludeRightAndBottom) {
  Grid g(4, 3);
  FillRect(g.Surface(), TRect{1, 1, 3, 2}, 5);
  EXPECT_EQ(g.Picture(), (std::vector<std::string>{"....", ".55.", "...."}));
  TRasterCanvas c{g.Surface(), 1, 2};
  c.Rectangle(TRect{0, 0, 4, 3});
  EXPECT_EQ(g.Picture(), (std::vector<std::string>{"1111", "1221", "1111"}));
}

TEST(Raster, FloodFillStaysInsideItsRegion) {
  Grid g(6, 5);
  // A wall of 1s; the region right of it connects only through a diagonal gap.
  const std::vector<std::string> wall = {"..1...", "..1...", "...1..", "..1...", "..1..."};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x)
      g.px[y * 6 + x] = wall[y][x] == '1';
  FloodFillSurface(g.Surface(), 0, 0, 0, 3);
  EXPECT_EQ(g.Picture(),
            (std::vector<std::string>{"331...", "331...", "3331..", "331...", "331..."}));
  FloodFillSurface(g.Surface(), 0, 0, 0, 4); // the start has another colour: nothing
  FloodFillSurface(g.Surface(), 9, 0, 0, 4); // outside: nothing
  EXPECT_EQ(g.At(0, 0), 3);
  Grid big(300, 300); // a large region needs no recursion
  FloodFillSurface(big.Surface(), 150, 150, 0, 1);
  EXPECT_EQ(std::count(big.px.begin(), big.px.end(), 1), 90000);
}

TEST(HighColorDIB, BottomUpRowsAndErrors) {
  THighColorDIB dib;
  dib.SetSize(10, 10);
  EXPECT_EQ(dib.RowBytes(), 20);
  EXPECT_EQ(reinterpret_cast<uint8_t*>(dib.GetScanLine(0)), dib.Bits() + 9 * 20);
  EXPECT_EQ(reinterpret_cast<uint8_t*>(dib.GetScanLine(9)), dib.Bits());
  EXPECT_EQ(dib.Header().Height, 10);
  EXPECT_EQ(dib.Header().BitCount, 16);
  try {
    dib.GetScanLine(10);
    ADD_FAILURE();
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_STREQ(e.what(), "The index of the scanning line exceeded a range");
  }
  try {
    dib.SetSize(-1, 4);
    ADD_FAILURE();
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "It is short of system resource");
  }

  TRasterCanvas& canvas = dib.GetCanvas();
  canvas.BrushColor = THighColorDIB::PixelOf(255, 255, 255);
  canvas.FillRect(TRect{0, 0, 2, 1});
  EXPECT_EQ(dib.GetScanLine(0)[1], 0x7FFF);
  EXPECT_EQ(dib.GetScanLine(1)[0], 0);
  dib.SetSize(3, 2); // the canvas follows the new bitmap
  EXPECT_EQ(dib.RowBytes(), 8);
  canvas.SetPixel(2, 1, 9);
  EXPECT_EQ(dib.GetScanLine(1)[2], 9);
  EXPECT_EQ(dib.GetScanLine(0)[2], 0);
  dib.Clear();
  EXPECT_EQ(dib.GetScanLine(1)[2], 0);
  dib.FreeBitmap();
  EXPECT_THROW(dib.GetScanLine(0), EInvalidGraphicOperation);
}
