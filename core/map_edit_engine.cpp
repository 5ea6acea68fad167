#include "core/map_edit_engine.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "core/chip_palette.h"
#include "core/chip_set_graphic.h"
#include "core/map.h"
#include "core/map_region_clip.h"

namespace {

constexpr int kPresetVariant = 48;
constexpr int kAllBits = 255;
// Mask values: drawn shapes are white; seed-fill candidates are marked first.
constexpr uint16_t kMaskWhite = 0xFFFF;
constexpr uint16_t kMaskCandidate = 3;
constexpr uint16_t kMaskBorder = 1;
constexpr uint16_t kMaskInner = 2;

// The shape code (bit per neighbour that differs) of each of the 50 variants.
constexpr uint8_t kVariantToCode[50] = {
    0,  1,  2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15, 25,
    27, 29, 31,  35,  39,  43,  47,  70,  78,  71,  79,  140, 141, 142, 143, 95, 175,
    59, 63, 103, 111, 206, 207, 157, 159, 127, 191, 223, 239, 255, 0,   0,   0};

// The variant that shows each shape code.
// clang-format off
constexpr uint8_t kCodeToVariant[256] = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 16, 17, 17, 18, 18, 19, 19, 16, 16, 17, 17, 18, 18, 19, 19,
    20, 20, 20, 20, 21, 21, 21, 21, 22, 22, 22, 22, 23, 23, 23, 23, 34, 34, 34, 34, 35, 35, 35, 35, 34, 34, 34, 34, 35, 35, 35, 35,
    24, 26, 24, 26, 24, 26, 24, 26, 25, 27, 25, 27, 25, 27, 25, 27, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32, 32,
    36, 36, 36, 36, 36, 36, 36, 36, 37, 37, 37, 37, 37, 37, 37, 37, 42, 42, 42, 42, 42, 42, 42, 42, 42, 42, 42, 42, 42, 42, 42, 42,
    28, 29, 30, 31, 28, 29, 30, 31, 28, 29, 30, 31, 28, 29, 30, 31, 40, 40, 41, 41, 40, 40, 41, 41, 40, 40, 41, 41, 40, 40, 41, 41,
    33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 43, 43, 43, 43, 43, 43, 43, 43, 43, 43, 43, 43, 43, 43, 43, 43,
    38, 39, 38, 39, 38, 39, 38, 39, 38, 39, 38, 39, 38, 39, 38, 39, 44, 44, 44, 44, 44, 44, 44, 44, 44, 44, 44, 44, 44, 44, 44, 44,
    45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 45, 46, 46, 46, 46, 46, 46, 46, 46, 46, 46, 46, 46, 46, 46, 46, 46,
};
// clang-format on

// The eight neighbours (y grows downwards): their shape-code bit, and the bits of their
// own code that look back at the centre cell.
struct TNeighbour {
  int Dx, Dy, Bit, LookBack;
};
enum { nNW, nN, nNE, nW, nE, nSW, nS, nSE };
constexpr TNeighbour kNeighbours[8] = {{-1, -1, 1, 4},  {0, -1, 32, 140}, {1, -1, 2, 8},
                                       {-1, 0, 16, 70}, {1, 0, 64, 25},   {-1, 1, 8, 2},
                                       {0, 1, 128, 35}, {1, 1, 4, 1}};

// ChipIdToIndex and ChipIndexToId, inline: the fill and the shape tools ask them for every
// cell and its eight neighbours.
constexpr int ComputeBlockOf(int id) {
  if (id < 0) return -1;
  if (id < AnimatedChipId) return id / 1000;
  if (id < AutoTileChipId) return (id - AnimatedChipId) / 50 + AnimatedBlockFirst;
  if (id < LowerChipId) return (id - AutoTileChipId) / 50 + AutoTileBlockFirst;
  return id - LowerChipId + LowerChipBlockFirst;
}

