#include "core/animation_edit.h"

#include <gtest/gtest.h>

namespace {

// An animation of Frames frames; frame f holds one visible cell at X = f.
std::unique_ptr<TXelAnimationItem> Numbered(int frames) {
  auto a = std::make_unique<TXelAnimationItem>(1);
  a->SetFrameCount(frames);
  for (int f = 0; f < frames; ++f)
    a->Frames().GetItem(f)->Cells.Append()->X = f;
  return a;
}

int MarkOf(const TXelAnimationItem& a, int frame) {
  const auto& cells = a.Frames().GetItem(frame)->Cells;
  return cells.GetCount() ? cells.GetItem(0)->X : -1;
}

std::vector<int> Marks(const TXelAnimationItem& a) {
  std::vector<int> m;
  for (int f = 0; f < a.GetFrameCount(); ++f)
    m.push_back(MarkOf(a, f));
  return m;
}

TXelAnimationTimingItem& AddTiming(TXelAnimationItem& a, int frame, const char* sound) {
  auto* t = a.Timings.Append();
  t->Frame = frame;
  t->Sound.FileName = sound;
  return *t;
}

void AddCell(TXelAnimationCell& cells, int x, int y, bool visible = true) {
  auto* c = cells.Append();
  c->X = x;
  c->Y = y;
  c->Visible = visible;
}

} // namespace

TEST(AnimationEdit, ScopeAndYLineShiftsKeepTheCellsOnScreen) {
  struct {
    int from, to, line, expected;
  } scope[] = {{0, 1, 2, 32}, {1, 0, 2, -32}, {0, 1, 1, 0}, {1, 0, 0, 32}, {0, 0, 2, 0}};
  for (auto r : scope)
    EXPECT_EQ(ScopeShift(r.from, r.to, r.line, 64), r.expected) << r.from << r.to << r.line;
  EXPECT_EQ(YLineShift(0, 2, 64), -64);
  EXPECT_EQ(YLineShift(2, 1, 63), 31); // toward zero
  EXPECT_EQ(YLineShift(0, 1, 63), -31);

  auto a = Numbered(3);
  ShiftAllCells(*a, 32);
  for (int f = 0; f < 3; ++f)
    EXPECT_EQ(a->Frames().GetItem(f)->Cells.GetItem(0)->Y, 32);
}

TEST(AnimationEdit, InsertAndDeleteFramesRenumberTheTimings) {
  auto a = Numbered(5);
  AddTiming(*a, 2, "A");
  AddTiming(*a, 3, "B");
  AddTiming(*a, 5, "C");
  InsertFrame(*a, 2); // frame 3 of 5
  EXPECT_EQ(Marks(*a), (std::vector<int>{0, 1, 2, 2, 3, 4}));
  EXPECT_EQ(a->Timings.GetItem(0)->Frame, 2);
  EXPECT_EQ(a->Timings.GetItem(1)->Frame, 4);
  EXPECT_EQ(a->Timings.GetItem(2)->Frame, 6);

  DeleteFrame(*a, 1); // frame 2: its own timing stays on 2
  EXPECT_EQ(Marks(*a), (std::vector<int>{0, 2, 2, 3, 4}));
  EXPECT_EQ(a->Timings.GetItem(0)->Frame, 2);
  EXPECT_EQ(a->Timings.GetItem(1)->Frame, 3);
  EXPECT_EQ(a->Timings.GetItem(2)->Frame, 5);

  auto one = Numbered(1);
  DeleteFrame(*one, 0);
  EXPECT_EQ(one->GetFrameCount(), 1);
}

TEST(AnimationEdit, TimingsSortByFrameThenSoundWithNoSoundLastAndTheirTexts) {
  TXelAnimationItem a(1);
  AddTiming(a, 2, "(OFF)");
  AddTiming(a, 2, "Zap").Reserved8 = 1;
  AddTiming(a, 2, "Zap");
  AddTiming(a, 1, "\xe9t\xe9"); // a byte above 127 still sorts before no sound
  AddTiming(a, 1, "(OFF)");
  SortTimings(a.Timings);
  const char* order[] = {"\xe9t\xe9", "(OFF)", "Zap", "Zap", "(OFF)"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(a.Timings.GetItem(i)->Sound.FileName, order[i]) << i;
    EXPECT_EQ(a.Timings.GetItem(i)->Id, i + 1);
  }
  EXPECT_EQ(a.Timings.GetItem(2)->Reserved8, 0);

  auto& t = *a.Timings.GetItem(4);
  EXPECT_EQ(FrameLineText(t.Frame), " < 02 >");
  EXPECT_EQ(FrameLineText(100), " < 100 >");
  EXPECT_EQ(TimingSoundText(t), "");
  EXPECT_EQ(TimingSoundText(*a.Timings.GetItem(2)), "Zap");
  EXPECT_EQ(TimingFlashText(t), "");
  t.FlashScope = 2;
  EXPECT_EQ(TimingFlashText(t), "Screen(R31,G31,B31,V31)");
  t.FlashScope = 1;
  t.FlashRed = 3;
  EXPECT_EQ(TimingFlashText(t), "Object(R03,G31,B31,V31)");
}

