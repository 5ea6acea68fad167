// The switch, variable and timer commands: one head line each.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "core/monster_records.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"

namespace {

// ---- 10210 ----

struct TSwitchValues {
  TTargetValues Target;
  int Operation = 0;
  bool operator==(const TSwitchValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TSwitchValues& v) {
  ReadTarget(*lines.GetItem(0), v.Target);
  v.Operation = lines.GetItem(0)->GetParam(3);
}

void WriteCommand(const TSwitchValues& v, TXelEventScriptList& lines) {
  TXelEventScriptLine* head = lines.Add(10210, 0);
  WriteTarget(v.Target, head->Params);
  head->Params.push_back(v.Operation);
}

class TFormEvCmd10210 : public TFormEvCmd<TSwitchValues> {
public:
  explicit TFormEvCmd10210(QWidget* owner) : TFormEvCmd(owner, 10210) {
    TFormBuilder b(this, "FormEvCmd10210", "Switch Management", 377, 209);
    CommandLayout(b, [&] {
      TargetGroup(*this, b, "Choose Switch(es)", v.Target, true);
      b.RadioGroup("GroupBox2", "Set", {"ON", "OFF", "ON/OFF Trigger"}, &v.Operation, 3);
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10210, TFormGroup::Command, 10210, LastUsedRecord<TSwitchValues>());

// ---- 10220 ----

enum TOperandKind {
  okConstant,
  okVariable,
  okVariableRef,
  okRandom,
  okItem,
  okHero,
  okEvent,
  okOther,
  okEnemy
};

struct TVariableValues {
  TTargetValues Target;
  int Operation = 0;
  int Kind = okConstant;
  int Constant = 0;
  int Variable = 1;
  int VariableRef = 1;
  int RandomLow = 0;
  int RandomHigh = 0;
  int Item = 1;
  int ItemCount = 0;
  int Hero = 1;
  int HeroStat = 0;
  int Event = HeroEventId;
  int EventProperty = 0;
  int Other = 0;
  int Enemy = 0;
  int EnemyStat = 0;
  // P6 of a kind this editor does not know, written back as read.
  int Unknown = 0;
  bool operator==(const TVariableValues&) const = default;
};

// The two operand values of each kind; the second is none for single-value kinds.
template <class V>
auto OperandSlots(V& v) -> std::pair<decltype(&v.Constant), decltype(&v.Constant)> {
  switch (v.Kind) {
  case okConstant:
    return {&v.Constant, nullptr};
  case okVariable:
    return {&v.Variable, nullptr};
  case okVariableRef:
    return {&v.VariableRef, nullptr};
  case okRandom:
    return {&v.RandomLow, &v.RandomHigh};
  case okItem:
    return {&v.Item, &v.ItemCount};
  case okHero:
    return {&v.Hero, &v.HeroStat};
  case okEvent:
    return {&v.Event, &v.EventProperty};
  case okOther:
    return {&v.Other, nullptr};
  case okEnemy:
    return {&v.Enemy, &v.EnemyStat};
  default:
    return {&v.Constant, &v.Unknown};
  }
}

// WithMap: the event operand is offered (map and common events), else the enemy one.
void ReadVariableCommand(const TXelEventScriptList& lines, TVariableValues& v, bool withMap) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  ReadTarget(head, v.Target);
  v.Operation = head.GetParam(3);
  v.Kind = head.GetParam(4);
  if ((v.Kind == okEvent && !withMap) || (v.Kind == okEnemy && withMap)) {
    v.Kind = okConstant;
    return;
  }
  auto [first, second] = OperandSlots(v);
  *first = head.GetParam(5);
  if (second) *second = head.GetParam(6);
}

void ReadCommand(const TXelEventScriptList& lines, TVariableValues& v) {
  ReadVariableCommand(lines, v, true);
}

void WriteCommand(const TVariableValues& v, TXelEventScriptList& lines) {
  TXelEventScriptLine* head = lines.Add(10220, 0);
  WriteTarget(v.Target, head->Params);
  auto [first, second] = OperandSlots(v);
  head->Params.insert(head->Params.end(), {v.Operation, v.Kind, *first, second ? *second : 0});
}

class TFormEvCmd10220 : public TFormEvCmd<TVariableValues> {
public:
  explicit TFormEvCmd10220(QWidget* owner) : TFormEvCmd(owner, 10220) {
    TFormBuilder b(this, "FormEvCmd10220", "Variable Management", 377, 445);
    CommandLayout(b, [&] {
      TargetGroup(*this, b, "Choose Variable(s)", v.Target, false);
      b.RadioGroup("GroupBox2", "Set", {"Set", "+", "-", "*", "/", "Modulo"}, &v.Operation, 6);
      b.Group("GroupBox3", "Operand", [&] { b.Radios(&v.Kind, [&] { Operands(b); }); });
    });
  }

protected:
  void ReadLines(const TXelEventScriptList& lines) override {
    ReadVariableCommand(lines, v, WithMap());
  }
  void FormShow() override {
    // The context is known only now; the seventh operand follows it.
    const bool withMap = WithMap();
    {
      TUpdatingScope updating(*this);
      Choices7 =
          withMap ? EventChoices(Map, EventId, Event, true) : EnemyChoices(MonsterGroup, false);
      ComboBoxC7A->addItems(Choices7.Names);
      ComboBoxC7B->addItems(withMap ? EventProperties : EnemyStats);
    }
    RadioEvent->setVisible(withMap);
    RadioEnemy->setVisible(!withMap);
    TFormEvCmd::FormShow();
  }

private:
  // Map events, or common events (no group either): events. Battle events: enemies.
  bool WithMap() const { return Map || !MonsterGroup; }

  void Operands(TFormBuilder& b) {
    b.Grid(2, [&] {
      b.Radio("RadioButton4", "Set", okConstant);
      Rule(okConstant, {b.DialEdit("DialEditC1", -999999, 999999, &v.Constant)});
      b.Radio("RadioButton5", "Variable", okVariable);
      Rule(okVariable, {VariableBox(*this, b, "DashBoxC2", &v.Variable)});
      b.Radio("RadioButton6", "Variable", okVariableRef);
      Rule(okVariableRef, {VariableBox(*this, b, "DashBoxC3", &v.VariableRef)});
      b.Radio("RadioButton7", "Random", okRandom);
      b.Row([&] {
        Rule(okRandom, {b.DialEdit("DialEditC4A", -999999, 999999, &v.RandomLow),
                        b.Label("Label2", "-between-"),
                        b.DialEdit("DialEditC4B", -999999, 999999, &v.RandomHigh)});
      });
      b.Radio("RadioButton8", "Item", okItem);
      b.Row([&] {
        Rule(okItem, {CatalogCombo(b, "ComboBoxC5A", ItemModel(), &v.Item),
                      b.ComboBox("ComboBoxC5B", {"Owned No.", "Equipped No."}, &v.ItemCount)});
      });
      b.Radio("RadioButton9", "Hero", okHero);
      b.Row([&] {
        Rule(okHero, {CatalogCombo(b, "ComboBoxC6A", HeroModel(), &v.Hero),
                      b.ComboBox("ComboBoxC6B", HeroStats, &v.HeroStat)});
      });
      b.Column([&] {
        RadioEvent = b.Radio("RadioButton10", "Event", okEvent);
        RadioEnemy = b.Radio("RadioButton12", "Enemy Chara", okEnemy);
        // Only one of the two shows, known on show: the first layout makes room for the
        // usual one only, so that the dialog opens no larger than its content.
        RadioEnemy->hide();
      });
      b.Column([&] {
        b.Row([&] {
          ComboBoxC7A = ListCombo(b, "ComboBoxC7A", {});
          ComboBoxC7B = b.Add<QComboBox>("ComboBoxC7B");
        });
        b.Label("Label3", "Down=2 Left=4 Right=6 Up=8");
      });
      b.Radio("RadioButton11", "Other", okOther);
      Rule(okOther, {b.ComboBox("ComboBoxC8", OtherValues, &v.Other)});
    });
    // The seventh operand holds the event or the enemy, by the context known on show.
    AddBinding(std::make_unique<TBinding>(
        ComboBoxC7A,
        [this] {
          int& id = Seventh().first;
          if (Choices7.IndexOf(id) < 0) id = WithMap() ? HeroEventId : 0;
          ComboBoxC7A->setCurrentIndex(Choices7.IndexOf(id));
        },
        [] {}));
    AddBinding(std::make_unique<TBinding>(
        ComboBoxC7B, [this] { ComboBoxC7B->setCurrentIndex(Seventh().second); }, [] {}));
    On(ComboBoxC7A, &QComboBox::currentIndexChanged, [this](int index) {
      if (index >= 0) Seventh().first = Choices7.Ids[static_cast<size_t>(index)];
    });
    On(ComboBoxC7B, &QComboBox::currentIndexChanged, [this](int index) {
      if (index >= 0) Seventh().second = index;
    });
    EnableWhen({ComboBoxC7A, ComboBoxC7B},
               [this] { return v.Kind == (WithMap() ? okEvent : okEnemy); });
  }
  void Rule(int kind, std::vector<QWidget*> controls) {
    EnableWhen(std::move(controls), [this, kind] { return v.Kind == kind; });
  }
  std::pair<int&, int&> Seventh() {
    if (WithMap()) return {v.Event, v.EventProperty};
    return {v.Enemy, v.EnemyStat};
  }

  inline static const QStringList HeroStats = {"Level",     "EXP",        "HP",       "MP",
                                               "Max HP",    "Max MP",     "Attack",   "Defense",
                                               "Mind",      "Agility",    "Arms No.", "Shield No.",
                                               "Armor No.", "Helmet No.", "Other No."};
  inline static const QStringList EventProperties = {
      "Map ID", "X coordinate", "Y coordinate", "Direction Facing", "Window X", "Window Y"};
  inline static const QStringList EnemyStats = {"HP",     "MP",      "Max HP", "Max MP",
                                                "Attack", "Defense", "Mind",   "Agility"};
  inline static const QStringList OtherValues = {"Money",
                                                 "Timer Seconds Left",
                                                 "Party Size",
                                                 "Number of Saves",
                                                 "Number of Battles",
                                                 "Number of Victory",
                                                 "Number of Defeats",
                                                 "Number of Escapes",
                                                 "MIDI Play Pos.(Tick)"};

  QRadioButton* RadioEvent = nullptr;
  QRadioButton* RadioEnemy = nullptr;
  QComboBox* ComboBoxC7A = nullptr;
  QComboBox* ComboBoxC7B = nullptr;
  TIdChoices Choices7;
};
VELMORA_REGISTER_FORM(TFormEvCmd10220, TFormGroup::Command, 10220,
                      LastUsedRecord<TVariableValues>());

// ---- 10230 ----

struct TTimerValues {
  int Operation = 0;
  // Kind 0: seconds in Fixed; kind 1: the variable.
  TFixedOrVariable Operand{0, 0, 1};
  uint8_t Display = 0;
  uint8_t InBattle = 0;
  bool operator==(const TTimerValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TTimerValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Operation = head.GetParam(0);
  ReadFixedOrVariable(head.GetParam(1), head.GetParam(2), v.Operand);
  v.Display = static_cast<uint8_t>(head.GetParam(3));
  v.InBattle = static_cast<uint8_t>(head.GetParam(4));
}

void WriteCommand(const TTimerValues& v, TXelEventScriptList& lines) {
  lines.Add(10230, 0)->Params = {v.Operation, v.Operand.Kind, FixedOrVariableValue(v.Operand),
                                 v.Display, v.InBattle};
}

class TFormEvCmd10230 : public TFormEvCmd<TTimerValues> {
public:
  explicit TFormEvCmd10230(QWidget* owner) : TFormEvCmd(owner, 10230) {
    TFormBuilder b(this, "FormEvCmd10230", "Timer Management", 313, 225);
    TFixedOrVariableControls operand;
    QGroupBox* options = nullptr;
    CommandLayout(b, [&] {
      b.RadioGroup("GroupBox1", "Set", {"Set", "Start", "Stop"}, &v.Operation, 3);
      b.Group("GroupBox2", "Operand", [&] {
        operand = FixedOrVariableGroup(
            *this, b, {"RadioButton1", "Set", "RadioButton2", "Variable", "DashBox1"}, v.Operand,
            [&] {
              std::vector<QWidget*> controls;
              b.Row([&] { controls = SecondsControls(b); });
              return controls;
            },
            [this] { return v.Operation == 0; });
      });
      options = b.Group("GroupBox3", "Timers Start Options", [&] {
        b.CheckBox("CheckBox1", "Display Timer", &v.Display);
        b.CheckBox("CheckBox2", "Available in Battle", &v.InBattle);
      });
    });
    // Start and stop take no operand: its kind cannot be chosen either. (The group's
    // boxes follow their own rules, which blank them while disabled.)
    EnableWhen({operand.FixedRadio, operand.VariableRadio}, [this] { return v.Operation == 0; });
    EnableWhen({options}, [this] { return v.Operation == 1; });
  }

private:
  // Minutes and seconds edit one total: each keeps the other's part.
  std::vector<QWidget*> SecondsControls(TFormBuilder& b) {
    int& total = v.Operand.Fixed;
    auto* minutes = b.Bind(
        b.Add<TDialEdit>("DialEdit1"), &QLineEdit::textChanged, TField<int>(&total),
        [](TDialEdit* c, int value) { c->SetValue(value / 60); },
        [&total](TDialEdit* c) { return c->Value() * 60 + total % 60; });
    minutes->SetMinValue(0);
    minutes->SetMaxValue(99);
    QWidget* minLabel = b.Label("Label1", "min");
    auto* seconds = b.Bind(
        b.Add<TDialEdit>("DialEdit2"), &QLineEdit::textChanged, TField<int>(&total),
        [](TDialEdit* c, int value) { c->SetValue(value % 60); },
        [&total](TDialEdit* c) { return c->Value() + total - total % 60; });
    seconds->SetMinValue(0);
    seconds->SetMaxValue(59);
    return {minutes, minLabel, seconds, b.Label("Label2", "sec")};
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10230, TFormGroup::Command, 10230, LastUsedRecord<TTimerValues>());

} // namespace
