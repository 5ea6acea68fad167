// The music, sound, movie and key-input commands: one line each. Play BGM and Play Sound
// Effect are the music and sound pickers; Fade BGM Out lets the author hear the fade.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "core/material.h"
#include "core/music_playback.h"
#include "core/sound_library.h"
#include "core/sound_record.h"
#include "events/command_families.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/image_buttons.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_material_list.h"
#include "framework/pickers/sel_music.h"
#include "shell/common/shell_pictures.h"
#include "shell/data_module.h"

namespace {

// ---- 11510, 11550 ----

// The parameters of a music or sound line, in order.
std::vector<int32_t*> Fields(TXelMusic& m) {
  return {&m.FadeIn, &m.Volume, &m.Tempo, &m.Balance};
}
std::vector<int32_t*> Fields(TXelSound& s) {
  return {&s.Volume, &s.Tempo, &s.Balance};
}

// The last confirmed sound, offered to a new Play Sound Effect.
struct TSoundValues {
  std::string FileName = NoMaterialName;
  int32_t Volume = 100;
  int32_t Tempo = 100;
  int32_t Balance = 50;
  bool operator==(const TSoundValues&) const = default;
};

// The picker edits the setting; OK writes it as the line.
template <int32_t Head, class Picker, class Setting>
class TFormEvCmdPickSound : public TFormEvCmdBase {
public:
  bool Execute() override {
    Picker picker(this);
    picker.setWindowTitle(windowTitle());
    Setting& setting = SettingOf(picker);
    LoadSetting(setting);
    if (ScriptList->GetCount() > 0) {
      const TXelEventScriptLine& head = *ScriptList->GetItem(0);
      setting.FileName = head.Text;
      const std::vector<int32_t*> fields = Fields(setting);
      for (size_t i = 0; i < fields.size(); ++i)
        *fields[i] = head.GetParam(static_cast<int>(i));
    }
    if (!OpenModal(picker)) return false;
    chosen_.Assign(setting);
    StoreCommand();
    return true;
  }

protected:
  TFormEvCmdPickSound(QWidget* owner, const QString& caption) : TFormEvCmdBase(owner, Head) {
    setObjectName("FormEvCmd" + QString::number(Head));
    setWindowTitle(caption);
  }
  // The picker's setting before the handed line: its own by default.
  virtual void LoadSetting(Setting&) {}
  void WriteLines(TXelEventScriptList& lines) const override {
    TXelEventScriptLine* head = lines.Add(Head, 0);
    head->Text = chosen_.FileName;
    for (int32_t* field : Fields(chosen_))
      head->Params.push_back(*field);
  }

