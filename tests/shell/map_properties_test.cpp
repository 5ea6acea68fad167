// What the map and area dialogs' OK does to a tree entry, its map and the start
// positions, and their menu and shift arithmetic, without a window.
#include "shell/map/map_properties.h"

#include <gtest/gtest.h>

namespace {

TEST(MapProperties, AShrunkMapLosesTheEventsAndStartsOutsideIt) {
  TXelMap map;
  map.SetWidth(30);
  map.SetHeight(30);
  const std::tuple<int32_t, int, int> events[] = {
      {1, 19, 14}, {2, 20, 0}, {3, 0, 15}, {4, 5, 5}, {5, 29, 29}};
  for (const auto& [id, x, y] : events) {
    TXelEventItem* event = map.Events.GetOrCreate(id);
    event->X = x;
    event->Y = y;
  }
  TXelMapStartPosition starts;
  // Party on the map outside, boat on it inside, ship outside but on another map, airship
  // on the map's last row that goes.
  const std::tuple<int32_t, int, int> places[] = {{3, 25, 3}, {3, 19, 14}, {4, 25, 3}, {3, 0, 15}};
  for (int i = 0; i < 4; ++i) {
    starts.SetMapId(i, std::get<0>(places[i]));
    starts.SetX(i, std::get<1>(places[i]));
    starts.SetY(i, std::get<2>(places[i]));
  }
  map.SetWidth(20);
  map.SetHeight(15);
  FitMapContents(map, starts, 3);

  std::vector<int32_t> left;
  for (int i = 0; i < map.Events.GetCount(); ++i)
    left.push_back(map.Events.Items(i)->Id);
  EXPECT_EQ(left, (std::vector<int32_t>{1, 4}));
  const std::tuple<int32_t, int, int> expected[] = {{0, 0, 0}, {3, 19, 14}, {4, 25, 3}, {0, 0, 0}};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(std::make_tuple(starts.GetMapId(i), starts.GetX(i), starts.GetY(i)), expected[i])
        << "place " << i;
}

TEST(MapProperties, StartPositionsShiftWithWrapOnTheirMapOnly) {
  struct Row {
    int dx, dy, x, y, wantX, wantY;
  };
  const Row rows[] = {{-3, 0, 1, 4, 18, 4}, {3, 0, 18, 4, 1, 4},    {0, -20, 2, 3, 2, 13},
                      {0, 2, 2, 14, 2, 1},  {-45, 31, 0, 0, 15, 1}, {0, 0, 7, 7, 7, 7}};
  for (const Row& r : rows) {
    TXelMapStartPosition starts;
    starts.SetMapId(0, 5);
    starts.SetX(0, r.x);
    starts.SetY(0, r.y);
    starts.SetMapId(1, 6);
    starts.SetX(1, r.x);
    starts.SetY(1, r.y);
    ShiftStartPositions(starts, 5, r.dx, r.dy, 20, 15);
    EXPECT_EQ(starts.GetX(0), r.wantX) << r.dx << "," << r.dy;
    EXPECT_EQ(starts.GetY(0), r.wantY) << r.dx << "," << r.dy;
    EXPECT_EQ(starts.GetX(1), r.x);
    EXPECT_EQ(starts.GetY(1), r.y);
  }
}

TEST(MapProperties, ShiftDirectionsAndTheirLimits) {
  struct Row {
    int direction;
    TMapShift shift;
    int maximum;
  };
  const Row rows[] = {
      {8, {0, -3}, 15}, {4, {-3, 0}, 40}, {6, {3, 0}, 40}, {2, {0, 3}, 15}, {0, {0, 0}, 15}};
  for (const Row& r : rows) {
    EXPECT_EQ(MapShiftOf(r.direction, 3), r.shift) << r.direction;
    EXPECT_EQ(MaxShiftDistance(r.direction, 40, 15), r.maximum) << r.direction;
  }
}

TEST(MapProperties, EncounterMenuFollowsTheRowTheCountAndTheClipboard) {
  struct Row {
    int row, count;
    bool canPaste;
    TEncounterMenuState state; // edit, cut, copy, paste, delete
  };
  const Row rows[] = {
      {0, 0, false, {true, false, false, false, false}}, // the blank row of an empty list
      {0, 0, true, {true, false, false, true, false}},
      {1, 3, true, {true, true, true, true, true}},
      {3, 3, false, {true, false, false, false, false}}, // the blank row
      {499, 500, true, {true, true, true, false, true}}, // full: a row edits, no paste
      {500, 500, true, {false, false, false, false, false}},
      {-1, 3, true, {false, false, false, false, false}}, // nothing selected
  };
  for (const Row& r : rows)
    EXPECT_EQ(EncounterMenuState(r.row, r.count, r.canPaste), r.state)
        << r.row << " of " << r.count << (r.canPaste ? " paste" : "");
}

TEST(MapProperties, OkWritesTheEntryAndTheMapAsTheModesSay) {
  TXelMapTreeItem item(3);
  TXelMap map;
  TMapProperties p = ReadMapProperties(item, map);
  p.MapName = "Harbour";
  p.MapWidth = 40;
  p.MapHeight = 25;
  p.ScrollType = 3;
  p.UsePanorama = false;
  p.PanoramaName = "Sky";
  p.BgmMode = 1;
  p.Music.FileName = "Theme";
  p.BackdropMode = 0;
  p.BackdropName = "Field";
  p.Encounters = {2, 5, 2};
  p.EncounterSteps = 40;
  WriteMapTreeSettings(p, item);
  WriteMapSettings(p, map);
  EXPECT_EQ(item.Name, "Harbour");
  EXPECT_EQ(item.Music.FileName, TXelMusic().FileName);
  EXPECT_EQ(item.BackgroundName, "");
  EXPECT_EQ(map.PanoramaName, "");
  EXPECT_EQ(map.LowerLayer.Width(), 40);
  EXPECT_EQ(map.UpperLayer.Height(), 25);
  EXPECT_TRUE(map.IsLoopHorizontal() && map.IsLoopVertical());
  EXPECT_TRUE(map.Modified);

  // Set by the entry, they are kept, and read back as they were written.
  p.BgmMode = 2;
  p.BackdropMode = 2;
  p.UsePanorama = true;
  WriteMapTreeSettings(p, item);
  WriteMapSettings(p, map);
  EXPECT_EQ(ReadMapProperties(item, map), p);
}

TEST(MapProperties, AreaRectangleText) {
  const std::pair<TAreaRect, const char*> rows[] = {{{2, 2, 20, 15}, "(002,002) - (019,014)"},
                                                    {{0, 0, 1, 1}, "(000,000) - (000,000)"},
                                                    {{0, 0, 0, 0}, ""},
                                                    {{5, 3, 5, 9}, ""},
                                                    {{5, 9, 8, 9}, ""}};
  for (const auto& [rect, text] : rows)
    EXPECT_EQ(AreaRectText(rect), text) << text;
}

} // namespace
