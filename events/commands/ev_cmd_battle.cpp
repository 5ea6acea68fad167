// The battle command: a block whose victory, escape and defeat branches exist only when
// the escape or defeat case asks for its own branch.
#include <QComboBox>
#include <memory>

#include "core/command_block.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dash_box.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_material_list.h"

namespace {

constexpr int32_t VictoryBranch = 20710, EscapeBranch = 20711, DefeatBranch = 20712,
                  BattleEnd = 20713;
constexpr int EscapeCase = 2, DefeatCase = 1;

struct TBattleValues {
  TFixedOrVariable Group;   // P0, P1
  int Background = 0;       // P2: 0 by the terrain, 1 the named one
  std::string BackdropName; // the text when P2 = 1
  int Escape = 0;           // P3
  int Defeat = 0;           // P4
  bool FirstStrike = false; // P5
  // The branch bodies as read; not part of the record.
  std::shared_ptr<TXelEventScriptList> Bodies[3];
  bool operator==(const TBattleValues& o) const {
    return Group == o.Group && Background == o.Background && BackdropName == o.BackdropName &&
           Escape == o.Escape && Defeat == o.Defeat && FirstStrike == o.FirstStrike;
  }
};

void ReadCommand(const TXelEventScriptList& lines, TBattleValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  ReadFixedOrVariable(head.GetParam(0), head.GetParam(1), v.Group);
  v.Background = head.GetParam(2);
  v.BackdropName = head.Text;
  v.Escape = head.GetParam(3);
  v.Defeat = head.GetParam(4);
  v.FirstStrike = head.GetParam(5) == 1;
  const std::vector<TBlockSection> sections = SplitCommandBlock(lines);
  for (int32_t code : {VictoryBranch, EscapeBranch, DefeatBranch})
    v.Bodies[code - VictoryBranch] = KeepBlockBody(sections, code);
}

void WriteCommand(const TBattleValues& v, TXelEventScriptList& lines) {
  lines.Add(10710, 0, v.Background == 1 ? v.BackdropName : std::string())->Params = {
      v.Group.Kind, FixedOrVariableValue(v.Group), v.Background, v.Escape,
      v.Defeat,     v.FirstStrike ? 1 : 0};
  const bool escapeBranch = v.Escape == EscapeCase, defeatBranch = v.Defeat == DefeatCase;
  if (!escapeBranch && !defeatBranch) return; // the bodies go with the branches
  std::vector<TBlockBranch> branches;
  for (int32_t code : {VictoryBranch, EscapeBranch, DefeatBranch})
    if (code == VictoryBranch || (code == EscapeBranch ? escapeBranch : defeatBranch))
      branches.push_back({code, v.Bodies[code - VictoryBranch].get()});
  AppendBlockBranches(lines, branches, BattleEnd);
}

class TFormEvCmd10710 : public TFormEvCmd<TBattleValues> {
public:
  explicit TFormEvCmd10710(QWidget* owner) : TFormEvCmd(owner, 10710) {
    TFormBuilder b(this, "FormEvCmd10710", "Start Battle", 377, 329);
    TDashBox* backdrop = nullptr;
    CommandLayout(b, [&] {
      b.Group("GroupBox1", QStringLiteral("Try Enemy Group"), [&] {
        FixedOrVariableGroup(*this, b,
                             {"RadioButtonA1", "Fix", "RadioButtonA2", "Variable", "DashBox1",
                              "Label1", "Enemy Group Number"},
                             v.Group, [&] {
                               return std::vector<QWidget*>{CatalogCombo(
                                   b, "ComboBox1", MonsterGroupModel(), &v.Group.Fixed)};
                             });
      });
      b.Group("GroupBox2", QStringLiteral("Battle Background"), [&] {
        b.Radios(&v.Background, [&] {
          b.Radio("RadioButtonB1", QStringLiteral("By Terrain Chip"));
          b.Row([&] {
            b.Radio("RadioButtonB2", QStringLiteral("Set"));
            backdrop = b.ValueBox("DashBox2", &v.BackdropName);
          });
        });
      });
      b.Row([&] {
        b.Group("GroupBox3", QStringLiteral("Escape Case"), [&] {
          b.Radios(&v.Escape, [&] {
            b.Radio("RadioButtonC1", QStringLiteral("NO Escape"));
            b.Radio("RadioButtonC2", QStringLiteral("Allow Escape"));
            b.Radio("RadioButtonC3", QStringLiteral("Add Case"));
          });
        });
        b.Group("GroupBox4", QStringLiteral("Defeat Case"), [&] {
          b.Radios(&v.Defeat, [&] {
            b.Radio("RadioButtonD1", QStringLiteral("Game Over"));
            b.Radio("RadioButtonD2", QStringLiteral("Add Case"));
          });
        });
      });
      b.Group("GroupBox5", QStringLiteral("Options"),
              [&] { b.CheckBox("CheckBox1", QStringLiteral("First Strike"), &v.FirstStrike); });
    });
    EnableWhen({backdrop}, [this] { return v.Background == 1; });
    On(backdrop, &TDashBox::Clicked, [this] {
      TFormSelBackdrop picker(this);
      picker.FileName = v.BackdropName;
      if (!OpenModal(picker)) return;
      v.BackdropName = picker.FileName;
      UpdateControls();
    });
  }

private:
  void LoadLastUsed() override {
    TFormEvCmd::LoadLastUsed();
    for (auto& body : v.Bodies)
      body.reset();
  }
  void StoreLastUsed() override {
    TFormEvCmd::StoreLastUsed();
    for (auto& body : LastUsedRecord<TBattleValues>().Bodies)
      body.reset();
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10710, TFormGroup::Command, 10710, LastUsedRecord<TBattleValues>());

} // namespace