// The block of every 16-bit id, looked up: mixed ids make the tests above unpredictable,
// and a fill asks for millions.
constexpr auto kBlockOf = [] {
  std::array<uint16_t, size_t(UINT16_MAX) + 1> table{};
  for (size_t id = 0; id < table.size(); ++id)
    table[id] = uint16_t(ComputeBlockOf(int(id)));
  return table;
}();

inline int BlockOf(int id) {
  return unsigned(id) <= UINT16_MAX ? kBlockOf[size_t(id)] : ComputeBlockOf(id);
}

inline int BlockBaseId(int index) {
  if (index < AnimatedBlockFirst) return index * 1000;
  if (index < AutoTileBlockFirst) return (index - AnimatedBlockFirst) * 50 + AnimatedChipId;
  if (index < LowerChipBlockFirst) return (index - AutoTileBlockFirst) * 50 + AutoTileChipId;
  return index - LowerChipBlockFirst + LowerChipId;
}

// Layer.GetCell, read straight from the cells inside the layer.
inline int CellAt(const TXelMapLayer& layer, int x, int y) {
  if (unsigned(x) < unsigned(layer.Width()) && unsigned(y) < unsigned(layer.Height()))
    return layer.Cells()[size_t(y) * size_t(layer.Width()) + size_t(x)];
  return layer.GetCell(x, y);
}

int Mod(int value, int divisor) {
  const int m = value % divisor;
  return m < 0 ? m + divisor : m;
}

TRect Grow(const TRect& r, int by) {
  return TRect{r.Left - by, r.Top - by, r.Right + by, r.Bottom + by};
}

} // namespace

TPickDrag PickDrag(TPoint start, TPoint cell, int map_width, int map_height) {
  const int span = TXelCurrentChip::MaxSize - 1;
  cell.X =
      std::clamp(std::clamp(cell.X, 0, std::max(map_width - 1, 0)), start.X - span, start.X + span);
  cell.Y = std::clamp(std::clamp(cell.Y, 0, std::max(map_height - 1, 0)), start.Y - span,
                      start.Y + span);
  return TPickDrag{ShapeRect(start, cell),
                   TPoint{std::max(0, cell.X - start.X), std::max(0, cell.Y - start.Y)}};
}

TRect ShapeRect(TPoint a, TPoint b) {
  return TRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X) + 1,
               std::max(a.Y, b.Y) + 1};
}

TMapEditEngine::TMapEditEngine() {
  SetMap(nullptr);
}

int TMapEditEngine::Width() const {
  return map_ ? map_->Width() : 0;
}

int TMapEditEngine::Height() const {
  return map_ ? map_->Height() : 0;
}

TRect TMapEditEngine::MapRect() const {
  return TRect{0, 0, Width(), Height()};
}

bool TMapEditEngine::Inside(int x, int y) const {
  return x >= 0 && y >= 0 && x < Width() && y < Height();
}

void TMapEditEngine::SetMap(TXelMap* map) {
  map_ = map;
  chipSet_ = map ? map->Graphics().ChipSetGraphic() : nullptr;
  // The map-sized scratch grids are sized by the first shape drawn (their storage is kept),
  // and the stroke base is taken when it is first read: a map that is only looked at pays
  // for neither.
  mask_.clear();
  lookBack_.clear();
  for (TXelMapLayer* layer : {&FloatLower, &FloatUpper})
    layer->Resize(0, 0);
  if (!map) {
    BaseLower.Resize(0, 0);
    BaseUpper.Resize(0, 0);
  }
  baseTaken_ = false;
  Undo.Resize(Width(), Height());
  DropSelection();
  dirty_ = {};
}

void TMapEditEngine::SetMode(int mode) {
  mode_ = std::clamp(mode, int(emLowerLayer), int(emNoMap));
  if (mode_ == emEvents) {
    DropSelection();
    Undo.ClearCount();
  }
}

int TMapEditEngine::MatchingBlock(int block) const {
  if (block < 0 || block > AutoTileBlockLast) return -1;
  // Without a chipset graphic no terrain matches another.
  if (!chipSet_) return block < AutoTileBlockFirst ? 0 : -1;
  return chipSet_->Blocks[size_t(block)].MatchingBlock;
}

