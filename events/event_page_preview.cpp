#include "events/event_page_preview.h"

#include <algorithm>
#include <array>

#include "core/glimra_board.h"
#include "core/glimra_sheet.h"

namespace {

constexpr int FrameWidth = 24;
constexpr int FrameHeight = 32;
constexpr int BlockWidth = 72;
constexpr int BlockHeight = 128;
constexpr int BlocksPerRow = 4;
constexpr int Blocks = 8;
constexpr std::array<int, 4> SteppingColumns = {1, 0, 1, 2};
constexpr std::array<int, 6> SpinIntervals = {400, 266, 200, 133, 100, 66};
constexpr std::array<int, 6> WalkIntervals = {266, 200, 166, 133, 116, 100};

} // namespace

TRect PreviewFrame(int32_t index, int animationType, int32_t pattern, int direction,
                   int64_t counter) {
  const int block = std::clamp<int32_t>(index, 0, Blocks - 1);
  const int step = static_cast<int>(counter % 4 + (counter < 0 ? 4 : 0)) % 4;
  int column = std::clamp<int32_t>(pattern, 0, 2);
  int row = std::clamp(direction, 0, 3);
  if (animationType == 1 || animationType == 3) column = SteppingColumns[step];
  if (animationType == SpinAnimation) row = step;
  return Bounds(block % BlocksPerRow * BlockWidth + column * FrameWidth,
                block / BlocksPerRow * BlockHeight + row * FrameHeight, FrameWidth, FrameHeight);
}

TRect TurningFrame(int32_t index, const std::array<int, 4>& rows, int64_t tick) {
  constexpr int Stepping = 1;
  const int64_t step = std::max<int64_t>(tick, 0);
  return PreviewFrame(index, Stepping, 0, rows[static_cast<size_t>(step / 16 % 4)], step);
}

void DrawCharacterFrame(TGlimraBoard& board, TGlimraSheet& sheet, const TRect& dest,
                        const TRect& frame, bool seeThrough) {
  for (int y = 0; y < board.GetHeight(); ++y)
    std::fill_n(board.GetRow(y), board.GetWidth(), sheet.ColorTable()[0]);
  sheet.Transparent = true;
  sheet.Opacity = seeThrough ? 160 : 255;
  board.StretchDrawSheet(dest, sheet, frame);
}

int PreviewInterval(int animationType, int32_t speed) {
  const auto& table = animationType == SpinAnimation ? SpinIntervals : WalkIntervals;
  return table[static_cast<size_t>(std::clamp<int32_t>(speed, 1, 6) - 1)];
}

int32_t PreviewTileId(int32_t index) {
  // Upper-layer chips are 10000..10143; anything else draws nothing, without overflow.
  return index >= 0 && index < 10000 ? index + 10000 : 20000;
}
