// The hero statistics commands, offscreen: one family whose parameter layouts the game
// runtime reads.
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <array>
#include <tuple>

#include "core/attribute_records.h"
#include "core/game_sheets.h"
#include "core/image_file.h"
#include "core/path_resolver.h"
#include "core/project_path.h"
#include "core/system_records.h"
#include "core/vocabulary_record.h"
#include "events/turning_preview.h"
#include "framework/controls/color_bar.h"
#include "framework/pickers/sel_material_list.h"
#include "framework/pickers/sel_music.h"
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
       {{"ComboBox2", true}, {"RadioButton4", true}, {"Label1", true}, {"RadioButton6", false}},
       {{"ComboBox2", false},
        {"RadioButton4", false},
        {"RadioButton5", false},
        {"Label1", false},
        {"RadioButton6", true}}},
      {10440, "RadioButton5", {{"ComboBox2", true}, {"DashBox2", false}}, {{"ComboBox2", false}}},
      {10500, "CheckBox1", {{"DashBox2", false}}, {{"DashBox2", true}}},
      {10710, "RadioButtonA2", {{"Label1", false}, {"DashBox1", false}}, {{"Label1", true}}},
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
  // The picker gets the whole setting and gives it back.
  std::string handed;
  pickers.Other = [&](TFormXelBase& form) {
    const auto answer = [&](auto& s) {
      handed +=
          s.FileName + QString::asprintf(" %d %d %d", s.Volume, s.Tempo, s.Balance).toStdString();
      s.FileName = "Tune";
      s.Tempo = 50;
    };
    if (auto* music = dynamic_cast<TFormSelMusic*>(&form)) {
      handed = std::to_string(music->Music.FadeIn) + " ";
      answer(music->Music);
    } else {
      handed.clear();
      answer(dynamic_cast<TFormSelSound&>(form).Sound);
    }
    return true;
  };
  RunTable(10660, {{Map, R"(0 10660 "Song" [3,500,70,120,30])",
                    R"(0 10660 "Tune" [3,500,70,50,30])", Clicks({"DashBox1"})}});
  EXPECT_EQ(handed, "500 Song 70 120 30");
  RunTable(10670, {{Map, R"(0 10670 "Song" [4,70,120,30])", R"(0 10670 "Tune" [4,70,50,30])",
                    Clicks({"DashBox1"})}});
  EXPECT_EQ(handed, "Song 70 120 30");
  RunTable(10660, {
                      {Map, "", R"x(0 10660 "(OFF)" [0,0,100,100,50])x"},
                      {Map, R"(2 10660 "Song" [6,5000,10,150,0])", ""},
                      {Map, "", R"(0 10660 "Rest" [2,1000,80,90,40])", Combo("ComboBox1", 2)},
                  });
  RunTable(10670, {
                      {Map, "", R"x(0 10670 "(OFF)" [0,100,100,50])x"},
                      {Map, R"(2 10670 "Beep" [11,10,150,0])", ""},
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

TEST_F(HeroCommands, WalkAndVehicleGraphicsStartFromTheDatabase) {
  for (int id = 3; id <= 9; ++id)
    database.Players().GetOrCreate(id);
  TXelPlayerItem& third = *database.Players().GetOrCreate(3);
  third.WalkGraphic = "Walk3";
  third.WalkIndex = 5;
  third.WalkTransparent = 1;
  database.System().AirshipGraphic = "Sky";
  database.System().AirshipIndex = 4;
  pickers.Other = [](TFormXelBase& form) {
    auto& picker = dynamic_cast<TFormSelChar&>(form);
    picker.FileName += "+";
    picker.CharIndex = 6;
    return true;
  };
  RunTable(10630, {
                      {Map, "", R"(0 10630 "" [1,0,0])"},
                      {Map, R"(2 10630 "Chara" [2,7,1])", ""},
                      {Map, "", R"(0 10630 "Walk3" [3,5,1])", Combo("ComboBox1", 2)},
                      {Map, R"(0 10630 "Chara" [2,7,1])", R"(0 10630 "Chara+" [2,6,0])",
                       Clicks({"ButtonSet", "CheckBox1"})},
                  });
  RunTable(10650, {
                      {Map, "", R"(0 10650 "" [0,0])"},
                      {Map, R"(2 10650 "Boat2" [1,7])", ""},
                      {Map, "", R"(0 10650 "Sky" [2,4])", Combo("ComboBox1", 2)},
                      {Map, R"(0 10650 "Boat2" [1,7])", R"(0 10650 "Boat2+" [1,6])",
                       Clicks({"ButtonSet"})},
                  });
  // A remembered hero that is gone by the next command shows the first.
  Run(10630, {Map, "", "", Combo("ComboBox1", 8)});
  for (int id = 9; id > 5; --id)
    database.Players().DeleteById(id);
  auto form = Open(10630, Map, "");
  EXPECT_EQ(FindControl<QComboBox>(form.get(), "ComboBox1")->currentIndex(), 0);
}

// Kinds beyond a command's table select nothing, load nothing and are written back.
TEST_F(HeroCommands, UnknownKindsAreKeptAsRead) {
  database.System().BoatGraphic = "Boat";
  for (const char* in :
       {R"(0 10650 "X" [3,4])", R"(0 10650 "X" [-1,4])", R"(0 10660 "X" [7,1,2,3,4])",
        R"(0 10660 "X" [-1,1,2,3,4])", R"(0 10670 "X" [12,1,2,3])", R"(0 10670 "X" [-1,1,2,3])",
        R"(0 10690 "" [6,1])", R"(0 10690 "" [-1,1])"}) {
    TXelEventScriptList lines;
    ParseLines(in, lines);
    auto form = Open(lines.GetItem(0)->Code, Map, in);
    EXPECT_EQ(FindControl<QComboBox>(form.get(), "ComboBox1")->currentIndex(), -1) << in;
    Click(*form, "ButtonOk");
    EXPECT_EQ(FormatLines(*form->ScriptList), in);
  }
}

TEST_F(HeroCommands, PreviewsDrawTheirCells) {
  QTemporaryDir dir;
  ProjectPath = dir.path().toStdString() + "/";
  PathResolver().Clear();
  QDir(dir.path()).mkpath("CharSet");
  QDir(dir.path()).mkpath("FaceSet");
  SaveBitmapToImageFile(MakeGameBitmap(288, 256, 1), ProjectPath + "CharSet/Walk.png");
  SaveBitmapToImageFile(MakeGameBitmap(192, 192, 1), ProjectPath + "FaceSet/Face.png");
  database.System().BoatGraphic = "Walk";
  database.System().BoatIndex = 2;
  pickers.Other = [](TFormXelBase&) { return true; };
  struct TCase {
    const char* In;
    int Interval, Width, Left;
    int Rows[4]; // the cell row for (tick div 16) mod 4
    int Index;
    bool SeeThrough;
  };
  for (const TCase& c :
       {TCase{R"(0 10630 "Walk" [1,5,0])", 200, 56, 4, {64, 96, 0, 32}, 5, false},
        TCase{"", 266, 64, 8, {96, 0, 32, 64}, 2, false},
        TCase{R"(0 10630 "Walk" [1,5,1])", 200, 56, 4, {64, 96, 0, 32}, 5, true}}) {
    auto form = Open(*c.In ? 10630 : 10650, Map, c.In);
    auto* preview = FindControl<TTurningPreview>(form.get(), "ScrollFrame1");
    preview->Timer()->stop();
    EXPECT_EQ(preview->Timer()->interval(), c.Interval);
    for (int tick = 0; tick < 64; ++tick) {
      if (tick == 5) Click(*form, "ButtonSet"); // a picked graphic starts over
      const int shown = tick < 5 ? tick : tick - 5;
      TGlimraBoard board;
      preview->DrawPreview(board);
      ASSERT_EQ(board.GetWidth(), c.Width);
      const uint16_t cell =
          GameColor(HashedIndex(c.Index % 4 * 72 + std::array{24, 0, 24, 48}[shown % 4] + 11,
                                c.Index / 4 * 128 + c.Rows[shown / 16 % 4] + 17, 1));
      // Opacity 160 blends the cell with the transparent colour around it.
      EXPECT_EQ(board.GetRow(35)[c.Left + 23] == cell, !c.SeeThrough) << c.In << " tick " << tick;
      EXPECT_EQ(board.GetRow(0)[0], GameColor(0));
      preview->Timer1Timer();
    }
  }
  // The face preview shows its cell at twice its size.
  auto form = Open(10640, Map, R"(0 10640 "Face" [1,5])");
  TGlimraBoard face;
  face.SetSize(1, 1);
  face.GetRow(0)[0] = GameColor(HashedIndex(48, 48, 1));
  EXPECT_EQ(FindControl<TScrollFrame>(form.get(), "ScrollFrame1")
                ->viewport()
                ->grab()
                .toImage()
                .pixel(1, 1),
            BoardToImage(face).pixel(0, 0));
  // Ticking "Flip Horizontal" of a message face mirrors it; unticking shows it as before.
  auto message = Open(10130, Map, R"(0 10130 "Face" [1,0,0])");
  QWidget* view = FindControl<TScrollFrame>(message.get(), "ScrollFrame1")->viewport();
  const QImage plain = view->grab().toImage();
  ASSERT_NE(plain, plain.mirrored(true, false));
  auto* flip = FindControl<QCheckBox>(message.get(), "CheckBox1");
  flip->click();
  EXPECT_EQ(view->grab().toImage(), plain.mirrored(true, false));
  flip->click();
  EXPECT_EQ(view->grab().toImage(), plain);
  ProjectPath.clear();
  PathResolver().Clear();
}

TEST_F(HeroCommands, SystemGraphicsAreChosenInThePickerAlone) {
  std::string handed;
  enum { Cancel, Keep, Change } answer = Keep;
  pickers.Other = [&](TFormXelBase& form) {
    auto& picker = dynamic_cast<TFormSelSystem&>(form);
    EXPECT_EQ(picker.windowTitle(), "Change System Graphics");
    handed = picker.FileName +
             QString::asprintf(" %d %d", picker.WallpaperMode, picker.FontIndex).toStdString();
    if (answer == Change)
      std::tie(picker.FileName, picker.WallpaperMode, picker.FontIndex) = std::tuple("Sys2", 1, 1);
    return answer != Cancel;
  };
  const std::string sys1 = R"(2 10680 "Sys1" [1,0])";
  for (auto [in, given, out, seen] :
       {std::tuple{std::string(), Change, std::string(R"(0 10680 "Sys2" [1,1])"), " 0 0"},
        {sys1, Keep, AtDepthZero(sys1), "Sys1 1 0"},
        {sys1, Cancel, sys1, "Sys1 1 0"}}) {
    answer = given;
    auto form = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, 10680, nullptr);
    ParseLines(in, *form->ScriptList);
    EXPECT_EQ(form->Execute(), answer != Cancel) << in;
    EXPECT_EQ(FormatLines(*form->ScriptList), out);
    EXPECT_EQ(handed, seen);
  }
}

namespace {

// Selects Rows of a goods or item list, as a click with Ctrl held would.
TStep Select(const char* list, std::vector<int> rows) {
  return [=](TFormEvCmdBase& form) {
    auto* view = FindControl<QListView>(&form, list);
    for (int row : rows)
      view->selectionModel()->select(view->model()->index(row, view->modelColumn()),
                                     QItemSelectionModel::Select);
  };
}

} // namespace

TEST_F(HeroCommands, ShopGoodsAndBranches) {
  database.Items().GetOrCreate(1)->Price = 20;
  database.Items().GetOrCreate(3)->Name = "A name beyond twenty";
  database.Items().GetOrCreate(3)->Price = 999999;
  database.Vocabulary().GetShop(2)->Texts[0] = "Welcome";
  const std::string shop =
      R"(2 10720 "" [1,2,1,0,3,9,1] | 2 20720 "" [] | 3 10220 "" [0,1,1,0,0,0,0] | 3 10 "" [] | )"
      R"(2 20721 "" [] | 3 10 "" [] | 2 20722 "" [])";
  const std::string branches =
      R"( | 0 20720 "" [] | 1 10 "" [] | 0 20721 "" [] | 1 10 "" [] | 0 20722 "" [])";
  RunTable(10720, {
                      {Map, "", R"(0 10720 "" [0,0,0,0])"},
                      {Map, shop, ""},
                      {Map, R"(0 10720 "" [7,0,0,0,1,2])", ""}, // an unknown kind keeps its goods
                      {Map, R"(0 10720 "" [0,0,0,0,1,2])", R"(0 10720 "" [2,0,0,0])",
                       Clicks({"RadioButtonA3"})},
                      {Map, shop, R"(0 10720 "" [1,2,0,0,3,9,1])", Clicks({"CheckBox1"})},
                      {Map, "", R"(0 10720 "" [0,0,1,0])" + branches, Clicks({"CheckBox1"})},
                      {Map, R"(0 10720 "" [0,0,0,0,2])", R"(0 10720 "" [0,0,0,0,2,1,3])",
                       Then(Select("ListBox2", {2, 0}), Clicks({"ButtonAdd"}))},
                      {Map, R"(0 10720 "" [0,0,0,0,1,2,3])", R"(0 10720 "" [0,0,0,0,2])",
                       Then(Select("ListBox1", {0, 2}), Clicks({"ButtonDelete"}))},
                      {Map, R"(0 10720 "" [0,0,0,0,1,2])", R"(0 10720 "" [0,0,0,0,1,2,2])",
                       [](TFormEvCmdBase& form) {
                         Select("ListBox2", {1})(form);
                         auto* items = FindControl<QListView>(&form, "ListBox2");
                         emit items->doubleClicked(items->model()->index(1, items->modelColumn()));
                       }},
                  });
  // The branch flag and the kind are remembered, the goods are not.
  Run(10720, {Map, R"(0 10720 "" [1,1,1,0,2])", "", {}});
  EXPECT_EQ(Run(10720, {Map, "", "", {}}), R"(0 10720 "" [1,1,1,0])" + branches);

  auto form = Open(10720, Map, R"(0 10720 "" [0,0,0,0,1,9,3])");
  QStringList lines;
  for (int row = 0; row < 3; ++row)
    lines << FindControl<QListWidget>(form.get(), "ListBox1")->item(row)->text();
  EXPECT_EQ(lines, QStringList({"Item1                   20", "?", "A name beyond twenty999999"}));
  EXPECT_EQ(FindControl<QComboBox>(form.get(), "ComboBox1")->itemText(2), "C:Welcome");
}

TEST_F(HeroCommands, ShopControlsFollowTheKindTheSelectionsAndTheHundredGoods) {
  std::string hundred = R"(0 10720 "" [0,0,0,0)";
  for (int i = 0; i < 99; ++i)
    hundred += ",2";
  auto form = Open(10720, Map, hundred + "]");
  const auto enabled = [&] {
    std::string states;
    for (const char* name : {"ListBox1", "ListBox2", "ButtonAdd", "ButtonDelete"})
      states += FindControl<QWidget>(form.get(), name)->isEnabled() ? '1' : '0';
    return states;
  };
  EXPECT_EQ(enabled(), "1100");
  Then(Select("ListBox1", {4}), Select("ListBox2", {0, 1, 2}))(*form);
  EXPECT_EQ(enabled(), "1111");
  // Three selected, room for one: the first goes in and "Add" is done.
  Click(*form, "ButtonAdd");
  auto* goods = FindControl<QListWidget>(form.get(), "ListBox1");
  EXPECT_EQ(goods->count(), 100);
  EXPECT_TRUE(goods->item(99)->isSelected() && goods->item(99)->text().startsWith("Item1"));
  EXPECT_EQ(enabled(), "1101");
  Click(*form, "RadioButtonA3");
  EXPECT_EQ(enabled(), "0000");
}
