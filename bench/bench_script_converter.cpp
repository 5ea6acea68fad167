// Display texts of a long script: the event editor converts a whole script again after
// every edit. 10,000 lines of every command, over a database of 5,000 entries per table,
// a map tree of 5,000 maps (with gaps in their ids) and a map of 5,000 events.
#include <benchmark/benchmark.h>

#include <random>

#include "core/animation_record.h"
#include "core/attribute_records.h"
#include "core/chipset_record.h"
#include "core/event_script.h"
#include "core/hero_records.h"
#include "core/switch_records.h"
#include "tests/core/converter_scene.h"

namespace {

constexpr int Entries = 5000;
constexpr int Lines = 10000;

template <class List> void Name(List& list) {
  for (int id = 1; id <= Entries; ++id)
    list.GetOrCreate(id)->Name = "Entry " + std::to_string(id);
}

// The codes that start commands, and their branch lines.
std::vector<int32_t> Codes() {
  std::vector<int32_t> codes;
  for (int32_t code = 10110; code <= 13410; code += 10)
    codes.push_back(code);
  for (int32_t code : {20110, 20140, 20141, 20710, 20711, 20720, 20730, 22010, 22011, 22210, 22410,
                       23310, 23311, 10})
    codes.push_back(code);
  return codes;
}

struct TScene : TConverterScene {
  TScene() {
    Name(database.Switches());
    Name(database.Variables());
    Name(database.Players());
    Name(database.Skills());
    Name(database.Items());
    Name(database.Monsters());
    Name(database.MonGroups());
    Name(database.Statuses());
    Name(database.Animations());
    Name(database.ChipSets());
    Name(database.CommonEvents());
    for (int k = 0; k < Entries; ++k)
      tree.GetOrCreate(2 * k + 1)->Name = "Map " + std::to_string(k);
    Name(map.Events);
    for (int k = 0; k < 8; ++k)
      group.Members.Append()->MonsterId = k + 1;
    converter.EventId = 3;
    converter.Event = map.Events.FindById(3);

    // Parameters are kinds (0 to 3) or ids, half and half; a route is 20 move codes.
    std::mt19937 rng(2024);
    const std::vector<int32_t> codes = Codes();
    for (int k = 0; k < Lines; ++k) {
      TXelEventScriptLine* line =
          script.Add(codes[rng() % codes.size()], static_cast<int32_t>(k % 4), "Some text");
      line->SetParamCount(line->Code == 11330 ? 24 : 8);
      for (int i = 0; i < line->ParamCount(); ++i)
        line->SetParam(i, line->Code == 11330 && i >= 4 ? static_cast<int32_t>(rng() % 42)
                          : rng() % 2                   ? static_cast<int32_t>(rng() % 4)
                                      : static_cast<int32_t>(1 + rng() % Entries));
    }
  }

  TXelEventScriptList script;
};

void BM_ConvertScript10000(benchmark::State& state) {
  TScene scene;
  size_t characters = 0;
  for (auto _ : state) {
    characters = 0;
    for (int k = 0; k < scene.script.GetCount(); ++k)
      characters += scene.converter.Convert(*scene.script.GetItem(k)).size();
    benchmark::DoNotOptimize(characters);
  }
  state.counters["chars"] = static_cast<double>(characters);
}
BENCHMARK(BM_ConvertScript10000)->Unit(benchmark::kMillisecond);

} // namespace
