// One paint of the battle-animation preview of the command dialogs, which repaints every
// 33 ms: a 40-frame animation of 16 scaled, toned, translucent cells a frame with screen
// flashes, on the dialog's 160 x 120 box (a 320 x 240 stage). The target is 5 ms.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "bench/bench_application.h"
#include "core/animation_record.h"
#include "events/animation_preview.h"

namespace {

constexpr int kFrames = 40;
constexpr int kCells = 16;

// Made before the widget.
struct TApplicationFirst {
  TApplicationFirst() { NeedApplication(); }
};

struct TPreviewFixture {
  TPreviewFixture() : animation(1) {
    animation.Graphic = "Bench";
    animation.SetFrameCount(kFrames);
    for (int f = 0; f < kFrames; ++f) {
      TXelAnimationPatternItem* frame = animation.Frames().GetItem(f);
      for (int c = 0; c < kCells; ++c) {
        TXelAnimationCellItem* cell = frame->Cells.Append();
        cell->Visible = 1;
        cell->Pattern = (f + c) % 25;
        cell->X = (c % 4) * 40 - 60 + f;
        cell->Y = (c / 4) * 30 - 45;
        cell->Magnification = 100 + 10 * (c % 6);
        cell->Red = cell->Green = cell->Blue = 80 + c * 5;
        cell->Chroma = 100;
        cell->Transparency = c * 5;
      }
    }
    for (int t = 1; t <= kFrames; t += 5) {
      TXelAnimationTimingItem* timing = animation.Timings.Append();
      timing->Frame = t;
      timing->FlashScope = 2;
      timing->FlashRed = timing->FlashGreen = 31;
      timing->FlashPower = 20;
    }
    // The image is made here, not loaded: a name equal to the animation's is not reloaded.
    TGlimraSheet& sheet = preview.Graphic.Sheet;
    preview.Graphic.FileName = animation.Graphic;
    sheet.SetSize(480, 480);
    for (int i = 0; i < 256; ++i)
      sheet.Palette()[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
    for (int y = 0; y < sheet.Height(); ++y)
      for (int x = 0; x < sheet.Width(); ++x)
        sheet.GetScanLine(y)[x] = uint8_t((x * 3 + y * 5) % 256);
    sheet.UpdateColorTable();
    preview.SetAnimation(&animation);
    preview.show();
  }

  TApplicationFirst application;
  TXelAnimationItem animation;
  TAnimationPreview preview{160, 120};
};

void BM_PreviewPaintOfAManyCellFrame(benchmark::State& state) {
  static TPreviewFixture fixture;
  // What a paint event does, on an image of the box's size.
  QImage image(fixture.preview.ClientSize(), QImage::Format_RGB32);
  int frame = 0;
  for (auto _ : state) {
    fixture.preview.Restart(frame);
    QPainter canvas(&image);
    emit fixture.preview.Paint(canvas);
    frame = (frame + 1) % kFrames;
    benchmark::ClobberMemory();
  }
  // A frame that drew nothing would measure nothing.
  if (image.pixel(image.width() / 2, image.height() / 2) == qRgb(0, 0, 0))
    state.SkipWithError("the frame drew nothing");
}
BENCHMARK(BM_PreviewPaintOfAManyCellFrame)->Unit(benchmark::kMillisecond);

} // namespace
