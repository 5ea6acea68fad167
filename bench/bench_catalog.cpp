// Load and save of a 5000-record list of mixed field kinds, and the cost of saving one
// ten-field record (999 GetVarData calls).
#include <benchmark/benchmark.h>

#include <random>

#include "tests/core/sample_records.h"

namespace {

void Fill(TSampleList& list) {
  std::mt19937 rng(1234);
  for (int i = 0; i < 5000; ++i) {
    TSampleRecord* r = list.Append();
    r->Name = "Record " + std::to_string(i);
    r->Number = static_cast<int32_t>(rng());
    r->Flag = (rng() & 1) != 0;
    r->Small = static_cast<uint8_t>(rng());
    r->Ratio = static_cast<double>(rng() % 1000) / 7.0;
    r->BlobSize = 16;
    r->BlobBytes.assign(16, static_cast<uint8_t>(i));
    for (int k = 0; k < 3; ++k)
      r->Children.Append()->Value = static_cast<int32_t>(rng() % 5000);
    r->Child.Name = "child";
  }
}

void BM_SaveList5000(benchmark::State& state) {
  TSampleList list;
  Fill(list);
  size_t bytes = 0;
  for (auto _ : state) {
    TMemoryStream s;
    list.SaveToStream(s);
    bytes = s.Bytes().size();
    benchmark::DoNotOptimize(s.Memory());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_SaveList5000)->Unit(benchmark::kMillisecond);

void BM_LoadList5000(benchmark::State& state) {
  TSampleList list;
  Fill(list);
  const Bytes bytes = SaveBytes(list);
  for (auto _ : state) {
    TSampleList target;
    LoadBytes(target, bytes);
    benchmark::DoNotOptimize(target.GetCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadList5000)->Unit(benchmark::kMillisecond);

void BM_SaveOneTenFieldRecord(benchmark::State& state) {
  TSampleRecord r;
  r.WithFixed = r.WithNote = true;
  r.Name = "Hero";
  r.Number = 300;
  r.Flag = false;
  r.Small = 9;
  r.Ratio = 3.0;
  r.Note.assign(1, 'n'); // not = "n": GCC 12 warns falsely about that here
  r.BlobSize = 2;
  r.BlobBytes = {1, 2};
  TMemoryStream s;
  for (auto _ : state) {
    s.SetPosition(0);
    r.SaveToStream(s);
    benchmark::DoNotOptimize(s.Memory());
  }
}
BENCHMARK(BM_SaveOneTenFieldRecord)->Unit(benchmark::kNanosecond);

// Ten flat fields, no nesting: the cost is dominated by the 999 GetVarData calls.
class TFlatRecord : public TCatalogItem {
public:
  TFlatRecord() : TCatalogItem(1) {}
  void GetVarData(int id, TCatalogVarData& d, bool) override {
    switch (id) {
    case 1:
      d.Str(&Name, true);
      break;
    case 2:
      d.Int(&A, 0);
      break;
    case 3:
      d.Int(&B, 0);
      break;
    case 4:
      d.Int(&C, 0);
      break;
    case 5:
      d.Bool(&F, false);
      break;
    case 11:
      d.Int(&D, 0);
      break;
    case 12:
      d.Int(&E, 0);
      break;
    case 21:
      d.Str(&Note, false);
      break;
    case 22:
      d.Byte(&Small, 0);
      break;
    case 31:
      d.Double(&Ratio, 0.0);
      break;
    default:
      break;
    }
  }
  int LastFieldId() const override { return StatedLastId ? 31 : 999; }
  bool StatedLastId = false;
  std::string Name = "Hero", Note = "n";
  int32_t A = 1, B = 300, C = -1, D = 5, E = 70000;
  bool F = true;
  uint8_t Small = 9;
  double Ratio = 2.5;
};

// Arg 0: the full scan of ids 1..999; arg 1: the record states its last field id.
void BM_SaveFlatTenFieldRecord(benchmark::State& state) {
  TFlatRecord r;
  r.StatedLastId = state.range(0) != 0;
  TMemoryStream s;
  for (auto _ : state) {
    s.SetPosition(0);
    r.SaveToStream(s);
    benchmark::DoNotOptimize(s.Memory());
  }
}
BENCHMARK(BM_SaveFlatTenFieldRecord)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);

} // namespace
