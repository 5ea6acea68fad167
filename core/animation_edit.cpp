#include "core/animation_edit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/sound_record.h"

int ScopeShift(int oldScope, int newScope, int yLine, int victimHeight) {
  if (oldScope == newScope) return 0;
  // Integer division truncates toward zero, as the cells have always been shifted.
  if (newScope == 0) return ((1 - yLine) * victimHeight) / 2;
  return ((yLine - 1) * victimHeight) / 2;
}

int YLineShift(int oldLine, int newLine, int victimHeight) {
  return ((oldLine - newLine) * victimHeight) / 2;
}

void ShiftAllCells(TXelAnimationItem& animation, int dy) {
  animation.NeedsSerialize = 1;
  if (dy == 0) return;
  for (int f = 0; f < animation.Frames().GetCount(); ++f) {
    TXelAnimationCell& cells = animation.Frames().GetItem(f)->Cells;
    for (int c = 0; c < cells.GetCount(); ++c)
      cells.GetItem(c)->Y += dy;
  }
}

void CopyFrame(TXelAnimationItem& animation, int target, int source) {
  TXelAnimationPatternItem* to = animation.Frames().GetItem(target);
  TXelAnimationPatternItem* from = animation.Frames().GetItem(source);
  if (!to || !from || to == from) return;
  to->Cells.Assign(from->Cells);
  animation.NeedsSerialize = 1;
}

void InsertFrame(TXelAnimationItem& animation, int frame) {
  const int count = animation.GetFrameCount();
  if (frame < 0 || frame >= count) return;
  animation.SetFrameCount(count + 1);
  for (int k = count; k > frame; --k)
    CopyFrame(animation, k, k - 1);
  for (int i = 0; i < animation.Timings.GetCount(); ++i) {
    TXelAnimationTimingItem* timing = animation.Timings.GetItem(i);
    if (timing->Frame >= frame + 1) ++timing->Frame;
  }
}

void DeleteFrame(TXelAnimationItem& animation, int frame) {
  const int count = animation.GetFrameCount();
  if (count <= 1 || frame < 0 || frame >= count) return;
  for (int k = frame; k < count - 1; ++k)
    CopyFrame(animation, k, k + 1);
  animation.SetFrameCount(count - 1);
  for (int i = 0; i < animation.Timings.GetCount(); ++i) {
    TXelAnimationTimingItem* timing = animation.Timings.GetItem(i);
    if (timing->Frame > frame + 1) --timing->Frame;
  }
}

