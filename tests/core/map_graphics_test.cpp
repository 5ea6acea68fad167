// A map's own graphics: the chipset of its database entry and the character sets of its
// event pages, loaded from the project's materials.
#include <gtest/gtest.h>

#include "core/char_set_graphic.h"
#include "core/chip_set_graphic.h"
#include "core/chipset_record.h"
#include "core/database_tables.h"
#include "core/glimra_board.h"
#include "core/image_file.h"
#include "core/map.h"
#include "file_test_env.h"
#include "game_sheets.h"

namespace {

class MapGraphics : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    ProjectPath = Path("proj/");
    Mkdir("proj/ChipSet");
    Mkdir("proj/CharSet");
    SaveBitmapToImageFile(MakeGameBitmap(480, 256, 1), Path("proj/ChipSet/Meadow.png"));
    SaveBitmapToImageFile(MakeGameBitmap(288, 256, 2), Path("proj/CharSet/Hero.png"));
    chipSets_.GetOrCreate(1)->Graphic = "Meadow";
    ChipSetList = &chipSets_;
  }
  void TearDown() override {
    ChipSetList = nullptr;
    FileTestEnv::TearDown();
  }
  TXelChipSet chipSets_;
};

} // namespace

TEST_F(MapGraphics, AMapDrawsFromItsChipSetAndCachesItsCharacterSets) {
  TXelMap map;
  map.ChipSetId = 1;
  map.ReloadChipSet();
  TXelChipSetGraphic* chips = map.Graphics().ChipSetGraphic();
  ASSERT_NE(chips, nullptr);
  EXPECT_EQ(chips->ChipSet, chipSets_.GetItemById(1));
  TGlimraBoard board;
  board.SetSize(16, 16);
  chips->DrawChip(board, 0, 0, 5001, 0, false, 16); // chip 1: pixel (208, 0) on
  EXPECT_EQ(board.GetRow(0)[0], GameColor(HashedIndex(208, 0, 1)));

  map.ClearChipSetGraphic();
  EXPECT_EQ(chips->ChipSet, nullptr);
  EXPECT_FALSE(chips->IsLoaded());

  map.Events.GetOrCreate(1)->Pages.Items(0)->GraphicName = "HERO";
  map.LoadCharSets();
  TXelCharSetGraphic* chars = map.Graphics().CharSetGraphic();
  ASSERT_NE(chars, nullptr);
  ASSERT_EQ(chars->GetCount(), 1);
  EXPECT_EQ(chars->GetSheet(chars->IndexOf("Hero"))->Pixels()[3], HashedIndex(3, 0, 2));
}
