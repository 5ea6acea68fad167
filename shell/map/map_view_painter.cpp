#include "shell/map/map_view_painter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <tuple>
#include <utility>

#include "core/chip_set_graphic.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/material_image.h"
#include "core/spare_cores.h"
#include "shell/map/map_view_geometry.h"

namespace {

// Panorama pixels per cell when the panorama stands still under the map.
constexpr int kPanoramaCell = 16;
// The scale of the pictures of the whole map, and the slots of their pairs of tiles.
constexpr int kSmallCell = 4;
constexpr int kPairBits = 16;
constexpr size_t kPairSlots = size_t(1) << kPairBits;
// Fewer rows than this are not worth a thread of their own.
constexpr int kRowsPerBand = 128;
constexpr int kCellRowsPerBand = 32; // at 1:8, rows of cells
constexpr size_t kCellsWorthBands = 16384;

void ConvertRow(const uint16_t* __restrict from, uint32_t* __restrict to, int count) {
  for (int i = 0; i < count; ++i)
    to[i] = ScreenColor(from[i]);
}

void SetChipOpacity(TXelChipSetGraphic& chips, int opacity) {
  chips.Sheet.Opacity = opacity;
  if (chips.DimSheet) chips.DimSheet->Opacity = opacity;
}

} // namespace

TMapViewPainter::TMapViewPainter() {
  panorama_.AutoSize = true;
  panorama_.Transparent = true;
}

TMapViewPainter::~TMapViewPainter() = default;

void TMapViewPainter::SetMap(TXelMapTree* tree, TXelMap* map) {
  tree_ = tree;
  map_ = map;
  eventMap_.Build(tree, map);
  ready_ = false;
}

void TMapViewPainter::LoadPanorama() {
  const bool loaded =
      map_ && LoadMaterialSheet(panorama_, map_->PanoramaName, "Panorama", /*raise_errors=*/false);
  if (!loaded) panorama_.SetSize(0, 0);
  panorama_.Transparent = true;
  ready_ = false;
  // The 1:8 pictures compare tiles and marks, not the panorama under them.
  if (ShowsPanorama()) ++mapGeneration_;
}

bool TMapViewPainter::ShowsPanorama() const {
  return map_ && map_->UsePanorama && !map_->HorizontalPan && !map_->VerticalPan &&
         map_->Width() > 0 && panorama_.Width() == map_->Width() * kPanoramaCell &&
         panorama_.Height() == map_->Height() * kPanoramaCell;
}

void TMapViewPainter::SetScale(int scale) {
  if (scale == scale_) return;
  scale_ = scale;
  ready_ = false;
  frontFrom_ = nullptr;
}

void TMapViewPainter::SetViewSize(TPoint size) {
  // Every pixel is drawn anew before the boards are shown again: the same size keeps them.
  // The back board takes the size when a scroll first needs it.
  if (size != ViewSize()) front_.SetSize(size.X, size.Y);
  ready_ = false;
  frontFrom_ = nullptr;
  MarkScreenStale(TRect{0, 0, size.X, size.Y});
}

void TMapViewPainter::MarkScreenStale(const TRect& r) {
  ++boardChanges_;
  screenStale_ = Union(screenStale_, r);
}

TMapViewPainter::TScreen TMapViewPainter::Screen() {
  const int w = front_.GetWidth(), h = front_.GetHeight();
  const size_t pixels = size_t(w) * size_t(h);
  if (screenSize_ != pixels) {
    // Left unset: every pixel is converted below.
    screen_.reset(pixels ? new uint32_t[pixels] : nullptr);
    screenSize_ = pixels;
    screenStale_ = TRect{0, 0, w, h};
  }
  ConvertInto(screen_.get(), w, TPoint{}, screenStale_);
  screenStale_ = {};
  return TScreen{screen_.get(), w, h};
}

bool TMapViewPainter::ScreenWhollyStale() const {
  const TRect all{0, 0, front_.GetWidth(), front_.GetHeight()};
  return screenSize_ != size_t(all.Width()) * size_t(all.Height()) ||
         Intersect(screenStale_, all) == all;
}

