// The "Items" page in the window: a change of kind keeps the other kinds' values, the
// hero and condition lists, and a skill id beyond the skills.
#include <QComboBox>
#include <QGroupBox>

#include "core/database_tables.h"
#include "core/hero_records.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/mark_list_box.h"
#include "page_env.h"

namespace {

constexpr int ItemTab = 2;

using ItemPage = ListPageTest;

TEST_F(ItemPage, ArmsBecomeMedicineAndKeepTheirHitChance) {
  const std::string original = FileBytes();
  OpenOn(ItemTab, 3);
  auto* kind = Find<QComboBox>("ComboBox1");
  kind->setCurrentIndex(1); // "Arms"
  EXPECT_TRUE(Shown("GroupWeapon"));
  EXPECT_EQ(Find<QGroupBox>("GroupPlayer")->title(), "The hero who can equip it");
  EXPECT_EQ(Find<QGroupBox>("GroupStatusProbability")->title(), "Changing Chance");
  Find<TDialEdit>("DialEdit7")->SetValue(75);
  kind->setCurrentIndex(6); // "Medicine"
  EXPECT_FALSE(Shown("GroupWeapon"));
  EXPECT_FALSE(Shown("GroupAnimation"));
  EXPECT_TRUE(Shown("GroupMedicine2"));
  EXPECT_EQ(Find<QGroupBox>("GroupPlayer")->title(), "The hero who can use it");
  kind->setCurrentIndex(3); // "Armor"
  EXPECT_EQ(Find<QGroupBox>("GroupStatusProbability")->title(), "Prevent Chance");
  kind->setCurrentIndex(6);
  Apply();
  Cancel();
  const TXelItemItem& item = *ItemList->GetItem(3);
  EXPECT_EQ(item.Kind, 6);
  EXPECT_EQ(item.HitChance, 75);
  const std::string applied = FileBytes();
  EXPECT_NE(applied, original);

  OpenOn(ItemTab, 3);
  Find<TDialEdit>("DialEdit1")->SetValue(12345);
  Cancel();
  EXPECT_EQ(FileBytes(), applied);
}

TEST_F(ItemPage, HeroesBeyondTheFlagsMayUseItAndTheConditionListsMirror) {
  TXelItemItem& item = *ItemList->GetItem(0);
  item.Kind = 6;
  item.SetHeroFlagCount(2); // made when there were two heroes, neither allowed
  item.SetConditionFlagCount(0);
  OpenOn(ItemTab, 0);
  auto* heroes = Find<TMarkListBox>("MarkListBox1");
  EXPECT_EQ(heroes->Marks(1), 0);
  EXPECT_EQ(heroes->Marks(2), 1);
  EXPECT_EQ(heroes->Marks(3), 1);

  auto* medicine = Find<TMarkListBox>("MarkListBox4");
  auto* status = Find<TMarkListBox>("MarkListBox3");
  medicine->ChangeMark(1, true);
  EXPECT_EQ(item.GetConditionFlag(2), 1);
  EXPECT_EQ(status->Marks(1), 1);
  EXPECT_EQ(status->Marks(0), 0);
  status->ChangeMark(1, true);
  EXPECT_EQ(medicine->Marks(1), 0);
  EXPECT_TRUE(ApplyEnabled());
}

TEST_F(ItemPage, ASkillBeyondTheSkillsShowsTheFirstWithoutAnEdit) {
  for (int id = SkillList->GetCount(); id > 10; --id)
    SkillList->DeleteById(id);
  ItemList->GetItem(1)->Kind = 7;
  ItemList->GetItem(1)->SkillId = 40;
  OpenOn(ItemTab, 1);
  EXPECT_EQ(Find<QComboBox>("ComboBox5")->currentIndex(), 0);
  EXPECT_EQ(Find<QComboBox>("ComboBox6")->currentIndex(), 0);
  EXPECT_EQ(ItemList->GetItem(1)->SkillId, 1);
  EXPECT_FALSE(ApplyEnabled());
  // The book's and the unique item's skill are one field.
  Find<QComboBox>("ComboBox5")->setCurrentIndex(4);
  EXPECT_EQ(ItemList->GetItem(1)->SkillId, 5);
  EXPECT_EQ(Find<QComboBox>("ComboBox6")->currentIndex(), 4);
}

} // namespace
