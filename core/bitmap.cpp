#include "core/bitmap.h"

#include <algorithm>
#include <unordered_map>

#include "core/image_messages.h"
#include "core/stream.h"

namespace {

int RowBytesFor(TPixelFormat format, int width) {
  return static_cast<int>(((int64_t(width) * BitsPerPixel(format) + 31) / 32) * 4);
}

uint8_t PackedIndex(const uint8_t* row, int x, int bits) {
  switch (bits) {
  case 1:
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
  case 4:
    return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
  default:
    return row[x];
  }
}

void PutPackedIndex(uint8_t* row, int x, int bits, uint8_t index) {
  switch (bits) {
  case 1: {
    const int shift = 7 - (x & 7);
    row[x >> 3] = uint8_t((row[x >> 3] & ~(1 << shift)) | (index & 1) << shift);
    break;
  }
  case 4: {
    const int shift = (x & 1) ? 0 : 4;
    row[x >> 1] = uint8_t((row[x >> 1] & ~(15 << shift)) | (index & 15) << shift);
    break;
  }
  default:
    row[x] = index;
  }
}

uint32_t DirectColor(const uint8_t* row, int x, TPixelFormat format) {
  switch (format) {
  case TPixelFormat::pf16bit:
    return Rgb565ToColor(GetLE16(row + 2 * x));
  case TPixelFormat::pf24bit:
    row += 3 * x;
    return PackRgb(row[2], row[1], row[0]);
  default:
    row += 4 * x;
    return PackRgb(row[2], row[1], row[0]);
  }
}

void PutDirectColor(uint8_t* row, int x, TPixelFormat format, uint32_t color) {
  const uint8_t r = uint8_t(color >> 16), g = uint8_t(color >> 8), b = uint8_t(color);
  switch (format) {
  case TPixelFormat::pf16bit:
    PutLE16(row + 2 * x, ColorToRgb565(color));
    break;
  case TPixelFormat::pf24bit:
    row += 3 * x;
    row[0] = b, row[1] = g, row[2] = r;
    break;
  default:
    row += 4 * x;
    row[0] = b, row[1] = g, row[2] = r, row[3] = 0;
  }
}

// The entry among the first Count palette entries closest to entry Index.
uint8_t NearestEntry(const TPalette& palette, uint8_t index, int count) {
  const TPaletteEntry& c = palette[index];
  int best = 0;
  int64_t bestDistance = INT64_MAX;
  for (int i = 0; i < count; ++i) {
    const int dr = c.Red - palette[i].Red, dg = c.Green - palette[i].Green,
              db = c.Blue - palette[i].Blue;
    const int64_t d = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
    if (d < bestDistance) best = i, bestDistance = d;
  }
  return uint8_t(best);
}

} // namespace

int BitsPerPixel(TPixelFormat format) {
  switch (format) {
  case TPixelFormat::pf1bit:
    return 1;
  case TPixelFormat::pf4bit:
    return 4;
  case TPixelFormat::pf8bit:
    return 8;
  case TPixelFormat::pf16bit:
    return 16;
  case TPixelFormat::pf24bit:
    return 24;
  case TPixelFormat::pf32bit:
    return 32;
  }
  return 24;
}

bool ImageSizeAllowed(int64_t width, int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

bool CheckNewSize(int& width, int& height, int oldWidth, int oldHeight) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == oldWidth && height == oldHeight) return false;
  if (width > 0 && height > 0 && !ImageSizeAllowed(width, height)) throw EOutOfMemory();
  return true;
}

EInvalidGraphicOperation::EInvalidGraphicOperation() : Exception(SScanLineOutOfRange) {}

uint32_t Rgb565ToColor(uint16_t pixel) {
  const uint32_t r = pixel >> 11, g = (pixel >> 5) & 63, b = pixel & 31;
  return PackRgb(uint8_t(r << 3 | r >> 2), uint8_t(g << 2 | g >> 4), uint8_t(b << 3 | b >> 2));
}

uint16_t ColorToRgb565(uint32_t color) {
  return uint16_t(((color >> 19) & 31) << 11 | ((color >> 10) & 63) << 5 | ((color >> 3) & 31));
}

