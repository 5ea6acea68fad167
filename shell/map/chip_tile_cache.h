// TChipTileCache: tiles of a chipset graphic drawn once per scale and kept, so that a map
// view draws every cell with one plain copy instead of composing it from quarters and
// stretching it again.
//
// The cache keeps palette indexes, not colours: each tile is rendered once through the
// graphic's own DrawChip onto a probe board (with a palette whose colour table gives every
// index back), and stored in atlas sheets that take the chipset sheet's palette and tones.
// The atlas follows the same colour, brightness, transparency and opacity rules as the
// direct path. Beside it each tile keeps its pixels already in the board's format for the
// current colours (rebuilt when the colours change) and a mask of its drawn pixels, so a
// tile wholly on the board is drawn by copying rows (or blending them) with no lookup per
// pixel; the result is the same board, byte for byte. Whenever the atlas colours cannot
// be made equal to the chipset's, Prepare answers false and callers draw directly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/geometry.h"

class TGlimraBoard;
class TGlimraSheet;
class TXelChipSetGraphic;

class TChipTileCache {
public:
  // Tile ids from this one on are never cached.
  static constexpr int kTileIdEnd = 20000;

  TChipTileCache();
  ~TChipTileCache();
  TChipTileCache(const TChipTileCache&) = delete;
  TChipTileCache& operator=(const TChipTileCache&) = delete;

  // Before a drawing pass with Graphic at Counter: drops what a changed chipset image or
  // animation setting made stale and brings the atlas colours to the chipset's. False when
  // the cache cannot stand in for DrawChip in this pass (nothing bound, or colours that
  // could not be matched).
  bool Prepare(TXelChipSetGraphic& graphic, int counter);
  // Whether a draw at Size would build Tile_id first.
  bool Unbuilt(int size, int tile_id) const {
    const TScaleCache* cache = KeptScale(size);
    return tile_id >= 0 && tile_id < kTileIdEnd &&
           (!cache || cache->Entries.empty() || cache->Entries[size_t(tile_id)] == kUnbuilt);
  }
  // After a successful Prepare: the tiles of Ids at Size built now, in one go (repeats and
  // tiles built already are passed over), rather than one by one as cells draw them: the
  // chipset takes the probe's colours once, and the tiles are drawn on spare cores, with
  // their colours for a board of Brightness.
  void BuildTiles(TXelChipSetGraphic& graphic, int size, const std::vector<int>& ids,
                  int brightness);
  // As Graphic.DrawChip (Board, X, Y, TileId, Counter, Dimmed, Size) after a successful
  // Prepare; tiles that could not be cached are drawn directly.
  void DrawChip(TXelChipSetGraphic& graphic, TGlimraBoard& board, int x, int y, int tile_id,
                bool dimmed, int size);
  // What that draw puts on a square wholly on a board of Brightness: Colors (Size x Size
  // board pixels; nullptr when nothing is drawn), Mask (0xFFFF where drawn; nullptr where
  // every pixel is) and the Alpha they are blended with (256: copied). False when the tile
  // is drawn directly instead.
  struct TSquare {
    const uint16_t* Colors = nullptr;
    const uint16_t* Mask = nullptr;
    int Alpha = 256;
  };
  bool Square(TXelChipSetGraphic& graphic, int tile_id, bool dimmed, int size, int brightness,
              TSquare& square);
  // Square drawn on board pixels at To (rows Stride pixels apart), as DrawChip does.
  static void DrawSquare(uint16_t* to, ptrdiff_t stride, const TSquare& square, int size);
  // Whether that draw covers the whole Size x Size square with opaque pixels.
  bool CoversSquare(TXelChipSetGraphic& graphic, int tile_id, bool dimmed, int size);
  void Clear();
  // Tiles held at all scales.
  int TileCount() const;
  // Changes whenever the tiles are dropped, so pictures drawn from them are stale.
  uint32_t Generation() const { return generation_; }

private:
  struct TSlot {
    int Page = 0;
    TPoint At;
    // Palette index 0 nowhere, or everywhere (then a transparent sheet draws nothing).
    bool NoZero = false;
    bool AllZero = false;
  };
  enum : int32_t { kUnbuilt = -1, kNothing = -2, kUncached = -3, kQueued = -4 };
  struct TScaleCache {
    int Size = 0;
    std::vector<int32_t> Entries; // per tile id: a slot index or one of the values above
    std::vector<TSlot> Slots;
    std::vector<std::unique_ptr<TGlimraSheet>> Pages;    // palette indexes
    std::vector<std::unique_ptr<TGlimraSheet>> DimPages; // the same, dimmed; made on demand
    // Per slot, Size x Size pixels each: the board colours (plain and dimmed), the colour
    // generation they were made for, and 0xFFFF where the index is not 0. The pixels are
    // kept in one block per page, so tiles are added without moving those already built.
    std::array<std::vector<std::unique_ptr<uint16_t[]>>, 2> Colors;
    std::array<std::vector<uint32_t>, 2> ColorGen;
    std::vector<std::unique_ptr<uint16_t[]>> Masks;
    std::vector<uint8_t> MaskMade; // per slot: its mask has been made
    // Slot's Size x Size pixels in one of the block lists above.
    uint16_t* SlotPixels(const std::vector<std::unique_ptr<uint16_t[]>>& blocks,
                         int32_t slot) const {
      const int per_page = (256 / Size) * (256 / Size); // pages are 256 pixels square
      return blocks[size_t(slot / per_page)].get() +
             size_t(slot % per_page) * size_t(Size) * size_t(Size);
    }
  };
  // The colours tiles are drawn in (plain, dimmed): the pages' table at the brightness it
  // was taken for, and a generation that changes with it.
  struct TColors {
    std::array<uint16_t, 256> Table{};
    int Brightness = -1;
    uint32_t Generation = 1;
  };

