// The picture commands: show, move and erase a numbered overlay picture. Show and move
// share one last-used record of the picture's settings and the colour-and-effect dialog.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_material_list.h"

namespace {

// Colour and special effect: what the effect dialog exchanges.
struct TPictureEffect {
  int Tone[4] = {100, 100, 100, 100}; // red, green, blue, chroma
  int Effect = 0;                     // 0 none, 1 rotation, 2 ripple
  int Speed = 5;
  int Power = 5;
  bool operator==(const TPictureEffect&) const = default;
};

struct TPictureSettings {
  int Number = 1;
  std::string Name;
  int Mode = 0; // 0 position, 1 variables
  int X = 160;
  int Y = 120;
  int XVariable = 1;
  int YVariable = 1;
  bool MoveWithMap = false;
  int Magnification = 100;
  int Transparency = 0;
  // The checked radio: 0 "Stir" (P7 1), 1 "None" (P7 0).
  int TransparentColour = 0;
  TPictureEffect Colour;
  bool operator==(const TPictureSettings&) const = default;
};

TPictureSettings& LastPictureSettings() {
  return LastUsedRecord<TPictureSettings>();
}

// P13: the speed of a rotation, the power of a ripple, else 0.
int32_t EffectValue(const TPictureEffect& e) {
  return e.Effect == 1 ? e.Speed : e.Effect == 2 ? e.Power : 0;
}

QString EffectText(const TPictureEffect& e) {
  QString text = QString::asprintf("Color(R%.3d,G%.3d,B%.3d,S%.3d)", e.Tone[0], e.Tone[1],
                                   e.Tone[2], e.Tone[3]);
  if (e.Effect == 1) text += ",Spin Speed" + QString::number(e.Speed);
  if (e.Effect == 2) text += ",Ripple Pow." + QString::number(e.Power);
  return text;
}

// The parameters both commands share: P0-P3 and P5, P6, P8-P13; Own the others.
void ReadPicture(const TXelEventScriptLine& head, TPictureSettings& p) {
  p.Number = head.GetParam(0);
  p.Mode = head.GetParam(1);
  (p.Mode == 1 ? p.XVariable : p.X) = head.GetParam(2);
  (p.Mode == 1 ? p.YVariable : p.Y) = head.GetParam(3);
  p.Magnification = head.GetParam(5);
  p.Transparency = head.GetParam(6);
  for (int i = 0; i < 4; ++i)
    p.Colour.Tone[i] = head.GetParam(8 + i);
  p.Colour.Effect = head.GetParam(12);
  if (p.Colour.Effect == 1) p.Colour.Speed = head.GetParam(13);
  if (p.Colour.Effect == 2) p.Colour.Power = head.GetParam(13);
}

TParamList PictureParams(const TPictureSettings& p, int32_t p4, int32_t p7) {
  return {p.Number,
          p.Mode,
          p.Mode == 1 ? p.XVariable : p.X,
          p.Mode == 1 ? p.YVariable : p.Y,
          p4,
          p.Magnification,
          p.Transparency,
          p7,
          p.Colour.Tone[0],
          p.Colour.Tone[1],
          p.Colour.Tone[2],
          p.Colour.Tone[3],
          p.Colour.Effect,
          EffectValue(p.Colour)};
}

// ---- the colour and effect dialog ----

class TFormEvPictureEx : public TFormXelBase {
public:
  explicit TFormEvPictureEx(QWidget* owner) : TFormXelBase(owner, 0) {
    TFormBuilder b(this, "FormEvPictureEx", "Other Attribute display", 449, 305);
    b.Row([&] {
      b.Column([&] {
        b.Group("GroupBox1", "Color", [&] {
          const QStringList captions{"Red", "Green", "Blue", "Chroma"};
          b.Grid(3, [&] {
            for (int i = 0; i < 4; ++i) {
              const QByteArray n = QByteArray::number(i + 1);
              b.Label(("Label" + QByteArray::number(i + 3)).constData(), captions[i]);
              SliderDialPair(*this, b, ("Slider" + n).constData(), ("DialEdit" + n).constData(), 0,
                             200, 10, &w_.Tone[i], [this] { sample_->viewport()->update(); });
            }
          });
        });
        b.Group("GroupBox2", "Sample",
                [&] { sample_ = ToneSample(*this, b, "ScrollFrame1", w_.Tone); });
        b.Group("GroupBox3", "Unique Effect", [&] {
          b.Grid(4, [&] {
            rotation_ = b.CheckBox("CheckBox1", "Rotation", &rotationTicked_);
            speedLabel_ = b.Label("Label1", "Speed :");
            speed_ = SliderDialPair(*this, b, "Slider5", "DialEdit5", 1, 9, 1, &w_.Speed);
            ripple_ = b.CheckBox("CheckBox2", "Ripple", &rippleTicked_);
            powerLabel_ = b.Label("Label2", "Power :");
            power_ = SliderDialPair(*this, b, "Slider6", "DialEdit6", 1, 9, 1, &w_.Power);
          });
        });
      });
      b.ButtonColumn(false);
    });
    On(rotation_, &QCheckBox::clicked, [this] { Toggle(1); });
    On(ripple_, &QCheckBox::clicked, [this] { Toggle(2); });
    EnableWhen({speedLabel_, speed_.Slider, speed_.Dial}, [this] { return w_.Effect == 1; });
    EnableWhen({powerLabel_, power_.Slider, power_.Dial}, [this] { return w_.Effect == 2; });
  }

