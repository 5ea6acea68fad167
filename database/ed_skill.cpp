// The "Skills" page: a skill's name, kind, cost and messages, and for normal skills the
// target, battle animation with its preview, chances, effects, conditions and attributes.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

#include "core/animation_record.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/hero_records.h"
#include "core/skill_item_pages.h"
#include "core/vocabulary_record.h"
#include "database/database_page.h"
#include "database/page_lists.h"
#include "events/animation_preview.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/mark_list_box.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/slider.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/pickers/name_pieces.h"
#include "framework/pickers/sel_music.h"

namespace {

TListPosition SkillPosition;
TCatalog* SkillCatalog() {
  return SkillList;
}
const TListPageKind SkillPage{&SkillCatalog, &SkillModel, cfSkill, &SkillPosition};

// The vocabulary's four failure messages.
constexpr int FirstFailureText = 24;
constexpr int FailureTextCount = 4;

QStringList FailureTexts() {
  QStringList texts;
  for (int i = 0; i < FailureTextCount; ++i) {
    const std::string* text = VocabularyData ? VocabularyData->Text(FirstFailureText + i) : nullptr;
    texts << (text ? ToQString(*text) : QString());
  }
  return texts;
}

class TFormEDSkill : public TFormDataBasePage<TXelSkillItem> {
public:
  explicit TFormEDSkill(QWidget* parent) : TFormDataBasePage(parent, 3, SkillPage) {
    using S = TXelSkillItem;
    const auto f = [this](auto member) { return Field(&CurrentEntry, member); };
    TFormBuilder b(this, "FormEDSkill", "Skills", PageWidth, PageHeight);
    b.Row([&] {
      DataListColumn(b, "Tech Skills / Magic", 142);
      b.Column([&] {
        b.Row([&] {
          b.Group("GroupBox1", "Name", [&] { b.Edit("OverEdit1", f(&S::Name), 20); });
          b.Group("GroupBox2", "Explanation", [&] { b.Edit("OverEdit2", f(&S::Description), 50); });
          b.Group("GroupBox3", "Classification", [&] {
            b.ComboBox("ComboBox1", {"Norm", "Teleport", "Escape", "Switch"}, f(&S::Kind));
          });
        });
        b.Row([&] {
          b.Group("GroupBox4", "MP Cost",
                  [&] { b.DialEdit("DialEdit1", 0, 999, f(&S::MpCost))->setMaximumWidth(90); });
          groups_.push_back(b.Group("GroupBoxN1", "Failure message", [&] {
            b.Row([&] {
              b.Label("Label2", "(TargetPersonName)");
              QComboBox* failure = b.ComboBox("ComboBox3", FailureTexts(), f(&S::FailureMessage));
              // The texts come from the vocabulary and may be empty: the width does not.
              failure->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
              failure->setMinimumContentsLength(12);
            });
          }));
          groups_.push_back(b.Group("GroupBoxN2", "Effect Range", [&] {
            b.ComboBox("ComboBox2",
                       {"Single Enemy", "All Enemies", "User", "Single Ally", "Whole Party"},
                       f(&S::EffectRange));
          }));
          groups_.push_back(b.Group("GroupBox5", "Available at", [&] {
            b.Row([&] {
              b.CheckBox("CheckBoxS1", "Field", f(&S::UsableOnField));
              b.CheckBox("CheckBoxS2", "Battle", f(&S::UsableInBattle));
            });
          }));
          b.Stretch();
        });
        groups_.push_back(b.Group("GroupBox9", "Using Message", [&] {
          b.Row([&] {
            b.Label("Label1", "( User Name )");
            OverEdit3 = b.Edit("OverEdit3", f(&S::UsingMessage1), 30);
            const char* presets[] = {"[* Chant]", "[* Cast]", "[* Use]"};
            for (int i = 0; i < 3; ++i) {
              QPushButton* button = b.Button(i == 0   ? "Button1"
                                             : i == 1 ? "Button2"
                                                      : "Button3",
                                             QString::fromLatin1(presets[i]));
              On(button, &QPushButton::clicked, [this, i] { MessagePresetClick(i); });
            }
          });
          OverEdit4 = b.Edit("OverEdit4", f(&S::UsingMessage2), 50);
        }));
        b.Row([&] {
          groups_.push_back(b.Group("GroupBox7", "Select Sound Effect",
                                    [&] { DashBox1 = b.Add<TDashBox>("DashBox1"); }));
          groups_.push_back(b.Group("GroupBox10", "ON Switch",
                                    [&] { SwitchBox(*this, b, "DashBox2", f(&S::SwitchId)); }));
          b.Stretch();
        });
        QGroupBox* normal = b.Group("GroupNormal", QString(), [&] { NormalGroup(b); });
        // A frame of its own only holds the groups inside it together.
        normal->setFlat(true);
        normal->setStyleSheet(QStringLiteral("QGroupBox#GroupNormal { border: 0; }"));
        normal->layout()->setContentsMargins(0, 0, 0, 0);
        groups_.push_back(normal);
        b.Stretch();
      });
    });
    On(DashBox1, &TDashBox::Clicked, &TFormEDSkill::DashBox1Click);
    OnDatabaseChanged = [this] { DataModified(); };
    Start();
  }

