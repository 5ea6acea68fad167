// The hero statistics commands, offscreen: one family whose parameter layouts the game
// runtime reads.
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>

#include "core/attribute_records.h"
#include "core/system_records.h"
#include "core/vocabulary_record.h"
#include "tests/events/command_rows.h"

namespace {

class HeroCommands : public CommandDialogs {
protected:
  void SetUp() override {
    CommandDialogs::SetUp();
    for (int id = 1; id <= 2; ++id) {
      database.Skills().GetOrCreate(id)->Name = "Skill" + std::to_string(id);
      database.Statuses().GetOrCreate(id)->Name = "State" + std::to_string(id);
    }
  }
  bool Enabled(TFormEvCmdBase& form, const char* name) {
    return FindControl<QWidget>(&form, name)->isEnabled();
  }
};

TEST_F(HeroCommands, LinesRoundTripAndNewCommands) {
  pickers.Id = 7;
  RunTable(10410, {
                      {Map, "", R"(0 10410 "" [0,0,0,0,1,0])"},
                      {Map, R"(2 10410 "" [1,2,1,1,7,1])", ""},
                      {Map, R"(0 10410 "" [3,9,0,0,1,0])", ""}, // an unknown target stays
                      // The whole party writes P1 = 0 whatever the combo shows.
                      {Map, R"(0 10410 "" [1,2,0,0,5,0])", R"(0 10410 "" [0,0,0,0,5,0])",
                       Clicks({"RadioButton1"})},
                      // Switching a kind back shows that kind's last value.
                      {Map, R"(0 10410 "" [2,4,0,1,7,0])", R"(0 10410 "" [1,1,0,0,1,0])",
                       Clicks({"RadioButton2", "RadioButton4"})},
                      {Map, "", R"(0 10410 "" [2,7,1,1,7,1])",
                       Clicks({"RadioButton3", "DashBox1", "CheckBox1", "GroupBox2_1",
                               "RadioButton5", "DashBox2"})},
                  });
  RunTable(10420, {
                      {Map, "", R"(0 10420 "" [0,0,0,0,1,0])"},
                      {Map, R"(2 10420 "" [1,1,0,0,49,1])", ""},
                  });
  RunTable(10430, {
                      {Map, "", R"(0 10430 "" [0,0,0,0,0,1])"},
                      {Map, R"(1 10430 "" [1,2,1,5,1,3])", ""},
                      {Map, "", R"(0 10430 "" [0,0,0,4,0,1])", Clicks({"GroupBox4_4"})},
                  });
  RunTable(10440, {
                      {Map, "", R"(0 10440 "" [0,0,0,0,1])"},
                      {Map, R"(2 10440 "" [1,2,1,1,4])", ""},
                      {Map, R"(0 10440 "" [0,0,0,0,9])", R"(0 10440 "" [0,0,0,0,1])"},
                      {Map, "", R"(0 10440 "" [0,0,1,0,2])",
                       Then(Clicks({"GroupBox2_1"}), Combo("ComboBox2", 1))},
                  });
  RunTable(10450, {
                      {Map, "", R"(0 10450 "" [0,0,0,0,1])"},
                      {Map, R"(2 10450 "" [1,2,0,1,3])", ""},
                      {Map, R"(0 10450 "" [1,2,1,2,0])", ""},
                      {Map, "", R"(0 10450 "" [1,2,1,5,0])",
                       Then(Clicks({"RadioButton2", "GroupBox2_1"}), Combo("ComboBox1", 1))},
                      {Map, R"(0 10450 "" [0,0,1,3,0])", R"(0 10450 "" [0,0,0,0,2])",
                       Then(Clicks({"GroupBox2_0"}), Combo("ComboBox2", 1))},
                  });
  RunTable(10460, {
                      {Map, "", R"(0 10460 "" [0,0,0,0,1,0])"},
                      {Map, R"(2 10460 "" [0,0,1,1,3,1])", ""},
                      {Map, R"(0 10460 "" [0,0,0,0,999,1])", ""}, // a disabled box is still written
                  });
  RunTable(10470, {
                      {Map, "", R"(0 10470 "" [0,0,0,0,1])"},
                      {Map, R"(2 10470 "" [2,4,1,0,999])", ""},
                  });
  RunTable(10480, {
                      {Map, "", R"(0 10480 "" [0,0,0,1])"},
                      {Map, R"(2 10480 "" [1,1,1,2])", ""},
                      {Map, R"(0 10480 "" [1,1,1,5])", R"(0 10480 "" [1,1,1,1])"},
                  });
  RunTable(10490, {
                      {Map, "", R"(0 10490 "" [0,0])"},
                      {Map, R"(2 10490 "" [2,6])", ""},
                  });
  RunTable(10500, {
                      {Map, "", R"(0 10500 "" [0,0,1,100,0,5,0,0])"},
                      {Map, R"(2 10500 "" [1,2,999,0,100,10,1,7])", ""},
                      // Unticking drops the chosen variable.
                      {Map, R"(0 10500 "" [0,0,1,100,0,5,1,7])",
                       R"(0 10500 "" [0,0,1,100,0,5,0,0])", Clicks({"CheckBox1"})},
                  });
}

TEST_F(HeroCommands, ControlsFollowTheirChoices) {
  struct TCase {
    int Code;
    const char* Click;
    std::vector<std::pair<const char*, bool>> Before, After;
  };
  const std::vector<TCase> cases = {
      {10410, "GroupBox2_1", {{"CheckBox1", true}, {"ComboBox1", false}}, {{"CheckBox1", false}}},
      {10420, "RadioButton2", {{"ComboBox1", false}, {"DashBox1", false}}, {{"ComboBox1", true}}},
      {10460, "GroupBox2_1", {{"CheckBox1", false}}, {{"CheckBox1", true}}},
      {10450,
       "GroupBox2_1",
       {{"ComboBox2", true}, {"RadioButton6", false}},
       {{"ComboBox2", false}, {"RadioButton6", true}}},
      {10440, "RadioButton5", {{"ComboBox2", true}, {"DashBox2", false}}, {{"ComboBox2", false}}},
      {10500, "CheckBox1", {{"DashBox2", false}}, {{"DashBox2", true}}},
  };
  for (const TCase& c : cases) {
    auto form = Open(c.Code, Map, "");
    for (auto [name, enabled] : c.Before)
      EXPECT_EQ(Enabled(*form, name), enabled) << c.Code << " " << name;
    Click(*form, c.Click);
    for (auto [name, enabled] : c.After)
      EXPECT_EQ(Enabled(*form, name), enabled) << c.Code << " " << name << " after " << c.Click;
  }
  // The level stops at 49, experience and the others at their own ends.
  for (auto [code, max] : {std::pair{10410, 999999}, {10420, 49}, {10430, 999}, {10460, 999}})
    EXPECT_EQ(FindControl<TDialEdit>(Open(code, Map, "").get(), "DialEdit1")->MaxValue(), max);
}

} // namespace

