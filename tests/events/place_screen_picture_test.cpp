// The teleport, place, screen and picture command dialogs and the no-window commands,
// offscreen: the lines they write are what the game runtime reads. The map position
// picker's answers are scripted.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "core/converter_scene.h"
#include "core/map_event.h"
#include "core/switch_records.h"
#include "events/command_pieces.h"
#include "events/dialog_steps.h"
#include "events/form_ev_cmd_base.h"
#include "events/script_lines.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/harness/widget_harness.h"
#include "framework/pickers/sel_material_list.h"
#include "framework/pickers/sel_switch.h"
#include "shell/map/map_pickers.h"

namespace {

struct TRow {
  std::string In;  // empty: a new command
  std::string Out; // empty: In again, its head at depth 0
  TStep Step = {};
  bool FromEvent = false;
};

class PlaceScreenPicture : public ::testing::Test, protected TConverterScene {
protected:
  void SetUp() override {
    ResetLastUsedRecords();
    for (int id = 1; id <= 8; ++id)
      database.Variables().GetOrCreate(id);
    map.SetWidth(12);
    map.SetHeight(30);
    map.Events.GetOrCreate(1)->Name = "Sign";
    map.Events.GetOrCreate(2)->Name = "Door";
    auto* field = tree.GetOrCreate(1);
    field->Name = "Field";
    field->ViewX = 32 * 10 + 5;
    field->ViewY = 32 * 2;
    tree.ActiveId = 1;
    edited.X = 4;
    edited.Y = 5;
  }

  std::unique_ptr<TFormEvCmdBase> Make(int code, const std::string& in, bool fromEvent) {
    auto form = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, code, nullptr);
    if (!form) {
      ADD_FAILURE() << "no dialog for " << code;
      return nullptr;
    }
    form->Map = &map;
    form->MapTree = &tree;
    if (fromEvent) {
      form->EventId = 2;
      form->Event = &edited;
    }
    ParseLines(in, *form->ScriptList);
    return form;
  }

  // The lines after OK, or after Execute for the commands without a window.
  std::string Run(int code, const TRow& row, bool windowless = false) {
    auto form = Make(code, row.In, row.FromEvent);
    if (!form) return {};
    if (windowless) {
      EXPECT_TRUE(form->Execute()) << code;
    } else {
      ShowAndActivate(form.get());
      if (row.Step) row.Step(*form);
      Click(*form, "ButtonOk");
      EXPECT_EQ(form->result(), mrOk);
    }
    EXPECT_EQ(tree.GetItemById(1)->ViewX, 32 * 10 + 5) << code;
    EXPECT_EQ(tree.GetItemById(1)->ViewY, 32 * 2) << code;
    return FormatLines(*form->ScriptList);
  }

  void RunTable(int code, const std::vector<TRow>& rows, bool windowless = false) {
    for (const TRow& row : rows) {
      ResetLastUsedRecords();
      const std::string expected = row.Out.empty() ? AtDepthZero(row.In) : row.Out;
      EXPECT_EQ(Run(code, row, windowless), expected) << "code " << code << ", in: " << row.In;
    }
  }

  TXelEventItem edited{2};
  // The place picker's answer (Cancel when PlaceOk is false), and what it was handed.
  bool PlaceOk = true;
  TMapPlace Answer{1, 3, 4};
  TMapPlace Offered;
  int VariableAnswer = 6;
  // Runs the colour and effect dialog: shown, driven by name, closed.
  std::function<bool(TFormXelBase&)> OtherForm;
  TScopedModalOpener opener_{[this](TFormXelBase& form, const auto&) {
    if (auto* picker = dynamic_cast<TFormSelNameBase*>(&form)) {
      picker->SelectedId = VariableAnswer;
      return true;
    }
    if (auto* picker = dynamic_cast<TFormSelMaterialList*>(&form)) {
      picker->FileName = "Pic1";
      return true;
    }
    if (OtherForm) return OtherForm(form);
    auto& place = dynamic_cast<TFormMapSetPlace&>(form);
    Offered = {place.MapId, place.X, place.Y};
    EXPECT_EQ(place.HeldMap, &map); // the map as edited, not as saved
    // The picker scrolls the view to the cell it shows.
    tree.GetItemById(1)->ViewX = 999;
    if (!PlaceOk) return false;
    place.MapId = Answer.MapId;
    place.X = Answer.X;
    place.Y = Answer.Y;
    return true;
  }};
};

