#include "core/bmp_image.h"

#include <bit>
#include <cstring>
#include <vector>

#include "core/bitmap.h"
#include "core/image_messages.h"
#include "core/stream.h"

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

[[noreturn]] void Invalid() {
  throw EInvalidGraphic(SInvalidBmpImage);
}
[[noreturn]] void Unsupported() {
  throw EInvalidGraphic(SUnsupportedBmpImage);
}

// One channel of a bitfield mask: where it sits and how to widen it to 8 bits.
struct TChannel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit TChannel(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    max = m >> shift;
    if ((max & (max + 1)) != 0) Invalid(); // the bits of a channel must be contiguous
  }
  uint8_t Get(uint32_t pixel) const {
    if (max == 0) return 0;
    const uint32_t v = (pixel & mask) >> shift;
    return uint8_t((uint64_t(v) * 255 + max / 2) / max);
  }
};

struct TBmpHeader {
  int64_t width = 0;
  int64_t height = 0;
  int bits = 0;
  uint32_t compression = kRgb;
  uint32_t colorsUsed = 0;
  uint32_t masks[3] = {0, 0, 0};
  bool core = false;
  bool topDown = false;
};

// Without a bitmap the run codes are only checked: a stream that ends before its end code
// raises EReadError before the bitmap is sized for what the header declares.
void DecodeRle(const std::vector<uint8_t>& data, TBitmap* bitmap, int width, int height,
               bool fourBits) {
  int x = 0, line = 0; // line counts from the bottom row
  size_t p = 0;
  auto next = [&]() -> uint8_t {
    if (p >= data.size()) throw EReadError();
    return data[p++];
  };
  auto put = [&](uint8_t index) {
    if (bitmap && x < width && line < height) bitmap->SetIndexAt(x, height - 1 - line, index);
    ++x;
  };
  for (;;) {
    const uint8_t count = next();
    const uint8_t value = next();
    if (count > 0) {
      for (int i = 0; i < count && x < width; ++i)
        put(fourBits ? ((i & 1) ? value & 15 : value >> 4) : value);
      continue;
    }
    switch (value) {
    case 0: // end of line
      x = 0;
      ++line;
      break;
    case 1: // end of bitmap
      return;
    case 2: // delta
      x += next();
      line += next();
      break;
    default: { // absolute run, padded to a 16-bit boundary
      const size_t bytes = fourBits ? (value + 1) / 2 : value;
      if (p + bytes > data.size()) throw EReadError();
      for (int i = 0; i < value; ++i) {
        const uint8_t b = data[p + (fourBits ? i / 2 : i)];
        if (x < width) put(fourBits ? ((i & 1) ? b & 15 : b >> 4) : b);
      }
      p += bytes + (bytes & 1);
    }
    }
    if (line >= height) return; // nothing more can land inside the bitmap
  }
}

TBmpHeader ReadHeaders(TStream& stream, uint32_t& dataOffset) {
  uint8_t file[14];
  stream.ReadBuffer(file, sizeof file);
  if (file[0] != 'B' || file[1] != 'M') Invalid();
  dataOffset = GetLE32(file + 10);

  uint8_t sizeBytes[4];
  stream.ReadBuffer(sizeBytes, 4);
  const uint32_t headerSize = GetLE32(sizeBytes);
  TBmpHeader h;
  if (headerSize == 12) {
    uint8_t b[8];
    stream.ReadBuffer(b, sizeof b);
    h.core = true;
    h.width = GetLE16(b);
    h.height = GetLE16(b + 2);
    h.bits = GetLE16(b + 6);
  } else if (headerSize >= 40 && headerSize <= 1024) {
    std::vector<uint8_t> b(headerSize - 4);
    stream.ReadBuffer(b.data(), b.size());
    h.width = int32_t(GetLE32(b.data()));
    h.height = int32_t(GetLE32(b.data() + 4));
    h.bits = GetLE16(b.data() + 10);
    h.compression = GetLE32(b.data() + 12);
    h.colorsUsed = GetLE32(b.data() + 28);
    if (headerSize >= 52) {
      for (int i = 0; i < 3; ++i)
        h.masks[i] = GetLE32(b.data() + 36 + 4 * i);
    } else if (h.compression == kBitFields) {
      uint8_t m[12];
      stream.ReadBuffer(m, sizeof m);
      for (int i = 0; i < 3; ++i)
        h.masks[i] = GetLE32(m + 4 * i);
    }
  } else {
    Invalid();
  }
  if (h.height < 0) {
    h.topDown = true;
    h.height = -h.height;
  }
  if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
    Unsupported();
  switch (h.compression) {
  case kRgb:
    break;
  case kRle8:
    if (h.bits != 8) Invalid();
    break;
  case kRle4:
    if (h.bits != 4) Invalid();
    break;
  case kBitFields:
    if (h.bits != 16 && h.bits != 32) Invalid();
    break;
  default:
    Unsupported();
  }
  if ((h.compression == kRle8 || h.compression == kRle4) && h.topDown) Invalid();
  if (!ImageSizeAllowed(h.width, h.height)) Invalid();
  if (h.compression == kRgb && h.bits == 16) {
    h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
  } else if (h.compression == kRgb && h.bits == 32) {
    h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
  }
  return h;
}

} // namespace

