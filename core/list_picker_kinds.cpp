#include "core/list_picker_kinds.h"

#include <algorithm>

namespace {
constexpr auto Image = TExtensionTable(ImageExtensions);
constexpr auto Movie = TExtensionTable(MovieExtensions);
constexpr int Lines = DefaultLinesAboveSelection;
} // namespace

// clang-format off
//                                        form name          caption                     folder      extensions sheet     preview                 frame     client    lines
const TListPickerKind PanoramaPickerKind{"FormSelPanorama", "Select Panorama",          "Panorama", Image, 0,   0,   TPreviewKind::Fitted,   324, 244, 545, 345, Lines};
const TListPickerKind BackdropPickerKind{"FormSelBackdrop", "Select Battle Background", "Backdrop", Image, 320, 160, TPreviewKind::OneToOne, 324, 164, 545, 345, Lines};
const TListPickerKind BattlePickerKind  {"FormSelBattle",   "Select Battle Animation",  "Battle",   Image, 480, 480, TPreviewKind::Half,     244, 244, 465, 345, Lines};
const TListPickerKind ChipSetPickerKind {"FormSelChipSet",  "Select ChipSet Graphic",   "ChipSet",  Image, 480, 256, TPreviewKind::Half,     244, 132, 465, 345, Lines};
const TListPickerKind TitlePickerKind   {"FormSelTitle",    "Title Graphic",            "Title",    Image, 320, 240, TPreviewKind::OneToOne, 324, 244, 545, 345, Lines};
const TListPickerKind GameOverPickerKind{"FormSelGameOver", "Game Over Graphic",        "GameOver", Image, 320, 240, TPreviewKind::OneToOne, 324, 244, 545, 345, Lines};
const TListPickerKind SystemPickerKind  {"FormSelSystem",   "Select System Graphics",   "System",   Image, 160, 128, TPreviewKind::OneToOne, 164, 84,  385, 345, Lines};
const TListPickerKind PicturePickerKind {"FormSelPicture",  "Select Picture",           "Picture",  Image, 0,   0,   TPreviewKind::Fitted,   324, 244, 545, 345, Lines};
const TListPickerKind MoviePickerKind   {"FormSelMovie",    "Select Movie",             "Movie",    Movie, 0,   0,   TPreviewKind::None,     0,   0,   217, 265, 4};
// clang-format on

int FindMaterialEntry(const std::vector<std::string>& items, std::string_view name, int first) {
  const auto from = items.begin() + std::clamp(first, 0, static_cast<int>(items.size()));
  auto found = std::find(from, items.end(), name);
  if (found == items.end()) {
    const std::string marked = std::string(name) + std::string(RtpSuffix);
    found = std::find(from, items.end(), marked);
  }
  return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

int MaterialEntryToSelect(const std::vector<std::string>& items, std::string_view name,
                          int fallback, int first) {
  if (items.empty()) return -1;
  const int found = FindMaterialEntry(items, name, first);
  if (found >= 0) return found;
  return std::clamp(fallback, 0, static_cast<int>(items.size()) - 1);
}

int ListTopIndexFor(int itemIndex, int linesAbove) {
  return std::max(0, itemIndex - linesAbove);
}

TRect PreviewBoardRect(const TListPickerKind& kind, int frameClientWidth, int frameClientHeight) {
  switch (kind.Preview) {
  case TPreviewKind::OneToOne:
    return Bounds(0, 0, kind.SheetWidth, kind.SheetHeight);
  case TPreviewKind::Half:
    return Bounds(0, 0, kind.SheetWidth / 2, kind.SheetHeight / 2);
  case TPreviewKind::Fitted:
    return Bounds(0, 0, std::max(0, frameClientWidth), std::max(0, frameClientHeight));
  case TPreviewKind::None:
    break;
  }
  return {};
}
