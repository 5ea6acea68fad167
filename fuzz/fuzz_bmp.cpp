// The BMP reader on arbitrary bytes.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 131072

#include "core/bmp_image.h"
#include "fuzz_seeds.h"
#include "image_fuzz.h"
#include "tests/core/image_bytes.h"

FuzzSeeds MakeFuzzSeeds() {
  ImageBytes b8 = BmpHead(3, 2, 8, 0, 14 + 40 + 16, 4);
  for (uint8_t i = 0; i < 4; ++i)
    b8.insert(b8.end(), {i, uint8_t(2 * i), uint8_t(3 * i), 0});
  b8.insert(b8.end(), {3, 2, 1, 0, 0, 1, 2, 0});
  ImageBytes rle8 = BmpHead(4, 3, 8, 1, 14 + 40 + 32, 8);
  rle8.resize(rle8.size() + 32, 9);
  rle8.insert(rle8.end(), {3, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 1, 7, 0, 1});
  ImageBytes rle4 = BmpHead(6, 1, 4, 2, 14 + 40 + 64);
  rle4.resize(rle4.size() + 64, 3);
  rle4.insert(rle4.end(), {3, 0x9A, 0, 3, 0xBC, 0xD0, 0, 1});
  ImageBytes b565 = BmpHead(2, -2, 16, 3, 66);
  AppendLE32(b565, 0xF800), AppendLE32(b565, 0x07E0), AppendLE32(b565, 0x001F);
  for (uint16_t v : {0xF81F, 0x07E0, 0x1234, 0xFFFF})
    AppendLE16(b565, v);
  ImageBytes b24 = BmpHead(1, 2, 24, 0, 54);
  b24.insert(b24.end(), {1, 2, 3, 0, 4, 5, 6, 0});
  ImageBytes b32 = BmpHead(1, 1, 32, 0, 54);
  b32.insert(b32.end(), {1, 2, 3, 4});
  return {b8, rle8, rle4, b565, b24, b32};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckImageRoundTrip<ReadBmp, WriteBmp>(data, size);
  return 0;
}
