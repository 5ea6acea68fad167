// The map view on the generated 500 x 500 map: a full repaint of a 1920 x 1080 client
// (target 8 ms at 1:1, 25 ms at 1:8) and of 800 x 600 at every scale, against the same
// repaint drawing every tile directly with DrawChip as the peer; the first repaint by a
// new painter, whose tile cache is still empty as at start-up; one-cell and one-page
// scroll steps (target 4 ms at every scale); a zoom to 1:2 and back; the map editor's
// canvas, whose cells show the upper layer see-through and the other layer dimmed: its
// paint to the window with nothing changed at 1:1 and 1:8, paired with a bare widget
// drawing one full-HD image (target 1.3 times the peer), and at 1:8 what the author waits for
// after a tool or layer switch, a fill click, opening a map and an event edit (8 ms each).
//
// The application object lives in main and the project is dropped before it ends: a
// QApplication destroyed among the exit handlers crashes, and the scratch folder went
// with it.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <memory>
#include <string>

#include "bench/bench_application.h"
#include "bench/bench_pairs.h"
#include "bench/bench_project.h"
#include "framework/controls/scroll_frame.h"
#include "shell/map/map_editor.h"
#include "shell/map/map_view_geometry.h"
#include "shell/map/map_view_painter.h"
#include "tests/core/generated_map.h"

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