int TMapEditEngine::Resolve(int x, int y, int mask, int id) const {
  const TXelMapLayer& lower = map_->LowerLayer;
  const int b = BlockOf(id);
  // Plain chips have no variants: nothing around them matters.
  if (b >= LowerChipBlockFirst) return BlockBaseId(b);
  int ids[8];
  const int w = lower.Width();
  if (x > 0 && y > 0 && x < w - 1 && y < lower.Height() - 1) {
    const uint16_t* c = lower.Cells().data() + size_t(y - 1) * size_t(w) + size_t(x - 1);
    const int ids_inside[8] = {c[0],     c[1],     c[2],         c[w],
                               c[w + 2], c[2 * w], c[2 * w + 1], c[2 * w + 2]};
    std::copy(ids_inside, ids_inside + 8, ids);
  } else {
    for (int i = 0; i < 8; ++i)
      ids[i] = CellAt(lower, x + kNeighbours[i].Dx, y + kNeighbours[i].Dy);
  }
  int blocks[8];
  int code = 0;
  const TXelChipSetGraphic::TBlock* matching = chipSet_ ? chipSet_->Blocks.data() : nullptr;
  for (int i = 0; i < 8; ++i) {
    const int nb = BlockOf(ids[i]);
    blocks[i] = nb;
    // As MatchingBlock, read whatever the block: mixed neighbours would make a test per
    // neighbour unpredictable. Two blocks below the terrains (water and animated tiles)
    // always join.
    const int clamped = int(std::min(unsigned(nb), unsigned(AutoTileBlockLast)));
    const int match = unsigned(nb) > unsigned(AutoTileBlockLast) ? -1
                      : matching                                 ? matching[clamped].MatchingBlock
                      : nb < AutoTileBlockFirst                  ? 0
                                                                 : -1;
    const bool joins =
        (nb == b) | (match == b) | ((b < AutoTileBlockFirst) & (nb < AutoTileBlockFirst));
    const bool different = nb == -1 ? EdgeFlag : !joins;
    code |= different ? kNeighbours[i].Bit : 0;
  }
  const int keep = id < LowerChipId ? kVariantToCode[id % 50] : 0;
  code = (code & mask) | (keep & ~mask & kAllBits);
  int result = BlockBaseId(b);
  if (result < LowerChipId) result += kCodeToVariant[code];
  if (b < AnimatedBlockFirst) {
    // Water shows where it meets the other kind of water: deep water opens towards
    // shallow water, shallow water towards deep water.
    bool open[8];
    for (int i = 0; i < 8; ++i)
      open[i] = b == 2 ? blocks[i] < 2 : blocks[i] == 2;
    if (b != 2) {
      open[nNW] = !(code & kNeighbours[nNW].Bit);
      open[nNE] = !(code & kNeighbours[nNE].Bit);
      open[nSW] = !(code & kNeighbours[nSW].Bit);
      open[nSE] = !(code & kNeighbours[nSE].Bit);
    }
    const int corners =
        (open[nNW] && open[nN] && open[nW] ? 1 : 0) + (open[nNE] && open[nN] && open[nE] ? 2 : 0) +
        (open[nSW] && open[nS] && open[nW] ? 4 : 0) + (open[nSE] && open[nS] && open[nE] ? 8 : 0);
    result += corners * 50;
  }
  return result;
}

void TMapEditEngine::PutChipResolved(int x, int y, bool redraw, bool autotile, int mask, int id) {
  if (!Inside(x, y)) return;
  if (RawFlag) autotile = false;
  TXelMapLayer* layer;
  if (mode_ == emUpperLayer) {
    layer = &map_->UpperLayer;
  } else if (mode_ == emLowerLayer) {
    layer = &map_->LowerLayer;
    if (id < LowerChipId && id % 50 == PaletteFormVariant) id -= PaletteFormVariant;
    if (autotile) id = Resolve(x, y, mask, id);
  } else {
    return;
  }
  uint16_t& cell = layer->CellData()[size_t(y) * size_t(Width()) + size_t(x)];
  if (cell == id) return;
  cell = uint16_t(id);
  if (redraw) MarkDirty(Bounds(x, y, 1, 1));
}

