// The battle-animation page over animations of 100 frames of 8 cells: making the page,
// switching between animations (targets 30 ms each) and one drag step of a cell with
// the stage's repaint (target 5 ms).
#include <benchmark/benchmark.h>

#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPointingDevice>
#include <cstdlib>

#include "bench/bench_application.h"
#include "core/database.h"
#include "core/editor_mode.h"
#include "database/ed_animation.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"
#include "tests/core/database_generator.h"

namespace {

constexpr int kFrames = 100;
constexpr int kCells = 8;

TXelDataBase& Generated() {
  static TXelDataBase* db = [] {
    NeedApplication();
    static TApplicationTagScope editor(EditorModeTag);
    auto* made = new TXelDataBase;
    TDataBaseGenerator(7).Fill(*made, 40);
    for (int i = 0; i < made->Animations().GetCount(); ++i) {
      TXelAnimationItem& animation = *made->Animations().Items(i);
      animation.SetFrameCount(kFrames);
      for (int f = 0; f < kFrames; ++f) {
        TXelAnimationCell& cells = animation.Frames().GetItem(f)->Cells;
        cells.Clear();
        for (int c = 0; c < kCells; ++c) {
          TXelAnimationCellItem* cell = cells.Append();
          cell->Pattern = (f + c) % 25;
          cell->X = c * 30 - 120;
          cell->Y = (c % 3) * 30 - 30;
        }
      }
    }
    return made;
  }();
  return *db;
}

std::unique_ptr<TFormEDAnimation> MakePage() {
  auto page = std::make_unique<TFormEDAnimation>(nullptr);
  page->resize(PageWidth, PageHeight);
  page->show();
  // The image is made here, not loaded: a name equal to the animation's is not reloaded.
  TXelAnimationGraphic& player = *page->Player;
  player.FileName = "Slash";
  player.Sheet.SetSize(480, 480);
  for (int i = 0; i < 256; ++i)
    player.Sheet.Palette()[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
  for (int y = 0; y < player.Sheet.Height(); ++y)
    for (int x = 0; x < player.Sheet.Width(); ++x)
      player.Sheet.GetScanLine(y)[x] = uint8_t((x * 3 + y * 5) % 256);
  player.Sheet.UpdateColorTable();
  return page;
}

// What a paint event of the stage does, on an image of its size.
void PaintStage(TFormEDAnimation& page, QImage& image) {
  QPainter canvas(&image);
  emit page.findChild<TScrollFrame*>("AnimationArea")->Paint(canvas);
}

// Made once and never freed: the application object, a function's static, goes at exit
// before the devices it would otherwise take down with it.
const QPointingDevice* Mouse() {
  static const auto* device = new QPointingDevice("bench mouse", 1, QInputDevice::DeviceType::Mouse,
                                                  QPointingDevice::PointerType::Generic,
                                                  QInputDevice::Capability::Position, 1, 3);
  return device;
}

void BM_MakeAnimationPage(benchmark::State& state) {
  Generated();
  QImage image(320, 160, QImage::Format_RGB32);
  for (auto _ : state) {
    auto page = MakePage();
    PaintStage(*page, image);
  }
}
BENCHMARK(BM_MakeAnimationPage)->Unit(benchmark::kMillisecond);

void BM_SwitchAnimation(benchmark::State& state) {
  Generated();
  auto page = MakePage();
  QImage image(320, 160, QImage::Format_RGB32);
  int row = 0;
  for (auto _ : state) {
    row = (row + 1) % 20;
    page->SelectRow(row);
    page->DataListClick();
    PaintStage(*page, image);
  }
}
BENCHMARK(BM_SwitchAnimation)->Unit(benchmark::kMillisecond);

void BM_DragStep(benchmark::State& state) {
  Generated();
  auto page = MakePage();
  const TPoint o = page->Geometry().Origin;
  auto send = [&](QEvent::Type type, int x, Qt::MouseButtons buttons) {
    const QPointF at(o.X + x, o.Y);
    QMouseEvent event(type, at, at, at, Qt::LeftButton, buttons, Qt::NoModifier, Mouse());
    if (type == QEvent::MouseButtonPress)
      page->AnimationAreaMouseDown(&event);
    else
      page->AnimationAreaMouseMove(&event);
  };
  send(QEvent::MouseButtonPress, 0, Qt::LeftButton);
  QImage image(320, 160, QImage::Format_RGB32);
  int x = 0;
  for (auto _ : state) {
    x = x >= 100 ? -100 : x + 8;
    send(QEvent::MouseMove, x, Qt::LeftButton);
    PaintStage(*page, image);
  }
  if (std::abs(page->Stage.DragStagePos.X - x) > 4)
    state.SkipWithError("the cell did not follow the mouse");
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

} // namespace