TEST_F(HeroCommands, NamesDegreesAndTransitionsStartFromTheDatabase) {
  database.Players().GetOrCreate(2)->Title = "Knight";
  database.System().TeleportErase = 2;
  database.System().BattleStartShow = 4;
  const std::string longName(60, 'n');
  RunTable(10610, {
                      {Map, "", R"(0 10610 "Alex" [1])"},
                      {Map, R"(2 10610 "Zed" [2])", ""},
                      {Map, "0 10610 \"" + longName + "\" [1]", ""}, // typing limits cut nothing
                      {Map, R"(0 10610 "Zed" [9])", R"(0 10610 "Zed" [1])"},
                      {Map, "", R"(0 10610 "Bea" [2])", Combo("ComboBox1", 1)},
                  });
  RunTable(10620, {
                      {Map, "", R"(0 10620 "" [1])"},
                      {Map, R"(1 10620 "Lord" [1])", ""},
                      {Map, "", R"(0 10620 "Knight" [2])", Combo("ComboBox1", 1)},
                  });
  RunTable(10690, {
                      {Map, "", R"(0 10690 "" [0,2])"},
                      {Map, R"(2 10690 "" [3,19])", ""},
                      {Map, R"(0 10690 "" [7,3])", ""}, // an unknown kind reads nothing
                      {Map, "", R"(0 10690 "" [3,4])", Combo("ComboBox1", 3)},
                      {Map, "", R"(0 10690 "" [0,5])",
                       [](TFormEvCmdBase& f) {
                         FindControl<QListWidget>(&f, "ListBox1")->setCurrentRow(5);
                       }},
                  });
  // Only the list of the kind's direction is shown, on the stored transition.
  struct TCase {
    const char* In;
    bool Erase, Show;
    QString Shown;
  };
  for (const TCase& c : {TCase{R"(0 10690 "" [3,19])", false, true, "Instant Display"},
                         TCase{R"(0 10690 "" [4,19])", true, false, "Instant Erase"},
                         TCase{R"(0 10690 "" [6,1])", false, false, {}}}) {
    auto form = Open(10690, Map, c.In);
    EXPECT_EQ(FindControl<QGroupBox>(form.get(), "GroupBox2")->isVisible(), c.Erase) << c.In;
    EXPECT_EQ(FindControl<QGroupBox>(form.get(), "GroupBox3")->isVisible(), c.Show) << c.In;
    if (c.Erase || c.Show) {
      auto* list = FindControl<QListWidget>(form.get(), c.Erase ? "ListBox1" : "ListBox2");
      EXPECT_EQ(list->currentItem()->text(), c.Shown) << c.In;
    }
    EXPECT_EQ(FindControl<QComboBox>(form.get(), "ComboBox1")->currentIndex(),
              c.Erase || c.Show ? 3 + c.Erase : -1);
  }
}

