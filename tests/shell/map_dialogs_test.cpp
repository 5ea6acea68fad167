// The map, area, encounter, shift and vehicle dialogs, driven as the author would.
#include "shell/map/map_dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "core/chipset_record.h"
#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database.h"
#include "core/monster_records.h"
#include "core/stream.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"
#include "framework/harness/widget_harness.h"

namespace {

class MapDialogs : public ::testing::Test {
protected:
  void SetUp() override {
    for (int id = 1; id <= 6; ++id)
      MonGroupList->GetOrCreate(id)->Name = "Group" + std::to_string(id);
    ChipSetList->GetOrCreate(1)->Name = "Field";
    ChipSetList->GetOrCreate(2)->Name = "Town";
    SetClipboardProvider(&clipboard);
    LastEncounterGroup = 1;
    LastShiftDirection = 0;
    LastShiftDistance = 1;
  }
  void TearDown() override { SetClipboardProvider(nullptr); }

  template <class Control = QWidget> Control* Find(QWidget* form, const char* name) {
    return FindControl<Control>(form, name);
  }

  TXelDataBase database;
  TMemoryClipboard clipboard;
};

TEST_F(MapDialogs, MapUnderTheRootHasNoParentMapChoices) {
  TFormEDMap form;
  form.IsNewMap = false;
  form.IsTopLevel = true;
  form.MapId = 3;
  form.Properties.ChipSetId = 9; // beyond the two chip sets
  ShowAndActivate(&form);
  EXPECT_EQ(form.windowTitle(), "The setup of the map - ID:0003");
  const std::pair<const char*, const char*> shown[] = {{"RadioButtonA2", "No Change"},
                                                       {"RadioButtonB2", "By Terrain Chip"},
                                                       {"RadioButtonC2", "Enable"},
                                                       {"RadioButtonD2", "Enable"},
                                                       {"RadioButtonE2", "Enable"}};
  for (const auto& [name, caption] : shown) {
    auto* button = Find<QRadioButton>(&form, name);
    EXPECT_EQ(button->text(), caption);
    EXPECT_TRUE(button->isChecked()) << name;
  }
  for (const char* name :
       {"RadioButtonA1", "RadioButtonB1", "RadioButtonC1", "RadioButtonD1", "RadioButtonE1"})
    EXPECT_FALSE(Find(&form, name)->isEnabled()) << name;
  EXPECT_FALSE(Find(&form, "DashBoxA")->isEnabled());
  EXPECT_EQ(Find<QComboBox>(&form, "ComboBox1")->currentIndex(), 0);

  Find<QRadioButton>(&form, "RadioButtonA3")->click();
  EXPECT_TRUE(Find(&form, "DashBoxA")->isEnabled());
  Find<QPushButton>(&form, "ButtonOk")->click();
  EXPECT_EQ(form.Properties.ChipSetId, 1);
  EXPECT_EQ(form.Properties.BgmMode, 2);
  EXPECT_EQ(form.Properties.BackdropMode, 1);
}

TEST_F(MapDialogs, PanoramaControlsFollowTheirBoxes) {
  TFormEDMap form;
  form.Properties.UsePanorama = true;
  form.Properties.PanoramaName = "Sky";
  form.Properties.HorizontalPan = true;
  form.Properties.HorizontalAutoScroll = true;
  form.Properties.HorizontalSpeed = -7;
  ShowAndActivate(&form);
  EXPECT_EQ(form.windowTitle(), "The preparation of the map - ID:0000");
  auto* speed = Find<TDialEdit>(&form, "DialEdit4");
  EXPECT_TRUE(speed->isEnabled());
  EXPECT_FALSE(Find(&form, "DialEdit5")->isEnabled());
  EXPECT_FALSE(Find(&form, "CheckBox5")->isEnabled());

  // Unticking the auto scroll and ticking it again brings the stored speed back.
  Find<QCheckBox>(&form, "CheckBox3")->click();
  EXPECT_FALSE(speed->isEnabled());
  Find<QCheckBox>(&form, "CheckBox3")->click();
  EXPECT_EQ(speed->Value(), -7);

  Find<QCheckBox>(&form, "CheckBox1")->click();
  for (const char* name :
       {"ScrollFrame1", "Button1", "CheckBox2", "CheckBox3", "CheckBox4", "DialEdit4", "Label6"})
    EXPECT_FALSE(Find(&form, name)->isEnabled()) << name;
  Find<QPushButton>(&form, "ButtonOk")->click();
  EXPECT_FALSE(form.Properties.UsePanorama);
  EXPECT_EQ(form.Properties.HorizontalSpeed, -7);
}

TEST_F(MapDialogs, AreaCaptionAndRectangle) {
  TFormEDArea form;
  form.AreaId = 12;
  form.Properties.AreaRect = {2, 2, 20, 15};
  ShowAndActivate(&form);
  EXPECT_EQ(form.windowTitle(), "The preparation of the area - ID:0012");
  EXPECT_EQ(Find<QLabel>(&form, "Label2")->text(), "(002,002) - (019,014)");
}

TEST_F(MapDialogs, EncounterListEditsCopiesAndPastes) {
  TFormEDArea form;
  form.Properties.Encounters = {2, 3};
  ShowAndActivate(&form);
  auto* list = Find<TEncounterList>(&form, "ListView1");
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(1)->text(), "Group3");
  EXPECT_EQ(list->currentRow(), 0);