TEST_F(PlaceScreenPicture, TeleportAndNoWindowCommands) {
  // NEW from the map view's centre (clipped to the width), from an event, ROUNDTRIP.
  RunTable(10810,
           {
               {"", R"(0 10810 "" [1,3,4])"},
               {R"(2 10810 "" [5,6,7])", R"(0 10810 "" [1,3,4])"},
           },
           true);
  Run(10810, {"", "x"}, true);
  EXPECT_EQ(Offered, (TMapPlace{1, 11, 9}));
  Run(10810, {"", "x", {}, true}, true);
  EXPECT_EQ(Offered, (TMapPlace{1, 4, 5}));
  Run(10810, {R"(2 10810 "" [1,6,7])", ""}, true);
  EXPECT_EQ(Offered, (TMapPlace{1, 6, 7}));
  // A map not in the tree is offered without a cell.
  Run(10810, {R"(0 10810 "" [9,6,7])", ""}, true);
  EXPECT_EQ(Offered, (TMapPlace{9, -1, -1}));
  // Scrolled to the top-left: (9, 7); with no active item the same, nothing read.
  tree.GetItemById(1)->ViewX = tree.GetItemById(1)->ViewY = 0;
  auto form = Make(10810, "", false);
  EXPECT_EQ(DefaultPlace(*form), (TMapPlace{1, 9, 7}));
  tree.ActiveId = 0;
  EXPECT_EQ(DefaultPlace(*form), (TMapPlace{1, 9, 7}));
  form->MapTree = nullptr;
  EXPECT_EQ(DefaultPlace(*form), (TMapPlace{1, 9, 7}));
  tree.ActiveId = 1;
  tree.GetItemById(1)->ViewX = 32 * 10 + 5;
  tree.GetItemById(1)->ViewY = 32 * 2;

  // Cancel writes nothing and leaves the handed line.
  PlaceOk = false;
  form = Make(10810, R"(1 10810 "" [1,2,2])", false);
  EXPECT_FALSE(form->Execute());
  EXPECT_EQ(FormatLines(*form->ScriptList), R"(1 10810 "" [1,2,2])");
  EXPECT_EQ(tree.GetItemById(1)->ViewX, 32 * 10 + 5);

  // Every no-window command gives exactly one line of its own.
  for (int code : {10840, 11340, 11350, 11530, 11540, 11910, 11950, 12220, 12310, 12320, 12420,
                   12510, 13410}) {
    const std::string line = "0 " + std::to_string(code) + R"( "" [])";
    RunTable(code, {{"", line}, {R"(2 10110 "a" [] | 2 20110 "b" [])", line}}, true);
  }
}