void TMapViewPainter::ConvertInto(uint32_t* rows, ptrdiff_t stride, TPoint offset,
                                  const TRect& rect) const {
  const TRect r = Intersect(rect, TRect{0, 0, front_.GetWidth(), front_.GetHeight()});
  if (r.IsEmpty()) return;
  // A whole screen is converted in bands on spare cores; each band only reads and writes
  // its own rows. What the row loop uses is copied so that it stays in registers (and
  // vectorises): the loop's stores could otherwise alias it.
  ForEachRowBand(r.Height(), kRowsPerBand, [this, r, rows, stride, offset](int first, int end) {
    const int count = r.Width();
    for (int y = r.Top + first; y < r.Top + end; ++y)
      ConvertRow(front_.GetRow(y) + r.Left,
                 rows + (y + offset.Y) * stride + ptrdiff_t(r.Left + offset.X), count);
  });
}

void TMapViewPainter::BeginPass() {
  chips_ = map_ ? map_->Graphics().ChipSetGraphic() : nullptr;
  panoramaShown_ = ShowsPanorama();
  cacheReady_ = UseTileCache && chips_ && cache_.Prepare(*chips_, Counter);
}

void TMapViewPainter::DrawTile(TGlimraBoard& board, int left, int top, int tile_id, bool dimmed) {
  if (cacheReady_)
    cache_.DrawChip(*chips_, board, left, top, tile_id, dimmed, scale_);
  else if (chips_)
    chips_->DrawChip(board, left, top, tile_id, Counter, dimmed, scale_);
}

bool TMapViewPainter::TileCoversSquare(int tile_id, bool dimmed) {
  return cacheReady_ && cache_.CoversSquare(*chips_, tile_id, dimmed, scale_);
}

void TMapViewPainter::PaintCell(TGlimraBoard& board, int x, int y, int left, int top) {
  PaintLayers(board, x, y, left, top, false, false, 255);
  const int id = eventMap_.Get(x, y);
  if (id > 0) eventMap_.Draw(board, left, top, true, id, scale_);
}

void TMapViewPainter::PaintLayers(TGlimraBoard& board, int x, int y, int left, int top,
                                  bool dim_lower, bool dim_upper, int upper_opacity) {
  const bool panorama = panoramaShown_;
  const size_t cell = size_t(y) * size_t(map_->Width()) + size_t(x);
  const int lower = map_->LowerLayer.Cells()[cell];
  if (chips_) chips_->SetTransparent(panorama);
  if (panorama || !TileCoversSquare(lower, dim_lower))
    FillRect(board.Surface(), Bounds(left, top, scale_, scale_), 0);
  if (panorama)
    board.StretchDrawSheet(
        Bounds(left, top, scale_, scale_), panorama_,
        Bounds(x * kPanoramaCell, y * kPanoramaCell, kPanoramaCell, kPanoramaCell));
  DrawTile(board, left, top, lower, dim_lower);
  if (chips_) chips_->SetTransparent(true);
  const bool see_through = chips_ && upper_opacity != 255;
  if (see_through) SetChipOpacity(*chips_, upper_opacity);
  DrawTile(board, left, top, map_->UpperLayer.Cells()[cell], dim_upper);
  if (see_through) SetChipOpacity(*chips_, 255);
}

void TMapViewPainter::PaintCellRect(const TRect& cells) {
  if (!map_) return;
  const TRect visible = Intersect(
      cells, VisibleCells(boardScroll_, ViewSize(), scale_, map_->Width(), map_->Height()));
  BuildTiles(visible);
  for (int y = visible.Top; y < visible.Bottom; ++y)
    for (int x = visible.Left; x < visible.Right; ++x)
      PaintCell(front_, x, y, x * scale_ - boardScroll_.X, y * scale_ - boardScroll_.Y);
}

