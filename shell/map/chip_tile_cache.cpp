#include "shell/map/chip_tile_cache.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/chip_set_graphic.h"
#include "core/editor_mode.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "core/spare_cores.h"

namespace {

constexpr int kTileIdEnd = TChipTileCache::kTileIdEnd;
constexpr int kPageSide = 256;
// A probe pixel that no palette index gives back.
constexpr uint16_t kNotDrawn = 0xFFFF;
// Fewer tiles than this are not worth a thread of their own.
constexpr int kTilesPerBand = 64;

bool SameTone(const TGlimraColorControl& a, const TGlimraColorControl& b) {
  return a.ToneRed() == b.ToneRed() && a.ToneGreen() == b.ToneGreen() &&
         a.ToneBlue() == b.ToneBlue() && a.Saturation() == b.Saturation() &&
         a.FlashRed() == b.FlashRed() && a.FlashGreen() == b.FlashGreen() &&
         a.FlashBlue() == b.FlashBlue() && a.FlashLevel() == b.FlashLevel();
}

void CopyTone(TGlimraColorControl& to, const TGlimraColorControl& from) {
  to.SetAll(from.ToneRed(), from.ToneGreen(), from.ToneBlue(), from.Saturation(), from.FlashRed(),
            from.FlashGreen(), from.FlashBlue(), from.FlashLevel(), false);
}

// Gives the sheet the colours of Source; true when their colour tables are then equal.
bool MatchColors(TGlimraSheet& sheet, const TGlimraSheet& source) {
  const bool same = std::memcmp(sheet.Palette().data(), source.Palette().data(),
                                sizeof(TPaletteEntry) * 256) == 0 &&
                    SameTone(sheet.Tone1, source.Tone1) && SameTone(sheet.Tone2, source.Tone2) &&
                    sheet.Brightness == source.Brightness;
  if (!same) {
    sheet.Palette() = source.Palette();
    CopyTone(sheet.Tone1, source.Tone1);
    CopyTone(sheet.Tone2, source.Tone2);
    sheet.Brightness = source.Brightness;
    sheet.UpdateColorTable();
  }
  return sheet.ColorTable() == source.ColorTable();
}

// For the life of the probe, the chipset sheet draws every palette index as its own value
// (red 0, green index div 32, blue index mod 32), opaque and untoned, and only reads itself
// while it draws (no board colours are kept), so that threads may draw it at once;
// afterwards it is exactly as it was.
class TIndexProbe {
public:
  explicit TIndexProbe(TGlimraSheet& sheet)
      : sheet_(sheet), palette_(sheet.Palette()), brightness_(sheet.Brightness),
        transparent_(sheet.Transparent), opacity_(sheet.Opacity),
        keepBoardColors_(sheet.KeepBoardColors) {
    CopyTone(saved1_, sheet.Tone1);
    CopyTone(saved2_, sheet.Tone2);
    for (int i = 0; i < 256; ++i)
      sheet.Palette()[size_t(i)] =
          TPaletteEntry{0, uint8_t((i >> 5) << 2), uint8_t((i & 31) << 3), 0};
    sheet.Tone1.Reset(false);
    sheet.Tone2.Reset(false);
    sheet.Brightness = 100;
    sheet.Transparent = false;
    sheet.Opacity = 255;
    sheet.KeepBoardColors = false;
    sheet.UpdateColorTable();
  }
  ~TIndexProbe() {
    sheet_.Palette() = palette_;
    CopyTone(sheet_.Tone1, saved1_);
    CopyTone(sheet_.Tone2, saved2_);
    sheet_.Brightness = brightness_;
    sheet_.Transparent = transparent_;
    sheet_.Opacity = opacity_;
    sheet_.KeepBoardColors = keepBoardColors_;
    sheet_.UpdateColorTable();
  }
  TIndexProbe(const TIndexProbe&) = delete;
  TIndexProbe& operator=(const TIndexProbe&) = delete;

private:
  TGlimraSheet& sheet_;
  TPalette palette_;
  int brightness_;
  bool transparent_;
  int opacity_;
  bool keepBoardColors_;
  // Only hold the values: a control without an owner never rebuilds a table.
  TGlimraColorControl saved1_{nullptr};
  TGlimraColorControl saved2_{nullptr};
};

bool UsesDimSheet(const TXelChipSetGraphic& graphic, bool dimmed) {
  return dimmed && graphic.DimSheet && IsEditorMode();
}

// One N x N tile of board colours onto the board: rows copied when every pixel is drawn,
// otherwise selected by Mask (0xFFFF drawn); with Alpha below 256 blended as DrawSheet does.
// The fixed width lets the compiler unroll and vectorise each row.
template <int N>
void DrawSquare(uint16_t* to, ptrdiff_t stride, const uint16_t* from, const uint16_t* mask,
                int alpha) {
  for (int row = 0; row < N; ++row, to += stride, from += N) {
    if (alpha >= 256) {
      if (!mask) {
        std::memcpy(to, from, N * sizeof(uint16_t));
        continue;
      }
      for (int i = 0; i < N; ++i)
        to[i] = uint16_t((from[i] & mask[i]) | (to[i] & ~mask[i]));
    } else {
      for (int i = 0; i < N; ++i) {
        const uint16_t m = mask ? mask[i] : uint16_t(0xFFFF);
        to[i] = uint16_t((BlendPixel(from[i], to[i], alpha) & m) | (to[i] & ~m));
      }
    }
    if (mask) mask += N;
  }
}

} // namespace

