// What tells the material list pickers apart: caption, folder, extensions, the size of
// the sheet the preview loads, how the preview shows it and the sizes of the form. One
// picker form serves every row; the nine classes only choose their row.
//
// Also the list arithmetic every material picker shares: which entry a name selects and
// which line then stands at the top.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/geometry.h"
#include "core/material.h"

enum class TPreviewKind {
  None,     // no preview (movies)
  OneToOne, // the sheet's top-left part at its own size
  Half,     // the whole sheet shrunk into half the sheet size
  Fitted,   // the sheet at its own size when it fits, else scaled down; centred
};

struct TListPickerKind {
  const char* FormName; // the form's objectName
  const char* Caption;
  const char* Folder;
  TExtensionTable Extensions;
  // 0 x 0: the sheet takes the size of each image it loads.
  int SheetWidth;
  int SheetHeight;
  TPreviewKind Preview;
  int FrameWidth;
  int FrameHeight;
  int ClientWidth;
  int ClientHeight;
  // How many lines above the selection the list shows when it opens.
  int LinesAboveSelection;
};

extern const TListPickerKind PanoramaPickerKind;
extern const TListPickerKind BackdropPickerKind;
extern const TListPickerKind BattlePickerKind;
extern const TListPickerKind ChipSetPickerKind;
extern const TListPickerKind TitlePickerKind;
extern const TListPickerKind GameOverPickerKind;
extern const TListPickerKind SystemPickerKind;
extern const TListPickerKind PicturePickerKind;
extern const TListPickerKind MoviePickerKind;

// Lines above the selection for the pickers that do not say otherwise.
inline constexpr int DefaultLinesAboveSelection = 6;

// The entry that shows Name: Name itself, else Name with RtpSuffix; -1 when neither is
// there. Entries before First are not looked at (fixed entries at the top of a list).
int FindMaterialEntry(const std::vector<std::string>& items, std::string_view name, int first = 0);
// The entry a picker opens on: the one that shows Name, else Fallback; -1 for an empty
// list.
int MaterialEntryToSelect(const std::vector<std::string>& items, std::string_view name,
                          int fallback = 0, int first = 0);
// The first visible line when the selection stands LinesAbove lines below it; never above
// the top of the list.
int ListTopIndexFor(int itemIndex, int linesAbove);

// The board a preview of Kind composes on, for a preview frame of the given client size.
TRect PreviewBoardRect(const TListPickerKind& kind, int frameClientWidth, int frameClientHeight);
