#include <gtest/gtest.h>

#include "core/cell_picker.h"
#include "core/list_picker_kinds.h"
#include "core/music_playback.h"
#include "core/name_picker.h"
#include "core/switch_records.h"

namespace {

using Items = std::vector<std::string>;

TEST(ListPickerLogic, NamesSelectTheirOwnEntryThenThePackageEntryElseTheFallback) {
  const Items items = {"*Page", "Hill", "Sea", "Hill <RTP>", "Town <RTP>"};
  struct {
    const char* name;
    int first, fallback, found, selected;
  } rows[] = {
      {"Hill", 0, 0, 1, 1},       // the project's entry wins over the package's
      {"Town", 0, 0, 4, 4},       // only in the package: its marked entry
      {"Cave", 0, 0, -1, 0},      // nowhere: the fallback
      {"Cave", 0, 2, -1, 2},      //
      {"Cave", 0, 9, -1, 4},      // a fallback past the end is the last entry
      {"*Page", 1, 0, -1, 0},     // entries before First are fixed ones, not names
      {"", 0, 0, -1, 0},          //
      {"Town <RTP>", 0, 0, 4, 4}, // a marked name as typed
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FindMaterialEntry(items, row.name, row.first), row.found) << row.name;
    EXPECT_EQ(MaterialEntryToSelect(items, row.name, row.fallback, row.first), row.selected)
        << row.name;
  }
  EXPECT_EQ(MaterialEntryToSelect({}, "Hill"), -1);
}

TEST(NamePickerLogic, GroupsOfTwentyWithAShortLastGroup) {
  struct {
    int count, groups;
    std::vector<std::string> lines;
    int lastSize;
  } rows[] = {
      {45, 3, {"[ 0001 - 0020 ]", "[ 0021 - 0040 ]", "[ 0041 - 0045 ]"}, 5},
      {40, 2, {"[ 0001 - 0020 ]", "[ 0021 - 0040 ]"}, 20},
      {1, 1, {"[ 0001 - 0001 ]"}, 1},
      {0, 0, {}, 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(NameGroupCount(row.count), row.groups) << row.count;
    for (int g = 0; g < row.groups; ++g)
      EXPECT_EQ(NameGroupLine(g, row.count), row.lines[static_cast<size_t>(g)]) << row.count;
    if (row.groups) {
      EXPECT_EQ(NameGroupSize(row.groups - 1, row.count), row.lastSize);
    }
  }
  EXPECT_EQ(NameItemLine(57, "Door open"), "0057:Door open");
  EXPECT_EQ(NameItemLine(3, ""), "0003:");
  EXPECT_EQ(GroupOfId(57), 2);
  EXPECT_EQ(LineOfId(57), 16);
  EXPECT_EQ(IdOfLine(2, 16), 57);
  EXPECT_EQ(ClampNameId(57, 10), 10);
  EXPECT_EQ(ClampNameId(0, 10), 1);
  EXPECT_EQ(ClampNameId(5, 0), 0);
}

TEST(NamePickerLogic, WorkingNamesGoBackIntoTheCatalogAtTheirCount) {
  TXelSwitch switches;
  for (const char* name : {"Door", "Gate", "Key"})
    switches.Append()->Name = name;
  TWorkingNames names;
  names.LoadFrom(switches);
  ASSERT_EQ(names.Count(), 3);
  EXPECT_EQ(names.Name(2), "Gate");

  names.SetCount(5);
  names.SetName(5, "Bridge");
  names.ApplyTo(switches);
  ASSERT_EQ(switches.GetCount(), 5);
  EXPECT_EQ(switches.Items(4)->Id, 5);
  EXPECT_EQ(switches.Items(4)->Name, "Bridge");
  EXPECT_EQ(switches.Items(3)->Name, "");

  names.SetCount(0); // at least one entry stays
  names.ApplyTo(switches);
  ASSERT_EQ(switches.GetCount(), 1);
  EXPECT_EQ(switches.Items(0)->Name, "Door");
}

TEST(NamePickerLogic, PreviousAndNextCrossIntoTheNeighbouringGroup) {
  using K = TListKey;
  struct {
    TNameStep step;
    K group, item;
  } rows[] = {
      {PreviousNameStep(1, 0, 3), K::Up, K::End},  // first line of the second group
      {PreviousNameStep(0, 0, 3), K::None, K::Up}, // first line of all: stays
      {PreviousNameStep(1, 4, 3), K::None, K::Up},
      {NextNameStep(0, 19, 3, 20), K::Down, K::Home}, // last line of a group
      {NextNameStep(2, 4, 3, 5), K::None, K::Down},   // last line of all
      {NextNameStep(0, 3, 3, 20), K::None, K::Down},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.step.GroupKey, row.group);
    EXPECT_EQ(row.step.ItemKey, row.item);
  }
}

