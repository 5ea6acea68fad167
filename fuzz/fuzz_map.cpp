// Loads a map file from arbitrary bytes. Whatever happens the map stays consistent
// (it saves, shifts and reads its cells); whatever loads saves and reloads to a fixed
// point after one round.
#include <cstdlib>

#include "core/errors.h"
#include "core/map.h"
#include "core/stream.h"
#include "fuzz_seeds.h"

namespace {

std::vector<uint8_t> Save(const TXelMap& map) {
  TMemoryStream s;
  map.SaveMapFile(s);
  return s.Bytes();
}

bool Load(TXelMap& map, const uint8_t* data, size_t size) {
  TMemoryStream in(data, size);
  try {
    map.LoadMapFile(in);
    return true;
  } catch (const EReadError&) {
    return false;
  }
}

} // namespace

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
  ev->Pages.Items(0)->GraphicName = "Chara";
  busy.SaveCount = 3;
  return {Save(plain), Save(busy)};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TXelMap map;
  const bool loaded = Load(map, data, size);
  if (size > 2) map.Shift(int8_t(data[0]), int8_t(data[1]));
  if (map.LowerLayer.GetCell(-1, -1) < -1 || map.UpperLayer.GetCell(map.Width(), 0) > 0xFFFF)
    std::abort();
  const auto first = Save(map); // raises (and so fails) if the map were inconsistent
  if (!loaded) return 0;
  TXelMap second, third;
  if (!Load(second, first.data(), first.size())) std::abort();
  const auto again = Save(second);
  if (!Load(third, again.data(), again.size()) || Save(third) != again) std::abort();
  return 0;
}