void TBitmap::SetSize(int width, int height) {
  if (!CheckNewSize(width, height, width_, height_)) return;
  width_ = width;
  height_ = height;
  row_bytes_ = RowBytesFor(format_, width);
  pixels_.assign(size_t(row_bytes_) * size_t(height), 0);
}

void TBitmap::Reset(TPixelFormat format, int width, int height) {
  width_ = height_ = row_bytes_ = 0;
  pixels_.clear();
  format_ = format;
  palette_ = TPalette{};
  SetSize(width, height);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  const int newRowBytes = RowBytesFor(format, width_);
  std::vector<uint8_t> out(size_t(newRowBytes) * size_t(height_), 0);
  const int bits = BitsPerPixel(format);
  if (IsIndexed(format)) {
    std::vector<uint8_t> indexes(size_t(width_) * size_t(height_));
    if (IsIndexed(format_)) {
      for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
          indexes[size_t(y) * width_ + x] = IndexAt(x, y);
    } else {
      std::vector<uint32_t> colors(indexes.size());
      for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
          colors[size_t(y) * width_ + x] = ColorAt(x, y);
      ReduceToPalette(colors, indexes, palette_);
    }
    if (bits < 8) {
      std::array<uint8_t, 256> narrow;
      for (int i = 0; i < 256; ++i)
        narrow[i] = i < (1 << bits) ? uint8_t(i) : NearestEntry(palette_, uint8_t(i), 1 << bits);
      for (auto& index : indexes)
        index = narrow[index];
    }
    for (int y = 0; y < height_; ++y) {
      uint8_t* row = out.data() + size_t(y) * newRowBytes;
      for (int x = 0; x < width_; ++x)
        PutPackedIndex(row, x, bits, indexes[size_t(y) * width_ + x]);
    }
  } else {
    for (int y = 0; y < height_; ++y) {
      uint8_t* row = out.data() + size_t(y) * newRowBytes;
      for (int x = 0; x < width_; ++x)
        PutDirectColor(row, x, format, ColorAt(x, y));
    }
  }
  format_ = format;
  row_bytes_ = newRowBytes;
  pixels_ = std::move(out);
}

uint8_t* TBitmap::ScanLine(int y) {
  return CheckedRow(pixels_.data(), y, height_, row_bytes_);
}

const uint8_t* TBitmap::ScanLine(int y) const {
  return CheckedRow(pixels_.data(), y, height_, row_bytes_);
}

uint32_t TBitmap::ColorAt(int x, int y) const {
  const uint8_t* row = ScanLine(y);
  if (IsIndexed(format_)) {
    const TPaletteEntry& e = palette_[PackedIndex(row, x, BitsPerPixel(format_))];
    return PackRgb(e.Red, e.Green, e.Blue);
  }
  return DirectColor(row, x, format_);
}

uint8_t TBitmap::IndexAt(int x, int y) const {
  return IsIndexed(format_) ? PackedIndex(ScanLine(y), x, BitsPerPixel(format_)) : 0;
}

void TBitmap::SetIndexAt(int x, int y, uint8_t index) {
  if (IsIndexed(format_)) PutPackedIndex(ScanLine(y), x, BitsPerPixel(format_), index);
}

