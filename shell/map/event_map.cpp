#include "shell/map/event_map.h"

#include "core/char_set_graphic.h"
#include "core/chip_palette.h"
#include "core/chip_set_graphic.h"
#include "core/glimra_sheet.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "shell/map/board_frames.h"

namespace {

constexpr int kMaxEventId = 5000;
constexpr uint16_t kWhite = 0xFFFF;

// Where the pieces of an event's graphic go in a cell of 16 or 32 pixels.
struct TGraphicPlace {
  TRect Frame;    // white frame, relative to the cell
  TPoint Inside;  // top-left of the picture inside it
  int InsideSize; // its side
  TPoint CharCut; // from the character's 24 x 32 frame
};
TGraphicPlace PlaceFor(int size) {
  if (size == 16) return {Bounds(1, 1, 13, 13), {2, 2}, 11, {6, 9}};
  return {Bounds(4, 4, 23, 23), {5, 5}, 21, {1, 6}};
}

} // namespace

void TXelEventMap::Build(const TXelMapTree* tree, TXelMap* map) {
  tree_ = tree;
  map_ = map;
  width_ = map ? map->Width() : 0;
  height_ = map ? map->Height() : 0;
  grid_.assign(size_t(width_) * size_t(height_), 0);
  if (!map) return;
  auto inside = [this](int x, int y) { return x >= 0 && y >= 0 && x < width_ && y < height_; };
  for (int i = 0; i < map->Events.GetCount(); ++i) {
    const TXelEventItem* event = map->Events.Items(i);
    if (event && event->Id >= 1 && event->Id <= kMaxEventId && inside(event->X, event->Y))
      grid_[size_t(event->Y) * size_t(width_) + size_t(event->X)] = uint16_t(event->Id);
  }
  if (!tree) return;
  for (int i = 0; i < StartMarkCount; ++i) {
    const TXelMapStartPosition& start = tree->StartPosition;
    if (start.GetMapId(i) != map->Id || !inside(start.GetX(i), start.GetY(i))) continue;
    grid_[size_t(start.GetY(i)) * size_t(width_) + size_t(start.GetX(i))] =
        uint16_t(StartMarkId + i);
  }
}

int TXelEventMap::Get(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
  return grid_[size_t(y) * size_t(width_) + size_t(x)];
}

void TXelEventMap::Draw(TGlimraBoard& board, int x, int y, bool dim, int id, int size) {
  if (!map_) return;
  if (id >= StartMarkId && id < StartMarkId + StartMarkCount) {
    marks_.Draw(board, x, y, size, id - StartMarkId, dim);
    return;
  }
  const TXelEventItem* event =
      !dim && (size == 16 || size == 32) ? map_->Events.FindById(id) : nullptr;
  if (event) {
    DrawEventGraphic(board, x, y, *event, size);
    return;
  }
  marks_.Draw(board, x, y, size, TStartPosMark::smEvent, dim);
}

void TXelEventMap::DrawEventGraphic(TGlimraBoard& board, int x, int y, const TXelEventItem& event,
                                    int size) {
  const TGraphicPlace place = PlaceFor(size);
  const TRect frame =
      Bounds(x + place.Frame.Left, y + place.Frame.Top, place.Frame.Width(), place.Frame.Height());
  FrameBoardRect(board, frame, kWhite);
  const TXelEventPageItem* page = event.Pages.FindById(1);
  if (!page) page = event.Pages.Items(0);
  if (!page) return;
  const TPoint at{x + place.Inside.X, y + place.Inside.Y};
  if (page->GraphicName.empty()) {
    TXelChipSetGraphic* chips = map_->Graphics().ChipSetGraphic();
    if (!chips) return;
    // The tile on the chipset's background colour, drawn whole and opaque whatever the
    // layers were last drawn with.
    const uint16_t background = chips->Sheet.ColorTable()[0];
    const bool transparent = chips->Sheet.Transparent;
    const int opacity = chips->Sheet.Opacity;
    chips->SetTransparent(true);
    chips->SetOpacityLevel(0);
    const int tile = page->GraphicIndex + UpperChipId;
    if (size == 32) {
      FillRect(board.Surface(), Bounds(at.X, at.Y, place.InsideSize, place.InsideSize), background);
      chips->DrawChip(board, x + 8, y + 8, tile, 0, false, 16);
    } else {
      scratch_.SetSize(16, 16);
      FillRect(scratch_.Surface(), Bounds(0, 0, 16, 16), background);
      chips->DrawChip(scratch_, 0, 0, tile, 0, false, 16);
      scratch_.StretchDraw(board.Surface(), Bounds(at.X, at.Y, place.InsideSize, place.InsideSize));
    }
    chips->SetTransparent(transparent);
    chips->Sheet.Opacity = opacity;
    if (chips->DimSheet) chips->DimSheet->Opacity = opacity;
    return;
  }
  TXelCharSetGraphic* chars = map_->Graphics().CharSetGraphic();
  TGlimraSheet* sheet = chars ? chars->GetSheet(chars->IndexOf(page->GraphicName)) : nullptr;
  if (!sheet) return;
  const TRect cell = CharSetCellRect(page->GraphicIndex, page->Direction, page->Pattern);
  const bool transparent = sheet->Transparent;
  sheet->Transparent = true;
  board.DrawSheet(at.X, at.Y, *sheet,
                  Bounds(cell.Left + place.CharCut.X, cell.Top + place.CharCut.Y, place.InsideSize,
                         place.InsideSize));
  sheet->Transparent = transparent;
}