TChipTileCache::TChipTileCache() : probe_(std::make_unique<TGlimraBoard>()) {}

TChipTileCache::~TChipTileCache() = default;

void TChipTileCache::Clear() {
  for (TScaleCache& c : scales_) {
    c.Entries.clear();
    c.Slots.clear();
    c.Pages.clear();
    c.DimPages.clear();
    for (int dim = 0; dim < 2; ++dim) {
      c.Colors[size_t(dim)].clear();
      c.ColorGen[size_t(dim)].clear();
    }
    c.Masks.clear();
    c.MaskMade.clear();
  }
  graphic_ = nullptr;
  pixels_.clear();
  ++generation_;
}

int TChipTileCache::TileCount() const {
  int count = 0;
  for (const TScaleCache& c : scales_)
    count += int(c.Slots.size());
  return count;
}

void TChipTileCache::StartScale(TScaleCache& cache, int size) {
  cache.Size = size;
  cache.Entries.assign(kTileIdEnd, kUnbuilt);
}

TGlimraSheet& TChipTileCache::SourceSheet(TXelChipSetGraphic& graphic, bool dimmed) {
  return UsesDimSheet(graphic, dimmed) ? *graphic.DimSheet : graphic.Sheet;
}

bool TChipTileCache::SyncColors(TXelChipSetGraphic& graphic) {
  bool ok = true;
  for (TScaleCache& c : scales_) {
    for (auto& page : c.Pages)
      ok = MatchColors(*page, graphic.Sheet) && ok;
    if (graphic.DimSheet)
      for (auto& page : c.DimPages)
        if (page) ok = MatchColors(*page, *graphic.DimSheet) && ok;
  }
  return ok;
}

bool TChipTileCache::Prepare(TXelChipSetGraphic& graphic, int counter) {
  if (!graphic.ChipSet || !graphic.IsLoaded()) return false;
  const std::vector<uint8_t>& pixels = graphic.Sheet.Pixels();
  if (graphic_ != &graphic || counter != counter_ ||
      seaSpeed_ != graphic.ChipSet->SeaAnimationSpeed ||
      seaType_ != graphic.ChipSet->SeaAnimationType || pixels != pixels_) {
    Clear();
    graphic_ = &graphic;
    pixels_ = pixels;
    counter_ = counter;
    seaSpeed_ = graphic.ChipSet->SeaAnimationSpeed;
    seaType_ = graphic.ChipSet->SeaAnimationType;
  }
  editorMode_ = IsEditorMode();
  // The colours are looked at again on the first tile of the pass.
  for (TColors& c : colors_)
    c.Brightness = -1;
  return SyncColors(graphic);
}

const TChipTileCache::TColors& TChipTileCache::ColorsFor(TGlimraSheet& page, bool dim,
                                                         int brightness) {
  TColors& c = colors_[dim ? 1 : 0];
  if (c.Brightness == brightness) return c;
  if (page.Brightness != brightness) {
    page.Brightness = brightness;
    page.UpdateColorTable();
  }
  if (page.ColorTable() != c.Table) {
    c.Table = page.ColorTable();
    ++c.Generation;
  }
  c.Brightness = brightness;
  return c;
}

const uint16_t* TChipTileCache::SlotColors(TScaleCache& cache, int32_t slot, bool dim,
                                           const TColors& colors) {
  const int size = cache.Size;
  uint16_t* out = cache.SlotPixels(cache.Colors[dim ? 1 : 0], slot);
  uint32_t& generation = cache.ColorGen[dim ? 1 : 0][size_t(slot)];
  if (generation != colors.Generation) [[unlikely]] {
    const TSlot& s = cache.Slots[size_t(slot)];
    const TGlimraSheet& page = *cache.Pages[size_t(s.Page)];
    for (int y = 0; y < size; ++y) {
      const uint8_t* from = page.Pixels().data() + size_t(s.At.Y + y) * kPageSide + size_t(s.At.X);
      for (int x = 0; x < size; ++x)
        out[size_t(y) * size + size_t(x)] = colors.Table[from[x]];
    }
    generation = colors.Generation;
  }
  return out;
}