TEST_F(HeroCommands, InnAndHeroNameCommands) {
  database.Vocabulary().GetInn(1)->Texts = {"Stay ", "? ", "Yes", "", ""};
  *database.Vocabulary().Text(95) = "G";
  const std::string inn =
      R"(0 10730 "" [1,50,1] | 0 20730 "" [] | 1 10220 "" [0,1,1,0,0,0,0] | 1 10 "" [] | )"
      R"(0 20731 "" [] | 1 10 "" [] | 0 20732 "" [])";
  const std::string fresh =
      R"(0 10730 "" [0,0,1] | 0 20730 "" [] | 1 10 "" [] | 0 20731 "" [] | 1 10 "" [] | 0 20732 "" [])";
  RunTable(10730, {
                      {Map, "", R"(0 10730 "" [0,0,0])"},
                      {Map, inn, ""},
                      {Map, R"(2 10730 "" [0,999999,0])", ""},
                      {Map, R"(0 10730 "" [4,5,0])", ""}, // an unknown style stays
                      {Map, inn, R"(0 10730 "" [1,50,0])", Clicks({"CheckBox1"})},
                      {Map, "", fresh, Clicks({"CheckBox1"})},
                  });
  // The branch flag is not remembered; style and price are.
  EXPECT_EQ(Run(10730, {Map, R"(0 10730 "" [1,7,1])", "", {}}).substr(0, 18),
            R"(0 10730 "" [1,7,1])");
  EXPECT_EQ(Run(10730, {Map, "", "", {}}), R"(0 10730 "" [1,7,0])");
  EXPECT_EQ(FindControl<QComboBox>(Open(10730, Map, "").get(), "ComboBox1")->itemText(1),
            "B:Stay xG? Yes");

  RunTable(10740, {
                      {Map, "", R"(0 10740 "" [1,0,0])"},
                      {Map, R"(2 10740 "" [2,1,1])", ""},
                      {Map, R"(0 10740 "" [9,0,1])", R"(0 10740 "" [1,0,1])"},
                      {Map, "", R"(0 10740 "" [2,1,1])",
                       Then(Combo("ComboBox1", 1), Clicks({"RadioButton2", "CheckBox1"}))},
                  });
}