namespace {

struct TColorCount {
  uint32_t Color; // 0x00RRGGBB
  uint32_t Count;
};

int ChannelOf(uint32_t color, int channel) {
  return int(color >> (16 - 8 * channel)) & 0xFF;
}

// A run of the colour table that becomes one palette entry, and how far its colours stray
// from their mean (summed squared error, weighted by the pixel counts).
struct TColorBox {
  size_t Begin, End;
  double Error;
};

double BoxError(const std::vector<TColorCount>& table, size_t begin, size_t end) {
  double n = 0, sum[3] = {0, 0, 0}, squares[3] = {0, 0, 0};
  for (size_t i = begin; i < end; ++i) {
    const double w = table[i].Count;
    n += w;
    for (int c = 0; c < 3; ++c) {
      const double v = ChannelOf(table[i].Color, c);
      sum[c] += w * v;
      squares[c] += w * v * v;
    }
  }
  double error = 0;
  for (int c = 0; c < 3; ++c)
    error += squares[c] - sum[c] * sum[c] / n;
  return error;
}

// Median cut: the box that strays most is halved (by pixel count) across its widest
// channel until there are 256 boxes; each box's mean becomes a palette entry.
void MedianCut(const std::vector<uint32_t>& colors, std::vector<uint8_t>& indexes,
               TPalette& palette) {
  std::unordered_map<uint32_t, uint32_t> counts;
  counts.reserve(colors.size() / 4 + 16);
  for (const uint32_t c : colors)
    ++counts[c & 0xFFFFFF];
  std::vector<TColorCount> table;
  table.reserve(counts.size());
  for (const auto& [color, count] : counts)
    table.push_back({color, count});
  std::sort(table.begin(), table.end(),
            [](const TColorCount& a, const TColorCount& b) { return a.Color < b.Color; });

  std::vector<TColorBox> boxes{{0, table.size(), BoxError(table, 0, table.size())}};
  boxes.reserve(256);
  while (boxes.size() < 256) {
    size_t pick = boxes.size();
    for (size_t k = 0; k < boxes.size(); ++k)
      if (boxes[k].End - boxes[k].Begin >= 2 &&
          (pick == boxes.size() || boxes[k].Error > boxes[pick].Error))
        pick = k;
    if (pick == boxes.size()) break;
    const size_t begin = boxes[pick].Begin, end = boxes[pick].End;
    int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
    uint64_t total = 0;
    for (size_t i = begin; i < end; ++i) {
      total += table[i].Count;
      for (int c = 0; c < 3; ++c) {
        low[c] = std::min(low[c], ChannelOf(table[i].Color, c));
        high[c] = std::max(high[c], ChannelOf(table[i].Color, c));
      }
    }
    int channel = 0;
    for (int c = 1; c < 3; ++c)
      if (high[c] - low[c] > high[channel] - low[channel]) channel = c;
    std::sort(table.begin() + begin, table.begin() + end,
              [channel](const TColorCount& a, const TColorCount& b) {
                const int va = ChannelOf(a.Color, channel), vb = ChannelOf(b.Color, channel);
                return va != vb ? va < vb : a.Color < b.Color;
              });
    size_t middle = begin;
    for (uint64_t below = 0; middle + 1 < end && 2 * (below + table[middle].Count) <= total;)
      below += table[middle++].Count;
    middle = std::max(middle, begin + 1);
    boxes[pick] = {begin, middle, BoxError(table, begin, middle)};
    boxes.push_back({middle, end, BoxError(table, middle, end)});
  }

  std::unordered_map<uint32_t, uint8_t> indexOf;
  indexOf.reserve(table.size());
  palette = TPalette{};
  for (size_t k = 0; k < boxes.size(); ++k) {
    double n = 0, sum[3] = {0, 0, 0};
    for (size_t i = boxes[k].Begin; i < boxes[k].End; ++i) {
      n += table[i].Count;
      for (int c = 0; c < 3; ++c)
        sum[c] += double(table[i].Count) * ChannelOf(table[i].Color, c);
      indexOf[table[i].Color] = uint8_t(k);
    }
    palette[k] = TPaletteEntry{uint8_t(sum[0] / n + 0.5), uint8_t(sum[1] / n + 0.5),
                               uint8_t(sum[2] / n + 0.5), 0};
  }
  for (size_t i = 0; i < colors.size(); ++i)
    indexes[i] = indexOf[colors[i] & 0xFFFFFF];
}

} // namespace

void ReduceToPalette(const std::vector<uint32_t>& colors, std::vector<uint8_t>& indexes,
                     TPalette& palette) {
  indexes.resize(colors.size());
  std::unordered_map<uint32_t, uint8_t> seen;
  seen.reserve(512);
  TPalette exact{};
  bool fits = true;
  for (size_t i = 0; i < colors.size() && fits; ++i) {
    const uint32_t c = colors[i] & 0xFFFFFF;
    auto it = seen.find(c);
    if (it == seen.end()) {
      if (seen.size() == 256) {
        fits = false;
        break;
      }
      const uint8_t index = uint8_t(seen.size());
      exact[index] = TPaletteEntry{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 0};
      it = seen.emplace(c, index).first;
    }
    indexes[i] = it->second;
  }
  if (fits) {
    palette = exact;
    return;
  }
  MedianCut(colors, indexes, palette);
}
