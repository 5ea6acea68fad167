// The conditional branch commands: 12010 of map and common events with its hero
// sub-dialog, and 13310 of battle events. Each tests one condition, and keeps the bodies
// of its two branches while the author changes the condition.
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <algorithm>
#include <array>
#include <concepts>
#include <string>
#include <tuple>

#include "core/command_block.h"
#include "core/database_names.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"

namespace {

// ---- what both branch commands share ----

constexpr int SwitchKind = 0, VariableKind = 1;
// The else line of a block is its head code + 10000, the end line the next code.
constexpr int32_t ElseLineOffset = 10000;

// The switch and the variable condition: P1-P4 of kinds 0 and 1 in both commands.
struct TCommonConditions {
  int Switch = 1;
  int State = 0; // 0 ON, 1 OFF
  int Variable = 1;
  // Compared with a constant (kind 0) or with another variable (kind 1).
  TFixedOrVariable Operand{0, 0, 1};
  int Comparison = 0;
  bool operator==(const TCommonConditions&) const = default;
};

const QStringList Comparisons = {"=   equal",
                                 "=> equal to or greater than",
                                 "=< equal to or less than",
                                 ">   greater than",
                                 "<   less than ",
                                 "!=  not equal to"};

// The fields P1-P4 of the switch and variable kinds, or of a kind this editor does not
// know (kept to be written back as read). P3 of a variable is its operand, read apart.
template <class V> auto CommonSlots(V& v) -> std::array<decltype(&v.Kind), 4> {
  auto& c = v.Common;
  if (v.Kind == SwitchKind) return {&c.Switch, &c.State, nullptr, nullptr};
  if (v.Kind == VariableKind) return {&c.Variable, &c.Operand.Kind, nullptr, &c.Comparison};
  return {&v.Unknown[0], &v.Unknown[1], &v.Unknown[2], &v.Unknown[3]};
}

// What a kind stores otherwise than in its slots; nothing unless a command says so.
template <class V> void ReadSpecial(const TXelEventScriptLine&, V&) {}
template <class V> void WriteSpecial(const V&, TXelEventScriptLine&) {}

// The head through the slots of the command's values (Slots(v)): P0 the kind, P1-P4 the
// kind's fields (0 for a parameter it does not use), P5 the else case.
template <class V> void ReadBranchHead(const TXelEventScriptLine& head, V& v) {
  v.Kind = head.GetParam(0);
  v.ElseCase = head.GetParam(5) != 0;
  const auto fields = Slots(v);
  for (size_t i = 0; i < fields.size(); ++i)
    if (fields[i]) *fields[i] = head.GetParam(static_cast<int>(i) + 1);
  if (v.Kind == VariableKind)
    ReadFixedOrVariable(head.GetParam(2), head.GetParam(3), v.Common.Operand);
  ReadSpecial(head, v);
}

template <class V> void WriteBranchHead(const V& v, TXelEventScriptLine& head) {
  TParamList& p = head.Params;
  p = {v.Kind, 0, 0, 0, 0, v.ElseCase ? 1 : 0};
  const auto fields = Slots(v);
  for (size_t i = 0; i < fields.size(); ++i)
    if (fields[i]) p[i + 1] = *fields[i];
  if (v.Kind == VariableKind) p[3] = FixedOrVariableValue(v.Common.Operand);
  WriteSpecial(v, head);
}

// The two branch bodies while the dialog is open; never remembered.
struct TBranchBodies {
  TXelEventScriptList Then, Else;
};

void ReadBranchBodies(const TXelEventScriptList& lines, int32_t elseCode, TBranchBodies& bodies) {
  std::vector<TBlockSection> sections = SplitCommandBlock(lines);
  bodies.Then = std::move(sections.front().Body);
  bodies.Else.Clear();
  for (TBlockSection& section : sections)
    if (section.Line.Code == elseCode) {
      bodies.Else = std::move(section.Body);
      break;
    }
}

// After the head: the then-body, the else line and its body when asked, the end line.
void AppendBranches(const TBranchBodies& bodies, bool elseCase, int32_t elseCode,
                    TXelEventScriptList& lines) {
  AppendBlockBody(lines, &bodies.Then);
  if (elseCase) {
    lines.Add(elseCode, 0);
    AppendBlockBody(lines, &bodies.Else);
  }
  lines.Add(elseCode + 1, 0);
}

// A branch dialog: its values struct is its last-used record.
template <class Values, int32_t Head> class TFormEvCmdBranch : public TFormEvCmdBase {
protected:
  explicit TFormEvCmdBranch(QWidget* owner) : TFormEvCmdBase(owner, Head) {}

  void LoadLastUsed() override { v = LastUsedRecord<Values>(); }
  void StoreLastUsed() override { LastUsedRecord<Values>() = v; }
  void ReadLines(const TXelEventScriptList& lines) override {
    ReadBranchHead(*lines.GetItem(0), v);
    ReadBranchBodies(lines, Head + ElseLineOffset, bodies_);
  }
  void WriteLines(TXelEventScriptList& lines) const override {
    TXelEventScriptLine& head = *lines.Add(Head, 0);
    WriteBranchHead(v, head);
    AppendBranches(bodies_, v.ElseCase, Head + ElseLineOffset, lines);
  }

  // Controls enabled only while Kind is chosen.
  void Rule(int kind, std::vector<QWidget*> controls) {
    EnableWhen(std::move(controls), [this, kind] { return v.Kind == kind; });
  }

  // RadioButtonAA "Switch" and RadioButtonAB "Variable" with their controls, as rows of
  // a two-column grid inside the kind radios.
  void CommonConditionRows(TFormBuilder& b) {
    TCommonConditions& c = v.Common;
    b.Radio("RadioButtonAA", "Switch", SwitchKind);
    b.Row([&] {
      Rule(SwitchKind, {SwitchBox(*this, b, "DashBoxAA1", &c.Switch), b.Label("LabelAA1", "is"),
                        b.ComboBox("ComboBoxAA1", {"ON", "OFF"}, &c.State)});
    });
    b.Radio("RadioButtonAB", "Variable", VariableKind);
    b.Column([&] {
      std::vector<QWidget*> controls;
      b.Row([&] {
        controls = {VariableBox(*this, b, "DashBoxAB1", &c.Variable),
                    b.Label("LabelAB1", "compared with")};
      });
      const TFixedOrVariableControls operand = FixedOrVariableGroup(
          *this, b, {"RadioButtonABA", "Set", "RadioButtonABB", "Variable", "DashBoxABB1"},
          c.Operand,
          [&] {
            return std::vector<QWidget*>{
                b.DialEdit("DialEditABA1", -999999, 999999999, &c.Operand.Fixed)};
          },
          [this] { return v.Kind == VariableKind; });
      controls.push_back(b.ComboBox("ComboBoxAB1", Comparisons, &c.Comparison));
      controls.push_back(operand.FixedRadio);
      controls.push_back(operand.VariableRadio);
      Rule(VariableKind, controls);
    });
  }

  Values v;

private:
  TBranchBodies bodies_;
};

// ---- the hero sub-dialog ----

struct THeroConditionValues {
  std::string Name;
  int Level = 1;
  int Hp = 1;
  int Skill = 1;
  int Item = 1;
  int Condition = 1;
  bool operator==(const THeroConditionValues&) const = default;
};

enum THeroCondition { hcInParty, hcName, hcLevel, hcHp, hcSkill, hcItem, hcCondition };

// The hero condition's value as it reads on the branch dialog.
QString HeroConditionText(int condition, int value, const std::string& name) {
  switch (condition) {
  case hcInParty:
    return "Is in the party.";
  case hcName:
    return "Name =  " + ToQString(name);
  case hcLevel:
    return "Level     " + QString::number(value) + "abov";
  case hcHp:
    return "HP    " + QString::number(value) + "abov";
  case hcSkill:
    return "->" + ToQString(SkillNameById(value)) + " can use";
  case hcItem:
    return "->" + ToQString(ItemNameById(value)) + " equipped";
  case hcCondition:
    return "->" + ToQString(ConditionNameById(value)) + " condition";
  default:
    return {};
  }
}

class TFormEvCmdIf2 : public TFormXelBase {
public:
  // Exchanged with the caller: the hero condition (0-6), its value and the name.
  int Condition = hcInParty;
  int Value = 0;
  std::string Name;

