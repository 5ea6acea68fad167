// TXelChipSetGraphic: a map's tiles drawn from its chipset image (480 x 256, 8-bit).
//
// Layout of the image in 8-pixel units: three water blocks (0..2) share the area left of
// x 12 in the top half and left of x 6 in the bottom half; three animated tiles (3..5)
// are 16 x 64 columns of four frames from (6, 8); twelve terrain autotiles (6..17) are
// 48 x 64 blocks composed from 8 x 8 quarters; 144 plain lower chips (18..161) fill the
// column at x 24 and the top half of the column at x 36, and the 144 upper chips follow.
//
// Tile ids: 0..2999 water (block id div 1000, edge mask (id mod 1000) div 50, pattern
// id mod 50), 3000..3149 animated (block (id - 3000) div 50 + 3), 4000..4599 terrain
// autotiles (block (id - 4000) div 50 + 6, pattern id mod 50), 5000..5143 lower chips
// (block id - 4982), 10000..19999 upper chips (id - 10000, at most 143). Every other id
// has no picture and draws nothing, as does a graphic without a bound and loaded chipset.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "core/chipset_record.h"
#include "core/geometry.h"
#include "core/glimra_sheet.h"

class TGlimraBoard;

inline constexpr int ChipSetWidth = 480;
inline constexpr int ChipSetHeight = 256;
// Blocks 0..161: water 0..2, animated 3..5, terrain autotiles 6..17, lower chips 18..161.
inline constexpr int AnimatedBlockFirst = 3;
inline constexpr int AutoTileBlockFirst = 6;
inline constexpr int AutoTileBlockLast = 17;
inline constexpr int LowerChipBlockFirst = 18;

// The four 8 x 8 quarters of a composed tile (top-left, top-right, bottom-left,
// bottom-right), in 8-pixel units relative to the block's origin.
using TChipQuarters = std::array<TPoint, 4>;

// The quarters of water pattern Pattern (0..49) of water block Block (0..2), before the
// edge mask and the animation step.
TChipQuarters WaterQuarters(int block, int pattern);
// The quarter that bit 2^q of a water tile's edge mask puts in place of quarter q.
TChipQuarters WaterEdgeQuarters(int block);
// The quarters of terrain pattern Pattern (0..49).
TChipQuarters AutoTileQuarters(int pattern);

class TXelChipSetGraphic {
public:
  struct TBlock {
    TPoint Origin;         // 8-pixel units
    int MatchingBlock = 0; // terrain autotiles: see GetMatchingBlock
    bool Empty = false;    // lower chips: every pixel is colour 0
    bool Filled = false;   // no pixel is colour 0
  };
  struct TUpperChip {
    TPoint Origin;
    bool Empty = false;
  };

  // The dimmed sheet exists only when made in editor mode.
  TXelChipSetGraphic();
  TXelChipSetGraphic(const TXelChipSetGraphic&) = delete;
  TXelChipSetGraphic& operator=(const TXelChipSetGraphic&) = delete;

  // Unbinds the chipset and clears the sheets and the file name.
  void Clear();
  // Binds Item (nothing for nullptr) and loads its graphic.
  void SetChipSet(const TXelChipSetItem* item);
  // Nothing when FileName is the one held. Otherwise looks the image up in the "ChipSet"
  // materials and loads it; outside editor mode a failure is raised, after the graphic
  // has been left cleared and consistent.
  void LoadGraphic(const std::string& fileName);
  // Whether the image loaded; until it does, nothing draws.
  bool IsLoaded() const { return loaded_; }

  // The block (6..17) whose top-left tile equals the tile 16 pixels right of Block's
  // origin, -1 when there is none; 0 for blocks 0..5; -1 outside 0..17.
  int GetMatchingBlock(int block) const;
  void SetTransparent(bool transparent);
  // Opacity of both sheets := 255 - 30 x Level.
  void SetOpacityLevel(int level);

  // Draws TileId into the square (X, Y, Size, Size). Counter drives the water and the
  // animated tiles; Dimmed selects the dimmed sheet (editor mode only).
  void DrawChip(TGlimraBoard& board, int x, int y, int tileId, int counter, bool dimmed, int size);
  // The 16 x 16 tile at Origin (8-pixel units) stretched into (X, Y, Size, Size).
  void DrawTile(TGlimraBoard& board, int x, int y, TPoint origin, int size, bool dimmed);
  // A tile composed of Quarters of the block at Origin, each quarter into a square of
  // HalfSize; four quarters that form one whole tile are drawn as that tile.
  void DrawAutoTile(TGlimraBoard& board, int x, int y, TPoint origin, const TChipQuarters& quarters,
                    int halfSize, bool dimmed);

  const TXelChipSetItem* ChipSet = nullptr;
  std::string FileName;
  TGlimraSheet Sheet;
  std::unique_ptr<TGlimraSheet> DimSheet;
  std::array<TBlock, LowerChipCount> Blocks;
  std::array<TUpperChip, UpperChipCount> UpperChips;

private:
  // Matching blocks and the empty and filled flags, from Sheet.
  void Analyse();
  TGlimraSheet& SheetFor(bool dimmed);

  bool loaded_ = false;
};
