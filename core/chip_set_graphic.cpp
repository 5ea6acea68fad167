#include "core/chip_set_graphic.h"

#include <algorithm>
#include <cstdint>
#include <exception>

#include "core/bitmap.h"
#include "core/editor_mode.h"
#include "core/glimra_board.h"
#include "core/material_image.h"

namespace {

// Quarters as x, y pairs (8-pixel units): top-left, top-right, bottom-left, bottom-right.
using TQuarterRow = uint8_t[8];

// clang-format off
constexpr TQuarterRow kWaterPatterns[50] = {
    {0,8, 1,8, 0,9, 1,9}, {0,6, 1,8, 0,9, 1,9}, {0,8, 1,6, 0,9, 1,9}, {0,6, 1,6, 0,9, 1,9},  // 0
    {0,8, 1,8, 0,9, 1,7}, {0,6, 1,8, 0,9, 1,7}, {0,8, 1,6, 0,9, 1,7}, {0,6, 1,6, 0,9, 1,7},  // 4
    {0,8, 1,8, 0,7, 1,9}, {0,6, 1,8, 0,7, 1,9}, {0,8, 1,6, 0,7, 1,9}, {0,6, 1,6, 0,7, 1,9},  // 8
    {0,8, 1,8, 0,7, 1,7}, {0,6, 1,8, 0,7, 1,7}, {0,8, 1,6, 0,7, 1,7}, {0,6, 1,6, 0,7, 1,7},  // 12
    {0,2, 1,8, 0,3, 1,9}, {0,2, 1,6, 0,3, 1,9}, {0,2, 1,8, 0,3, 1,7}, {0,2, 1,6, 0,3, 1,7},  // 16
    {0,4, 1,4, 0,9, 1,9}, {0,4, 1,4, 0,9, 1,7}, {0,4, 1,4, 0,7, 1,9}, {0,4, 1,4, 0,7, 1,7},  // 20
    {0,8, 1,2, 0,9, 1,3}, {0,8, 1,2, 0,7, 1,3}, {0,6, 1,2, 0,9, 1,3}, {0,6, 1,2, 0,7, 1,3},  // 24
    {0,8, 1,8, 0,5, 1,5}, {0,6, 1,8, 0,5, 1,5}, {0,8, 1,6, 0,5, 1,5}, {0,6, 1,6, 0,5, 1,5},  // 28
    {0,2, 1,2, 0,3, 1,3}, {0,4, 1,4, 0,5, 1,5}, {0,0, 1,4, 0,3, 1,9}, {0,0, 1,4, 0,3, 1,7},  // 32
    {0,4, 1,0, 0,9, 1,3}, {0,4, 1,0, 0,7, 1,3}, {0,8, 1,2, 0,5, 1,1}, {0,6, 1,2, 0,5, 1,1},  // 36
    {0,2, 1,8, 0,1, 1,5}, {0,2, 1,6, 0,1, 1,5}, {0,0, 1,0, 0,3, 1,3}, {0,0, 1,4, 0,1, 1,5},  // 40
    {0,2, 1,2, 0,1, 1,1}, {0,4, 1,0, 0,5, 1,1}, {0,0, 1,0, 0,1, 1,1}, {0,8, 1,8, 0,9, 1,9},  // 44
    {0,8, 1,8, 0,9, 1,9}, {0,0, 1,0, 0,1, 1,1},  // 48
};

constexpr TQuarterRow kAutoTilePatterns[50] = {
    {2,4, 3,4, 2,5, 3,5}, {4,0, 3,4, 2,5, 3,5}, {2,4, 5,0, 2,5, 3,5}, {4,0, 5,0, 2,5, 3,5},  // 0
    {2,4, 3,4, 2,5, 5,1}, {4,0, 3,4, 2,5, 5,1}, {2,4, 5,0, 2,5, 5,1}, {4,0, 5,0, 2,5, 5,1},  // 4
    {2,4, 3,4, 4,1, 3,5}, {4,0, 3,4, 4,1, 3,5}, {2,4, 5,0, 4,1, 3,5}, {4,0, 5,0, 4,1, 3,5},  // 8
    {2,4, 3,4, 4,1, 5,1}, {4,0, 3,4, 4,1, 5,1}, {2,4, 5,0, 4,1, 5,1}, {4,0, 5,0, 4,1, 5,1},  // 12
    {0,4, 1,4, 0,5, 1,5}, {0,4, 5,0, 0,5, 1,5}, {0,4, 1,4, 0,5, 5,1}, {0,4, 5,0, 0,5, 5,1},  // 16
    {2,2, 3,2, 2,3, 3,3}, {2,2, 3,2, 2,3, 5,1}, {2,2, 3,2, 4,1, 3,3}, {2,2, 3,2, 4,1, 5,1},  // 20
    {4,4, 5,4, 4,5, 5,5}, {4,4, 5,4, 4,1, 5,5}, {4,0, 5,4, 4,5, 5,5}, {4,0, 5,4, 4,1, 5,5},  // 24
    {2,6, 3,6, 2,7, 3,7}, {4,0, 3,6, 2,7, 3,7}, {2,6, 5,0, 2,7, 3,7}, {4,0, 5,0, 2,7, 3,7},  // 28
    {0,4, 5,4, 0,5, 5,5}, {2,2, 3,2, 2,7, 3,7}, {0,2, 1,2, 0,3, 1,3}, {0,2, 1,2, 0,3, 5,1},  // 32
    {4,2, 5,2, 4,3, 5,3}, {4,2, 5,2, 4,1, 5,3}, {4,6, 5,6, 4,7, 5,7}, {4,0, 5,6, 4,7, 5,7},  // 36
    {0,6, 1,6, 0,7, 1,7}, {0,6, 5,0, 0,7, 1,7}, {0,2, 5,2, 0,3, 5,3}, {0,2, 1,2, 0,7, 1,7},  // 40
    {0,6, 5,6, 0,7, 5,7}, {4,2, 5,2, 4,7, 5,7}, {0,2, 5,2, 0,7, 5,7}, {2,4, 3,4, 2,5, 3,5},  // 44
    {2,4, 3,4, 2,5, 3,5}, {0,0, 1,0, 0,1, 1,1},  // 48
};
// clang-format on

// Block origins of the water, animated and terrain blocks (8-pixel units).
constexpr TPoint kBlockOrigins[AutoTileBlockLast + 1] = {
    {0, 0},  {0, 0},  {0, 0},  {6, 8},  {8, 8},  {10, 8},  {0, 16},  {6, 16},  {0, 24},
    {6, 24}, {12, 0}, {18, 0}, {12, 8}, {18, 8}, {12, 16}, {18, 16}, {12, 24}, {18, 24}};

constexpr int kTileIdAnimated = 3000;
constexpr int kTileIdAutoTile = 4000;
constexpr int kTileIdLowerChip = 5000;
constexpr int kTileIdUpperChip = 10000;
constexpr int kTileIdEnd = 20000;
constexpr int kDimTone = 90;
constexpr int kDimSaturation = 60;

TChipQuarters FromRow(const TQuarterRow& row) {
  return {TPoint{row[0], row[1]}, TPoint{row[2], row[3]}, TPoint{row[4], row[5]},
          TPoint{row[6], row[7]}};
}

TRect TileRect(TPoint origin) {
  return Bounds(origin.X * 8, origin.Y * 8, 16, 16);
}

int Mod(int value, int divisor) {
  const int m = value % divisor;
  return m < 0 ? m + divisor : m;
}

} // namespace