  explicit TFormEvCmdIf2(QWidget* owner) : TFormXelBase(owner) {
    TFormBuilder b(this, "FormEvCmdIf2", "Hero Conditions", 321, 233);
    b.Row([&] {
      b.Radios(&condition_, [&] {
        b.Column([&] {
          b.Radio("RadioButtonBA", "is in Hero Party", hcInParty);
          b.Grid(2, [&] {
            b.Radio("RadioButtonBB", "Name =", hcName);
            Rule(hcName, {b.Edit("OverEditBB", &v.Name, 50)});
            b.Radio("RadioButtonBC", "Level", hcLevel);
            b.Row([&] {
              Rule(hcLevel,
                   {b.DialEdit("DialEditBC", 1, 50, &v.Level), b.Label("LabelBC", "above")});
            });
            b.Radio("RadioButtonBD", "HP", hcHp);
            b.Row([&] {
              Rule(hcHp, {b.DialEdit("DialEditBD", 1, 999, &v.Hp), b.Label("LabelBD", "above")});
            });
            CatalogRow(b, hcSkill, {"RadioButtonBE", "Special Skill", "ComboBoxBE", "LabelBE"},
                       SkillModel(), &v.Skill, "can be used");
            CatalogRow(b, hcItem, {"RadioButtonBF", "Item", "ComboBoxBF", "LabelBF"}, ItemModel(),
                       &v.Item, "is equipped");
            CatalogRow(b, hcCondition, {"RadioButtonBG", "Condition", "ComboBoxBG", "LabelBG"},
                       ConditionModel(), &v.Condition, "is");
          });
        });
      });
      b.Column([&] {
        b.StandardButtons(false);
        b.Stretch();
      });
    });
  }

