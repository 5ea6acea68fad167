// The character-set cache: loading by name without regard to case, the cells of a
// character, and purging unused sheets.
#include <gtest/gtest.h>

#include "core/char_set_graphic.h"
#include "core/editor_mode.h"
#include "core/glimra_board.h"
#include "core/image_file.h"
#include "file_test_env.h"
#include "game_sheets.h"

namespace {

class CharSetGraphic : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    ProjectPath = Path("proj/");
    image_ = MakeGameBitmap(288, 256, 3);
    Mkdir("proj/CharSet");
    SaveBitmapToImageFile(image_, Path("proj/CharSet/Hero.png"));
  }
  TBitmap image_;
};

} // namespace

TEST_F(CharSetGraphic, CellsByCharacterDirectionAndPattern) {
  // Character 5 is in column 1, row 1 of the 72 x 128 blocks; direction 3 (left) is its
  // fourth row of 32, pattern 2 its third column of 24.
  EXPECT_EQ(CharSetCellRect(5, 3, 2), (TRect{120, 224, 144, 256}));
  EXPECT_EQ(CharSetCellRect(0, 2, 1), (TRect{24, 64, 48, 96}));
  EXPECT_EQ(CharSetCellRect(3, 0, 0), (TRect{216, 0, 240, 32}));

  TXelCharSetGraphic cache;
  TGlimraSheet* sheet = cache.GetSheet(cache.LoadCharSet("Hero"));
  ASSERT_NE(sheet, nullptr);
  TGlimraBoard board;
  board.SetSize(24, 32);
  board.DrawSheet(0, 0, *sheet, CharSetCellRect(6, 1, 0));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 24; ++x)
      ASSERT_EQ(board.GetRow(y)[x], GameColor(image_.IndexAt(144 + x, 128 + 32 + y)));
}

TEST_F(CharSetGraphic, NamesAreCachedOnceWithoutRegardToCase) {
  TXelCharSetGraphic cache;
  EXPECT_EQ(cache.LoadCharSet("hero"), 0);
  EXPECT_EQ(cache.LoadCharSet("HERO"), 0);
  EXPECT_EQ(cache.GetCount(), 1);
  EXPECT_EQ(cache.Names[0], "hero");
  EXPECT_EQ(cache.IndexOf("Hero"), 0);
  EXPECT_EQ(cache.IndexOf("Heroine"), -1);
  EXPECT_EQ(cache.GetSheet(0)->Width(), 288);
  EXPECT_EQ(cache.GetSheet(0)->Pixels()[5 * 288 + 7], image_.IndexAt(7, 5));
  EXPECT_EQ(cache.GetSheet(1), nullptr);
  EXPECT_EQ(cache.GetSheet(-1), nullptr);

  // A missing sheet is cached cleared; its error is raised only outside editor mode.
  EXPECT_THROW(cache.LoadCharSet("Ghost"), EFileError);
  EXPECT_EQ(cache.IndexOf("ghost"), 1);
  {
    TApplicationTagScope editor(EditorModeTag);
    EXPECT_EQ(cache.LoadCharSet("Phantom"), 2);
  }
  EXPECT_TRUE(cache.GetSheet(2)->IsRectClear(TRect{0, 0, 288, 256}));

  cache.MarkAllUnused();
  EXPECT_FALSE(cache.IsUsed(0));
  cache.LoadCharSet("Hero");
  EXPECT_TRUE(cache.IsUsed(0));
  EXPECT_FALSE(cache.IsUsed(1));
  cache.Clear();
  EXPECT_EQ(cache.GetCount(), 0);
  EXPECT_EQ(cache.IndexOf("Hero"), -1);
}

TEST_F(CharSetGraphic, PurgeFreesUnusedSheetsUntilFewerThanTwentyRemain) {
  TApplicationTagScope editor(EditorModeTag);
  TXelCharSetGraphic cache;
  for (int i = 0; i < 25; ++i)
    cache.LoadCharSet("Set" + std::to_string(i));
  cache.PurgeUnused();
  EXPECT_EQ(cache.GetCount(), 25); // everything in use

  // Sets 2, 4, ..., 20 unused: the first six of them go, then 19 names remain.
  cache.MarkAllUnused();
  for (int i = 0; i < 25; ++i)
    if (i % 2 || i > 20) cache.LoadCharSet("Set" + std::to_string(i));
  cache.PurgeUnused();
  EXPECT_EQ(cache.GetCount(), 19);
  for (int i : {0, 2, 4, 6, 8, 10})
    EXPECT_EQ(cache.IndexOf("Set" + std::to_string(i)), -1) << i;
  for (int i : {12, 14, 16, 18, 20, 1, 24})
    EXPECT_GE(cache.IndexOf("Set" + std::to_string(i)), 0) << i;
  EXPECT_EQ(cache.Sheets.size(), 19u);
  EXPECT_EQ(cache.Used.size(), 19u);
}
