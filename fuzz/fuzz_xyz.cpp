// The XYZ reader on arbitrary bytes.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 131072

#include "core/xyz_image.h"
#include "fuzz_seeds.h"
#include "image_fuzz.h"
#include "tests/core/image_bytes.h"

FuzzSeeds MakeFuzzSeeds() {
  FuzzSeeds seeds;
  for (int size : {1, 7, 24}) {
    ImageBytes plain(768, 0);
    for (int i = 0; i < 768; ++i)
      plain[i] = uint8_t(i * 5);
    for (int i = 0; i < size * size; ++i)
      plain.push_back(uint8_t(i % 11));
    ImageBytes file = {'X', 'Y', 'Z', '1', uint8_t(size), 0, uint8_t(size), 0};
    Append(file, Deflate(plain));
    seeds.push_back(file);
  }
  return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckImageRoundTrip<ReadXyz, WriteXyz>(data, size);
  return 0;
}