TEST_F(PlaceScreenPicture, PlaceCommands) {
  RunTable(10820, {
                      {"", R"(0 10820 "" [1,1,1])"},
                      {R"(2 10820 "" [4,5,6])", ""},
                      {"", R"(0 10820 "" [6,1,6])", Clicks({"DashBox1", "DashBox3"})},
                  });
  RunTable(10830, {{"", R"(0 10830 "" [1,1,1])"}, {R"(2 10830 "" [4,5,6])", ""}});
  RunTable(10850, {
                      {"", R"(0 10850 "" [0,0,1,11,9])"},
                      {R"(2 10850 "" [2,0,1,3,4])", ""},
                      {R"(0 10850 "" [1,1,4,5,6])", ""},
                      {R"(0 10850 "" [1,5,4,5,6])", ""}, // unknown mode: as read
                      {"", R"(0 10850 "" [1,0,1,3,4])", Clicks({"RadioButtonA2", "DashBox1"})},
                      {"", R"(0 10850 "" [0,1,1,6,1])", Clicks({"RadioButtonB2", "DashBox3"})},
                  });
  RunTable(10860, {
                      {"", R"(0 10860 "" [10005,0,11,9])"},
                      {"", R"(0 10860 "" [10005,0,4,5])", {}, true},
                      {R"(2 10860 "" [1,0,3,4])", ""},
                      {R"(0 10860 "" [2,1,7,8])", ""},
                      // An event no longer on the map reads back as this event.
                      {R"(0 10860 "" [3,0,3,4])", R"(0 10860 "" [10005,0,3,4])"},
                      {"", R"(0 10860 "" [10005,0,3,4])", Clicks({"DashBox1"})},
                  });
  RunTable(10870, {
                      {"", R"(0 10870 "" [10005,10005])"},
                      {R"(2 10870 "" [1,2])", ""},
                      {R"(0 10870 "" [9,1])", R"(0 10870 "" [10005,1])"},
                  });
  for (int code : {10910, 10920}) {
    const std::string c = std::to_string(code);
    RunTable(code, {
                       {"", "0 " + c + R"( "" [0,11,9,1])"},
                       {"2 " + c + R"( "" [0,3,4,8])", ""},
                       {"0 " + c + R"( "" [1,7,8,2])", ""},
                       {"", "0 " + c + R"( "" [0,11,9,6])", Clicks({"DashBox4"})},
                   });
  }

  // The picker: 10850 chooses the map too, 10860 stays on the handed map; x and y
  // variables chosen in one are offered by the others.
  Answer = {5, 2, 3};
  EXPECT_EQ(Run(10850, {"", "x", Clicks({"DashBox1"})}), R"(0 10850 "" [0,0,5,2,3])");
  EXPECT_EQ(Offered, (TMapPlace{1, 11, 9}));
  EXPECT_EQ(Run(10860, {"", "x", Clicks({"DashBox1"})}), R"(0 10860 "" [10005,0,2,3])");
  Run(10910, {R"(0 10910 "" [1,4,5,1])", ""});
  EXPECT_EQ(Run(10860, {"", "x", Clicks({"RadioButtonB2"})}), R"(0 10860 "" [10005,1,4,5])");
  EXPECT_EQ(Run(10820, {"", "x"}), R"(0 10820 "" [1,4,5])");
  // A new 10850 keeps the vehicle and mode but not the position.
  Run(10850, {R"(0 10850 "" [2,0,1,1,1])", ""});
  EXPECT_EQ(Run(10850, {"", "x"}), R"(0 10850 "" [2,0,1,11,9])");
  auto form = Make(10850, "", false);
  ShowAndActivate(form.get());
  EXPECT_EQ(FindControl<TDashBox>(form.get(), "DashBox1")->Text(), "0001:Field (011,009)");
  form = Make(10850, R"(0 10850 "" [0,0,9,1,2])", false);
  ShowAndActivate(form.get());
  EXPECT_EQ(FindControl<TDashBox>(form.get(), "DashBox1")->Text(), "0009:? (001,002)");
  ResetLastUsedRecords();
  form = Make(10910, "", false);
  ShowAndActivate(form.get());
  EXPECT_EQ(FindControl<TDashBox>(form.get(), "DashBox1")->Text(), "(011,009)");
  // Cancel in the picker keeps the place.
  PlaceOk = false;
  EXPECT_EQ(Run(10910, {"", "x", Clicks({"DashBox1"})}), R"(0 10910 "" [0,11,9,1])");
}

TEST_F(PlaceScreenPicture, ScreenCommands) {
  for (int code : {11010, 11020})
    RunTable(code, {
                       {"", "0 " + std::to_string(code) + R"( "" [-1])"},
                       {"2 " + std::to_string(code) + R"( "" [19])", ""},
                       {"0 " + std::to_string(code) + R"( "" [20])", ""}, // unknown: as read
                   });
  RunTable(11030, {
                      {"", R"(0 11030 "" [100,100,100,100,10,1])"},
                      {R"(2 11030 "" [0,200,50,155,1000,0])", ""},
                      {"", R"(0 11030 "" [155,100,100,100,10,1])", Dial("DialEdit1", 155)},
                  });
  RunTable(11040, {
                      {"", R"(0 11040 "" [31,31,31,31,5,1])"},
                      {R"(2 11040 "" [0,1,2,3,1000,0])", ""},
                  });
  RunTable(11050, {
                      {"", R"(0 11050 "" [5,5,2,1])"},
                      {R"(2 11050 "" [1,9,0,0])", ""},
                  });
  RunTable(11060, {
                      {"", R"(0 11060 "" [0,0,1,4,1])"},
                      {R"(2 11060 "" [2,3,100,6,0])", ""},
                      {R"(0 11060 "" [2,7,5,9,0])", ""}, // unknown direction and speed
                      // "Fix" still writes what the disabled controls hold.
                      {R"(0 11060 "" [2,2,7,2,0])", R"(0 11060 "" [0,2,7,2,0])",
                       Clicks({"RadioButtonA1"})},
                      {"", R"(0 11060 "" [2,3,1,4,1])", Clicks({"RadioButtonA3", "RadioButtonB2"})},
                  });
  RunTable(11070, {
                      {"", R"(0 11070 "" [0,1])"},
                      {R"(2 11070 "" [2,2])", ""},
                  });

  // The shared transition and wait flag.
  Run(11010, {R"(0 11010 "" [0])", ""});
  auto form = Make(11020, "", false);
  ShowAndActivate(form.get());
  EXPECT_EQ(FindControl<QComboBox>(form.get(), "ComboBox1")->currentText(), "Fade-In");
  Run(11040, {"", R"(0 11040 "" [31,31,31,31,5,0])", Clicks({"CheckBox1"})});
  EXPECT_EQ(Run(11030, {"", "x"}), R"(0 11030 "" [100,100,100,100,10,0])");
  EXPECT_EQ(Run(11050, {"", "x"}), R"(0 11050 "" [5,5,2,0])");
  EXPECT_EQ(Run(11060, {"", "x"}), R"(0 11060 "" [0,0,1,4,0])");
  EXPECT_EQ(Run(11120, {"", "x"}),
            R"(0 11120 "" [1,0,160,120,0,100,0,0,100,100,100,100,0,0,10,0])");

  // "Left" reopens checked; the tone slider follows its dial and the dial its slider.
  form = Make(11060, R"(0 11060 "" [2,3,1,4,1])", false);
  ShowAndActivate(form.get());
  EXPECT_TRUE(FindControl<QRadioButton>(form.get(), "RadioButtonB2")->isChecked());
  form = Make(11030, "", false);
  ShowAndActivate(form.get());
  Dial("DialEdit2", 155)(*form);
  auto* slider = FindControl<TSlider>(form.get(), "Slider2");
  EXPECT_EQ(slider->Position(), 15);
  slider->SetPosition(14);
  slider->SetPosition(15);
  EXPECT_EQ(FindControl<TDialEdit>(form.get(), "DialEdit2")->Value(), 150);
}