TChipQuarters WaterQuarters(int block, int pattern) {
  if (block == 2 && pattern == 49) return {TPoint{0, 12}, {1, 12}, {0, 13}, {1, 13}};
  TChipQuarters q = FromRow(kWaterPatterns[pattern]);
  for (TPoint& p : q) {
    if (block == 1 && p.Y < 8) p.X += 6;
    if (block == 2 && p.Y >= 8) p.Y += 6;
  }
  return q;
}

TChipQuarters WaterEdgeQuarters(int block) {
  const int y = block == 2 ? 12 : 10;
  return {TPoint{0, y}, {1, y}, {0, y + 1}, {1, y + 1}};
}

TChipQuarters AutoTileQuarters(int pattern) {
  return FromRow(kAutoTilePatterns[pattern]);
}

TXelChipSetGraphic::TXelChipSetGraphic() {
  Sheet.SetSize(ChipSetWidth, ChipSetHeight);
  // A map draws its cells as whole tiles and quarters of this sheet, many each frame.
  Sheet.KeepBoardColors = true;
  if (IsEditorMode()) {
    DimSheet = std::make_unique<TGlimraSheet>();
    DimSheet->SetSize(ChipSetWidth, ChipSetHeight);
    DimSheet->KeepBoardColors = true;
  }
  for (int b = 0; b <= AutoTileBlockLast; ++b)
    Blocks[b].Origin = kBlockOrigins[b];
  // Lower chips run down columns of 6 x 16 chips from pixel x 192; the upper chips go on
  // after the 48 lower chips of the second column.
  for (int k = 0; k < LowerChipCount - LowerChipBlockFirst; ++k)
    Blocks[LowerChipBlockFirst + k].Origin = {24 + 12 * (k / 96) + 2 * (k % 6), 2 * ((k % 96) / 6)};
  for (int i = 0; i < UpperChipCount; ++i) {
    const int k = i + 48;
    UpperChips[i].Origin = {36 + 12 * (k / 96) + 2 * (i % 6), 2 * ((k % 96) / 6)};
  }
  Analyse();
}

