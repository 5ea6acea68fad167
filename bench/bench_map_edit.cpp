// Map editing on the generated 500 x 500 map: a seed fill of the whole map (target 50 ms),
// of a maze and of a ragged region (15 and 20 ms),
// one step of a rectangle or ellipse drag over the whole map (30 ms), an undo snapshot and
// an undo (2 ms each), a 6 x 6 pen line from (0, 0) to (499, 499) (20 ms), and autotile
// resolves per second.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

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

// The lower layer as walls of one terrain around open cells of another, and the cell the
// fill starts from: Arg 0 a maze with corridors one cell wide (every open cell borders a
// wall), 1 a ragged region of cells open at random with 65 % (fixed seeds).
TPoint MakeRegion(TXelMapLayer& layer, bool maze) {
  constexpr uint16_t kWall = 4200, kOpen = 4000;
  std::mt19937 rng(maze ? 56 : 65);
  uint16_t* cells = layer.CellData();
  const auto at = [cells](int x, int y) -> uint16_t& { return cells[y * kSide + x]; };
  if (!maze) {
    for (int i = 0; i < kSide * kSide; ++i)
      cells[i] = rng() % 100 < 65 ? kOpen : kWall;
    // The start lies in the big connected part: the first open cell from the middle whose
    // region reaches far.
    std::vector<int> stack;
    std::vector<uint8_t> seen(size_t(kSide) * kSide);
    for (int start = kSide * kSide / 2;; ++start) {
      if (cells[start] != kOpen || seen[size_t(start)]) continue;
      int count = 0;
      stack.assign(1, start);
      seen[size_t(start)] = 1;
      while (!stack.empty()) {
        const int c = stack.back();
        stack.pop_back();
        ++count;
        const int x = c % kSide, y = c / kSide;
        for (const int n : {x > 0 ? c - 1 : -1, x < kSide - 1 ? c + 1 : -1, y > 0 ? c - kSide : -1,
                            y < kSide - 1 ? c + kSide : -1})
          if (n >= 0 && cells[n] == kOpen && !seen[size_t(n)]) {
            seen[size_t(n)] = 1;
            stack.push_back(n);
          }
      }
      if (count > kSide * kSide / 4) return TPoint{start % kSide, start / kSide};
    }
  }
  // Rooms on the even cells, walls between them knocked down by a depth-first walk.
  std::fill(cells, cells + kSide * kSide, kWall);
  const int rooms = kSide / 2;
  std::vector<int> stack{0};
  std::vector<uint8_t> seen(size_t(rooms) * rooms);
  seen[0] = 1;
  at(0, 0) = kOpen;
  while (!stack.empty()) {
    const int r = stack.back(), rx = r % rooms, ry = r / rooms;
    int next[4], count = 0;
    for (const TPoint d : {TPoint{-1, 0}, TPoint{1, 0}, TPoint{0, -1}, TPoint{0, 1}}) {
      const int nx = rx + d.X, ny = ry + d.Y;
      if (nx >= 0 && ny >= 0 && nx < rooms && ny < rooms && !seen[size_t(ny * rooms + nx)])
        next[count++] = ny * rooms + nx;
    }
    if (count == 0) {
      stack.pop_back();
      continue;
    }
    const int n = next[rng() % uint32_t(count)], nx = n % rooms, ny = n / rooms;
    seen[size_t(n)] = 1;
    at(rx + nx, ry + ny) = kOpen; // the wall between the two rooms
    at(2 * nx, 2 * ny) = kOpen;
    stack.push_back(n);
  }
  return TPoint{0, 0};
}

// Arg: 0 maze, 1 ragged. The region takes one terrain, then the other, and so on.
void BM_SeedFillRegion(benchmark::State& state) {
  TEdit edit;
  const auto saved = edit.map.LowerLayer.Cells();
  const TPoint start = MakeRegion(edit.map.LowerLayer, state.range(0) == 0);
  bool other = true;
  for (auto _ : state) {
    edit.Pen(other ? 4149 : 4049, 1);
    edit.engine.BeginStroke(start, {0, 0});
    edit.engine.SeedFill(start.X, start.Y);
    other = !other;
    benchmark::ClobberMemory();
  }
  int filled = 0;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      filled += edit.engine.MaskAt(x, y) != 0;
  std::copy(saved.begin(), saved.end(), edit.map.LowerLayer.CellData());
  state.counters["cells"] = filled;
  state.SetLabel(state.range(0) == 0 ? "maze" : "ragged");
}
BENCHMARK(BM_SeedFillRegion)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