void TMapViewPainter::NoteTiles(int y, int left, int right) {
  const size_t row = size_t(y) * size_t(map_->Width());
  for (const std::vector<uint16_t>* layer : {&map_->LowerLayer.Cells(), &map_->UpperLayer.Cells()})
    for (const uint16_t* at = layer->data() + row + left; at < layer->data() + row + right; ++at)
      if (cache_.Unbuilt(scale_, *at)) tileIds_.push_back(*at);
}

void TMapViewPainter::BuildTiles(const TRect& cells) {
  if (!cacheReady_ || cells.IsEmpty()) return;
  tileIds_.clear();
  for (int y = cells.Top; y < cells.Bottom; ++y)
    NoteTiles(y, cells.Left, cells.Right);
  cache_.BuildTiles(*chips_, scale_, tileIds_, front_.Brightness);
}

TMapViewPainter::TSmallMap& TMapViewPainter::SyncSmallMap(const TRect* only) {
  TSmallMapKey key;
  key.Map = map_;
  key.Chips = chips_;
  key.CacheGeneration = cache_.Generation();
  key.MapGeneration = mapGeneration_;
  key.Counter = Counter;
  key.Style = CellStyle();
  key.Brightness = front_.Brightness;
  key.Width = map_->Width();
  key.Height = map_->Height();
  key.Panorama = panoramaShown_;
  key.Colors = chips_->Sheet.ColorTable();
  if (chips_->DimSheet) key.DimColors = chips_->DimSheet->ColorTable();
  const std::vector<uint16_t>& lower = map_->LowerLayer.Cells();
  const std::vector<uint16_t>& upper = map_->UpperLayer.Cells();
  const std::vector<uint16_t>& marks = eventMap_.Cells();
  const size_t cells = size_t(key.Width) * size_t(key.Height);
  const bool fits = lower.size() == cells && upper.size() == cells && marks.size() == cells;
  TSmallMap* picture = nullptr;
  for (TSmallMap& p : smallMaps_)
    if (p.Key == key && p.Drawn.size() == cells && fits) picture = &p;
  if (!picture) {
    // Another picture of this style is stale as a whole; else the least used one goes.
    const auto rank = [&key](const TSmallMap& p) {
      return std::pair{p.Key.Style != key.Style, p.LastUse};
    };
    picture = &*std::min_element(
        smallMaps_.begin(), smallMaps_.end(),
        [&rank](const TSmallMap& a, const TSmallMap& b) { return rank(a) < rank(b); });
    if (frontFrom_ == picture) frontFrom_ = nullptr;
    picture->Key = key;
    if (picture->Board.GetWidth() != key.Width * scale_ ||
        picture->Board.GetHeight() != key.Height * scale_)
      picture->Board.SetSize(key.Width * scale_, key.Height * scale_);
    picture->Board.Brightness = front_.Brightness;
    picture->Drawn.assign(cells, 0);
    picture->DrawnCells = {};
    picture->CellsReplaced = cellsReplaced_;
    for (std::vector<uint16_t>* kept : {&picture->Lower, &picture->Upper, &picture->Marks})
      kept->resize(cells);
    picture->LastUse = ++smallUses_;
    picture->PairKeys.assign(kPairSlots, 0);
    picture->PairAt.assign(kPairSlots, 0);
    picture->PairPixels.clear();
    picture->LowerKnown.assign(TChipTileCache::kTileIdEnd, 0);
    picture->UpperKnown.assign(TChipTileCache::kTileIdEnd, 0);
    picture->LowerTiles.resize(TChipTileCache::kTileIdEnd);
    picture->UpperTiles.resize(TChipTileCache::kTileIdEnd);
    return *picture;
  }
  picture->LastUse = ++smallUses_;
  if (picture->CellsReplaced != cellsReplaced_) {
    picture->CellsReplaced = cellsReplaced_;
    std::fill(picture->Drawn.begin(), picture->Drawn.end(), 0);
    picture->DrawnCells = {};
    return *picture;
  }
  // Cells whose tiles or mark changed since they were drawn are drawn again.
  const TRect r = Intersect(only ? *only : TRect{0, 0, key.Width, key.Height}, picture->DrawnCells);
  for (int y = r.Top; y < r.Bottom; ++y) {
    const size_t row = size_t(y) * size_t(key.Width) + size_t(r.Left);
    const size_t bytes = size_t(r.Width()) * sizeof(uint16_t);
    if (std::memcmp(&lower[row], &picture->Lower[row], bytes) == 0 &&
        std::memcmp(&upper[row], &picture->Upper[row], bytes) == 0 &&
        std::memcmp(&marks[row], &picture->Marks[row], bytes) == 0)
      continue;
    for (size_t i = row; i < row + size_t(r.Width()); ++i)
      if (lower[i] != picture->Lower[i] || upper[i] != picture->Upper[i] ||
          marks[i] != picture->Marks[i]) {
        picture->Drawn[i] = 0;
        picture->Lower[i] = lower[i];
        picture->Upper[i] = upper[i];
        picture->Marks[i] = marks[i];
      }
  }
  return *picture;
}