TEST(AnimationEdit, ComplementInterpolatesWithTiesToEven) {
  auto a = Numbered(6);
  auto cell = [&](int f) { return a->Frames().GetItem(f)->Cells.GetItem(0); };
  cell(0)->Pattern = 0;
  cell(4)->Pattern = 4;
  cell(4)->Magnification = 200;
  cell(4)->Transparency = 50;

  ComplementFrames(*a, 2, 2, 0, 7, {});
  EXPECT_EQ(Marks(*a), (std::vector<int>{0, 1, 2, 3, 4, 5}));

  a->Frames().GetItem(2)->Cells.Clear(); // a gap is filled
  ComplementFrames(*a, 4, 0, 7, 0, {});  // both pairs in any order
  for (int f = 0; f < 4; ++f) {
    EXPECT_EQ(cell(f)->Pattern, f) << f;
    EXPECT_EQ(cell(f)->X, f) << f;
    EXPECT_EQ(cell(f)->Magnification, 100 + 25 * f) << f;
    EXPECT_TRUE(cell(f)->Visible);
  }
  EXPECT_EQ(cell(4)->X, 4);
  EXPECT_EQ(cell(4)->Transparency, 50);
  EXPECT_EQ(cell(1)->Transparency, 12); // 12.5 to even
  EXPECT_EQ(cell(3)->Transparency, 38); // 37.5 to even

  auto b = Numbered(3);
  b->Frames().GetItem(0)->Cells.GetItem(0)->X = 0;
  b->Frames().GetItem(2)->Cells.GetItem(0)->X = 1;
  b->Frames().GetItem(1)->Cells.GetItem(0)->X = 9;
  ComplementFrames(*b, 0, 2, 0, 0, {false, true, false});
  EXPECT_EQ(MarkOf(*b, 1), 0); // 0.5 to 0
  b->Frames().GetItem(0)->Cells.GetItem(0)->X = 1;
  b->Frames().GetItem(2)->Cells.GetItem(0)->X = 2;
  ComplementFrames(*b, 0, 2, 0, 0, {false, true, false});
  EXPECT_EQ(MarkOf(*b, 1), 2); // 1.5 to 2

  // A key cell that is invisible stops the cell's complement.
  b->Frames().GetItem(2)->Cells.GetItem(0)->Visible = 0;
  b->Frames().GetItem(1)->Cells.GetItem(0)->X = 9;
  ComplementFrames(*b, 0, 2, 0, 0, {});
  EXPECT_EQ(MarkOf(*b, 1), 9);
}

TEST(AnimationEdit, ManyCellsTouchOnlyMarkedVisibleCheckedCells) {
  auto a = Numbered(3);
  AddCell(a->Frames().GetItem(0)->Cells, 0, 0, false);
  TManyCellValues v;
  v.CellChecked = {true, true, true};
  v.SetPattern = v.SetColor = true;
  v.Pattern = 7;
  v.Red = 20;
  ApplyManyCells(*a, {1, 0}, v); // frame 2 has no mark
  auto& cells = a->Frames().GetItem(0)->Cells;
  EXPECT_EQ(cells.GetCount(), 2);
  EXPECT_EQ(cells.GetItem(0)->Pattern, 7);
  EXPECT_EQ(cells.GetItem(0)->Red, 20);
  EXPECT_EQ(cells.GetItem(0)->Magnification, 100);
  EXPECT_EQ(cells.GetItem(1)->Pattern, 0);
  EXPECT_EQ(a->Frames().GetItem(1)->Cells.GetItem(0)->Pattern, 0);
}

