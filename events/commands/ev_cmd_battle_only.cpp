// The commands that exist only in the battle events of a monster group: an enemy's HP, MP
// and condition, its appearance, and the battle background (the end of the battle is a
// no-window command). The enemy commands aim at
// one member of the handed group and share the member last aimed at.
#include <QCheckBox>
#include <QGroupBox>

#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dial_edit.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_material_list.h"

namespace {

constexpr int32_t EnemyHp = 13110, EnemyMp = 13120, EnemyCondition = 13130, EnemyAppearance = 13150;

// The 0-based member index last aimed at by any enemy command.
struct TEnemyTarget {
  int Target = 0;
  bool operator==(const TEnemyTarget&) const = default;
};

// P0-P3 of HP and MP, P4 of HP; P2-P3 of the condition command are its operation and id.
template <int32_t Code> struct TEnemyValues {
  int Target = 0;
  int Operation = 0;
  TFixedOrVariable Amount;
  bool NoDeath = false;
  int Condition = 1;
  bool operator==(const TEnemyValues&) const = default;
};

template <int32_t Code> void ReadCommand(const TXelEventScriptList& lines, TEnemyValues<Code>& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Target = head.GetParam(0);
  if (Code == EnemyAppearance) return;
  v.Operation = head.GetParam(1);
  if (Code == EnemyCondition) {
    v.Condition = head.GetParam(2);
    return;
  }
  ReadFixedOrVariable(head.GetParam(2), head.GetParam(3), v.Amount);
  if (Code == EnemyHp) v.NoDeath = head.GetParam(4) == 1;
}

template <int32_t Code> void WriteCommand(const TEnemyValues<Code>& v, TXelEventScriptList& lines) {
  TParamList& params = lines.Add(Code, 0)->Params;
  params = {v.Target};
  if (Code == EnemyAppearance) return;
  params.push_back(v.Operation);
  if (Code == EnemyCondition) {
    params.push_back(v.Condition);
    return;
  }
  params.insert(params.end(), {v.Amount.Kind, FixedOrVariableValue(v.Amount)});
  // Written whatever the operation: the runtime reads it only for a decrease.
  if (Code == EnemyHp) params.push_back(v.NoDeath ? 1 : 0);
}

template <int32_t Code> class TFormEvCmdEnemy : public TFormEvCmd<TEnemyValues<Code>> {
public:
  explicit TFormEvCmdEnemy(QWidget* owner) : TFormEvCmd<TEnemyValues<Code>>(owner, Code) {
    const char* const captions[] = {"Change Enemy HP", "Change Enemy MP", "Change Enemy Condition",
                                    "", "Change Enemy Appearance"};
    const int sizes[][2] = {{313, 277}, {313, 229}, {377, 153}, {0, 0}, {313, 105}};
    const int index = (Code - EnemyHp) / 10;
    TFormBuilder b(this, QStringLiteral("FormEvCmd%1").arg(Code).toLatin1().constData(),
                   captions[index], sizes[index][0], sizes[index][1]);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", QStringLiteral("Target"),
              [&] { EnemyCombo(*this, b, "ComboBox1", &v.Target, false); });
      if (Code == EnemyCondition) {
        Operation(b, QStringLiteral("Add Condition"), QStringLiteral("Cancel Condition"));
        b.Group("GroupBox3", QStringLiteral("Condition Type"),
                [&] { CatalogCombo(b, "ComboBox2", ConditionModel(), &v.Condition); });
      } else if (Code != EnemyAppearance) {
        Points(b, QString::fromLatin1(Code == EnemyHp ? "HP" : "MP"));
      }
    });
  }

private:
  using TFormEvCmd<TEnemyValues<Code>>::v;

  void LoadLastUsed() override {
    TFormEvCmd<TEnemyValues<Code>>::LoadLastUsed();
    v.Target = LastUsedRecord<TEnemyTarget>().Target;
  }
  void StoreLastUsed() override {
    TFormEvCmd<TEnemyValues<Code>>::StoreLastUsed();
    LastUsedRecord<TEnemyTarget>().Target = v.Target;
  }

  void Operation(TFormBuilder& b, const QString& first, const QString& second) {
    b.Group("GroupBox2", QStringLiteral("Set"), [&] {
      b.Radios(&v.Operation, [&] {
        b.Row([&] {
          b.Radio("RadioButtonB1", first);
          b.Radio("RadioButtonB2", second);
        });
      });
    });
  }

  void Points(TFormBuilder& b, const QString& points) {
    Operation(b, "Increase " + points, "Decrease " + points);
    b.Group("GroupBox3", QStringLiteral("By How Much?"), [&] {
      FixedOrVariableGroup(
          *this, b, {"RadioButtonC1", "Set", "RadioButtonC2", "Variable", "DashBox2", "Label2"},
          v.Amount, [&] {
            return std::vector<QWidget*>{b.DialEdit("DialEdit1", 1, 999999, &v.Amount.Fixed)};
          });
    });
    if (Code != EnemyHp) return;
    QCheckBox* box = nullptr;
    QGroupBox* options = b.Group("GroupBox4", QStringLiteral("Options"), [&] {
      box = b.CheckBox("CheckBox1", QStringLiteral("Impossibile Death"), &v.NoDeath);
    });
    this->EnableWhen({options, box}, [this] { return v.Operation == 1; });
  }
};

#define VELMORA_ENEMY_COMMAND(code)                                                                \
  using TFormEvCmd##code = TFormEvCmdEnemy<code>;                                                  \
  VELMORA_REGISTER_FORM(TFormEvCmd##code, TFormGroup::Command, code,                               \
                        LastUsedRecord<TEnemyValues<code>>(), LastUsedRecord<TEnemyTarget>())

VELMORA_ENEMY_COMMAND(13110);
VELMORA_ENEMY_COMMAND(13120);
VELMORA_ENEMY_COMMAND(13130);
VELMORA_ENEMY_COMMAND(13150);

// No window of its own: the background picker, under this command's caption, chooses the
// name. Nothing is remembered between commands.
class TFormEvCmd13210 : public TFormEvCmdBase {
public:
  explicit TFormEvCmd13210(QWidget* owner) : TFormEvCmdBase(owner, 13210) {
    setObjectName("FormEvCmd13210");
    setWindowTitle("Change Battle Background");
  }

  bool Execute() override {
    TFormSelBackdrop picker(this);
    picker.setWindowTitle(windowTitle());
    if (ScriptList->GetCount() > 0) picker.FileName = ScriptList->GetItem(0)->Text;
    if (!OpenModal(picker)) return false;
    chosen_ = picker.FileName;
    StoreCommand();
    return true;
  }

protected:
  void WriteLines(TXelEventScriptList& lines) const override { lines.Add(13210, 0, chosen_); }

private:
  std::string chosen_;
};
VELMORA_REGISTER_FORM(TFormEvCmd13210, TFormGroup::Command, 13210);

} // namespace