void TXelChipSetGraphic::Clear() {
  FileName.clear();
  Sheet.Clear();
  if (DimSheet) DimSheet->Clear();
  ChipSet = nullptr;
  loaded_ = false;
  Analyse();
}

void TXelChipSetGraphic::SetChipSet(const TXelChipSetItem* item) {
  ChipSet = item;
  LoadGraphic(item ? item->Graphic : std::string());
}

void TXelChipSetGraphic::LoadGraphic(const std::string& fileName) {
  if (fileName == FileName) return;
  FileName = fileName;
  Sheet.Clear();
  if (DimSheet) DimSheet->Clear();
  loaded_ = false;
  std::exception_ptr error;
  if (!fileName.empty()) {
    try {
      TBitmap bitmap;
      LoadMaterialBitmap(bitmap, fileName, "ChipSet");
      Sheet.LoadFromBitmap(bitmap);
      if (DimSheet) {
        DimSheet->LoadFromBitmap(bitmap);
        DimSheet->Tone1.SetTone(kDimTone, kDimTone, kDimTone, kDimSaturation);
      }
      loaded_ = true;
    } catch (const Exception&) {
      Sheet.Clear();
      if (DimSheet) DimSheet->Clear();
      error = std::current_exception();
    }
  }
  Analyse();
  if (error && !IsEditorMode()) std::rethrow_exception(error);
}

void TXelChipSetGraphic::Analyse() {
  if (!loaded_) {
    // What a scan of the cleared sheet gives, without the scan: every tile alike and clear.
    for (int b = 0; b < LowerChipCount; ++b) {
      Blocks[b].MatchingBlock = b < AutoTileBlockFirst ? 0 : AutoTileBlockFirst;
      Blocks[b].Empty = b >= LowerChipBlockFirst;
      Blocks[b].Filled = false;
    }
    for (TUpperChip& chip : UpperChips)
      chip.Empty = true;
    return;
  }
  const bool water =
      Sheet.IsRectFilled(TRect{0, 0, 96, 64}) && Sheet.IsRectFilled(TRect{0, 64, 48, 128});
  for (int b = 0; b < AnimatedBlockFirst; ++b)
    Blocks[b].Filled = water;
  for (int b = AnimatedBlockFirst; b < AutoTileBlockFirst; ++b)
    Blocks[b].Filled = Sheet.IsRectFilled(Bounds(Blocks[b].Origin.X * 8, 64, 16, 64));
  for (int b = 0; b < AutoTileBlockFirst; ++b)
    Blocks[b].MatchingBlock = 0;
  for (int b = AutoTileBlockFirst; b <= AutoTileBlockLast; ++b) {
    TBlock& block = Blocks[b];
    TRect right = TileRect(block.Origin);
    right.Left += 16, right.Right += 16;
    block.MatchingBlock = -1;
    for (int m = AutoTileBlockFirst; m <= AutoTileBlockLast; ++m)
      if (Sheet.SameRects(TileRect(Blocks[m].Origin), right)) {
        block.MatchingBlock = m;
        break;
      }
    block.Filled = Sheet.IsRectFilled(Bounds(block.Origin.X * 8, block.Origin.Y * 8, 48, 64));
  }
  for (int b = LowerChipBlockFirst; b < LowerChipCount; ++b) {
    Blocks[b].Empty = Sheet.IsRectClear(TileRect(Blocks[b].Origin));
    Blocks[b].Filled = Sheet.IsRectFilled(TileRect(Blocks[b].Origin));
  }
  for (TUpperChip& chip : UpperChips)
    chip.Empty = Sheet.IsRectClear(TileRect(chip.Origin));
}

int TXelChipSetGraphic::GetMatchingBlock(int block) const {
  if (block < 0 || block > AutoTileBlockLast) return -1;
  return Blocks[block].MatchingBlock;
}

