// TXelEventMap: a map's events and start marks cell by cell, for drawing and hit tests.
// A cell holds 0, an event id (1..5000) or a start mark (60001 party, 60002 boat,
// 60003 ship, 60004 airship); a start mark wins over an event in the same cell.
//
// The viewer builds it after every map load and after an event was added, moved or
// deleted; cell painting draws the mark of every cell whose value is above 0 (plain and
// dimmed, except in the editor's event mode at scales 32 and 16, which shows each event's
// graphic).
#pragma once

#include <cstdint>
#include <vector>

#include "core/glimra_board.h"
#include "shell/common/start_pos_mark.h"

class TXelMap;
class TXelMapTree;
class TXelEventItem;

// Id of the start mark of place Index (0 party .. 3 airship).
inline constexpr int StartMarkId = 60001;
inline constexpr int StartMarkCount = 4;

class TXelEventMap {
public:
  // The grid made the map's size and filled: every event inside the map with an id in
  // 1..5000 (others could not be told from start marks or other events), then the start
  // marks that lie inside this map. The map and the tree are kept for drawing.
  void Build(const TXelMapTree* tree, TXelMap* map);
  // The cell's value; -1 outside the map or without one.
  int Get(int x, int y) const;
  // Draws the mark of Id into the cell square (X, Y, Size): start marks, and an event's
  // graphic framed in white when Dim is clear at size 16 or 32, else the plain event mark
  // (dimmed with Dim). An id whose event is gone draws the plain mark; without a map
  // nothing is drawn.
  void Draw(TGlimraBoard& board, int x, int y, bool dim, int id, int size);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Every cell's value, row by row.
  const std::vector<uint16_t>& Cells() const { return grid_; }

private:
  void DrawEventGraphic(TGlimraBoard& board, int x, int y, const TXelEventItem& event, int size);

  std::vector<uint16_t> grid_;
  int width_ = 0;
  int height_ = 0;
  const TXelMapTree* tree_ = nullptr;
  TXelMap* map_ = nullptr;
  TStartPosMark marks_;
  TGlimraBoard scratch_;
};