int32_t TChipTileCache::Build(TXelChipSetGraphic& graphic, TScaleCache& cache, int tile_id) {
  const int size = cache.Size;
  TGlimraBoard& probe = *probe_;
  probe.SetSize(size, size);
  FillRect(probe.Surface(), Bounds(0, 0, size, size), kNotDrawn);
  const std::array<uint16_t, 256> colors = graphic.Sheet.ColorTable();
  {
    TIndexProbe session(graphic.Sheet);
    graphic.DrawChip(probe, 0, 0, tile_id, counter_, false, size);
  }
  if (graphic.Sheet.ColorTable() != colors) return kUncached; // not as it was: draw directly
  return Keep(graphic, cache, probe.GetRow(0), probe.RowStride() / 2);
}

void TChipTileCache::BuildTiles(TXelChipSetGraphic& graphic, int size, const std::vector<int>& ids,
                                int brightness) {
  TScaleCache* cache = ScaleFor(size);
  if (!cache || graphic_ != &graphic) return;
  std::vector<int> todo;
  for (const int id : ids)
    if (id >= 0 && id < kTileIdEnd && cache->Entries[size_t(id)] == kUnbuilt) {
      cache->Entries[size_t(id)] = kQueued;
      todo.push_back(id);
    }
  if (todo.empty()) return;
  // Each tile gets a slot first (one that turns out empty or partly drawn stays unused), so
  // that the bands below only write what belongs to their own slots.
  std::vector<int32_t> entries(todo.size(), kUncached);
  for (int32_t& entry : entries) {
    entry = NewSlot(graphic, *cache);
    if (entry < 0) break;
  }
  if (cache->Pages.empty()) {
    for (const int id : todo)
      cache->Entries[size_t(id)] = kUncached;
    return;
  }
  std::vector<TPageBits> pages(cache->Pages.size());
  for (size_t p = 0; p < pages.size(); ++p) {
    pages[p].Plain = cache->Pages[p]->GetScanLine(0);
    if (cache->DimPages[p]) pages[p].Dim = cache->DimPages[p]->GetScanLine(0);
  }
  // The plain colours at the board's brightness come with the tiles, as most draws need them.
  const TColors& colors = ColorsFor(*cache->Pages[0], false, brightness);
  const std::array<uint16_t, 256> sheet_colors = graphic.Sheet.ColorTable();
  {
    TIndexProbe session(graphic.Sheet);
    // Under the probe the chipset is only read: each band draws its tiles on a board of its
    // own.
    ForEachRowBand(int(todo.size()), kTilesPerBand, [&](int first, int end) {
      TGlimraBoard probe;
      probe.SetSize(size, size);
      for (int i = first; i < end; ++i) {
        int32_t& entry = entries[size_t(i)];
        if (entry < 0) continue;
        FillRect(probe.Surface(), Bounds(0, 0, size, size), kNotDrawn);
        graphic.DrawChip(probe, 0, 0, todo[size_t(i)], counter_, false, size);
        entry = Fill(*cache, entry, probe.GetRow(0), probe.RowStride() / 2, pages, &colors);
      }
    });
  }
  const bool restored = graphic.Sheet.ColorTable() == sheet_colors; // else: draw directly
  for (size_t i = 0; i < todo.size(); ++i)
    cache->Entries[size_t(todo[i])] = restored ? entries[i] : kUncached;
}

int32_t TChipTileCache::Keep(TXelChipSetGraphic& graphic, TScaleCache& cache,
                             const uint16_t* pixels, ptrdiff_t stride) {
  const int size = cache.Size;
  int drawn = 0;
  for (int y = 0; y < size; ++y) {
    const uint16_t* row = pixels + y * stride;
    for (int x = 0; x < size; ++x)
      drawn += row[x] != kNotDrawn;
  }
  if (drawn == 0) return kNothing;
  if (drawn != size * size) return kUncached;
  const int32_t slot = NewSlot(graphic, cache);
  if (slot < 0) return slot;
  const TSlot& s = cache.Slots[size_t(slot)];
  TGlimraSheet* dim = cache.DimPages[size_t(s.Page)].get();
  std::vector<TPageBits> pages(size_t(s.Page) + 1);
  pages.back() =
      TPageBits{cache.Pages[size_t(s.Page)]->GetScanLine(0), dim ? dim->GetScanLine(0) : nullptr};
  return Fill(cache, slot, pixels, stride, pages, nullptr);
}