void TXelChipSetGraphic::SetTransparent(bool transparent) {
  Sheet.Transparent = transparent;
  if (DimSheet) DimSheet->Transparent = transparent;
}

void TXelChipSetGraphic::SetOpacityLevel(int level) {
  const int opacity = int(std::clamp<int64_t>(255 - int64_t(30) * level, 0, 255));
  Sheet.Opacity = opacity;
  if (DimSheet) DimSheet->Opacity = opacity;
}

TGlimraSheet& TXelChipSetGraphic::SheetFor(bool dimmed) {
  return dimmed && DimSheet && IsEditorMode() ? *DimSheet : Sheet;
}

void TXelChipSetGraphic::DrawTile(TGlimraBoard& board, int x, int y, TPoint origin, int size,
                                  bool dimmed) {
  board.StretchDrawSheet(Bounds(x, y, size, size), SheetFor(dimmed), TileRect(origin));
}

void TXelChipSetGraphic::DrawAutoTile(TGlimraBoard& board, int x, int y, TPoint origin,
                                      const TChipQuarters& q, int halfSize, bool dimmed) {
  TGlimraSheet& sheet = SheetFor(dimmed);
  const TPoint first = q[0];
  if (q[1] == TPoint{first.X + 1, first.Y} && q[2] == TPoint{first.X, first.Y + 1} &&
      q[3] == TPoint{first.X + 1, first.Y + 1}) {
    board.StretchDrawSheet(Bounds(x, y, 2 * halfSize, 2 * halfSize), sheet,
                           TileRect(TPoint{origin.X + first.X, origin.Y + first.Y}));
    return;
  }
  for (int i = 0; i < 4; ++i) {
    const TRect source = Bounds((origin.X + q[i].X) * 8, (origin.Y + q[i].Y) * 8, 8, 8);
    board.StretchDrawSheet(
        Bounds(x + (i % 2) * halfSize, y + (i / 2) * halfSize, halfSize, halfSize), sheet, source);
  }
}

void TXelChipSetGraphic::DrawChip(TGlimraBoard& board, int x, int y, int tileId, int counter,
                                  bool dimmed, int size) {
  // Data never makes drawing fail: whatever has no picture is simply not drawn.
  if (!ChipSet || !loaded_ || size <= 0 || tileId < 0 || tileId >= kTileIdEnd) return;
  if (tileId < kTileIdAnimated) {
    const int block = tileId / 1000;
    TChipQuarters q = WaterQuarters(block, tileId % 50);
    const int mask = (tileId % 1000) / 50;
    const TChipQuarters edge = WaterEdgeQuarters(block);
    for (int i = 0; i < 4; ++i)
      if (mask & (1 << i)) q[i] = edge[i];
    const int n = ChipSet->SeaAnimationSpeed ? counter / 12 : counter / 24;
    int step = ChipSet->SeaAnimationType ? Mod(n, 3) * 2 : Mod(n, 4) * 2;
    if (step == 6) step = 2; // frames 0, 2, 4, 2
    for (TPoint& p : q)
      p.X += step;
    DrawAutoTile(board, x, y, Blocks[block].Origin, q, size / 2, dimmed);
  } else if (tileId < kTileIdAutoTile) {
    const int block = (tileId - kTileIdAnimated) / 50 + AnimatedBlockFirst;
    if (block >= AutoTileBlockFirst) return;
    // The four frames of an animated tile lie one under the other in its 16 x 64 column.
    const TPoint origin = Blocks[block].Origin;
    DrawTile(board, x, y, TPoint{origin.X, origin.Y + Mod(counter / 6, 4) * 2}, size, dimmed);
  } else if (tileId < kTileIdLowerChip) {
    const int block = (tileId - kTileIdAutoTile) / 50 + AutoTileBlockFirst;
    if (block > AutoTileBlockLast) return;
    DrawAutoTile(board, x, y, Blocks[block].Origin, AutoTileQuarters(tileId % 50), size / 2,
                 dimmed);
  } else if (tileId < kTileIdUpperChip) {
    const int block = tileId - kTileIdLowerChip + LowerChipBlockFirst;
    if (block >= LowerChipCount) return;
    if (Blocks[block].Empty && SheetFor(dimmed).Transparent) return;
    DrawTile(board, x, y, Blocks[block].Origin, size, dimmed);
  } else {
    const TUpperChip& chip = UpperChips[std::min(tileId - kTileIdUpperChip, UpperChipCount - 1)];
    if (chip.Empty && SheetFor(dimmed).Transparent) return;
    DrawTile(board, x, y, chip.Origin, size, dimmed);
  }
}
