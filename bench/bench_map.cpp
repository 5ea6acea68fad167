// Load and save of a 500 x 500 map with 1,000 events (each with two pages, a short
// script and a route), as map files in memory; and its save to disk as the editor saves
// it, beside writing and syncing the same bytes.
#include <benchmark/benchmark.h>

#include <random>

#include "bench/bench_folder.h"
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

void BM_SaveMap500x500ToFile(benchmark::State& state) {
  TBenchFolder folder;
  const std::string path = (folder.Root() / "Map0001.lmu").string();
  TXelMap map;
  Fill(map);
  map.SaveToFile(path); // the save replaces a file, as it does in a project
  for (auto _ : state)
    map.SaveToFile(path);
  state.SetBytesProcessed(int64_t(state.iterations() * FileFormBytes(map).size()));
}
BENCHMARK(BM_SaveMap500x500ToFile)->Unit(benchmark::kMillisecond);

void BM_WriteAndSyncMapBytes(benchmark::State& state) {
  TBenchFolder folder;
  const std::string path = (folder.Root() / "Map0001.lmu").string();
  TXelMap map;
  Fill(map);
  const std::vector<uint8_t> bytes = FileFormBytes(map);
  WriteAndSync(path, bytes.data(), bytes.size());
  for (auto _ : state)
    WriteAndSync(path, bytes.data(), bytes.size());
  state.SetBytesProcessed(int64_t(state.iterations() * bytes.size()));
}
BENCHMARK(BM_WriteAndSyncMapBytes)->Unit(benchmark::kMillisecond);

void BM_ShiftMap500x500(benchmark::State& state) {
  TXelMap map;
  Fill(map);
  for (auto _ : state)
    map.Shift(3, -2);
}
BENCHMARK(BM_ShiftMap500x500)->Unit(benchmark::kMillisecond);

} // namespace