int32_t TChipTileCache::NewSlot(TXelChipSetGraphic& graphic, TScaleCache& cache) {
  const int size = cache.Size;
  const int per_row = kPageSide / size;
  const int per_page = per_row * per_row;
  const int index = int(cache.Slots.size());
  const TSlot slot{index / per_page,
                   TPoint{(index % per_row) * size, (index % per_page / per_row) * size}};
  if (slot.Page == int(cache.Pages.size())) {
    auto page = std::make_unique<TGlimraSheet>();
    page->SetSize(kPageSide, kPageSide);
    // A new page starts with the chipset's colours, as Prepare left the others.
    if (!MatchColors(*page, graphic.Sheet)) return kUncached;
    cache.Pages.push_back(std::move(page));
    // The dimmed copy is made when a draw first needs it.
    cache.DimPages.emplace_back();
    // The colours and masks are made on first use (generation 0 is never current).
    constexpr size_t kPagePixels = size_t(kPageSide) * kPageSide;
    for (auto* blocks : {&cache.Colors[0], &cache.Colors[1], &cache.Masks})
      blocks->push_back(std::make_unique_for_overwrite<uint16_t[]>(kPagePixels));
  }
  for (int dim = 0; dim < 2; ++dim)
    cache.ColorGen[size_t(dim)].push_back(0);
  cache.MaskMade.push_back(false);
  cache.Slots.push_back(slot);
  return index;
}

int32_t TChipTileCache::Fill(TScaleCache& cache, int32_t slot, const uint16_t* pixels,
                             ptrdiff_t stride, const std::vector<TPageBits>& pages,
                             const TColors* colors) {
  const int size = cache.Size;
  int drawn = 0, zeros = 0;
  for (int y = 0; y < size; ++y) {
    const uint16_t* row = pixels + y * stride;
    for (int x = 0; x < size; ++x) {
      drawn += row[x] != kNotDrawn;
      zeros += row[x] == 0;
    }
  }
  if (drawn == 0) return kNothing;
  if (drawn != size * size) return kUncached;
  TSlot& s = cache.Slots[size_t(slot)];
  s.NoZero = zeros == 0;
  s.AllZero = zeros == size * size;
  const TPageBits& page = pages[size_t(s.Page)];
  const size_t at = size_t(s.At.Y) * kPageSide + size_t(s.At.X);
  for (uint8_t* bits : {page.Plain, page.Dim})
    if (bits)
      for (int y = 0; y < size; ++y) {
        uint8_t* row = bits + at + size_t(y) * kPageSide;
        const uint16_t* drawn_row = pixels + y * stride;
        for (int x = 0; x < size; ++x)
          row[x] = uint8_t(drawn_row[x]);
      }
  if (colors) {
    uint16_t* out = cache.SlotPixels(cache.Colors[0], slot);
    for (int y = 0; y < size; ++y) {
      const uint16_t* drawn_row = pixels + y * stride;
      for (int x = 0; x < size; ++x)
        *out++ = colors->Table[drawn_row[x]];
    }
    cache.ColorGen[0][size_t(slot)] = colors->Generation;
  }
  return slot;
}

int32_t TChipTileCache::EntryAt(TXelChipSetGraphic& graphic, int size, int tile_id,
                                TScaleCache*& cache) {
  cache = ScaleFor(size);
  return cache && tile_id >= 0 && tile_id < kTileIdEnd && graphic_ == &graphic
             ? Entry(graphic, *cache, tile_id)
             : kUncached;
}

TGlimraSheet* TChipTileCache::PageOf(TXelChipSetGraphic& graphic, TScaleCache& cache,
                                     const TSlot& slot, bool dim) {
  TGlimraSheet* page = cache.Pages[size_t(slot.Page)].get();
  if (dim) {
    std::unique_ptr<TGlimraSheet>& dim_page = cache.DimPages[size_t(slot.Page)];
    if (!dim_page) {
      auto made = std::make_unique<TGlimraSheet>();
      made->SetSize(kPageSide, kPageSide);
      for (int y = 0; y < kPageSide; ++y)
        std::memcpy(made->GetScanLine(y), std::as_const(*page).GetScanLine(y), kPageSide);
      if (!MatchColors(*made, *graphic.DimSheet)) return nullptr;
      dim_page = std::move(made);
    }
    page = dim_page.get();
  }
  const TGlimraSheet& source = dim ? *graphic.DimSheet : graphic.Sheet;
  page->Transparent = source.Transparent;
  page->Opacity = source.Opacity;
  return page;
}

