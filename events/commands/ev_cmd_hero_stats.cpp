// The ten commands that change heroes. They share one shape: a target (the whole party,
// one hero, or the hero whose id a variable holds) in P0-P1, then the parameters listed
// per command in one table of differences.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"

namespace {

// What follows the target, in parameter order.
enum class TSlot {
  Operation, // increase / decrease and the like
  Amount,    // fixed-or-variable amount
  Option,    // a check box
  Ability,
  Skill,     // fixed-or-variable skill id
  Equipment, // item id to equip, or the slot to empty
  Condition,
  Damage, // attack, defence, mind, variance, the variable flag and id
};

struct THeroCommand {
  int32_t Code;
  const char* Caption;
  int Width, Height;
  QStringList Operations;
  std::vector<TSlot> Slots;
  int AmountMax = 999;
  QString AmountCaption = QStringLiteral("By How Much?");
  QString OptionCaption = {};
  int OptionOperation = 0; // the operation under which the option is enabled
};

const std::vector<THeroCommand>& HeroCommands() {
  using enum TSlot;
  static const std::vector<THeroCommand> commands = {
      {10410,
       "Change EXP",
       377,
       329,
       {"Increase EXP", "Decrease EXP"},
       {Operation, Amount, Option},
       999999,
       "By How Much?",
       "Show Level Up Message",
       0},
      {10420,
       "Change Level",
       377,
       329,
       {"Increase Level", "Decrease Level"},
       {Operation, Amount, Option},
       49,
       "By how much?",
       "Show Level Up Message",
       0},
      {10430,
       "Change Ability",
       377,
       281,
       {"Increase Ability", "Decrease Ability"},
       {Operation, Ability, Amount}},
      {10440, "Change Skills", 377, 281, {"Memorize Skill", "Forget Skill"}, {Operation, Skill}},
      {10450, "Change Equipment", 377, 329, {"Equip", "Remove"}, {Operation, Equipment}},
      {10460,
       "Change HP",
       377,
       329,
       {"Increase HP", "Decrease HP"},
       {Operation, Amount, Option},
       999,
       "By How Much?",
       "Possible Death",
       1},
      {10470, "Change MP", 377, 281, {"Increase MP", "Decrease MP"}, {Operation, Amount}},
      {10480,
       "Change Condition",
       377,
       205,
       {"Add Condition", "Cancel Condition"},
       {Operation, Condition}},
      {10490, "Full Recovery", 377, 157, {}, {}},
      {10500, "Take Damage", 377, 253, {}, {Damage}},
  };
  return commands;
}

const THeroCommand& HeroCommand(int32_t code) {
  for (const THeroCommand& command : HeroCommands())
    if (command.Code == code) return command;
  throw std::logic_error("no hero command " + std::to_string(code));
}

inline constexpr int RemoveAll = 5;

// One record per command, so each remembers its own last values.
template <int32_t Code> struct THeroValues {
  int TargetMode = 0; // 0 the party, 1 Hero, 2 the hero id in TargetVariable
  int Hero = 1;
  int TargetVariable = 1;
  int TargetUnknown = 0; // P1 of a mode this editor does not know, written back as read
  int Operation = 0;
  TFixedOrVariable Amount;
  bool Option = false;
  int Ability = 0;
  TFixedOrVariable Id; // skill or item
  int Slot = RemoveAll;
  int Condition = 1;
  int Attack = 1, Defense = 100, Mind = 0, Variance = 5;
  bool ToVariable = false;
  int DamageVariable = 1;
  bool operator==(const THeroValues&) const = default;
};

template <int32_t Code> void ReadCommand(const TXelEventScriptList& lines, THeroValues<Code>& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  int p = 0;
  auto next = [&] { return head.GetParam(p++); };
  v.TargetMode = next();
  const int32_t target = next();
  (v.TargetMode == 1 ? v.Hero : v.TargetMode == 2 ? v.TargetVariable : v.TargetUnknown) = target;
  for (TSlot slot : HeroCommand(Code).Slots) {
    switch (slot) {
    case TSlot::Operation:
      v.Operation = next();
      break;
    case TSlot::Amount:
    case TSlot::Skill: {
      const int32_t kind = next();
      ReadFixedOrVariable(kind, next(), slot == TSlot::Amount ? v.Amount : v.Id);
      break;
    }
    case TSlot::Option:
      v.Option = next() == 1;
      break;
    case TSlot::Ability:
      v.Ability = next();
      break;
    case TSlot::Equipment: {
      const int32_t first = next(), second = next();
      if (v.Operation == 1)
        v.Slot = first;
      else
        ReadFixedOrVariable(first, second, v.Id);
      break;
    }
    case TSlot::Condition:
      v.Condition = next();
      break;
    case TSlot::Damage:
      v.Attack = next();
      v.Defense = next();
      v.Mind = next();
      v.Variance = next();
      v.ToVariable = next() == 1;
      if (v.ToVariable) v.DamageVariable = next();
      break;
    }
  }
}

template <int32_t Code> void WriteCommand(const THeroValues<Code>& v, TXelEventScriptList& lines) {
  TParamList& params = lines.Add(Code, 0)->Params;
  const int32_t target = v.TargetMode == 0   ? 0
                         : v.TargetMode == 1 ? v.Hero
                         : v.TargetMode == 2 ? v.TargetVariable
                                             : v.TargetUnknown;
  params = {v.TargetMode, target};
  for (TSlot slot : HeroCommand(Code).Slots) {
    switch (slot) {
    case TSlot::Operation:
      params.push_back(v.Operation);
      break;
    case TSlot::Amount:
      params.insert(params.end(), {v.Amount.Kind, FixedOrVariableValue(v.Amount)});
      break;
    case TSlot::Skill:
      params.insert(params.end(), {v.Id.Kind, FixedOrVariableValue(v.Id)});
      break;
    case TSlot::Option:
      params.push_back(v.Option ? 1 : 0);
      break;
    case TSlot::Ability:
      params.push_back(v.Ability);
      break;
    case TSlot::Equipment:
      if (v.Operation == 1)
        params.insert(params.end(), {v.Slot, 0});
      else
        params.insert(params.end(), {v.Id.Kind, FixedOrVariableValue(v.Id)});
      break;
    case TSlot::Condition:
      params.push_back(v.Condition);
      break;
    case TSlot::Damage:
      params.insert(params.end(), {v.Attack, v.Defense, v.Mind, v.Variance, v.ToVariable ? 1 : 0,
                                   v.ToVariable ? v.DamageVariable : 0});
      break;
    }
  }
}

template <int32_t Code> class TFormEvCmdHero : public TFormEvCmd<THeroValues<Code>> {
public:
  explicit TFormEvCmdHero(QWidget* owner) : TFormEvCmd<THeroValues<Code>>(owner, Code) {
    const THeroCommand& command = HeroCommand(Code);
    TFormBuilder b(this, QStringLiteral("FormEvCmd%1").arg(Code).toLatin1().constData(),
                   command.Caption, command.Width, command.Height);
    CommandLayout(b, [&] {
      HeroTarget(b);
      for (TSlot slot : command.Slots)
        Slot(b, command, slot);
    });
  }

private:
  using TFormEvCmd<THeroValues<Code>>::v;

  void HeroTarget(TFormBuilder& b) {
    QComboBox* hero = nullptr;
    TDashBox* variable = nullptr;
    b.Group("GroupBox1", QStringLiteral("Target"), [&] {
      b.Radios(&v.TargetMode, [&] {
        b.Radio("RadioButton1", QStringLiteral("All Party Members"));
        b.Row([&] {
          b.Radio("RadioButton2", QStringLiteral("Fix"));
          hero = CatalogCombo(b, "ComboBox1", HeroModel(), &v.Hero);
        });
        b.Row([&] {
          b.Radio("RadioButton3", QStringLiteral("Variable"));
          variable = VariableBox(*this, b, "DashBox1", &v.TargetVariable);
        });
      });
    });
    this->EnableWhen({hero}, [this] { return v.TargetMode == 1; });
    this->EnableWhen({variable}, [this] { return v.TargetMode == 2; });
  }

  // The label and the kind's radios: the id's own controls follow their own rules.
  std::vector<QWidget*> IdGroup(TFormBuilder& b, const char* group, const QString& caption,
                                const QString& label, TCatalogModel& names,
                                std::function<bool()> enabled = {}) {
    std::vector<QWidget*> controls;
    b.Group(group, caption, [&] {
      QLabel* title = b.Label("Label1", label);
      const TFixedOrVariableControls id = FixedOrVariableGroup(
          *this, b, {"RadioButton4", "Fix", "RadioButton5", "Variable", "DashBox2"}, v.Id,
          [&] { return std::vector<QWidget*>{CatalogCombo(b, "ComboBox2", names, &v.Id.Fixed)}; },
          std::move(enabled));
      controls = {title, id.FixedRadio, id.VariableRadio};
    });
    return controls;
  }

  void Slot(TFormBuilder& b, const THeroCommand& command, TSlot slot) {
    switch (slot) {
    case TSlot::Operation:
      b.RadioGroup("GroupBox2", QStringLiteral("Set"), command.Operations, &v.Operation, 2);
      break;
    case TSlot::Amount:
      b.Group("GroupBox3", command.AmountCaption, [&] {
        FixedOrVariableGroup(*this, b,
                             {"RadioButton4", "Set", "RadioButton5", "Variable", "DashBox2"},
                             v.Amount, [&] {
                               return std::vector<QWidget*>{
                                   b.DialEdit("DialEdit1", 1, command.AmountMax, &v.Amount.Fixed)};
                             });
      });
      break;
    case TSlot::Option: {
      QCheckBox* box = nullptr;
      QGroupBox* group = b.Group("GroupBox4", QStringLiteral("Options"), [&] {
        box = b.CheckBox("CheckBox1", command.OptionCaption, &v.Option);
      });
      // The level-up message belongs to an increase; possible death to a decrease.
      const int operation = command.OptionOperation;
      this->EnableWhen({operation == 0 ? static_cast<QWidget*>(box) : group},
                       [this, operation] { return v.Operation == operation; });
      break;
    }
    case TSlot::Ability:
      b.RadioGroup("GroupBox4", QStringLiteral("Ability"),
                   {"Max HP", "Max MP", "Attack", "Defense", "Mind", "Agility"}, &v.Ability, 3);
      break;
    case TSlot::Skill:
      IdGroup(b, "GroupBox3", QStringLiteral("Which Tech Skill?"), QStringLiteral("Skill Number"),
              SkillModel());
      break;
    case TSlot::Equipment: {
      // The whole group, its radios and label too, belongs to "Equip". (The boxes follow
      // their own rules, which blank them while disabled.)
      const auto equipping = [this] { return v.Operation == 0; };
      this->EnableWhen(IdGroup(b, "GroupBox3", QStringLiteral("Equipment Item"),
                               QStringLiteral("Item Number"), ItemModel(), equipping),
                       equipping);
      QGroupBox* remove = b.Group("GroupBox4", QStringLiteral("Remove Equipment"), [&] {
        b.Radios(&v.Slot, [&] {
          b.Grid(3, [&] {
            b.Radio("RadioButton6", QStringLiteral("All"), RemoveAll);
            int tag = 0;
            for (const char* name : {"Arms", "Shield", "Armor", "Helmet", "Other"})
              b.Radio(QStringLiteral("RadioButton%1").arg(7 + tag).toLatin1().constData(),
                      QString::fromLatin1(name), tag),
                  ++tag;
          });
        });
      });
      this->EnableWhen({remove}, [this] { return v.Operation == 1; });
      break;
    }
    case TSlot::Condition:
      b.Group("GroupBox3", QStringLiteral("Condition Type"),
              [&] { CatalogCombo(b, "ComboBox2", ConditionModel(), &v.Condition); });
      break;
    case TSlot::Damage: {
      b.Grid(2, [&] {
        b.Group("GroupBox2", QStringLiteral("Attack"),
                [&] { b.DialEdit("DialEdit1", 1, 999, &v.Attack); });
        b.Group("GroupBox3", QStringLiteral("Defense Effect"),
                [&] { b.DialEdit("DialEdit2", 0, 100, &v.Defense); });
        b.Group("GroupBox4", QStringLiteral("Mind Force Effect"),
                [&] { b.DialEdit("DialEdit3", 0, 100, &v.Mind); });
        b.Group("GroupBox5", QStringLiteral("Variance"),
                [&] { b.DialEdit("DialEdit4", 0, 10, &v.Variance); });
      });
      TDashBox* box = nullptr;
      b.Group("GroupBox6", QStringLiteral("Set Damage value to Variable"), [&] {
        b.Row([&] {
          b.CheckBox("CheckBox1", QString(), &v.ToVariable);
          box = VariableBox(*this, b, "DashBox2", &v.DamageVariable);
        });
      });
      this->EnableWhen({box}, [this] { return v.ToVariable; });
      break;
    }
    }
  }
};

#define VELMORA_HERO_COMMAND(code)                                                                 \
  using TFormEvCmd##code = TFormEvCmdHero<code>;                                                   \
  VELMORA_REGISTER_FORM(TFormEvCmd##code, TFormGroup::Command, code,                               \
                        LastUsedRecord<THeroValues<code>>())

VELMORA_HERO_COMMAND(10410);
VELMORA_HERO_COMMAND(10420);
VELMORA_HERO_COMMAND(10430);
VELMORA_HERO_COMMAND(10440);
VELMORA_HERO_COMMAND(10450);
VELMORA_HERO_COMMAND(10460);
VELMORA_HERO_COMMAND(10470);
VELMORA_HERO_COMMAND(10480);
VELMORA_HERO_COMMAND(10490);
VELMORA_HERO_COMMAND(10500);

} // namespace
