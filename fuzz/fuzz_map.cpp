// Loads a map file from arbitrary bytes. Whatever happens the map stays consistent (it
// shifts, reads its cells and saves), and what it saves reloads to a fixed point.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 262144

#include <cstdlib>

#include "core/errors.h"
#include "core/map.h"
#include "fuzz_seeds.h"
#include "tests/core/file_form.h"

FuzzSeeds MakeFuzzSeeds() {
  TXelMap plain;
  TXelMap busy;
  busy.SetWidth(9);
  busy.SetHeight(4);
  busy.SetScrollType(3);
  busy.PanoramaName = "Sky";
  busy.UsePanorama = 1;
  busy.HorizontalSpeed = -3;
  busy.LowerLayer.SetCell(8, 3, 4049);
  busy.UpperLayer.SetCell(0, 0, 10001);
  TXelEventItem* ev = busy.Events.GetOrCreate(2);
  ev->X = 8;
  ev->Pages.Items(0)->GraphicName = "Walker";
  busy.SaveCount = 3;
  return {FileFormBytes(plain), FileFormBytes(busy)};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TXelMap map;
  try {
    LoadFileForm(map, data, size);
  } catch (const EReadError&) {
    // A map that failed to load is still a whole map.
  }
  if (size > 2) map.Shift(int8_t(data[0]), int8_t(data[1]));
  if (map.LowerLayer.GetCell(-1, -1) < -1 || map.UpperLayer.GetCell(map.Width(), 0) > 0xFFFF)
    std::abort();
  if (!SavesToAFixedPoint(map)) std::abort();
  return 0;
}