  static int ScaleIndex(int size) {
    return size == 32 ? 0 : size == 16 ? 1 : size == 8 ? 2 : size == 4 ? 3 : -1;
  }
  const TScaleCache* KeptScale(int size) const {
    const int index = ScaleIndex(size);
    return index < 0 ? nullptr : &scales_[size_t(index)];
  }
  TScaleCache* ScaleFor(int size) {
    const int index = ScaleIndex(size);
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
  // The entry of Tile_id at Size (kUncached where the tile is not cached), and its scale.
  int32_t EntryAt(TXelChipSetGraphic& graphic, int size, int tile_id, TScaleCache*& cache);
  // The atlas page holding Slot, with the drawing sheet's transparency and opacity (nullptr
  // when a dimmed page cannot take the dimmed sheet's colours: draw directly then).
  TGlimraSheet* PageOf(TXelChipSetGraphic& graphic, TScaleCache& cache, const TSlot& slot,
                       bool dim);
  // Slot's mask, made from its page on first use.
  const uint16_t* SlotMask(TScaleCache& cache, int32_t slot);
  int32_t Build(TXelChipSetGraphic& graphic, TScaleCache& cache, int tile_id);
  // The entry for a tile drawn in palette indexes (kNotDrawn where nothing was drawn), Size
  // rows Stride pixels apart from Pixels: a new slot holding it, or kNothing, kUncached.
  int32_t Keep(TXelChipSetGraphic& graphic, TScaleCache& cache, const uint16_t* pixels,
               ptrdiff_t stride);
  // A slot added at the end, with a new page when it needs one (kUncached when that page
  // cannot take the chipset's colours).
  int32_t NewSlot(TXelChipSetGraphic& graphic, TScaleCache& cache);
  // The first pixels of each page (plain, and dimmed where made).
  struct TPageBits {
    uint8_t* Plain = nullptr;
    uint8_t* Dim = nullptr;
  };
  // Slot filled from a drawn tile as Keep takes it (and its plain board colours from Colors
  // when given); touches nothing but the slot's own pixels and flags. Slot, or kNothing or
  // kUncached when the tile is not wholly drawn.
  int32_t Fill(TScaleCache& cache, int32_t slot, const uint16_t* pixels, ptrdiff_t stride,
               const std::vector<TPageBits>& pages, const TColors* colors);
  TGlimraSheet& SourceSheet(TXelChipSetGraphic& graphic, bool dimmed);
  bool SyncColors(TXelChipSetGraphic& graphic);
  // The colours for Page drawn on a board of Brightness.
  const TColors& ColorsFor(TGlimraSheet& page, bool dim, int brightness);
  const uint16_t* SlotColors(TScaleCache& cache, int32_t slot, bool dim, const TColors& colors);

  std::array<TScaleCache, 4> scales_;
  std::array<TColors, 2> colors_;
  // What the cached tiles were rendered from.
  const TXelChipSetGraphic* graphic_ = nullptr;
  std::vector<uint8_t> pixels_;
  int counter_ = 0;
  uint32_t generation_ = 0;
  bool editorMode_ = false; // dimmed tiles use the second style
  int seaSpeed_ = -1;
  int seaType_ = -1;
  std::unique_ptr<TGlimraBoard> probe_;
};
