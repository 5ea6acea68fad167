// The editing of a battle animation without widgets: frame and timing operations of the
// page, the tools that work over many frames, the stage's geometry and what a press, a
// drag, a paste or a menu command does to the cells of one frame.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/animation_record.h"
#include "core/geometry.h"

// The page's limits.
inline constexpr int MaxAnimationTimings = 500;
inline constexpr int MaxAnimationCells = 8;
inline constexpr int MaxInsertFrames = 99; // Insert is offered below this many frames
inline constexpr int StageLimit = 320;     // cells stay within -320..320

// Scope: 0 "Single", 1 "All". YLine: 0 "Head", 1 "Center", 2 "Feet".
// The Y change that keeps the cells where they appear when the scope changes.
int ScopeShift(int oldScope, int newScope, int yLine, int victimHeight);
// The same when the Y line changes under scope "Single".
int YLineShift(int oldLine, int newLine, int victimHeight);
// Every cell of every frame moves by Dy.
void ShiftAllCells(TXelAnimationItem& animation, int dy);

// Frame (0-based) stands twice; the timings from its number on move one frame later.
void InsertFrame(TXelAnimationItem& animation, int frame);
// Frame (0-based) goes; the timings after it move one frame earlier, its own stay.
void DeleteFrame(TXelAnimationItem& animation, int frame);
// Frame index Target takes a copy of frame Source (nothing when either is missing).
void CopyFrame(TXelAnimationItem& animation, int target, int source);

// Timings in list order: Frame, then sound name (bytewise; no sound after every name),
// then Reserved8; ids renumbered 1..n.
void SortTimings(TXelAnimationTiming& timings);
// " < 02 >": a frame list line and a timing's first column (1-based numbers).
std::string FrameLineText(int number);
std::string TimingSoundText(const TXelAnimationTimingItem& timing);
std::string TimingFlashText(const TXelAnimationTimingItem& timing);

// The remembered end frame 65535 stands for the last one.
inline constexpr int LastFrameMark = 65535;

struct TComplementItems {
  bool Pattern = true;
  bool Magnification = true; // also X and Y
  bool Transparency = true;  // also the colours
  bool operator==(const TComplementItems&) const = default;
};
// Interpolates cells C1..C2 of frames A..B (0-based, any order) into the frames from A
// up to B - 1; frame B is not changed.
void ComplementFrames(TXelAnimationItem& animation, int a, int b, int c1, int c2,
                      const TComplementItems& items);

struct TManyCellValues {
  std::array<bool, MaxAnimationCells> CellChecked{};
  bool SetPattern = false;
  bool SetMagnification = false;
  bool SetTransparency = false;
  bool SetColor = false;
  int Pattern = 0; // 0-based
  int Magnification = 100;
  int Transparency = 0;
  int Red = 100;
  int Green = 100;
  int Blue = 100;
  int Chroma = 100;
  bool operator==(const TManyCellValues&) const = default;
};
// The chosen values go into the checked visible cells of every marked frame (Marks[i]
// for frame i); cells are never created.
void ApplyManyCells(TXelAnimationItem& animation, const std::vector<uint8_t>& marks,
                    const TManyCellValues& values);

// Frames From..To (0-based, ascending) copied to start at Start, safe when the ranges
// overlap; frames past the end are skipped.
void CopyFrameRange(TXelAnimationItem& animation, int from, int to, int start);
void ClearFrameRange(TXelAnimationItem& animation, int from, int to);

// The stage: a 320 x 160 view of a 960 x 800 area scrolled to (H, V).
struct TStageGeometry {
  TPoint Centre;
  TPoint Origin;
  TPoint VictimOffset;
};
TStageGeometry StageGeometry(int h, int v, int victimWidth, int victimHeight, int scope, int yLine);

// The cell's square relative to the origin: half size 48 * Magnification / 100.
TRect CellRect(const TXelAnimationCellItem& cell);
bool FrameHasRoom(const TXelAnimationCell& cells);
// The first invisible cell (cleared) or a new one; -1 when the frame is full.
int TakeCellSlot(TXelAnimationCell& cells);
void SnapCell(TXelAnimationCellItem& cell, int step);
// The topmost visible cell under the stage point; with Below the one under it.
int HitTestCell(const TXelAnimationCell& cells, TPoint point, bool below);

// What the stage holds between a press and its release.
class TAnimationStage {
public:
  int SelectedCell = -1;
  bool Dragging = false;
  bool Placed = false; // the last press placed a new cell
  TPoint DragScreenPos;
  TPoint DragStagePos;
  TPoint PastePos;
  TXelAnimationCell UndoCells;

  // A left or right press at stage point Point (relative to the origin). True when the
  // press captures the mouse (a cell hit or placed, or a press inside the square).
  bool Press(TXelAnimationCell& cells, TPoint point, TPoint screen, bool left, bool ctrl,
             int pattern);
  // The mouse at stage point Point while dragging. True when a cell moved.
  bool Drag(TXelAnimationCell& cells, TPoint point, bool shift, int step);
  // A right press during a drag: the cells as they were before the press.
  void UndoDrag(TXelAnimationCell& cells);

  // The cell menu: each returns true when the cells changed.
  bool Paste(TXelAnimationCell& cells, const TXelAnimationCellItem& source, int step);
  bool Delete(TXelAnimationCell& cells);
  bool PriorityUp(TXelAnimationCell& cells);
  bool PriorityDown(TXelAnimationCell& cells);
  // Direction 0 down, 1 left, 2 right, 3 up.
  bool Nudge(TXelAnimationCell& cells, int direction, int step);
  static void NudgeAll(TXelAnimationCell& cells, int direction, int step);
};

// The playback loop: frames -10 .. Count + 9, frame F shown when the clock reaches
// T0 + (F + 10) * 33 ms. Draw prepares a frame, Show puts it on the screen.
struct TPlaybackClock {
  std::function<int64_t()> Now;
  std::function<void(int)> Sleep;
};
inline constexpr int PlaybackFrameMs = 33;
void RunPlayback(int frameCount, const TPlaybackClock& clock, const std::function<void(int)>& draw,
                 const std::function<void(int)>& show);
