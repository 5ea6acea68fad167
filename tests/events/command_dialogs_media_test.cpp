// The animation, movement, music, sound, movie, key-input and map-appearance command
// dialogs, offscreen: the lines they write are what the game runtime reads.
#include "events/command_rows.h"

#include "core/chip_set_graphic.h"
#include "core/chipset_record.h"
#include "core/game_sheets.h"
#include "core/glimra_board.h"
#include "core/image_file.h"
#include "core/map_graphics.h"
#include "core/music_playback.h"
#include "core/path_resolver.h"
#include "core/project_path.h"
#include "core/sound_library.h"
#include "core/sound_record.h"
#include "events/form_ed_move_route.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/image_buttons.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/slider.h"
#include "framework/pickers/sel_material_list.h"
#include "framework/pickers/sel_music.h"
#include "shell/common/shell_pictures.h"
#include "shell/data_module.h"
#include "shell/map/map_pickers.h"
#include <QCheckBox>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <fstream>

namespace {

TStep Slide(const char* name, int position) {
  return [=](TFormEvCmdBase& form) { FindControl<TSlider>(&form, name)->SetPosition(position); };
}

class MediaCommandDialogs : public CommandDialogs {
protected:
  void SetUp() override {
    CommandDialogs::SetUp();
    for (int id = 1; id <= 2; ++id)
      database.ChipSets().GetOrCreate(id);
  }
  // A dialog without a window: Execute alone writes its lines.
  std::string Execute(int code, TContextKind context, const std::string& in, bool* ok = nullptr) {
    auto form = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, code, nullptr);
    if (!form) {
      ADD_FAILURE() << "no dialog for " << code;
      return {};
    }
    Hand(*form, context);
    ParseLines(in, *form->ScriptList);
    const bool result = form->Execute();
    if (ok) *ok = result;
    return FormatLines(*form->ScriptList);
  }
};

TEST_F(MediaCommandDialogs, OneParameterCommands) {
  for (int code : {11820, 11840, 11930, 11960})
    RunTable(code,
             {
                 {Map, "", "0 " + std::to_string(code) + R"( "" [0])"},
                 {Map, "2 " + std::to_string(code) + R"( "" [1])", ""},
                 {Map, "", "0 " + std::to_string(code) + R"( "" [1])", Clicks({"RadioButtonA2"})},
             });
  RunTable(11740, {
                      {Map, "", R"(0 11740 "" [25])"},
                      {Map, R"(2 11740 "" [999])", ""},
                      {Map, "", R"(0 11740 "" [40])", Dial("DialEdit1", 40)},
                  });
  RunTable(11710, {
                      {Map, "", R"(0 11710 "" [1])"},
                      {Map, R"(2 11710 "" [2])", ""},
                      {Map, R"(2 11710 "" [9])", R"(0 11710 "" [1])"}, // beyond the list
                  });
  // A confirmed choice is offered next.
  EXPECT_EQ(Run(11930, {Map, "", "", Clicks({"RadioButtonA2"})}), R"(0 11930 "" [1])");
  EXPECT_EQ(Run(11930, {Map, "", ""}), R"(0 11930 "" [1])");
  for (int code : {11910, 11950}) {
    bool ok = false;
    EXPECT_EQ(Execute(code, Map, "2 " + std::to_string(code) + R"( "" [])", &ok),
              "0 " + std::to_string(code) + R"( "" [])");
    EXPECT_TRUE(ok);
  }
}