void TMapViewPainter::ReadySmallSquares(TSmallMap& picture, const TLayerLook& look, int lower,
                                        int upper) {
  static_assert(kSmallCell * kSmallCell == std::tuple_size_v<TSmallMap::TSquare>);
  if (lower >= TChipTileCache::kTileIdEnd || upper >= TChipTileCache::kTileIdEnd) return;
  uint8_t& below_known = picture.LowerKnown[size_t(lower)];
  if (!below_known) {
    // Drawn as PaintLayers draws it, on a cell of its own.
    TSmallMap::TSquare& below = picture.LowerTiles[size_t(lower)];
    probe_.SetSize(kSmallCell, kSmallCell);
    probe_.Brightness = picture.Board.Brightness;
    FillRect(probe_.Surface(), Bounds(0, 0, kSmallCell, kSmallCell), 0);
    chips_->SetTransparent(false);
    DrawTile(probe_, 0, 0, lower, look.DimLower);
    chips_->SetTransparent(true);
    for (int row = 0; row < kSmallCell; ++row)
      std::memcpy(&below[size_t(row * kSmallCell)], probe_.GetRow(row), kSmallCell * 2);
    below_known = 1;
  }
  uint8_t& above_known = picture.UpperKnown[size_t(upper)];
  if (!above_known) {
    TSmallMap::TUpperTile& above = picture.UpperTiles[size_t(upper)];
    const bool see_through = look.UpperOpacity != 255;
    if (see_through) SetChipOpacity(*chips_, look.UpperOpacity);
    TChipTileCache::TSquare square;
    const bool kept =
        cache_.Square(*chips_, upper, look.DimUpper, kSmallCell, picture.Board.Brightness, square);
    if (see_through) SetChipOpacity(*chips_, 255);
    above_known = kept ? 1 : 2;
    above.Alpha = square.Alpha;
    if (square.Colors) std::copy_n(square.Colors, above.Colors.size(), above.Colors.begin());
    // Every pixel drawn where there is no mask.
    above.Mask.fill(0xFFFF);
    if (square.Mask) std::copy_n(square.Mask, above.Mask.size(), above.Mask.begin());
    // A tile whose mask hides every pixel leaves the lower tile as it is.
    above.Drawn = square.Colors && std::any_of(above.Mask.begin(), above.Mask.end(),
                                               [](uint16_t bits) { return bits != 0; });
  }
}

