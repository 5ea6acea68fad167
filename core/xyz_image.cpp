#include "core/xyz_image.h"

#include <zlib.h>

#include <cstring>
#include <vector>

#include "core/image_messages.h"
#include "core/stream.h"

namespace {

constexpr size_t kPaletteBytes = 768;
// Deflate never packs more than 1032 bytes into one, so data that would have to inflate
// further cannot be a valid stream.
constexpr uint64_t kMaxInflateRatio = 1032;

} // namespace

void ReadXyz(TStream& stream, TBitmap& bitmap) {
  uint8_t head[8];
  stream.ReadBuffer(head, 4);
  if (std::memcmp(head, "XYZ1", 4) != 0) throw EInvalidGraphic(SInvalidXyzImage);
  stream.ReadBuffer(head + 4, 4);
  const int width = GetLE16(head + 4), height = GetLE16(head + 6);
  if (!ImageSizeAllowed(width, height)) throw EInvalidGraphic(SInvalidXyzImage);

  const size_t packedSize = size_t(stream.Remaining());
  const size_t plainSize = kPaletteBytes + size_t(width) * size_t(height);
  if (plainSize > packedSize * kMaxInflateRatio) throw EZlibError();
  std::vector<uint8_t> packed(packedSize);
  stream.ReadBuffer(packed.data(), packedSize);
  std::vector<uint8_t> plain(plainSize);
  uLongf got = plainSize;
  if (uncompress(plain.data(), &got, packed.data(), packedSize) != Z_OK || got != plainSize)
    throw EZlibError();

  bitmap.Reset(TPixelFormat::pf8bit, width, height);
  for (int i = 0; i < 256; ++i)
    bitmap.Palette()[i] = TPaletteEntry{plain[3 * i], plain[3 * i + 1], plain[3 * i + 2], 0};
  for (int y = 0; y < height; ++y)
    std::memcpy(bitmap.ScanLine(y), plain.data() + kPaletteBytes + size_t(y) * width, width);
}

void WriteXyz(TStream& stream, const TBitmap& source) {
  if (source.Empty()) throw EInvalidGraphic(SEmptyBitmap);
  TBitmap bitmap = source;
  bitmap.SetPixelFormat(TPixelFormat::pf8bit);
  const int width = bitmap.Width(), height = bitmap.Height();
  std::vector<uint8_t> plain(kPaletteBytes + size_t(width) * height);
  for (int i = 0; i < 256; ++i) {
    const TPaletteEntry& e = bitmap.Palette()[i];
    plain[3 * i] = e.Red, plain[3 * i + 1] = e.Green, plain[3 * i + 2] = e.Blue;
  }
  for (int y = 0; y < height; ++y)
    std::memcpy(plain.data() + kPaletteBytes + size_t(y) * width, bitmap.ScanLine(y), width);
  uLongf packedSize = compressBound(plain.size());
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, plain.data(), plain.size(), Z_DEFAULT_COMPRESSION) !=
      Z_OK)
    throw EZlibError();
  uint8_t head[8] = {'X', 'Y', 'Z', '1'};
  PutLE16(head + 4, uint16_t(width));
  PutLE16(head + 6, uint16_t(height));
  stream.WriteBuffer(head, 8);
  stream.WriteBuffer(packed.data(), packedSize);
}
