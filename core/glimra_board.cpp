#include "core/glimra_board.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "core/bitmap.h"
#include "core/glimra_sheet.h"
#include "core/spare_cores.h"

namespace {

// A copy this large is split over spare cores, in bands of at least this many rows.
constexpr size_t kPixelsWorthBands = size_t(512) * 1024;
constexpr int kRowsPerBand = 128;

// The drawing rules of one sheet pixel, fixed for a whole call.
struct TPixelRule {
  const uint16_t* table;
  bool transparent;
  int alpha; // Opacity + 1; 256 = opaque

  void Put(uint16_t& dst, uint8_t index) const {
    if (transparent && index == 0) return;
    dst = alpha >= 256 ? table[index] : BlendPixel(table[index], dst, alpha);
  }
};

TPixelRule PrepareSheet(TGlimraSheet& sheet, int brightness) {
  if (sheet.Brightness != brightness) {
    sheet.Brightness = brightness;
    sheet.UpdateColorTable();
  }
  return TPixelRule{sheet.ColorTable().data(), sheet.Transparent,
                    std::clamp(sheet.Opacity, 0, 255) + 1};
}

// A copy of SrcRect from a source of SrcW x SrcH to (X, Y) on a target of DstW x DstH,
// clipped on both sides: cutting the start of one moves the start of the other along.
struct TCopyArea {
  int sx, sy, dx, dy, w, h;
};

bool ClipCopy(int x, int y, const TRect& src, int srcW, int srcH, int dstW, int dstH,
              TCopyArea& out) {
  int64_t sx = src.Left, sy = src.Top, dx = x, dy = y;
  int64_t w = int64_t(src.Right) - src.Left, h = int64_t(src.Bottom) - src.Top;
  if (sx < 0) dx -= sx, w += sx, sx = 0;
  if (sy < 0) dy -= sy, h += sy, sy = 0;
  w = std::min(w, srcW - sx);
  h = std::min(h, srcH - sy);
  if (dx < 0) sx -= dx, w += dx, dx = 0;
  if (dy < 0) sy -= dy, h += dy, dy = 0;
  w = std::min(w, dstW - dx);
  h = std::min(h, dstH - dy);
  if (w < 1 || h < 1) return false;
  out = TCopyArea{int(sx), int(sy), int(dx), int(dy), int(w), int(h)};
  return true;
}

// Destination positions From..To-1 mapped to source positions, -1 where the source
// position falls outside 0..Limit-1. The table lives in Buffer, which callers keep per
// thread: maps are drawn cell by cell at every scale, and a table per cell must not
// cost an allocation.
const std::vector<int>& ScaleTable(std::vector<int>& buffer, int from, int to, int64_t destStart,
                                   int64_t destSize, int64_t srcStart, int64_t srcSize, int limit) {
  buffer.resize(size_t(std::max(0, to - from)));
  for (int d = from; d < to; ++d) {
    const int64_t s = srcStart + (d - destStart) * srcSize / destSize;
    buffer[size_t(d - from)] = (s >= 0 && s < limit) ? int(s) : -1;
  }
  return buffer;
}

// Rows of a sheet's board colours onto a board: copied, or with Transparent selected by
// the mask (0xFFFF where drawn). A Width of 0 takes the run-time width W.
struct TBoardRows {
  uint16_t* to;
  int pitch;
  const uint16_t* colors;
  const uint16_t* mask;
  int stride;
  bool transparent;
};

template <int Width> void CopyBoardRows(const TBoardRows& r, int w, int h) {
  const int n = Width ? Width : w;
  uint16_t* to = r.to;
  const uint16_t* colors = r.colors;
  const uint16_t* mask = r.mask;
  for (int row = 0; row < h; ++row, colors += r.stride, mask += r.stride, to += r.pitch) {
    if (!r.transparent) {
      std::memcpy(to, colors, size_t(n) * 2);
      continue;
    }
    if constexpr (Width > 0) {
      // Through a local row, which cannot alias the sheet's: the compiler vectorises it.
      uint16_t row_pixels[Width];
      std::memcpy(row_pixels, to, sizeof row_pixels);
      for (int i = 0; i < Width; ++i)
        row_pixels[i] = uint16_t((colors[i] & mask[i]) | (row_pixels[i] & ~mask[i]));
      std::memcpy(to, row_pixels, sizeof row_pixels);
    } else {
      for (int i = 0; i < n; ++i)
        to[i] = uint16_t((colors[i] & mask[i]) | (to[i] & ~mask[i]));
    }
  }
}

thread_local std::vector<int> g_colTable, g_rowTable;

} // namespace