void ReadBmp(TStream& stream, TBitmap& bitmap) {
  const int64_t start = stream.GetPosition();
  uint32_t dataOffset = 0;
  const TBmpHeader h = ReadHeaders(stream, dataOffset);

  TPalette palette{};
  if (h.bits <= 8) {
    const uint32_t count = h.colorsUsed ? h.colorsUsed : 1u << h.bits;
    if (count > 256) Invalid();
    const int entry = h.core ? 3 : 4;
    std::vector<uint8_t> b(size_t(count) * entry);
    stream.ReadBuffer(b.data(), b.size());
    for (uint32_t i = 0; i < count; ++i)
      palette[i] = TPaletteEntry{b[i * entry + 2], b[i * entry + 1], b[i * entry], 0};
  }
  if (dataOffset != 0) {
    // The pixels may not start inside the headers, nor past the end of the file.
    if (int64_t(dataOffset) < 14 + 12) Invalid();
    if (int64_t(dataOffset) > stream.GetSize() - start) throw EReadError();
    stream.SetPosition(start + dataOffset);
  }

  const int width = int(h.width), height = int(h.height);
  const TChannel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  TPixelFormat format;
  bool copyRows = true;
  switch (h.bits) {
  case 1:
    format = TPixelFormat::pf1bit;
    break;
  case 4:
    format = TPixelFormat::pf4bit;
    break;
  case 8:
    format = TPixelFormat::pf8bit;
    break;
  case 16:
    copyRows = h.masks[0] == 0xF800 && h.masks[1] == 0x07E0 && h.masks[2] == 0x001F;
    format = copyRows ? TPixelFormat::pf16bit : TPixelFormat::pf24bit;
    break;
  case 24:
    format = TPixelFormat::pf24bit;
    break;
  default:
    copyRows = h.masks[0] == 0xFF0000 && h.masks[1] == 0xFF00 && h.masks[2] == 0xFF;
    format = TPixelFormat::pf32bit;
  }

  if (h.compression == kRle8 || h.compression == kRle4) {
    std::vector<uint8_t> data(size_t(stream.Remaining()));
    stream.ReadBuffer(data.data(), data.size());
    DecodeRle(data, nullptr, width, height, h.compression == kRle4);
    bitmap.Reset(format, width, height);
    bitmap.Palette() = palette;
    DecodeRle(data, &bitmap, width, height, h.compression == kRle4);
    return;
  }

  const size_t rowBytes = size_t(((int64_t(width) * h.bits + 31) / 32) * 4);
  stream.RequireRemaining(uint64_t(rowBytes) * uint64_t(height));
  bitmap.Reset(format, width, height);
  bitmap.Palette() = palette;
  std::vector<uint8_t> row(rowBytes);
  for (int i = 0; i < height; ++i) {
    stream.ReadBuffer(row.data(), rowBytes);
    uint8_t* out = bitmap.ScanLine(h.topDown ? i : height - 1 - i);
    if (copyRows) {
      std::memcpy(out, row.data(), std::min<size_t>(rowBytes, size_t(bitmap.RowBytes())));
      continue;
    }
    const int step = h.bits / 8;
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = row.data() + size_t(x) * step;
      const uint32_t v = step == 2 ? GetLE16(p) : GetLE32(p);
      uint8_t* q = out + size_t(x) * (step == 2 ? 3 : 4);
      q[0] = blue.Get(v), q[1] = green.Get(v), q[2] = red.Get(v);
    }
  }
}

void WriteBmp(TStream& stream, const TBitmap& bitmap) {
  if (bitmap.Empty()) throw EInvalidGraphic(SEmptyBitmap); // no reader would take it back
  const TPixelFormat format = bitmap.PixelFormat();
  const int bits = BitsPerPixel(format);
  const uint32_t paletteCount = bits <= 8 ? 1u << bits : 0;
  const bool fields = format == TPixelFormat::pf16bit;
  const uint32_t offset = 14 + 40 + paletteCount * 4 + (fields ? 12 : 0);
  const uint32_t imageSize = uint32_t(bitmap.RowBytes()) * uint32_t(bitmap.Height());

  std::vector<uint8_t> head(offset, 0);
  head[0] = 'B', head[1] = 'M';
  PutLE32(&head[2], offset + imageSize);
  PutLE32(&head[10], offset);
  uint8_t* info = &head[14];
  PutLE32(info, 40);
  PutLE32(info + 4, uint32_t(bitmap.Width()));
  PutLE32(info + 8, uint32_t(bitmap.Height()));
  PutLE16(info + 12, 1);
  PutLE16(info + 14, uint16_t(bits));
  PutLE32(info + 16, fields ? kBitFields : kRgb);
  PutLE32(info + 20, imageSize);
  uint8_t* after = info + 40;
  if (fields) {
    PutLE32(after, 0xF800), PutLE32(after + 4, 0x07E0), PutLE32(after + 8, 0x001F);
  }
  for (uint32_t i = 0; i < paletteCount; ++i) {
    const TPaletteEntry& e = bitmap.Palette()[i];
    after[4 * i] = e.Blue, after[4 * i + 1] = e.Green, after[4 * i + 2] = e.Red;
  }
  stream.WriteBuffer(head.data(), head.size());
  for (int y = bitmap.Height() - 1; y >= 0; --y)
    stream.WriteBuffer(bitmap.ScanLine(y), size_t(bitmap.RowBytes()));
}