void TMapEditEngine::PutChipWrapped(int x, int y, bool redraw, bool autotile, int mask, int id) {
  if (!map_) return;
  if (map_->IsLoopHorizontal() && Width() > 0) x = Mod(x, Width());
  if (map_->IsLoopVertical() && Height() > 0) y = Mod(y, Height());
  PutChipResolved(x, y, redraw, autotile, mask, id);
}

int TMapEditEngine::PenTile(int x, int y) const {
  const TXelCurrentChip& pen = Pen();
  return pen.GetCell(Mod(x - StrokeOrigin.X, pen.Width()), Mod(y - StrokeOrigin.Y, pen.Height()));
}

void TMapEditEngine::PutChipAndNeighbours(int x, int y) {
  if (!map_) return;
  PutChipWrapped(x, y, true, true, kAllBits, PenTile(x, y));
  if (mode_ != emLowerLayer) return;
  for (const TNeighbour& n : kNeighbours) {
    const int current = map_->LowerLayer.GetCell(x + n.Dx, y + n.Dy);
    if (current >= 0) PutChipWrapped(x + n.Dx, y + n.Dy, true, true, n.LookBack, current);
  }
}

void TMapEditEngine::PutPen(int left, int top) {
  const TXelCurrentChip& pen = Pen();
  for (int j = 0; j < pen.Height(); ++j)
    for (int i = 0; i < pen.Width(); ++i)
      if (Inside(left + i, top + j)) PutChipAndNeighbours(left + i, top + j);
}

void TMapEditEngine::PenLine(TPoint p, TPoint q) {
  const TXelCurrentChip& pen = Pen();
  MarkDirty(TRect{std::min(p.X, q.X) - 1, std::min(p.Y, q.Y) - 1,
                  std::max(p.X, q.X) + pen.Width() + 1, std::max(p.Y, q.Y) + pen.Height() + 1});
  const int dx = std::abs(q.X - p.X), dy = std::abs(q.Y - p.Y);
  const int sx = q.X < p.X ? -1 : 1, sy = q.Y < p.Y ? -1 : 1;
  const bool along_x = dy <= dx;
  const int major = along_x ? dx : dy, minor = along_x ? dy : dx;
  int error = major / 2;
  TPoint at = p;
  for (int i = 0; i <= major; ++i) {
    PutPen(at.X, at.Y);
    (along_x ? at.X : at.Y) += along_x ? sx : sy;
    error -= minor;
    if (error < 0) {
      (along_x ? at.Y : at.X) += along_x ? sy : sx;
      error += major;
    }
  }
}

void TMapEditEngine::SizeScratch() {
  const size_t cells = size_t(Width()) * size_t(Height());
  if (mask_.size() != cells) mask_.assign(cells, 0);
  if (lookBack_.size() != cells) lookBack_.assign(cells, 0);
}

void TMapEditEngine::TakeBase() {
  if (!map_) return;
  // Assigned over their old cells, which keeps the memory for a map of the same size.
  BaseLower.Assign(map_->LowerLayer);
  BaseUpper.Assign(map_->UpperLayer);
  baseTaken_ = true;
}

TSurface16 TMapEditEngine::MaskSurface() {
  return TSurface16{reinterpret_cast<uint8_t*>(mask_.data()), ptrdiff_t(Width()) * 2, Width(),
                    Height()};
}

void TMapEditEngine::ClearMask() {
  std::fill(mask_.begin(), mask_.end(), 0);
}

uint16_t TMapEditEngine::MaskAt(int x, int y) const {
  return Inside(x, y) && !mask_.empty() ? mask_[size_t(y) * size_t(Width()) + size_t(x)] : 0;
}

