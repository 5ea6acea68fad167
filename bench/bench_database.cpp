// Load and save of a generated database of about 20 MB, beside copying the same bytes as
// one block (the floor for any reader or writer).
#include <benchmark/benchmark.h>

#include <cstring>

#include "core/database.h"
#include "core/stream.h"
#include "core/system_records.h"
#include "tests/core/database_generator.h"

namespace {

TXelDataBase& Generated() {
  static TXelDataBase* db = [] {
    auto* made = new TXelDataBase;
    TDataBaseGenerator(2024).Fill(*made, 3000);
    return made;
  }();
  return *db;
}

const std::vector<uint8_t>& GeneratedBytes() {
  static const std::vector<uint8_t> bytes = [] {
    TMemoryStream s;
    Generated().SaveToStream(s);
    return s.Bytes();
  }();
  return bytes;
}

void BM_SaveDataBase(benchmark::State& state) {
  TXelDataBase& db = Generated();
  const size_t size = GeneratedBytes().size();
  // One buffer written over by every save, as SaveDataBaseFile keeps its own.
  TMemoryStream s;
  for (auto _ : state) {
    s.SetSize(0);
    db.SaveToStream(s);
    benchmark::DoNotOptimize(s.Memory());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
  state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}
BENCHMARK(BM_SaveDataBase)->Unit(benchmark::kMillisecond);

void BM_LoadDataBase(benchmark::State& state) {
  const auto& bytes = GeneratedBytes();
  TXelDataBase db;
  TMemoryStream s(bytes.data(), bytes.size());
  for (auto _ : state) {
    db.Reset(); // a changed file: everything is parsed
    s.SetPosition(0);
    db.LoadFromStream(s);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadDataBase)->Unit(benchmark::kMillisecond);

void BM_CopyBlockFloor(benchmark::State& state) {
  const auto& bytes = GeneratedBytes();
  std::vector<uint8_t> target(bytes.size());
  for (auto _ : state) {
    std::memcpy(target.data(), bytes.data(), bytes.size());
    benchmark::DoNotOptimize(target.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_CopyBlockFloor)->Unit(benchmark::kMillisecond);

} // namespace
