// TMapViewPainter: the visible part of a map drawn on two boards (front and back) at one
// of the four scales, without a window.
//
// Each cell is drawn alone and wholly inside its square, so a cell looks the same however
// the boards were reached: a full repaint, or the boards brought up to a new scroll
// position by swapping them, copying the old picture shifted and drawing only the strips
// that came into view.
//
// At 1:8 the cells are kept in pictures of the whole map, one for each way the cells are
// drawn (so a switch of tool or layer keeps them), drawn on demand and redrawn where a
// cell's tiles or mark changed, or wholly when anything else they are drawn from did, so a
// repaint comes down to copying rows.
//
// Beside the front board the painter keeps its pixels in 32-bit colour, converted where
// the board changed since the screen last took them, so a paint copies them unconverted.
//
// The viewer window owns one (the editor and the position pickers a subclass that draws
// cells their own way) and calls:
//   map loaded        SetMap, LoadPanorama, then SetScale / SetViewSize from the layout,
//                     SetScroll and RepaintAll
//   resize, zoom      SetViewSize (the layout's visible size), SetScale, SetScroll,
//                     RepaintAll
//   frame scrolled    SetScroll, UpdateBoards
//   cells changed     RepaintCells (wrapped copies on looping maps included)
//   events changed    SetMap again (the event map is rebuilt), RepaintAll
//   paint event       Screen()
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/geometry.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "shell/map/chip_tile_cache.h"
#include "shell/map/event_map.h"

class TXelMap;
class TXelMapTree;
class TXelChipSetGraphic;

// An RGB565 pixel as a 32-bit surface takes it (0xFFRRGGBB, each channel widened by
// repeating its top bits), as an RGB16 image drawn there gives it.
constexpr uint32_t ScreenColor(uint16_t pixel) {
  const uint32_t red = pixel >> 11, green = (pixel >> 5) & 63, blue = pixel & 31;
  return 0xFF000000u | (red << 3 | red >> 2) << 16 | (green << 2 | green >> 4) << 8 |
         (blue << 3 | blue >> 2);
}

class TMapViewPainter {
public:
  TMapViewPainter();
  virtual ~TMapViewPainter();
  TMapViewPainter(const TMapViewPainter&) = delete;
  TMapViewPainter& operator=(const TMapViewPainter&) = delete;

  // The map and its tree (either may be nullptr); the event map is built from them.
  void SetMap(TXelMapTree* tree, TXelMap* map);
  TXelMap* Map() const { return map_; }
  TXelMapTree* MapTree() const { return tree_; }
  // The map's panorama from the "Panorama" materials (none when it has none or it fails).
  void LoadPanorama();
  // Whether cells show the panorama under transparent lower tiles: the map uses one, the
  // picture has exactly 16 pixels a cell and the panorama does not pan.
  bool ShowsPanorama() const;

  int Scale() const { return scale_; }
  void SetScale(int scale);
  TPoint ViewSize() const { return TPoint{front_.GetWidth(), front_.GetHeight()}; }
  // Both boards sized to the visible area.
  void SetViewSize(TPoint size);
  TPoint Scroll() const { return scroll_; }
  void SetScroll(TPoint scroll) { scroll_ = scroll; }

  // Every visible cell drawn anew at the current scroll position.
  void RepaintAll();
  // The boards brought to the current scroll position, drawing only what came into view.
  void UpdateBoards();
  // The cells of Rect (and their wrapped copies on a looping map) drawn anew where visible.
  void RepaintCells(const TRect& cells);
  // Every cell of the map was replaced (another map was read into the same object): what
  // was drawn of them is dropped without comparing them.
  void CellsReplaced() { ++cellsReplaced_; }

  const TGlimraBoard& Front() const { return front_; }
  // The front board in ScreenColor, brought up to date first.
  struct TScreen {
    const uint32_t* Bits;
    int Width, Height;
  };
  TScreen Screen();
  // Whether none of the screen copy is up to date, as after a repaint of everything.
  bool ScreenWhollyStale() const;
  // Counts the changes to the board since the painter was made.
  uint64_t BoardChanges() const { return boardChanges_; }
  // The front board's pixels in Rect converted to ScreenColor straight into Rows, Stride
  // pixels apart, pixel (x, y) at Rows[(y + Offset.Y) * Stride + x + Offset.X]. The
  // screen copy is left as it was.
  void ConvertInto(uint32_t* rows, ptrdiff_t stride, TPoint offset, const TRect& rect) const;
  TXelEventMap& EventMap() { return eventMap_; }
  const TGlimraSheet& Panorama() const { return panorama_; }