bool TMapViewPainter::ComposeSmallCell(const TSmallMap& picture, int lower, int upper, uint16_t* to,
                                       ptrdiff_t stride) {
  if (lower >= TChipTileCache::kTileIdEnd || upper >= TChipTileCache::kTileIdEnd ||
      picture.LowerKnown[size_t(lower)] != 1 || picture.UpperKnown[size_t(upper)] != 1)
    return false;
  const TSmallMap::TSquare& below = picture.LowerTiles[size_t(lower)];
  const TSmallMap::TUpperTile& above = picture.UpperTiles[size_t(upper)];
  // The cell's 16 pixels in one run, as TChipTileCache::DrawSquare would put them.
  const uint16_t* from = below.data();
  TSmallMap::TSquare cell;
  if (above.Drawn) {
    const int alpha = above.Alpha;
    if (alpha >= 256)
      for (size_t i = 0; i < cell.size(); ++i)
        cell[i] = uint16_t((above.Colors[i] & above.Mask[i]) | (below[i] & ~above.Mask[i]));
    else
      for (size_t i = 0; i < cell.size(); ++i)
        cell[i] = uint16_t((BlendPixel(above.Colors[i], below[i], alpha) & above.Mask[i]) |
                           (below[i] & ~above.Mask[i]));
    from = cell.data();
  }
  for (int row = 0; row < kSmallCell; ++row)
    std::memcpy(to + row * stride, from + row * kSmallCell, kSmallCell * 2);
  return true;
}

