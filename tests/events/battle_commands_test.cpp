// The commands of battle events only, offscreen, against a group of three members (the
// second one's monster missing): the parameter layouts the game runtime reads.
#include "core/attribute_records.h"
#include "framework/pickers/sel_material_list.h"
#include "tests/events/command_rows.h"

namespace {

TEST_F(CommandDialogs, BattleEnemyCommands) {
  database.Statuses().GetOrCreate(2)->Name = "State2";
  pickers.Id = 7;
  RunTable(13110, {{Battle, "", R"(0 13110 "" [0,0,0,1,0])"},
                   {Battle, R"(2 13110 "" [2,1,1,7,1])", ""},
                   // "Increase HP" disables "Impossibile Death", which is still written.
                   {Battle, R"(0 13110 "" [1,1,0,5,1])", R"(0 13110 "" [1,0,0,5,1])",
                    Clicks({"RadioButtonB1"})},
                   // A member past the group is shown, and written, as the first.
                   {Battle, R"(0 13110 "" [7,0,0,5,0])", R"(0 13110 "" [0,0,0,5,0])"},
                   {Battle, "", R"(0 13110 "" [0,1,1,7,1])",
                    Clicks({"RadioButtonB2", "CheckBox1", "RadioButtonC2", "DashBox2"})}});
  RunTable(13120, {{Battle, "", R"(0 13120 "" [0,0,0,1])"},
                   {Battle, R"(2 13120 "" [2,1,1,3])", ""},
                   {Battle, R"(0 13120 "" [1,0,1,3])", R"(0 13120 "" [1,0,0,1])",
                    Clicks({"RadioButtonC1"})}});
  RunTable(13130, {{Battle, "", R"(0 13130 "" [0,0,1])"},
                   {Battle, R"(2 13130 "" [2,1,2])", ""},
                   {Battle, R"(0 13130 "" [1,0,9])", R"(0 13130 "" [1,0,1])"}});
  RunTable(13150, {{Battle, "", R"(0 13150 "" [0])"}, {Battle, R"(2 13150 "" [2])", ""}});
  EXPECT_EQ(FindControl<QComboBox>(Open(13150, Battle, "").get(), "ComboBox1")->itemText(1), "2:");

  // One target for the four, taken on OK only.
  Run(13130, {Battle, "", "", Combo("ComboBox1", 2)});
  auto cancelled = Open(13150, Battle, "");
  Combo("ComboBox1", 1)(*cancelled);
  Click(*cancelled, "ButtonCancel");
  EXPECT_EQ(Run(13110, {Battle, "", "", {}}), R"(0 13110 "" [2,0,0,1,0])");
  EXPECT_EQ(Run(13120, {Battle, "", "", {}}), R"(0 13120 "" [2,0,0,1])");
  EXPECT_EQ(Run(13150, {Battle, "", "", {}}), R"(0 13150 "" [2])");
}

TEST_F(CommandDialogs, BattleEnemyControlsFollowTheirChoices) {
  auto hp = Open(13110, Battle, "");
  const auto enabled = [&](std::initializer_list<const char*> names) {
    std::string shown;
    for (const char* name : names)
      shown += FindControl<QWidget>(hp.get(), name)->isEnabled() ? '1' : '0';
    return shown;
  };
  const auto names = {"GroupBox4", "CheckBox1", "DialEdit1", "DashBox2", "Label2"};
  EXPECT_EQ(enabled(names), "00100");
  Clicks({"RadioButtonB2", "RadioButtonC2"})(*hp);
  EXPECT_EQ(enabled(names), "11011");
  EXPECT_EQ(Open(13120, Battle, "")->findChild<QWidget*>("CheckBox1"), nullptr);
}

TEST_F(CommandDialogs, BattleBackgroundIsChosenInThePicker) {
  std::string offered, answer;
  pickers.Other = [&](TFormXelBase& form) {
    auto& picker = dynamic_cast<TFormSelBackdrop&>(form);
    EXPECT_EQ(picker.windowTitle(), "Change Battle Background");
    offered = std::exchange(picker.FileName, answer);
    return !answer.empty();
  };
  for (auto [in, chosen, out] : {std::tuple{"", "Field", R"(0 13210 "Field" [])"},
                                 {R"(2 13210 "Cave" [])", "Field", R"(0 13210 "Field" [])"},
                                 {R"(2 13210 "Cave" [])", "", R"(2 13210 "Cave" [])"}}) {
    answer = chosen;
    auto form = Open(13210, Battle, in);
    EXPECT_EQ(form->Execute(), !answer.empty()) << in;
    EXPECT_EQ(offered, std::string(in).empty() ? "" : "Cave") << in;
    EXPECT_EQ(FormatLines(*form->ScriptList), out) << in;
  }
}

} // namespace