  void RefreshEntryControls() override {
    if (!CurrentEntry) return;
    ShowKindGroups(groups_, SkillKindGroups(), CurrentEntry->Kind);
    const TSkillRangeCaptions captions = SkillRangeCaptions(CurrentEntry->EffectRange);
    GroupBoxN9->setTitle(QString::fromLatin1(captions.Parameters));
    GroupBoxN10->setTitle(QString::fromLatin1(captions.Conditions));
    GroupBoxN11->setTitle(QString::fromLatin1(captions.Attributes));
    CheckBox9->setText(QString::fromLatin1(captions.Defense));
    AnimationArea->SetAnimation(
        AnimationList ? AnimationList->FindById(CurrentEntry->BattleAnimation) : nullptr);
    DashBox1->SetText(ToQString(CurrentEntry->Sound.FileName));
  }

  void DashBox1Click() {
    if (!CurrentEntry) return;
    TFormSelSound picker(window());
    picker.Sound.Assign(CurrentEntry->Sound);
    if (!picker.ExecuteAt(360, 48)) return;
    CurrentEntry->Sound.Assign(picker.Sound);
    DataModified();
  }

  void MessagePresetClick(int button) {
    if (!CurrentEntry) return;
    // Through the edits, so the fields take the texts as from the author's typing.
    OverEdit3->setText(ToQString(SkillMessagePreset(button, CurrentEntry->Name)));
    OverEdit4->setText(QString());
  }

protected:
  void UpdateOwnControls() override {
    if (!CurrentEntry) return;
    ShowIdMarks(MarkListBox1, CurrentEntry->ConditionFlags);
    ShowIdMarks(MarkListBox2, CurrentEntry->AttributeFlags);
    for (int i = 0; i < 3; ++i)
      SliderLabels[i]->setNum(Sliders[i]->Position());
    if (shownEntry_ != CurrentEntry) {
      shownEntry_ = CurrentEntry;
      AnimationArea->Restart(AnimationOpeningCounter);
    }
    RefreshEntryControls();
  }