bool TMapViewPainter::PaintFromSmallMap(const TRect& r, const TRect* changed) {
  if (scale_ != kSmallCell || !cacheReady_ || !map_ || map_->Width() <= 0 || map_->Height() <= 0 ||
      CellStyle() < 0)
    return false;
  TSmallMap& picture = SyncSmallMap(changed);
  const int w = map_->Width();
  const TRect cells = Intersect(TRect{FloorDiv(r.Left + boardScroll_.X, scale_),
                                      FloorDiv(r.Top + boardScroll_.Y, scale_),
                                      FloorDiv(r.Right - 1 + boardScroll_.X, scale_) + 1,
                                      FloorDiv(r.Bottom - 1 + boardScroll_.Y, scale_) + 1},
                                VisibleCells(boardScroll_, ViewSize(), scale_, w, map_->Height()));
  TRect drawn;
  const uint16_t* lower = map_->LowerLayer.Cells().data();
  const uint16_t* upper = map_->UpperLayer.Cells().data();
  const uint16_t* marks = eventMap_.Cells().data();
  const ptrdiff_t stride = picture.Board.RowStride() / 2;
  TLayerLook look;
  const bool layers = !panoramaShown_ && LayerLook(look);
  // Cells drawn by the pair of their tiles, without a look of the layers; marked ones and
  // those shown over a panorama are drawn whole.
  const auto draw_cell = [&](int x, int y, size_t at) {
    uint16_t* square = picture.Board.GetRow(y * kSmallCell) + x * kSmallCell;
    if (panoramaShown_ || marks[at] != 0) {
      PaintCell(picture.Board, x, y, x * scale_, y * scale_);
      return;
    }
    const uint32_t key = uint32_t(lower[at]) << 16 | upper[at];
    size_t slot = (key * 2654435761u) >> (32 - kPairBits);
    while (picture.PairAt[slot] && picture.PairKeys[slot] != key)
      slot = (slot + 1) & (kPairSlots - 1);
    if (const uint32_t known = picture.PairAt[slot]) {
      const uint16_t* from = &picture.PairPixels[size_t(known - 1) * kSmallCell * kSmallCell];
      for (int row = 0; row < kSmallCell; ++row)
        std::memcpy(square + row * stride, from + row * kSmallCell, kSmallCell * 2);
      return;
    }
    PaintCell(picture.Board, x, y, x * scale_, y * scale_);
    // Half the slots at most are taken, so a search always ends.
    if (picture.PairPixels.size() >= kPairSlots / 2 * kSmallCell * kSmallCell) return;
    picture.PairKeys[slot] = key;
    for (int row = 0; row < kSmallCell; ++row)
      picture.PairPixels.insert(picture.PairPixels.end(), square + row * stride,
                                square + row * stride + kSmallCell);
    picture.PairAt[slot] = uint32_t(picture.PairPixels.size() / (kSmallCell * kSmallCell));
  };
  // Runs of cells still to draw in rows Top..Bottom - 1, searched for past those drawn
  // already.
  const auto for_each_run = [&](int top, int bottom, const auto& run) {
    for (int y = top; y < bottom; ++y) {
      const uint8_t* const row = picture.Drawn.data() + size_t(y) * size_t(w);
      for (int x = cells.Left; x < cells.Right;) {
        const void* first = std::memchr(row + x, 0, size_t(cells.Right - x));
        if (!first) break;
        x = int(static_cast<const uint8_t*>(first) - row);
        const void* past = std::memchr(row + x, 1, size_t(cells.Right - x));
        const int end = past ? int(static_cast<const uint8_t*>(past) - row) : cells.Right;
        run(x, end, y);
        x = end;
      }
    }
  };
  tileIds_.clear();
  for_each_run(cells.Top, cells.Bottom, [this](int x, int end, int y) { NoteTiles(y, x, end); });
  cache_.BuildTiles(*chips_, scale_, tileIds_, front_.Brightness);
  // Each run is taken as drawn, with the tiles and marks it is drawn from.
  const auto take_run = [&](int x, int end, int y) {
    const size_t at = size_t(y) * size_t(w) + size_t(x), count = size_t(end - x);
    std::memset(picture.Drawn.data() + at, 1, count);
    std::copy_n(lower + at, count, &picture.Lower[at]);
    std::copy_n(upper + at, count, &picture.Upper[at]);
    std::copy_n(marks + at, count, &picture.Marks[at]);
    return TRect{x, y, end, y + 1};
  };
  if (!layers) {
    for_each_run(cells.Top, cells.Bottom, [&](int x, int end, int y) {
      drawn = Union(drawn, take_run(x, end, y));
      for (; x < end; ++x)
        draw_cell(x, y, size_t(y) * size_t(w) + size_t(x));
    });
  } else {
    // With a look of the layers every cell without a mark is put together from the squares
    // of its two tiles. The squares are made here first; the cells are then put together
    // in bands of rows on spare cores (when there are enough of them to be worth waking
    // the cores for), each touching only its own rows; the cells left, drawn whole, follow.
    size_t count = 0;
    for_each_run(cells.Top, cells.Bottom, [&](int x, int end, int y) {
      count += size_t(end - x);
      for (size_t at = size_t(y) * size_t(w) + size_t(x); x < end; ++x, ++at)
        if (marks[at] == 0) ReadySmallSquares(picture, look, lower[at], upper[at]);
    });
    std::mutex taken;
    std::vector<TPoint> whole;
    const auto compose_band = [&](int first, int end) {
      TRect band_drawn;
      std::vector<TPoint> band_whole;
      for_each_run(cells.Top + first, cells.Top + end, [&](int x, int run_end, int y) {
        band_drawn = Union(band_drawn, take_run(x, run_end, y));
        uint16_t* square = picture.Board.GetRow(y * kSmallCell) + x * kSmallCell;
        for (size_t at = size_t(y) * size_t(w) + size_t(x); x < run_end;
             ++x, ++at, square += kSmallCell)
          if (marks[at] != 0 || !ComposeSmallCell(picture, lower[at], upper[at], square, stride))
            band_whole.push_back(TPoint{x, y});
      });
      std::lock_guard lock(taken);
      drawn = Union(drawn, band_drawn);
      whole.insert(whole.end(), band_whole.begin(), band_whole.end());
    };
    if (count >= kCellsWorthBands)
      ForEachRowBand(cells.Height(), kCellRowsPerBand, compose_band);
    else
      compose_band(0, cells.Height());
    for (const TPoint cell : whole)
      PaintCell(picture.Board, cell.X, cell.Y, cell.X * scale_, cell.Y * scale_);
  }
  picture.DrawnCells = Union(picture.DrawnCells, drawn);
  const TRect all{0, 0, front_.GetWidth(), front_.GetHeight()};
  const TRect map_pixels = CellsToPixels(TRect{0, 0, w, map_->Height()}, boardScroll_, scale_);
  // The front board shows the rest of this picture already: only what was drawn anew goes.
  const bool whole = !changed || frontFrom_ != &picture;
  TRect shown = Intersect(r, map_pixels);
  if (whole) {
    if (shown != r) FillRect(front_.Surface(), r, 0);
    if (r == all)
      frontFrom_ = &picture;
    else if (frontFrom_ != &picture)
      frontFrom_ = nullptr;
    MarkScreenStale(r);
  } else {
    shown = Intersect(shown, CellsToPixels(drawn, boardScroll_, scale_));
    MarkScreenStale(shown);
  }
  if (!shown.IsEmpty())
    front_.DrawBoard(shown.Left, shown.Top, picture.Board,
                     TRect{shown.Left + boardScroll_.X, shown.Top + boardScroll_.Y,
                           shown.Right + boardScroll_.X, shown.Bottom + boardScroll_.Y});
  return true;
}

