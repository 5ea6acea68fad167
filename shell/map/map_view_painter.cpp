#include "shell/map/map_view_painter.h"

#include <cstdlib>
#include <utility>

#include "core/chip_set_graphic.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/material_image.h"
#include "shell/map/map_view_geometry.h"

namespace {

// Panorama pixels per cell when the panorama stands still under the map.
constexpr int kPanoramaCell = 16;

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
  ++mapGeneration_;
}

void TMapViewPainter::LoadPanorama() {
  const bool loaded =
      map_ && LoadMaterialSheet(panorama_, map_->PanoramaName, "Panorama", /*raise_errors=*/false);
  if (!loaded) panorama_.SetSize(0, 0);
  panorama_.Transparent = true;
  ready_ = false;
  ++mapGeneration_;
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
}

void TMapViewPainter::SetViewSize(TPoint size) {
  front_.SetSize(size.X, size.Y);
  back_.SetSize(size.X, size.Y);
  ready_ = false;
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
  for (int y = visible.Top; y < visible.Bottom; ++y)
    for (int x = visible.Left; x < visible.Right; ++x)
      PaintCell(front_, x, y, x * scale_ - boardScroll_.X, y * scale_ - boardScroll_.Y);
}

void TMapViewPainter::SyncSmallMap() {
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
  const size_t cells = size_t(key.Width) * size_t(key.Height);
  if (!(key == smallKey_) || smallDrawn_.size() != cells || lower.size() != cells ||
      upper.size() != cells) {
    smallKey_ = key;
    if (smallMap_.GetWidth() != key.Width * scale_ || smallMap_.GetHeight() != key.Height * scale_)
      smallMap_.SetSize(key.Width * scale_, key.Height * scale_);
    smallMap_.Brightness = front_.Brightness;
    smallDrawn_.assign(cells, 0);
    smallLower_ = lower;
    smallUpper_ = upper;
    return;
  }
  // Cells whose tiles changed since they were drawn are drawn again.
  for (size_t i = 0; i < cells; ++i)
    if (lower[i] != smallLower_[i] || upper[i] != smallUpper_[i]) {
      smallDrawn_[i] = 0;
      smallLower_[i] = lower[i];
      smallUpper_[i] = upper[i];
    }
}

bool TMapViewPainter::PaintFromSmallMap(const TRect& r) {
  if (scale_ != 4 || !cacheReady_ || !map_ || map_->Width() <= 0 || map_->Height() <= 0 ||
      CellStyle() < 0)
    return false;
  SyncSmallMap();
  const int w = map_->Width();
  const TRect cells = Intersect(TRect{FloorDiv(r.Left + boardScroll_.X, scale_),
                                      FloorDiv(r.Top + boardScroll_.Y, scale_),
                                      FloorDiv(r.Right - 1 + boardScroll_.X, scale_) + 1,
                                      FloorDiv(r.Bottom - 1 + boardScroll_.Y, scale_) + 1},
                                VisibleCells(boardScroll_, ViewSize(), scale_, w, map_->Height()));
  for (int y = cells.Top; y < cells.Bottom; ++y)
    for (int x = cells.Left; x < cells.Right; ++x) {
      uint8_t& drawn = smallDrawn_[size_t(y) * size_t(w) + size_t(x)];
      if (drawn) continue;
      PaintCell(smallMap_, x, y, x * scale_, y * scale_);
      drawn = 1;
    }
  const TRect map_pixels = CellsToPixels(TRect{0, 0, w, map_->Height()}, boardScroll_, scale_);
  const TRect shown = Intersect(r, map_pixels);
  if (shown != r) FillRect(front_.Surface(), r, 0);
  if (!shown.IsEmpty())
    front_.DrawBoard(shown.Left, shown.Top, smallMap_,
                     TRect{shown.Left + boardScroll_.X, shown.Top + boardScroll_.Y,
                           shown.Right + boardScroll_.X, shown.Bottom + boardScroll_.Y});
  return true;
}

void TMapViewPainter::PaintPixels(const TRect& wanted) {
  const TRect r = Intersect(wanted, TRect{0, 0, front_.GetWidth(), front_.GetHeight()});
  if (r.IsEmpty()) return;
  if (PaintFromSmallMap(r)) return;
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
  std::swap(front_, back_);
  front_.DrawBoard(-dx, -dy, back_, TRect{0, 0, w, h});
  boardScroll_ = scroll_;
  if (dx != 0) PaintPixels(dx > 0 ? TRect{w - dx, 0, w, h} : TRect{0, 0, -dx, h});
  if (dy != 0) PaintPixels(dy > 0 ? TRect{0, h - dy, w, h} : TRect{0, 0, w, -dy});
}

void TMapViewPainter::RepaintCells(const TRect& cells) {
  if (!ready_ || !map_ || cells.IsEmpty()) return;
  BeginPass();
  for (const TRect& r : LoopedCellRects(cells, map_->Width(), map_->Height(),
                                        map_->IsLoopHorizontal(), map_->IsLoopVertical())) {
    if (scale_ == 4 && smallDrawn_.size() == size_t(map_->Width()) * size_t(map_->Height()))
      for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
          smallDrawn_[size_t(y) * size_t(map_->Width()) + size_t(x)] = 0;
    const TRect pixels = Intersect(CellsToPixels(r, boardScroll_, scale_),
                                   TRect{0, 0, front_.GetWidth(), front_.GetHeight()});
    if (!pixels.IsEmpty() && !PaintFromSmallMap(pixels)) PaintCellRect(r);
  }
}
