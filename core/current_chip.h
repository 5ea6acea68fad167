// TXelCurrentChip: the map editor's pen block, up to 6 x 6 tile ids, indexed [x][y]. One
// exists per editing mode; the palette's selection or a pick from the map fills it.
#pragma once

#include <cstdint>

class TXelCurrentChip {
public:
  static constexpr int MaxSize = 6;

  // A cell outside 0..5 on either axis is a programming error of the caller and raises
  // EAssertionFailed naming "MapEditUtils".
  uint16_t GetCell(int x, int y) const;
  void SetCell(int x, int y, uint16_t id);
  // The block's size, each side brought into 1..6.
  void SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

private:
  uint16_t cells_[MaxSize][MaxSize] = {};
  int width_ = 1;
  int height_ = 1;
};
