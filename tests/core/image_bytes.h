// Image files crafted byte by byte from their documented layouts, for the reader tests
// and the fuzz seeds. zlib supplies deflate, inflate and the CRC-32 of PNG chunks.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using ImageBytes = std::vector<uint8_t>;

inline void AppendBE32(ImageBytes& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8)
    out.push_back(uint8_t(v >> s));
}
inline void AppendLE16(ImageBytes& out, uint32_t v) {
  out.push_back(uint8_t(v)), out.push_back(uint8_t(v >> 8));
}
inline void AppendLE32(ImageBytes& out, uint32_t v) {
  for (int s = 0; s < 32; s += 8)
    out.push_back(uint8_t(v >> s));
}
inline void Append(ImageBytes& out, const ImageBytes& more) {
  out.insert(out.end(), more.begin(), more.end());
}

inline ImageBytes Deflate(const ImageBytes& plain, int level = Z_DEFAULT_COMPRESSION) {
  uLongf size = compressBound(plain.size());
  ImageBytes packed(size);
  compress2(packed.data(), &size, plain.data(), plain.size(), level);
  packed.resize(size);
  return packed;
}

// Inflates a whole zlib stream; an empty result when it is not one.
inline ImageBytes Inflate(const ImageBytes& packed, size_t expected) {
  ImageBytes plain(expected + 1);
  uLongf size = plain.size();
  if (uncompress(plain.data(), &size, packed.data(), packed.size()) != Z_OK) return {};
  plain.resize(size);
  return plain;
}

// One PNG chunk: big-endian length, type, data and the CRC-32 of type and data (spoilt
// on request). Sized first: GCC 12 warns falsely about appends to a fresh vector here.
inline ImageBytes PngChunk(const std::string& type, const ImageBytes& data, bool badCrc = false) {
  const auto putBE32 = [](uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
      p[i] = uint8_t(v >> (24 - 8 * i));
  };
  ImageBytes out(12 + data.size());
  putBE32(out.data(), uint32_t(data.size()));
  std::copy_n(type.begin(), 4, out.begin() + 4);
  std::copy(data.begin(), data.end(), out.begin() + 8);
  const uLong crc = crc32(0, out.data() + 4, uInt(4 + data.size()));
  putBE32(out.data() + 8 + data.size(), uint32_t(badCrc ? ~crc : crc));
  return out;
}

inline ImageBytes PngSignature() {
  return {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
}

inline ImageBytes IhdrData(uint32_t width, uint32_t height, uint8_t colorType, uint8_t depth = 8,
                           uint8_t interlace = 0) {
  ImageBytes d;
  AppendBE32(d, width);
  AppendBE32(d, height);
  d.insert(d.end(), {depth, colorType, 0, 0, interlace});
  return d;
}

// Filters the rows (Bpp bytes a pixel) with the given filter types, one per row in turn,
// the way an encoder does: each byte minus its prediction.
inline ImageBytes FilterRows(const std::vector<ImageBytes>& rows, int bpp,
                             const std::vector<uint8_t>& filters) {
  ImageBytes out;
  for (size_t y = 0; y < rows.size(); ++y) {
    const uint8_t f = filters[y % filters.size()];
    out.push_back(f);
    const ImageBytes& row = rows[y];
    for (size_t i = 0; i < row.size(); ++i) {
      const int a = i >= size_t(bpp) ? row[i - bpp] : 0;
      const int b = y > 0 ? rows[y - 1][i] : 0;
      const int c = (y > 0 && i >= size_t(bpp)) ? rows[y - 1][i - bpp] : 0;
      int pred = 0;
      if (f == 1) pred = a;
      if (f == 2) pred = b;
      if (f == 3) pred = (a + b) / 2;
      if (f == 4) {
        const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
        pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
      }
      out.push_back(uint8_t(row[i] - pred));
    }
  }
  return out;
}

// Rows of a deterministic test image: Width x Bpp bytes each.
inline std::vector<ImageBytes> PatternRows(int width, int height, int bpp, uint32_t seed) {
  std::vector<ImageBytes> rows(size_t(height), ImageBytes(size_t(width) * bpp));
  uint32_t s = seed;
  for (auto& row : rows)
    for (auto& v : row) {
      s = s * 1103515245u + 12345u;
      v = uint8_t(s >> 16);
    }
  return rows;
}

// A whole PNG: IHDR, an optional PLTE, the image data in one IDAT, IEND.
inline ImageBytes SimplePng(uint32_t width, uint32_t height, uint8_t colorType,
                            const ImageBytes& plte, const ImageBytes& filtered) {
  ImageBytes png = PngSignature();
  Append(png, PngChunk("IHDR", IhdrData(width, height, colorType)));
  if (!plte.empty()) Append(png, PngChunk("PLTE", plte));
  Append(png, PngChunk("IDAT", Deflate(filtered)));
  Append(png, PngChunk("IEND", {}));
  return png;
}

// A BMP file header followed by a 40-byte info header; the caller appends the rest.
inline ImageBytes BmpHead(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                          uint32_t dataOffset, uint32_t colorsUsed = 0) {
  ImageBytes b = {'B', 'M'};
  AppendLE32(b, 0); // file size: readers do not need it
  AppendLE32(b, 0);
  AppendLE32(b, dataOffset);
  AppendLE32(b, 40);
  AppendLE32(b, uint32_t(width));
  AppendLE32(b, uint32_t(height));
  AppendLE16(b, 1);
  AppendLE16(b, bits);
  AppendLE32(b, compression);
  AppendLE32(b, 0);
  AppendLE32(b, 0);
  AppendLE32(b, 0);
  AppendLE32(b, colorsUsed);
  AppendLE32(b, 0);
  return b;
}