namespace {

// No sound sorts as the one-byte name 255, after every real name.
std::string SoundSortKey(const TXelAnimationTimingItem& timing) {
  return timing.Sound.FileName == SoundOffName ? std::string(1, '\xff') : timing.Sound.FileName;
}

int CompareBytes(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <class T> int Compare(T a, T b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

void SortTimings(TXelAnimationTiming& timings) {
  timings.SortAndRenumber([](const TCatalogItem* left, const TCatalogItem* right) {
    const auto& a = static_cast<const TXelAnimationTimingItem&>(*left);
    const auto& b = static_cast<const TXelAnimationTimingItem&>(*right);
    if (int c = Compare(a.Frame, b.Frame)) return c;
    if (int c = CompareBytes(SoundSortKey(a), SoundSortKey(b))) return c;
    return Compare(a.Reserved8, b.Reserved8);
  });
}

std::string FrameLineText(int number) {
  char text[24];
  std::snprintf(text, sizeof text, " < %.2d >", number);
  return text;
}

std::string TimingSoundText(const TXelAnimationTimingItem& timing) {
  return timing.Sound.FileName == SoundOffName ? std::string() : timing.Sound.FileName;
}

std::string TimingFlashText(const TXelAnimationTimingItem& timing) {
  const char* kind = timing.FlashScope == 1   ? "Object"
                     : timing.FlashScope == 2 ? "Screen"
                                              : nullptr;
  if (!kind) return {};
  char text[80];
  std::snprintf(text, sizeof text, "%s(R%.2d,G%.2d,B%.2d,V%.2d)", kind, timing.FlashRed,
                timing.FlashGreen, timing.FlashBlue, timing.FlashPower);
  return text;
}

namespace {

bool HasVisibleCell(const TXelAnimationItem& animation, int frame, int cell) {
  const TXelAnimationPatternItem* pattern = animation.Frames().GetItem(frame);
  const TXelAnimationCellItem* item = pattern ? pattern->Cells.GetItem(cell) : nullptr;
  return item && item->Visible;
}

struct TCellValues {
  std::array<int32_t, 9> V; // Pattern, X, Y, Magnification, Red, Green, Blue, Chroma, Transparency
  explicit TCellValues(const TXelAnimationCellItem& c)
      : V{c.Pattern, c.X, c.Y, c.Magnification, c.Red, c.Green, c.Blue, c.Chroma, c.Transparency} {}
};

} // namespace

void ComplementFrames(TXelAnimationItem& animation, int a, int b, int c1, int c2,
                      const TComplementItems& items) {
  if (a > b) std::swap(a, b);
  if (c1 > c2) std::swap(c1, c2);
  animation.NeedsSerialize = 1;
  if (a < 0 || b >= animation.GetFrameCount()) return;
  for (int c = std::max(c1, 0); c <= c2; ++c) {
    if (!HasVisibleCell(animation, a, c) || !HasVisibleCell(animation, b, c)) continue;
    const TCellValues s(*animation.Frames().GetItem(a)->Cells.GetItem(c));
    const TCellValues e(*animation.Frames().GetItem(b)->Cells.GetItem(c));
    for (int k = 0; k < b - a; ++k) {
      TXelAnimationCell& cells = animation.Frames().GetItem(a + k)->Cells;
      while (cells.GetCount() <= c)
        cells.Append()->Visible = 0;
      TXelAnimationCellItem& cell = *cells.GetItem(c);
      cell.Visible = 1;
      // Ties go to the even neighbour, as the interpolated frames always came out.
      auto at = [&](int i) {
        return static_cast<int32_t>(
            std::nearbyint(double(e.V[i] - s.V[i]) * k / double(b - a) + s.V[i]));
      };
      if (items.Pattern) cell.Pattern = at(0);
      if (items.Magnification) {
        cell.X = at(1);
        cell.Y = at(2);
        cell.Magnification = at(3);
      }
      if (items.Transparency) {
        cell.Red = at(4);
        cell.Green = at(5);
        cell.Blue = at(6);
        cell.Chroma = at(7);
        cell.Transparency = at(8);
      }
    }
  }
}

void ApplyManyCells(TXelAnimationItem& animation, const std::vector<uint8_t>& marks,
                    const TManyCellValues& values) {
  animation.NeedsSerialize = 1;
  const int frames = std::min<int>(animation.GetFrameCount(), static_cast<int>(marks.size()));
  for (int f = 0; f < frames; ++f) {
    if (!marks[f]) continue;
    TXelAnimationCell& cells = animation.Frames().GetItem(f)->Cells;
    for (int c = 0; c < MaxAnimationCells && c < cells.GetCount(); ++c) {
      TXelAnimationCellItem& cell = *cells.GetItem(c);
      if (!cell.Visible || !values.CellChecked[c]) continue;
      if (values.SetPattern) cell.Pattern = values.Pattern;
      if (values.SetMagnification) cell.Magnification = values.Magnification;
      if (values.SetTransparency) cell.Transparency = values.Transparency;
      if (values.SetColor) {
        cell.Red = values.Red;
        cell.Green = values.Green;
        cell.Blue = values.Blue;
        cell.Chroma = values.Chroma;
      }
    }
  }
}

void CopyFrameRange(TXelAnimationItem& animation, int from, int to, int start) {
  if (from > to) std::swap(from, to);
  const int n = to - from + 1;
  const int count = animation.GetFrameCount();
  if (from > start) {
    for (int k = 0; k < n; ++k)
      if (start + k < count) CopyFrame(animation, start + k, from + k);
  } else if (from < start) {
    // From the back, so a source frame is read before the copy overwrites it.
    for (int k = n - 1; k >= 0; --k)
      if (start + k < count) CopyFrame(animation, start + k, from + k);
  }
}

void ClearFrameRange(TXelAnimationItem& animation, int from, int to) {
  if (from > to) std::swap(from, to);
  animation.NeedsSerialize = 1;
  for (int f = std::max(from, 0); f <= to && f < animation.GetFrameCount(); ++f)
    animation.Frames().GetItem(f)->Cells.Clear();
}

TStageGeometry StageGeometry(int h, int v, int victimWidth, int victimHeight, int scope,
                             int yLine) {
  TStageGeometry g;
  g.Centre = {480 - h, 400 - v};
  g.Origin = g.Centre;
  g.VictimOffset = {-(victimWidth / 2), -(victimHeight / 2)};
  if (scope == 0 && yLine != 1) {
    const int half = (yLine == 0 ? 1 : -1) * (victimHeight / 2);
    g.Origin.Y -= half;
    g.VictimOffset.Y += half;
  }
  return g;
}

TRect CellRect(const TXelAnimationCellItem& cell) {
  const double half = 48.0 * cell.Magnification / 100.0;
  return TRect{
      static_cast<int>(std::lround(cell.X - half)), static_cast<int>(std::lround(cell.Y - half)),
      static_cast<int>(std::lround(cell.X + half)), static_cast<int>(std::lround(cell.Y + half))};
}

bool FrameHasRoom(const TXelAnimationCell& cells) {
  if (cells.GetCount() < MaxAnimationCells) return true;
  for (int c = 0; c < cells.GetCount(); ++c)
    if (!cells.GetItem(c)->Visible) return true;
  return false;
}

int TakeCellSlot(TXelAnimationCell& cells) {
  for (int c = 0; c < cells.GetCount(); ++c) {
    if (!cells.GetItem(c)->Visible) {
      cells.GetItem(c)->Clear();
      return c;
    }
  }
  if (cells.GetCount() >= MaxAnimationCells) return -1;
  cells.Append();
  return cells.GetCount() - 1;
}

void SnapCell(TXelAnimationCellItem& cell, int step) {
  auto snap = [step](int32_t& v) {
    const int m = (v + step * 1000) % step;
    v -= m;
    if (m > step / 2) v += step;
    v = std::clamp(v, -StageLimit, StageLimit);
  };
  snap(cell.X);
  snap(cell.Y);
}

int HitTestCell(const TXelAnimationCell& cells, TPoint point, bool below) {
  int first = -1;
  for (int c = cells.GetCount() - 1; c >= 0; --c) {
    const TXelAnimationCellItem& cell = *cells.GetItem(c);
    if (!cell.Visible || !CellRect(cell).Contains(point.X, point.Y)) continue;
    if (!below) return c;
    if (first >= 0) return c;
    first = c;
  }
  return first;
}

namespace {

void SwapCells(TXelAnimationCell& cells, int a, int b) {
  TXelAnimationCellItem keep(0);
  keep.Assign(*cells.GetItem(a));
  cells.GetItem(a)->Assign(*cells.GetItem(b));
  cells.GetItem(b)->Assign(keep);
}

void RemoveLastCell(TXelAnimationCell& cells) {
  cells.DeleteById(cells.GetItem(cells.GetCount() - 1)->Id);
}

bool InsideStageSquare(TPoint p) {
  return p.X >= -StageLimit && p.X < StageLimit && p.Y >= -StageLimit && p.Y < StageLimit;
}

} // namespace

bool TAnimationStage::Press(TXelAnimationCell& cells, TPoint point, TPoint screen, bool left,
                            bool ctrl, int pattern) {
  const int hit = HitTestCell(cells, point, ctrl);
  Placed = false;
  if (hit < 0) {
    SelectedCell = -1;
    if (!InsideStageSquare(point)) return false;
  }
  UndoCells.Assign(cells);
  if (hit >= 0) {
    SelectedCell = hit;
  } else if (left && FrameHasRoom(cells)) {
    SelectedCell = TakeCellSlot(cells);
    Placed = true;
    TXelAnimationCellItem& cell = *cells.GetItem(SelectedCell);
    cell.Pattern = pattern;
    cell.X = point.X;
    cell.Y = point.Y;
  }
  Dragging = left;
  DragScreenPos = screen;
  DragStagePos = point;
  return true;
}

bool TAnimationStage::Drag(TXelAnimationCell& cells, TPoint point, bool shift, int step) {
  if (!Dragging || SelectedCell < 0 || SelectedCell >= cells.GetCount()) return false;
  TXelAnimationCellItem& cell = *cells.GetItem(SelectedCell);
  const TPoint before{cell.X, cell.Y};
  const int half = step / 2;
  auto follow = [&](int p, int& drag, int32_t& value, int& screen) {
    while (p - half > drag && value < StageLimit) {
      drag += step;
      value += step;
      screen += step;
    }
    while (p + half < drag && value > -StageLimit) {
      drag -= step;
      value -= step;
      screen -= step;
    }
  };
  follow(point.X, DragStagePos.X, cell.X, DragScreenPos.X);
  follow(point.Y, DragStagePos.Y, cell.Y, DragScreenPos.Y);
  SnapCell(cell, step);
  const int dx = cell.X - before.X;
  const int dy = cell.Y - before.Y;
  if (dx == 0 && dy == 0) return false;
  if (shift) {
    for (int c = 0; c < cells.GetCount(); ++c) {
      if (c == SelectedCell) continue;
      TXelAnimationCellItem& other = *cells.GetItem(c);
      other.X += dx;
      other.Y += dy;
      SnapCell(other, step);
    }
  }
  return true;
}

void TAnimationStage::UndoDrag(TXelAnimationCell& cells) {
  cells.Assign(UndoCells);
  Dragging = false;
}

bool TAnimationStage::Paste(TXelAnimationCell& cells, const TXelAnimationCellItem& source,
                            int step) {
  const int slot = TakeCellSlot(cells);
  if (slot < 0) return false;
  TXelAnimationCellItem& cell = *cells.GetItem(slot);
  cell.Assign(source);
  cell.X = PastePos.X;
  cell.Y = PastePos.Y;
  SnapCell(cell, step);
  PastePos = {cell.X, cell.Y};
  // The test runs on the unclamped position and gives up after eight steps: at the
  // stage's edge the clamped cell would meet the same cell for ever.
  for (int tries = 0; tries < 8; ++tries) {
    bool taken = false;
    for (int c = 0; c < cells.GetCount() && !taken; ++c) {
      const TXelAnimationCellItem& other = *cells.GetItem(c);
      taken = c != slot && other.Visible && other.X == PastePos.X && other.Y == PastePos.Y &&
              other.Magnification == cell.Magnification;
    }
    if (!taken) break;
    PastePos.X += 8;
    PastePos.Y += 8;
  }
  cell.X = PastePos.X;
  cell.Y = PastePos.Y;
  SnapCell(cell, step);
  return true;
}

bool TAnimationStage::Delete(TXelAnimationCell& cells) {
  if (SelectedCell < 0 || SelectedCell >= cells.GetCount()) return false;
  cells.GetItem(SelectedCell)->Visible = 0;
  while (cells.GetCount() > 0 && !cells.GetItem(cells.GetCount() - 1)->Visible)
    RemoveLastCell(cells);
  SelectedCell = cells.GetCount() - 1;
  return true;
}

bool TAnimationStage::PriorityUp(TXelAnimationCell& cells) {
  const int s = SelectedCell;
  if (s < 0 || s >= MaxAnimationCells - 1 || s >= cells.GetCount()) return false;
  if (s == cells.GetCount() - 1) cells.Append()->Visible = 0;
  SwapCells(cells, s, s + 1);
  SelectedCell = s + 1;
  return true;
}

bool TAnimationStage::PriorityDown(TXelAnimationCell& cells) {
  const int s = SelectedCell;
  if (s < 1 || s >= cells.GetCount()) return false;
  SwapCells(cells, s - 1, s);
  SelectedCell = s - 1;
  if (!cells.GetItem(cells.GetCount() - 1)->Visible) RemoveLastCell(cells);
  return true;
}

namespace {

void Move(TXelAnimationCellItem& cell, int direction, int step) {
  static constexpr int dx[] = {0, -1, 1, 0};
  static constexpr int dy[] = {1, 0, 0, -1};
  if (direction < 0 || direction > 3) return;
  cell.X += dx[direction] * step;
  cell.Y += dy[direction] * step;
  SnapCell(cell, step);
}

} // namespace

bool TAnimationStage::Nudge(TXelAnimationCell& cells, int direction, int step) {
  if (SelectedCell < 0 || SelectedCell >= cells.GetCount()) return false;
  Move(*cells.GetItem(SelectedCell), direction, step);
  return true;
}

void TAnimationStage::NudgeAll(TXelAnimationCell& cells, int direction, int step) {
  for (int c = 0; c < cells.GetCount(); ++c)
    Move(*cells.GetItem(c), direction, step);
}

void RunPlayback(int frameCount, const TPlaybackClock& clock, const std::function<void(int)>& draw,
                 const std::function<void(int)>& show) {
  const int64_t t0 = clock.Now();
  for (int f = -10; f < frameCount + 10; ++f) {
    draw(f);
    const int64_t due = t0 + int64_t(f + 10) * PlaybackFrameMs;
    while (clock.Now() < due)
      clock.Sleep(1);
    show(f);
  }
}