  // In, and out on OK.
  TPictureEffect Values;
  TPictureEffect CallerData() const { return Values; }

  void FormShow() override {
    w_ = Values;
    Toggle(-1);
  }
  void ButtonOkClick() override {
    Values = w_;
    done(mrOk);
  }

private:
  // The two boxes are exclusive toggles of the one effect; -1 only shows it.
  void Toggle(int effect) {
    if (effect > 0) w_.Effect = w_.Effect == effect ? 0 : effect;
    rotationTicked_ = w_.Effect == 1;
    rippleTicked_ = w_.Effect == 2;
    UpdateControls();
  }

  TPictureEffect w_;
  bool rotationTicked_ = false;
  bool rippleTicked_ = false;
  QCheckBox* rotation_ = nullptr;
  QCheckBox* ripple_ = nullptr;
  QLabel* speedLabel_ = nullptr;
  QLabel* powerLabel_ = nullptr;
  TSliderDial speed_{};
  TSliderDial power_{};
  TScrollFrame* sample_ = nullptr;
};
VELMORA_REGISTER_FORM(TFormEvPictureEx, TFormGroup::Dialog, 0);

// ---- 11110, 11120 ----

struct TMovePictureValues {
  TPictureSettings Picture;
  int Time = 10;
  bool Wait = true;
  bool operator==(const TMovePictureValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TPictureSettings& p) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  ReadPicture(head, p);
  p.Name = head.Text;
  p.MoveWithMap = head.GetParam(4) != 0;
  p.TransparentColour = head.GetParam(7) != 0 ? 0 : 1;
}
void WriteCommand(const TPictureSettings& p, TXelEventScriptList& lines) {
  TXelEventScriptLine* head = lines.Add(11110, 0);
  head->Text = p.Name;
  head->Params = PictureParams(p, p.MoveWithMap ? 1 : 0, p.TransparentColour == 0 ? 1 : 0);
}

void ReadCommand(const TXelEventScriptList& lines, TMovePictureValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  ReadPicture(head, v.Picture);
  v.Time = head.GetParam(14);
  v.Wait = head.GetParam(15) != 0;
}
void WriteCommand(const TMovePictureValues& v, TXelEventScriptList& lines) {
  TXelEventScriptLine* head = lines.Add(11120, 0);
  head->Params = PictureParams(v.Picture, 0, 0);
  head->Params.insert(head->Params.end(), {v.Time, v.Wait ? 1 : 0});
}

template <class Values> class TFormEvCmdPicture : public TFormEvCmd<Values> {
protected:
  using TFormEvCmd<Values>::TFormEvCmd;

  // The controls both share; Own declares those of one command between the position
  // and the magnification.
  TStandardButtons Build(TFormBuilder& b, TPictureSettings& p, const QString& positionCaption,
                         const std::function<void()>& head, const std::function<void()>& own,
                         const std::function<void()>& tail) {
    return CommandLayout(b, [&] {
      b.Row([&] {
        b.Label("Label1", "Pic. Number");
        b.DialEdit("DialEdit1", 1, 20, &p.Number);
        head();
      });
      b.Group("GroupBox1", positionCaption, [&] {
        b.Radios(&p.Mode, [&] {
          b.Grid(5, [&] {
            b.Radio("RadioButtonA1", "Position");
            auto* xLabel = b.Label("LabelA1X", "X");
            auto* x = b.DialEdit("DialEditA1X", -640, 960, &p.X);
            auto* yLabel = b.Label("LabelA1Y", "Y");
            auto* y = b.DialEdit("DialEditA1Y", -480, 720, &p.Y);
            b.Radio("RadioButtonA2", "By Variable");
            auto* xvLabel = b.Label("LabelA2X", "X");
            auto* xv = VariableBox(*this, b, "DashBoxA2X", &p.XVariable);
            auto* yvLabel = b.Label("LabelA2Y", "Y");
            auto* yv = VariableBox(*this, b, "DashBoxA2Y", &p.YVariable);
            this->EnableWhen({xLabel, x, yLabel, y}, [&p] { return p.Mode == 0; });
            this->EnableWhen({xvLabel, xv, yvLabel, yv}, [&p] { return p.Mode == 1; });
          });
        });
      });
      own();
      b.Row([&] {
        b.Group("GroupBox3", "Magnification", [&] {
          b.Row([&] {
            b.DialEdit("DialEdit2", 0, 2000, &p.Magnification)->SetIncrement(5);
            b.Label("Label2", "%");
          });
        });
        b.Group("GroupBox4", "Transparency", [&] {
          b.Row([&] {
            b.DialEdit("DialEdit3", 0, 100, &p.Transparency)->SetIncrement(5);
            b.Label("Label3", "%");
          });
        });
      });
      b.Row([&] {
        b.Label("Label4", "Additional Effect:");
        auto* effect =
            b.ValueBox("DashBox2", &p.Colour.Effect, [&p](int) { return EffectText(p.Colour); });
        this->On(effect, &TDashBox::Clicked, [this, &p] {
          TFormEvPictureEx form(this);
          form.Values = p.Colour;
          if (OpenModal(form)) p.Colour = form.Values;
          this->UpdateControls();
        });
      });
      tail();
    });
  }
};

class TFormEvCmd11110 : public TFormEvCmdPicture<TPictureSettings> {
public:
  explicit TFormEvCmd11110(QWidget* owner) : TFormEvCmdPicture(owner, 11110) {
    TFormBuilder b(this, "FormEvCmd11110", "Show Picture", 449, 377);
    const TStandardButtons buttons = Build(
        b, v, "Show Position (Center Coord.)",
        [&] {
          b.Label("Label5", "Select Picture");
          auto* name = b.ValueBox("DashBox1", &v.Name);
          // Wide enough for a picture's name beside the number.
          name->setMinimumWidth(name->fontMetrics().averageCharWidth() * 20);
          On(name, &TDashBox::Clicked, [this] {
            TFormSelPicture picker(this);
            picker.setWindowTitle("Select Picture");
            picker.FileName = v.Name;
            if (OpenModal(picker)) v.Name = picker.FileName;
            UpdateControls();
          });
        },
        [&] {
          b.Row([&] {
            b.CheckBox("CheckBox1", "Move with Map", &v.MoveWithMap);
            b.Group("GroupBox2", "Transparent Color", [&] {
              b.Radios(&v.TransparentColour, [&] {
                b.Radio("RadioButtonB1", "Stir");
                b.Radio("RadioButtonB2", "None");
              });
            });
          });
        },
        [] {});
    EnableWhen({buttons.Ok}, [this] { return !v.Name.empty(); });
  }

protected:
  void LoadLastUsed() override { v = LastPictureSettings(); }
  void StoreLastUsed() override { LastPictureSettings() = v; }
};
VELMORA_REGISTER_FORM(TFormEvCmd11110, TFormGroup::Command, 11110, LastPictureSettings());

class TFormEvCmd11120 : public TFormEvCmdPicture<TMovePictureValues> {
public:
  explicit TFormEvCmd11120(QWidget* owner) : TFormEvCmdPicture(owner, 11120) {
    TFormBuilder b(this, "FormEvCmd11120", "Move Picture", 449, 337);
    Build(
        b, v.Picture, "Place Position (Center Coord.)", [] {}, [] {},
        [&] {
          b.Row([&] {
            b.Group("GroupBox5", "Movement Time", [&] {
              b.Row([&] {
                b.DialEdit("DialEdit4", 0, 1000, &v.Time);
                b.Label("Label5", "x0.1 Sec");
              });
            });
            b.CheckBox("CheckBox1", "Wait Until Done", &v.Wait);
          });
        });
  }

protected:
  // The record of the show command, but for its name, map tie and transparent colour;
  // the time is this command's own.
  void LoadLastUsed() override {
    v.Picture = LastPictureSettings();
    v.Time = LastUsedRecord<TMovePictureValues>().Time;
    v.Wait = LastWaitUntilDone() != 0;
  }
  void StoreLastUsed() override {
    TPictureSettings& last = LastPictureSettings();
    TPictureSettings picture = v.Picture;
    picture.Name = last.Name;
    picture.MoveWithMap = last.MoveWithMap;
    picture.TransparentColour = last.TransparentColour;
    last = picture;
    LastUsedRecord<TMovePictureValues>().Time = v.Time;
    LastWaitUntilDone() = v.Wait ? 1 : 0;
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd11120, TFormGroup::Command, 11120, LastPictureSettings(),
                      LastUsedRecord<TMovePictureValues>(), LastWaitUntilDone());

// ---- 11130: one dial, the shared picture number ----

struct TErasePictureValues {
  int Number = 1;
  bool operator==(const TErasePictureValues&) const = default;
};
void ReadCommand(const TXelEventScriptList& lines, TErasePictureValues& v) {
  v.Number = lines.GetItem(0)->GetParam(0);
}
void WriteCommand(const TErasePictureValues& v, TXelEventScriptList& lines) {
  lines.Add(11130, 0)->Params = {v.Number};
}

class TFormEvCmd11130 : public TFormEvCmd<TErasePictureValues> {
public:
  explicit TFormEvCmd11130(QWidget* owner) : TFormEvCmd(owner, 11130) {
    TFormBuilder b(this, "FormEvCmd11130", "Erase Pic", 257, 73);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Pic. Number", [&] { b.DialEdit("DialEdit1", 1, 20, &v.Number); });
    });
  }

protected:
  void LoadLastUsed() override { v.Number = LastPictureSettings().Number; }
  void StoreLastUsed() override { LastPictureSettings().Number = v.Number; }
};
VELMORA_REGISTER_FORM(TFormEvCmd11130, TFormGroup::Command, 11130, LastPictureSettings());

} // namespace