TEST(CellPickerLogic, ClicksHitCharactersFacesAndChips) {
  struct {
    int hit, expected;
  } rows[] = {
      {CharIndexAt(100, 70), 6},   {CharIndexAt(0, 0), 0},    {CharIndexAt(191, 127), 7},
      {CharIndexAt(192, 10), -1},  {CharIndexAt(10, -1), -1}, {FaceIndexAt(50, 100), 9},
      {FaceIndexAt(191, 191), 15}, {FaceIndexAt(192, 0), -1}, {ChipIdAt(2, 130, 5), 100},
      {ChipIdAt(0, 0, 255), 42},   {ChipIdAt(1, 0, 256), -1}, {ChipIdAt(-1, 40, 330), 61},
      {ChipIdAt(-1, 0, 768), -1},
  };
  for (size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(rows[i].hit, rows[i].expected) << "row " << i;
}

TEST(CellPickerLogic, CellsOnSheetsAndBoards) {
  // Character 6 (column 2, row 1), right pattern, facing left.
  EXPECT_EQ(CharCellRect(6, 2, 3), Bounds(72 * 2 + 48, 128 + 96, 24, 32));
  EXPECT_EQ(CharViewRect(6), Bounds(96, 64, 48, 64));
  EXPECT_EQ(FaceRect(9), Bounds(48, 96, 48, 48));
  EXPECT_EQ(ChipRectOnPage(100, 2), Bounds(128, 0, 32, 32));
  EXPECT_EQ(ChipRectOnPage(61, -1), Bounds(32, 320, 32, 32));
  EXPECT_EQ(PageChipTileId(2, 4, 0), 10100);
  EXPECT_EQ(PaletteChipTileId(0, 7), 5007);
  EXPECT_EQ(PaletteChipTileId(1, 7), 10007);
  // Values out of range are shown at the nearest cell, never outside the sheet.
  EXPECT_EQ(CharCellRect(12, -1, 9), CharCellRect(7, 0, 3));
  EXPECT_EQ(FaceRect(-3), FaceRect(0));
}

TEST(CellPickerLogic, ChipPagesKeepThePlaceOnThePage) {
  EXPECT_EQ(ChipPageOf(100), 2);
  EXPECT_EQ(ChipPageOf(47), 0);
  EXPECT_EQ(ChipPageOf(144), 0); // outside the chips: the first page
  EXPECT_EQ(ChipPageOf(-1), 0);
  EXPECT_EQ(ChipIdOnPage(0, 100), 4);
  EXPECT_EQ(ChipIdOnPage(1, 100), 52);
  EXPECT_EQ(ChipIdOnPage(1, 500), 48);
  EXPECT_EQ(ShownChipId(143), 143);
  EXPECT_EQ(ShownChipId(144), 0);
}

TEST(CellPickerLogic, PaletteScrollPutsTheChipFourRowsDownWithinTheRange) {
  EXPECT_EQ(PaletteScrollFor(0, 256), 0);
  EXPECT_EQ(PaletteScrollFor(60, 256), 192);
  EXPECT_EQ(PaletteScrollFor(143, 256), 768 - 256);
  EXPECT_EQ(PaletteScrollFor(143, 1000), 0);
}

TEST(MusicPickerLogic, SliderPositionsAndValues) {
  using S = TSoundSlider;
  struct {
    S slider;
    int position, value;
  } steps[] = {{S::FadeIn, 5, 5000},
               {S::Volume, 9, 90},
               {S::Tempo, 0, 50},
               {S::Tempo, 10, 150},
               {S::Balance, 5, 50}};
  for (const auto& step : steps) {
    EXPECT_EQ(SoundSliderValue(step.slider, step.position), step.value);
    EXPECT_EQ(SoundSliderPosition(step.slider, step.value), step.position);
  }
  EXPECT_EQ(SoundSliderPosition(S::Volume, 95), 9);
  EXPECT_EQ(SoundSliderPosition(S::Tempo, 55), 0);
  EXPECT_EQ(SoundSliderPosition(S::Tempo, 40), 0);
  EXPECT_EQ(SoundSliderPosition(S::FadeIn, 99999), 10);
  EXPECT_EQ(SoundSliderPosition(S::Balance, -30), 0);
}

} // namespace