TEST_F(MediaCommandDialogs, MusicSoundMovieAndKeyInput) {
  RunTable(11520, {
                      {Map, "", R"(0 11520 "" [5000])"},
                      {Map, R"(2 11520 "" [7500])", ""},
                      {Map, R"(0 11520 "" [7500])", R"(0 11520 "" [7000])",
                       Then(Slide("Slider1", 6), Slide("Slider1", 7))},
                  });
  EXPECT_EQ(
      FindControl<TSlider>(Open(11520, Map, R"(0 11520 "" [7500])").get(), "Slider1")->Position(),
      7);
  RunTable(11610, {
                      {Map, "", R"(0 11610 "" [1,1,1,1,1])"},
                      {Map, R"(2 11610 "" [7,0,1,0,1])", ""},
                      {Map, "", R"(0 11610 "" [3,0,1,1,0])",
                       Then(Clicks({"CheckBox1", "CheckBox4"}),
                            [this](TFormEvCmdBase& form) {
                              pickers.Id = 3;
                              Click(form, "DashBox1");
                            })},
                  });
  // Play Movie: the picker's name, the pair of the chosen mode.
  pickers.Other = [](TFormXelBase& form) {
    dynamic_cast<TFormSelMovie&>(form).FileName = "Intro";
    return true;
  };
  RunTable(11560, {
                      {Map, R"(2 11560 "Intro" [0,16,32,100,80])", ""},
                      {Map, R"(2 11560 "Intro" [1,5,6,100,80])", ""},
                      {Map, "", R"(0 11560 "Intro" [0,0,0,320,240])", Clicks({"DashBox1"})},
                      {Map, R"(0 11560 "Intro" [0,16,32,100,80])",
                       R"(0 11560 "Intro" [1,1,1,100,80])", Clicks({"RadioButtonA2"})},
                  });
  // Play Movie and no name: OK stays disabled.
  ResetLastUsedRecords();
  auto movie = Open(11560, Map, "");
  Click(*movie, "ButtonOk");
  EXPECT_TRUE(movie->isVisible());
  EXPECT_FALSE(FindControl<QPushButton>(movie.get(), "ButtonOk")->isEnabled());
  EXPECT_FALSE(FindControl<TDialEdit>(movie.get(), "DialEditA1X")->isEnabled() &&
               FindControl<QRadioButton>(movie.get(), "RadioButtonA2")->isChecked());
  Click(*movie, "RadioButtonA2");
  EXPECT_FALSE(FindControl<TDialEdit>(movie.get(), "DialEditA1X")->isEnabled());
  EXPECT_TRUE(FindControl<TDashBox>(movie.get(), "DashBoxA2X")->isEnabled());
}

// The restart and the fade are heard through the recording sound library; the buttons
// carry the shared glyphs their captions name.
TEST_F(MediaCommandDialogs, FadeOutButtons) {
  QTemporaryDir dir;
  const std::string log = dir.filePath("sound.log").toStdString();
  const std::string savedProject = ProjectPath;
  ProjectPath = dir.path().toStdString() + "/";
  PathResolver().Clear();
  QDir(dir.path()).mkpath("Music");
  std::ofstream(ProjectPath + "Music/Theme.mid") << "";
  setenv("VELMORA_SOUND_LOG", log.c_str(), 1);
  ASSERT_TRUE(LoadSoundLibrary(TUNARA_BUILD_DIR));
  ResetPlayingMusic();
  TDataModule1 images;
  DataModule1 = &images;
  auto form = Open(11520, Map, R"(0 11520 "" [7000])");
  DataModule1 = nullptr;
  std::vector<std::string> glyphs;
  for (const char* name : {"ImageButton2", "ImageButton1"}) {
    auto* button = FindControl<TImageButton>(form.get(), name);
    glyphs.push_back(button->text().toStdString() + " " + std::to_string(button->ImageIndex()));
  }
  EXPECT_EQ(glyphs, (std::vector<std::string>{"Play " + std::to_string(tgPlay),
                                              "Stop " + std::to_string(tgStop)}));
  Click(*form, "ImageButton2"); // nothing plays: nothing to restart
  PlayingMusicName = "Gone";    // its file is missing
  Click(*form, "ImageButton2");
  PlayingMusicName = "Theme";
  PlayingMusicFadeIn = 2000;
  PlayingMusicVolume = 80;
  PlayingMusicTempo = 120;
  PlayingMusicBalance = 30;
  Click(*form, "ImageButton2");
  Click(*form, "ImageButton1");
  std::ifstream in(log);
  std::vector<std::string> calls;
  for (std::string line; std::getline(in, line);)
    calls.push_back(line);
  FreeSoundLibrary();
  unsetenv("VELMORA_SOUND_LOG");
  ResetPlayingMusic();
  ProjectPath = savedProject;
  PathResolver().Clear();
  EXPECT_EQ(calls,
            (std::vector<std::string>{
                "TunaraInitMidi()",
                "TunaraPlayMusic(\"" + dir.path().toStdString() + "/Music/Theme.mid\")",
                "TunaraFadeInMusic(2000)", "TunaraSetMusicVolume(80)", "TunaraSetMusicSpeed(120)",
                "TunaraSetMusicPanpot(30)", "TunaraFadeOutMusic(7000)"}));
}