  auto CallerData() const { return std::tuple(Condition, Value, Name); }

protected:
  void FormShow() override {
    v = LastUsedRecord<THeroConditionValues>();
    condition_ = Condition;
    if (Condition == hcName) v.Name = Name;
    if (int* slot = ValueSlot(Condition)) *slot = Value;
    UpdateControls();
  }
  void ButtonOkClick() override {
    LastUsedRecord<THeroConditionValues>() = v;
    Condition = condition_;
    Value = 0;
    Name.clear();
    if (Condition == hcName) Name = v.Name;
    if (int* slot = ValueSlot(Condition)) Value = *slot;
    done(mrOk);
  }

private:
  struct TRowNames {
    const char* Radio;
    const char* Caption;
    const char* Combo;
    const char* Label;
  };
  void CatalogRow(TFormBuilder& b, int condition, const TRowNames& names, TCatalogModel& list,
                  int* id, const char* label) {
    b.Radio(names.Radio, names.Caption, condition);
    b.Row([&] {
      Rule(condition, {CatalogCombo(b, names.Combo, list, id), b.Label(names.Label, label)});
    });
  }
  void Rule(int condition, std::vector<QWidget*> controls) {
    EnableWhen(std::move(controls), [this, condition] { return condition_ == condition; });
  }
  // The working value that a numbered condition takes; none for the party and the name.
  int* ValueSlot(int condition) {
    switch (condition) {
    case hcLevel:
      return &v.Level;
    case hcHp:
      return &v.Hp;
    case hcSkill:
      return &v.Skill;
    case hcItem:
      return &v.Item;
    case hcCondition:
      return &v.Condition;
    default:
      return nullptr;
    }
  }

