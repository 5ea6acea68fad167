// Load and save of a 500 x 500 map with 1,000 events (each with two pages, a short
// script and a route), as map files in memory; and its save to disk as the editor saves
// it, paired with writing and syncing the same bytes.
#include <benchmark/benchmark.h>

#include <random>

#include "bench/bench_folder.h"
#include "bench/bench_pairs.h"
#include "bench/bench_sync_write.h"

#include "core/map.h"
#include "tests/core/file_form.h"

namespace {

void Fill(TXelMap& map) {
  std::mt19937 rng(2024);
  map.SetWidth(500);
  map.SetHeight(500);
  for (int y = 0; y < 500; ++y) {
    for (int x = 0; x < 500; ++x) {
      map.LowerLayer.SetCell(x, y, uint16_t(4000 + rng() % 1144));
      map.UpperLayer.SetCell(x, y, uint16_t(10000 + rng() % 144));
    }
  }
  for (int id = 1; id <= 1000; ++id) {
    TXelEventItem* ev = map.Events.GetOrCreate(id);
    ev->Name = "EV" + std::to_string(id);
    ev->X = int32_t(rng() % 500);
    ev->Y = int32_t(rng() % 500);
    for (int p = 0; p < 2; ++p) {
      TXelEventPageItem* page = p == 0 ? ev->Pages.Items(0) : ev->Pages.Append();
      page->GraphicName = "Walker" + std::to_string(rng() % 8);
      TXelEventScriptList lines;
      for (int k = 0; k < 10; ++k) {
        TXelEventScriptLine* line = lines.Add(10110 + int32_t(rng() % 1000), 0, "Hello there");
        line->SetParamCount(3);
        line->SetParam(0, int32_t(rng() % 5000));
      }
      page->Script.InsertLines(0, lines, 0);
      auto step = std::make_unique<TXelMoveRouteItem>();
      step->Code = int32_t(rng() % 32);
      page->MoveRoute.Add(std::move(step));
    }
  }
}

void BM_SaveMap500x500(benchmark::State& state) {
  TXelMap map;
  Fill(map);
  size_t bytes = 0;
  // One buffer written over by every save, as SaveToFile keeps its own.
  TMemoryStream saved;
  for (auto _ : state) {
    saved.SetSize(0);
    map.SaveToFileStream(saved);
    bytes = size_t(saved.GetSize());
    benchmark::DoNotOptimize(saved.Memory());
  }
  state.SetBytesProcessed(int64_t(state.iterations() * bytes));
}
BENCHMARK(BM_SaveMap500x500)->Unit(benchmark::kMillisecond);

void BM_LoadMap500x500(benchmark::State& state) {
  TXelMap source;
  Fill(source);
  std::vector<uint8_t> bytes = FileFormBytes(source);
  const size_t size = bytes.size();
  TXelMap map;
  for (auto _ : state) {
    // The file's bytes lent to the stream, as the editor's load does, not copied again.
    TMemoryStream stream(std::move(bytes));
    map.LoadFromFileStream(stream);
    bytes = stream.TakeBytes();
    benchmark::DoNotOptimize(map.Width());
  }
  state.SetBytesProcessed(int64_t(state.iterations() * size));
}
BENCHMARK(BM_LoadMap500x500)->Unit(benchmark::kMillisecond);

// The map's save to disk as the editor saves it (temporary file, sync, rename, sync of the
// folder), each paired with the same bytes written into a file and synced.
void BM_SaveMap500x500ToFile(benchmark::State& state) {
  TBenchFolder folder;
  const std::string path = (folder.Root() / "Map0001.lmu").string();
  const std::string peerPath = (folder.Root() / "Peer.lmu").string();
  TXelMap map;
  Fill(map);
  const std::vector<uint8_t> bytes = FileFormBytes(map);
  // Both write over a file that is there, as a save in a project does.
  map.SaveToFile(path);
  WriteAndSync(peerPath, bytes.data(), bytes.size());
  TimePairs(
      state, [&] { map.SaveToFile(path); },
      [&] { WriteAndSync(peerPath, bytes.data(), bytes.size()); });
  state.SetBytesProcessed(int64_t(state.iterations() * bytes.size()));
}
BENCHMARK(BM_SaveMap500x500ToFile)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ShiftMap500x500(benchmark::State& state) {
  TXelMap map;
  Fill(map);
  for (auto _ : state)
    map.Shift(3, -2);
}
BENCHMARK(BM_ShiftMap500x500)->Unit(benchmark::kMillisecond);

} // namespace