  // Copy puts the record block: its size, count 1, then the row's record (field 1, one
  // byte long, group 2; the end mark).
  list->setCurrentRow(0);
  FindControl<QAction>(&form, "MenuCopy")->trigger();
  const std::vector<uint8_t> block{4, 0, 0, 0, 1, 0, 0, 0, 1, 1, 2, 0};
  EXPECT_EQ(clipboard.GetData(cfListRow), block);

  // Paste on row 0 inserts at the top and selects the new row.
  list->setCurrentRow(0);
  list->setCurrentRow(1);
  list->setCurrentRow(0);
  FindControl<QAction>(&form, "MenuPaste")->trigger();
  EXPECT_EQ(list->item(0)->text(), "Group2");
  EXPECT_EQ(list->count(), 4);

  // The blank row adds a row with the remembered group; choosing 5 then cancelling
  // still remembers 5.
  list->setCurrentRow(3);
  OnNextModal<TFormEDMapEncount>([&](TFormEDMapEncount* dialog) {
    EXPECT_EQ(FindControl<QComboBox>(dialog, "ComboBox1")->currentIndex(), 0);
    FindControl<QComboBox>(dialog, "ComboBox1")->setCurrentIndex(4);
    FindControl<QPushButton>(dialog, "ButtonCancel")->click();
  });
  FindControl<QAction>(&form, "MenuEdit")->trigger();
  EXPECT_EQ(list->count(), 4);
  EXPECT_EQ(LastEncounterGroup, 5);
  OnNextModal<TFormEDMapEncount>([&](TFormEDMapEncount* dialog) {
    EXPECT_EQ(FindControl<QComboBox>(dialog, "ComboBox1")->currentIndex(), 4);
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  FindControl<QAction>(&form, "MenuEdit")->trigger();
  EXPECT_EQ(list->item(3)->text(), "Group5");
  EXPECT_EQ(list->currentRow(), 3);

  FindControl<QAction>(&form, "MenuCut")->trigger();
  Find<QPushButton>(&form, "ButtonOk")->click();
  EXPECT_EQ(form.Properties.Encounters, (std::vector<int32_t>{2, 2, 3}));
}

TEST_F(MapDialogs, AFullEncounterListStillEditsItsRows) {
  TFormEDMap form;
  form.Properties.Encounters.assign(500, 4);
  TXelEncountItem(1).CopyToClipboard(cfListRow);
  ShowAndActivate(&form);
  auto* list = Find<TEncounterList>(&form, "ListView1");
  list->setCurrentRow(500);
  EXPECT_FALSE(list->MenuState().Edit);
  EXPECT_FALSE(list->MenuState().Paste);
  FindControl<QAction>(&form, "MenuEdit")->trigger(); // opens nothing
  list->setCurrentRow(7);
  EXPECT_TRUE(list->MenuState().Edit);
  EXPECT_FALSE(list->MenuState().Paste);
  OnNextModal<TFormEDMapEncount>([](TFormEDMapEncount* dialog) {
    FindControl<QComboBox>(dialog, "ComboBox1")->setCurrentIndex(0);
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  FindControl<QAction>(&form, "MenuEdit")->trigger();
  Find<QPushButton>(&form, "ButtonOk")->click();
  EXPECT_EQ(form.Properties.Encounters.size(), 500u);
  EXPECT_EQ(form.Properties.Encounters[7], 1);
}

TEST_F(MapDialogs, ChipSetsAndGroupsFollowARenameWhileTheirDialogsAreOpen) {
  TFormEDMap map;
  map.Properties.ChipSetId = 2;
  ShowAndActivate(&map);
  TFormEDMapEncount encounter;
  encounter.GroupId = 6;
  ShowAndActivate(&encounter);
  auto* chipSets = Find<QComboBox>(&map, "ComboBox1");
  auto* groups = Find<QComboBox>(&encounter, "ComboBox1");
  EXPECT_EQ(chipSets->currentText(), "Town");
  EXPECT_EQ(groups->currentText(), "Group6");
  ChipSetList->FindById(2)->Name = "Castle";
  MonGroupList->FindById(6)->Name = "Dragons";
  MonGroupList->GetOrCreate(7)->Name = "Ghosts";
  CatalogsChanged();
  EXPECT_EQ(chipSets->currentText(), "Castle");
  EXPECT_EQ(groups->currentText(), "Dragons");
  // A new maximum shows too, and its entries can be chosen.
  ASSERT_EQ(groups->count(), 7);
  groups->setCurrentIndex(6);
  Find<QPushButton>(&encounter, "ButtonOk")->click();
  EXPECT_EQ(encounter.GroupId, 7);
  EXPECT_EQ(LastEncounterGroup, 7);
}

TEST_F(MapDialogs, EncounterDialogWithoutGroupsCannotBeConfirmed) {
  MonGroupList->Clear();
  TFormEDMapEncount form;
  ShowAndActivate(&form);
  EXPECT_FALSE(Find(&form, "ButtonOk")->isEnabled());
}

TEST_F(MapDialogs, MapShiftRemembersDirectionAndDistance) {
  {
    TFormMapShift form;
    form.MapWidth = 40;
    form.MapHeight = 15;
    ShowAndActivate(&form);
    // No direction yet: OK would shift by nothing.
    EXPECT_FALSE(Find(&form, "ButtonOk")->isEnabled());
    Find<QRadioButton>(&form, "RadioButton2")->click();
    EXPECT_EQ(Find<TDialEdit>(&form, "DialEdit1")->MaxValue(), 40);
    Find<TDialEdit>(&form, "DialEdit1")->SetValue(3);
    Find<QPushButton>(&form, "ButtonOk")->click();
    EXPECT_EQ(std::make_pair(form.ShiftX, form.ShiftY), std::make_pair(-3, 0));
  }
  TFormMapShift form;
  form.MapWidth = 40;
  form.MapHeight = 15;
  ShowAndActivate(&form);
  EXPECT_TRUE(Find<QRadioButton>(&form, "RadioButton2")->isChecked());
  EXPECT_EQ(Find<TDialEdit>(&form, "DialEdit1")->Value(), 3);
  EXPECT_EQ(Find<TDialEdit>(&form, "DialEdit1")->MaxValue(), 40);
  Find<QRadioButton>(&form, "RadioButton4")->click();
  EXPECT_EQ(Find<TDialEdit>(&form, "DialEdit1")->MaxValue(), 15);
}

TEST_F(MapDialogs, VehicleByDoubleClick) {
  TFormMapShipPos form;
  ShowAndActivate(&form);
  auto* ship = Find<QRadioButton>(&form, "RadioButton2");
  QTest::mouseDClick(ship, Qt::LeftButton);
  EXPECT_EQ(form.result(), mrOk);
  EXPECT_EQ(form.Vehicle, 2);
}

} // namespace
