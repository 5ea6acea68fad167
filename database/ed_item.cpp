// The "Items" page: an item's name, kind and price, and the groups of its kind: weapons
// with their battle animation, armour, medicine, books, materials, unique items and
// switch items, and who may use or equip it.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

#include "core/animation_record.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/hero_records.h"
#include "core/skill_item_pages.h"
#include "database/database_page.h"
#include "database/page_lists.h"
#include "events/animation_preview.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/mark_list_box.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/pickers/name_pieces.h"

namespace {

TListPosition ItemPosition;
TCatalog* ItemCatalog() {
  return ItemList;
}
const TListPageKind ItemPage{&ItemCatalog, &ItemModel, cfItem, &ItemPosition};

class TFormEDItem : public TFormDataBasePage<TXelItemItem> {
  using I = TXelItemItem;

public:
  explicit TFormEDItem(QWidget* parent) : TFormDataBasePage(parent, 4, ItemPage) {
    TFormBuilder b(this, "FormEDItem", "Items", PageWidth, PageHeight);
    b.Row([&] {
      DataListColumn(b, "Items / Weapons", 150);
      b.Column([&] {
        b.Row([&] {
          b.Group("GroupBox1", "Name", [&] { b.Edit("OverEdit1", f(&I::Name), 20); });
          b.Group("GroupBox2", "Explanation", [&] { b.Edit("OverEdit2", f(&I::Description), 50); });
        });
        b.Row([&] {
          b.Group("GroupBox3", "Classification", [&] {
            ComboBox1 = b.ComboBox("ComboBox1",
                                   {"Common Goods", "Arms", "Shield", "Armor", "Helmet", "Other",
                                    "Medicine", "Book", "Material", "Unique", "Switch"},
                                   f(&I::Kind));
          });
          b.Group("GroupBox4", "Price",
                  [&] { b.DialEdit("DialEdit1", 0, 999999, f(&I::Price))->setMaximumWidth(110); });
          Group(b, "GroupExpendable", "Use number of times", [&] {
            b.ComboBox("ComboBox2", {"Limitless", "1 (Normal)", "2", "3", "4", "5"}, f(&I::Uses));
          });
          Group(b, "GroupHand", "Equip hand", [&] {
            b.Radios(f(&I::TwoHanded), [&] {
              b.Row([&] {
                b.Radio("RadioButton3", "One");
                b.Radio("RadioButton4", "Both");
              });
            });
          });
          b.Stretch();
        });
        b.Row([&] {
          b.Column([&] {
            KindGroups(b);
            b.Stretch();
          });
          b.Column([&] {
            GroupPlayer = Group(b, "GroupPlayer", "The hero who can use it",
                                [&] { MarkListBox1 = b.Add<TMarkListBox>("MarkListBox1"); });
            GroupAttrib = Group(b, "GroupAttrib", "Attack Attribute",
                                [&] { MarkListBox2 = b.Add<TMarkListBox>("MarkListBox2"); });
            GroupStatus = Group(b, "GroupStatus", "Change to condition", [&] {
              MarkListBox3 = b.Add<TMarkListBox>("MarkListBox3");
              GroupStatusProbability = b.Group("GroupStatusProbability", "Changing Chance", [&] {
                TDialEdit* chance = b.DialEdit("DialEdit9", 0, 100, f(&I::ConditionChance));
                chance->setMinimumHeight(chance->sizeHint().height());
              });
            });
            for (QGroupBox* group : {GroupPlayer, GroupAttrib, GroupStatus})
              group->setFixedWidth(180);
            // The lists share what their columns have left, down to two lines: the boxes
            // beside them keep the height their text needs.
            for (TMarkListBox* list : {MarkListBox1, MarkListBox2, MarkListBox3, MarkListBox4}) {
              list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
              list->setMinimumHeight(2 * list->fontMetrics().height() + 2 * list->frameWidth());
              list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            }
          });
        });
      });
    });
    FillMarkList(MarkListBox1, TMarkListBox::mmCheck, ModelNames(HeroModel()));
    FillMarkList(MarkListBox2, TMarkListBox::mmCheck, ModelNames(AttributeModel()));
    // The two condition lists show the same lines: made once.
    const QStringList conditions = ModelNames(ConditionModel());
    FillMarkList(MarkListBox3, TMarkListBox::mmCheck, conditions);
    FillMarkList(MarkListBox4, TMarkListBox::mmCheck, conditions);
    On(MarkListBox1, &TMarkListBox::ClickMark,
       [this] { StoreMarks(MarkListBox1, &I::HeroUsable); });
    On(MarkListBox2, &TMarkListBox::ClickMark,
       [this] { StoreMarks(MarkListBox2, &I::AttributeFlags); });
    On(MarkListBox3, &TMarkListBox::ClickMark,
       [this] { StoreConditionMarks(MarkListBox3, MarkListBox4); });
    On(MarkListBox4, &TMarkListBox::ClickMark,
       [this] { StoreConditionMarks(MarkListBox4, MarkListBox3); });
    OnDatabaseChanged = [this] { DataModified(); };
    Start();
  }