void TMapEditEngine::DrawShape(bool ellipse, const TRect& shape, const TRect& previous) {
  if (!map_ || shape.IsEmpty()) return;
  SizeScratch();
  ClearMask();
  const TSurface16 surface = MaskSurface();
  if (ellipse && shape.Width() > 2 && shape.Height() > 2)
    DrawEllipse(surface, shape, kMaskWhite, kMaskWhite);
  else
    FillRect(surface, shape, kMaskWhite);
  ApplyShapeMask(Grow(Union(shape, previous), 1), true);
}

void TMapEditEngine::SeedFill(int x, int y) {
  if (!Inside(x, y) || (mode_ != emLowerLayer && mode_ != emUpperLayer)) return;
  const bool lower = mode_ == emLowerLayer;
  const TXelMapLayer& layer = lower ? map_->LowerLayer : map_->UpperLayer;
  SizeScratch();
  // Lower cells join by block, so every variant of an autotile belongs to the region.
  auto key = [lower](int id) { return lower ? BlockOf(id) : id; };
  const int start = key(layer.GetCell(x, y));
  const std::vector<uint16_t>& cells = layer.Cells();
  for (size_t i = 0; i < cells.size(); ++i)
    mask_[i] = key(cells[i]) == start ? kMaskCandidate : 0;
  FloodFillSurface(MaskSurface(), x, y, kMaskCandidate, kMaskWhite);
  for (uint16_t& m : mask_)
    if (m == kMaskCandidate) m = 0;
  ApplyShapeMask(MapRect(), false);
}

void TMapEditEngine::ApplyShapeMask(const TRect& area_wanted, bool restore_outside) {
  if (!map_) return;
  const TRect area = Intersect(area_wanted, MapRect());
  if (area.IsEmpty()) return;
  SizeScratch();
  if (restore_outside) NeedBase();
  const int w = Width(), h = Height();
  // One pass over the area: a shape cell whose eight neighbours (wrapping at the edges) are
  // all in the shape is an inner cell, which needs no work on its neighbours; cells outside
  // the shape go back to the stroke base; shape cells take the pen's block first, so that
  // every cell resolved next sees its neighbours' final block. Marking a cell border or
  // inner keeps it in the shape for the neighbours looked at after it.
  TXelMapLayer& layer = mode_ == emUpperLayer ? map_->UpperLayer : map_->LowerLayer;
  const TXelMapLayer& base = mode_ == emUpperLayer ? BaseUpper : BaseLower;
  const bool base_fits = base.Width() == w && base.Height() == h;
  uint16_t* cells = layer.CellData();
  // The pen's tiles, walked along each row without a division per cell.
  const TXelCurrentChip& pen = Pen();
  const int pen_w = pen.Width(), pen_h = pen.Height();
  uint16_t pen_tiles[TXelCurrentChip::MaxSize][TXelCurrentChip::MaxSize];
  for (int py = 0; py < pen_h; ++py)
    for (int px = 0; px < pen_w; ++px)
      pen_tiles[py][px] = pen.GetCell(px, py);
  const int pen_x0 = Mod(area.Left - StrokeOrigin.X, pen_w);
  for (int y = area.Top; y < area.Bottom; ++y) {
    const uint16_t* pen_row = pen_tiles[Mod(y - StrokeOrigin.Y, pen_h)];
    int pen_x = pen_x0;
    const bool inside_y = y > 0 && y < h - 1;
    const uint16_t* above = &Mask(0, inside_y ? y - 1 : Mod(y - 1, h));
    const uint16_t* below = &Mask(0, inside_y ? y + 1 : Mod(y + 1, h));
    uint16_t* row = &Mask(0, y);
    for (int x = area.Left; x < area.Right; ++x, pen_x = pen_x + 1 == pen_w ? 0 : pen_x + 1) {
      const size_t at = size_t(y) * size_t(w) + size_t(x);
      uint16_t& m = row[x];
      if (!m) {
        if (restore_outside && base_fits) cells[at] = base.Cells()[at];
        continue;
      }
      bool inner;
      if (x > 0 && x < w - 1)
        inner = above[x - 1] && above[x] && above[x + 1] && row[x - 1] && row[x + 1] &&
                below[x - 1] && below[x] && below[x + 1];
      else {
        const int l = Mod(x - 1, w), r = Mod(x + 1, w);
        inner = above[l] && above[x] && above[r] && row[l] && row[r] && below[l] && below[x] &&
                below[r];
      }
      m = inner ? kMaskInner : kMaskBorder;
      if (mode_ == emLowerLayer) {
        const int block = BlockOf(pen_row[pen_x]);
        if (BlockOf(cells[at]) != block) cells[at] = uint16_t(BlockBaseId(block) + kPresetVariant);
      }
    }
  }
  if (mode_ == emLowerLayer && !RawFlag) {
    ResolveShape(area);
    return;
  }
  // Then the pen itself.
  for (int y = area.Top; y < area.Bottom; ++y) {
    const uint16_t* pen_row = pen_tiles[Mod(y - StrokeOrigin.Y, pen_h)];
    int pen_x = pen_x0;
    for (int x = area.Left; x < area.Right; ++x, pen_x = pen_x + 1 == pen_w ? 0 : pen_x + 1) {
      const uint16_t m = Mask(x, y);
      if (m == kMaskBorder)
        PutChipAndNeighbours(x, y);
      else if (m == kMaskInner)
        PutChipResolved(x, y, false, true, kAllBits, pen_row[pen_x]);
    }
  }
  MarkDirty(area);
}

