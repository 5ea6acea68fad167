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
std::vector<TFrameRing> Rings(const TRect& rect, std::initializer_list<uint32_t> colors) {
  std::vector<TFrameRing> rings;
  TRect ring = Shrink(rect, -int(colors.size()));
  for (const uint32_t color : colors) {
    if (color != kKeep) rings.push_back(TFrameRing{ring, color});
    ring = Shrink(ring, 1);
  }
  return rings;
}

void DrawRings(TGlimraBoard& board, const std::vector<TFrameRing>& rings) {
  for (const TFrameRing& ring : rings)
    FrameBoardRect(board, ring.Rect, BgrToRgb565(ring.Color));
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

std::vector<TFrameRing> AreaFrameRings(const TRect& rect) {
  return Rings(rect, {kLightYellow, kDarkGrey, kKeep, kKeep, kKeep, kLightYellow, kDarkGrey});
}

std::vector<TFrameRing> PointFrameRings(const TRect& rect) {
  return Rings(rect, {kDarkGrey, kWhite, kWhite, kDarkGrey});
}

void DrawAreaFrame(TGlimraBoard& board, const TRect& rect) {
  DrawRings(board, AreaFrameRings(rect));
}

void DrawPointFrame(TGlimraBoard& board, const TRect& rect) {
  DrawRings(board, PointFrameRings(rect));
}
