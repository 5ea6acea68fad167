#include "core/current_chip.h"

#include <algorithm>

#include "core/errors.h"

namespace {

constexpr const char* MapEditUnit = "MapEditUtils";
constexpr const char* AssertionText = "Assertion failure";

void CheckCell(int x, int y, int line) {
  XelAssert(x >= 0 && x < TXelCurrentChip::MaxSize && y >= 0 && y < TXelCurrentChip::MaxSize,
            AssertionText, MapEditUnit, line);
}

} // namespace

uint16_t TXelCurrentChip::GetCell(int x, int y) const {
  CheckCell(x, y, __LINE__);
  return cells_[x][y];
}

void TXelCurrentChip::SetCell(int x, int y, uint16_t id) {
  CheckCell(x, y, __LINE__);
  cells_[x][y] = id;
}

void TXelCurrentChip::SetSize(int width, int height) {
  width_ = std::clamp(width, 1, MaxSize);
  height_ = std::clamp(height, 1, MaxSize);
}