  mutable Setting chosen_;

private:
  static Setting& SettingOf(TFormSelMusic& picker) { return picker.Music; }
  static Setting& SettingOf(TFormSelSound& picker) { return picker.Sound; }
};

class TFormEvCmd11510 : public TFormEvCmdPickSound<11510, TFormSelMusic, TXelMusic> {
public:
  explicit TFormEvCmd11510(QWidget* owner) : TFormEvCmdPickSound(owner, "Play BGM") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11510, TFormGroup::Command, 11510);

class TFormEvCmd11550 : public TFormEvCmdPickSound<11550, TFormSelSound, TXelSound> {
public:
  explicit TFormEvCmd11550(QWidget* owner) : TFormEvCmdPickSound(owner, "Play Sound Effect") {}

protected:
  void LoadSetting(TXelSound& sound) override {
    const TSoundValues& last = LastUsedRecord<TSoundValues>();
    sound.FileName = last.FileName;
    sound.Volume = last.Volume;
    sound.Tempo = last.Tempo;
    sound.Balance = last.Balance;
  }
  void StoreLastUsed() override {
    LastUsedRecord<TSoundValues>() = {chosen_.FileName, chosen_.Volume, chosen_.Tempo,
                                      chosen_.Balance};
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd11550, TFormGroup::Command, 11550, LastUsedRecord<TSoundValues>());

// ---- 11520 ----

struct TFadeOutValues {
  int32_t Time = 5000;
  bool operator==(const TFadeOutValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TFadeOutValues& v) {
  v.Time = lines.GetItem(0)->GetParam(0);
}

void WriteCommand(const TFadeOutValues& v, TXelEventScriptList& lines) {
  lines.Add(11520, 0)->Params = {v.Time};
}

class TFormEvCmd11520 : public TFormEvCmd<TFadeOutValues> {
public:
  explicit TFormEvCmd11520(QWidget* owner) : TFormEvCmd(owner, 11520) {
    TFormBuilder b(this, "FormEvCmd11520", "Fade BGM Out", 300, 110);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Fade-out time", [&] {
        // The slider spans the group so that its scale below lines up with it.
        Slider1 = b.Add<TSlider>("Slider1");
        Slider1->SetMax(20);
        b.Row([&] {
          const char* marks[] = {"0s", "5s", "10s", "15s", "20s"};
          for (int m = 0; m < 5; ++m) {
            if (m) b.Stretch();
            b.Label(("Label" + std::to_string(m + 1)).c_str(), marks[m]);
          }
        });
        b.Row([&] {
          auto* restart = b.Add<TImageButton>("ImageButton2", QStringLiteral("Play"));
          auto* fade = b.Add<TImageButton>("ImageButton1", QStringLiteral("Stop"));
          if (DataModule1) {
            for (auto [button, glyph] : {std::pair{restart, tgPlay}, std::pair{fade, tgStop}}) {
              button->SetImages(&DataModule1->ImageListEx1);
              button->SetImageIndex(glyph);
            }
          }
          On(fade, &QPushButton::clicked, &TFormEvCmd11520::ImageButton1Click);
          On(restart, &QPushButton::clicked, &TFormEvCmd11520::ImageButton2Click);
        });
      });
    });
    // Moving the slider alone replaces the stored time, which may lie between seconds.
    On(Slider1, &TSlider::Change, [this] { v.Time = Slider1->Position() * 1000; });
  }

  // The fade as the game will play it, on the music playing now.
  void ImageButton1Click() {
    if (TunaraLibrary) Tunara.TunaraFadeOutMusic(v.Time);
  }
  // The music playing now, from its start; nothing when there is none or its file is gone.
  void ImageButton2Click() {
    TXelMusic music;
    music.FileName = PlayingMusicName;
    music.FadeIn = PlayingMusicFadeIn;
    music.Volume = PlayingMusicVolume;
    music.Tempo = PlayingMusicTempo;
    music.Balance = PlayingMusicBalance;
    std::string path;
    if (music.FileName == NoMaterialName ||
        !FindMaterialFile(music.FileName, "Music", MusicExtensions, path))
      return;
    PlayMusicSetting(music);
  }

protected:
  void UpdateOwnControls() override { Slider1->SetPosition(v.Time / 1000); }

private:
  TSlider* Slider1;
};
VELMORA_REGISTER_FORM(TFormEvCmd11520, TFormGroup::Command, 11520,
                      LastUsedRecord<TFadeOutValues>());

// ---- 11560 ----

