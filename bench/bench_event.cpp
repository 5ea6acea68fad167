// Load and save of a busy map's events: 1000 events of 3 pages, each page with a
// 40-line script and an 8-command route. Every load parses and every save rebuilds
// each script and route, so this is the cost a map file pays for them.
#include <benchmark/benchmark.h>

#include <random>

#include "core/map_event.h"
#include "tests/core/sample_records.h"

namespace {

void Fill(TXelEvent& events) {
  std::mt19937 rng(4321);
  for (int id = 1; id <= 1000; ++id) {
    TXelEventItem* ev = events.GetOrCreate(id);
    ev->Name = "EV" + std::to_string(id);
    ev->X = static_cast<int32_t>(rng() % 500);
    ev->Y = static_cast<int32_t>(rng() % 500);
    for (int p = 0; p < 3; ++p) {
      TXelEventPageItem* page = p == 0 ? ev->Pages.Items(0) : ev->Pages.Append();
      page->GraphicName = "Walk1";
      page->Condition.Flags = ecSwitchA;
      page->Condition.SwitchAId = static_cast<int32_t>(rng() % 5000);
      TXelEventScriptList lines;
      for (int k = 0; k < 40; ++k) {
        TXelEventScriptLine* line =
            lines.Add(10110 + static_cast<int32_t>(rng() % 3000), k % 3, "Some text");
        line->SetParamCount(4);
        for (int n = 0; n < 4; ++n)
          line->SetParam(n, static_cast<int32_t>(rng()) - 1000);
      }
      page->Script.InsertLines(0, lines, 0);
      for (int k = 0; k < 8; ++k) {
        auto item = std::make_unique<TXelMoveRouteItem>();
        item->Code = static_cast<int32_t>(rng() % 42);
        item->SoundName = item->Code == mcPlaySound ? "Knock" : "";
        page->MoveRoute.Add(std::move(item));
      }
    }
  }
}

void BM_SaveEvents1000(benchmark::State& state) {
  TXelEvent events;
  Fill(events);
  size_t bytes = 0;
  for (auto _ : state) {
    TMemoryStream s;
    events.SaveToStream(s);
    bytes = s.Bytes().size();
    benchmark::DoNotOptimize(s.Memory());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_SaveEvents1000)->Unit(benchmark::kMillisecond);

void BM_LoadEvents1000(benchmark::State& state) {
  TXelEvent events;
  Fill(events);
  const Bytes bytes = SaveBytes(events);
  for (auto _ : state) {
    TXelEvent target;
    LoadBytes(target, bytes);
    benchmark::DoNotOptimize(target.GetCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadEvents1000)->Unit(benchmark::kMillisecond);

} // namespace
