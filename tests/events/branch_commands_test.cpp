// The conditional branch commands, offscreen: the lines they write, bodies and all, are
// what the game runtime reads.
#include <QTabWidget>

#include "core/attribute_records.h"
#include "tests/events/command_rows.h"

namespace {

// A block with empty bodies: the else branch when asked.
std::string Fork(int code, const std::string& params, bool withElse, const std::string& text = "") {
  const auto line = [](int depth, int lineCode) {
    return std::to_string(depth) + " " + std::to_string(lineCode) + R"( "" [])";
  };
  std::string block =
      "0 " + std::to_string(code) + " \"" + text + "\" " + params + " | " + line(1, 10);
  if (withElse) block += " | " + line(0, code + 10000) + " | " + line(1, 10);
  return block + " | " + line(0, code + 10001);
}
std::string If(const std::string& params, bool withElse = false, const std::string& text = "") {
  return Fork(12010, params, withElse, text);
}

// A body one level under a head at depth 2, holding a nested block.
const std::string Nested =
    R"(3 10110 "Hi" [] | 3 12010 "" [0,2,1,0,0,0] | 4 10 "" [] | 3 22011 "" [] | 3 10 "" [])";

class BranchCommands : public CommandDialogs {
protected:
  void SetUp() override {
    CommandDialogs::SetUp();
    database.Skills().GetOrCreate(1)->Name = "Heal";
    database.Statuses().GetOrCreate(1)->Name = "Sleep";
    // "Hero Conditions": a name condition comes back as level, any other as the name "Kim".
    pickers.Other = [](TFormXelBase& form) {
      ShowAndActivate(&form);
      const bool wasName = FindControl<QRadioButton>(&form, "RadioButtonBB")->isChecked();
      FindControl<QRadioButton>(&form, wasName ? "RadioButtonBC" : "RadioButtonBB")->click();
      EXPECT_EQ(FindControl(&form, "OverEditBB")->isEnabled(), !wasName);
      EXPECT_EQ(FindControl(&form, "DialEditBC")->isEnabled(), wasName);
      if (!wasName) QTest::keyClicks(FindControl<QLineEdit>(&form, "OverEditBB"), "Kim");
      FindControl<QAbstractButton>(&form, "ButtonOk")->click();
      return form.result() == mrOk;
    };
  }
};

TEST_F(BranchCommands, ConditionalBranchLines) {
  pickers.Id = 2;
  RunTable(
      12010,
      {
          {Map, "", If("[0,1,0,0,0,1]", true)},
          {Map,
           "2 12010 \"\" [1,5,1,7,3,1] | " + Nested + R"( | 2 22010 "" [] | )" + Nested +
               R"( | 2 22011 "" [])",
           ""},
          {Map, If("[0,2,1,0,0,0]"), ""},
          {Map, If("[1,3,0,-999999,5,1]", true), ""},
          {Map, If("[1,3,4,9,2,0]"), ""}, // an unknown operand kind stays
          {Map, If("[2,5999,1,0,0,0]"), ""},
          {Map, If("[3,999999,1,0,0,0]"), ""},
          {Map, If("[4,3,1,0,0,0]"), ""},
          {Map, If("[5,2,1,0,0,0]", false, "Bob"), ""},
          {Map, If("[5,1,6,1,0,0]"), ""},
          {Map, If("[6,10005,3,0,0,0]"), ""},
          {Map, If("[6,2,2,0,0,0]"), ""},
          {Map, If("[7,2,0,0,0,0]"), ""},
          {Map, If("[9,0,0,0,0,1]", true), ""},
          {Map, If("[12,4,5,6,7,0]"), ""}, // an unknown kind stays
          // Ids the lists do not hold; parameters kinds 8 and 9 do not use.
          {Map, If("[6,77,1,0,0,0]"), If("[6,10001,1,0,0,0]")},
          {Map, If("[4,9,0,0,0,0]"), If("[4,1,0,0,0,0]")},
          {Map, If("[5,5,0,0,0,0]"), If("[5,1,0,0,0,0]")},
          {Map, If("[8,4,5,6,7,0]"), If("[8,0,0,0,0,0]")},
          {Map, If("[9,1,1,1,1,0]"), If("[9,0,0,0,0,0]")},
          // Unticking the else case drops its body; ticking it adds an empty one.
          {Map,
           R"(0 12010 "" [0,1,0,0,0,1] | 1 10 "" [] | 0 22010 "" [] | 1 10110 "x" [] | 1 10 "" [] | 0 22011 "" [])",
           If("[0,1,0,0,0,0]"), Clicks({"CheckBox1"})},
          {Map, R"(0 12010 "" [0,1,0,0,0,0] | 1 10110 "x" [] | 1 10 "" [] | 0 22011 "" [])",
           R"(0 12010 "" [0,1,0,0,0,1] | 1 10110 "x" [] | 1 10 "" [] | 0 22010 "" [] | 1 10 "" [] | 0 22011 "" [])",
           Clicks({"CheckBox1"})},
          {Map, "", If("[2,90,0,0,0,1]", true),
           Then(Clicks({"RadioButtonAC"}), Then(Dial("DialEditAC1", 1), Dial("DialEditAC2", 30)))},
          {Map, "", If("[0,2,0,0,0,1]", true), Clicks({"DashBoxAA1"})},
          {Map, "", If("[1,1,1,2,5,1]", true),
           Then(Clicks({"RadioButtonAB", "RadioButtonABB", "DashBoxABB1"}),
                Combo("ComboBoxAB1", 5))},
          // Another page keeps the kind.
          {Map, If("[2,61,0,0,0,0]"), "",
           [](TFormEvCmdBase& f) {
             FindControl<QTabWidget>(&f, "PageControl1")->setCurrentIndex(1);
           }},
          // The hero sub-dialog sets the name, and another condition empties it.
          {Map, "", If("[5,1,1,0,0,1]", true, "Kim"), Clicks({"RadioButtonAF", "DashBoxAF1"})},
          {Map, If("[5,2,1,0,0,0]", false, "Kim"), If("[5,2,2,1,0,0]"), Clicks({"DashBoxAF1"})},
      });
  // A new command offers what was last confirmed, else case included.
  EXPECT_EQ(Run(12010, {Map, If("[4,3,1,0,0,0]"), ""}), If("[4,3,1,0,0,0]"));
  EXPECT_EQ(Run(12010, {Map, "", ""}), If("[4,3,1,0,0,0]"));
}

TEST_F(BranchCommands, BattleBranchLines) {
  RunTable(
      13310,
      {
          {Battle, "", Fork(13310, "[0,1,0,0,0,0]", false)},
          {Battle,
           R"(2 13310 "" [3,2,0,0,0,1] | 3 10110 "a" [] | 3 10120 "" [0,2,1,0] | 3 10 "" [] | 2 23310 "" [] | )" +
               Nested + R"( | 2 23311 "" [])",
           ""},
          {Battle, Fork(13310, "[1,8,1,3,4,0]", false), ""},
          {Battle, Fork(13310, "[1,2,0,-999999,5,1]", true), ""},
          {Battle, Fork(13310, "[2,2,0,0,0,0]", false), ""},
          {Battle, Fork(13310, "[7,1,2,3,4,0]", false), ""},
          {Battle, Fork(13310, "[3,7,0,0,0,0]", false), Fork(13310, "[3,0,0,0,0,0]", false)},
          {Battle, Fork(13310, "[2,9,0,0,0,0]", false), Fork(13310, "[2,1,0,0,0,0]", false)},
          {Battle, "", Fork(13310, "[3,2,0,0,0,1]", true),
           Then(Clicks({"RadioButtonAD", "CheckBox1"}), Combo("ComboBoxAD1", 2))},
      });
}

TEST_F(BranchCommands, OnlyTheChosenConditionsControlsAreEnabled) {
  struct TCase {
    int Code;
    std::string In;
    TStep Step;
    std::vector<const char*> Enabled, Disabled;
  };
  const std::vector<TCase> cases = {
      {12010,
       "",
       {},
       {"DashBoxAA1", "ComboBoxAA1"},
       {"DashBoxAB1", "RadioButtonABA", "DialEditAC1"}},
      {12010,
       "",
       Clicks({"RadioButtonAB"}),
       {"DashBoxAB1", "RadioButtonABA", "DialEditABA1", "ComboBoxAB1"},
       {"DashBoxABB1", "DashBoxAA1"}},
      {12010, "", Clicks({"RadioButtonAB", "RadioButtonABB"}), {"DashBoxABB1"}, {"DialEditABA1"}},
      {12010,
       If("[5,1,0,0,0,0]"),
       {},
       {"ComboBoxAF1", "DashBoxAF1"},
       {"ComboBoxAE1", "DialEditAD1"}},
      {12010, If("[8,0,0,0,0,0]"), {}, {}, {"ComboBoxAG1", "ComboBoxAH1", "DashBoxAA1"}},
      {13310,
       "",
       Clicks({"RadioButtonAD"}),
       {"ComboBoxAD1", "LabelAD1"},
       {"ComboBoxAC1", "DashBoxAA1"}},
  };
  for (const TCase& c : cases) {
    auto form = Open(c.Code, c.Code == 13310 ? Battle : Map, c.In);
    if (c.Step) c.Step(*form);
    ExpectEnabling(form.get(), c.Enabled, c.Disabled, std::to_string(c.Code));
  }
}

TEST_F(BranchCommands, NamesAppliedInACancelledPickerShow) {
  struct TCase {
    int Code;
    std::string In;
    const char* Box;
    std::string Shown;
  };
  const std::vector<TCase> cases = {
      {12010, If("[0,1,0,0,0,0]"), "DashBoxAA1", "0001:Moat"},
      {13310, Fork(13310, "[1,1,1,1,0,0]", false), "DashBoxABB1", "0001:Stock"},
  };
  for (const TCase& c : cases) {
    auto form = Open(c.Code, c.Code == 13310 ? Battle : Map, c.In);
    // The box's id is not handed: the picker opens on the id last confirmed in it, and a
    // cancel leaves that alone.
    LastSwitchId = LastVariableId = 7;
    int openedOn = 0;
    TScopedModalOpener renameThenCancel([&](TFormXelBase& picker, const auto&) {
      openedOn = c.Code == 12010 ? LastSwitchId : LastVariableId;
      database.Switches().GetOrCreate(1)->Name = "Moat";
      database.Variables().GetOrCreate(1)->Name = "Stock";
      dynamic_cast<TFormSelNameBase&>(picker).NamesChanged = 1;
      return false;
    });
    Click(*form, c.Box);
    EXPECT_EQ(FindControl<TDashBox>(form.get(), c.Box)->Text().toStdString(), c.Shown) << c.Box;
    EXPECT_TRUE(form->DataChanged) << c.Box;
    EXPECT_EQ(openedOn, 7) << c.Box;
    EXPECT_EQ(LastSwitchId + LastVariableId, 14) << c.Box;
  }
}

TEST_F(BranchCommands, PagesHeroTextsAndTimer) {
  // The page follows the kind; the radios of both pages are one group.
  for (auto [kind, page] : {std::pair{"3", 0}, std::pair{"4", 1}, std::pair{"9", 1}}) {
    auto form = Open(12010, Map, If(std::string("[") + kind + ",0,0,0,0,0]"));
    EXPECT_EQ(FindControl<QTabWidget>(form.get(), "PageControl1")->currentIndex(), page) << kind;
  }
  auto form = Open(12010, Map, "");
  Clicks({"RadioButtonAJ", "RadioButtonAA"})(*form);
  EXPECT_FALSE(FindControl<QRadioButton>(form.get(), "RadioButtonAJ")->isChecked());
  // 1:30 reads back as its minutes and seconds.
  form = Open(12010, Map, If("[2,90,0,0,0,0]"));
  EXPECT_EQ(FindControl<TDialEdit>(form.get(), "DialEditAC1")->Value(), 1);
  EXPECT_EQ(FindControl<TDialEdit>(form.get(), "DialEditAC2")->Value(), 30);

  const std::vector<std::pair<std::string, std::string>> texts = {
      {If("[5,1,0,0,0,0]"), "Is in the party."},
      {If("[5,1,1,0,0,0]", false, "Kim"), "Name =  Kim"},
      {If("[5,1,2,12,0,0]"), "Level     12abov"},
      {If("[5,1,3,300,0,0]"), "HP    300abov"},
      {If("[5,1,4,1,0,0]"), "->Heal can use"},
      {If("[5,1,5,2,0,0]"), "->Item2 equipped"},
      {If("[5,1,6,9,0,0]"), "->? condition"},
  };
  for (const auto& [in, text] : texts)
    EXPECT_EQ(FindControl<TDashBox>(Open(12010, Map, in).get(), "DashBoxAF1")->Text().toStdString(),
              text)
        << in;
}

} // namespace
