// The map view on the generated 500 x 500 map: a full repaint of a 1920 x 1080 client
// (target 8 ms at 1:1, 25 ms at 1:8) and of 800 x 600 at every scale, against the same
// repaint drawing every tile directly with DrawChip as the peer; one-cell and one-page
// scroll steps (target 4 ms at every scale); a zoom to 1:2 and back; the map editor's
// canvas, whose cells show the upper layer see-through and the other layer dimmed.
//
// The application object lives in main and the project is dropped before it ends: a
// QApplication destroyed among the exit handlers crashes, and the scratch folder went
// with it.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/bench_application.h"
#include "bench/bench_project.h"
#include "framework/controls/scroll_frame.h"
#include "shell/map/map_editor.h"
#include "shell/map/map_view_geometry.h"
#include "shell/map/map_view_painter.h"

namespace {

std::unique_ptr<TBenchProject> g_project;

TBenchProject& Project() {
  if (!g_project) g_project = std::make_unique<TBenchProject>();
  return *g_project;
}

// A painter showing the map at Scale in a client of Width x Height, scrolled to the middle.
struct TView {
  TView(int scale, int width, int height, bool cache) {
    TBenchProject& p = Project();
    painter.UseTileCache = cache;
    painter.SetMap(&p.Tree(), &p.Map());
    Layout(scale, width, height);
  }
  void Layout(int scale, int width, int height) {
    painter.SetScale(scale);
    layout =
        LayoutMapView(TBenchProject::MapSide, TBenchProject::MapSide, scale, TPoint{width, height});
    painter.SetViewSize(layout.Visible);
    painter.SetScroll(
        TPoint{(layout.Range.X - layout.Visible.X) / 2, (layout.Range.Y - layout.Visible.Y) / 2});
    painter.RepaintAll();
  }
  TMapViewPainter painter;
  TMapViewLayout layout;
};

// Args: scale, client width, client height, tile cache on.
void BM_FullRepaint(benchmark::State& state) {
  TView view(int(state.range(0)), int(state.range(1)), int(state.range(2)), state.range(3) != 0);
  for (auto _ : state) {
    view.painter.RepaintAll();
    benchmark::ClobberMemory();
  }
  state.SetLabel(state.range(3) ? "cached tiles" : "peer: DrawChip");
}
BENCHMARK(BM_FullRepaint)
    ->ArgsProduct({{32, 16, 8, 4}, {1920}, {1080}, {1, 0}})
    ->ArgsProduct({{32, 16, 8, 4}, {800}, {600}, {1}})
    ->Unit(benchmark::kMillisecond);

// Args: scale, step (0 one cell, 1 one page). Steps go right and down, then back.
void BM_ScrollStep(benchmark::State& state) {
  const int scale = int(state.range(0));
  TView view(scale, 1920, 1080, true);
  const TPoint step = state.range(1) ? view.layout.Visible : TPoint{scale, scale};
  const TPoint start = view.painter.Scroll();
  for (auto _ : state) {
    const TPoint at = view.painter.Scroll();
    view.painter.SetScroll(at == start ? TPoint{at.X + step.X, at.Y + step.Y} : start);
    view.painter.UpdateBoards();
    benchmark::ClobberMemory();
  }
  state.SetLabel(state.range(1) ? "one page" : "one cell");
}
BENCHMARK(BM_ScrollStep)->ArgsProduct({{32, 16, 8, 4}, {0, 1}})->Unit(benchmark::kMillisecond);

// 1:1 -> 1:2 -> 1:1 with the view centre kept, each with its full repaint.
void BM_SetScaleRoundTrip(benchmark::State& state) {
  TView view(32, 1920, 1080, true);
  const int view_x = view.painter.Scroll().X, view_y = view.painter.Scroll().Y;
  for (auto _ : state) {
    for (const int scale : {16, 32}) {
      view.painter.SetScale(scale);
      view.layout =
          LayoutMapView(TBenchProject::MapSide, TBenchProject::MapSide, scale, TPoint{1920, 1080});
      view.painter.SetViewSize(view.layout.Visible);
      view.painter.SetScroll(
          TPoint{ScrollForView(view_x, 1920, scale), ScrollForView(view_y, 1080, scale)});
      view.painter.RepaintAll();
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SetScaleRoundTrip)->Unit(benchmark::kMillisecond);

// Args: scale, editing mode. A full repaint of a 1920 x 1080 editor canvas with the pen.
void BM_EditorRepaint(benchmark::State& state) {
  NeedApplication();
  TBenchProject& p = Project();
  TFormMapEditor editor;
  editor.SetMapTree(&p.Tree());
  editor.SetMap(&p.Map());
  auto* frame = editor.findChild<TScrollFrame*>("MapFrame");
  editor.resize(editor.size() + QSize(1920, 1080) - frame->ClientSize());
  editor.show();
  QApplication::processEvents();
  editor.MapLoaded();
  editor.SetScale(int(state.range(0)));
  editor.SetEditMode(int(state.range(1)));
  editor.SetEditTool(etPen);
  for (auto _ : state) {
    editor.RepaintAll();
    // The repaint waits for a look at the boards, as a paint event takes it.
    benchmark::DoNotOptimize(&editor.Painter());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_EditorRepaint)
    ->ArgsProduct({{32, 16, 8, 4}, {emLowerLayer, emEvents}})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_project.reset();
  return 0;
}