void TGlimraBoard::Resize(int width, int height) {
  if (!CheckNewSize(width, height, width_, height_)) return;
  const int pitch = (width + 1) & ~1; // rows padded to four bytes
  decltype(pixels_) pixels(size_t(pitch) * size_t(height), 0);
  const int w = std::min(width, width_), h = std::min(height, height_);
  for (int y = 0; y < h; ++y)
    std::memcpy(&pixels[size_t(y) * pitch], &pixels_[size_t(y) * pitch_], size_t(w) * 2);
  width_ = width;
  height_ = height;
  pitch_ = pitch;
  pixels_ = std::move(pixels);
}

void TGlimraBoard::SetSize(int width, int height) {
  if (!CheckNewSize(width, height, width_, height_)) {
    ClearBoard();
    return;
  }
  // Cleared anyway: a fresh block, with nothing of the old pixels copied into it.
  const int pitch = (width + 1) & ~1;
  pixels_ = decltype(pixels_)(size_t(pitch) * size_t(height));
  width_ = width;
  height_ = height;
  pitch_ = pitch;
  if (pixels_.empty()) return;
  // A large block comes fresh from the system, which makes each page on its first touch:
  // cleared in bands, its pages are made on several cores at once.
  constexpr size_t kBytesPerBand = size_t(256) << 10;
  const int rowsPerBand = int(std::max<size_t>(1, kBytesPerBand / (size_t(pitch) * 2)));
  uint16_t* const pixels = pixels_.data();
  const auto clear = [pixels, pitch](int first, int end) {
    std::memset(pixels + size_t(first) * size_t(pitch), 0,
                size_t(end - first) * size_t(pitch) * sizeof(uint16_t));
  };
  if (height >= 4 * rowsPerBand)
    ForEachRowBand(height, rowsPerBand, clear);
  else
    clear(0, height);
}

void TGlimraBoard::ClearBoard() {
  std::fill(pixels_.begin(), pixels_.end(), 0);
}

uint16_t* TGlimraBoard::GetRow(int y) {
  return CheckedRow(pixels_.data(), y, height_, pitch_);
}

const uint16_t* TGlimraBoard::GetRow(int y) const {
  return CheckedRow(pixels_.data(), y, height_, pitch_);
}

TSurface16 TGlimraBoard::Surface() {
  return TSurface16{Bits(), ptrdiff_t(pitch_) * 2, width_, height_};
}

void TGlimraBoard::Draw(const TSurface16& target, int x, int y) const {
  const int x0 = std::max(x, 0), x1 = int(std::min<int64_t>(int64_t(x) + width_, target.Width));
  const int y0 = std::max(y, 0), y1 = int(std::min<int64_t>(int64_t(y) + height_, target.Height));
  if (x1 <= x0) return;
  for (int ty = y0; ty < y1; ++ty)
    std::memcpy(target.Row(ty) + x0, GetRow(ty - y) + (x0 - x), size_t(x1 - x0) * 2);
}

void TGlimraBoard::StretchDraw(const TSurface16& target, const TRect& rect) const {
  const int64_t rw = int64_t(rect.Right) - rect.Left, rh = int64_t(rect.Bottom) - rect.Top;
  if (rw <= 0 || rh <= 0 || width_ == 0 || height_ == 0) return;
  const TRect r = Intersect(rect, TRect{0, 0, target.Width, target.Height});
  if (r.IsEmpty()) return;
  const auto& cols = ScaleTable(g_colTable, r.Left, r.Right, rect.Left, rw, 0, width_, width_);
  for (int ty = r.Top; ty < r.Bottom; ++ty) {
    const uint16_t* src = GetRow(int((int64_t(ty) - rect.Top) * height_ / rh));
    uint16_t* dst = target.Row(ty) + r.Left;
    for (size_t i = 0; i < cols.size(); ++i)
      dst[i] = src[cols[i]];
  }
}

void TGlimraBoard::DrawBoard(int x, int y, const TGlimraBoard& source, const TRect& srcRect) {
  TCopyArea a;
  if (!ClipCopy(x, y, srcRect, source.width_, source.height_, width_, height_, a)) return;
  const int sx = a.sx, sy = a.sy, w = a.w, h = a.h;
  x = a.dx, y = a.dy;
  if (&source != this) {
    // Separate boards: a screenful is copied in bands on spare cores.
    const uint16_t* from = source.pixels_.data() + size_t(sy) * size_t(source.pitch_) + size_t(sx);
    uint16_t* to = pixels_.data() + size_t(y) * size_t(pitch_) + size_t(x);
    const size_t fromPitch = size_t(source.pitch_), toPitch = size_t(pitch_);
    const auto copy = [=](int first, int end) {
      for (int row = first; row < end; ++row)
        std::memcpy(to + size_t(row) * toPitch, from + size_t(row) * fromPitch, size_t(w) * 2);
    };
    if (size_t(w) * size_t(h) >= kPixelsWorthBands)
      ForEachRowBand(h, kRowsPerBand, copy);
    else
      copy(0, h);
    return;
  }
  // A copy within one board walks the rows so that no source row is overwritten first.
  const bool upwards = y > sy;
  for (int i = 0; i < h; ++i) {
    const int row = upwards ? h - 1 - i : i;
    std::memmove(GetRow(y + row) + x, source.GetRow(sy + row) + sx, size_t(w) * 2);
  }
}