void TMapEditEngine::ResolveShape(const TRect& area) {
  // The blocks are final now, and a put only works out variant bits from the neighbours'
  // blocks: putting the pen on every shape cell and each border cell's neighbours in turn
  // comes down to one put per cell, with every bit any of those puts looked at. Shape cells
  // take the pen's tile with all bits; the cells around them their own tile with the bits
  // that face the shape.
  const int w = Width(), h = Height();
  const bool loop_x = map_->IsLoopHorizontal(), loop_y = map_->IsLoopVertical();
  const TXelMapLayer& layer = map_->LowerLayer;
  // Bits are gathered for every neighbour, shape cells included (no test per cell); cells
  // beyond the area's ring, reached across the seam of a looping map, are listed.
  const TRect ring = Intersect(Grow(area, 1), MapRect());
  touched_.clear();
  const TXelCurrentChip& pen = Pen();
  const int pen_w = pen.Width(), pen_x0 = Mod(area.Left - StrokeOrigin.X, pen_w);
  for (int y = area.Top; y < area.Bottom; ++y) {
    const int pen_y = Mod(y - StrokeOrigin.Y, pen.Height());
    for (int x = area.Left, pen_x = pen_x0; x < area.Right;
         ++x, pen_x = pen_x + 1 == pen_w ? 0 : pen_x + 1) {
      const uint16_t m = Mask(x, y);
      if (m == 0) continue;
      PutChipResolved(x, y, false, true, kAllBits, pen.GetCell(pen_x, pen_y));
      if (m != kMaskBorder) continue;
      if (x > 0 && y > 0 && x < w - 1 && y < h - 1) {
        uint8_t* around = &lookBack_[size_t(y) * size_t(w) + size_t(x)];
        for (const TNeighbour& n : kNeighbours) {
          uint8_t& bits = around[ptrdiff_t(n.Dy) * w + n.Dx];
          bits = uint8_t(bits | n.LookBack);
        }
        continue;
      }
      for (const TNeighbour& n : kNeighbours) {
        int nx = x + n.Dx, ny = y + n.Dy;
        // As PutChipAndNeighbours reaches it: read through the layer, put wrapped on a
        // looping map.
        if (CellAt(layer, nx, ny) < 0) continue;
        if (loop_x) nx = Mod(nx, w);
        if (loop_y) ny = Mod(ny, h);
        if (!Inside(nx, ny)) continue;
        uint8_t& bits = lookBack_[size_t(ny) * size_t(w) + size_t(nx)];
        if (!bits && !ring.Contains(nx, ny)) touched_.push_back(uint32_t(ny * w + nx));
        bits = uint8_t(bits | n.LookBack);
      }
    }
  }
  const auto put_back = [&](int x, int y) {
    uint8_t& bits = lookBack_[size_t(y) * size_t(w) + size_t(x)];
    if (!bits) return;
    if (Mask(x, y) == 0)
      PutChipResolved(x, y, !area.Contains(x, y), true, bits,
                      layer.Cells()[size_t(y) * size_t(w) + size_t(x)]);
    bits = 0;
  };
  for (int y = ring.Top; y < ring.Bottom; ++y)
    for (int x = ring.Left; x < ring.Right; ++x)
      put_back(x, y);
  for (const uint32_t at : touched_)
    put_back(int(at % uint32_t(w)), int(at / uint32_t(w)));
  MarkDirty(area);
}