const uint16_t* TChipTileCache::SlotMask(TScaleCache& cache, int32_t slot) {
  const int size = cache.Size;
  uint16_t* mask = cache.SlotPixels(cache.Masks, slot);
  if (!cache.MaskMade[size_t(slot)]) {
    const TSlot& s = cache.Slots[size_t(slot)];
    const TGlimraSheet& page = *cache.Pages[size_t(s.Page)];
    for (int y = 0; y < size; ++y) {
      const uint8_t* from = page.GetScanLine(s.At.Y + y) + s.At.X;
      for (int x = 0; x < size; ++x)
        mask[size_t(y) * size_t(size) + size_t(x)] = from[x] != 0 ? 0xFFFF : 0;
    }
    cache.MaskMade[size_t(slot)] = true;
  }
  return mask;
}

bool TChipTileCache::Square(TXelChipSetGraphic& graphic, int tile_id, bool dimmed, int size,
                            int brightness, TSquare& square) {
  square = {};
  TScaleCache* cache = nullptr;
  const int32_t entry = EntryAt(graphic, size, tile_id, cache);
  if (entry == kNothing) return true;
  if (entry < 0) return false;
  const TSlot& slot = cache->Slots[size_t(entry)];
  const bool dim = dimmed && graphic.DimSheet && editorMode_;
  TGlimraSheet* page = PageOf(graphic, *cache, slot, dim);
  if (!page) return false;
  if (page->Transparent && slot.AllZero) return true;
  const TColors& colors = ColorsFor(*page, dim, brightness);
  square.Colors = SlotColors(*cache, entry, dim, colors);
  square.Mask = page->Transparent && !slot.NoZero ? SlotMask(*cache, entry) : nullptr;
  square.Alpha = std::clamp(page->Opacity, 0, 255) + 1;
  return true;
}

void TChipTileCache::DrawSquare(uint16_t* to, ptrdiff_t stride, const TSquare& square, int size) {
  if (!square.Colors) return;
  switch (size) {
  case 32:
    ::DrawSquare<32>(to, stride, square.Colors, square.Mask, square.Alpha);
    break;
  case 16:
    ::DrawSquare<16>(to, stride, square.Colors, square.Mask, square.Alpha);
    break;
  case 8:
    ::DrawSquare<8>(to, stride, square.Colors, square.Mask, square.Alpha);
    break;
  default:
    ::DrawSquare<4>(to, stride, square.Colors, square.Mask, square.Alpha);
    break;
  }
}

void TChipTileCache::DrawChip(TXelChipSetGraphic& graphic, TGlimraBoard& board, int x, int y,
                              int tile_id, bool dimmed, int size) {
  if (x < 0 || y < 0 || x > board.GetWidth() - size || y > board.GetHeight() - size) {
    TScaleCache* cache = nullptr;
    const int32_t entry = EntryAt(graphic, size, tile_id, cache);
    if (entry == kNothing) return;
    if (entry < 0) {
      graphic.DrawChip(board, x, y, tile_id, counter_, dimmed, size);
      return;
    }
    const TSlot& slot = cache->Slots[size_t(entry)];
    TGlimraSheet* page = PageOf(graphic, *cache, slot, dimmed && graphic.DimSheet && editorMode_);
    if (page)
      board.DrawSheet(x, y, *page, Bounds(slot.At.X, slot.At.Y, size, size));
    else
      graphic.DrawChip(board, x, y, tile_id, counter_, dimmed, size);
    return;
  }
  // A square wholly on the board: DrawSheet's rules without its clipping and lookups, which
  // cost more than the copy itself on small scales.
  TSquare square;
  if (!Square(graphic, tile_id, dimmed, size, board.Brightness, square)) {
    graphic.DrawChip(board, x, y, tile_id, counter_, dimmed, size);
    return;
  }
  const ptrdiff_t stride = board.RowStride() / 2;
  DrawSquare(reinterpret_cast<uint16_t*>(board.Bits()) + y * stride + x, stride, square, size);
}

bool TChipTileCache::CoversSquare(TXelChipSetGraphic& graphic, int tile_id, bool dimmed, int size) {
  TScaleCache* cache = ScaleFor(size);
  if (!cache || tile_id < 0 || tile_id >= kTileIdEnd || graphic_ != &graphic) return false;
  const TGlimraSheet& source = SourceSheet(graphic, dimmed);
  return Entry(graphic, *cache, tile_id) >= 0 && !source.Transparent && source.Opacity >= 255;
}