TEST_F(PlaceScreenPicture, ScreenControlsFollowTheChoices) {
  struct TCase {
    int Code;
    std::string In;
    std::vector<const char*> Enabled, Disabled;
  };
  const std::vector<TCase> cases = {
      {11060,
       R"(0 11060 "" [0,0,1,4,1])",
       {},
       {"GroupBox2", "GroupBox3", "GroupBox4", "GroupBox5"}},
      {11060,
       R"(0 11060 "" [2,0,1,4,1])",
       {"GroupBox2", "GroupBox3", "GroupBox4", "GroupBox5"},
       {}},
      {11060, R"(0 11060 "" [3,0,1,4,1])", {"GroupBox4", "GroupBox5"}, {"GroupBox2", "GroupBox3"}},
      {11070, R"(0 11070 "" [0,2])", {}, {"GroupBox2"}},
      {11070, R"(0 11070 "" [1,2])", {"GroupBox2"}, {}},
  };
  for (const TCase& c : cases) {
    auto form = Make(c.Code, c.In, false);
    ShowAndActivate(form.get());
    ExpectEnabling(form.get(), c.Enabled, c.Disabled, c.In);
  }
}

// The effect dialog answers: Names clicked, then OK.
std::function<bool(TFormXelBase&)> EffectClicks(std::vector<const char*> names) {
  return [names](TFormXelBase& form) {
    ShowAndActivate(&form);
    for (const char* name : names)
      FindControl<QAbstractButton>(&form, name)->click();
    FindControl<QAbstractButton>(&form, "ButtonOk")->click();
    return form.result() == mrOk;
  };
}