  THeroConditionValues v;
  int condition_ = hcInParty;
};
VELMORA_REGISTER_FORM(TFormEvCmdIf2, TFormGroup::Dialog, 0, LastUsedRecord<THeroConditionValues>());

// ---- 12010 ----

enum TForkKind {
  fkSwitch,
  fkVariable,
  fkTimer,
  fkMoney,
  fkItem,
  fkHero,
  fkEvent,
  fkVehicle,
  fkDecisionKey,
  fkMusicPlayedOnce
};

struct TForkValues {
  int Kind = fkSwitch;
  TCommonConditions Common;
  int TimerMinutes = 0;
  int TimerSeconds = 0;
  int TimerComparison = 0; // 0 at least, 1 at most
  int Money = 0;
  int MoneyComparison = 0;
  int Item = 1;
  int Possession = 0; // 0 has it
  int Hero = 1;
  int HeroCondition = hcInParty;
  int HeroValue = 0;
  std::string HeroName;
  int Event = HeroEventId;
  int Direction = 0;
  int Vehicle = 0;
  bool ElseCase = true;
  // P1-P4 of a kind this editor does not know.
  std::array<int32_t, 4> Unknown{};
  bool operator==(const TForkValues&) const = default;
};

template <class V>
requires std::same_as<std::remove_const_t<V>, TForkValues>
auto Slots(V& v) -> std::array<decltype(&v.Kind), 4> {
  switch (v.Kind) {
  case fkTimer:
    return {nullptr, &v.TimerComparison, nullptr, nullptr};
  case fkMoney:
    return {&v.Money, &v.MoneyComparison, nullptr, nullptr};
  case fkItem:
    return {&v.Item, &v.Possession, nullptr, nullptr};
  case fkHero:
    return {&v.Hero, &v.HeroCondition, &v.HeroValue, nullptr};
  case fkEvent:
    return {&v.Event, &v.Direction, nullptr, nullptr};
  case fkVehicle:
    return {&v.Vehicle, nullptr, nullptr, nullptr};
  case fkDecisionKey:
  case fkMusicPlayedOnce:
    return {};
  default:
    return CommonSlots(v);
  }
}

// The timer is stored in seconds; the hero name is the head's string.
void ReadSpecial(const TXelEventScriptLine& head, TForkValues& v) {
  if (v.Kind == fkTimer) {
    v.TimerMinutes = head.GetParam(1) / 60;
    v.TimerSeconds = head.GetParam(1) % 60;
  }
  if (v.Kind == fkHero) v.HeroName = head.Text;
}

void WriteSpecial(const TForkValues& v, TXelEventScriptLine& head) {
  if (v.Kind == fkTimer) head.Params[1] = v.TimerMinutes * 60 + v.TimerSeconds;
  if (v.Kind == fkHero) head.Text = v.HeroName;
}

const QStringList AboveBelow = {">= Above", "<= Below"};

class TFormEvCmd12010 : public TFormEvCmdBranch<TForkValues, 12010> {
public:
  explicit TFormEvCmd12010(QWidget* owner) : TFormEvCmdBranch(owner) {
    TFormBuilder b(this, "FormEvCmd12010", "Fork Conditions", 425, 329);
    CommandLayout(b, [&] {
      // One radio group over both pages: the kinds are exclusive whatever page shows them.
      b.Radios(&v.Kind, [&] {
        PageControl1 = b.Tabs("PageControl1", [&] {
          b.Tab("TabSheet1", "1", [&] { b.Grid(2, [&] { FirstPage(b); }); });
          b.Tab("TabSheet2", "2", [&] {
            b.Grid(2, [&] { SecondPage(b); });
            b.Radio("RadioButtonAI", "Started By Decision Key", fkDecisionKey);
            b.Radio("RadioButtonAJ", "Play BGM Once", fkMusicPlayedOnce);
          });
        });
      });
      b.CheckBox("CheckBox1", "Add ELSE Case", &v.ElseCase);
    });
    On(PageControl1, &QTabWidget::currentChanged, &TFormEvCmd12010::PageControl1Change);
    On(DashBoxAF1, &TDashBox::Clicked, &TFormEvCmd12010::DashBoxAF1Click);
  }

protected:
  void FormShow() override {
    TFormEvCmdBranch::FormShow();
    // The page of the kind; kind 9 and unknown kinds are on the second.
    TUpdatingScope updating(*this);
    PageControl1->setCurrentIndex(v.Kind >= fkSwitch && v.Kind <= fkMoney ? 0 : 1);
  }

private:
  void FirstPage(TFormBuilder& b) {
    CommonConditionRows(b);
    b.Radio("RadioButtonAC", "Timer", fkTimer);
    b.Row([&] {
      Rule(fkTimer, {b.DialEdit("DialEditAC1", 0, 99, &v.TimerMinutes), b.Label("LabelAC1", "min"),
                     b.DialEdit("DialEditAC2", 0, 59, &v.TimerSeconds), b.Label("LabelAC2", "sec"),
                     b.ComboBox("ComboBoxAC1", AboveBelow, &v.TimerComparison)});
    });
    b.Radio("RadioButtonAD", "Money", fkMoney);
    b.Row([&] {
      Rule(fkMoney, {b.DialEdit("DialEditAD1", 0, 999999, &v.Money),
                     b.ComboBox("ComboBoxAD1", AboveBelow, &v.MoneyComparison)});
    });
  }
  void SecondPage(TFormBuilder& b) {
    b.Radio("RadioButtonAE", "Item", fkItem);
    b.Row([&] {
      Rule(fkItem,
           {CatalogCombo(b, "ComboBoxAE1", ItemModel(), &v.Item), b.Label("LabelAE1", "the party"),
            b.ComboBox("ComboBoxAE2", {"Has it", "Doesnt have it"}, &v.Possession)});
    });
    b.Radio("RadioButtonAF", "Hero", fkHero);
    b.Row([&] {
      auto* hero = CatalogCombo(b, "ComboBoxAF1", HeroModel(), &v.Hero);
      DashBoxAF1 = b.ValueBox("DashBoxAF1", &v.HeroCondition, [this](int condition) {
        return HeroConditionText(condition, v.HeroValue, v.HeroName);
      });
      Rule(fkHero, {hero, DashBoxAF1});
    });
    b.Radio("RadioButtonAG", "Event", fkEvent);
    b.Row([&] {
      Rule(fkEvent, {EventCombo(*this, b, "ComboBoxAG1", &v.Event), b.Label("LabelAG1", "faces"),
                     b.ComboBox("ComboBoxAG2", {"Up", "Right", "Down", "Left"}, &v.Direction),
                     b.Label("LabelAG2", "direction")});
    });
    b.Radio("RadioButtonAH", "Vehicle", fkVehicle);
    b.Row([&] {
      Rule(fkVehicle, {b.ComboBox("ComboBoxAH1", {"Boat", "Ship", "Airship"}, &v.Vehicle),
                       b.Label("LabelAH1", "is in use")});
    });
  }

