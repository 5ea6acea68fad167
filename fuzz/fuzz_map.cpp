// Loads a map file from arbitrary bytes. Whatever happens the map stays consistent (it
// shifts, reads its cells and saves), and what it saves reloads to a fixed point.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 1310720

#include <cstdlib>

#include "core/errors.h"
#include "core/map.h"
#include "core/map_graphics.h"
#include "fuzz_seeds.h"
#include "tests/core/file_form.h"
#include "tests/core/generated_map.h"

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
  FuzzSeeds seeds = {FileFormBytes(plain), FileFormBytes(busy)};
  // Several small generated ones, so that the run starts among quick inputs rather than
  // spending itself on mutants of the large one.
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    TXelMap small;
    GenerateMap(small, 3 + int(seed), 2 + int(seed % 3), int(seed % 4), "Walker", nullptr, seed);
    seeds.push_back(FileFormBytes(small));
  }
  // A large realistic map: 500 x 500 with 1,000 events.
  TXelMap large;
  GenerateMap(large, 500, 500, 1000, "Walker");
  seeds.push_back(FileFormBytes(large));
  return seeds;
}

namespace {

// Drawing is not what this target checks: its maps get graphics that hold nothing, so a
// map costs no chipset sheet.
class TNoGraphics final : public TMapGraphics {
public:
  void ReloadChipSet(const TXelChipSetItem*) override {}
  void ClearChipSetGraphic() override {}
  void MarkAllCharSetsUnused() override {}
  void LoadCharSet(const std::string&) override {}
  void PurgeUnusedCharSets() override {}
  TXelChipSetGraphic* ChipSetGraphic() override { return nullptr; }
  TXelCharSetGraphic* CharSetGraphic() override { return nullptr; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool installed = SetMapGraphicsFactory([]() -> std::unique_ptr<TMapGraphics> {
                                  return std::make_unique<TNoGraphics>();
                                }) == nullptr;
  (void)installed;
  TXelMap map;
  try {
    LoadFileForm(map, data, size);
  } catch (const EReadError&) {
    // A map that failed to load is still a whole map.
  }
  if (map.LowerLayer.Cells().size() != size_t(map.Width()) * size_t(map.Height()) ||
      map.UpperLayer.Cells().size() != map.LowerLayer.Cells().size())
    std::abort();
  // Big maps and files are legal but too slow to shift and save on every run.
  if (map.LowerLayer.Cells().size() > (1u << 16) || size > 65536) return 0;
  if (size > 2) map.Shift(int8_t(data[0]), int8_t(data[1]));
  if (map.LowerLayer.GetCell(-1, -1) < -1 || map.UpperLayer.GetCell(map.Width(), 0) > 0xFFFF)
    std::abort();
  if (!SavesToAFixedPoint(map)) std::abort();
  return 0;
}
