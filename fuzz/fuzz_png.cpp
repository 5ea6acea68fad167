// The PNG reader on arbitrary bytes.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 131072

#include "core/png_image.h"
#include "fuzz_seeds.h"
#include "image_fuzz.h"
#include "tests/core/image_bytes.h"

FuzzSeeds MakeFuzzSeeds() {
  ImageBytes plte;
  for (int i = 0; i < 8; ++i)
    plte.insert(plte.end(), {uint8_t(30 * i), 7, uint8_t(255 - i)});
  auto rows8 = PatternRows(9, 5, 1, 1);
  for (auto& row : rows8)
    for (auto& v : row)
      v &= 7;
  const auto rows24 = PatternRows(4, 6, 3, 2);
  ImageBytes split = PngSignature();
  Append(split, PngChunk("IHDR", IhdrData(9, 5, 3)));
  Append(split, PngChunk("PLTE", plte));
  const ImageBytes packed = Deflate(FilterRows(rows8, 1, {1, 4}));
  Append(split, PngChunk("IDAT", ImageBytes(packed.begin(), packed.begin() + 5)));
  Append(split, PngChunk("tIME", {1, 2, 3, 4, 5, 6, 7}));
  Append(split, PngChunk("IDAT", ImageBytes(packed.begin() + 5, packed.end())));
  Append(split, PngChunk("IEND", {}));
  return {SimplePng(9, 5, 3, plte, FilterRows(rows8, 1, {0, 1, 2, 3, 4})),
          SimplePng(4, 6, 2, {}, FilterRows(rows24, 3, {4, 3, 2, 1, 0})), split};
}

// The input with the CRC of every whole chunk made to match: the reader checks them, so
// without this nearly every mutation would stop at the first chunk it touched.
ImageBytes WithCrcsRepaired(const uint8_t* data, size_t size) {
  ImageBytes png(data, data + size);
  for (size_t p = 8; p + 12 <= png.size();) {
    const uint32_t length =
        uint32_t(png[p]) << 24 | png[p + 1] << 16 | png[p + 2] << 8 | png[p + 3];
    if (length > png.size() - p - 12) break;
    const ImageBytes chunk =
        PngChunk(std::string(png.begin() + long(p) + 4, png.begin() + long(p) + 8),
                 ImageBytes(png.begin() + long(p) + 8, png.begin() + long(p) + 8 + length));
    std::copy(chunk.begin(), chunk.end(), png.begin() + long(p));
    p += 12 + length;
  }
  return png;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckImageRoundTrip<ReadPng, WritePng>(data, size);
  const ImageBytes repaired = WithCrcsRepaired(data, size);
  CheckImageRoundTrip<ReadPng, WritePng>(repaired.data(), repaired.size());
  return 0;
}