TEST(AnimationEdit, FrameToolCopiesOverlappingRangesInBothDirections) {
  struct {
    int from, to, start;
    std::vector<int> expected;
  } rows[] = {
      {0, 2, 1, {0, 0, 1, 2, 4}},
      {1, 3, 0, {1, 2, 3, 3, 4}},
      {2, 4, 3, {0, 1, 2, 2, 3}}, // past the end skipped
      {2, 2, 2, {0, 1, 2, 3, 4}},
  };
  for (auto& r : rows) {
    auto a = Numbered(5);
    CopyFrameRange(*a, r.from, r.to, r.start);
    EXPECT_EQ(Marks(*a), r.expected) << r.from << "-" << r.to << " to " << r.start;
    EXPECT_EQ(a->GetFrameCount(), 5);
  }
  auto a = Numbered(5);
  ClearFrameRange(*a, 3, 1);
  EXPECT_EQ(Marks(*a), (std::vector<int>{0, -1, -1, -1, 4}));
}

TEST(AnimationStage, GeometryFollowsScrollScopeAndYLine) {
  auto g = StageGeometry(320, 320, 30, 64, 0, 2);
  EXPECT_EQ(g.Centre, (TPoint{160, 80}));
  EXPECT_EQ(g.Origin, (TPoint{160, 112}));
  EXPECT_EQ(g.VictimOffset, (TPoint{-15, -64}));
  g = StageGeometry(300, 330, 31, 64, 0, 0);
  EXPECT_EQ(g.Origin, (TPoint{180, 38}));
  EXPECT_EQ(g.VictimOffset, (TPoint{-15, 0}));
  EXPECT_EQ(StageGeometry(320, 320, 30, 64, 1, 0).Origin, (TPoint{160, 80}));
}

TEST(AnimationStage, PressHitsTopCellPlacesOrIgnoresOutsideTheSquare) {
  TXelAnimationCell cells;
  TAnimationStage s;
  EXPECT_FALSE(s.Press(cells, {400, 0}, {}, true, false, 3));
  EXPECT_FALSE(s.Press(cells, {0, -321}, {}, true, false, 3));
  EXPECT_EQ(cells.GetCount(), 0);

  EXPECT_TRUE(s.Press(cells, {10, 20}, {}, true, false, 3));
  EXPECT_EQ(s.SelectedCell, 0);
  EXPECT_EQ(cells.GetItem(0)->Pattern, 3);
  EXPECT_EQ(cells.GetItem(0)->Y, 20);
  AddCell(cells, 30, 20);
  EXPECT_TRUE(s.Press(cells, {20, 20}, {}, true, false, 0));
  EXPECT_EQ(s.SelectedCell, 1); // the top one
  s.Press(cells, {20, 20}, {}, true, true, 0);
  EXPECT_EQ(s.SelectedCell, 0); // Ctrl: the one below
  EXPECT_EQ(cells.GetCount(), 2);

  // A right press never places; a full frame reuses its invisible cell.
  s.Press(cells, {200, 200}, {}, false, false, 0);
  EXPECT_EQ(s.SelectedCell, -1);
  while (cells.GetCount() < 8)
    AddCell(cells, 0, 0, false);
  cells.GetItem(1)->Visible = 0;
  s.Press(cells, {200, 200}, {}, true, false, 9);
  EXPECT_EQ(s.SelectedCell, 1);
  EXPECT_TRUE(cells.GetItem(1)->Visible);
  for (int c = 0; c < 8; ++c)
    cells.GetItem(c)->Visible = 1;
  s.Press(cells, {-300, 200}, {}, true, false, 9);
  EXPECT_EQ(s.SelectedCell, -1);
  EXPECT_EQ(cells.GetCount(), 8);
}