  void RefreshEntryControls() override {
    if (!CurrentEntry) return;
    ShowKindGroups(groups_, ItemKindGroups(), CurrentEntry->Kind);
    const TItemKindCaptions captions = ItemKindCaptions(CurrentEntry->Kind);
    GroupPlayer->setTitle(QString::fromLatin1(captions.Player));
    if (*captions.Attributes) {
      GroupAttrib->setTitle(QString::fromLatin1(captions.Attributes));
      GroupStatus->setTitle(QString::fromLatin1(captions.Conditions));
      GroupStatusProbability->setTitle(QString::fromLatin1(captions.Probability));
    }
    AnimationArea->SetAnimation(
        AnimationList ? AnimationList->FindById(CurrentEntry->BattleAnimation) : nullptr);
  }

protected:
  void UpdateOwnControls() override {
    if (!CurrentEntry) return;
    ShowIdMarks(MarkListBox1, CurrentEntry->HeroUsable);
    ShowIdMarks(MarkListBox2, CurrentEntry->AttributeFlags);
    ShowIdMarks(MarkListBox3, CurrentEntry->ConditionFlags);
    ShowIdMarks(MarkListBox4, CurrentEntry->ConditionFlags);
    if (shownEntry_ != CurrentEntry) {
      shownEntry_ = CurrentEntry;
      AnimationArea->Restart(AnimationOpeningCounter);
    }
    RefreshEntryControls();
  }

  void BoundValueChanged(QWidget* control) override {
    if (control == ComboBox4) AnimationArea->Restart(AnimationChosenCounter);
    TFormDataBasePage::BoundValueChanged(control);
    // Another kind shows other controls, all read again from the record; the two skill
    // combos show one field.
    if (control == ComboBox1)
      Rebind();
    else if (control == ComboBox5 || control == ComboBox6)
      UpdateControls();
  }

private:
  template <class T> TMemberField<I, T> f(T I::*member) { return Field(&CurrentEntry, member); }

  QGroupBox* Group(TFormBuilder& b, const char* name, const QString& caption,
                   const TFormBuilder::TContent& content) {
    QGroupBox* group = b.Group(name, caption, content);
    groups_.push_back(group);
    return group;
  }

  void KindGroups(TFormBuilder& b) {
    b.Row([&] {
      Group(b, "GroupParameter", "Change Ability value", [&] {
        b.Grid(2, [&] {
          b.Label("Label1", "Attack");
          b.DialEdit("DialEdit2", -500, 500, f(&I::AttackBonus));
          b.Label("Label2", "Defense");
          b.DialEdit("DialEdit3", -500, 500, f(&I::DefenseBonus));
          b.Label("Label3", "Mind");
          b.DialEdit("DialEdit4", -500, 500, f(&I::MindBonus));
          b.Label("Label4", "Agility");
          b.DialEdit("DialEdit5", -500, 500, f(&I::AgilityBonus));
        });
      });
      Group(b, "GroupWeapon", QString(), [&] {
        b.Grid(2, [&] {
          b.Label("Label9", "MP Cost");
          b.DialEdit("DialEdit6", 0, 999, f(&I::MpCost));
          b.Label("Label10", "Hit Chance");
          b.DialEdit("DialEdit7", 0, 100, f(&I::HitChance));
          b.Label("Label11", "Critical Hit Chance");
          b.DialEdit("DialEdit8", 0, 100, f(&I::CriticalChance));
        });
      });
      b.Stretch();
    });
    b.Row([&] {
      Group(b, "GroupAnimation", "Battle Animation", [&] {
        ComboBox4 = CatalogCombo(b, "ComboBox4", AnimationModel(), f(&I::BattleAnimation));
        AnimationArea = b.Add<TAnimationPreview>("AnimationArea", 96, 72);
      });
      Group(b, "GroupOption1", "Options", [&] {
        b.CheckBox("CheckBox1", "Preemptive Attack", f(&I::Preemptive));
        b.CheckBox("CheckBox2", "Attack Twice", f(&I::AttackTwice));
        b.CheckBox("CheckBox3", "Attack All Enemies", f(&I::AttackAll));
        b.CheckBox("CheckBox4", "Ignore Monst.Evasion", f(&I::IgnoreEvasion));
      });
      b.Stretch();
    });
    Group(b, "GroupOption2", "Options", [&] {
      b.CheckBox("CheckBox5", "Prevent Critical Hit", f(&I::PreventCritical));
      b.CheckBox("CheckBox6", "Rise Avoid of Phys.Attack", f(&I::RaiseEvasion));
      b.CheckBox("CheckBox7", "Half MP", f(&I::HalfMp));
      b.CheckBox("CheckBox8", "No Terrain Damage", f(&I::NoTerrainDamage));
    });
    MedicineGroups(b);
    Group(b, "GroupBook1", "Learn Tech Skill",
          [&] { ComboBox5 = CatalogCombo(b, "ComboBox5", SkillModel(), f(&I::SkillId)); });
    Group(b, "GroupSeed1", "Change Ability value", [&] {
      const char* captions[] = {"Max HP", "Max MP", "Attack", "Defense", "Mind", "Agility"};
      int32_t I::*fields[] = {&I::MaxHpGain,   &I::MaxMpGain, &I::AttackGain,
                              &I::DefenseGain, &I::MindGain,  &I::AgilityGain};
      b.Grid(4, [&] {
        for (int i = 0; i < 6; ++i) {
          const std::string label = "LabelSeed" + std::to_string(i + 1);
          const std::string dial = "DialEditSeed" + std::to_string(i + 1);
          b.Label(label.c_str(), QString::fromLatin1(captions[i]));
          b.DialEdit(dial.c_str(), -50, 50, f(fields[i]));
        }
      });
    });
    Group(b, "GroupSpecial1", "Invoke Tech Skill",
          [&] { ComboBox6 = CatalogCombo(b, "ComboBox6", SkillModel(), f(&I::SkillId)); });
    Group(b, "GroupSpecial2", "Using Message", [&] {
      b.Radios(f(&I::UsingMessage), [&] {
        b.Radio("RadioButton1", "Common Item");
        b.Radio("RadioButton2", "Based on setup of special skill");
      });
    });
    Group(b, "GroupSwitch1", "ON Switch",
          [&] { SwitchBox(*this, b, "DashBox4", f(&I::SwitchId)); });
    Group(b, "GroupSwitch2", "Available at", [&] {
      b.Row([&] {
        b.CheckBox("CheckBoxS1", "Field", f(&I::UsableOnField));
        b.CheckBox("CheckBoxS2", "Battle", f(&I::UsableInBattle));
      });
    });
  }