// Arg: scale. The first full repaint of a 1920 x 1080 client by a new painter, whose tile
// cache is still empty (as at start-up).
void BM_FirstRepaint(benchmark::State& state) {
  const int scale = int(state.range(0));
  TBenchProject& p = Project();
  const TMapViewLayout layout =
      LayoutMapView(TBenchProject::MapSide, TBenchProject::MapSide, scale, TPoint{1920, 1080});
  for (auto _ : state) {
    state.PauseTiming();
    auto painter = std::make_unique<TMapViewPainter>();
    painter->SetMap(&p.Tree(), &p.Map());
    painter->SetScale(scale);
    painter->SetViewSize(layout.Visible);
    painter->SetScroll(
        TPoint{(layout.Range.X - layout.Visible.X) / 2, (layout.Range.Y - layout.Visible.Y) / 2});
    state.ResumeTiming();
    painter->RepaintAll();
    benchmark::ClobberMemory();
    state.PauseTiming();
    painter.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstRepaint)->Arg(32)->Arg(4)->Unit(benchmark::kMillisecond);

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

// Events are taken until the window is on the screen (at once offscreen; under X when the
// server has mapped it), so that a repaint reaches the window.
void ShowOnScreen(QWidget& window) {
  window.show();
  QElapsedTimer waited;
  waited.start();
  while (!(window.windowHandle() && window.windowHandle()->isExposed()) && waited.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  QApplication::processEvents();
}

// The editor's canvas with a 1920 x 1080 client, shown, in the lower layer with the pen.
struct TCanvas {
  explicit TCanvas(int scale) {
    NeedApplication();
    TBenchProject& p = Project();
    editor.SetMapTree(&p.Tree());
    editor.SetMap(&p.Map());
    // The client is 1920 x 1080 once the window is up (a window manager may change the
    // size the window first asked for).
    auto* frame = editor.findChild<TScrollFrame*>("MapFrame");
    const QSize client(1920, 1080);
    editor.resize(editor.size() + client - frame->ClientSize());
    ShowOnScreen(editor);
    QElapsedTimer waited;
    waited.start();
    while (frame->ClientSize() != client && waited.elapsed() < 5000) {
      editor.resize(editor.size() + client - frame->ClientSize());
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    editor.MapLoaded();
    editor.SetScale(scale);
    editor.SetEditMode(emLowerLayer);
    editor.SetEditTool(etPen);
    box = editor.findChild<QWidget*>("PaintBox");
    Paint();
  }
  // A real paint event of the whole canvas through the window's backing store.
  void Paint() { box->repaint(); }
  TFormMapEditor editor;
  QWidget* box = nullptr;
};

// Args: scale, editing mode. A full repaint of a 1920 x 1080 editor canvas with the pen.
void BM_EditorRepaint(benchmark::State& state) {
  TCanvas canvas(int(state.range(0)));
  canvas.editor.SetEditMode(int(state.range(1)));
  for (auto _ : state) {
    canvas.editor.RepaintAll();
    // The repaint waits for a look at the boards, as a paint event takes it.
    benchmark::DoNotOptimize(&canvas.editor.Painter());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_EditorRepaint)
    ->ArgsProduct({{32, 16, 8, 4}, {emLowerLayer, emEvents}})
    ->Unit(benchmark::kMillisecond);

// The peer of the canvas paint: a bare widget of the same size drawing one full-HD image
// in the screen's own format.
class TImageWidget : public QWidget {
public:
  TImageWidget() : image_(1920, 1080, QImage::Format_RGB32) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (int y = 0; y < image_.height(); ++y) {
      auto* row = reinterpret_cast<uint32_t*>(image_.scanLine(y));
      for (int x = 0; x < image_.width(); ++x)
        row[x] = 0xFF000000u | uint32_t(x * 977 + y * 131) * 2654435761u >> 8;
    }
    resize(image_.size());
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
  }

private:
  QImage image_;
};

// Arg: scale. The canvas painted to the window with nothing changed (an expose), each
// paint paired with one of the peer. Under X the peer stands beside the editor, so that
// neither covers the other on a screen wide enough for both.
void BM_CanvasPaint(benchmark::State& state) {
  TCanvas canvas(int(state.range(0)));
  TImageWidget peer;
  peer.move(canvas.editor.frameGeometry().topRight() + QPoint(1, 0));
  ShowOnScreen(peer);
  peer.repaint();
  TimePairs(
      state, [&] { canvas.Paint(); }, [&] { peer.repaint(); });
  state.SetLabel(std::to_string(canvas.box->width()) + " x " +
                 std::to_string(canvas.box->height()));
}
BENCHMARK(BM_CanvasPaint)->Arg(32)->Arg(4)->UseManualTime()->Unit(benchmark::kMillisecond);

// At 1:8, painted: Arg 0 switches the tool between pen and select, 1 the layer.
void BM_SmallScaleSwitch(benchmark::State& state) {
  TCanvas canvas(4);
  TFormMapEditor& editor = canvas.editor;
  const bool layer = state.range(0) != 0;
  for (auto _ : state) {
    if (layer)
      editor.SetEditMode(editor.EditMode() == emLowerLayer ? emUpperLayer : emLowerLayer);
    else
      editor.SetEditTool(editor.EditTool() == etPen ? etSelect : etPen);
    canvas.Paint();
  }
  state.SetLabel(layer ? "layer switch" : "tool switch");
}
BENCHMARK(BM_SmallScaleSwitch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// At 1:8, painted: a click with the seed fill in the middle of the view, terrain and plain
// chips in turn; the map is put back between the clicks.
void BM_SmallScaleFillClick(benchmark::State& state) {
  TCanvas canvas(4);
  TFormMapEditor& editor = canvas.editor;
  editor.SetEditTool(etSeedFill);
  TXelMap& map = Project().Map();
  const auto lower = map.LowerLayer.Cells();
  const QPoint at(canvas.box->width() / 2, canvas.box->height() / 2);
  const auto send = [&](QEvent::Type type) {
    QMouseEvent event(type, QPointF(at), QPointF(canvas.box->mapToGlobal(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(canvas.box, &event);
  };
  bool terrain = true;
  for (auto _ : state) {
    editor.Pen().SetCell(0, 0, terrain ? 4049 : 5010);
    send(QEvent::MouseButtonPress);
    send(QEvent::MouseButtonRelease);
    canvas.Paint();
    state.PauseTiming();
    std::copy(lower.begin(), lower.end(), map.LowerLayer.CellData());
    editor.RepaintCells(TRect{0, 0, TBenchProject::MapSide, TBenchProject::MapSide});
    canvas.Paint();
    terrain = !terrain;
    state.ResumeTiming();
  }
  editor.ResetUndo();
}
BENCHMARK(BM_SmallScaleFillClick)->Unit(benchmark::kMillisecond);

// At 1:8, painted: the first paint after another map was opened (the map object is filled
// anew, as opening a map does, between the timings; each time another map, so that nothing
// drawn for an earlier one can be reused).
void BM_SmallScaleMapOpen(benchmark::State& state) {
  TCanvas canvas(4);
  TBenchProject& p = Project();
  uint32_t seed = 2024;
  const auto generate = [&](uint32_t s) {
    GenerateMap(p.Map(), TBenchProject::MapSide, TBenchProject::MapSide, TBenchProject::EventCount,
                RtpName::CharSet, &p.Tree(), s);
  };
  for (auto _ : state) {
    state.PauseTiming();
    generate(++seed);
    state.ResumeTiming();
    canvas.editor.MapLoaded();
    canvas.Paint();
  }
  generate(2024);
}
BENCHMARK(BM_SmallScaleMapOpen)->Unit(benchmark::kMillisecond);

// At 1:8, the painter alone: an event moved by a cell, the event map rebuilt and the view
// repainted, as an event edit does.
void BM_SmallScaleEventEdit(benchmark::State& state) {
  TView view(4, 1920, 1080, true);
  TBenchProject& p = Project();
  // An event in the middle of the view.
  TXelEventItem* moved = p.Map().Events.Items(0);
  const TPoint scroll = view.painter.Scroll();
  const int x = (scroll.X + 960) / 4, y = (scroll.Y + 540) / 4;
  const TPoint home{moved->X, moved->Y};
  moved->X = x;
  moved->Y = y;
  for (auto _ : state) {
    moved->X = moved->X == x ? x + 1 : x;
    view.painter.SetMap(&p.Tree(), &p.Map());
    view.painter.RepaintAll();
    benchmark::ClobberMemory();
  }
  moved->X = home.X;
  moved->Y = home.Y;
}
BENCHMARK(BM_SmallScaleEventEdit)->Unit(benchmark::kMillisecond);

// At 1:8, the painter alone: one changed cell repainted.
void BM_SmallScaleCellRepaint(benchmark::State& state) {
  TView view(4, 1920, 1080, true);
  TXelMapLayer& layer = Project().Map().LowerLayer;
  const TPoint scroll = view.painter.Scroll();
  const int x = (scroll.X + 960) / 4, y = (scroll.Y + 540) / 4;
  const int home = layer.GetCell(x, y);
  for (auto _ : state) {
    layer.SetCell(x, y, uint16_t(layer.GetCell(x, y) == 5010 ? 5011 : 5010));
    view.painter.RepaintCells(TRect{x, y, x + 1, y + 1});
    benchmark::ClobberMemory();
  }
  layer.SetCell(x, y, uint16_t(home));
  state.SetLabel("one cell");
}
BENCHMARK(BM_SmallScaleCellRepaint)->Unit(benchmark::kMicrosecond);

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