  // Another page shows; the kind stays.
  void PageControl1Change() { UpdateControls(); }

  void DashBoxAF1Click() {
    TFormEvCmdIf2 dialog(this);
    dialog.Condition = v.HeroCondition;
    dialog.Value = v.HeroValue;
    dialog.Name = v.HeroName;
    if (!OpenModal(dialog)) return;
    v.HeroCondition = dialog.Condition;
    v.HeroValue = dialog.Value;
    v.HeroName = dialog.Name;
    UpdateControls();
  }

  QTabWidget* PageControl1 = nullptr;
  TDashBox* DashBoxAF1 = nullptr;
};
VELMORA_REGISTER_FORM(TFormEvCmd12010, TFormGroup::Command, 12010, LastUsedRecord<TForkValues>());

// ---- 13310 ----

enum TBattleForkKind { bkSwitch, bkVariable, bkHeroCanAct, bkMonsterCanAct };

struct TBattleForkValues {
  int Kind = bkSwitch;
  TCommonConditions Common;
  int Hero = 1;
  int Member = 0; // 0-based index in the monster group
  bool ElseCase = false;
  std::array<int32_t, 4> Unknown{};
  bool operator==(const TBattleForkValues&) const = default;
};

template <class V>
requires std::same_as<std::remove_const_t<V>, TBattleForkValues>
auto Slots(V& v) -> std::array<decltype(&v.Kind), 4> {
  if (v.Kind == bkHeroCanAct) return {&v.Hero, nullptr, nullptr, nullptr};
  if (v.Kind == bkMonsterCanAct) return {&v.Member, nullptr, nullptr, nullptr};
  return CommonSlots(v);
}

class TFormEvCmd13310 : public TFormEvCmdBranch<TBattleForkValues, 13310> {
public:
  explicit TFormEvCmd13310(QWidget* owner) : TFormEvCmdBranch(owner) {
    TFormBuilder b(this, "FormEvCmd13310", "Fork Conditions", 393, 313);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Conditions", [&] {
        b.Radios(&v.Kind, [&] {
          b.Grid(2, [&] {
            CommonConditionRows(b);
            b.Radio("RadioButtonAC", "Hero", bkHeroCanAct);
            b.Row([&] {
              Rule(bkHeroCanAct, {CatalogCombo(b, "ComboBoxAC1", HeroModel(), &v.Hero),
                                  b.Label("LabelAC1", "Possible Behavior")});
            });
            b.Radio("RadioButtonAD", "Monsters", bkMonsterCanAct);
            b.Row([&] {
              Rule(bkMonsterCanAct, {EnemyCombo(*this, b, "ComboBoxAD1", &v.Member, false),
                                     b.Label("LabelAD1", "Possible Behavior")});
            });
          });
        });
      });
      b.Group("GroupBox2", "Options",
              [&] { b.CheckBox("CheckBox1", "Add ELSE Case", &v.ElseCase); });
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd13310, TFormGroup::Command, 13310,
                      LastUsedRecord<TBattleForkValues>());

} // namespace
