#include "core/map_region_clip.h"

#include <cstddef>

namespace {

constexpr size_t kHeaderBytes = 4;
constexpr size_t kCellBytes = 4;

uint16_t ReadU16(const std::vector<uint8_t>& bytes, size_t at) {
  return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

void WriteU16(std::vector<uint8_t>& bytes, uint16_t value) {
  bytes.push_back(uint8_t(value));
  bytes.push_back(uint8_t(value >> 8));
}

} // namespace

std::vector<uint8_t> BuildMapRegionClip(const TXelMapLayer& lower, const TXelMapLayer& upper) {
  const int w = lower.Width(), h = lower.Height();
  if (w < 1 || h < 1 || w > 0xFFFF || h > 0xFFFF || upper.Width() != w || upper.Height() != h)
    return {};
  std::vector<uint8_t> bytes;
  bytes.reserve(kHeaderBytes + kCellBytes * size_t(w) * size_t(h));
  WriteU16(bytes, uint16_t(w));
  WriteU16(bytes, uint16_t(h));
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      WriteU16(bytes, uint16_t(lower.GetCell(x, y)));
      WriteU16(bytes, uint16_t(upper.GetCell(x, y)));
    }
  return bytes;
}

bool IsMapRegionClip(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < kHeaderBytes) return false;
  const size_t w = ReadU16(bytes, 0), h = ReadU16(bytes, 2);
  return w >= 1 && h >= 1 && (bytes.size() - kHeaderBytes) / kCellBytes >= w * h;
}

std::optional<TMapRegionClip> ParseMapRegionClip(const std::vector<uint8_t>& bytes) {
  if (!IsMapRegionClip(bytes)) return std::nullopt;
  TMapRegionClip clip;
  clip.Width = ReadU16(bytes, 0);
  clip.Height = ReadU16(bytes, 2);
  const size_t cells = size_t(clip.Width) * size_t(clip.Height);
  clip.Lower.resize(cells);
  clip.Upper.resize(cells);
  size_t at = kHeaderBytes;
  for (int x = 0; x < clip.Width; ++x)
    for (int y = 0; y < clip.Height; ++y, at += kCellBytes) {
      const size_t cell = size_t(y) * size_t(clip.Width) + size_t(x);
      clip.Lower[cell] = ReadU16(bytes, at);
      clip.Upper[cell] = ReadU16(bytes, at + 2);
    }
  return clip;
}