  void BoundValueChanged(QWidget* control) override {
    if (control == ComboBox4) AnimationArea->Restart(AnimationChosenCounter);
    TFormDataBasePage::BoundValueChanged(control);
  }

private:
  void NormalGroup(TFormBuilder& b) {
    using S = TXelSkillItem;
    const auto f = [this](auto member) { return Field(&CurrentEntry, member); };
    b.Row([&] {
      b.Group("GroupBoxN3", "Battle Animation", [&] {
        TIdChoices animations;
        animations.Fallback = 1;
        ComboBox4 =
            IdCombo(b, "ComboBox4", AnimationModel(), animations, f(&S::BattleAnimation), 10);
        AnimationArea = b.Add<TAnimationPreview>("AnimationArea", 64, 48);
      });
      b.Group("GroupBoxN4", QString(), [&] {
        const char* captions[] = {"Hit Chance", "Mind Chance", "Variance"};
        int S::*fields[] = {&S::PhysicalRate, &S::MindRate, &S::Variance};
        b.Grid(3, [&] {
          for (int i = 0; i < 3; ++i) {
            const std::string caption = "LabelN" + std::to_string(i + 1);
            const std::string slider = "Slider" + std::to_string(i + 1);
            const std::string label = "LabelSlider" + std::to_string(i + 1);
            b.Label(caption.c_str(), QString::fromLatin1(captions[i]));
            Sliders[i] = b.Slider(slider.c_str(), 0, 10, f(fields[i]));
            SliderLabels[i] = b.Label(label.c_str(), QStringLiteral("10"));
            On(Sliders[i], &TSlider::Change,
               [this, i] { SliderLabels[i]->setNum(Sliders[i]->Position()); });
          }
        });
      });
      b.Group("GroupBoxN5", QString(), [&] {
        b.Grid(2, [&] {
          b.Label("LabelN5", "Basis Effect #");
          b.DialEdit("DialEdit2", 0, 999, f(&S::BaseEffect));
          b.Label("LabelN6", "Basic success rate");
          b.DialEdit("DialEdit3", 0, 100, f(&S::SuccessRate));
        });
      });
    });
    b.Row([&] {
      GroupBoxN9 = b.Group("GroupBoxN9", "Ability Down", [&] {
        b.Grid(3, [&] {
          b.CheckBox("CheckBox1", "HP", f(&S::AffectHp));
          b.CheckBox("CheckBox2", "MP", f(&S::AffectMp));
          b.CheckBox("CheckBox3", "Attack", f(&S::AffectAttack));
          b.CheckBox("CheckBox4", "Defense", f(&S::AffectDefense));
          b.CheckBox("CheckBox5", "Mind", f(&S::AffectMind));
          b.CheckBox("CheckBox6", "Agility", f(&S::AffectAgility));
          b.CheckBox("CheckBox7", "Absorption", f(&S::Absorb));
          b.CheckBox("CheckBox8", "Defns.Ignore", f(&S::IgnoreDefense));
          CheckBox9 = b.CheckBox("CheckBox9", "Defense Down", f(&S::LowerResistance));
        });
      });
      GroupBoxN10 = b.Group("GroupBoxN10", "Change to condition",
                            [&] { MarkListBox1 = b.Add<TMarkListBox>("MarkListBox1"); });
      GroupBoxN11 = b.Group("GroupBoxN11", "Attack Attribute",
                            [&] { MarkListBox2 = b.Add<TMarkListBox>("MarkListBox2"); });
    });
    // The parameter group takes what the two lists leave.
    for (QGroupBox* group : {GroupBoxN10, GroupBoxN11})
      group->setMaximumWidth(131);
    // The nine check boxes stand close, so both lists keep room for their captions.
    if (QLayoutItem* grid = GroupBoxN9->layout()->itemAt(0); grid && grid->layout())
      grid->layout()->setSpacing(2);
    for (TMarkListBox* list : {MarkListBox1, MarkListBox2})
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FillMarkList(MarkListBox1, TMarkListBox::mmCheck, ModelNames(ConditionModel()));
    FillMarkList(MarkListBox2, TMarkListBox::mmCheck, ModelNames(AttributeModel()));
    On(MarkListBox1, &TMarkListBox::ClickMark, [this] {
      if (!CurrentEntry) return;
      StoreIdMarks(MarkListBox1, CurrentEntry->ConditionFlags);
      DataModified();
    });
    On(MarkListBox2, &TMarkListBox::ClickMark, [this] {
      if (!CurrentEntry) return;
      StoreIdMarks(MarkListBox2, CurrentEntry->AttributeFlags);
      DataModified();
    });
  }

  std::vector<QWidget*> groups_;
  TOverEdit* OverEdit3 = nullptr;
  TOverEdit* OverEdit4 = nullptr;
  TDashBox* DashBox1 = nullptr;
  QComboBox* ComboBox4 = nullptr;
  TAnimationPreview* AnimationArea = nullptr;
  TSlider* Sliders[3] = {};
  QLabel* SliderLabels[3] = {};
  QGroupBox* GroupBoxN9 = nullptr;
  QGroupBox* GroupBoxN10 = nullptr;
  QGroupBox* GroupBoxN11 = nullptr;
  QCheckBox* CheckBox9 = nullptr;
  TMarkListBox* MarkListBox1 = nullptr;
  TMarkListBox* MarkListBox2 = nullptr;
  // The entry the controls last showed: binding another restarts the preview.
  const TXelSkillItem* shownEntry_ = nullptr;
};

} // namespace

VELMORA_REGISTER_DATABASE_PAGE(TFormEDSkill, 1);
