// Drawing a full-HD board of chips from a generated chipset: both layers of a map view
// (the target is under 8 ms for the 8,160 cells of both layers at 16 pixels), each kind
// of tile alone, the other scales, and as a peer the plain 16 x 16 sheet copies that a
// board of plain chips comes down to.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_folder.h"
#include "core/chip_set_graphic.h"
#include "core/glimra_board.h"
#include "core/image_file.h"
#include "core/project_path.h"
#include "tests/core/game_sheets.h"

namespace {

constexpr int kBoardWidth = 1920;
constexpr int kBoardHeight = 1080;

// A chipset graphic loaded from a generated image in a scratch project folder.
struct TChipSetFixture {
  TChipSetFixture() {
    const std::filesystem::path& root = folder.Root();
    std::filesystem::create_directories(root / "ChipSet");
    TBitmap image = MakeGameBitmap(ChipSetWidth, ChipSetHeight, 5);
    FillPiece(image, 192, 0, 16, 16, 0); // one empty lower chip
    SaveBitmapToImageFile(image, (root / "ChipSet" / "Bench.png").string());
    ProjectPath = folder.AsProjectPath();
    item.Graphic = "Bench";
    graphic.SetChipSet(&item);
    if (!graphic.IsLoaded()) std::abort();
    ProjectPath.clear();
  }
  TBenchFolder folder;
  TXelChipSetItem item{1};
  TXelChipSetGraphic graphic;
};

TChipSetFixture& Fixture() {
  static TChipSetFixture fixture;
  return fixture;
}

// Kinds: 0 water, 1 animated, 2 terrain autotile, 3 plain lower, 4 upper, 5 a lower
// layer mixing the first four.
int TileId(int kind, uint32_t& seed) {
  seed = seed * 1103515245u + 12345u;
  const int r = int(seed >> 8);
  if (kind == 5) kind = r % 4;
  switch (kind) {
  case 0:
    return (r % 3) * 1000 + (r >> 4) % 1000;
  case 1:
    return 3000 + (r >> 4) % 150;
  case 2:
    return 4000 + (r >> 4) % 600;
  case 3:
    return 5000 + (r >> 4) % 144;
  default:
    return 10000 + (r >> 4) % 144;
  }
}

std::vector<int> Layer(int kind, int cells) {
  uint32_t seed = 99u + uint32_t(kind);
  std::vector<int> ids(size_t(cells), 0);
  for (int& id : ids)
    id = TileId(kind, seed);
  return ids;
}

struct TGrid {
  int columns, rows;
};
TGrid GridFor(int size) {
  return {(kBoardWidth + size - 1) / size, (kBoardHeight + size - 1) / size};
}

void DrawLayer(TXelChipSetGraphic& g, TGlimraBoard& board, const std::vector<int>& ids, int size,
               int counter) {
  const TGrid grid = GridFor(size);
  for (int y = 0; y < grid.rows; ++y)
    for (int x = 0; x < grid.columns; ++x)
      g.DrawChip(board, x * size, y * size, ids[size_t(y * grid.columns + x)], counter, false,
                 size);
}

// Both layers of a map view, lower opaque and upper transparent, at Size pixels a cell.
void BM_MapViewBothLayers(benchmark::State& state) {
  TXelChipSetGraphic& g = Fixture().graphic;
  const int size = int(state.range(0));
  const TGrid grid = GridFor(size);
  const auto lower = Layer(5, grid.columns * grid.rows);
  const auto upper = Layer(4, grid.columns * grid.rows);
  TGlimraBoard board;
  board.SetSize(kBoardWidth, kBoardHeight);
  int counter = 0;
  for (auto _ : state) {
    g.SetTransparent(false);
    DrawLayer(g, board, lower, size, counter);
    g.SetTransparent(true);
    DrawLayer(g, board, upper, size, counter);
    counter += 6;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 2 * grid.columns * grid.rows);
  state.counters["cells"] = grid.columns * grid.rows;
}
BENCHMARK(BM_MapViewBothLayers)->Arg(16)->Arg(32)->Arg(8)->Arg(4)->Unit(benchmark::kMillisecond);

// One kind of tile over the whole board at 16 pixels.
void BM_OneKind(benchmark::State& state) {
  TXelChipSetGraphic& g = Fixture().graphic;
  const int kind = int(state.range(0));
  const TGrid grid = GridFor(16);
  const auto ids = Layer(kind, grid.columns * grid.rows);
  TGlimraBoard board;
  board.SetSize(kBoardWidth, kBoardHeight);
  g.SetTransparent(kind == 4);
  int counter = 0;
  for (auto _ : state) {
    DrawLayer(g, board, ids, 16, counter);
    counter += 6;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * grid.columns * grid.rows);
  static const char* const names[] = {"water", "animated", "autotile", "lower", "upper"};
  state.SetLabel(names[kind]);
}
BENCHMARK(BM_OneKind)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// The peer: the same number of plain 16 x 16 copies straight from the sheet.
void BM_PeerPlainSheetCopies(benchmark::State& state) {
  TXelChipSetGraphic& g = Fixture().graphic;
  const TGrid grid = GridFor(16);
  TGlimraBoard board;
  board.SetSize(kBoardWidth, kBoardHeight);
  g.Sheet.Transparent = false;
  // Copies through the colour table, as any sheet without board colours is drawn.
  g.Sheet.KeepBoardColors = false;
  for (auto _ : state) {
    for (int y = 0; y < grid.rows; ++y)
      for (int x = 0; x < grid.columns; ++x)
        board.DrawSheet(x * 16, y * 16, g.Sheet, Bounds(192 + (x % 6) * 16, (y % 16) * 16, 16, 16));
    benchmark::ClobberMemory();
  }
  g.Sheet.KeepBoardColors = true;
  state.SetItemsProcessed(state.iterations() * grid.columns * grid.rows);
}
BENCHMARK(BM_PeerPlainSheetCopies)->Unit(benchmark::kMillisecond);

} // namespace