  // Draw through the cache of pre-scaled tiles (the same pixels, faster).
  bool UseTileCache = true;
  // The animation step tiles are drawn at.
  int Counter = 0;

protected:
  // Draws cell (X, Y) of the map into the square at (Left, Top) of Board: every pixel of
  // the square is set whatever it held before, and no pixel outside it is touched. The viewer's
  // cells: the panorama, the lower tile, the upper tile over it, and the plain dimmed mark of an
  // event or start position.
  virtual void PaintCell(TGlimraBoard& board, int x, int y, int left, int top);
  // The panorama, the lower tile and the upper tile over it at Upper_opacity (0..255); a
  // layer's Dim flag draws its tile in the graphic's second style.
  void PaintLayers(TGlimraBoard& board, int x, int y, int left, int top, bool dim_lower,
                   bool dim_upper, int upper_opacity);
  // A tile as the chipset graphic would draw it (nothing without a chipset graphic).
  void DrawTile(TGlimraBoard& board, int left, int top, int tile_id, bool dimmed);
  // What else PaintCell depends on, as a number that changes with it (-1: keep no
  // picture of the map at 1:8).
  virtual int CellStyle() const { return 0; }
  // What PaintCell comes down to for a cell without a mark when no panorama is shown:
  // PaintLayers with these arguments (the same for every cell of one CellStyle). False
  // when it draws more than that.
  struct TLayerLook {
    bool DimLower = false, DimUpper = false;
    int UpperOpacity = 255;
  };
  virtual bool LayerLook(TLayerLook& look) const {
    look = {};
    return true;
  }
  // Whether that tile covers its whole square opaquely (so nothing must be cleared first).
  bool TileCoversSquare(int tile_id, bool dimmed);
  // The map's chipset graphic, as the current drawing pass found it.
  TXelChipSetGraphic* ChipSet() const { return chips_; }

private:
  // Starts a drawing pass: decides whether the tile cache can serve it.
  void BeginPass();
  // The cells under a pixel rectangle of the front board, drawn anew after clearing it.
  void PaintPixels(const TRect& pixels);
  void PaintCellRect(const TRect& cells);
  // The tiles of the visible Cells that the tile cache still lacks, built in one go.
  void BuildTiles(const TRect& cells);
  // The tiles of cells Left..Right - 1 of row Y that the cache lacks, added to TileIds.
  void NoteTiles(int y, int left, int right);
  // The map picture at 1:8, brought up to date over the visible cells of Pixels (only the
  // cells of Changed are looked at again when given) and copied there: all of Pixels, or
  // with Changed only the cells drawn anew. False when this pass draws cells directly.
  bool PaintFromSmallMap(const TRect& pixels, const TRect* changed = nullptr);
  void MarkScreenStale(const TRect& pixels);

  // Everything besides the cells' tiles and marks that a 1:8 picture was drawn from.
  struct TSmallMapKey {
    const void* Map = nullptr;
    const void* Chips = nullptr;
    uint32_t CacheGeneration = 0, MapGeneration = 0;
    int Counter = 0, Style = 0, Brightness = 0, Width = 0, Height = 0;
    bool Panorama = false;
    std::array<uint16_t, 256> Colors{}, DimColors{};
    bool operator==(const TSmallMapKey&) const = default;
  };
  // A picture of the whole map at 1:8, and per cell whether it is drawn and the tiles and
  // mark it was drawn with (kept for drawn cells only, all of which lie in DrawnCells).
  struct TSmallMap {
    TSmallMapKey Key;
    TGlimraBoard Board;
    std::vector<uint8_t> Drawn;
    std::vector<uint16_t> Lower, Upper, Marks;
    TRect DrawnCells;
    uint32_t CellsReplaced = 0; // the painter's count when the cells were last dropped
    uint64_t LastUse = 0;
    // Cells without a mark look alike when their tiles are alike (without a panorama under
    // them): the pixels of each pair of tiles drawn, found by open addressing.
    std::vector<uint32_t> PairKeys, PairAt; // PairAt 0: free, else 1 + the pixels' number
    std::vector<uint16_t> PairPixels;
    // With a layer look, cells without a mark are put together from squares kept per tile
    // id: a lower tile as drawn on a cleared cell, an upper one as the tile cache draws it.
    using TSquare = std::array<uint16_t, 16>;
    struct TUpperTile {
      TSquare Colors, Mask;
      int Alpha = 256;
      bool Drawn = false;
    };
    std::vector<uint8_t> LowerKnown, UpperKnown; // 0 not looked at, 1 kept, 2 PaintCell's
    std::vector<TSquare> LowerTiles;
    std::vector<TUpperTile> UpperTiles;
  };
  // The squares a cell at 1:8 showing tiles Lower and Upper is put together from, kept in
  // Picture, made where not yet there.
  void ReadySmallSquares(TSmallMap& picture, const TLayerLook& look, int lower, int upper);
  // That cell's square put together from them at To; false when the cell must be drawn by
  // PaintCell. Touches nothing else, so cells may be put together on several threads.
  static bool ComposeSmallCell(const TSmallMap& picture, int lower, int upper, uint16_t* to,
                               ptrdiff_t stride);
  // The current style's picture, synchronised with the map: every cell, or those of Cells.
  TSmallMap& SyncSmallMap(const TRect* cells);

  TXelMapTree* tree_ = nullptr;
  TXelMap* map_ = nullptr;
  int scale_ = 32;
  TPoint scroll_;
  TPoint boardScroll_; // the position the front board shows
  bool ready_ = false;
  bool cacheReady_ = false;
  TXelChipSetGraphic* chips_ = nullptr;
  bool panoramaShown_ = false;
  TGlimraBoard front_;
  TGlimraBoard back_;
  TGlimraSheet panorama_;
  TGlimraBoard probe_; // one 1:8 cell
  TXelEventMap eventMap_;
  TChipTileCache cache_;
  std::vector<int> tileIds_;   // the tiles a pass builds before it draws
  uint32_t mapGeneration_ = 0; // a panorama shown under the cells changed
  uint32_t cellsReplaced_ = 0;
  std::array<TSmallMap, 4> smallMaps_;
  uint64_t smallUses_ = 0;
  // The picture the front board was last wholly copied from.
  const TSmallMap* frontFrom_ = nullptr;
  std::unique_ptr<uint32_t[]> screen_;
  size_t screenSize_ = 0;
  TRect screenStale_;
  uint64_t boardChanges_ = 0;
};
