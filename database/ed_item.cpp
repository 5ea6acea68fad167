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
      DataListColumn(b, "Items / Weapons");
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
          b.Group("GroupBox4", "Price", [&] { b.DialEdit("DialEdit1", 0, 999999, f(&I::Price)); });
          Group(
              "GroupExpendable", "Use number of times",
              [&] {
                b.ComboBox("ComboBox2", {"Limitless", "1 (Normal)", "2", "3", "4", "5"},
                           f(&I::Uses));
              },
              b);
          b.Stretch();
        });
        b.Row([&] {
          b.Column([&] {
            KindGroups(b);
            b.Stretch();
          });
          b.Column([&] {
            GroupPlayer = Group(
                "GroupPlayer", "The hero who can use it",
                [&] { MarkListBox1 = b.Add<TMarkListBox>("MarkListBox1"); }, b);
            GroupAttrib = Group(
                "GroupAttrib", "Attack Attribute",
                [&] { MarkListBox2 = b.Add<TMarkListBox>("MarkListBox2"); }, b);
            GroupStatus = Group(
                "GroupStatus", "Change to condition",
                [&] {
                  MarkListBox3 = b.Add<TMarkListBox>("MarkListBox3");
                  GroupStatusProbability =
                      b.Group("GroupStatusProbability", "Changing Chance",
                              [&] { b.DialEdit("DialEdit9", 0, 100, f(&I::ConditionChance)); });
                },
                b);
            b.Stretch();
          });
        });
        b.Stretch();
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

  QGroupBox* Group(const char* name, const QString& caption, const TFormBuilder::TContent& content,
                   TFormBuilder& b) {
    QGroupBox* group = b.Group(name, caption, content);
    groups_.push_back(group);
    return group;
  }

  void KindGroups(TFormBuilder& b) {
    b.Row([&] {
      Group(
          "GroupParameter", "Change Ability value",
          [&] {
            b.Grid(4, [&] {
              b.Label("Label1", "Attack");
              b.DialEdit("DialEdit2", -500, 500, f(&I::AttackBonus));
              b.Label("Label2", "Defense");
              b.DialEdit("DialEdit3", -500, 500, f(&I::DefenseBonus));
              b.Label("Label3", "Mind");
              b.DialEdit("DialEdit4", -500, 500, f(&I::MindBonus));
              b.Label("Label4", "Agility");
              b.DialEdit("DialEdit5", -500, 500, f(&I::AgilityBonus));
            });
          },
          b);
      Group(
          "GroupHand", "Equip hand",
          [&] {
            b.Radios(f(&I::TwoHanded), [&] {
              b.Radio("RadioButton3", "One");
              b.Radio("RadioButton4", "Both");
            });
          },
          b);
    });
    Group(
        "GroupWeapon", QString(),
        [&] {
          b.Row([&] {
            b.Group("GroupBox5", "MP Cost",
                    [&] { b.DialEdit("DialEdit6", 0, 999, f(&I::MpCost)); });
            b.Group("GroupBox6", "Hit Chance",
                    [&] { b.DialEdit("DialEdit7", 0, 100, f(&I::HitChance)); });
            b.Group("GroupBox7", "Critical Hit Chance",
                    [&] { b.DialEdit("DialEdit8", 0, 100, f(&I::CriticalChance)); });
          });
        },
        b);
    b.Row([&] {
      Group(
          "GroupAnimation", "Battle Animation",
          [&] {
            ComboBox4 = CatalogCombo(b, "ComboBox4", AnimationModel(), f(&I::BattleAnimation));
            AnimationArea = b.Add<TAnimationPreview>("AnimationArea", 128, 96);
          },
          b);
      b.Column([&] {
        Group(
            "GroupOption1", "Options",
            [&] {
              b.CheckBox("CheckBox1", "Preemptive Attack", f(&I::Preemptive));
              b.CheckBox("CheckBox2", "Attack Twice", f(&I::AttackTwice));
              b.CheckBox("CheckBox3", "Attack All Enemies", f(&I::AttackAll));
              b.CheckBox("CheckBox4", "Ignore Monst.Evasion", f(&I::IgnoreEvasion));
            },
            b);
        b.Stretch();
      });
    });
    Group(
        "GroupOption2", "Options",
        [&] {
          b.CheckBox("CheckBox5", "Prevent Critical Hit", f(&I::PreventCritical));
          b.CheckBox("CheckBox6", "Rise Avoid of Phys.Attack", f(&I::RaiseEvasion));
          b.CheckBox("CheckBox7", "Half MP", f(&I::HalfMp));
          b.CheckBox("CheckBox8", "No Terrain Damage", f(&I::NoTerrainDamage));
        },
        b);
    MedicineGroups(b);
    Group(
        "GroupBook1", "Learn Tech Skill",
        [&] { ComboBox5 = CatalogCombo(b, "ComboBox5", SkillModel(), f(&I::SkillId)); }, b);
    Group(
        "GroupSeed1", "Change Ability value",
        [&] {
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
        },
        b);
    Group(
        "GroupSpecial1", "Invoke Tech Skill",
        [&] { ComboBox6 = CatalogCombo(b, "ComboBox6", SkillModel(), f(&I::SkillId)); }, b);
    Group(
        "GroupSpecial2", "Using Message",
        [&] {
          b.Radios(f(&I::UsingMessage), [&] {
            b.Radio("RadioButton1", "Common Item");
            b.Radio("RadioButton2", "Based on setup of special skill");
          });
        },
        b);
    Group(
        "GroupSwitch1", "ON Switch", [&] { SwitchBox(*this, b, "DashBox4", f(&I::SwitchId)); }, b);
    Group(
        "GroupSwitch2", "Available at",
        [&] {
          b.Row([&] {
            b.CheckBox("CheckBoxS1", "Field", f(&I::UsableOnField));
            b.CheckBox("CheckBoxS2", "Battle", f(&I::UsableInBattle));
          });
        },
        b);
  }

  void MedicineGroups(TFormBuilder& b) {
    Group(
        "GroupMedicine1", "Effect Range",
        [&] {
          b.Radios(f(&I::WholeParty), [&] {
            b.Row([&] {
              b.Radio("RadioButton5", "Single Ally");
              b.Radio("RadioButton6", "Whole Party");
            });
          });
        },
        b);
    Group(
        "GroupMedicine2", QString(),
        [&] {
          b.Row([&] {
            b.Group("GroupBox8", "HP Recovery", [&] {
              b.Grid(2, [&] {
                b.Label("Label5", "%");
                b.DialEdit("DialEditMedicine1", 0, 100, f(&I::HpRecoveryPercent));
                b.Label("Label6", "Points");
                b.DialEdit("DialEditMedicine2", 0, 999, f(&I::HpRecoveryPoints));
              });
            });
            b.Group("GroupBox9", "MP Recovery", [&] {
              b.Grid(2, [&] {
                b.Label("Label7", "%");
                b.DialEdit("DialEditMedicine3", 0, 100, f(&I::MpRecoveryPercent));
                b.Label("Label8", "Points");
                b.DialEdit("DialEditMedicine4", 0, 999, f(&I::MpRecoveryPoints));
              });
            });
          });
          b.CheckBox("CheckBox9", "Only use in field (menu screen).", f(&I::FieldOnly));
          b.CheckBox("CheckBox10", "Effective only on unconscious heroes", f(&I::OnlyUnconscious));
        },
        b);
    Group(
        "GroupMedicine3", "Change to", [&] { MarkListBox4 = b.Add<TMarkListBox>("MarkListBox4"); },
        b);
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
