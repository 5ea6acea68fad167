#include "shell/map/map_properties.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace {

int32_t WrapInto(int64_t value, int size) {
  const int64_t r = value % size;
  return static_cast<int32_t>(r < 0 ? r + size : r);
}

} // namespace

TMusicValues MusicValuesOf(const TXelMusic& music) {
  return {music.FileName, music.FadeIn, music.Volume, music.Tempo, music.Balance};
}

void AssignMusicValues(TXelMusic& music, const TMusicValues& values) {
  music.FileName = values.FileName;
  music.FadeIn = values.FadeIn;
  music.Volume = values.Volume;
  music.Tempo = values.Tempo;
  music.Balance = values.Balance;
}

std::vector<int32_t> EncounterGroups(const TXelEncount& list) {
  std::vector<int32_t> groups;
  for (int i = 0; i < list.GetCount(); ++i)
    groups.push_back(list.GetItem(i)->MonGroupId);
  return groups;
}

void AssignEncounterGroups(TXelEncount& list, const std::vector<int32_t>& groups) {
  list.Clear();
  for (int32_t group : groups)
    list.Append()->MonGroupId = group;
}

TMapProperties ReadMapProperties(const TXelMapTreeItem& item, const TXelMap& map) {
  TMapProperties p;
  p.MapName = item.Name;
  p.ChipSetId = map.ChipSetId;
  p.MapWidth = map.Width();
  p.MapHeight = map.Height();
  p.ScrollType = map.ScrollType;
  p.Encounters = EncounterGroups(item.Encounters);
  p.EncounterSteps = item.EncounterSteps;
  p.UsePanorama = map.UsePanorama != 0;
  p.PanoramaName = map.PanoramaName;
  p.HorizontalPan = map.HorizontalPan != 0;
  p.VerticalPan = map.VerticalPan != 0;
  p.HorizontalAutoScroll = map.HorizontalAutoScroll != 0;
  p.VerticalAutoScroll = map.VerticalAutoScroll != 0;
  p.HorizontalSpeed = map.HorizontalSpeed;
  p.VerticalSpeed = map.VerticalSpeed;
  p.BgmMode = item.MusicMode;
  p.Music = MusicValuesOf(item.Music);
  p.BackdropMode = item.BackgroundMode;
  p.BackdropName = item.BackgroundName;
  p.TeleportMode = item.TeleportMode;
  p.EscapeMode = item.EscapeMode;
  p.SaveMode = item.SaveMode;
  return p;
}

void WriteMapTreeSettings(const TMapProperties& p, TXelMapTreeItem& item) {
  item.Name = p.MapName;
  item.MusicMode = static_cast<uint8_t>(p.BgmMode);
  if (p.BgmMode == 2)
    AssignMusicValues(item.Music, p.Music);
  else
    item.Music.Clear();
  item.BackgroundMode = static_cast<uint8_t>(p.BackdropMode);
  item.BackgroundName = p.BackdropMode == 2 ? p.BackdropName : std::string();
  item.TeleportMode = static_cast<uint8_t>(p.TeleportMode);
  item.EscapeMode = static_cast<uint8_t>(p.EscapeMode);
  item.SaveMode = static_cast<uint8_t>(p.SaveMode);
  AssignEncounterGroups(item.Encounters, p.Encounters);
  item.EncounterSteps = p.EncounterSteps;
}

void WriteMapSettings(const TMapProperties& p, TXelMap& map) {
  map.Modified = true;
  map.ChipSetId = p.ChipSetId;
  map.SetWidth(p.MapWidth);
  map.SetHeight(p.MapHeight);
  map.SetScrollType(static_cast<uint8_t>(p.ScrollType));
  map.UsePanorama = p.UsePanorama;
  map.PanoramaName = p.UsePanorama ? p.PanoramaName : std::string();
  map.HorizontalPan = p.HorizontalPan;
  map.VerticalPan = p.VerticalPan;
  map.HorizontalAutoScroll = p.HorizontalAutoScroll;
  map.VerticalAutoScroll = p.VerticalAutoScroll;
  map.HorizontalSpeed = p.HorizontalSpeed;
  map.VerticalSpeed = p.VerticalSpeed;
}

void FitMapContents(TXelMap& map, TXelMapStartPosition& starts, int32_t mapId) {
  const int w = map.Width(), h = map.Height();
  std::vector<int32_t> outside;
  for (int i = 0; i < map.Events.GetCount(); ++i) {
    const TXelEventItem* event = map.Events.Items(i);
    if (event->X >= w || event->Y >= h) outside.push_back(event->Id);
  }
  for (int32_t id : outside)
    map.Events.DeleteById(id);
  for (int i = 0; i < TXelMapStartPosition::PlaceCount; ++i) {
    if (starts.GetMapId(i) != mapId) continue;
    if (starts.GetX(i) < w && starts.GetY(i) < h) continue;
    starts.SetMapId(i, 0);
    starts.SetX(i, 0);
    starts.SetY(i, 0);
  }
}

void ShiftStartPositions(TXelMapStartPosition& starts, int32_t mapId, int dx, int dy, int width,
                         int height) {
  if (width <= 0 || height <= 0) return;
  for (int i = 0; i < TXelMapStartPosition::PlaceCount; ++i) {
    if (starts.GetMapId(i) != mapId) continue;
    starts.SetX(i, WrapInto(int64_t(starts.GetX(i)) + dx, width));
    starts.SetY(i, WrapInto(int64_t(starts.GetY(i)) + dy, height));
  }
}

bool TAreaProperties::operator==(const TAreaProperties& other) const {
  const auto rect = [](const TAreaRect& r) { return std::tie(r.Left, r.Top, r.Right, r.Bottom); };
  return AreaName == other.AreaName && rect(AreaRect) == rect(other.AreaRect) &&
         Encounters == other.Encounters;
}

TAreaProperties ReadAreaProperties(const TXelMapTreeItem& item) {
  return {item.Name, item.AreaRect, EncounterGroups(item.Encounters)};
}

void WriteAreaProperties(const TAreaProperties& p, TXelMapTreeItem& item) {
  item.Name = p.AreaName;
  item.AreaRect = p.AreaRect;
  AssignEncounterGroups(item.Encounters, p.Encounters);
}

std::string AreaRectText(const TAreaRect& r) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return {};
  char text[64];
  std::snprintf(text, sizeof text, "(%.3d,%.3d) - (%.3d,%.3d)", r.Left, r.Top, r.Right - 1,
                r.Bottom - 1);
  return text;
}

TMapShift MapShiftOf(int direction, int distance) {
  switch (direction) {
  case 8:
    return {0, -distance};
  case 4:
    return {-distance, 0};
  case 6:
    return {distance, 0};
  case 2:
    return {0, distance};
  default:
    return {};
  }
}

int MaxShiftDistance(int direction, int width, int height) {
  return direction == 4 || direction == 6 ? width : height;
}

TEncounterMenuState EncounterMenuState(int row, int count, bool canPaste) {
  TEncounterMenuState s;
  const bool onEncounter = row >= 0 && row < count;
  const bool room = count < MaxEncounters;
  s.Edit = onEncounter || (row == count && room);
  s.Cut = s.Copy = s.Delete = onEncounter;
  s.Paste = row >= 0 && row <= count && canPaste && room;
  return s;
}