  void MedicineGroups(TFormBuilder& b) {
    Group(b, "GroupMedicine1", "Effect Range", [&] {
      b.Radios(f(&I::WholeParty), [&] {
        b.Row([&] {
          b.Radio("RadioButton5", "Single Ally");
          b.Radio("RadioButton6", "Whole Party");
        });
      });
    });
    Group(b, "GroupMedicine2", QString(), [&] {
      b.Row([&] {
        const char* names[2][2] = {{"DialEditMedicine1", "DialEditMedicine2"},
                                   {"DialEditMedicine3", "DialEditMedicine4"}};
        int32_t I::*fields[2][2] = {{&I::HpRecoveryPercent, &I::HpRecoveryPoints},
                                    {&I::MpRecoveryPercent, &I::MpRecoveryPoints}};
        for (int i = 0; i < 2; ++i) {
          const std::string group = "GroupBox" + std::to_string(8 + i);
          const std::string percent = "LabelPercent" + std::to_string(i + 1);
          const std::string points = "LabelPoints" + std::to_string(i + 1);
          b.Group(group.c_str(), i == 0 ? "HP Recovery" : "MP Recovery", [&] {
            b.Grid(2, [&] {
              b.DialEdit(names[i][0], 0, 100, f(fields[i][0]));
              b.Label(percent.c_str(), "%");
              b.DialEdit(names[i][1], 0, 999, f(fields[i][1]));
              b.Label(points.c_str(), "Points");
            });
          });
        }
      });
      b.CheckBox("CheckBox9", "Only use in field (menu screen).", f(&I::FieldOnly));
      b.CheckBox("CheckBox10", "Effective only on unconscious heroes", f(&I::OnlyUnconscious));
    });
    QGroupBox* changeTo = Group(b, "GroupMedicine3", "Change to",
                                [&] { MarkListBox4 = b.Add<TMarkListBox>("MarkListBox4"); });
    // Its list takes what the column has left below the recovery boxes.
    QSizePolicy policy = changeTo->sizePolicy();
    policy.setVerticalStretch(1);
    changeTo->setSizePolicy(policy);
  }

  void StoreMarks(TMarkListBox* list, TIdByteArray I::*flags) {
    if (!CurrentEntry) return;
    StoreIdMarks(list, CurrentEntry->*flags);
    DataModified();
  }

  void StoreConditionMarks(TMarkListBox* list, TMarkListBox* other) {
    if (!CurrentEntry) return;
    StoreIdMarks(list, CurrentEntry->ConditionFlags);
    ShowIdMarks(other, CurrentEntry->ConditionFlags);
    DataModified();
  }

  std::vector<QWidget*> groups_;
  QComboBox* ComboBox1 = nullptr;
  QComboBox* ComboBox4 = nullptr;
  QComboBox* ComboBox5 = nullptr;
  QComboBox* ComboBox6 = nullptr;
  TAnimationPreview* AnimationArea = nullptr;
  QGroupBox* GroupPlayer = nullptr;
  QGroupBox* GroupAttrib = nullptr;
  QGroupBox* GroupStatus = nullptr;
  QGroupBox* GroupStatusProbability = nullptr;
  TMarkListBox* MarkListBox1 = nullptr;
  TMarkListBox* MarkListBox2 = nullptr;
  TMarkListBox* MarkListBox3 = nullptr;
  TMarkListBox* MarkListBox4 = nullptr;
  // The entry the controls last showed: binding another restarts the preview.
  const TXelItemItem* shownEntry_ = nullptr;
};

} // namespace

VELMORA_REGISTER_DATABASE_PAGE(TFormEDItem, 2);
