// The label, loop, call-event and comment commands, offscreen: the lines they write are
// what the game runtime reads.
#include "tests/events/command_rows.h"

namespace {

class FlowCommands : public CommandDialogs {
protected:
  void SetUp() override {
    CommandDialogs::SetUp();
    for (int id = 1; id <= 3; ++id)
      map.Events.GetOrCreate(1)->Pages.GetOrCreate(id);
    edited.Pages.GetOrCreate(2);
    for (int id = 1; id <= 2; ++id)
      database.CommonEvents().GetOrCreate(id)->Name = "Common" + std::to_string(id);
  }

  // A command without a window: its lines after Execute.
  std::string Execute(int code, const std::string& in) {
    auto form = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, code, nullptr);
    Hand(*form, Map);
    ParseLines(in, *form->ScriptList);
    EXPECT_TRUE(form->Execute()) << in;
    return FormatLines(*form->ScriptList);
  }
};

TEST_F(FlowCommands, LabelsShareOneNumber) {
  RunTable(12110, {{Map, "", R"(0 12110 "" [1])"}, {Map, R"(2 12110 "" [7])", ""}});
  RunTable(12120, {{Common, "", R"(0 12120 "" [1])"}, {Common, R"(3 12120 "" [45])", ""}});
  // Create Label 7 makes a new jump offer 7.
  Run(12110, {Map, "", "", Dial("DialEdit1", 7)});
  EXPECT_EQ(Run(12120, {Map, "", ""}), R"(0 12120 "" [7])");
  auto form = Open(12120, Map, "");
  auto* dial = FindControl<TDialEdit>(form.get(), "DialEdit1");
  EXPECT_EQ(std::pair(dial->MinValue(), dial->MaxValue()), std::pair(1, 2000000000));
}

TEST_F(FlowCommands, LoopIsRebuiltAroundItsBody) {
  const std::string nested = R"(2 12210 "" [] | 3 10110 "a" [] | 3 12210 "" [] | 4 12220 "" [] | )"
                             R"(4 10 "" [] | 3 22210 "" [] | 3 10 "" [] | 2 22210 "" [])";
  const std::string fresh = R"(0 12210 "" [] | 1 10 "" [] | 0 22210 "" [])";
  struct TCase {
    std::string In, Out;
  };
  for (const TCase& c : {
           TCase{"", fresh},
           TCase{nested, AtDepthZero(nested)},
           // Any other input holds no body.
           TCase{R"(1 10110 "a" [] | 1 20110 "b" [])", fresh},
           // A body deeper than one level under its head is re-based.
           TCase{R"(0 12210 "" [] | 2 10110 "a" [] | 3 10 "" [] | 0 22210 "" [])",
                 R"(0 12210 "" [] | 1 10110 "a" [] | 2 10 "" [] | 0 22210 "" [])"},
       })
    EXPECT_EQ(Execute(12210, c.In), c.Out) << c.In;
}

TEST_F(FlowCommands, CallEventPagesFollowTheChosenEvent) {
  pickers.Id = 7;
  RunTable(12330,
           {
               {Common, "", R"(0 12330 "" [0,1,0])"},
               {Map, R"(2 12330 "" [1,1,3])", ""},
               {Map, R"(0 12330 "" [2,3,4])", ""},
               {Map, R"(0 12330 "" [5,8,9])", ""}, // an unknown kind stays
               {Map, R"(0 12330 "" [0,9,7])", R"(0 12330 "" [0,1,0])"},
               // Capped by the stored event, the working copy or nothing.
               {Map, R"(0 12330 "" [1,1,5])", R"(0 12330 "" [1,1,3])"},
               {Map, R"(0 12330 "" [1,2,5])", R"(0 12330 "" [1,2,2])"},
               {Map, R"(0 12330 "" [1,77,5])", R"(0 12330 "" [1,10005,2])"},
               {Common, R"(0 12330 "" [1,10005,4])", R"(0 12330 "" [1,10005,1])"},
               // Another event lowers the page to its own last one.
               {Map, R"(0 12330 "" [1,1,3])", R"(0 12330 "" [1,10005,2])", Combo("ComboBox2", 0)},
               {Map, R"(0 12330 "" [1,1,3])", R"(0 12330 "" [2,7,1])",
                Clicks({"RadioButton3", "DashBox1"})},
           });
  // Only the chosen kind's controls are enabled.
  auto form = Open(12330, Map, "");
  for (int kind = 0; kind < 3; ++kind) {
    Click(*form, ("RadioButton" + std::to_string(kind + 1)).c_str());
    for (auto [name, owner] : {std::pair{"ComboBox1", 0},
                               {"ComboBox2", 1},
                               {"DialEdit1", 1},
                               {"Label1", 1},
                               {"DashBox1", 2},
                               {"Label3", 2}})
      EXPECT_EQ(FindControl<QWidget>(form.get(), name)->isEnabled(), owner == kind) << name;
  }
}

TEST_F(FlowCommands, CommentsHoldFourLines) {
  const std::string four = R"(2 12410 "a" [] | 2 22410 "" [] | 2 22410 "c" [] | 2 22410 "d" [])";
  const auto typed = [](std::vector<const char*> lines) -> TStep {
    return [lines](TFormEvCmdBase& f) {
      auto* memo = FindControl<TFixedMemo>(&f, "FixedMemo1");
      memo->selectAll();
      QTest::keyClick(memo, Qt::Key_Delete);
      for (size_t i = 0; i < lines.size(); ++i) {
        if (i) QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, lines[i]);
      }
    };
  };
  RunTable(12410, {
                      {Battle, "", R"(0 12410 "" [])"},
                      {Map, four, ""},
                      {Map, AtDepthZero(four) + R"( | 0 22410 "e" [])", AtDepthZero(four)},
                      {Map, "", R"(0 12410 "x" [] | 0 22410 "y" [])", typed({"x", "y"})},
                      {Map, four, R"(0 12410 "" [])", typed({})},
                  });
}

} // namespace
