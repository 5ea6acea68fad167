// Opening small hostile files that declare huge contents: a 45-byte PNG with the header
// of a 4096 x 4096 colour image and no data, and a 111-byte map declaring 16257 x 107
// cells with a few cells of data. Both are refused before anything is sized for what
// they declare; a well-formed file of the same kind is timed beside each as the peer.
#include <benchmark/benchmark.h>

#include "core/bitmap.h"
#include "core/errors.h"
#include "core/map.h"
#include "core/png_image.h"
#include "tests/core/file_form.h"
#include "tests/core/hostile_files.h"

namespace {

void BM_OpenHostilePng(benchmark::State& state) {
  const std::vector<uint8_t> bytes = HostilePng();
  for (auto _ : state) {
    TMemoryStream stream(bytes.data(), bytes.size());
    TBitmap bitmap;
    try {
      ReadPng(stream, bitmap);
      state.SkipWithError("the hostile PNG loaded");
    } catch (const Exception&) {
    }
  }
}
BENCHMARK(BM_OpenHostilePng)->Unit(benchmark::kMicrosecond);

void BM_OpenSmallPng(benchmark::State& state) {
  const std::vector<uint8_t> bytes =
      SimplePng(16, 16, 2, {}, FilterRows(PatternRows(16, 16, 3, 1), 3, {0}));
  for (auto _ : state) {
    TMemoryStream stream(bytes.data(), bytes.size());
    TBitmap bitmap;
    ReadPng(stream, bitmap);
    benchmark::DoNotOptimize(bitmap.Width());
  }
}
BENCHMARK(BM_OpenSmallPng)->Unit(benchmark::kMicrosecond);

void BM_OpenHostileMap(benchmark::State& state) {
  const std::vector<uint8_t> bytes = HostileMap();
  TXelMap map;
  for (auto _ : state) {
    try {
      LoadFileForm(map, bytes);
      state.SkipWithError("the hostile map loaded");
    } catch (const EReadError&) {
    }
  }
}
BENCHMARK(BM_OpenHostileMap)->Unit(benchmark::kMicrosecond);

void BM_OpenNewMap(benchmark::State& state) {
  const std::vector<uint8_t> bytes = FileFormBytes(TXelMap());
  TXelMap map;
  for (auto _ : state) {
    LoadFileForm(map, bytes);
    benchmark::DoNotOptimize(map.Width());
  }
}
BENCHMARK(BM_OpenNewMap)->Unit(benchmark::kMicrosecond);

} // namespace
