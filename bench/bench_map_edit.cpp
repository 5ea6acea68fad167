// Map editing on the generated 500 x 500 map: a seed fill of the whole map (target 50 ms),
// one step of a rectangle or ellipse drag over the whole map (30 ms), an undo snapshot and
// an undo (2 ms each), a 6 x 6 pen line from (0, 0) to (499, 499) (20 ms), and autotile
// resolves per second.
#include <benchmark/benchmark.h>

#include "bench/bench_project.h"
#include "core/map_edit_engine.h"

namespace {

constexpr int kSide = TBenchProject::MapSide;

TBenchProject& Project() {
  static TBenchProject project;
  return project;
}

// The generated map edited in place (each benchmark puts back what it changes), in the
// lower layer, its chipset graphic bound.
struct TEdit {
  TEdit() : map(Project().Map()) {
    engine.SetMap(&map);
    engine.SetMode(emLowerLayer);
    Pen(4049, 1);
  }
  void Pen(int id, int side) {
    engine.Pen().SetSize(side, side);
    for (int x = 0; x < side; ++x)
      for (int y = 0; y < side; ++y)
        engine.Pen().SetCell(x, y, uint16_t(id));
  }
  TXelMap& map;
  TMapEditEngine engine;
};

// Each fill turns the whole map over: terrain over plain chips, then plain chips over it.
void BM_SeedFillWholeMap(benchmark::State& state) {
  TEdit edit;
  const auto saved = edit.map.LowerLayer.Cells();
  std::fill(edit.map.LowerLayer.CellData(), edit.map.LowerLayer.CellData() + kSide * kSide, 5010);
  bool terrain = true;
  for (auto _ : state) {
    edit.Pen(terrain ? 4049 : 5010, 1);
    edit.engine.BeginStroke({250, 250}, {0, 0});
    edit.engine.SeedFill(250, 250);
    terrain = !terrain;
    benchmark::ClobberMemory();
  }
  std::copy(saved.begin(), saved.end(), edit.map.LowerLayer.CellData());
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_SeedFillWholeMap)->Unit(benchmark::kMillisecond);

// Arg: 0 rectangle, 1 ellipse. The shape grows and shrinks by a cell at full map size.
void BM_ShapeDragStep(benchmark::State& state) {
  TEdit edit;
  const bool ellipse = state.range(0) != 0;
  edit.engine.BeginStroke({0, 0}, {0, 0});
  const TRect big{0, 0, kSide, kSide}, small{0, 0, kSide - 1, kSide - 1};
  bool grow = true;
  for (auto _ : state) {
    edit.engine.DrawShape(ellipse, grow ? big : small, grow ? small : big);
    grow = !grow;
    benchmark::ClobberMemory();
  }
  edit.engine.CancelStroke();
  state.SetLabel(ellipse ? "ellipse" : "rectangle");
}
BENCHMARK(BM_ShapeDragStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_UndoRecord(benchmark::State& state) {
  TEdit edit;
  for (auto _ : state) {
    edit.engine.Undo.Record(edit.map);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_UndoRecord)->Unit(benchmark::kMicrosecond);

// Each undo steps back over a snapshot the pause put there.
void BM_Undo(benchmark::State& state) {
  TEdit edit;
  for (auto _ : state) {
    state.PauseTiming();
    edit.engine.Undo.Record(edit.map);
    state.ResumeTiming();
    edit.engine.Undo.Undo(edit.map);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Undo)->Unit(benchmark::kMicrosecond);

// A 6 x 6 terrain pen drawn along the diagonal, then the stroke taken back.
void BM_PenLineDiagonal(benchmark::State& state) {
  TEdit edit;
  edit.Pen(4049, 6);
  edit.engine.BeginStroke({0, 0}, {0, 0});
  for (auto _ : state) {
    edit.engine.PenLine({0, 0}, {kSide - 1, kSide - 1});
    state.PauseTiming();
    edit.engine.CancelStroke();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PenLineDiagonal)->Unit(benchmark::kMillisecond);

// Every cell of the generated map resolved again from its neighbours.
void BM_AutotileResolves(benchmark::State& state) {
  TEdit edit;
  for (auto _ : state) {
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x)
        edit.engine.PutChipResolved(x, y, true, true, 255, edit.map.LowerLayer.GetCell(x, y));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
}
BENCHMARK(BM_AutotileResolves)->Unit(benchmark::kMillisecond);

} // namespace