void TGlimraBoard::DrawSheet(int x, int y, TGlimraSheet& sheet, const TRect& srcRect) {
  TCopyArea a;
  if (!ClipCopy(x, y, srcRect, sheet.Width(), sheet.Height(), width_, height_, a)) return;
  const int sx = a.sx, sy = a.sy, w = a.w, h = a.h;
  x = a.dx, y = a.dy;
  const TPixelRule rule = PrepareSheet(sheet, Brightness);
  if (sheet.KeepBoardColors && rule.alpha >= 256) {
    // The same pixels, already in board colours: rows copied, or selected by the mask.
    const size_t at = size_t(sy) * size_t(sheet.Width()) + size_t(sx);
    const uint16_t* colors = sheet.BoardColors(Bounds(sx, sy, w, h)) + at;
    const uint16_t* mask = colors + size_t(sheet.Width()) * size_t(sheet.Height());
    uint16_t* to = pixels_.data() + size_t(y) * size_t(pitch_) + size_t(x);
    const TBoardRows rows{to, pitch_, colors, mask, sheet.Width(), rule.transparent};
    // Whole tiles and their quarters get a fixed width the compiler can unroll.
    if (w == 16)
      CopyBoardRows<16>(rows, 16, h);
    else if (w == 8)
      CopyBoardRows<8>(rows, 8, h);
    else
      CopyBoardRows<0>(rows, w, h);
    return;
  }
  // The area is clipped to both: rows are addressed directly, without a check per row.
  const uint8_t* src = sheet.Pixels().data() + size_t(sy) * size_t(sheet.Width()) + size_t(sx);
  uint16_t* dst = pixels_.data() + size_t(y) * size_t(pitch_) + size_t(x);
  const uint16_t* table = rule.table;
  for (int row = 0; row < h; ++row, src += sheet.Width(), dst += pitch_) {
    if (rule.alpha >= 256 && !rule.transparent) {
      for (int i = 0; i < w; ++i)
        dst[i] = table[src[i]];
    } else if (rule.alpha >= 256) {
      // Branch-free: index 0 keeps the board's pixel.
      for (int i = 0; i < w; ++i) {
        const uint16_t keep = src[i] ? 0 : 0xFFFF;
        dst[i] = uint16_t((table[src[i]] & ~keep) | (dst[i] & keep));
      }
    } else {
      for (int i = 0; i < w; ++i)
        rule.Put(dst[i], src[i]);
    }
  }
}

void TGlimraBoard::StretchDrawSheet(const TRect& destRect, TGlimraSheet& sheet,
                                    const TRect& srcRect) {
  const int64_t dw = int64_t(destRect.Right) - destRect.Left;
  const int64_t dh = int64_t(destRect.Bottom) - destRect.Top;
  const int64_t sw = int64_t(srcRect.Right) - srcRect.Left;
  const int64_t sh = int64_t(srcRect.Bottom) - srcRect.Top;
  if (dw == sw && dh == sh) {
    DrawSheet(destRect.Left, destRect.Top, sheet, srcRect);
    return;
  }
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  const TRect d = Intersect(destRect, TRect{0, 0, width_, height_});
  if (d.IsEmpty()) return;
  const auto& cols =
      ScaleTable(g_colTable, d.Left, d.Right, destRect.Left, dw, srcRect.Left, sw, sheet.Width());
  const auto& rows =
      ScaleTable(g_rowTable, d.Top, d.Bottom, destRect.Top, dh, srcRect.Top, sh, sheet.Height());
  const TPixelRule rule = PrepareSheet(sheet, Brightness);
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r] < 0) continue;
    // The read-only row: a writable one would count as a change of the sheet.
    const uint8_t* src = std::as_const(sheet).GetScanLine(rows[r]);
    uint16_t* dst = GetRow(d.Top + int(r)) + d.Left;
    for (size_t c = 0; c < cols.size(); ++c)
      if (cols[c] >= 0) rule.Put(dst[c], src[cols[c]]);
  }
}

void TGlimraBoard::DrawSheetCentered(double x, double y, double scale, int halfHeight,
                                     int halfWidth, const TRect& srcRect, TGlimraSheet& sheet) {
  // Far-off positions are clamped so the conversion to int stays defined.
  auto round = [](double v) { return int(std::clamp(std::nearbyint(v), -1e9, 1e9)); };
  const TRect dest{round(x - halfWidth * scale), round(y - halfHeight * scale),
                   round(x + halfWidth * scale), round(y + halfHeight * scale)};
  if (scale == 1.0)
    DrawSheet(dest.Left, dest.Top, sheet, srcRect);
  else
    StretchDrawSheet(dest, sheet, srcRect);
}
