#include "shell/map/board_frames.h"

#include <initializer_list>

#include "core/bitmap.h"
#include "core/glimra_board.h"

namespace {

constexpr uint32_t kLightYellow = 0x80FFFF;
constexpr uint32_t kDarkGrey = 0x202020;
constexpr uint32_t kWhite = 0xFFFFFF;
// A step that leaves its ring as it is.
constexpr uint32_t kKeep = 0xFFFFFFFF;

TRect Shrink(const TRect& r, int by) {
  return TRect{r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

// Rings from the outermost (just outside Rect) inwards.
void DrawRings(TGlimraBoard& board, const TRect& rect, std::initializer_list<uint32_t> rings) {
  TRect ring = Shrink(rect, -int(rings.size()));
  for (const uint32_t color : rings) {
    if (color != kKeep) FrameBoardRect(board, ring, BgrToRgb565(color));
    ring = Shrink(ring, 1);
  }
}

} // namespace

void FrameBoardRect(TGlimraBoard& board, const TRect& r, uint16_t color) {
  if (r.IsEmpty()) return;
  const TSurface16 s = board.Surface();
  FillRect(s, TRect{r.Left, r.Top, r.Right, r.Top + 1}, color);
  FillRect(s, TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
  FillRect(s, TRect{r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, color);
  FillRect(s, TRect{r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, color);
}

uint16_t BgrToRgb565(uint32_t bgr) {
  return ColorToRgb565(PackRgb(uint8_t(bgr), uint8_t(bgr >> 8), uint8_t(bgr >> 16)));
}

void DrawAreaFrame(TGlimraBoard& board, const TRect& rect) {
  DrawRings(board, rect, {kLightYellow, kDarkGrey, kKeep, kKeep, kKeep, kLightYellow, kDarkGrey});
}

void DrawPointFrame(TGlimraBoard& board, const TRect& rect) {
  DrawRings(board, rect, {kDarkGrey, kWhite, kWhite, kDarkGrey});
}