TEST_F(HeroCommands, HeroFacesStartFromTheHeroAndComeFromThePicker) {
  database.Players().GetOrCreate(2)->FaceGraphic = "Face1";
  database.Players().GetOrCreate(2)->FaceIndex = 7;
  RunTable(10640,
           {
               {Map, "", R"(0 10640 "" [1,0])"},
               {Map, R"(2 10640 "Face3" [2,15])", ""},
               {Map, "", R"(0 10640 "Face1" [2,7])", Combo("ComboBox1", 1)},
               {Map, R"(0 10640 "Face3" [1,4])", R"(0 10640 "Face2" [1,5])", Clicks({"ButtonSet"})},
           });
}

TEST_F(HeroCommands, SystemMusicAndSoundStartFromTheSystemRecord) {
  TXelMusic& inn = database.System().InnMusic;
  inn.FileName = "Rest";
  inn.FadeIn = 1000;
  inn.Volume = 80;
  inn.Tempo = 90;
  inn.Balance = 40;
  database.System().EscapeSound.FileName = "Run";
  RunTable(10660, {
                      {Map, "", R"x(0 10660 "(OFF)" [0,0,100,100,50])x"},
                      {Map, R"(2 10660 "Song" [6,5000,10,150,0])", ""},
                      {Map, R"(0 10660 "Song" [9,1,2,3,4])", ""}, // an unknown kind reads nothing
                      {Map, "", R"(0 10660 "Rest" [2,1000,80,90,40])", Combo("ComboBox1", 2)},
                  });
  RunTable(10670, {
                      {Map, "", R"x(0 10670 "(OFF)" [0,100,100,50])x"},
                      {Map, R"(2 10670 "Beep" [11,10,150,0])", ""},
                      {Map, R"(0 10670 "Beep" [12,1,2,3])", ""},
                      {Map, "", R"(0 10670 "Run" [5,100,100,50])", Combo("ComboBox1", 5)},
                  });
}

TEST_F(HeroCommands, BattleBranchesFollowTheEscapeAndDefeatCases) {
  database.MonGroups().GetOrCreate(1);
  database.MonGroups().GetOrCreate(2);
  const std::string both =
      R"(0 10710 "" [0,2,0,2,1,1] | 0 20710 "" [] | 1 10220 "" [0,1,1,0,0,0,0] | 1 10 "" [] | )"
      R"(0 20711 "" [] | 1 10 "" [] | 0 20712 "" [] | 1 10120 "" [0,2,1,0] | 1 10 "" [] | 0 20713 "" [])";
  RunTable(
      10710,
      {
          {Map, "", R"(0 10710 "" [0,1,0,0,0,0])"},
          {Map, both, ""},
          {Map, R"(2 10710 "Sky" [1,7,1,1,0,0])", ""},
          {Map, R"(0 10710 "" [0,9,0,0,0,0])", R"(0 10710 "" [0,1,0,0,0,0])"},
          // "Allow Escape" with "Game Over" is the head alone.
          {Map, both, R"(0 10710 "" [0,2,0,1,0,1])", Clicks({"RadioButtonC2", "RadioButtonD1"})},
          {Map, "",
           R"(0 10710 "" [0,1,0,2,0,0] | 0 20710 "" [] | 1 10 "" [] | 0 20711 "" [] | 1 10 "" [] | 0 20713 "" [])",
           Clicks({"RadioButtonC3"})},
          // Without the escape branch its body goes; victory and defeat keep theirs.
          {Map, both,
           R"(0 10710 "" [0,2,0,0,1,1] | 0 20710 "" [] | 1 10220 "" [0,1,1,0,0,0,0] | 1 10 "" [] | )"
           R"(0 20712 "" [] | 1 10120 "" [0,2,1,0] | 1 10 "" [] | 0 20713 "" [])",
           Clicks({"RadioButtonC1"})},
      });
}
