#include "core/cell_picker.h"

#include <algorithm>

namespace {

constexpr int CharsPerRow = 4;
constexpr int CharSheetWidth = CharCellWidth * PatternCount;     // 72
constexpr int CharSheetHeight = CharCellHeight * DirectionCount; // 128
constexpr int CharViewCellWidth = CharCellWidth * 2;
constexpr int CharViewCellHeight = CharCellHeight * 2;
constexpr int FacesPerRow = 4;
constexpr int UpperChipTileBase = 10000;
constexpr int LowerChipTileBase = 5000;

// The cell of a grid of Columns x Rows cells of CellWidth x CellHeight under (X, Y);
// -1 outside the grid.
int GridCellAt(int x, int y, int cellWidth, int cellHeight, int columns, int rows) {
  if (x < 0 || y < 0 || x >= cellWidth * columns || y >= cellHeight * rows) return -1;
  return y / cellHeight * columns + x / cellWidth;
}

} // namespace

int ShownIndex(int value, int count) {
  return std::clamp(value, 0, count - 1);
}

TRect CharCellRect(int charIndex, int pattern, int direction) {
  const int c = ShownIndex(charIndex, CharCount);
  return Bounds(
      CharSheetWidth * (c % CharsPerRow) + CharCellWidth * ShownIndex(pattern, PatternCount),
      CharSheetHeight * (c / CharsPerRow) + CharCellHeight * ShownIndex(direction, DirectionCount),
      CharCellWidth, CharCellHeight);
}

TRect CharViewRect(int charIndex) {
  const int c = ShownIndex(charIndex, CharCount);
  return Bounds(CharViewCellWidth * (c % CharsPerRow), CharViewCellHeight * (c / CharsPerRow),
                CharViewCellWidth, CharViewCellHeight);
}

int CharIndexAt(int x, int y) {
  return GridCellAt(x, y, CharViewCellWidth, CharViewCellHeight, CharsPerRow,
                    CharCount / CharsPerRow);
}

TRect FaceRect(int faceIndex) {
  const int f = ShownIndex(faceIndex, FaceCount);
  return Bounds(FaceSize * (f % FacesPerRow), FaceSize * (f / FacesPerRow), FaceSize, FaceSize);
}

int FaceIndexAt(int x, int y) {
  return GridCellAt(x, y, FaceSize, FaceSize, FacesPerRow, FaceCount / FacesPerRow);
}

int ShownChipId(int chipId) {
  return chipId >= 0 && chipId < ChipCount ? chipId : 0;
}

int ChipPageOf(int chipId) {
  return ShownChipId(chipId) / ChipsPerPage;
}

int ChipIdOnPage(int page, int chipId) {
  return ChipsPerPage * ShownIndex(page, ChipPageCount) + ShownChipId(chipId) % ChipsPerPage;
}

int PageChipTileId(int page, int column, int row) {
  return UpperChipTileBase + ChipsPerPage * page + ChipColumns * row + column;
}

TRect ChipRectOnPage(int chipId, int page) {
  const int inView = chipId - (page < 0 ? 0 : ChipsPerPage * page);
  return Bounds(inView % ChipColumns * ChipSize, inView / ChipColumns * ChipSize, ChipSize,
                ChipSize);
}

int ChipIdAt(int page, int x, int y) {
  const int rows = (page < 0 ? ChipCount : ChipsPerPage) / ChipColumns;
  const int cell = GridCellAt(x, y, ChipSize, ChipSize, ChipColumns, rows);
  return cell < 0 ? -1 : cell + (page < 0 ? 0 : ChipsPerPage * page);
}

int PaletteChipTileId(int layer, int chipIndex) {
  return (layer == 0 ? LowerChipTileBase : UpperChipTileBase) + chipIndex;
}

int PaletteScrollFor(int chipIndex, int viewHeight) {
  const int wanted = ChipSize * (ShownIndex(chipIndex, ChipCount) / ChipColumns) - 4 * ChipSize;
  return std::clamp(wanted, 0, std::max(0, ChipPaletteHeight - viewHeight));
}