void TMapViewPainter::PaintPixels(const TRect& wanted) {
  const TRect r = Intersect(wanted, TRect{0, 0, front_.GetWidth(), front_.GetHeight()});
  if (r.IsEmpty()) return;
  if (PaintFromSmallMap(r)) return;
  frontFrom_ = nullptr;
  MarkScreenStale(r);
  // Cells clear what they need themselves; only what lies beyond the map is cleared here.
  const TRect map_pixels =
      map_ ? CellsToPixels(TRect{0, 0, map_->Width(), map_->Height()}, boardScroll_, scale_)
           : TRect{};
  if (Intersect(r, map_pixels) != r) FillRect(front_.Surface(), r, 0);
  PaintCellRect(TRect{FloorDiv(r.Left + boardScroll_.X, scale_),
                      FloorDiv(r.Top + boardScroll_.Y, scale_),
                      FloorDiv(r.Right - 1 + boardScroll_.X, scale_) + 1,
                      FloorDiv(r.Bottom - 1 + boardScroll_.Y, scale_) + 1});
}

void TMapViewPainter::RepaintAll() {
  BeginPass();
  boardScroll_ = scroll_;
  ready_ = true;
  PaintPixels(TRect{0, 0, front_.GetWidth(), front_.GetHeight()});
}

void TMapViewPainter::UpdateBoards() {
  if (!ready_) {
    RepaintAll();
    return;
  }
  const int dx = scroll_.X - boardScroll_.X, dy = scroll_.Y - boardScroll_.Y;
  if (dx == 0 && dy == 0) return;
  const int w = front_.GetWidth(), h = front_.GetHeight();
  if (std::abs(dx) >= w || std::abs(dy) >= h) {
    RepaintAll();
    return;
  }
  BeginPass();
  if (back_.GetWidth() != w || back_.GetHeight() != h) back_.SetSize(w, h);
  std::swap(front_, back_);
  front_.DrawBoard(-dx, -dy, back_, TRect{0, 0, w, h});
  boardScroll_ = scroll_;
  MarkScreenStale(TRect{0, 0, w, h});
  if (dx != 0) PaintPixels(dx > 0 ? TRect{w - dx, 0, w, h} : TRect{0, 0, -dx, h});
  if (dy != 0) PaintPixels(dy > 0 ? TRect{0, h - dy, w, h} : TRect{0, 0, w, -dy});
}

void TMapViewPainter::RepaintCells(const TRect& cells) {
  if (!ready_ || !map_ || cells.IsEmpty()) return;
  BeginPass();
  for (const TRect& r : LoopedCellRects(cells, map_->Width(), map_->Height(),
                                        map_->IsLoopHorizontal(), map_->IsLoopVertical())) {
    const TRect pixels = Intersect(CellsToPixels(r, boardScroll_, scale_),
                                   TRect{0, 0, front_.GetWidth(), front_.GetHeight()});
    if (pixels.IsEmpty() || PaintFromSmallMap(pixels, &r)) continue;
    PaintCellRect(r);
    MarkScreenStale(pixels);
  }
}
