// Loads a record and a list from arbitrary bytes; whatever loads must save and reload
// to the same bytes.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 65536

#include <cstdlib>

#include "core/errors.h"
#include "fuzz_seeds.h"
#include "tests/core/sample_records.h"

namespace {

template <class T> void CheckRoundTrip(const uint8_t* data, size_t size) {
  T first;
  TMemoryStream in(data, size);
  try {
    first.LoadFromStream(in);
  } catch (const EReadError&) {
    return;
  }
  const auto saved = SaveBytes(first);
  T second;
  LoadBytes(second, saved);
  if (SaveBytes(second) != saved) std::abort();
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  TSampleRecord r;
  r.Name = "Seed";
  r.Number = -1;
  r.Flag = false;
  r.Ratio = 2.0;
  r.BlobSize = 4;
  r.BlobBytes = {1, 2, 3, 4};
  r.Children.Append()->Name = "child";
  r.Children.GetOrCreate(9)->Value = 300;
  r.Child.Value = 128;
  TSampleList list;
  list.Append()->Assign(r);
  list.GetOrCreate(4)->Name = "four";
  return {SaveBytes(r), SaveBytes(list), {0x00}, {0x02, 0x01, 0x00, 0x02, 0x00}};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckRoundTrip<TSampleRecord>(data, size);
  CheckRoundTrip<TSampleList>(data, size);
  return 0;
}
