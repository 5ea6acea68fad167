// TChipTileCache: tiles of a chipset graphic drawn once per scale and kept, so that a map
// view draws every cell with one plain copy instead of composing it from quarters and
// stretching it again.
//
// The cache keeps palette indexes, not colours: each tile is rendered once through the
// graphic's own DrawChip onto a probe board (with a palette whose colour table gives every
// index back), and stored in atlas sheets that take the chipset sheet's palette and tones.
// Drawing a cached tile is then a DrawSheet of the atlas, which follows the same colour,
// brightness, transparency and opacity rules as the direct path; the result is the same
// board, byte for byte. Whenever the atlas colours cannot be made equal to the chipset's,
// Prepare answers false and callers draw directly.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/geometry.h"

class TGlimraBoard;
class TGlimraSheet;
class TXelChipSetGraphic;

class TChipTileCache {
public:
  TChipTileCache();
  ~TChipTileCache();
  TChipTileCache(const TChipTileCache&) = delete;
  TChipTileCache& operator=(const TChipTileCache&) = delete;

  // Before a drawing pass with Graphic at Counter: drops what a changed chipset image or
  // animation setting made stale and brings the atlas colours to the chipset's. False when
  // the cache cannot stand in for DrawChip in this pass (nothing bound, or colours that
  // could not be matched).
  bool Prepare(TXelChipSetGraphic& graphic, int counter);
  // As Graphic.DrawChip (Board, X, Y, TileId, Counter, Dimmed, Size) after a successful
  // Prepare; tiles that could not be cached are drawn directly.
  void DrawChip(TXelChipSetGraphic& graphic, TGlimraBoard& board, int x, int y, int tile_id,
                bool dimmed, int size);
  // Whether that draw covers the whole Size x Size square with opaque pixels.
  bool CoversSquare(TXelChipSetGraphic& graphic, int tile_id, bool dimmed, int size);
  void Clear();
  // Tiles held at all scales.
  int TileCount() const;

private:
  struct TSlot {
    int Page = 0;
    TPoint At;
    // Palette index 0 nowhere, or everywhere (then a transparent sheet draws nothing).
    bool NoZero = false;
    bool AllZero = false;
  };
  enum : int32_t { kUnbuilt = -1, kNothing = -2, kUncached = -3 };
  struct TScaleCache {
    int Size = 0;
    std::vector<int32_t> Entries; // per tile id: a slot index or one of the values above
    std::vector<TSlot> Slots;
    std::vector<std::unique_ptr<TGlimraSheet>> Pages;    // palette indexes
    std::vector<std::unique_ptr<TGlimraSheet>> DimPages; // the same, dimmed colours
  };

  TScaleCache* ScaleFor(int size) {
    const int index = size == 32 ? 0 : size == 16 ? 1 : size == 8 ? 2 : size == 4 ? 3 : -1;
    if (index < 0) return nullptr;
    TScaleCache& c = scales_[size_t(index)];
    if (c.Entries.empty()) StartScale(c, size);
    return &c;
  }
  void StartScale(TScaleCache& cache, int size);
  int32_t Entry(TXelChipSetGraphic& graphic, TScaleCache& cache, int tile_id) {
    int32_t& entry = cache.Entries[size_t(tile_id)];
    if (entry == kUnbuilt) entry = Build(graphic, cache, tile_id);
    return entry;
  }
  int32_t Build(TXelChipSetGraphic& graphic, TScaleCache& cache, int tile_id);
  TGlimraSheet& SourceSheet(TXelChipSetGraphic& graphic, bool dimmed);
  bool SyncColors(TXelChipSetGraphic& graphic);

  std::array<TScaleCache, 4> scales_;
  // What the cached tiles were rendered from.
  const TXelChipSetGraphic* graphic_ = nullptr;
  std::vector<uint8_t> pixels_;
  int counter_ = 0;
  int seaSpeed_ = -1;
  int seaType_ = -1;
  std::unique_ptr<TGlimraBoard> probe_;
};
