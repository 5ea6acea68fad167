// The chipset page: chip clicks, terrain painting, the modes, "Set to All..." and the sea
// preview, driven through the database window.
#include <QComboBox>
#include <QListView>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include "core/chip_set_graphic.h"
#include "core/chipset_record.h"
#include "core/database_tables.h"
#include "core/game_sheets.h"
#include "core/image_file.h"
#include "core/stream.h"
#include "database/ed_chipset.h"
#include "database_window_env.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_material_list.h"

namespace {

class ChipSetPage : public DataBaseWindowTest {
protected:
  void SetUp() override {
    DataBaseWindowTest::SetUp();
    window.reset();
    Open(9);
    page = &CurrentPage<TFormEDChipSet>();
    // The tab shown last stays for the run; these tests start on the lower one.
    Tab(ctLower);
    Bind(1);
  }
  // Binds the list's line Row.
  void Bind(int row) {
    page->SelectRow(row);
    item = ChipSetList->GetItem(row);
  }
  template <class Control = QWidget> Control* Find(const char* name) {
    return FindControl<Control>(page, name);
  }
  void Mode(const char* button) { Find<QToolButton>(button)->click(); }
  void Tab(int tab) { Find<QTabWidget>("PageControl1")->setCurrentIndex(tab); }
  TOpaquePaintBox* Grid(int tab = ctLower) {
    return Find<TOpaquePaintBox>(tab == ctLower ? "PaintBox1" : "PaintBox2");
  }
  // The middle of chip Index, or Offset inside its cell.
  static QPoint At(int index, QPoint offset = {16, 16}) {
    return QPoint((index % 6) * 32, (index / 6) * 32) + offset;
  }
  void Click(int index, Qt::MouseButton button = Qt::LeftButton, int tab = ctLower,
             QPoint offset = {16, 16}) {
    QTest::mouseClick(Grid(tab), button, {}, At(index, offset));
  }
  int TerrainRow() {
    auto* list = Find<QListView>("ListBox1");
    return list->selectionModel()->hasSelection() ? list->currentIndex().row() : -1;
  }
  void SelectTerrain(int row) {
    auto* list = Find<QListView>("ListBox1");
    list->setCurrentIndex(list->model()->index(row, 0));
  }

