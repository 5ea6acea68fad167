// What the map and area property dialogs edit, and what their OK does to the tree entry,
// the map and the start positions, without a window. The dialogs work on these copies;
// the caller writes them back only on OK, so Cancel changes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/map.h"
#include "core/map_tree.h"

// An encounter list holds at most this many rows.
inline constexpr int MaxEncounters = 500;

// A music setting as plain values.
struct TMusicValues {
  std::string FileName;
  int32_t FadeIn = 0;
  int32_t Volume = 100;
  int32_t Tempo = 100;
  int32_t Balance = 50;
  bool operator==(const TMusicValues&) const = default;
};
TMusicValues MusicValuesOf(const TXelMusic& music);
void AssignMusicValues(TXelMusic& music, const TMusicValues& values);

// The monster groups of an encounter list, in list order.
std::vector<int32_t> EncounterGroups(const TXelEncount& list);
void AssignEncounterGroups(TXelEncount& list, const std::vector<int32_t>& groups);

struct TMapProperties {
  std::string MapName;
  int32_t ChipSetId = 1;
  int32_t MapWidth = 20;
  int32_t MapHeight = 15;
  int32_t ScrollType = 0;
  std::vector<int32_t> Encounters;
  int32_t EncounterSteps = 25;
  bool UsePanorama = false;
  std::string PanoramaName;
  bool HorizontalPan = false;
  bool VerticalPan = false;
  bool HorizontalAutoScroll = false;
  bool VerticalAutoScroll = false;
  int32_t HorizontalSpeed = 0;
  int32_t VerticalSpeed = 0;
  int32_t BgmMode = 0; // 0 parent map, 1 no change, 2 set to Music
  TMusicValues Music;
  int32_t BackdropMode = 0; // 0 parent map, 1 by terrain chip, 2 set to BackdropName
  std::string BackdropName;
  int32_t TeleportMode = 0; // 0 parent map, 1 enable, 2 disable
  int32_t EscapeMode = 0;
  int32_t SaveMode = 0;
  bool operator==(const TMapProperties&) const = default;
};

// The settings of a tree entry and its map.
TMapProperties ReadMapProperties(const TXelMapTreeItem& item, const TXelMap& map);
// The entry's settings only (name, modes, music, backdrop, encounters): the music is
// reset unless it is set by the entry, the backdrop name emptied unless set by it.
void WriteMapTreeSettings(const TMapProperties& properties, TXelMapTreeItem& item);
// The map's own settings through its setters (which resize the layers); the panorama
// name is emptied when the map has none; the map is marked modified.
void WriteMapSettings(const TMapProperties& properties, TXelMap& map);
// After a map of MapId shrank: its events outside it are deleted, and every start
// position on it outside it goes to map 0 at (0, 0).
void FitMapContents(TXelMap& map, TXelMapStartPosition& starts, int32_t mapId);
// The start positions on MapId move by (DX, DY), wrapping round a map of that size.
void ShiftStartPositions(TXelMapStartPosition& starts, int32_t mapId, int dx, int dy, int width,
                         int height);

struct TAreaProperties {
  std::string AreaName;
  TAreaRect AreaRect;
  std::vector<int32_t> Encounters;
  bool operator==(const TAreaProperties& other) const;
};
TAreaProperties ReadAreaProperties(const TXelMapTreeItem& item);
void WriteAreaProperties(const TAreaProperties& properties, TXelMapTreeItem& item);
// "(%.3d,%.3d) - (%.3d,%.3d)" of the cells the rectangle covers; empty for none.
std::string AreaRectText(const TAreaRect& rect);

// The shift directions are keypad digits: 8 up, 4 left, 6 right, 2 down; 0 none.
struct TMapShift {
  int Dx = 0;
  int Dy = 0;
  bool operator==(const TMapShift&) const = default;
};
TMapShift MapShiftOf(int direction, int distance);
// The largest distance: the map's width for left and right, else its height.
int MaxShiftDistance(int direction, int width, int height);

// The encounter list's popup items on a row (the blank row is Count), with the list's
// number of encounters and whether the clipboard holds a row.
struct TEncounterMenuState {
  bool Edit = false;
  bool Cut = false;
  bool Copy = false;
  bool Paste = false;
  bool Delete = false;
  bool operator==(const TEncounterMenuState&) const = default;
};
TEncounterMenuState EncounterMenuState(int row, int count, bool canPaste);