TEST_F(PlaceScreenPicture, PictureCommands) {
  RunTable(11110, {
                      {"", R"(0 11110 "Pic1" [1,0,160,120,0,100,0,1,100,100,100,100,0,0])",
                       Clicks({"DashBox1"})},
                      {R"(2 11110 "P" [7,1,3,4,1,250,50,0,0,200,50,10,1,9])", ""},
                      {R"(0 11110 "P" [20,0,-640,720,0,2000,100,1,1,2,3,4,2,1])", ""},
                      // By variables: the picked ids go into P2 and P3.
                      {R"(0 11110 "P" [1,0,30,40,0,100,0,1,100,100,100,100,0,0])",
                       R"(0 11110 "P" [1,1,6,1,0,100,0,1,100,100,100,100,0,0])",
                       Clicks({"RadioButtonA2", "DashBoxA2X"})},
                  });
  RunTable(11120, {
                      {"", R"(0 11120 "" [1,0,160,120,0,100,0,0,100,100,100,100,0,0,10,1])"},
                      {R"(2 11120 "" [7,1,3,4,0,250,50,0,0,200,50,10,2,3,1000,0])", ""},
                      // P4 and P7 are always 0.
                      {R"(0 11120 "" [7,0,3,4,1,250,50,1,0,200,50,10,0,0,5,0])",
                       R"(0 11120 "" [7,0,3,4,0,250,50,0,0,200,50,10,0,0,5,0])"},
                  });
  RunTable(11130, {{"", R"(0 11130 "" [1])"}, {R"(2 11130 "" [20])", ""}});

  // A new show picture needs an image before OK.
  auto form = Make(11110, "", false);
  ShowAndActivate(form.get());
  EXPECT_FALSE(FindControl<QPushButton>(form.get(), "ButtonOk")->isEnabled());
  // The picture's box carries its caption beside it.
  const QWidget* caption = FindControl<QLabel>(form.get(), "Label5");
  const QRect box = FindControl<QWidget>(form.get(), "DashBox1")->geometry();
  EXPECT_EQ(FindControl<QLabel>(form.get(), "Label5")->text(), "Select Picture");
  EXPECT_TRUE(caption->isVisible());
  EXPECT_LE(caption->geometry().right(), box.left());
  EXPECT_GT(box.width(), caption->fontMetrics().horizontalAdvance("Picture12345"));
  EXPECT_TRUE(caption->geometry().top() < box.bottom() && box.top() < caption->geometry().bottom());
  Click(*form, "DashBox1");
  EXPECT_TRUE(FindControl<QPushButton>(form.get(), "ButtonOk")->isEnabled());

  // The typed position stays for the next new command; erase offers the shown number;
  // move keeps its own time and shares the colour.
  Run(11110, {R"(0 11110 "P" [7,0,30,40,1,100,0,0,9,9,9,9,0,0])", "",
              Clicks({"RadioButtonA2", "DashBoxA2X"})});
  EXPECT_EQ(Run(11110, {"", "x", Clicks({"RadioButtonA1"})}),
            R"(0 11110 "P" [7,0,30,40,1,100,0,0,9,9,9,9,0,0])");
  EXPECT_EQ(Run(11130, {"", "x"}), R"(0 11130 "" [7])");
  Run(11120, {R"(0 11120 "" [3,0,1,2,0,100,0,0,5,5,5,5,0,0,77,1])", ""});
  EXPECT_EQ(Run(11110, {"", "x"}), R"(0 11110 "P" [3,0,1,2,1,100,0,0,5,5,5,5,0,0])");
  EXPECT_EQ(Run(11120, {"", "x"}), R"(0 11120 "" [3,0,1,2,0,100,0,0,5,5,5,5,0,0,77,1])");

  // The effect dialog: exclusive toggles, and the texts of its box.
  struct TEffectCase {
    std::vector<const char*> Clicks;
    std::string Out;
    QString Text;
  };
  const std::vector<TEffectCase> effects = {
      {{"CheckBox1"}, "1,5", "Color(R100,G100,B100,S100),Spin Speed5"},
      {{"CheckBox1", "CheckBox1"}, "0,0", "Color(R100,G100,B100,S100)"},
      {{"CheckBox1", "CheckBox2"}, "2,5", "Color(R100,G100,B100,S100),Ripple Pow.5"},
  };
  for (const TEffectCase& c : effects) {
    ResetLastUsedRecords();
    OtherForm = EffectClicks(c.Clicks);
    form = Make(11120, "", false);
    ShowAndActivate(form.get());
    Click(*form, "DashBox2");
    EXPECT_EQ(FindControl<TDashBox>(form.get(), "DashBox2")->Text(), c.Text);
    Click(*form, "ButtonOk");
    EXPECT_EQ(FormatLines(*form->ScriptList),
              R"(0 11120 "" [1,0,160,120,0,100,0,0,100,100,100,100,)" + c.Out + ",10,1]");
  }
  // Only the chosen effect's speed or power is enabled.
  ResetLastUsedRecords();
  OtherForm = [](TFormXelBase& f) {
    ShowAndActivate(&f);
    EXPECT_FALSE(FindControl(&f, "DialEdit5")->isEnabled());
    FindControl<QAbstractButton>(&f, "CheckBox2")->click();
    EXPECT_FALSE(FindControl(&f, "DialEdit5")->isEnabled());
    EXPECT_TRUE(FindControl(&f, "DialEdit6")->isEnabled());
    EXPECT_FALSE(FindControl<QAbstractButton>(&f, "CheckBox1")->isChecked());
    return false;
  };
  form = Make(11110, "", false);
  ShowAndActivate(form.get());
  Click(*form, "DashBox2");
  EXPECT_EQ(FindControl<TDashBox>(form.get(), "DashBox2")->Text(), "Color(R100,G100,B100,S100)");
}

} // namespace