TEST(AnimationStage, DragStepsSnapsClampsAndShiftMovesAll) {
  TXelAnimationCell cells;
  AddCell(cells, 0, 0);
  AddCell(cells, 100, 4);
  TAnimationStage s;
  s.Press(cells, {0, 0}, {500, 500}, true, false, 0);
  EXPECT_TRUE(s.Drag(cells, {13, 0}, false, 8));
  EXPECT_EQ(cells.GetItem(0)->X, 16);
  EXPECT_EQ(s.DragScreenPos, (TPoint{516, 500}));
  EXPECT_EQ(cells.GetItem(1)->X, 100);
  s.Drag(cells, {900, 2}, true, 8);
  EXPECT_EQ(cells.GetItem(0)->X, 320);
  EXPECT_EQ(cells.GetItem(1)->X, 320); // moved by 304 and clamped
  EXPECT_EQ(cells.GetItem(1)->Y, 0);   // snapped from 4, a tie goes down

  s.UndoDrag(cells);
  EXPECT_EQ(cells.GetItem(0)->X, 0);
  EXPECT_EQ(cells.GetItem(1)->X, 100);

  TXelAnimationCellItem c(1);
  struct {
    int in, step, out;
  } snap[] = {{13, 8, 16}, {12, 8, 8}, {-13, 8, -16}, {-12, 8, -16}, {333, 8, 320}, {7, 1, 7}};
  for (auto r : snap) {
    c.X = r.in;
    SnapCell(c, r.step);
    EXPECT_EQ(c.X, r.out) << r.in;
  }
}

TEST(AnimationStage, PasteDeleteAndPriorityMoves) {
  TXelAnimationCell cells;
  TXelAnimationCellItem clip(1);
  TAnimationStage s;
  s.PastePos = {10, 10};
  EXPECT_TRUE(s.Paste(cells, clip, 8));
  s.PastePos = {10, 10};
  EXPECT_TRUE(s.Paste(cells, clip, 8));
  EXPECT_EQ(cells.GetItem(0)->X, 8);
  EXPECT_EQ(cells.GetItem(1)->X, 16);
  EXPECT_EQ(cells.GetItem(1)->Y, 16);

  // At the edge the search ends; the clamped cell lands on the corner.
  cells.Clear();
  AddCell(cells, 320, 320);
  s.PastePos = {320, 320};
  EXPECT_TRUE(s.Paste(cells, clip, 8));
  EXPECT_EQ(cells.GetItem(1)->X, 320);

  cells.Clear();
  AddCell(cells, 0, 0);
  AddCell(cells, 1, 0);
  AddCell(cells, 2, 0);
  s.SelectedCell = 1;
  EXPECT_TRUE(s.Delete(cells));
  EXPECT_EQ(cells.GetCount(), 3);
  EXPECT_FALSE(cells.GetItem(1)->Visible);
  EXPECT_EQ(s.SelectedCell, 2);
  s.Delete(cells);
  EXPECT_EQ(cells.GetCount(), 1);
  EXPECT_EQ(s.SelectedCell, 0);

  AddCell(cells, 1, 0);
  AddCell(cells, 2, 0);
  s.SelectedCell = 2;
  EXPECT_TRUE(s.PriorityUp(cells));
  ASSERT_EQ(cells.GetCount(), 4);
  EXPECT_EQ(s.SelectedCell, 3);
  EXPECT_EQ(cells.GetItem(3)->X, 2);
  EXPECT_FALSE(cells.GetItem(2)->Visible);
  EXPECT_TRUE(s.PriorityDown(cells)); // back, and the empty slot at the end goes
  EXPECT_EQ(cells.GetCount(), 3);
  EXPECT_EQ(cells.GetItem(2)->X, 2);
  EXPECT_EQ(s.SelectedCell, 2);
  s.SelectedCell = 0;
  EXPECT_FALSE(s.PriorityDown(cells));

  s.SelectedCell = 1;
  s.Nudge(cells, 2, 8);
  EXPECT_EQ(cells.GetItem(1)->X, 8);
  TAnimationStage::NudgeAll(cells, 3, 1);
  EXPECT_EQ(cells.GetItem(0)->Y, -1);
  EXPECT_EQ(cells.GetItem(2)->Y, -1);
}

TEST(AnimationPlayback, OneFrameRunsTwentyOneTicksOf33Ms) {
  int64_t now = 1000;
  int sleeps = 0;
  std::vector<std::pair<int, int64_t>> shown;
  int drawn = 0;
  RunPlayback(
      1, {[&] { return now; }, [&](int ms) { now += ms, ++sleeps; }}, [&](int) { ++drawn; },
      [&](int f) { shown.emplace_back(f, now); });
  ASSERT_EQ(shown.size(), 21u);
  EXPECT_EQ(drawn, 21);
  EXPECT_EQ(shown.front(), (std::pair<int, int64_t>{-10, 1000}));
  EXPECT_EQ(shown.back(), (std::pair<int, int64_t>{10, 1000 + 20 * 33}));
  EXPECT_EQ(sleeps, 20 * 33);
}