TEST_F(MediaCommandDialogs, ChangePanorama) {
  pickers.Other = [](TFormXelBase& form) {
    dynamic_cast<TFormSelPanorama&>(form).FileName = "Sky";
    return true;
  };
  RunTable(11720, {
                      {Map, R"(2 11720 "Sky" [1,1,1,-5,0,3])", ""},
                      {Map, "", R"(0 11720 "Sky" [1,0,1,0,0,0])",
                       Clicks({"Button1", "CheckBox1", "CheckBox2"})},
                  });
  ResetLastUsedRecords();
  auto form = Open(11720, Map, "");
  Click(*form, "ButtonOk");
  EXPECT_TRUE(form->isVisible());
  const auto enabled = [&](const char* name) {
    return FindControl<QWidget>(form.get(), name)->isEnabled();
  };
  EXPECT_FALSE(enabled("CheckBox2") || enabled("DialEdit1"));
  Click(*form, "CheckBox1");
  EXPECT_TRUE(enabled("CheckBox2"));
  EXPECT_FALSE(enabled("DialEdit1"));
  Click(*form, "CheckBox2");
  EXPECT_TRUE(enabled("DialEdit1"));
  EXPECT_FALSE(enabled("CheckBox4") || enabled("DialEdit2"));
}

TEST_F(MediaCommandDialogs, MusicAndSoundPickers) {
  bool ok = true;
  pickers.Other = [](TFormXelBase&) { return false; };
  EXPECT_EQ(Execute(11510, Map, R"(2 11510 "Theme" [0,100,100,50])", &ok),
            R"(2 11510 "Theme" [0,100,100,50])");
  EXPECT_FALSE(ok);
  // The picker gets the line and its caption; OK writes what it holds.
  pickers.Other = [](TFormXelBase& form) {
    auto& picker = dynamic_cast<TFormSelMusic&>(form);
    EXPECT_EQ(picker.windowTitle(), "Play BGM");
    EXPECT_EQ(picker.Music.FileName, "Theme");
    EXPECT_EQ(picker.Music.Tempo, 120);
    picker.Music.Volume = 70;
    return true;
  };
  EXPECT_EQ(Execute(11510, Map, R"(2 11510 "Theme" [1000,100,120,40])", &ok),
            R"(0 11510 "Theme" [1000,70,120,40])");
  EXPECT_TRUE(ok);
  // Play Sound Effect offers "(OFF)" 100/100/50 and then the last confirmed sound.
  std::vector<std::string> offered;
  pickers.Other = [&](TFormXelBase& form) {
    auto& picker = dynamic_cast<TFormSelSound&>(form);
    offered.push_back(picker.Sound.FileName + " " + std::to_string(picker.Sound.Volume) + " " +
                      std::to_string(picker.Sound.Tempo) + " " +
                      std::to_string(picker.Sound.Balance));
    if (offered.size() == 1) picker.Sound.FileName = "Door";
    return true;
  };
  EXPECT_EQ(Execute(11550, Map, ""), R"(0 11550 "Door" [100,100,50])");
  EXPECT_EQ(Execute(11550, Map, R"(1 11550 "Bell" [80,90,10])"), R"(0 11550 "Bell" [80,90,10])");
  EXPECT_EQ(Execute(11550, Map, ""), R"(0 11550 "Bell" [80,90,10])");
  EXPECT_EQ(offered,
            (std::vector<std::string>{"(OFF) 100 100 50", "Bell 80 90 10", "Bell 80 90 10"}));
}