void TMapEditEngine::BeginStroke(TPoint cell, TPoint pen_offset) {
  if (!map_) return;
  TakeBase();
  StrokeOrigin = TPoint{cell.X - pen_offset.X, cell.Y - pen_offset.Y};
}

void TMapEditEngine::EndStroke() {
  if (!map_) return;
  NeedBase();
  Undo.RecordLayers(BaseLower, BaseUpper);
  map_->Modified = true;
}

void TMapEditEngine::CancelStroke() {
  NeedBase();
  if (!map_ || BaseLower.Width() != Width() || BaseLower.Height() != Height()) return;
  map_->LowerLayer.Assign(BaseLower);
  map_->UpperLayer.Assign(BaseUpper);
  MarkDirty(MapRect());
}

void TMapEditEngine::PickPen(const TRect& rect_wanted, bool exact) {
  if (!map_ || mode_ == emNoMap) return;
  const TRect rect = Intersect(rect_wanted, MapRect());
  if (rect.IsEmpty()) return;
  TXelCurrentChip& pen = Pen();
  pen.SetSize(rect.Width(), rect.Height());
  for (int j = 0; j < pen.Height(); ++j)
    for (int i = 0; i < pen.Width(); ++i) {
      const int x = rect.Left + i, y = rect.Top + j;
      int id =
          mode_ == emLowerLayer ? map_->LowerLayer.GetCell(x, y) : map_->UpperLayer.GetCell(x, y);
      if (mode_ == emLowerLayer && !exact) id = ChipPaletteForm(id);
      pen.SetCell(i, j, uint16_t(id));
    }
}

void TMapEditEngine::DropSelection() {
  Selection = {};
  Held = false;
}

void TMapEditEngine::Lift(const TRect& rect) {
  if (!map_ || rect.IsEmpty()) return;
  Selection = rect;
  NeedBase();
  // A block pasted over the edge keeps its own tiles where it lies beyond the map.
  if (FloatLower.Width() != rect.Width() || FloatLower.Height() != rect.Height()) {
    FloatLower.Resize(0, 0);
    FloatUpper.Resize(0, 0);
    FloatLower.Resize(rect.Width(), rect.Height());
    FloatUpper.Resize(rect.Width(), rect.Height());
  }
  const TRect inside = Intersect(rect, MapRect());
  const int left_behind = ChipBaseForm(Pens[emLowerLayer].GetCell(0, 0));
  for (int y = inside.Top; y < inside.Bottom; ++y)
    for (int x = inside.Left; x < inside.Right; ++x) {
      FloatLower.SetCell(x - rect.Left, y - rect.Top, uint16_t(map_->LowerLayer.GetCell(x, y)));
      FloatUpper.SetCell(x - rect.Left, y - rect.Top, uint16_t(map_->UpperLayer.GetCell(x, y)));
      BaseLower.SetCell(x, y, uint16_t(left_behind));
      BaseUpper.SetCell(x, y, map_->UpperLayer.FillValue);
    }
  Held = true;
}

void TMapEditEngine::SelectAll() {
  Lift(MapRect());
  MarkDirty(MapRect());
}