struct TMovieValues {
  std::string FileName;
  int Mode = 0; // 0 the position given, 1 read from variables
  int X = 0;
  int Y = 0;
  int XVariable = 1;
  int YVariable = 1;
  int Width = 320;
  int Height = 240;
  bool operator==(const TMovieValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TMovieValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.FileName = head.Text;
  v.Mode = head.GetParam(0);
  (v.Mode == 1 ? v.XVariable : v.X) = head.GetParam(1);
  (v.Mode == 1 ? v.YVariable : v.Y) = head.GetParam(2);
  v.Width = head.GetParam(3);
  v.Height = head.GetParam(4);
}

void WriteCommand(const TMovieValues& v, TXelEventScriptList& lines) {
  TXelEventScriptLine* head = lines.Add(11560, 0);
  head->Text = v.FileName;
  head->Params = {v.Mode, v.Mode == 1 ? v.XVariable : v.X, v.Mode == 1 ? v.YVariable : v.Y, v.Width,
                  v.Height};
}

class TFormEvCmd11560 : public TFormEvCmd<TMovieValues> {
public:
  explicit TFormEvCmd11560(QWidget* owner) : TFormEvCmd(owner, 11560) {
    TFormBuilder b(this, "FormEvCmd11560", "Play Movie", 360, 220);
    std::vector<QWidget*> fixed, variable;
    const TStandardButtons buttons = CommandLayout(b, [&] {
      b.Group("GroupBox1", "Select Movie", [&] {
        auto* box = b.ValueBox("DashBox1", &v.FileName);
        On(box, &TDashBox::Clicked, &TFormEvCmd11560::DashBox1Click);
      });
      b.Group("GroupBox2", "Display Size", [&] {
        b.Row([&] {
          b.DialEdit("DialEdit1", 1, 320, &v.Width)->SetIncrement(5);
          b.Label("Label1", " X ");
          b.DialEdit("DialEdit2", 1, 240, &v.Height)->SetIncrement(5);
        });
      });
      b.Group("GroupBox3", "Display Position (From Top-Left)", [&] {
        b.Radios(&v.Mode, [&] {
          b.Row([&] {
            b.Radio("RadioButtonA1", "Position");
            fixed = {b.Label("LabelA1X", "X"), b.DialEdit("DialEditA1X", 0, 320, &v.X),
                     b.Label("LabelA1Y", "Y"), b.DialEdit("DialEditA1Y", 0, 240, &v.Y)};
          });
          b.Row([&] {
            b.Radio("RadioButtonA2", "By Variable");
            variable = {b.Label("LabelA2X", "X"), VariableBox(*this, b, "DashBoxA2X", &v.XVariable),
                        b.Label("LabelA2Y", "Y"),
                        VariableBox(*this, b, "DashBoxA2Y", &v.YVariable)};
          });
        });
      });
    });
    EnableWhen(fixed, [this] { return v.Mode == 0; });
    EnableWhen(variable, [this] { return v.Mode == 1; });
    EnableWhen({buttons.Ok}, [this] { return !v.FileName.empty(); });
  }

  void DashBox1Click() {
    TFormSelMovie picker(this);
    picker.FileName = v.FileName;
    if (!OpenModal(picker)) return;
    v.FileName = picker.FileName;
    UpdateControls();
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd11560, TFormGroup::Command, 11560, LastUsedRecord<TMovieValues>());

// ---- 11610 ----

struct TKeyInputValues {
  int Variable = 1;
  bool Wait = true;
  bool Directions = true;
  bool Decision = true;
  bool Cancel = true;
  bool operator==(const TKeyInputValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TKeyInputValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Variable = head.GetParam(0);
  v.Wait = head.GetParam(1) != 0;
  v.Directions = head.GetParam(2) != 0;
  v.Decision = head.GetParam(3) != 0;
  v.Cancel = head.GetParam(4) != 0;
}

void WriteCommand(const TKeyInputValues& v, TXelEventScriptList& lines) {
  lines.Add(11610, 0)->Params = {v.Variable, v.Wait, v.Directions, v.Decision, v.Cancel};
}

class TFormEvCmd11610 : public TFormEvCmd<TKeyInputValues> {
public:
  explicit TFormEvCmd11610(QWidget* owner) : TFormEvCmd(owner, 11610) {
    TFormBuilder b(this, "FormEvCmd11610", "Enter Password", 320, 200);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Place Password to Variable",
              [&] { VariableBox(*this, b, "DashBox1", &v.Variable); });
      b.Group("GroupBox2", "Options", [&] {
        b.CheckBox("CheckBox1", "Wait Untill Key Hit", &v.Wait);
        b.Group("GroupBox3", "Key: [Up=4 Right=3 Left=2 Down=1]", [&] {
          b.CheckBox("CheckBox2", "Direction(1,2,3,4)", &v.Directions);
          b.CheckBox("CheckBox3", "Descision(5)", &v.Decision);
          b.CheckBox("CheckBox4", "Cancel (6)", &v.Cancel);
        });
      });
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd11610, TFormGroup::Command, 11610,
                      LastUsedRecord<TKeyInputValues>());

} // namespace
