// The PNG reader's image data path against zlib. The first three bytes give the image
// (width and height 1 to 16, palette or colour, the size of the IDAT pieces); the rest is
// the zlib stream, put into IDAT chunks whose CRCs match, so every input reaches the
// inflation. The reader must load exactly the streams that zlib inflates whole, with their
// Adler-32, to at least the image's rows, all of whose filter types exist; and a row
// stored unfiltered must come out as it lies in the stream.
#include <zlib.h>

#include <cstdlib>

#include "core/errors.h"
#include "core/png_image.h"
#include "core/stream.h"
#include "fuzz_seeds.h"
#include "tests/core/image_bytes.h"

namespace {

ImageBytes Input(uint8_t width, uint8_t height, uint8_t kind, const ImageBytes& stream) {
  ImageBytes out{uint8_t(width - 1), uint8_t(height - 1), kind};
  Append(out, stream);
  return out;
}

// What zlib makes of the stream: true when it ends whole with at least Rows.size() bytes,
// which Rows then holds; what lies beyond is dropped.
bool ZlibRows(const uint8_t* in, size_t size, ImageBytes& rows) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) std::abort();
  z.next_in = const_cast<uint8_t*>(in);
  z.avail_in = uInt(size);
  int rc = Z_OK;
  while (rc == Z_OK) {
    uint8_t spill[4096];
    const bool inRows = z.total_out < rows.size();
    z.next_out = inRows ? rows.data() + z.total_out : spill;
    z.avail_out = uInt(inRows ? rows.size() - z.total_out : sizeof spill);
    rc = inflate(&z, Z_NO_FLUSH);
  }
  const bool whole = rc == Z_STREAM_END && z.total_out >= rows.size();
  inflateEnd(&z);
  return whole;
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  const auto rows8 = PatternRows(13, 9, 1, 5), rows24 = PatternRows(16, 16, 3, 6);
  const ImageBytes palette = FilterRows(rows8, 1, {0, 1, 2, 3, 4});
  const ImageBytes colour = FilterRows(rows24, 3, {4, 0, 3, 2, 1});
  ImageBytes longer = palette;
  longer.insert(longer.end(), 40, 7);
  return {Input(13, 9, 0, Deflate(palette, 6)), Input(13, 9, 0x0C, Deflate(palette, 0)),
          Input(16, 16, 1, Deflate(colour, 9)), Input(16, 16, 0x21, Deflate(colour, 1)),
          Input(13, 9, 0, Deflate(longer))};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const uint32_t width = 1 + data[0] % 16, height = 1 + data[1] % 16;
  const bool colour = data[2] & 1;
  const size_t piece = data[2] >> 1; // 0: the whole stream in one chunk
  const uint8_t* stream = data + 3;
  const size_t streamSize = size - 3;

  ImageBytes png = PngSignature();
  Append(png, PngChunk("IHDR", IhdrData(width, height, colour ? 2 : 3)));
  if (!colour) Append(png, PngChunk("PLTE", ImageBytes(768, 0)));
  for (size_t at = 0; at < streamSize || at == 0;) {
    const size_t n = piece == 0 ? streamSize : std::min(piece, streamSize - at);
    Append(png, PngChunk("IDAT", ImageBytes(stream + at, stream + at + n)));
    at += n;
    if (n == 0) break;
  }
  Append(png, PngChunk("IEND", {}));

  TBitmap bitmap;
  bool loaded = true;
  try {
    TMemoryStream in(png);
    ReadPng(in, bitmap);
  } catch (const Exception&) {
    loaded = false;
  }

  const size_t rowSize = width * (colour ? 3 : 1) + 1;
  ImageBytes rows(rowSize * height);
  bool expected = ZlibRows(stream, streamSize, rows);
  for (uint32_t y = 0; expected && y < height; ++y)
    expected = rows[y * rowSize] <= 4;
  if (loaded != expected) std::abort();
  if (!loaded) return 0;
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* row = rows.data() + y * rowSize;
    if (row[0] != 0) continue;
    const uint8_t* line = bitmap.ScanLine(int(y));
    for (uint32_t x = 0; x < width; ++x) {
      const bool same = colour
                            ? line[3 * x] == row[3 + 3 * x] && line[3 * x + 1] == row[2 + 3 * x] &&
                                  line[3 * x + 2] == row[1 + 3 * x]
                            : line[x] == row[1 + x];
      if (!same) std::abort();
    }
  }
  return 0;
}