void TMapEditEngine::BeginMove() {
  if (!map_ || !Held) return;
  Held = false;
  Undo.Record(*map_);
  map_->Modified = true;
}

void TMapEditEngine::MoveSelection(int dx, int dy) {
  if (!map_ || Selection.IsEmpty() || (dx == 0 && dy == 0)) return;
  const TRect from = Selection;
  const TRect to{from.Left + dx, from.Top + dy, from.Right + dx, from.Bottom + dy};
  NeedBase();
  const TRect left = Intersect(from, MapRect());
  for (int y = left.Top; y < left.Bottom; ++y)
    for (int x = left.Left; x < left.Right; ++x)
      if (!to.Contains(x, y)) {
        map_->LowerLayer.SetCell(x, y, uint16_t(BaseLower.GetCell(x, y)));
        map_->UpperLayer.SetCell(x, y, uint16_t(BaseUpper.GetCell(x, y)));
      }
  const TRect landed = Intersect(to, MapRect());
  for (int y = landed.Top; y < landed.Bottom; ++y)
    for (int x = landed.Left; x < landed.Right; ++x) {
      map_->LowerLayer.SetCell(x, y, uint16_t(FloatLower.GetCell(x - to.Left, y - to.Top)));
      map_->UpperLayer.SetCell(x, y, uint16_t(FloatUpper.GetCell(x - to.Left, y - to.Top)));
    }
  Selection = to;
  MarkDirty(Union(from, to));
}

void TMapEditEngine::ClearSelection() {
  if (!map_ || Selection.IsEmpty()) return;
  NeedBase();
  Undo.Record(*map_);
  map_->Modified = true;
  const TRect r = Intersect(Selection, MapRect());
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      map_->LowerLayer.SetCell(x, y, uint16_t(BaseLower.GetCell(x, y)));
      map_->UpperLayer.SetCell(x, y, uint16_t(BaseUpper.GetCell(x, y)));
    }
  MarkDirty(Selection);
  DropSelection();
}

std::vector<uint8_t> TMapEditEngine::CopySelection() {
  if (Selection.IsEmpty()) return {};
  MarkDirty(Selection);
  DropSelection();
  return BuildMapRegionClip(FloatLower, FloatUpper);
}

void TMapEditEngine::Paste(const TMapRegionClip& clip, TPoint top_left) {
  const size_t cells = size_t(std::max(clip.Width, 0)) * size_t(std::max(clip.Height, 0));
  if (!map_ || cells == 0 || clip.Lower.size() != cells || clip.Upper.size() != cells) return;
  FloatLower.Resize(0, 0);
  FloatUpper.Resize(0, 0);
  FloatLower.Resize(clip.Width, clip.Height);
  FloatUpper.Resize(clip.Width, clip.Height);
  std::copy(clip.Lower.begin(), clip.Lower.end(), FloatLower.CellData());
  std::copy(clip.Upper.begin(), clip.Upper.end(), FloatUpper.CellData());
  Selection = Bounds(top_left.X, top_left.Y, clip.Width, clip.Height);
  Held = false;
  TakeBase();
  Undo.Record(*map_);
  map_->Modified = true;
  const TRect r = Intersect(Selection, MapRect());
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) {
      map_->LowerLayer.SetCell(x, y, uint16_t(FloatLower.GetCell(x - top_left.X, y - top_left.Y)));
      map_->UpperLayer.SetCell(x, y, uint16_t(FloatUpper.GetCell(x - top_left.X, y - top_left.Y)));
    }
  MarkDirty(Selection);
}

bool TMapEditEngine::UndoLast() {
  if (!map_ || !Undo.Undo(*map_)) return false;
  DropSelection();
  MarkDirty(MapRect());
  return true;
}

void TMapEditEngine::MarkDirty(const TRect& rect) {
  dirty_ = Union(dirty_, rect);
}

TRect TMapEditEngine::TakeDirty() {
  const TRect r = dirty_;
  dirty_ = {};
  return r;
}