TEST_F(MediaCommandDialogs, MoveCharacter) {
  // The editor is answered by adding its commands through its buttons.
  pickers.Id = 12;
  pickers.Other = [](TFormXelBase& form) {
    auto& editor = dynamic_cast<TFormEDMoveRoute&>(form);
    EXPECT_EQ(editor.windowTitle(), "Move Character");
    ShowAndActivate(&editor);
    if (editor.Route.GetCount() == 0) {
      // Each goes above the line it selected last: Up, then Switch ON.
      editor.ButtonList1Click(38); // Switch ON, the switch picker answering 12
      editor.ButtonList1Click(0);  // Up
    }
    editor.ButtonOkClick();
    return true;
  };
  const std::string written = Execute(11330, Map, "");
  EXPECT_EQ(written, R"(0 11330 "" [10001,8,0,0,0,32,12])");
  EXPECT_EQ(Execute(11330, Map, "2" + written.substr(1)), written);
  // A cut route: the error, false, the lines as they were.
  TScriptedMessageBoxes boxes;
  bool ok = true;
  const std::string cut = R"(2 11330 "" [10001,8,0,0,32])";
  EXPECT_EQ(Execute(11330, Map, cut, &ok), cut);
  EXPECT_FALSE(ok);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(MediaCommandDialogs, CharacterAndWaitCommands) {
  RunTable(11320, {
                      {Map, "", R"(0 11320 "" [10001,31,31,31,31,10,1])"},
                      {Map, R"(2 11320 "" [2,1,2,3,4,1000,0])", ""},
                      {Map, R"(2 11320 "" [10005,0,0,0,0,0,1])", ""},
                      {Map, R"(2 11320 "" [77,1,2,3,4,5,0])", R"(0 11320 "" [10001,1,2,3,4,5,0])"},
                      {Map, "", R"(0 11320 "" [10001,12,31,31,31,10,1])", Slide("Slider1", 12)},
                      {Map, "", R"(0 11320 "" [1,31,20,31,31,10,1])",
                       Then(Combo("ComboBox1", 5), Dial("DialEdit2", 20))},
                  });
  // The slider follows its dial, and the sample the colour.
  auto flash = Open(11320, Map, R"(0 11320 "" [10001,2,4,6,31,10,1])");
  Dial("DialEdit3", 9)(*flash);
  EXPECT_EQ(FindControl<TSlider>(flash.get(), "Slider3")->Position(), 9);
  EXPECT_EQ(FindControl<QWidget>(flash.get(), "Shape1")->palette().color(QPalette::Window),
            QColor(16, 32, 72));
  RunTable(11310, {
                      {Map, "", R"(0 11310 "" [0])"},
                      {Map, R"(2 11310 "" [1])", ""},
                  });
  RunTable(11410, {
                      {Map, "", R"(0 11410 "" [10])"},
                      {Map, R"(2 11410 "" [1000])", ""},
                  });
  for (int code : {11340, 11350, 11530, 11540})
    EXPECT_EQ(Execute(code, Map, ""), "0 " + std::to_string(code) + R"( "" [])");
}

// What a preview frame paints.
QImage Painted(TFormEvCmdBase& form, const char* frame) {
  QImage image(240, 128, QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter canvas(&image);
  emit FindControl<TScrollFrame>(&form, frame)->Paint(canvas);
  return image;
}

TEST_F(MediaCommandDialogs, ChangeChip) {
  // Without a chipset graphic: empty previews, and "Set..." opens nothing.
  RunTable(11750, {
                      {Map, "", R"(0 11750 "" [0,0,0])"},
                      {Map, R"(2 11750 "" [1,7,9])", ""},
                      {Common, "", R"(0 11750 "" [1,0,0])", Clicks({"RadioButtonA2", "Button1"})},
                  });
  EXPECT_EQ(pickers.Opened, 0);

  QTemporaryDir dir;
  const std::string savedProject = ProjectPath;
  ProjectPath = dir.path().toStdString() + "/";
  PathResolver().Clear();
  QDir(dir.path()).mkdir("ChipSet");
  SaveBitmapToImageFile(MakeGameBitmap(480, 256, 1), ProjectPath + "ChipSet/World.png");
  TXelChipSetGraphic* chips = map.Graphics().ChipSetGraphic();
  database.ChipSets().GetOrCreate(1)->Graphic = "World";
  chips->SetChipSet(database.ChipSets().GetOrCreate(1));
  ASSERT_TRUE(chips->IsLoaded());
  auto form = Open(11750, Map, R"(0 11750 "" [1,40,7])");
  TGlimraBoard board;
  board.SetSize(240, 128);
  chips->SetTransparent(false);
  chips->DrawChip(board, 104, 48, 10007, 0, false, 32);
  const QImage expected = BoardToImage(board).convertToFormat(QImage::Format_RGB32);
  TGlimraBoard blank;
  blank.SetSize(240, 128);
  ASSERT_NE(expected, BoardToImage(blank).convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(Painted(*form, "ScrollFrame2"), expected);
  EXPECT_NE(Painted(*form, "ScrollFrame1"), expected);
  // The picker gets the layer, the chip and the map's graphic.
  pickers.Other = [chips](TFormXelBase& picker) {
    auto& replace = dynamic_cast<TFormSelReplChip&>(picker);
    EXPECT_EQ(replace.ChipSource, chips);
    EXPECT_EQ(replace.Layer, 1);
    EXPECT_EQ(replace.ChipIndex, 40);
    replace.ChipIndex = 7;
    return true;
  };
  Click(*form, "Button1");
  EXPECT_EQ(Painted(*form, "ScrollFrame1"), expected);
  chips->Clear();
  ProjectPath = savedProject;
  PathResolver().Clear();
}

TEST_F(MediaCommandDialogs, PlaceCommands) {
  TXelMapTreeItem* town = tree.GetOrCreate(3);
  town->Name = "Town";
  town->ViewX = 64;
  town->ViewY = 40;
  tree.ActiveId = 3;
  map.SetWidth(20);
  map.SetHeight(15);
  edited.X = 4;
  edited.Y = 6;
  pickers.Id = 2;
  pickers.Other = [this](TFormXelBase& form) {
    auto& picker = dynamic_cast<TFormMapSetPlace&>(form);
    EXPECT_TRUE(picker.AllowAnyNode);
    EXPECT_EQ(picker.HeldMap, &map); // the map as edited, not as saved
    picker.MapId = 3;
    picker.X = 5;
    picker.Y = 5;
    return true;
  };
  RunTable(11810, {
                      {MapView, "", R"(0 11810 "" [0,3,11,8,0,1])"},
                      {Map, "", R"(0 11810 "" [0,3,4,6,0,1])"},
                      {Map, R"(2 11810 "" [0,1,7,8,1,2])", ""},
                      // Delete mode reads no switch: the last-used one is written.
                      {Map, R"(2 11810 "" [1,1,0,0,1,2])", R"(0 11810 "" [1,1,0,0,0,1])"},
                      {Map, R"(2 11810 "" [0,1,7,8,1,2])", R"(0 11810 "" [1,3,0,0,1,2])",
                       Clicks({"GroupBox3_1", "DashBox1"})},
                      {Map, "", R"(0 11810 "" [0,3,5,5,1,2])",
                       Clicks({"DashBox1", "CheckBox1", "DashBox2"})},
                  });
  RunTable(11830, {
                      {MapView, "", R"(0 11830 "" [3,11,8,0,1])"},
                      {Map, R"(2 11830 "" [1,7,8,1,2])", ""},
                      {Map, R"(2 11830 "" [1,7,8,0,2])", R"(0 11830 "" [1,7,8,0,1])"},
                  });
  // The box text, delete mode without the cell, and the switch group's enabling.
  auto form = Open(11810, Map, R"(0 11810 "" [0,3,7,8,0,1])");
  EXPECT_EQ(FindControl<TDashBox>(form.get(), "DashBox1")->Text().toStdString(),
            "0003:Town (007,008)");
  EXPECT_FALSE(FindControl<TDashBox>(form.get(), "DashBox2")->isEnabled());
  Click(*form, "CheckBox1");
  EXPECT_TRUE(FindControl<TDashBox>(form.get(), "DashBox2")->isEnabled());
  Click(*form, "GroupBox3_1");
  EXPECT_EQ(FindControl<TDashBox>(form.get(), "DashBox1")->Text().toStdString(), "0003:Town");
  EXPECT_FALSE(FindControl<QWidget>(form.get(), "GroupBox2")->isEnabled());

  // The picker scrolls the map view; OK and Cancel both put it back. A map that is not in
  // the tree, and delete mode, are offered without a cell.
  bool ok = true;
  std::string offered;
  pickers.Other = [&](TFormXelBase& shown) {
    auto& picker = dynamic_cast<TFormMapSetPlace&>(shown);
    offered = std::to_string(picker.MapId) + ":" + std::to_string(picker.X) + "," +
              std::to_string(picker.Y);
    town->ViewX = town->ViewY = 999;
    picker.MapId = 3;
    picker.X = picker.Y = 5;
    return ok;
  };
  const std::tuple<int, const char*, const char*, const char*> places[] = {
      {11810, R"(0 11810 "" [0,3,7,8,0,1])", "3:7,8", "0003:Town (005,005)"},
      {11810, R"(0 11810 "" [0,9,7,8,0,1])", "9:-1,-1", "0003:Town (005,005)"},
      {11810, R"(0 11810 "" [1,3,0,0,0,1])", "3:-1,-1", "0003:Town"},
      {11830, R"(0 11830 "" [3,7,8,0,1])", "3:7,8", "0003:Town (005,005)"},
      {11830, R"(0 11830 "" [0,7,8,0,1])", "0:-1,-1", "0003:Town (005,005)"},
  };
  for (const auto& [code, in, expected, chosen] : places) {
    for (const bool answer : {false, true}) {
      ok = answer;
      form = Open(code, Map, in);
      auto* box = FindControl<TDashBox>(form.get(), "DashBox1");
      const QString before = box->Text();
      Click(*form, "DashBox1");
      EXPECT_EQ(offered, expected) << in;
      EXPECT_EQ(std::pair(town->ViewX, town->ViewY), std::pair(64, 40)) << in << " " << ok;
      EXPECT_EQ(box->Text(), ok ? QString::fromLatin1(chosen) : before) << in;
    }
  }
}

} // namespace