  TFormEDChipSet* page = nullptr;
  TXelChipSetItem* item = nullptr;
};

TEST_F(ChipSetPage, PassingClicksCycleAndTheSquareBelongsToRowsOneAndTwo) {
  Mode("SpeedButton2");
  const auto cycle = [&](int index, Qt::MouseButton button, int clicks) {
    item->SetLowerPassability(index, 0x0F);
    std::vector<int> seen;
    for (int k = 0; k < clicks; ++k) {
      Click(index, button);
      seen.push_back(item->GetLowerPassability(index));
    }
    return seen;
  };
  EXPECT_EQ(cycle(8, Qt::LeftButton, 4), (std::vector<int>{0x00, 0x1F, 0x30, 0x0F}));
  EXPECT_EQ(cycle(17, Qt::RightButton, 4), (std::vector<int>{0x30, 0x1F, 0x00, 0x0F}));
  EXPECT_EQ(cycle(3, Qt::LeftButton, 3), (std::vector<int>{0x00, 0x1F, 0x0F}));
  EXPECT_EQ(cycle(20, Qt::RightButton, 3), (std::vector<int>{0x1F, 0x00, 0x0F}));
  EXPECT_TRUE(ApplyEnabled());

  // "Pass 4 Dir." toggles the direction of the triangle under the press.
  Mode("SpeedButton3");
  item->SetLowerPassability(30, 0x0F);
  Click(30, Qt::LeftButton, ctLower, {16, 3});
  Click(30, Qt::RightButton, ctLower, {29, 16});
  EXPECT_EQ(item->GetLowerPassability(30), 0x03);
  // Outside the six columns nothing happens.
  const std::vector<uint8_t> before(item->LowerPassability, item->LowerPassability + 162);
  QTest::mouseClick(Grid(), Qt::LeftButton, {}, QPoint(195, 10));
  EXPECT_EQ(std::vector<uint8_t>(item->LowerPassability, item->LowerPassability + 162), before);
}

TEST_F(ChipSetPage, UpperChipZeroIsNeitherHighlightedNorEdited) {
  Tab(ctUpper);
  EXPECT_EQ(page->ActiveTab(), ctUpper);
  EXPECT_EQ(page->Mode(ctUpper), TChipEditMode::Passing);
  item->SetUpperPassability(0, 0x0F);
  item->SetUpperPassability(1, 0x0F);
  QTest::mouseMove(Grid(ctUpper), At(0));
  EXPECT_EQ(page->HoverPos(), (TPoint{-1, -1}));
  for (auto button : {Qt::LeftButton, Qt::RightButton})
    Click(0, button, ctUpper);
  EXPECT_EQ(item->GetUpperPassability(0), 0x0F);
  EXPECT_FALSE(ApplyEnabled());
  // No square on the upper chips; the counter mode toggles its bit.
  Click(1, Qt::RightButton, ctUpper);
  EXPECT_EQ(item->GetUpperPassability(1), 0x1F);
  Mode("SpeedButton6");
  Click(1, Qt::LeftButton, ctUpper);
  EXPECT_EQ(item->GetUpperPassability(1), 0x5F);
  EXPECT_EQ(page->HoverPos(), (TPoint{At(1).x(), At(1).y()}));
}

TEST_F(ChipSetPage, TerrainPickPaintAndModeChanges) {
  EXPECT_EQ(page->Mode(ctLower), TChipEditMode::Terrain);
  for (int i = 0; i < LowerChipCount; ++i)
    item->SetChipTerrain(i, 9);
  item->SetChipTerrain(7, 4);
  // A right click picks the chip's terrain up and leaves the chip.
  Click(7, Qt::RightButton);
  EXPECT_EQ(TerrainRow(), 3);
  EXPECT_EQ(item->GetChipTerrain(7), 4);
  EXPECT_FALSE(ApplyEnabled());

  // With no terrain chosen a left click changes nothing.
  Find<QListView>("ListBox1")->selectionModel()->clear();
  Click(7);
  EXPECT_EQ(item->GetChipTerrain(7), 4);
  EXPECT_FALSE(ApplyEnabled());

  // A drag paints every chip it passes, and nothing beyond the grid.
  SelectTerrain(1);
  QTest::mousePress(Grid(), Qt::LeftButton, {}, At(0));
  for (int i = 1; i <= 5; ++i)
    QTest::mouseMove(Grid(), At(i));
  QTest::mouseMove(Grid(), QPoint(200, 16));
  QTest::mouseMove(Grid(), QPoint(16, -10));
  QTest::mouseRelease(Grid(), Qt::LeftButton, {}, QPoint(16, -10));
  QTest::mouseMove(Grid(), At(6));
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(item->GetChipTerrain(i), i <= 5 ? 2 : i == 7 ? 4 : 9) << i;
  EXPECT_TRUE(ApplyEnabled());

  // Another mode keeps the selection away from the list, "Terrain Type" brings it back.
  SelectTerrain(4);
  Mode("SpeedButton2");
  EXPECT_FALSE(Find("ListBox1")->isEnabled());
  EXPECT_FALSE(Find("Button1")->isEnabled());
  EXPECT_EQ(TerrainRow(), -1);
  Mode("SpeedButton1");
  EXPECT_TRUE(Find("ListBox1")->isEnabled());
  EXPECT_EQ(TerrainRow(), 4);
  SelectTerrain(6);
  Mode("SpeedButton1");
  EXPECT_EQ(TerrainRow(), 6);

  // "Set to All..." offers the list's terrain and writes the chosen one to all 162 chips.
  SelectTerrain(2);
  int offered = 0;
  TScopedModalOpener opener([&](TFormXelBase& form, const std::function<bool()>&) {
    auto* dialog = dynamic_cast<TFormEDChipSetGroundAll*>(&form);
    if (!dialog) return false;
    offered = dialog->Terrain;
    dialog->Terrain = 6;
    return true;
  });
  Find<QPushButton>("Button1")->click();
  EXPECT_EQ(offered, 3);
  for (int i : {0, 7, 161})
    EXPECT_EQ(item->GetChipTerrain(i), 6);
  // Field 3 holds 162 16-bit ids: its chunk is 3, then 324 as a compressed integer.
  TMemoryStream saved;
  item->SaveToStream(saved);
  const std::vector<uint8_t> head = {0x03, 0x82, 0x44, 6, 0};
  EXPECT_NE(std::search(saved.Bytes().begin(), saved.Bytes().end(), head.begin(), head.end()),
            saved.Bytes().end());

  const int id = item->Id;
  Apply();
  Cancel();
  const auto& reloaded = *static_cast<TXelChipSetItem*>(ChipSetList->FindById(id));
  EXPECT_EQ(reloaded.GetChipTerrain(100), 6);
}

TEST_F(ChipSetPage, TheDialogPreselectsTheTerrainOfTheList) {
  TFormEDChipSetGroundAll dialog(page);
  dialog.Terrain = 3;
  OnNextModal<TFormEDChipSetGroundAll>([](TFormEDChipSetGroundAll* shown) {
    auto* combo = FindControl<QComboBox>(shown, "ComboBox1");
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_TRUE(combo->currentText().startsWith("0003:"));
    combo->setCurrentIndex(4);
    FindControl<QPushButton>(shown, "ButtonOk")->click();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Terrain, 5);
}

TEST_F(ChipSetPage, PassabilityRoundTripsAndTheSeaRestartsOnItsSettings) {
  Mode("SpeedButton2");
  item->SetLowerPassability(12, 0x0F);
  Click(12, Qt::RightButton);
  Find<QRadioButton>("RadioButtonB2")->click();
  for (int k = 0; k < 3; ++k)
    page->Timer2Timer();
  EXPECT_EQ(page->SeaFrame(), 3);
  Find<QRadioButton>("RadioButtonA2")->click();
  EXPECT_EQ(page->SeaFrame(), 0);
  page->Timer2Timer();
  Find<QRadioButton>("RadioButtonB1")->click();
  EXPECT_EQ(page->SeaFrame(), 0);
  Find<QRadioButton>("RadioButtonB2")->click();
  const int id = item->Id;
  Apply();
  Cancel();
  const auto& reloaded = *static_cast<TXelChipSetItem*>(ChipSetList->FindById(id));
  EXPECT_EQ(reloaded.GetLowerPassability(12), 0x30);
  EXPECT_EQ(reloaded.SeaAnimationType, 1);
  EXPECT_EQ(reloaded.SeaAnimationSpeed, 1);
}

TEST_F(ChipSetPage, GridCellsAreTheChipsOfTheirTiles) {
  Mkdir("Project/ChipSet");
  SaveBitmapToImageFile(MakeGameBitmap(ChipSetWidth, ChipSetHeight, 7),
                        Path("Project/ChipSet/Meadow.png"));
  for (int i = 0; i < LowerChipCount; ++i)
    item->SetChipTerrain(i, 0);
  TScopedModalOpener opener([](TFormXelBase& form, const std::function<bool()>&) {
    auto* picker = dynamic_cast<TFormSelChipSet*>(&form);
    if (picker) picker->FileName = "Meadow";
    return picker != nullptr;
  });
  page->DashBox1Click();
  ASSERT_TRUE(page->ChipGraphic().IsLoaded());
  EXPECT_EQ(item->Graphic, "Meadow");
  EXPECT_TRUE(ApplyEnabled());

  TXelChipSetGraphic own;
  own.SetChipSet(item);
  own.SetTransparent(false);
  for (int tab : {ctLower, ctUpper}) {
    Tab(tab);
    if (tab == ctUpper) Mode("SpeedButton6");
    for (int index : {0, 2, 4, 9, 17, 18, 100, 143}) {
      TGlimraBoard chip;
      chip.SetSize(32, 32);
      own.DrawChip(chip, 0, 0, ChipGridTileId(tab, index), 0, false, 32);
      const int x0 = (index % 6) * 32, y0 = (index / 6) * 32;
      int differing = 0;
      // The bottom row and right column are the grid's lines; the counter mode's closed
      // mark covers the middle of upper chips.
      for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 31; ++x) {
          const bool mark = tab == ctUpper && x >= 8 && x < 24 && y >= 8 && y < 24;
          if (!mark && page->ChipBoard().GetRow(y0 + y)[x0 + x] != chip.GetRow(y)[x]) ++differing;
        }
      EXPECT_EQ(differing, 0) << tab << "/" << index;
      EXPECT_EQ(page->ChipBoard().GetRow(y0 + 31)[x0 + 5], 0);
    }
  }
}

} // namespace
